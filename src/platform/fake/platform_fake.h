// A headless, deterministic backend for unit tests. Files and the settings profile are real
// (under a test's root folder, through the posix code); everything else is recorded in order
// and HTTP is answered from a scripted table.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/posix/platform_posix.h"

namespace dorvex {

struct FakeAnswer {
    int status = 200;
    std::string body;
    bool openFails = false;           // the address cannot be opened
    std::optional<size_t> breakAfter; // the transfer breaks after this many body bytes
};

struct FakeWindow {
    bool exists = false, visible = false;
    int x = 0, y = 0, cx = 0, cy = 0;
    LONG exStyle = WS_EX_APPWINDOW;
    HICON bigIcon = 0, smallIcon = 0;
};

class FakePlatform : public PosixPlatform {
public:
    explicit FakePlatform(std::string root);

    // --- what the test sets up
    // The answer to every request for `url` from now on.
    void Answer(const std::string& url, FakeAnswer a) { m_answers[url] = {std::move(a)}; }
    // One more answer after those given: each is used once, the last one for good.
    void AnswerThen(const std::string& url, FakeAnswer a) {
        m_answers[url].push_back(std::move(a));
    }
    void AnswerText(const std::string& url, std::string body) {
        Answer(url, {200, std::move(body)});
    }
    void Unreachable(const std::string& url) { Answer(url, {0, "", true}); }
    void QueueMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { m_queue.push_back({msg, wp, lp}); }
    int screenWidth = 1024, screenHeight = 768;
    COLORREF buttonFace = RGB(245, 245, 245);
    bool otherInstanceRuns = false;
    bool mappingFails = false;
    bool leaveRequestAccepted = true;
    bool trayAddSucceeds = true;
    std::optional<UINT> menuChoice;                 // the item picked when a menu shows
    std::map<std::string, std::string> userStrings; // "subkey\value" -> string
    std::vector<std::string> startablePrograms;
    // File versions given by the test; other files go through the real PE reader.
    std::map<std::string, std::array<uint16_t, 4>> fileVersions;

    // --- what the test reads
    std::vector<std::string> calls; // every call, in order, as text
    std::vector<std::string> requests;
    std::vector<size_t> bodyReads;  // the size of every body read that delivered bytes or 0
    std::vector<std::string> boxes; // "text|type"
    std::vector<int> imagesDrawn;
    std::vector<std::string> opened;  // ShellOpen addresses
    std::vector<std::string> started; // programs started
    std::vector<std::vector<MenuItem>> menus;
    std::vector<TrayIconRecord> trayIcons; // the icons in the tray now
    FakeWindow window;
    std::optional<int> endResult;
    int waitCursorDepth = 0;
    std::vector<int> waitCursorSpans; // requests made while the wait cursor showed, per span
    size_t Count(const std::string& prefix) const;

    // Platform
    int MessageBox(const std::string& textUtf8, UINT type) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool CreateNamedMapping(const std::string& name, bool* gotHandle) override;
    UINT RegisterWindowMessage(const std::string& name) override;
    std::unique_ptr<HttpResponse> OpenUrl(const std::string& url) override;
    bool CreateDirectory(const std::string& path) override;
    std::optional<std::array<uint16_t, 4>> FileVersion(const std::string& path) override;
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
    HICON LoadIcon(int id) override { return HICON(id); }
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

    // Sends one message to the dialog as the platform's dispatch would, outside a modal run.
    LRESULT Send(CWnd& dlg, UINT msg, WPARAM wp = 0, LPARAM lp = 0);

private:
    void Record(std::string s) { calls.push_back(std::move(s)); }
    std::map<std::string, std::deque<FakeAnswer>> m_answers;
    std::deque<MSG> m_queue;
    CWnd* m_dlg = nullptr;
    bool m_ending = false;
    int m_dcs = 0;
    int m_requestsInSpan = 0;
    std::map<std::string, UINT> m_registered;
};

} // namespace dorvex
