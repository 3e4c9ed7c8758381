// Raivel.scr's start-up under Wine: the single-instance check and the
// switches that end at once.
//
// Usage: startup_test PATH/TO/Raivel.scr [gtest options]

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "real_input.h"
#include "scratch_folder.h"
#include "wine_paths.h"

namespace {

std::string g_saverPath;
const char kWorkingDirectory[] = "C:\\r_mosk";

// Empties and removes the working directory, so that its creation shows.
void RemoveWorkingDirectory()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("C:\\r_mosk\\*", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((std::string(kWorkingDirectory) + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(kWorkingDirectory);
}

bool WorkingDirectoryExists()
{
    const DWORD attributes = GetFileAttributesA(kWorkingDirectory);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Starts the saver at `path` with `arguments`; its process, or null.
HANDLE StartSaver(const std::string& path, const std::string& arguments)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + path + "\" " + arguments;
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The saver's exit code once it ended within `timeoutMs`, else -1 (and it
// is ended). The process handle is closed.
long FinishSaver(HANDLE process, DWORD timeoutMs)
{
    long result = -1;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        result = static_cast<long>(code);
    } else {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
    return result;
}

// Runs the built saver with `arguments`: its exit code, as FinishSaver
// gives it, or -2 when it could not start.
long RunSaver(const std::string& arguments, DWORD timeoutMs)
{
    HANDLE process = StartSaver(g_saverPath, arguments);
    return process ? FinishSaver(process, timeoutMs) : -2;
}

} // namespace

TEST(Startup, BusySaverOrOpenDialogEndsEveryModeAtOnce)
{
    for (const char* busy : {"Zandrel_Main", "<Raivel>"}) {
        // Hidden, as a running saver's window is.
        HWND window = CreateWindowExA(0, "STATIC", busy, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        for (const char* arguments : {"/s", "/S", "/c", "/p 1234", "", "/x"}) {
            RemoveWorkingDirectory();
            EXPECT_EQ(RunSaver(arguments, 5000), 0) << busy << " " << arguments;
            EXPECT_FALSE(WorkingDirectoryExists()) << busy << " " << arguments;
            EXPECT_EQ(FindWindowA(nullptr, "Zandrel_VC"), nullptr);
        }
        DestroyWindow(window);
    }
}

TEST(Startup, UnknownSwitchPreparesTheDirectoryAndEnds)
{
    RemoveWorkingDirectory();
    EXPECT_EQ(RunSaver("/x", 5000), 0);
    EXPECT_TRUE(WorkingDirectoryExists());
    EXPECT_EQ(FindWindowA(nullptr, "Zandrel_Main"), nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "<Raivel>"), nullptr);
}

TEST(Startup, SettingsSwitchShowsTheDialogAndSetEndsTheProcess)
{
    // Raivel.scr in a folder of its own, which will hold its Raivel.ini.
    const auto folder = ScratchFolder("raivel-startup-settings");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string saver = (folder / "Raivel.scr").string();
    ASSERT_TRUE(CopyFileA(g_saverPath.c_str(), saver.c_str(), FALSE));

    HANDLE process = StartSaver(saver, "/c:5678");
    ASSERT_NE(process, nullptr);
    HWND dialog = nullptr;
    for (int i = 0; i < 500 && !(dialog && IsWindowVisible(dialog)); ++i) {
        dialog = FindWindowA(nullptr, "<Raivel>");
        Sleep(20);
    }
    ASSERT_NE(dialog, nullptr);
    Sleep(700); // painted and animated
    HWND panel = FindWindowExA(dialog, nullptr, "RaivelPanel", nullptr);
    HWND repeat = FindWindowExW(panel, nullptr, L"ComboBox", nullptr);
    ASSERT_TRUE(panel && repeat);

    Click(panel, {28 + 6, 56 + 6}); // the CD's indicator
    Click(repeat, {10, 10});
    SendMessageW(repeat, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    Type("12");
    Click(dialog, {324 + 38, 200 + 12}); // Set

    EXPECT_EQ(FinishSaver(process, 5000), 0);

    // The three keys in order, as Shift-JIS bytes (Wine drops the blank
    // before a number when it writes).
    std::string text;
    {
        std::ifstream ini(folder / "Raivel.ini", std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(ini), std::istreambuf_iterator<char>());
    }
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    EXPECT_EQ(text, "[Section]\nBGM\x8B\xE6\x95\xAA=1\nBGM\xD8\xCB\xDF\xB0\xC4=12\n"
                    "BGM\xCC\xA7\xB2\xD9=\n");
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_test PATH/TO/Raivel.scr [gtest options]\n");
        return 2;
    }
    g_saverPath = WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
