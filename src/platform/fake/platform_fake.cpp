#include "platform/fake/platform_fake.h"

#include <algorithm>

#include "platform/framework.h"

namespace dorvex {

namespace {

class ScriptedResponse : public HttpResponse {
public:
    ScriptedResponse(FakeAnswer a, std::vector<size_t>* reads)
        : m_a(std::move(a)), m_reads(reads) {}
    int Status() const override { return m_a.status; }
    size_t Read(char* buf, size_t n) override {
        const size_t limit =
            m_a.breakAfter ? std::min(*m_a.breakAfter, m_a.body.size()) : m_a.body.size();
        const size_t k = std::min(n, limit - m_pos);
        if (k == 0 && m_a.breakAfter)
            throw CInternetException(12030, "The connection with the server was terminated.");
        std::copy_n(m_a.body.data() + m_pos, k, buf);
        m_pos += k;
        m_reads->push_back(k);
        return k;
    }

private:
    FakeAnswer m_a;
    std::vector<size_t>* m_reads;
    size_t m_pos = 0;
};

std::string Hex(unsigned v) {
    char b[16];
    std::snprintf(b, sizeof b, "0x%X", v);
    return b;
}

} // namespace

FakePlatform::FakePlatform(std::string root) : PosixPlatform(std::move(root)) {}

size_t FakePlatform::Count(const std::string& prefix) const {
    return size_t(std::count_if(calls.begin(), calls.end(),
                                [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

int FakePlatform::MessageBox(const std::string& text, UINT type) {
    boxes.push_back(text + "|" + Hex(type));
    Record("MessageBox " + text);
    return IDOK;
}

void FakePlatform::BeginWaitCursor() {
    Record("BeginWaitCursor");
    if (waitCursorDepth++ == 0)
        m_requestsInSpan = 0;
}
void FakePlatform::EndWaitCursor() {
    Record("EndWaitCursor");
    if (--waitCursorDepth == 0)
        waitCursorSpans.push_back(m_requestsInSpan);
}

bool FakePlatform::CreateNamedMapping(const std::string& name, bool* gotHandle) {
    Record("CreateNamedMapping " + name);
    *gotHandle = !mappingFails;
    return !mappingFails && otherInstanceRuns;
}

UINT FakePlatform::RegisterWindowMessage(const std::string& name) {
    auto [it, inserted] = m_registered.emplace(name, 0xC000 + UINT(m_registered.size()));
    return it->second;
}

std::unique_ptr<HttpResponse> FakePlatform::OpenUrl(const std::string& url) {
    Record("OpenUrl " + url);
    requests.push_back(url);
    if (waitCursorDepth > 0)
        ++m_requestsInSpan;
    auto it = m_answers.find(url);
    if (it == m_answers.end() || it->second.empty())
        throw CInternetException(12029, "A connection with the server could not be established");
    FakeAnswer a = it->second.front();
    if (it->second.size() > 1) // the last answer stays for every later request
        it->second.pop_front();
    if (a.openFails)
        throw CInternetException(12029, "A connection with the server could not be established");
    return std::make_unique<ScriptedResponse>(std::move(a), &bodyReads);
}

bool FakePlatform::CreateDirectory(const std::string& path) {
    Record("CreateDirectory " + path);
    return PosixPlatform::CreateDirectory(path);
}

std::optional<std::array<uint16_t, 4>> FakePlatform::FileVersion(const std::string& path) {
    if (auto it = fileVersions.find(path); it != fileVersions.end())
        return FindFile(path) ? std::optional(it->second) : std::nullopt;
    return PosixPlatform::FileVersion(path);
}

std::optional<std::string> FakePlatform::ReadUserString(const std::string& subkey,
                                                        const std::string& value) {
    Record("ReadUserString " + subkey + "\\" + value);
    auto it = userStrings.find(subkey + "\\" + value);
    if (it == userStrings.end())
        return std::nullopt;
    return it->second;
}

bool FakePlatform::ShellOpen(const std::string& url) {
    Record("ShellOpen " + url);
    opened.push_back(url);
    return true;
}

bool FakePlatform::StartProgram(const std::string& path, int showCmd) {
    Record("StartProgram " + path + " " + std::to_string(showCmd));
    const bool ok = std::find(startablePrograms.begin(), startablePrograms.end(), path) !=
                    startablePrograms.end();
    if (ok)
        started.push_back(path);
    return ok;
}

int FakePlatform::GetSystemMetrics(int index) {
    Record("GetSystemMetrics " + std::to_string(index));
    return index == SM_CXSCREEN ? screenWidth : index == SM_CYSCREEN ? screenHeight : 0;
}

COLORREF FakePlatform::GetSysColor(int index) {
    Record("GetSysColor " + std::to_string(index));
    return buttonFace;
}

int FakePlatform::RunModal(CWnd& dlg, int templateId) {
    Record("RunModal " + std::to_string(templateId));
    m_dlg = &dlg;
    m_ending = false;
    endResult.reset();
    window = FakeWindow{};
    window.exists = true;
    window.visible = true; // the template has WS_VISIBLE
    dlg.WindowProc(WM_INITDIALOG, 0, 0);
    while (!m_ending && !m_queue.empty()) {
        const MSG msg = m_queue.front();
        m_queue.pop_front();
        if (!static_cast<CDialog&>(dlg).PreTranslateMessage(msg))
            dlg.WindowProc(msg.message, msg.wParam, msg.lParam);
    }
    dlg.WindowProc(WM_DESTROY, 0, 0);
    window.exists = window.visible = false;
    m_dlg = nullptr;
    return endResult.value_or(-1);
}

void FakePlatform::EndDialog(int result) {
    Record("EndDialog " + std::to_string(result));
    endResult = result;
    m_ending = true;
}

LRESULT FakePlatform::CallDefault(UINT msg, WPARAM, LPARAM) {
    Record("Default " + Hex(msg));
    // The dialog procedure turns a close request into the cancel command.
    if (msg == WM_CLOSE && m_dlg)
        return m_dlg->WindowProc(WM_COMMAND, IDCANCEL, 0);
    return 0;
}

bool FakePlatform::DefaultPreTranslate(const MSG& msg) {
    Record("DialogKeys " + Hex(msg.message) + " " + Hex(unsigned(msg.wParam)));
    // The dialog keyboard handling turns Esc and Enter into the cancel and OK commands.
    if (msg.message == WM_KEYDOWN && m_dlg &&
        (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN)) {
        m_dlg->WindowProc(WM_COMMAND, msg.wParam == VK_ESCAPE ? IDCANCEL : IDOK, 0);
        return true;
    }
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4 && m_dlg) {
        m_dlg->WindowProc(WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

void FakePlatform::SetIcon(bool big, HICON icon) {
    Record(std::string("SetIcon ") + (big ? "big " : "small ") + std::to_string(icon));
    (big ? window.bigIcon : window.smallIcon) = icon;
}

LONG FakePlatform::GetExStyle() {
    Record("GetExStyle");
    return window.exStyle;
}
void FakePlatform::SetExStyle(LONG style) {
    Record("SetExStyle " + Hex(unsigned(style)));
    window.exStyle = style;
}
void FakePlatform::SetLayeredAttributes(COLORREF key, BYTE alpha, DWORD flags) {
    Record("SetLayeredAttributes " + Hex(key) + " " + std::to_string(alpha) + " " + Hex(flags));
}

void FakePlatform::SetWindowPos(int x, int y, int cx, int cy, UINT flags) {
    Record("SetWindowPos " + std::to_string(x) + "," + std::to_string(y) + " " +
           std::to_string(cx) + "x" + std::to_string(cy) + " " + Hex(flags));
    if (!(flags & SWP_NOMOVE)) {
        window.x = x;
        window.y = y;
    }
    window.cx = cx;
    window.cy = cy;
    if (flags & SWP_SHOWWINDOW)
        window.visible = true;
}

void FakePlatform::ShowWindow(int cmd) {
    Record("ShowWindow " + std::to_string(cmd));
    window.visible = cmd != SW_HIDE;
}
void FakePlatform::InvalidateRect(bool erase) {
    Record(std::string("InvalidateRect ") + (erase ? "erase" : "keep"));
}
POINT FakePlatform::ClientToScreen(POINT pt) {
    Record("ClientToScreen");
    return POINT{pt.x + window.x, pt.y + window.y};
}
void FakePlatform::SetHandCursor() {
    Record("SetCursor hand");
}
bool FakePlatform::TrackMouseLeave() {
    Record("TrackMouseLeave");
    return leaveRequestAccepted;
}
void FakePlatform::PostMessage(UINT msg, WPARAM wp, LPARAM lp) {
    Record("PostMessage " + Hex(msg) + " " + std::to_string(wp) + " " + Hex(unsigned(lp)));
}

DcHandle FakePlatform::BeginPaint() {
    Record("BeginPaint");
    return DcHandle(++m_dcs);
}
void FakePlatform::EndPaint(DcHandle) {
    Record("EndPaint");
}
DcHandle FakePlatform::GetClientDc() {
    Record("GetDC");
    return DcHandle(++m_dcs);
}
void FakePlatform::ReleaseDc(DcHandle) {
    Record("ReleaseDC");
}

bool FakePlatform::DrawBitmap(DcHandle, int id, int cx, int cy, COLORREF transparent) {
    Record("Draw " + std::to_string(id) + " " + std::to_string(cx) + "x" + std::to_string(cy) +
           " " + Hex(transparent));
    imagesDrawn.push_back(id);
    return true;
}

void FakePlatform::TrackPopupMenu(const std::vector<MenuItem>& items, POINT screen) {
    Record("TrackPopupMenu " + std::to_string(screen.x) + "," + std::to_string(screen.y));
    menus.push_back(items);
    // The chosen item reaches the owner after the menu has closed.
    if (menuChoice)
        m_queue.push_front({WM_COMMAND, *menuChoice, 0});
}

bool FakePlatform::NotifyIcon(DWORD op, const TrayIconRecord& rec) {
    Record("NotifyIcon " + std::to_string(op) + " " + std::to_string(rec.id));
    auto same = [&](const TrayIconRecord& r) { return r.id == rec.id; };
    const bool present = std::any_of(trayIcons.begin(), trayIcons.end(), same);
    if (op == NIM_ADD) {
        if (!trayAddSucceeds || present)
            return false;
        trayIcons.push_back(rec);
        return true;
    }
    if (op == NIM_DELETE) {
        std::erase_if(trayIcons, same);
        return present;
    }
    return false;
}

LRESULT FakePlatform::Send(CWnd& dlg, UINT msg, WPARAM wp, LPARAM lp) {
    CWnd* saved = m_dlg;
    m_dlg = &dlg;
    const LRESULT r = dlg.WindowProc(msg, wp, lp);
    m_dlg = saved;
    return r;
}

} // namespace dorvex
