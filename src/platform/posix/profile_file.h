// A reader and writer of Windows profile (INI) files with the semantics of
// GetPrivateProfileInt and WritePrivateProfileString, for systems that have neither.
//
// Reading: lines end at LF, blanks (and CR) around a line, a key and a value are ignored; a
// section runs from "[name]" (up to the last ']') to the next section line; names compare
// without regard to ASCII case; the first section and the first key of a name win; a value in
// matching quotes loses them; a line without '=' is a key without value; comment lines are
// nothing special (no key is named ";..."). An empty value reads as the default; other values
// as Windows's RtlUnicodeStringToInteger with base 0 does: blanks, a sign, "0x"/"0o"/"0b",
// digits up to the first other character, wrapping modulo 2^32; only the first 29 characters
// are looked at.
//
// Writing changes only the key's line (or adds one line, or a section), so every other byte of
// the file stays as it was, and replaces the file atomically.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvex::profile {

// The value text as GetPrivateProfileString would give it, or nothing when the key is absent.
std::optional<std::string> FindValue(std::string_view file, std::string_view section,
                                     std::string_view key);

int ReadInt(std::string_view file, std::string_view section, std::string_view key, int def);

// The file's content after setting section/key to value.
std::string WithValue(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value);

// RtlUnicodeStringToInteger, base 0, on 8-bit text.
int ParseProfileInt(std::string_view text);

// On disk. A missing or unreadable file reads as empty; the write returns false when the file
// cannot be written.
int GetInt(const std::string& path, const std::string& section, const std::string& key, int def);
bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& value);

} // namespace dorvex::profile
