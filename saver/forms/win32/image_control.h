#pragma once

#include <windows.h>

// An image control: a child window showing a bitmap resource stretched to
// whatever size the control has.
class ImageControl {
public:
    ImageControl(HWND parent, int resourceId);
    ImageControl(const ImageControl&) = delete;
    ImageControl& operator=(const ImageControl&) = delete;
    ~ImageControl();

    void Place(int x, int y, int width, int height);

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HBITMAP picture_ = nullptr;
};
