// The shipped backend: WinINet, GDI, layered windows, the shell, the registry and the
// profile and version functions of Windows itself.
//
// NB: include this header before anything else in a backend file. <windows.h> must come after
// the core's headers: its macros (MB_OK, MessageBox, ...) would otherwise rewrite the core's
// own names.
#pragma once

#include <string>

#include "platform/framework.h"

#include <windows.h>

// Function-name macros of <windows.h> that collide with Platform's operations. The backend
// calls the W or A function it means by its full name.
#undef MessageBox
#undef CreateDirectory
#undef DeleteFile
#undef ReplaceFile
#undef GetPrivateProfileInt
#undef WritePrivateProfileString
#undef RegisterWindowMessage
#undef PostMessage
#undef LoadIcon

namespace dorvex {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);
// The system's text for an error code; from `module`'s message table when one is given.
std::string DescribeError(::DWORD code, HMODULE module = nullptr);
// Hands the page to the desktop's shell, which opens it with the user's own rights; false where
// there is no such shell to ask.
bool OpenUnelevated(const std::string& url);
// GetFileVersionInfoW and VerQueryValueW alone, without the structure check FileVersion adds.
std::optional<std::array<uint16_t, 4>> SystemFileVersion(const std::string& path);

class Win32Platform : public Platform {
public:
    std::string AppName() override;
    void InitUserInterface() override;
    int MessageBox(const std::string& textUtf8, UINT type) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool CreateNamedMapping(const std::string& name, bool* gotHandle) override;
    UINT RegisterWindowMessage(const std::string& name) override;

    std::unique_ptr<HttpResponse> OpenUrl(const std::string& url) override;

    bool FindFile(const std::string& path) override;
    bool CreateDirectory(const std::string& path) override;
    std::unique_ptr<OutFile> CreateTempFileFor(const std::string& target) override;
    void ReplaceFile(const std::string& from, const std::string& to) override;
    void DeleteFile(const std::string& path) override;
    std::optional<std::array<uint16_t, 4>> FileVersion(const std::string& path) override;

    int GetPrivateProfileInt(const std::string& section, const std::string& key, int def,
                             const std::string& path) override;
    bool WritePrivateProfileString(const std::string& section, const std::string& key,
                                   const std::string& value, const std::string& path) override;

    std::optional<std::string> ReadUserString(const std::string& subkey,
                                              const std::string& value) override;
    bool ShellOpen(const std::string& url) override;
    bool StartProgram(const std::string& path, int showCmd) override;

    int GetSystemMetrics(int index) override;
    COLORREF GetSysColor(int index) override;

    int RunModal(CWnd& dlg, int templateId) override;
    void EndDialog(int result) override;
    LRESULT CallDefault(UINT msg, WPARAM wp, LPARAM lp) override;
    bool DefaultPreTranslate(const MSG& msg) override;
    HICON LoadIcon(int id) override;
    void SetIcon(bool big, HICON icon) override;
    LONG GetExStyle() override;
    void SetExStyle(LONG style) override;
    void SetLayeredAttributes(COLORREF key, BYTE alpha, DWORD flags) override;
    void SetWindowPos(int x, int y, int cx, int cy, UINT flags) override;
    void ShowWindow(int cmd) override;
    void InvalidateRect(bool erase) override;
    POINT ClientToScreen(POINT pt) override;
    void SetHandCursor() override;
    bool TrackMouseLeave() override;
    void PostMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    DcHandle BeginPaint() override;
    void EndPaint(DcHandle dc) override;
    DcHandle GetClientDc() override;
    void ReleaseDc(DcHandle dc) override;
    bool DrawBitmap(DcHandle dc, int id, int cx, int cy, COLORREF transparent) override;
    void TrackPopupMenu(const std::vector<MenuItem>& items, POINT screen) override;
    bool NotifyIcon(DWORD op, const TrayIconRecord& rec) override;

    HWND m_hwnd = nullptr;
    WNDPROC m_dialogProc = nullptr; // the dialog class's own procedure: default processing
    CWnd* m_dlg = nullptr;
    bool m_continueModal = false;
    int m_result = 0;
    ::HCURSOR m_savedCursor = nullptr;
    int m_waitDepth = 0;
    PAINTSTRUCT m_ps{};
    ::MSG m_nativeMsg{}; // the message the modal loop is translating
};

} // namespace dorvex
