#include "platform/posix/profile_file.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/posix/files_posix.h"

namespace dorvex::profile {

namespace {

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// One physical line: [begin, end) without its LF; `next` is where the following line starts.
struct Line {
    size_t begin, end, next;
};

std::vector<Line> SplitLines(std::string_view f) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < f.size()) {
        const size_t lf = f.find('\n', pos);
        const size_t end = lf == f.npos ? f.size() : lf;
        lines.push_back({pos, end, lf == f.npos ? f.size() : lf + 1});
        pos = lines.back().next;
    }
    return lines;
}

// The section name of a section line, or nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const size_t close = line.rfind(']');
    if (close == line.npos || close == 0)
        return std::nullopt;
    return line.substr(1, close - 1);
}

struct KeyLine {
    std::string_view key;
    std::optional<std::string_view> value;
};

KeyLine ParseKeyLine(std::string_view line) {
    line = Trim(line);
    const size_t eq = line.find('=');
    if (eq == line.npos)
        return {line, std::nullopt};
    return {Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

struct Location {
    std::optional<size_t> sectionLine; // index of the section's header line
    std::optional<size_t> keyLine;     // index of the key's line
    size_t lastContentLine = 0;        // the section's last non-blank line
};

Location Locate(std::string_view f, const std::vector<Line>& lines, std::string_view section,
                std::string_view key) {
    Location loc;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = f.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (auto name = SectionName(text)) {
            if (inSection)
                break; // the first section of a name is the one that counts
            if (EqualNoCase(*name, section)) {
                inSection = true;
                loc.sectionLine = loc.lastContentLine = i;
            }
            continue;
        }
        if (!inSection || Trim(text).empty())
            continue;
        loc.lastContentLine = i;
        if (!loc.keyLine && EqualNoCase(ParseKeyLine(text).key, key))
            loc.keyLine = i;
    }
    return loc;
}

// The line ending the file already uses, for lines we add.
std::string_view LineEnding(std::string_view f) {
    const size_t lf = f.find('\n');
    if (lf != f.npos && lf > 0 && f[lf - 1] == '\r')
        return "\r\n";
    return lf == f.npos ? "\r\n" : "\n";
}

} // namespace

int ParseProfileInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && uint8_t(s[i]) <= ' ')
        ++i;
    bool minus = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        minus = s[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (s.size() - i >= 2 && s[i] == '0') {
        if (s[i + 1] == 'b')
            base = 2;
        else if (s[i + 1] == 'o')
            base = 8;
        else if (s[i + 1] == 'x')
            base = 16;
        if (base != 10)
            i += 2;
    }
    uint32_t total = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = unsigned(c - '0');
        else if (c >= 'A' && c <= 'Z')
            digit = unsigned(c - 'A' + 10);
        else if (c >= 'a' && c <= 'z')
            digit = unsigned(c - 'a' + 10);
        else
            break;
        if (digit >= base)
            break;
        total = total * base + digit;
    }
    return int(minus ? 0u - total : total);
}

std::optional<std::string> FindValue(std::string_view f, std::string_view section,
                                     std::string_view key) {
    const std::vector<Line> lines = SplitLines(f);
    const Location loc = Locate(f, lines, section, key);
    if (!loc.keyLine)
        return std::nullopt;
    const Line& l = lines[*loc.keyLine];
    std::string_view v = ParseKeyLine(f.substr(l.begin, l.end - l.begin)).value.value_or("");
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

int ReadInt(std::string_view f, std::string_view section, std::string_view key, int def) {
    const std::optional<std::string> v = FindValue(f, section, key);
    if (!v || v->empty())
        return def;
    // GetPrivateProfileInt reads the value through a buffer of 30 characters.
    return ParseProfileInt(std::string_view(*v).substr(0, 29));
}

std::string WithValue(std::string_view f, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::vector<Line> lines = SplitLines(f);
    const Location loc = Locate(f, lines, section, key);
    const std::string_view eol = LineEnding(f);
    std::string out;

    if (loc.keyLine) {
        const Line& l = lines[*loc.keyLine];
        const std::string_view text = f.substr(l.begin, l.end - l.begin);
        // Keep the line's indentation, its key as spelt there and its line ending.
        const size_t keyStart = text.find_first_not_of(" \t\v\f\x1a");
        const std::string_view keyText = ParseKeyLine(text).key;
        const bool cr = !text.empty() && text.back() == '\r';
        out.append(f.substr(0, l.begin));
        out.append(text.substr(0, keyStart));
        out.append(keyText).append("=").append(value);
        if (cr)
            out.append("\r");
        out.append(f.substr(l.end));
        return out;
    }

    const std::string newKey = std::string(key) + "=" + std::string(value) + std::string(eol);
    if (loc.sectionLine) {
        const Line& after = lines[loc.lastContentLine];
        out.append(f.substr(0, after.end));
        if (after.next == after.end) // the file ended without a line feed
            out.append(eol);
        else
            out.append(f.substr(after.end, after.next - after.end));
        out.append(newKey);
        out.append(f.substr(after.next));
        return out;
    }

    out.append(f);
    if (!out.empty() && out.back() != '\n')
        out.append(eol);
    out.append("[").append(section).append("]").append(eol).append(newKey);
    return out;
}

int GetInt(const std::string& path, const std::string& section, const std::string& key, int def) {
    const std::optional<std::string> f = posix::ReadWholeFile(path);
    return ReadInt(f ? *f : std::string(), section, key, def);
}

bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value) {
    const std::optional<std::string> f = posix::ReadWholeFile(path);
    if (!f && posix::Exists(path))
        return false; // there but unreadable: never replace what we could not read
    return posix::WriteFileAtomically(path, WithValue(f ? *f : std::string(), section, key, value));
}

} // namespace dorvex::profile
