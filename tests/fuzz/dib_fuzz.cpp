// Feeds arbitrary bytes to the bitmap checks and, for what they accept, to the
// portable conversion. Every byte of every row handed out is read, so that a
// row reaching past its buffer shows up under the address sanitizer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dib_convert.h"
#include "dib_layout.h"

namespace {

volatile uint32_t g_rowSum;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DibLayout layout;
    if (ReadDibLayout(data, size, layout) != LoadFailure::None)
        return 0;

    const size_t rowBytes = size_t{3} * layout.width;
    int32_t nextRow = 0;
    const LoadFailure failure = ConvertDibPortable(layout, [&](int32_t row, const uint8_t* bgr) {
        // Rows come once each, bottom row first.
        if (row != nextRow++)
            std::abort();
        uint32_t sum = 0;
        for (size_t i = 0; i < rowBytes; ++i)
            sum += bgr[i];
        g_rowSum = sum;
    });
    if (failure == LoadFailure::None && nextRow != layout.height)
        std::abort();
    return 0;
}
