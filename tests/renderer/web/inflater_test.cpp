// Zlib streams inflated as their bytes come in pieces: streams the system's
// zlib wrote at each kind of block, cut anywhere, and damaged streams.

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

#include "inflater.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Bytes that compress in every way deflate has: literals, runs that copy
// themselves, and back-references up to the window's far end.
Bytes Sample()
{
    std::mt19937 random(30);
    Bytes bytes;
    while (bytes.size() < 200000) {
        const uint32_t kind = random() % 3;
        const size_t length = 3 + random() % 300;
        if (kind == 0 || bytes.size() < 32768) {
            for (size_t i = 0; i < length; ++i)
                bytes.push_back(static_cast<uint8_t>(random() % 16 * 7));
        } else if (kind == 1) {
            bytes.insert(bytes.end(), length, static_cast<uint8_t>(random()));
        } else {
            const size_t from = bytes.size() - 1 - random() % 32768;
            for (size_t i = 0; i < length; ++i)
                bytes.push_back(bytes[from + i]);
        }
    }
    return bytes;
}

Bytes Compressed(const Bytes& bytes, int level, int strategy)
{
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, 15, 8, strategy), Z_OK);
    Bytes compressed(deflateBound(&stream, bytes.size()));
    stream.next_in = const_cast<uint8_t*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = compressed.data();
    stream.avail_out = static_cast<uInt>(compressed.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    compressed.resize(stream.total_out);
    deflateEnd(&stream);
    return compressed;
}

// What `stream` inflates to, fed in pieces of `piece` bytes (the last one
// marked so); false when it is refused.
bool Inflated(const Bytes& stream, size_t piece, Bytes& out)
{
    Inflater inflater;
    const Inflater::Sink sink = [&](const uint8_t* bytes, size_t size) {
        out.insert(out.end(), bytes, bytes + size);
        return true;
    };
    for (size_t at = 0;; at += piece) {
        const size_t size = std::min(piece, stream.size() - at);
        const bool last = at + size == stream.size();
        const bool fed = inflater.Feed(stream.data() + at, size, last, sink);
        if (!fed || last)
            return fed;
    }
}

// A deflate stream written bit by bit after a zlib header.
struct BitWriter {
    Bytes bytes;
    int used = 8;

    BitWriter() { bytes.insert(bytes.end(), {0x78, 0x01}); }

    void Bits(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i, ++used) {
            if (used == 8) {
                bytes.push_back(0);
                used = 0;
            }
            bytes.back() |= static_cast<uint8_t>((value >> i & 1) << used);
        }
    }
    // A Huffman code, its first bit highest.
    void Code(uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            Bits(code >> i & 1, 1);
    }
};

// A stream of one dynamic block in which only literals 0 and 1 and the
// end of the block have codes, of `lengths` bits (0 to 3; 0: none), and
// which ends at once with `endCode`: whether the code gives too many codes
// or leaves some unused is all that may be wrong with it.
Bytes OneDynamicBlock(const uint8_t (&lengths)[3], uint32_t endCode)
{
    BitWriter block;
    block.Bits(1, 1);
    block.Bits(2, 2);
    block.Bits(0, 10); // 257 literal and length codes, 1 distance code
    block.Bits(14, 4); // 18 code-length codes, up to the one of length 1
    // The code-length code: 1 as 0, 0 as 10, 2 as 110, 3 as 111.
    const uint32_t bits[4] = {2, 1, 3, 3};
    const uint32_t codes[4] = {2, 0, 6, 7};
    for (const int length : {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1})
        block.Bits(length < 4 ? bits[length] : 0, 3);
    for (int symbol = 0; symbol < 258; ++symbol) {
        const int length = symbol < 2 ? lengths[symbol] : symbol == 256 ? lengths[2] : 0;
        block.Code(codes[length], static_cast<int>(bits[length]));
    }
    block.Code(endCode, lengths[2]);
    return block.bytes;
}

TEST(Inflater, InflatesWhatZlibWroteInPiecesOfAnySize)
{
    const Bytes sample = Sample();
    const struct {
        int level;
        int strategy;
    } ways[] = {{0, Z_DEFAULT_STRATEGY},
                {1, Z_DEFAULT_STRATEGY},
                {9, Z_DEFAULT_STRATEGY},
                {9, Z_FIXED},
                {9, Z_HUFFMAN_ONLY}};
    for (const auto& way : ways) {
        const Bytes stream = Compressed(sample, way.level, way.strategy);
        for (const size_t piece : {size_t{1}, size_t{7}, size_t{4093}, stream.size()}) {
            Bytes out;
            EXPECT_TRUE(Inflated(stream, piece, out))
                << "level " << way.level << ", strategy " << way.strategy << ", pieces " << piece;
            EXPECT_TRUE(out == sample)
                << "level " << way.level << ", strategy " << way.strategy << ", pieces " << piece;
        }
    }
}

TEST(Inflater, StopsWhenTheSinkHasEnough)
{
    const Bytes stream = Compressed(Sample(), 9, Z_DEFAULT_STRATEGY);
    Inflater inflater;
    size_t given = 0;
    const Inflater::Sink sink = [&](const uint8_t*, size_t size) {
        given += size;
        return given < 1000;
    };
    EXPECT_TRUE(inflater.Feed(stream.data(), stream.size() / 2, false, sink));
    EXPECT_TRUE(inflater.Feed(stream.data() + stream.size() / 2, 0, true, sink));
    EXPECT_LE(given, size_t{32768});
}

TEST(Inflater, RefusesDamagedStreams)
{
    const Bytes whole = Compressed(Sample(), 9, Z_DEFAULT_STRATEGY);
    const Bytes stored = Compressed(Bytes(100, 1), 0, Z_DEFAULT_STRATEGY);

    BitWriter tooFar; // fixed codes: 'a', then 3 bytes from 2 back
    tooFar.Bits(1, 1);
    tooFar.Bits(1, 2);
    tooFar.Code(0x30 + 'a', 8);
    tooFar.Code(1, 7);
    tooFar.Code(1, 5);
    tooFar.Code(0, 7);

    Bytes badStoredLength = stored;
    badStoredLength[5] ^= 1;
    const struct {
        const char* fault;
        Bytes stream;
    } damaged[] = {
        {"header check", {0x78, 0x02, 0x03, 0x00}},
        {"method", {0x77, 0x09, 0x03, 0x00}},
        {"window", {0x88, 0x1c, 0x03, 0x00}},
        {"dictionary", {0x78, 0x20, 0x03, 0x00}},
        // (After an empty block of fixed codes, bits that would end one.)
        {"block type", {0x78, 0x01, 0x02, 0x1c, 0x00}},
        {"stored length", badStoredLength},
        {"over-subscribed code", OneDynamicBlock({1, 2, 1}, 1)},
        {"incomplete code", OneDynamicBlock({1, 0, 2}, 2)},
        {"distance too far", tooFar.bytes},
        {"cut short", Bytes(whole.begin(), whole.begin() + whole.size() / 2)},
        {"stored cut short", Bytes(stored.begin(), stored.begin() + 50)},
    };
    for (const auto& stream : damaged)
        for (const size_t piece : {size_t{1}, stream.stream.size()}) {
            Bytes out;
            EXPECT_FALSE(Inflated(stream.stream, piece, out))
                << stream.fault << ", pieces " << piece;
        }
}

} // namespace
