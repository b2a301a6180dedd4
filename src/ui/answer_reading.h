// How the launcher reads the servers' short text answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/wintypes.h"

namespace dorvex {

// Leading white space, an optional sign, decimal digits up to the first other character; no
// digits give 0; values past the 32-bit range give its nearest end. (The C library's atoi
// wraps around instead.)
int ReadAsNumber(std::string_view text);

// Field n of text split at `sep`: the text between the n-th and the (n+1)-th separator, empty
// when there are fewer separators. Not trimmed.
std::string ExtractField(std::string_view text, int n, char sep);

// A position answer longer than 10 bytes is a PC-room key.
inline constexpr size_t kPcRoomKeyMinLength = 11;
inline bool IsPcRoomKey(std::string_view answer) {
    return answer.size() >= kPcRoomKeyMinLength;
}

// The business placement's position codes 1..9 on the screen, for a window of w x h; nothing
// for any other code. Quotients truncate before the subtraction.
std::optional<POINT> PositionCodePlace(int code, int sw, int sh, int w, int h);

} // namespace dorvex
