// What Linux needs to run the core for real: HTTP through libcurl, files and the settings
// profile under a root folder that stands for the Windows drives, the PE version reader, a
// file-backed user settings store, xdg-open and posix_spawn. There is no window: the window
// operations fail loudly.
#pragma once

#include "platform/platform.h"

namespace dorvex {

class PosixPlatform : public Platform {
public:
    // `root` holds the drives: "C:\VALMOR" is root + "/c/VALMOR".
    explicit PosixPlatform(std::string root);
    std::string HostPath(const std::string& windowsPath) const;
    const std::string& Root() const { return m_root; }

    std::string AppName() override { return "DorvexLauncher"; }
    void InitUserInterface() override {}
    int MessageBox(const std::string& textUtf8, UINT type) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool CreateNamedMapping(const std::string& name, bool* gotHandle) override;
    UINT RegisterWindowMessage(const std::string&) override { return 0; }

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

    int GetSystemMetrics(int) override { return 0; }
    COLORREF GetSysColor(int) override { return RGB(240, 240, 240); }

    int RunModal(CWnd& dlg, int templateId) override;
    void EndDialog(int) override { NoWindow(); }
    LRESULT CallDefault(UINT, WPARAM, LPARAM) override { return 0; }
    bool DefaultPreTranslate(const MSG&) override { return false; }
    HICON LoadIcon(int id) override { return HICON(id); }
    void SetIcon(bool, HICON) override { NoWindow(); }
    LONG GetExStyle() override { NoWindow(); }
    void SetExStyle(LONG) override { NoWindow(); }
    void SetLayeredAttributes(COLORREF, BYTE, DWORD) override { NoWindow(); }
    void SetWindowPos(int, int, int, int, UINT) override { NoWindow(); }
    void ShowWindow(int) override { NoWindow(); }
    void InvalidateRect(bool) override { NoWindow(); }
    POINT ClientToScreen(POINT) override { NoWindow(); }
    void SetHandCursor() override { NoWindow(); }
    bool TrackMouseLeave() override { NoWindow(); }
    void PostMessage(UINT, WPARAM, LPARAM) override { NoWindow(); }
    DcHandle BeginPaint() override { NoWindow(); }
    void EndPaint(DcHandle) override { NoWindow(); }
    DcHandle GetClientDc() override { NoWindow(); }
    void ReleaseDc(DcHandle) override { NoWindow(); }
    bool DrawBitmap(DcHandle, int, int, int, COLORREF) override { NoWindow(); }
    void TrackPopupMenu(const std::vector<MenuItem>&, POINT) override { NoWindow(); }
    bool NotifyIcon(DWORD, const TrayIconRecord&) override { NoWindow(); }

    // Where the user settings store keeps "subkey\value".
    std::string UserStorePath(const std::string& subkey, const std::string& value) const;

private:
    [[noreturn]] static void NoWindow();
    std::string m_root;
};

} // namespace dorvex
