#include "desktop_picture.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>

#include "image_helper.h"

namespace {

// Where one colour channel sits in a pixel, and how it scales to 8 bits.
struct ChannelMask {
    explicit ChannelMask(unsigned long bits) : mask(bits)
    {
        while (mask && !(mask >> shift & 1))
            ++shift;
        top = mask >> shift;
    }
    uint8_t operator()(unsigned long pixel) const
    {
        const unsigned long value = (pixel & mask) >> shift;
        return static_cast<uint8_t>(top == 255 ? value : top ? value * 255 / top : 0);
    }

    unsigned long mask;
    int shift = 0;
    unsigned long top = 0;
};

// Reads an area of a drawable whose pixels follow `visual` into a picture,
// mirrored and bottom-up. Null for visuals without colour masks, for an
// unreadable area and for an all-black one.
RgbImage* ReadMirrored(Display* display, Drawable drawable, const Visual* visual, int x, int y,
                       int width, int height)
{
    if ((visual->c_class != TrueColor && visual->c_class != DirectColor) || width <= 0 ||
        height <= 0)
        return nullptr;
    XImage* area = XGetImage(display, drawable, x, y, static_cast<unsigned>(width),
                             static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!area)
        return nullptr;
    const size_t rowBytes = size_t{3} * static_cast<size_t>(width);
    auto* pixels = static_cast<uint8_t*>(std::malloc(rowBytes * static_cast<size_t>(height)));
    auto* image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    const ChannelMask red(visual->red_mask), green(visual->green_mask), blue(visual->blue_mask);
    uint8_t lit = 0;
    if (pixels && image) {
        *image = RgbImage{width, height, pixels};
        for (int row = 0; row < height; ++row) {
            uint8_t* out = pixels + static_cast<size_t>(height - 1 - row) * rowBytes;
            for (int column = width - 1; column >= 0; --column, out += 3) {
                const unsigned long pixel = XGetPixel(area, column, row);
                out[0] = red(pixel);
                out[1] = green(pixel);
                out[2] = blue(pixel);
                lit |= out[0] | out[1] | out[2];
            }
        }
    }
    XDestroyImage(area);
    if (!lit) {
        std::free(pixels);
        std::free(image);
        return nullptr;
    }
    return image;
}

RgbImage* ReadFromImageHelper(Display* display, Window window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    const Pixmap pixmap = XCreatePixmap(display, window, static_cast<unsigned>(attributes.width),
                                        static_cast<unsigned>(attributes.height),
                                        static_cast<unsigned>(attributes.depth));
    XSync(display, False);
    RgbImage* picture = nullptr;
    if (RunImageHelper(window, pixmap))
        picture = ReadMirrored(display, pixmap, attributes.visual, 0, 0, attributes.width,
                               attributes.height);
    XFreePixmap(display, pixmap);
    return picture;
}

RgbImage* ReadFromRoot(Display* display, Window window, bool ownWindow)
{
    XWindowAttributes root;
    XGetWindowAttributes(display, DefaultRootWindow(display), &root);
    int left = 0;
    int top = 0;
    int right = root.width;
    int bottom = root.height;
    if (!ownWindow && window != DefaultRootWindow(display)) {
        XWindowAttributes attributes;
        XGetWindowAttributes(display, window, &attributes);
        Window child;
        XTranslateCoordinates(display, window, root.root, 0, 0, &left, &top, &child);
        right = std::min(right, left + attributes.width);
        bottom = std::min(bottom, top + attributes.height);
        left = std::max(left, 0);
        top = std::max(top, 0);
    }
    return ReadMirrored(display, root.root, root.visual, left, top, right - left, bottom - top);
}

} // namespace

RgbImage* GrabDesktopPicture(Display* display, Window window, bool ownWindow)
{
    const char* saver = std::getenv("XSCREENSAVER_WINDOW");
    if (saver && *saver)
        return ReadFromImageHelper(display, window);
    return ReadFromRoot(display, window, ownWindow);
}
