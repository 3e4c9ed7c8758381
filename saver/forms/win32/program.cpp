#include "program.h"

#include "command_line.h"
#include "saver_helpers.h"

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = FolderOf(std::string(path, length));
    if (folder.size() == 2 && folder[1] == ':')
        folder += '\\'; // a drive's root
    return folder;
}

std::string ProgramArguments()
{
    return ArgumentText(GetCommandLineA());
}

void MakeDpiAware()
{
    // Per-monitor awareness where Windows has it (10, 1703 on), otherwise
    // the system-wide kind.
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto setContext = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    if (!setContext || !setContext(perMonitorV2))
        SetProcessDPIAware();
}

HANDLE StartProgram(const std::string& path, int showState)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}
