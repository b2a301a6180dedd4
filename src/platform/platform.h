// The one interface between the launcher's core and the system it runs on.
//
// The core never sees a native handle: it talks about "the launcher window", paths in Windows
// form ("C:\VALMOR\..."), addresses as 8-bit text and resources by numeric id. Each backend
// (win32/, posix/, fake/) implements this table; the core reaches it through Platform::Get().
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/wintypes.h"

namespace dorvex {

// One HTTP answer whose headers have arrived; the body is read from it in pieces.
class HttpResponse {
public:
    virtual ~HttpResponse() = default;
    virtual int Status() const = 0;
    // Up to n bytes of the body, 0 at its end. Throws CInternetException when the transfer breaks.
    virtual size_t Read(char* buf, size_t n) = 0;
};

// A file opened for writing only, not shared. Throws CFileException on a failed write.
class OutFile {
public:
    virtual ~OutFile() = default;
    virtual void Write(const char* buf, size_t n) = 0;
    virtual void Close() = 0;
    virtual const std::string& Path() const = 0;
};

struct MenuItem {
    UINT flags; // MF_STRING, MF_CHECKED, MF_SEPARATOR
    UINT id;
    std::string text;
};

struct TrayIconRecord {
    UINT id;
    UINT callbackMessage;
    int iconId;
    std::string tipUtf8;
};

using DcHandle = std::uintptr_t;

class CWnd;

class Platform {
public:
    virtual ~Platform() = default;
    static Platform& Get();
    static void Set(Platform* p); // the backend installs itself once, before start-up

    // --- process and framework
    virtual std::string AppName() = 0; // the executable's name without extension
    virtual void InitUserInterface() = 0;
    virtual int MessageBox(const std::string& textUtf8, UINT type) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // Named session-wide object; true when it existed already.
    virtual bool CreateNamedMapping(const std::string& name, bool* gotHandle) = 0;
    virtual UINT RegisterWindowMessage(const std::string& name) = 0;

    // --- HTTP. Throws CInternetException when the address cannot be opened.
    virtual std::unique_ptr<HttpResponse> OpenUrl(const std::string& url) = 0;

    // --- files and folders
    virtual bool FindFile(const std::string& path) = 0;
    virtual bool CreateDirectory(const std::string& path) = 0;
    // A new, exclusively created file of an unguessable name in the folder of `target`.
    virtual std::unique_ptr<OutFile> CreateTempFileFor(const std::string& target) = 0;
    // Atomically puts `from` in the place of `to`. Throws CFileException.
    virtual void ReplaceFile(const std::string& from, const std::string& to) = 0;
    virtual void DeleteFile(const std::string& path) = 0;
    // The four 16-bit parts of the file version, or nothing when the file has none.
    virtual std::optional<std::array<uint16_t, 4>> FileVersion(const std::string& path) = 0;

    // --- settings profile (INI), with the Windows profile functions' semantics
    virtual int GetPrivateProfileInt(const std::string& section, const std::string& key, int def,
                                     const std::string& path) = 0;
    virtual bool WritePrivateProfileString(const std::string& section, const std::string& key,
                                           const std::string& value, const std::string& path) = 0;

    // --- user's settings store (HKEY_CURRENT_USER), shell and programs
    // The string value, or nothing when the key does not open or the value is absent or no string.
    virtual std::optional<std::string> ReadUserString(const std::string& subkey,
                                                      const std::string& value) = 0;
    virtual bool ShellOpen(const std::string& url) = 0;
    virtual bool StartProgram(const std::string& path, int showCmd) = 0;

    // --- screen
    virtual int GetSystemMetrics(int index) = 0;
    virtual COLORREF GetSysColor(int index) = 0;

    // --- the launcher window
    virtual int RunModal(CWnd& dlg, int templateId) = 0; // creates the window, runs the loop
    virtual void EndDialog(int result) = 0;
    virtual LRESULT CallDefault(UINT msg, WPARAM wp, LPARAM lp) = 0;
    virtual bool DefaultPreTranslate(const MSG& msg) = 0; // the dialog keyboard handling
    virtual HICON LoadIcon(int id) = 0;                   // shared by the system, never destroyed
    virtual void SetIcon(bool big, HICON icon) = 0;
    virtual LONG GetExStyle() = 0;
    virtual void SetExStyle(LONG style) = 0;
    virtual void SetLayeredAttributes(COLORREF key, BYTE alpha, DWORD flags) = 0;
    virtual void SetWindowPos(int x, int y, int cx, int cy, UINT flags) = 0;
    virtual void ShowWindow(int cmd) = 0;
    virtual void InvalidateRect(bool erase) = 0;
    virtual POINT ClientToScreen(POINT pt) = 0;
    virtual void SetHandCursor() = 0;
    virtual bool TrackMouseLeave() = 0;
    virtual void PostMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    virtual DcHandle BeginPaint() = 0;
    virtual void EndPaint(DcHandle dc) = 0;
    virtual DcHandle GetClientDc() = 0;
    virtual void ReleaseDc(DcHandle dc) = 0;
    // Bitmap resource `id` drawn scaled onto (0, 0, cx, cy), pixels of `transparent` left out.
    virtual bool DrawBitmap(DcHandle dc, int id, int cx, int cy, COLORREF transparent) = 0;
    // Shows the menu at a screen point; a chosen item comes back as WM_COMMAND.
    virtual void TrackPopupMenu(const std::vector<MenuItem>& items, POINT screen) = 0;
    virtual bool NotifyIcon(DWORD op, const TrayIconRecord& rec) = 0;
};

} // namespace dorvex
