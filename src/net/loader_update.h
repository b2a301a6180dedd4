// The companion loader: its version and the update check (CDorvexLauncherDlg::CheckLoaderUpdate).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/framework.h"

namespace dorvex {

inline constexpr const char* kLoaderFileName = "LauncherLoader.exe";
inline constexpr const char* kServerErrorText =
    "서버에 오류가 발생하였습니다. 잠시 후 이용 바랍니다.";
inline constexpr const char* kNetworkErrorText = "네크워크 에러";

// "%d.%d.%d.%d" of the four 16-bit parts.
std::string FormatVersion(const std::array<uint16_t, 4>& v);

// The file version of a program file, or the empty string when it has none.
CString GetFileVersionString(const CString& path);

// "D:\VALMOR" when the launcher is installed on drive D:, else "C:\VALMOR".
CString ChooseInstallDir();

// True when the file starts as a Windows program does: MZ, and PE\0\0 where e_lfanew points.
bool LooksLikeWindowsProgram(const std::string& header);

} // namespace dorvex
