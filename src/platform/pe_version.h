// The file version of a Windows program read from its own version resource, without Windows.
// Every offset and size comes from the file, so each is checked before it is used: a truncated
// or hostile file gives nothing, never a read outside the data.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorvex::pe {

// Larger files are not read: no program file of ours comes near.
constexpr size_t kMaxProgramFile = 64 << 20;

// The four 16-bit parts of dwFileVersionMS/LS of the first version resource's fixed file info.
std::optional<std::array<uint16_t, 4>> ReadFileVersion(std::string_view image);
std::optional<std::array<uint16_t, 4>> ReadFileVersionOfFile(const std::string& hostPath);

} // namespace dorvex::pe
