// settings_ini_probe write|read FOLDER: saves music settings into, or loads
// them from, FOLDER\Raivel.ini through Windows' own profile functions, and
// prints the code page and what it loaded.

#include <windows.h>

#include <cstdio>
#include <string>

#include "settings.h"

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc != 3) {
        std::fprintf(stderr, "usage: settings_ini_probe write|read FOLDER\n");
        return 2;
    }
    const std::string step = argv[1];
    const std::string folder = argv[2];
    std::printf("code page %u\n", GetACP());
    if (step == "write") {
        BgmKind = 2;
        BgmRepeatTrack = 12;
        BgmFile = folder + "\\rain.wav";
        SaveSettings(folder);
        return 0;
    }
    LoadSettings(folder);
    std::printf("kind %d repeat %d file %s folder %s\n", BgmKind, BgmRepeatTrack, BgmFile.c_str(),
                BgmFolder.c_str());
    return 0;
}
