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
    static const bool registered = RegisterWindowClass(
        kImageClass, OwnedWindowProc<ImageControl, &ImageControl::HandleMessage>);
    (void)registered;
    picture_ =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    window_ = CreateWindowExA(0, kImageClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                              nullptr, GetModuleHandleA(nullptr), this);
}

ImageControl::~ImageControl()
{
    if (window_) {
        ForgetWindowOwner(window_);
        DestroyWindow(window_);
    }
    if (picture_)
        DeleteObject(picture_);
}

void ImageControl::Place(int x, int y, int width, int height)
{
    MoveWindow(window_, x, y, width, height, TRUE);
}

LRESULT ImageControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers it all
    case WM_NCDESTROY:
        window_ = nullptr; // gone with its parent
        break;
    case WM_PAINT:
        Paint(window, picture_);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
