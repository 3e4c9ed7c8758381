#pragma once

#include "form.h"
#include "image_control.h"

// The preview: a borderless window made a child of the host window that
// Windows names (the little monitor of the Display settings), filled with
// the built-in still of the storm.
class PreviewForm : public Form {
public:
    PreviewForm();

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend void ShowPreview(HWND host);
    ImageControl image_; // Img_Prev
};

// Shows the preview inside `host`. A host that is no window ends the process
// at once; otherwise the process ends when the preview window goes, which it
// does with its host.
void ShowPreview(HWND host);
