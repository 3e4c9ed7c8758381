#include "offscreen_gl.h"

OffscreenGl::OffscreenGl(int width, int height)
    : width_(width), height_(height), buffer_(std::size_t(4) * width * height)
{
    context_ = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (context_ && !OSMesaMakeCurrent(context_, buffer_.data(), GL_UNSIGNED_BYTE, width, height)) {
        OSMesaDestroyContext(context_);
        context_ = nullptr;
    }
}

OffscreenGl::~OffscreenGl()
{
    if (context_)
        OSMesaDestroyContext(context_);
}
