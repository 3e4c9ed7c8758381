// fuzz_seeds TARGET DIR: writes the starting corpus of a fuzz target that
// reads text or plain bytes (xscreensaver_file, command_line,
// raivel_options, number_text, png_shrinker or inflater) into DIR, one file
// per input.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A ~/.xscreensaver as xscreensaver-settings writes it: a heading, the
// settings with tabs before their values, the list one entry a line.
std::string SettingsToolLayout(const std::string& list)
{
    return "# XScreenSaver Preferences File\n"
           "# Written by xscreensaver-settings 6.06 for root on Sat Dec  5 12:00:00 2026.\n"
           "# https://www.jwz.org/xscreensaver/\n"
           "\n"
           "timeout:\t0:10:00\n"
           "cycle:\t\t0:10:00\n"
           "lock:\t\tFalse\n"
           "mode:\t\tone\n"
           "selected:\t2\n"
           "textMode:\tdate\n"
           "textLiteral:\tXScreenSaver\n"
           "\n" +
           list + "\n\npointerHysteresis:  10\nauthWarningSlack:   20\n";
}

const char kToolList[] = "programs:\t\t\t\t\t\t\t\t      \\\n"
                         "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                         "  GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
                         "-\t\t\t\tpyro --root\t\t\t\t    \\n\\\n"
                         "- GL: \"Storm\"\t\t/usr/libexec/xscreensaver/gears -root   \\n\\\n";

// The system's list as this machine's xscreensaver gives it, made a
// "programs:" setting; the short list above where xscreensaver is missing.
std::string SystemList()
{
    std::ifstream in("/etc/X11/app-defaults/XScreenSaver");
    std::string line, list;
    bool inList = false;
    while (std::getline(in, line)) {
        if (!inList && line.rfind("*programs:", 0) == 0) {
            inList = true;
            line.erase(0, 1);
        }
        if (inList) {
            list += line + "\n";
            if (line.empty() || line.back() != '\\')
                break;
        }
    }
    return list.empty() ? kToolList : list;
}

// A command line for raivel_options: the arguments separated by zero bytes.
std::string Arguments(const std::vector<std::string>& arguments)
{
    std::string joined;
    for (const std::string& argument : arguments)
        joined += (joined.empty() ? "" : std::string(1, '\0')) + argument;
    return joined;
}

std::vector<std::string> Seeds(const std::string& target)
{
    if (target == "xscreensaver_file") {
        return {SettingsToolLayout(kToolList),
                SettingsToolLayout(SystemList()),
                "programs: GL: maze -root \\n\\\n  gears -root \\n\\\n",
                "selected: 0\n \\\nprograms:\t\\\n  maze --root \\n\\\n",
                "lock: False\nselected: -1\\",
                "selected: 3\nmode: one\n",
                "Selected: 1\nPrograms: maze --root \\n gears --root\n",
                "programs: GL:raivel --root \\n\\\n",
                "; comment\n# comment \\\n programs: hidden\n! comment\nfade: \\\n"};
    }
    if (target == "command_line") {
        // The first byte chooses the code page: even 1252, odd 932.
        return {std::string(1, '\0') + "\"C:\\Program Files\\Raivel.scr\" /p 1234",
                std::string(1, '\0') + "C:\\WINDOWS\\Raivel.scr   /s",
                std::string(1, '\0') + "Raivel.scr /c:5678",
                std::string(1, '\0') + "Raivel.scr /p -1.5e3 7",
                "\1C:\\\x95\\\x5c\\Raivel.scr /P\x95\x5c 12",
                "\1Raivel.scr /p 12\x81"};
    }
    if (target == "raivel_options") {
        return {Arguments({"-root", "-delay", "20000", "-fps"}),
                Arguments({"--window-id", "0x1a00007", "--print-fps"}),
                Arguments({"--add-to-xscreensaver"}), Arguments({"-delay", "-5"})};
    }
    if (target == "number_text")
        return {" 2", "-1", "1.9", "-0.5", " 32767 ", "+12.", "-32769"};
    if (target == "png_shrinker") {
        // An IHDR's data (width, height, depth, colour type, three zeros),
        // the shrunk size less one each, the palette's entries, the piece
        // size less one, then the palette and the inflated rows.
        const auto png = [](const std::string& header, const std::string& rest) {
            return std::string("\0\0\0\3\0\0\0\2", 8) + header + std::string(3, '\0') + rest;
        };
        return {png("\x08\x00", std::string("\1\1\0\0\0\x32\x14\x15\1\x50\xce\xaa", 12)),
                png("\x08\x00", std::string("\2\1\0\2\3\x32\x14\x15\4\x1e\xec\xaa", 12)),
                png("\x10\x06", std::string("\2\1\0\7", 4) + std::string(50, '\1')),
                png("\x02\x03", std::string("\0\0\2\0\x10\x20\x30\x40\x50\x60\0\x1b\0\x6c", 14))};
    }
    if (target == "inflater") {
        // The size of the pieces less one, then zlib streams of a dynamic, a
        // stored, a fixed and a Huffman-only block.
        return {std::string("\x06\x78\xda\x1d\x89\x81\x09\x00\x00\x08\x83\x6e\xd5\xf5\xff\x0d"
                            "\xad\x40\x26\x43\x14\x46\x2a\x99\xd0\x2d\xe6\xf4\x2f\x17\x71"
                            "\x01\x39\x6a\x0f\x49",
                            36),
                std::string("\xff\x78\x01\x01\x14\x00\xeb\xff\x72\x61\x69\x6e\x20\x72\x61"
                            "\x69\x6e\x20\x72\x61\x69\x6e\x20\x6f\x6e\x20\x74\x68\x4d\x32"
                            "\x07\x38",
                            32),
                std::string("\x00\x78\xda\x4b\x4c\x84\x80\x24\x20\x00\xd1\xc9\xc9\xc9\x60"
                            "\x2e\x88\x48\x49\x49\x44\x92\x85\x80\x44\xac\x80\x3c\xdd\x15"
                            "\x95\x55\x84\x28\x00\x06\x94\x3d\xde",
                            39),
                std::string("\x02\x78\x01\x05\xc1\x01\x01\x00\x00\x08\xc3\xa0\x5d\xfa\x77"
                            "\x16\x06\x00\x00\x70\x55\x55\x55\x55\x55\x55\x03\x00\x00\xb8"
                            "\xaa\xaa\xaa\xaa\xaa\xaa\x01\x00\x00\x5c\x55\x55\x55\x55\x55"
                            "\xd5\x03\x4d\x58\x00\xe2",
                            51)};
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> seeds = argc == 3 ? Seeds(argv[1]) : std::vector<std::string>();
    if (seeds.empty()) {
        std::fprintf(
            stderr,
            "usage: fuzz_seeds "
            "xscreensaver_file|command_line|raivel_options|number_text|png_shrinker|inflater "
            "DIR\n");
        return 2;
    }
    for (size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream out(std::string(argv[2]) + "/seed" + std::to_string(i), std::ios::binary);
        out << seeds[i];
        if (!out)
            return 1;
    }
    return 0;
}
