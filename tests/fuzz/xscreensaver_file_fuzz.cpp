// Feeds arbitrary text to the edit of ~/.xscreensaver and checks, on every
// file it takes:
//   1. editing its own output changes nothing;
//   2. every line of the file comes back, byte for byte and in order, but
//      the "programs:" and "selected:" lines;
//   3. read by the plain reader below, written apart from the edit, the list
//      is raivel followed by the file's entries, in order;
//   4. "selected:" picks the same display mode, also one of those that
//      xscreensaver appends to the list.
// A file is found to list raivel, switched on or off, exactly when an entry
// runs it so. A refused file gets one line saying why, and no text.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "xscreensaver_file.h"

namespace {

// What xscreensaver 6.06 makes of a settings file, read the way its reader
// goes: a line at a time, a line whose text read so far ends in a backslash
// before the line end (and is longer than two bytes with it) taking the next
// one in its place; at the end of a file without a line end, a backslash
// before the last byte drops both. Then backslash escapes, blanks trimmed,
// comments skipped, the name before the first colon compared without regard
// to case; the last setting of a name counts.
struct Reading {
    bool hasPrograms = false;
    std::string programs;
    bool hasSelected = false;
    std::string selected;
};

std::string Strip(const std::string& text)
{
    const char* blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

Reading Read(const std::string& file)
{
    Reading reading;
    size_t at = 0;
    const auto nextLine = [&](std::string& into) {
        const size_t end = file.find('\n', at);
        const size_t stop = end == std::string::npos ? file.size() : end + 1;
        into += file.substr(at, stop - at);
        at = stop;
    };
    while (at < file.size()) {
        std::string line;
        nextLine(line);
        while (line.size() > 2 && (line.back() != '\n' || line[line.size() - 2] == '\\')) {
            if (line[line.size() - 2] == '\\')
                line.resize(line.size() - 2);
            if (at >= file.size())
                break;
            nextLine(line);
        }
        std::string plain;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '\\') {
                plain += line[i];
                continue;
            }
            if (i + 1 == line.size())
                break;
            const char next = line[++i];
            plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next == 't' ? '\t' : next;
        }
        const std::string text = Strip(plain);
        if (text.empty() || text[0] == '#' || text[0] == '!' || text[0] == ';')
            continue;
        const size_t colon = text.find(':');
        if (colon == std::string::npos)
            continue;
        std::string name = text.substr(0, colon);
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const std::string value = Strip(text.substr(colon + 1));
        if (name == "programs") {
            reading.hasPrograms = true;
            reading.programs = value;
        } else if (name == "selected") {
            reading.hasSelected = true;
            reading.selected = value;
        }
    }
    return reading;
}

// The list's entries: lines of the value, blank ones (spaces and tabs only)
// skipped, each with its runs of blanks shown as one space.
std::vector<std::string> Entries(const std::string& list)
{
    std::vector<std::string> entries;
    std::string entry;
    for (size_t i = 0; i <= list.size(); ++i) {
        if (i < list.size() && list[i] != '\n') {
            entry += list[i];
            continue;
        }
        std::string tidy;
        for (char c : entry) {
            if (c != ' ' && c != '\t')
                tidy += c;
            else if (!tidy.empty() && tidy.back() != ' ')
                tidy += ' ';
        }
        if (!tidy.empty() && tidy.back() == ' ')
            tidy.pop_back();
        if (!tidy.empty())
            entries.push_back(tidy);
        entry.clear();
    }
    return entries;
}

// The display mode "selected:" picks: an entry of the user's list, or past
// its end one of the system's entries that xscreensaver appends to it (all
// of them when the file has no list), or none.
std::string ChosenMode(const Reading& reading)
{
    int selected = -1;
    if (reading.hasSelected && !reading.selected.empty()) {
        char after = 0;
        if (std::sscanf(reading.selected.c_str(), "%d %c", &selected, &after) != 1)
            selected = 0;
    }
    if (selected < 0)
        return "none";
    std::vector<std::string> entries;
    if (reading.hasPrograms)
        entries = Entries(reading.programs);
    if (selected < static_cast<int>(entries.size()))
        return entries[selected];
    return "appended system mode " + std::to_string(selected - entries.size());
}

// How an entry runs raivel, by any path: "on", "off" (switched off by a
// "-" before it) or "no". Raivel is the first word of the command, past the
// "-", a visual ("GL:") and a name in quotes.
std::string RaivelIn(std::string entry)
{
    const char* blanks = " \t\n\v\f\r";
    const auto skip = [&](size_t count) {
        entry.erase(0, count);
        entry.erase(0, entry.find_first_not_of(blanks));
    };
    skip(0);
    const bool off = entry.rfind('-', 0) == 0;
    if (off)
        skip(1);
    const size_t visual = entry.find_first_of(std::string(blanks) + ":\"");
    if (visual != std::string::npos && entry[visual] == ':')
        skip(visual + 1);
    if (entry.rfind('"', 0) == 0)
        skip(std::min(entry.find('"', 1), entry.size() - 1) + 1);
    const std::string program = entry.substr(0, entry.find_first_of(blanks));
    if (program.substr(program.rfind('/') + 1) != "raivel")
        return "no";
    return off ? "off" : "on";
}

// How the file's list runs raivel: "on" in any entry, else "off" in any,
// else "no".
std::string RaivelListed(const Reading& reading)
{
    std::string listed = "no";
    if (reading.hasPrograms)
        for (const std::string& entry : Entries(reading.programs)) {
            const std::string here = RaivelIn(entry);
            if (here == "on")
                return here;
            if (here == "off")
                listed = here;
        }
    return listed;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// Whether a line starts (after blanks) with `name` and a colon, in any case.
bool Names(const std::string& line, const char* name)
{
    size_t at = line.find_first_not_of(" \t\r");
    for (; at != std::string::npos && at < line.size() && *name; ++at, ++name) {
        if (std::tolower(static_cast<unsigned char>(line[at])) != *name)
            return false;
    }
    return !*name && at < line.size() && line[at] == ':';
}

void Check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string file(reinterpret_cast<const char*>(data), size);
    const ListEdit edit = AddRaivelToProgramList(&file);
    if (edit.change == ListChange::Unreadable) {
        Check(edit.text.empty() && !edit.problem.empty(), "a refusal says why and gives no text");
        Check(edit.problem.find('\n') == std::string::npos, "a refusal is one line");
        return 0;
    }
    const Reading before = Read(file);
    const std::string listed = RaivelListed(before);
    if (edit.change == ListChange::AlreadyListed || edit.change == ListChange::SwitchedOff) {
        Check(edit.text.empty(), "nothing changes when raivel is listed");
        Check(listed == (edit.change == ListChange::AlreadyListed ? "on" : "off"),
              "raivel is listed, switched on or off, as an entry runs it");
        return 0;
    }
    Check(listed == "no", "raivel is added only when no entry runs it");

    // 1. Its own output is left alone.
    Check(AddRaivelToProgramList(&edit.text).change == ListChange::AlreadyListed,
          "editing the output changes nothing");

    // 2. Every other line comes back, in order.
    const std::vector<std::string> in = Lines(file), out = Lines(edit.text);
    size_t next = 0;
    for (const std::string& line : in) {
        if (Names(line, "programs") || Names(line, "selected"))
            continue;
        while (next < out.size() && out[next] != line)
            ++next;
        Check(next < out.size(), "every other line comes back in order");
        ++next;
    }

    // 3. The list is raivel followed by the file's entries.
    const Reading after = Read(edit.text);
    Check(after.hasPrograms, "the output has a list");
    std::vector<std::string> expected = {kRaivelEntry};
    if (before.hasPrograms) {
        for (const std::string& entry : Entries(before.programs))
            expected.push_back(entry);
    }
    Check(Entries(after.programs) == expected, "the list is raivel and the file's entries");

    // 4. The same display mode stays chosen.
    Check(ChosenMode(after) == ChosenMode(before), "the chosen mode stays chosen");
    return 0;
}
