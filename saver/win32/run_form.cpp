#include "run_form.h"

#include "capture_folder_win32.h"
#include "desktop_background.h"
#include "handoff.h"
#include "music_player.h"
#include "program.h"
#include "resource_ids.h"
#include "saver_helpers.h"
#include "screen_saver_desktop.h"
#include "settings.h"

namespace {

// Timer1: the MP3 restart check; Timer2: the CD poll; Timer3: the renderer
// watch.
constexpr UINT_PTR kMp3Timer = 1;
constexpr UINT_PTR kCdTimer = 2;
constexpr UINT_PTR kWatchTimer = 3;
constexpr UINT kMp3Period = 1000;
constexpr UINT kCdPeriod = 200;
constexpr UINT kWatchPeriod = 100;

// How long a renderer that is still starting gets to show its window.
constexpr DWORD kRendererGrace = 5000;

} // namespace

RunForm::RunForm() : Form(kRunFormCaption, WS_OVERLAPPED | WS_CAPTION), clouds_(IDB_CLOUDS)
{
}

void RunForm::Load(bool capturesPrivate)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    MoveWindow(Window(), 0, 0, width, height, FALSE);
    // No picture of the desktop where others may read it: the run goes on
    // as it does when the files cannot be written.
    if (capturesPrivate) {
        PictureSurface desktop(width, height); // Display(1), for the capture only
        CaptureDesktop(desktop);
        clouds_.SaveAs(kCloudPicturePath, CreatePrivateFile);
        desktop.SaveAs(kDesktopPicturePath, CreatePrivateFile);
    }

    StartMusic();

    // The renderer reads both files: they are written before it starts.
    const std::string rendererPath = ProgramFolder() + "\\" + kRendererFileName;
    renderer_ = StartProgram(rendererPath, SW_SHOWNORMAL);
    rendererStart_ = GetTickCount();
    EnableTimer(kWatchTimer, kWatchPeriod, true);
}

void RunForm::CaptureDesktop(PictureSurface& desktop)
{
    const int width = desktop.Width();
    const int height = desktop.Height();
    if (OnScreenSaverDesktop()) {
        // Windows asks for the password on resume and runs us where none of
        // the user's windows are: their desktop behind the windows instead.
        DrawDesktopBackground(desktop.Dc(), {0, 0, width, height}, VirtualScreen());
    } else {
        HWND desktopWindow = GetDesktopWindow();
        HDC desktopDc = GetDC(desktopWindow);
        // The screen as it is, then turned left to right in memory: the same
        // mirror image as a blit with a negative width, which is several
        // times slower on some systems.
        BitBlt(desktop.Dc(), 0, 0, width, height, desktopDc, 0, 0, SRCCOPY);
        ReleaseDC(desktopWindow, desktopDc);
    }
    desktop.Mirror();
}

void RunForm::StartMusic()
{
    if (BgmKind == 1) {
        CdOpen();
        EnableTimer(kCdTimer, kCdPeriod, true);
    } else if (BgmKind == 2) {
        musicEnding_ = UpperEnding(BgmFile);
        if (musicEnding_ == "WAV")
            WavPlay();
        if (musicEnding_ == "MP3") {
            Mp3Play();
            EnableTimer(kMp3Timer, kMp3Period, true);
        }
    }
}

void RunForm::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kMp3Timer:
        Mp3Loop();
        break;
    case kCdTimer:
        CdPoll();
        EnableTimer(kCdTimer, kCdPeriod, CdReady != 0);
        break;
    case kWatchTimer:
        WatchRenderer();
        break;
    default:
        break;
    }
}

void RunForm::WatchRenderer()
{
    if (FindWindowA(nullptr, kRendererWindowName)) {
        if (renderer_) { // it has started: from now on its window is the run
            CloseHandle(renderer_);
            renderer_ = nullptr;
        }
        return;
    }
    // A renderer still starting (a cold start, a slow disk) gets a few
    // seconds to show its window, unless it has ended already.
    if (renderer_ && WaitForSingleObject(renderer_, 0) == WAIT_TIMEOUT &&
        GetTickCount() - rendererStart_ < kRendererGrace)
        return;
    EnableTimer(kWatchTimer, kWatchPeriod, false);
    OnQueryUnload();
}

void RunForm::OnQueryUnload()
{
    if (TimerEnabled(kCdTimer)) {
        EnableTimer(kCdTimer, kCdPeriod, false);
        CdStop();
    }
    if (BgmKind == 2) {
        if (musicEnding_ == "WAV")
            WavStop();
        if (musicEnding_ == "MP3") {
            EnableTimer(kMp3Timer, kMp3Period, false);
            Mp3Stop();
        }
    }
    if (ModeLetter(ProgramArguments()) == 'S')
        CursorCount = ShowCursor(TRUE);
    ExitProcess(0);
}
