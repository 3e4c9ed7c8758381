#include "xscreensaver_file.h"

#include <cctype>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

const char* const kRaivelEntry = "GL: raivel --root";

namespace {

// Our entry's line in the list, and the line a list of ours starts with.
const char kEntryLine[] =
    "  GL:                         raivel --root                              \\n";
const char kListStart[] = "programs:\t\\";

struct PhysicalLine {
    std::string_view text; // without its line end
    bool ended;            // by a line end (the file's last line may lack one)
    bool continues;        // ends in a backslash: the setting goes on in the next line
};

// A setting: its name, its value with the lines joined, and its lines.
struct Setting {
    std::string name;
    std::string value;
    std::size_t first = 0;
    std::size_t last = 0;
};

struct ParsedFile {
    std::vector<PhysicalLine> lines;
    const Setting* programs = nullptr;
    const Setting* selected = nullptr;
    std::vector<Setting> settings;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
           c == '*';
}

std::vector<PhysicalLine> SplitLines(std::string_view file)
{
    std::vector<PhysicalLine> lines;
    for (std::size_t at = 0; at < file.size();) {
        std::size_t end = file.find('\n', at);
        const bool ended = end != std::string_view::npos;
        if (!ended)
            end = file.size();
        const std::string_view text = file.substr(at, end - at);
        lines.push_back({text, ended, !text.empty() && text.back() == '\\'});
        at = end + 1;
    }
    return lines;
}

// Reads the file's settings; false with `problem` set when a line is neither
// a setting nor a comment, or when the file is not text at all.
bool Parse(std::string_view file, ParsedFile& parsed, std::string& problem)
{
    if (file.size() > kLongestSettingsFile) {
        problem = "it is larger than 1 MiB";
        return false;
    }
    if (file.find('\0') != std::string_view::npos) {
        problem = "it holds binary data";
        return false;
    }
    parsed.lines = SplitLines(file);
    for (std::size_t first = 0; first < parsed.lines.size();) {
        std::size_t last = first;
        std::string joined;
        for (;; ++last) {
            const PhysicalLine& line = parsed.lines[last];
            joined.append(line.text.substr(0, line.text.size() - (line.continues ? 1 : 0)));
            if (!line.continues || last + 1 == parsed.lines.size())
                break;
        }
        const std::string_view text = Trim(joined);
        const std::size_t colon = text.find(':');
        if (!text.empty() && text[0] != '#' && text[0] != '!') {
            const std::string_view name = text.substr(0, colon);
            bool named = colon != std::string_view::npos && !name.empty();
            for (char c : name)
                named = named && IsNameCharacter(c);
            if (!named) {
                problem = "line " + std::to_string(first + 1) +
                          " is neither a \"name: value\" setting nor a comment";
                return false;
            }
            parsed.settings.push_back(
                {std::string(name), std::string(Trim(text.substr(colon + 1))), first, last});
        }
        first = last + 1;
    }
    for (const Setting& setting : parsed.settings) {
        for (auto [name, found] :
             {std::pair{"programs", &parsed.programs}, std::pair{"selected", &parsed.selected}}) {
            if (setting.name != name)
                continue;
            if (*found) {
                problem = std::string("it sets \"") + name + ":\" twice";
                return false;
            }
            *found = &setting;
        }
    }
    return true;
}

// The program an entry of the list runs: the entry without its "-" (turned
// off), its visual ("GL:") and its quoted name.
std::string_view EntryProgram(std::string_view entry)
{
    entry = Trim(entry);
    if (!entry.empty() && entry[0] == '-')
        entry = Trim(entry.substr(1));
    const std::size_t word = entry.find_first_of(" \t");
    if (word != std::string_view::npos && word > 0 && entry[word - 1] == ':')
        entry = Trim(entry.substr(word));
    if (!entry.empty() && entry[0] == '"') {
        const std::size_t close = entry.find('"', 1);
        entry =
            close == std::string_view::npos ? std::string_view() : Trim(entry.substr(close + 1));
    }
    return entry.substr(0, entry.find_first_of(" \t"));
}

bool ListsRaivel(const std::string& programs)
{
    const std::string_view list(programs);
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find("\\n", at);
        if (end == std::string_view::npos)
            end = list.size();
        const std::string_view program = EntryProgram(list.substr(at, end - at));
        const std::size_t slash = program.rfind('/');
        if (program.substr(slash == std::string_view::npos ? 0 : slash + 1) == "raivel")
            return true;
        at = end + 2;
    }
    return false;
}

// Reads "selected:"'s value, a whole number written on its own line.
bool ReadSelected(const ParsedFile& parsed, long& selected, std::string& problem)
{
    const std::string& value = parsed.selected->value;
    std::size_t digits = value.size() > 0 && value[0] == '-' ? 1 : 0;
    bool number = value.size() > digits && value.size() - digits <= 5;
    for (std::size_t i = digits; i < value.size(); ++i)
        number = number && std::isdigit(static_cast<unsigned char>(value[i]));
    if (!number || parsed.selected->first != parsed.selected->last) {
        problem = "\"selected:\" is not a whole number on one line";
        return false;
    }
    selected = std::stol(value);
    return true;
}

void AppendLine(std::string& out, std::string_view text, bool ended = true)
{
    out.append(text);
    if (ended)
        out += '\n';
}

} // namespace

ListEdit AddRaivelToProgramList(const std::string* file)
{
    ListEdit edit;
    if (!file) {
        edit.change = ListChange::Added;
        edit.text = std::string(kListStart) + "\n" + kEntryLine + "\\\n\n";
        return edit;
    }
    ParsedFile parsed;
    long selected = -1;
    if (!Parse(*file, parsed, edit.problem) ||
        (parsed.selected && !ReadSelected(parsed, selected, edit.problem)))
        return edit;
    if (parsed.programs && ListsRaivel(parsed.programs->value)) {
        edit.change = ListChange::AlreadyListed;
        return edit;
    }

    std::string& out = edit.text;
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        const PhysicalLine& line = parsed.lines[i];
        if (parsed.programs && i == parsed.programs->first) {
            // The list's first entry may share the "programs:" line: it then
            // moves to a line of its own, after ours.
            const std::size_t colon = line.text.find(':');
            const std::string_view rest = line.text.substr(colon + 1);
            if (line.continues && Trim(rest.substr(0, rest.size() - 1)).empty()) {
                AppendLine(out, line.text);
                AppendLine(out, std::string(kEntryLine) + "\\");
            } else {
                AppendLine(out, std::string(line.text.substr(0, colon + 1)) + "\t\\");
                AppendLine(out, std::string(kEntryLine) + "\\");
                AppendLine(out, rest, line.ended);
            }
        } else if (parsed.selected && i == parsed.selected->first && selected >= 0) {
            const std::size_t number = line.text.find(parsed.selected->value, line.text.find(':'));
            AppendLine(out,
                       std::string(line.text.substr(0, number)) + std::to_string(selected + 1) +
                           std::string(line.text.substr(number + parsed.selected->value.size())),
                       line.ended);
        } else {
            AppendLine(out, line.text, line.ended);
        }
    }
    if (!parsed.programs) {
        // A setting going on past the file's end is ended first.
        if (!out.empty() && out.back() != '\n')
            out += '\n';
        if (!parsed.lines.empty() && parsed.lines.back().continues)
            out += '\n';
        out += std::string(kListStart) + "\n" + kEntryLine + "\\\n\n";
    }
    edit.change = ListChange::Added;
    return edit;
}
