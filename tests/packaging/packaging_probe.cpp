// What Windows' own calls read from the shipped programs, for
// packaging_test.sh:
//
//   packaging_probe resources FILE...  for each file, its string resource 1
//                                      (LoadString) and its version block
//                                      (GetFileVersionInfo), one line each
//   packaging_probe window TITLE open|gone|close
//                                      waits until a window of that title is
//                                      there, or has gone, or asks it to close
//                                      and waits until it has gone; exit
//                                      status 1 when that took over 10 s

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// LoadString of string 1, as Windows' screen saver list reads it.
std::wstring SaverName(const std::wstring& path)
{
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return L"(cannot load)";
    wchar_t text[256] = {};
    const int length = LoadStringW(module, 1, text, 256);
    FreeLibrary(module);
    return length > 0 ? std::wstring(text, length) : L"(none)";
}

void PrintVersionBlock(const std::wstring& path, const std::wstring& name)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data())) {
        wprintf(L"%ls: no version block\n", name.c_str());
        return;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
        length >= sizeof *fixed)
        wprintf(L"%ls: file %u.%u.%u.%u product %u.%u.%u.%u\n", name.c_str(),
                HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS),
                HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
    // The strings of the block's first translation, as Explorer reads them.
    WORD* translation = nullptr;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < 2 * sizeof(WORD)) {
        wprintf(L"%ls: no translation\n", name.c_str());
        return;
    }
    for (const wchar_t* key : {L"FileDescription", L"ProductName", L"FileVersion",
                               L"ProductVersion", L"OriginalFilename", L"LegalCopyright"}) {
        wchar_t query[128];
        swprintf(query, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1],
                 key);
        wchar_t* value = nullptr;
        const bool found =
            VerQueryValueW(block.data(), query, reinterpret_cast<void**>(&value), &length);
        wprintf(L"%ls: %ls=%ls\n", name.c_str(), key, found && length ? value : L"");
    }
}

bool AwaitWindow(const wchar_t* title, bool there)
{
    for (int i = 0; i < 200; ++i) {
        if ((FindWindowW(nullptr, title) != nullptr) == there)
            return true;
        Sleep(50);
    }
    return false;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    const std::wstring verb = argc > 1 ? argv[1] : L"";
    if (verb == L"resources") {
        for (int i = 2; i < argc; ++i) {
            const std::wstring path = argv[i];
            const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
            wprintf(L"%ls: string 1=%ls\n", name.c_str(), SaverName(path).c_str());
            PrintVersionBlock(path, name);
        }
        return 0;
    }
    if (verb == L"window" && argc == 4) {
        const std::wstring await = argv[3];
        if (await == L"close")
            PostMessageW(FindWindowW(nullptr, argv[2]), WM_CLOSE, 0, 0);
        return AwaitWindow(argv[2], await == L"open") ? 0 : 1;
    }
    fwprintf(stderr, L"usage: packaging_probe resources FILE... | window TITLE open|gone|close\n");
    return 2;
}
