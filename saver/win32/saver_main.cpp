// Raivel.scr: the screen saver's start-up. Windows starts it with /s (run),
// /p <window> (preview in that window) or /c (settings); it refuses to start
// while a run or the settings dialog is already there.

#include <windows.h>

#include <memory>
#include <string>

#include "capture_folder_win32.h"
#include "command_line.h"
#include "handoff.h"
#include "preview_form.h"
#include "program.h"
#include "run_form.h"
#include "saver_helpers.h"
#include "settings.h"
#include "settings_dialog.h"

namespace {

void RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A run or the settings dialog is there already (hidden windows count).
    if (FindWindowA(nullptr, kRunFormCaption) || FindWindowA(nullptr, kSettingsCaption))
        ExitProcess(0);

    const std::string arguments = ProgramArguments();
    const StartMode mode = StartModeOf(arguments);
    if (mode == StartMode::Preview) {
        ShowPreview(reinterpret_cast<HWND>(static_cast<intptr_t>(PreviewHostHandle(arguments))));
        RunMessageLoop();
        return 0;
    }

    Win32CaptureFolder captureFolder(kCaptureFolder);
    const bool capturesPrivate = PrepareCaptureFolder(captureFolder);
    const std::string folder = ProgramFolder();
    LoadSettings(folder);
    if (mode == StartMode::Settings) {
        ShowSettingsDialog(folder);
        ExitProcess(0);
    }
    if (mode == StartMode::Unknown)
        ExitProcess(0);

    // Before any window of the run: on a scaled display the capture must
    // have the screen's real pixels.
    MakeDpiAware();
    if (mode == StartMode::Run)
        CursorCount = ShowCursor(FALSE);
    // A folder of the user's own that could not be made private gets no
    // pictures of this run, and keeps none of an earlier one: the renderer
    // must not show an older desktop.
    if (!capturesPrivate && !CaptureFolderRefused(captureFolder)) {
        DeleteFileA(kCloudPicturePath);
        DeleteFileA(kDesktopPicturePath);
    }
    RunForm run;
    run.Load(capturesPrivate);
    RunMessageLoop();
    return 0;
}
