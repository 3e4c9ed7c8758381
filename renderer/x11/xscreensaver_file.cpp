#include "xscreensaver_file.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <optional>
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
    bool continues;        // with its line end, joins the next line to its setting
};

// A setting: its name in lower case, its value as xscreensaver reads it, and
// where its name and number stand.
struct Setting {
    std::string name;
    std::string value;            // escapes read, blanks around it dropped
    std::string valueUntrimmed;   // escapes read
    std::size_t nameLine = 0;     // the line holding the name...
    std::size_t colon = 0;        // ...and its colon at this place in it,
    bool colonOnNameLine = false; // when it does
    std::string_view number;      // a whole number alone on the name line, if so
};

struct ParsedFile {
    std::vector<PhysicalLine> lines;
    std::vector<Setting> settings;
    const Setting* programs = nullptr;
    const Setting* selected = nullptr;
    // The last setting as read so far, when the file's last line joins the
    // next: an appended line would go on with it.
    std::string openEnd;
};

std::string_view Trim(std::string_view text, std::string_view blanks = " \t\r")
{
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool IsNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
           c == '*';
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// xscreensaver joins a line to the next when what it has read of the setting,
// the line end included, is longer than two bytes and ends in a backslash
// and the line end: the backslash goes.
bool JoinsNext(const std::string& read)
{
    return read.size() + 1 > 2 && read.back() == '\\';
}

// The escapes of a setting's text read: "\n", "\t", "\r", "\x" for x; a
// backslash at the very end stands for nothing.
std::string Unescape(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
        } else if (++i < text.size()) {
            const char c = text[i];
            out += c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
        }
    }
    return out;
}

std::vector<PhysicalLine> SplitLines(std::string_view file)
{
    std::vector<PhysicalLine> lines;
    for (std::size_t at = 0; at < file.size();) {
        std::size_t end = file.find('\n', at);
        const bool ended = end != std::string_view::npos;
        if (!ended)
            end = file.size();
        lines.push_back({file.substr(at, end - at), ended, false});
        at = end + 1;
    }
    return lines;
}

std::string LineProblem(std::size_t line, const char* what)
{
    return "line " + std::to_string(line + 1) + " " + what;
}

// Reads the setting whose lines are `first` to `last`, joined into `text`,
// line i's bytes starting at starts[i - first]; false when the lines are
// neither a setting nor a comment nor blank.
bool ReadSetting(const std::string& text, const std::vector<std::size_t>& starts, std::size_t first,
                 ParsedFile& parsed)
{
    // Blank and comment lines are told apart once the escapes are read.
    const std::string plain = Unescape(text);
    const std::size_t shown = plain.find_first_not_of(" \t\r\n");
    if (shown == std::string::npos || plain[shown] == '#' || plain[shown] == '!' ||
        plain[shown] == ';')
        return true;
    const std::size_t begin = text.find_first_not_of(" \t\r");
    const std::size_t colon = text.find(':', begin);
    const std::string_view name = std::string_view(text).substr(begin, colon - begin);
    bool named = colon != std::string::npos && !name.empty();
    for (char c : name)
        named = named && IsNameCharacter(c);
    if (!named)
        return false;

    // The line of a place in the joined text.
    const auto lineOf = [&](std::size_t at) {
        std::size_t i = 0;
        while (i + 1 < starts.size() && starts[i + 1] <= at)
            ++i;
        return i;
    };
    Setting setting;
    setting.name = Lower(name);
    setting.valueUntrimmed = Unescape(std::string_view(text).substr(colon + 1));
    setting.value = std::string(Trim(setting.valueUntrimmed, " \t\r\n"));
    const std::size_t nameLine = lineOf(begin);
    setting.nameLine = first + nameLine;
    setting.colonOnNameLine = lineOf(colon) == nameLine;
    setting.colon = colon - starts[nameLine];
    // A number: blanks, an optional minus and digits, then blanks to the end.
    const std::string_view after = std::string_view(text).substr(colon + 1);
    const std::string_view value = Trim(after);
    std::size_t digits = !value.empty() && value[0] == '-' ? 1 : 0;
    bool number = value.size() > digits && value.size() - digits <= 5;
    for (std::size_t i = digits; i < value.size(); ++i)
        number = number && std::isdigit(static_cast<unsigned char>(value[i]));
    const std::size_t numberAt = colon + 1 + (value.data() - after.data());
    if (number && setting.colonOnNameLine && lineOf(numberAt + value.size() - 1) == nameLine)
        setting.number =
            parsed.lines[setting.nameLine].text.substr(numberAt - starts[nameLine], value.size());
    parsed.settings.push_back(std::move(setting));
    return true;
}

// Reads the file as xscreensaver 6.06 reads it; false with `problem` set when
// a line is neither a setting nor a comment, or when xscreensaver could read
// the file otherwise than we do.
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
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        if (parsed.lines[i].text.size() > kLongestSettingsLine) {
            problem = LineProblem(i, "is longer than xscreensaver reads in one piece");
            return false;
        }
    }
    for (std::size_t first = 0; first < parsed.lines.size();) {
        std::size_t last = first;
        std::string joined;
        std::vector<std::size_t> starts;
        for (;; ++last) {
            PhysicalLine& line = parsed.lines[last];
            starts.push_back(joined.size());
            joined.append(line.text);
            line.continues = JoinsNext(joined);
            if (!line.ended && joined.size() > 2 && joined[joined.size() - 2] == '\\') {
                // xscreensaver drops both bytes.
                problem = LineProblem(last, "has no line end and a backslash before its last byte");
                return false;
            }
            if (line.continues) {
                // An empty line takes the backslash of a line before it.
                joined.pop_back();
                starts.back() = std::min(starts.back(), joined.size());
            }
            if (!line.continues || last + 1 == parsed.lines.size())
                break;
        }
        if (parsed.lines[last].continues)
            parsed.openEnd = joined;
        if (!ReadSetting(joined, starts, first, parsed)) {
            problem = LineProblem(first, "is neither a \"name: value\" setting nor a comment");
            return false;
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
    if (parsed.programs && !parsed.programs->colonOnNameLine) {
        problem = "\"programs:\" is split over two lines";
        return false;
    }
    if (parsed.programs && parsed.programs->valueUntrimmed.find('\r') != std::string::npos) {
        problem = "the \"programs:\" list holds a carriage return";
        return false;
    }
    return true;
}

// The program an entry of the list runs, as xscreensaver reads the entry:
// without its "-" (switched off, and `on` false), its visual ("GL:") and its
// quoted name.
std::string_view EntryProgram(std::string_view entry, bool& on)
{
    const auto skipSpace = [&] {
        while (!entry.empty() && std::isspace(static_cast<unsigned char>(entry[0])))
            entry.remove_prefix(1);
    };
    skipSpace();
    on = entry.empty() || entry[0] != '-';
    if (!on) {
        entry.remove_prefix(1);
        skipSpace();
    }
    std::size_t visual = 0;
    while (visual < entry.size() && entry[visual] != ':' && entry[visual] != '"' &&
           !std::isspace(static_cast<unsigned char>(entry[visual])))
        ++visual;
    if (visual < entry.size() && entry[visual] == ':') {
        entry.remove_prefix(visual + 1);
        skipSpace();
    }
    if (!entry.empty() && entry[0] == '"') {
        const std::size_t close = entry.find('"', 1);
        entry.remove_prefix(close == std::string_view::npos ? entry.size() : close + 1);
        skipSpace();
    }
    std::size_t end = 0;
    while (end < entry.size() && !std::isspace(static_cast<unsigned char>(entry[end])))
        ++end;
    return entry.substr(0, end);
}

// How the list holds raivel: in an entry switched on (AlreadyListed), only
// in entries switched off (SwitchedOff), or not at all (nothing).
std::optional<ListChange> FindRaivel(const std::string& programs)
{
    std::optional<ListChange> found;
    const std::string_view list(programs);
    for (std::size_t at = 0; at <= list.size();) {
        std::size_t end = list.find('\n', at);
        if (end == std::string_view::npos)
            end = list.size();
        bool on = true;
        const std::string_view program = EntryProgram(list.substr(at, end - at), on);
        const std::size_t slash = program.rfind('/');
        if (program.substr(slash == std::string_view::npos ? 0 : slash + 1) == "raivel") {
            if (on)
                return ListChange::AlreadyListed;
            found = ListChange::SwitchedOff;
        }
        at = end + 1;
    }
    return found;
}

// Reads "selected:"'s value, a whole number alone on the line of its name.
bool ReadSelected(const ParsedFile& parsed, long& selected, std::string& problem)
{
    if (parsed.selected->number.empty()) {
        problem = "\"selected:\" is not a whole number on one line";
        return false;
    }
    selected = std::stol(std::string(parsed.selected->number));
    return true;
}

void AppendLine(std::string& out, std::string_view text, bool ended = true)
{
    out.append(text);
    if (ended)
        out += '\n';
}

// Whether xscreensaver reads every line of `text` in one piece.
bool LinesFit(std::string_view text)
{
    for (const PhysicalLine& line : SplitLines(text)) {
        if (line.text.size() > kLongestSettingsLine)
            return false;
    }
    return true;
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
    if (const std::optional<ListChange> listed =
            parsed.programs ? FindRaivel(parsed.programs->value) : std::nullopt) {
        edit.change = *listed;
        return edit;
    }
    if (!parsed.programs && selected >= 0) {
        edit.problem = "\"selected:\" chooses from xscreensaver's own list, which the file "
                       "does not hold (choose the mode again in xscreensaver-settings first)";
        return edit;
    }

    std::string& out = edit.text;
    for (std::size_t i = 0; i < parsed.lines.size(); ++i) {
        const PhysicalLine& line = parsed.lines[i];
        if (parsed.programs && i == parsed.programs->nameLine) {
            // The list's first entry may share the "programs:" line: it then
            // moves to a line of its own, after ours.
            const std::size_t colon = parsed.programs->colon;
            const std::string_view rest = line.text.substr(colon + 1);
            if (line.continues && Trim(rest.substr(0, rest.size() - 1)).empty()) {
                AppendLine(out, line.text);
                AppendLine(out, std::string(kEntryLine) + "\\");
            } else {
                AppendLine(out, std::string(line.text.substr(0, colon + 1)) + "\t\\");
                AppendLine(out, std::string(kEntryLine) + "\\");
                AppendLine(out, rest, line.ended);
            }
        } else if (parsed.selected && i == parsed.selected->nameLine && selected >= 0) {
            const std::string_view number = parsed.selected->number;
            const std::size_t at = number.data() - line.text.data();
            AppendLine(out,
                       std::string(line.text.substr(0, at)) + std::to_string(selected + 1) +
                           std::string(line.text.substr(at + number.size())),
                       line.ended);
        } else {
            AppendLine(out, line.text, line.ended);
        }
    }
    if (!parsed.programs) {
        // The last setting may go on past the file's end: each blank line
        // after it takes one backslash, until one ends it.
        if (!out.empty() && out.back() != '\n')
            out += '\n';
        bool joining = !parsed.lines.empty() && parsed.lines.back().continues;
        while (joining) {
            out += '\n';
            joining = JoinsNext(parsed.openEnd);
            if (joining)
                parsed.openEnd.pop_back();
        }
        out += std::string(kListStart) + "\n" + kEntryLine + "\\\n\n";
    }
    if (out.size() > kLongestSettingsFile || !LinesFit(out)) {
        edit.text.clear();
        edit.problem = "the edit would make it longer than xscreensaver reads";
        return edit;
    }
    edit.change = ListChange::Added;
    return edit;
}
