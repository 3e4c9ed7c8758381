// Inflates arbitrary bytes as a zlib stream, handed over in pieces of a size
// the first byte chooses, and the same bytes with the system's zlib in one
// go: both must refuse them, or both inflate them to the same bytes. (Ours
// does not check the stream's Adler-32: zlib reads the deflate data raw
// after a header it has checked alone.)

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "inflater.h"

namespace {

// What zlib inflates `stream` to; false where it refuses it or it ends early.
bool ZlibInflated(const uint8_t* stream, size_t size, std::vector<uint8_t>& out)
{
    if (size < 2)
        return false;
    // A preset dictionary: zlib asks for it once it has read its number.
    if (stream[1] & 0x20)
        return false;
    // The header alone: zlib says no more than that it wants more.
    z_stream header{};
    uint8_t none;
    inflateInit(&header);
    header.next_in = const_cast<uint8_t*>(stream);
    header.avail_in = 2;
    header.next_out = &none;
    header.avail_out = 1;
    const int headerResult = inflate(&header, Z_NO_FLUSH);
    inflateEnd(&header);
    if (headerResult != Z_OK && headerResult != Z_BUF_ERROR)
        return false;
    // A byte of input makes at most 1032; one more shows zlib made no more.
    out.resize(1032 * size + 1);
    z_stream raw{};
    inflateInit2(&raw, -15);
    raw.next_in = const_cast<uint8_t*>(stream + 2);
    raw.avail_in = static_cast<uInt>(size - 2);
    raw.next_out = out.data();
    raw.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&raw, Z_FINISH);
    out.resize(raw.total_out);
    inflateEnd(&raw);
    return result == Z_STREAM_END;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t pieceSize = size_t{data[0]} + 1;
    ++data;
    --size;
    std::vector<uint8_t> ours;
    const Inflater::Sink sink = [&](const uint8_t* bytes, size_t count) {
        ours.insert(ours.end(), bytes, bytes + count);
        return true;
    };
    Inflater inflater;
    bool inflated = true;
    for (size_t at = 0; inflated;) {
        const size_t piece = pieceSize < size - at ? pieceSize : size - at;
        const bool last = at + piece == size;
        inflated = inflater.Feed(data + at, piece, last, sink);
        at += piece;
        if (last)
            break;
    }
    std::vector<uint8_t> theirs;
    if (ZlibInflated(data, size, theirs) != inflated || (inflated && ours != theirs))
        std::abort();
    return 0;
}
