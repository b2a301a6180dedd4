// What a release on a content button opens, as a function of plain values.
#pragma once

#include <string>

namespace dorvex {

// The page of button 1..3: the business page when either business mode holds, else the home
// page. Empty for any other button.
std::string ContentPage(int button, bool business);

// The product page opened when the music player is not installed or cannot be started.
std::string PlayerProductPage();

inline constexpr const char* kPlayerKey = "Software\\ESTsoft\\ALSong";
inline constexpr const char* kPlayerValue = "ProgramPath";

} // namespace dorvex
