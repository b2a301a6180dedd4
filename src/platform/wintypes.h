// The Win32 types, message codes and flags that the core speaks in, with their Win32 values,
// so that the dialog code is the same on every backend. The win32 backend checks each value
// against <windows.h> at compile time.
#pragma once

#include <cstdint>

namespace dorvex {

using BOOL = int;
using BYTE = std::uint8_t;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using HCURSOR = std::uintptr_t;
using HICON = std::uintptr_t;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

struct POINT {
    LONG x;
    LONG y;
    bool operator==(const POINT&) const = default;
};
struct RECT {
    LONG left, top, right, bottom;
    bool operator==(const RECT&) const = default;
};
struct MSG {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
inline LPARAM MAKELPARAM(int lo, int hi) {
    return LPARAM(DWORD((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
// Client coordinates are signed 16-bit halves of lParam (GET_X_LPARAM / GET_Y_LPARAM).
inline POINT PointFromLParam(LPARAM lp) {
    return POINT{std::int16_t(lp & 0xFFFF), std::int16_t((lp >> 16) & 0xFFFF)};
}

// Window messages.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_NCLBUTTONDOWN = 0x00A1;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_MOUSELEAVE = 0x02A3;
constexpr UINT WM_USER = 0x0400;

constexpr WPARAM VK_RETURN = 0x0D;
constexpr WPARAM VK_ESCAPE = 0x1B;
constexpr WPARAM VK_F4 = 0x73;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr UINT ID_HELP = 0xE146;

constexpr int ICON_SMALL = 0;
constexpr int ICON_BIG = 1;

constexpr LONG WS_EX_TOOLWINDOW = 0x00000080;
constexpr LONG WS_EX_APPWINDOW = 0x00040000;
constexpr LONG WS_EX_LAYERED = 0x00080000;
constexpr DWORD LWA_COLORKEY = 0x1;

constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_SHOWWINDOW = 0x0040;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int COLOR_BTNFACE = 15;

constexpr WPARAM HTCAPTION = 2;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr DWORD NIM_ADD = 0;
constexpr DWORD NIM_DELETE = 2;

constexpr UINT MB_OK = 0x0;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONMASK = 0xF0;

constexpr DWORD ERROR_ALREADY_EXISTS = 183;

} // namespace dorvex
