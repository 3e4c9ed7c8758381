#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// A zlib stream inflated as its bytes come, in pieces of any size: it keeps
// the bytes of a symbol (or a block's header) that a piece cut in two until
// the next piece completes it, and the last 32 KB it made for the stream's
// back-references. What it makes goes to a sink a piece at a time, never
// held whole. The stream is untrusted: a damaged header, block or code, a
// back-reference past the start or a stream cut short is refused. The
// Adler-32 at the stream's end is not checked: a PNG's reader stops once
// its last row is in.
class Inflater {
public:
    // Takes the next inflated bytes; false when it wants no more.
    using Sink = std::function<bool(const uint8_t* bytes, size_t size)>;

    // The next `size` bytes of the stream, `last` when no more follow.
    // False once the stream is found damaged, or when `last` comes before
    // its end. Input past the stream's end, or after the sink wanted no
    // more, is ignored.
    bool Feed(const uint8_t* bytes, size_t size, bool last, const Sink& sink);

private:
    // A canonical Huffman code, decoded by a table of its short codes and
    // code by code for longer ones.
    struct Code {
        static constexpr int kTableBits = 10;
        uint16_t table[1 << kTableBits]; // symbol << 4 | length; 0 for a longer code
        uint16_t counts[16];             // the codes of each length
        uint16_t symbols[288];           // by code
    };

    enum class Stage { kHeader, kBlock, kStored, kCoded, kEnded, kDamaged };
    enum class Step { kDone, kStarved, kDamaged };

    static bool Build(const uint8_t* lengths, int count, bool codeLengths, Code& code);
    Step ReadHeader();
    Step ReadBlockHeader();
    Step ReadCodes();
    Step CopyStored();
    Step DecodeSymbols();
    uint32_t Peek() const;
    size_t BitsLeft() const;
    bool Take(int count, uint32_t& value);
    bool Decode(const Code& code, int& symbol);
    void Put(uint8_t byte);
    void Flush();

    Stage stage_ = Stage::kHeader;
    bool lastBlock_ = false;
    uint32_t storedLeft_ = 0;
    Code lengths_;               // literals and lengths
    Code distances_;             // distances
    std::vector<uint8_t> input_; // the bytes not yet read, from bit_ / 8 on
    size_t bit_ = 0;
    std::vector<uint8_t> window_ = std::vector<uint8_t>(1 << 15); // the last 32 KB made
    size_t made_ = 0;                                             // window_'s next byte
    size_t given_ = 0; // window_'s first byte not yet given to the sink
    uint64_t total_ = 0;
    const Sink* sink_ = nullptr;
    bool satisfied_ = false; // the sink wants no more
};
