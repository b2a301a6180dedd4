// The profile reader and writer on any file: reading never fails, and writing SKIN/TYPE
// changes nothing but that key's line (or adds it): every other line comes back byte for byte,
// in order, and the value reads back as written.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/posix/profile_file.h"

namespace {

std::vector<std::string_view> Lines(std::string_view s) {
    std::vector<std::string_view> out;
    size_t start = 0;
    while (start < s.size()) {
        size_t end = s.find('\n', start);
        if (end == std::string_view::npos)
            end = s.size();
        else
            ++end;
        out.push_back(s.substr(start, end - start));
        start = end;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace dorvex::profile;
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    (void)ReadInt(file, "SKIN", "TYPE", 7);
    (void)ReadInt(file, "100001", "WIDTH", 7);
    (void)ParseProfileInt(file.substr(0, 64));

    const std::string after = WithValue(file, "SKIN", "TYPE", "100002");
    if (ReadInt(after, "SKIN", "TYPE", 7) != 100002)
        abort();
    // The file is the original with at most one of its lines changed: the lines before and after
    // it are the original's, byte for byte. (A line added after an unterminated last line
    // changes that line by its line break.)
    const auto before = Lines(file), now = Lines(after);
    size_t prefix = 0;
    while (prefix < before.size() && prefix < now.size() && before[prefix] == now[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < now.size() - prefix &&
           before[before.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    if (before.size() - prefix - suffix > 1)
        abort();
    return 0;
}
