#pragma once

#include <vector>

#include "platform/platform.h"

namespace dorvex {

// The right-button menu for the skin in use: the two skins with a check on the current one
// (none for a stored value that is neither), a separator and "Tray".
std::vector<MenuItem> SkinMenuItems(int skinType);

inline constexpr UINT kTrayIconId = 131;
inline constexpr const char* kTrayTip = "Dorvex런처";

} // namespace dorvex
