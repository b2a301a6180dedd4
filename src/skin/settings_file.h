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

inline int ReadSetting(const char* section, const char* key, int def) {
    return Platform::Get().GetPrivateProfileInt(section, key, def, g_strSettingsPath);
}
// The result is not looked at: a read-only file keeps its old skin, which LoadSkin reads back.
inline void WriteSkinType(int code) {
    Platform::Get().WritePrivateProfileString(kSkinSection, kTypeKey, std::to_string(code),
                                              g_strSettingsPath);
}

} // namespace dorvex
