// saver_host: the saver's run and preview as its start-up hands over to
// them, for the tests of the run form and the preview: with "/s" (or no
// switch) it prepares C:\r_mosk, loads the settings beside itself, hides the
// cursor for "/s" and loads the run form; with "/p HWND" it shows the preview
// in that host window.

#include <windows.h>

#include <string>

#include "command_line.h"
#include "preview_form.h"
#include "program.h"
#include "run_form.h"
#include "saver_helpers.h"
#include "settings.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string arguments = ProgramArguments();
    const char mode = ModeLetter(arguments);
    std::unique_ptr<RunForm> run;
    if (mode == 'P') {
        ShowPreview(reinterpret_cast<HWND>(static_cast<intptr_t>(PreviewHostHandle(arguments))));
    } else {
        // Before any window: on a scaled display the capture must have the
        // screen's real pixels.
        MakeDpiAware();
        CreateDirectoryA("C:\\r_mosk", nullptr);
        LoadSettings(ProgramFolder());
        if (mode == 'S')
            CursorCount = ShowCursor(FALSE);
        run = std::make_unique<RunForm>();
        run->Load();
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
