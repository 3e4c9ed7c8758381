#pragma once

#include <string>

#include "form.h"
#include "picture_surface.h"

// The run: a hidden form that copies the screen, mirrored, and the cloud
// picture into the capture files, starts the music and the renderer, and
// ends the saver when the renderer's window is gone. A second start finds
// it by its caption (handoff.h).

class RunForm : public Form {
public:
    RunForm();

    // The start of the run, in one pass. The pictures are written only when
    // `capturesPrivate`: the capture folder is the user's own and private.
    void Load(bool capturesPrivate);

protected:
    void OnTimer(UINT_PTR id) override;
    // Stops the music, gives the cursor back (in run mode) and ends the
    // process at once.
    void OnQueryUnload() override;

private:
    // Copies the screen, mirrored, into `desktop`, a picture of its size; on
    // the Screen-saver desktop the primary monitor's wallpaper instead.
    static void CaptureDesktop(PictureSurface& desktop);
    void StartMusic();
    void WatchRenderer();

    PictureSurface clouds_;     // Display(0)
    std::string musicEnding_;   // "WAV", "MP3" or anything else
    HANDLE renderer_ = nullptr; // until its window has been seen
    DWORD rendererStart_ = 0;
};
