#include "image_control.h"
#include "window_class.h"

namespace {

const char kImageClass[] = "RaivelImage";

void Paint(HWND window, HBITMAP picture)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    BITMAP info = {};
    RECT area;
    GetClientRect(window, &area);
    if (picture && GetObjectA(picture, sizeof info, &info)) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(source, picture);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, info.bmWidth, info.bmHeight,
                   SRCCOPY);
        SelectObject(source, previous);
        DeleteDC(source);
    }
    EndPaint(window, &paint);
}

} // namespace

ImageControl::ImageControl(HWND parent, int resourceId)
{
    static const bool registered = RegisterWindowClass(kImageClass, WindowProc);
    (void)registered;
    picture_ =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    window_ = CreateWindowExA(0, kImageClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                              nullptr, GetModuleHandleA(nullptr), picture_);
}

ImageControl::~ImageControl()
{
    if (IsWindow(window_))
        DestroyWindow(window_);
    if (picture_)
        DeleteObject(picture_);
}

void ImageControl::Place(int x, int y, int width, int height)
{
    MoveWindow(window_, x, y, width, height, TRUE);
}

LRESULT CALLBACK ImageControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_ERASEBKGND:
        return 1; // the picture covers it all
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    case WM_PAINT:
        Paint(window, reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
