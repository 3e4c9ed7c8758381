#include "inflater.h"

#include <algorithm>
#include <iterator>

namespace {

// Each length symbol's (257 to 285) and each distance symbol's shortest
// length or distance, and the extra bits that add to it.
const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                  2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistanceBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                    6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order of the code-length code's lengths in a dynamic block's header.
const uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                      11, 4,  12, 3, 13, 2, 14, 1, 15};

constexpr int kEndOfBlock = 256;
constexpr int kLastLength = 285;
constexpr int kLastDistance = 29;
constexpr int kLongestCode = 15;

uint32_t Reversed(uint32_t code, int length)
{
    uint32_t reversed = 0;
    for (int bit = 0; bit < length; ++bit)
        reversed |= (code >> bit & 1) << (length - 1 - bit);
    return reversed;
}

} // namespace

// The code whose symbols have `lengths` (0: none). False for a code that
// gives more codes than its lengths allow, or leaves some unused: zlib
// allows that only of a lone one-bit code, or of distances none (a block
// with no back-references), and a damaged stream is refused as zlib does.
bool Inflater::Build(const uint8_t* lengths, int count, bool codeLengths, Code& code)
{
    std::fill(std::begin(code.table), std::end(code.table), 0);
    std::fill(std::begin(code.counts), std::end(code.counts), 0);
    for (int symbol = 0; symbol < count; ++symbol)
        ++code.counts[lengths[symbol]];
    code.counts[0] = 0;
    int unused = 1; // codes of the length so far not yet given
    int longest = 0;
    uint16_t firstIndex[kLongestCode + 1] = {};
    uint32_t nextCode[kLongestCode + 1] = {};
    for (int length = 1; length <= kLongestCode; ++length) {
        unused = 2 * unused - code.counts[length];
        if (unused < 0)
            return false;
        if (code.counts[length])
            longest = length;
        if (length < kLongestCode) {
            firstIndex[length + 1] = firstIndex[length] + code.counts[length];
            nextCode[length + 1] = (nextCode[length] + code.counts[length]) << 1;
        }
    }
    if (longest == 0)
        return !codeLengths;
    if (unused > 0 && (codeLengths || longest != 1))
        return false;
    for (int symbol = 0; symbol < count; ++symbol) {
        const int length = lengths[symbol];
        if (!length)
            continue;
        code.symbols[firstIndex[length]++] = static_cast<uint16_t>(symbol);
        if (length > Code::kTableBits)
            continue;
        const uint16_t entry = static_cast<uint16_t>(symbol << 4 | length);
        for (uint32_t slot = Reversed(nextCode[length]++, length); slot < (1u << Code::kTableBits);
             slot += 1u << length)
            code.table[slot] = entry;
    }
    return true;
}

bool Inflater::Feed(const uint8_t* bytes, size_t size, bool last, const Sink& sink)
{
    if (stage_ == Stage::kDamaged)
        return false;
    if (stage_ == Stage::kEnded || satisfied_)
        return true;
    input_.insert(input_.end(), bytes, bytes + size);
    sink_ = &sink;
    Step step = Step::kDone;
    while (step == Step::kDone && !satisfied_) {
        if (stage_ == Stage::kHeader)
            step = ReadHeader();
        else if (stage_ == Stage::kBlock)
            step = ReadBlockHeader();
        else if (stage_ == Stage::kStored)
            step = CopyStored();
        else if (stage_ == Stage::kCoded)
            step = DecodeSymbols();
        else
            break;
    }
    Flush();
    sink_ = nullptr;
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(bit_ / 8));
    bit_ %= 8;
    if (step == Step::kDamaged || (step == Step::kStarved && last && !satisfied_)) {
        stage_ = Stage::kDamaged;
        return false;
    }
    return true;
}

// The next 32 bits of the input (at least 25 of them read), zeros past its end.
uint32_t Inflater::Peek() const
{
    const size_t at = bit_ / 8;
    uint64_t bits = 0;
    for (size_t i = 0; i < 4 && at + i < input_.size(); ++i)
        bits |= uint64_t{input_[at + i]} << (8 * i);
    return static_cast<uint32_t>(bits >> (bit_ % 8));
}

size_t Inflater::BitsLeft() const
{
    return input_.size() * 8 - bit_;
}

// The next `count` bits (at most 16) as a number, first bit lowest; false,
// reading none, where the input holds fewer.
bool Inflater::Take(int count, uint32_t& value)
{
    if (BitsLeft() < static_cast<size_t>(count))
        return false;
    value = Peek() & ((1u << count) - 1);
    bit_ += count;
    return true;
}

// The next symbol of `code`, or -1 for bits that are no code of it; false,
// reading none, where the input holds too few bits to tell.
bool Inflater::Decode(const Code& code, int& symbol)
{
    const uint32_t bits = Peek();
    const uint16_t entry = code.table[bits & ((1u << Code::kTableBits) - 1)];
    if (entry) {
        if (BitsLeft() < (entry & 15u))
            return false;
        bit_ += entry & 15u;
        symbol = entry >> 4;
        return true;
    }
    // A longer code, one length at a time: the codes of each length follow
    // on from the shorter ones', counted from its first.
    int value = 0;
    int first = 0;
    int index = 0;
    for (int length = 1; length <= kLongestCode; ++length) {
        if (BitsLeft() < static_cast<size_t>(length))
            return false;
        value |= bits >> (length - 1) & 1;
        const int count = code.counts[length];
        if (value - first < count) {
            bit_ += length;
            symbol = code.symbols[index + value - first];
            return true;
        }
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    symbol = -1;
    return true;
}

// The stream's two header bytes: deflate with a window of at most 32 KB, no
// preset dictionary, their check a multiple of 31.
Inflater::Step Inflater::ReadHeader()
{
    uint32_t header;
    if (!Take(16, header))
        return Step::kStarved;
    const uint32_t method = header & 0xff;
    const uint32_t flags = header >> 8;
    if ((method << 8 | flags) % 31 || (method & 15) != 8 || method >> 4 > 7 || flags & 0x20)
        return Step::kDamaged;
    stage_ = Stage::kBlock;
    return Step::kDone;
}

// A block's header, read whole or not at all.
Inflater::Step Inflater::ReadBlockHeader()
{
    const size_t start = bit_;
    uint32_t type;
    if (!Take(3, type))
        return Step::kStarved;
    lastBlock_ = type & 1;
    type >>= 1;
    Step step = Step::kDone;
    if (type == 0) {
        bit_ = (bit_ + 7) / 8 * 8;
        uint32_t length;
        uint32_t check;
        if (!Take(16, length) || !Take(16, check))
            step = Step::kStarved;
        else if ((length ^ 0xffff) != check)
            return Step::kDamaged;
        else
            storedLeft_ = length;
    } else if (type == 1) {
        uint8_t lengths[288 + 32];
        std::fill(lengths, lengths + 144, 8);
        std::fill(lengths + 144, lengths + 256, 9);
        std::fill(lengths + 256, lengths + 280, 7);
        std::fill(lengths + 280, lengths + 288, 8);
        std::fill(lengths + 288, lengths + 320, 5);
        Build(lengths, 288, false, lengths_);
        Build(lengths + 288, 32, false, distances_);
    } else if (type == 2) {
        step = ReadCodes();
    } else {
        return Step::kDamaged;
    }
    if (step == Step::kStarved)
        bit_ = start;
    else if (step == Step::kDone)
        stage_ = type == 0 ? Stage::kStored : Stage::kCoded;
    return step;
}

// A dynamic block's codes: the code-length code, then the lengths of the
// literal and length code's symbols and of the distance code's.
Inflater::Step Inflater::ReadCodes()
{
    uint32_t lengthCount;
    uint32_t distanceCount;
    uint32_t codeLengthCount;
    if (!Take(5, lengthCount) || !Take(5, distanceCount) || !Take(4, codeLengthCount))
        return Step::kStarved;
    lengthCount += 257;
    distanceCount += 1;
    codeLengthCount += 4;
    if (lengthCount > kLastLength + 1 || distanceCount > kLastDistance + 1)
        return Step::kDamaged;
    uint8_t codeLengths[19] = {};
    for (uint32_t i = 0; i < codeLengthCount; ++i) {
        uint32_t length;
        if (!Take(3, length))
            return Step::kStarved;
        codeLengths[kCodeLengthOrder[i]] = static_cast<uint8_t>(length);
    }
    Code codeLengthCode;
    if (!Build(codeLengths, 19, true, codeLengthCode))
        return Step::kDamaged;
    uint8_t lengths[kLastLength + 1 + kLastDistance + 1] = {};
    const uint32_t total = lengthCount + distanceCount;
    for (uint32_t i = 0; i < total;) {
        int symbol;
        if (!Decode(codeLengthCode, symbol))
            return Step::kStarved;
        if (symbol < 0)
            return Step::kDamaged;
        if (symbol < 16) {
            lengths[i++] = static_cast<uint8_t>(symbol);
            continue;
        }
        // 16 repeats the last length 3 to 6 times, 17 and 18 give 3 to 10
        // and 11 to 138 zeros.
        const int extraBits = symbol == 16 ? 2 : symbol == 17 ? 3 : 7;
        uint32_t repeat;
        if (!Take(extraBits, repeat))
            return Step::kStarved;
        repeat += symbol == 18 ? 11 : 3;
        if ((symbol == 16 && i == 0) || repeat > total - i)
            return Step::kDamaged;
        const uint8_t length = symbol == 16 ? lengths[i - 1] : 0;
        std::fill(lengths + i, lengths + i + repeat, length);
        i += repeat;
    }
    if (!lengths[kEndOfBlock] || !Build(lengths, static_cast<int>(lengthCount), false, lengths_) ||
        !Build(lengths + lengthCount, static_cast<int>(distanceCount), false, distances_))
        return Step::kDamaged;
    return Step::kDone;
}

// A stored block's bytes, as many as have come.
Inflater::Step Inflater::CopyStored()
{
    const size_t count = std::min<size_t>(storedLeft_, input_.size() - bit_ / 8);
    for (size_t i = 0; i < count; ++i)
        Put(input_[bit_ / 8 + i]);
    bit_ += 8 * count;
    storedLeft_ -= static_cast<uint32_t>(count);
    if (storedLeft_)
        return Step::kStarved;
    stage_ = lastBlock_ ? Stage::kEnded : Stage::kBlock;
    return Step::kDone;
}

// A coded block's symbols up to its end, each read whole or not at all.
Inflater::Step Inflater::DecodeSymbols()
{
    const size_t windowMask = window_.size() - 1;
    while (!satisfied_) {
        const size_t start = bit_;
        int symbol;
        if (!Decode(lengths_, symbol))
            return Step::kStarved;
        if (symbol < 0 || symbol > kLastLength)
            return Step::kDamaged;
        if (symbol < kEndOfBlock) {
            Put(static_cast<uint8_t>(symbol));
            continue;
        }
        if (symbol == kEndOfBlock) {
            stage_ = lastBlock_ ? Stage::kEnded : Stage::kBlock;
            return Step::kDone;
        }
        // A back-reference: a length, then a distance.
        const int lengthSymbol = symbol - kEndOfBlock - 1;
        uint32_t length;
        int distanceSymbol;
        uint32_t distance;
        if (!Take(kLengthExtra[lengthSymbol], length) || !Decode(distances_, distanceSymbol)) {
            bit_ = start;
            return Step::kStarved;
        }
        if (distanceSymbol < 0 || distanceSymbol > kLastDistance)
            return Step::kDamaged;
        if (!Take(kDistanceExtra[distanceSymbol], distance)) {
            bit_ = start;
            return Step::kStarved;
        }
        length += kLengthBase[lengthSymbol];
        distance += kDistanceBase[distanceSymbol];
        if (distance > total_)
            return Step::kDamaged;
        for (uint32_t i = 0; i < length; ++i)
            Put(window_[(made_ + window_.size() - distance) & windowMask]);
    }
    return Step::kDone;
}

void Inflater::Put(uint8_t byte)
{
    window_[made_++] = byte;
    ++total_;
    if (made_ == window_.size()) {
        Flush();
        made_ = 0;
        given_ = 0;
    }
}

// Gives the sink what the window holds that it has not had.
void Inflater::Flush()
{
    if (!satisfied_ && made_ > given_)
        satisfied_ = !(*sink_)(window_.data() + given_, made_ - given_);
    given_ = made_;
}
