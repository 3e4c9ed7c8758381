#include "preview_form.h"

#include "resource_ids.h"

PreviewForm::PreviewForm() : Form("Preview Window", WS_POPUP), image_(Window(), IDB_PREVIEW)
{
}

LRESULT PreviewForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(Window(), &area);
        HBRUSH grey = CreateSolidBrush(RGB(192, 192, 192));
        FillRect(reinterpret_cast<HDC>(wParam), &area, grey);
        DeleteObject(grey);
        return 1;
    }
    case WM_DESTROY:
        // Gone with the host, or closed: the preview process is over.
        PostQuitMessage(0);
        return 0;
    default:
        return Form::OnMessage(message, wParam, lParam);
    }
}

void ShowPreview(HWND host)
{
    RECT hostArea;
    if (!IsWindow(host) || !GetWindowRect(host, &hostArea))
        ExitProcess(0);
    const int width = hostArea.right - hostArea.left;
    const int height = hostArea.bottom - hostArea.top;

    static PreviewForm form; // lives as long as the process
    HWND window = form.Window();
    // A child cannot be a pop-up as well: it trades that bit for WS_CHILD.
    SetWindowLongA(window, GWL_STYLE, (GetWindowLongA(window, GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
    SetParent(window, host);
    MoveWindow(window, 0, 0, width, height, FALSE);
    form.image_.Place(0, 0, width, height);
    ShowWindow(window, SW_SHOW);
}
