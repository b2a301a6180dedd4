// The settings file DorvexManager.ini: its sections and keys. Only SKIN/TYPE is ever written.
#pragma once

#include <string>

#include "platform/framework.h"

namespace dorvex {

// Set by start-up; the settings file everybody reads and writes.
extern CString g_strSettingsPath;
extern CString g_strInstallDir;

inline constexpr const char* kSkinSection = "SKIN";
inline constexpr const char* kTypeKey = "TYPE";

// Whether a downloaded body can be the settings file: anything but a web page. An empty body
// is a valid (empty) settings file; a page with a success status (a proxy's or a captive
// portal's) would be kept for good, since a settings file that exists is never fetched again.
bool LooksLikeSettingsFile(const std::string& head);

inline int ReadSetting(const char* section, const char* key, int def) {
    return Platform::Get().GetPrivateProfileInt(section, key, def, g_strSettingsPath);
}
// The result is not looked at: a read-only file keeps its old skin, which LoadSkin reads back.
inline void WriteSkinType(int code) {
    Platform::Get().WritePrivateProfileString(kSkinSection, kTypeKey, std::to_string(code),
                                              g_strSettingsPath);
}

} // namespace dorvex
