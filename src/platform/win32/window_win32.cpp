// The launcher window on Win32: a dialog from template 102, subclassed so that every message
// goes through the core's message map first and the dialog procedure does the defaults.
#include "platform/win32/win32_platform.h"

#include "platform/win32/late_bound.h"

#include <shellapi.h>
#include <vector>

namespace dorvex {

namespace {

Win32Platform* g_self = nullptr; // the window procedure's way back; one launcher window

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

::LRESULT CALLBACK SubclassProc(HWND hwnd, ::UINT msg, ::WPARAM wp, ::LPARAM lp) {
    Win32Platform* self = g_self;
    if (!self || !self->m_dlg || hwnd != self->m_hwnd)
        return DefWindowProcW(hwnd, msg, wp, lp);
    // WindowProc never lets an exception out: none may cross the system's frames.
    return self->m_dlg->WindowProc(msg, wp, lp);
}

INT_PTR CALLBACK DialogProc(HWND hwnd, ::UINT msg, ::WPARAM, ::LPARAM lp) {
    if (msg != WM_INITDIALOG)
        return FALSE; // everything else: the dialog manager's default handling
    Win32Platform* self = reinterpret_cast<Win32Platform*>(lp);
    self->m_hwnd = hwnd;
    self->m_dialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    return self->m_dlg->WindowProc(WM_INITDIALOG, 0, 0);
}

class MemoryDc {
public:
    explicit MemoryDc(HDC like) : m_dc(CreateCompatibleDC(like)) {}
    ~MemoryDc() {
        if (m_dc)
            DeleteDC(m_dc);
    }
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};

class Bitmap {
public:
    explicit Bitmap(HBITMAP b) : m_b(b) {}
    ~Bitmap() {
        if (m_b)
            DeleteObject(m_b);
    }
    HBITMAP get() const { return m_b; }

private:
    HBITMAP m_b;
};

class Selection {
public:
    Selection(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(SelectObject(dc, obj)) {}
    ~Selection() { SelectObject(m_dc, m_old); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace

int Win32Platform::RunModal(CWnd& dlg, int templateId) {
    m_dlg = &dlg;
    g_self = this;
    m_continueModal = true;
    m_result = -1;
    HWND hwnd = CreateDialogParamW(Module(), MAKEINTRESOURCEW(templateId), nullptr, &DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (!hwnd) {
        m_dlg = nullptr;
        return -1;
    }
    while (m_continueModal) {
        ::MSG msg;
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        m_nativeMsg = msg;
        const dorvex::MSG m{msg.message, msg.wParam, msg.lParam};
        const bool forDialog = msg.hwnd == m_hwnd || IsChild(m_hwnd, msg.hwnd);
        if (forDialog && static_cast<CDialog&>(dlg).PreTranslateMessage(m))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    m_dlg = nullptr;
    g_self = nullptr;
    return m_result;
}

void Win32Platform::EndDialog(int result) {
    m_result = result;
    m_continueModal = false;
}

LRESULT Win32Platform::CallDefault(UINT msg, WPARAM wp, LPARAM lp) {
    if (!m_dialogProc)
        return DefWindowProcW(m_hwnd, msg, wp, lp);
    return CallWindowProcW(m_dialogProc, m_hwnd, msg, wp, lp);
}

bool Win32Platform::DefaultPreTranslate(const dorvex::MSG&) {
    return IsDialogMessageW(m_hwnd, &m_nativeMsg) != 0;
}

HICON Win32Platform::LoadIcon(int id) {
    return reinterpret_cast<HICON>(LoadIconW(Module(), MAKEINTRESOURCEW(id)));
}

void Win32Platform::SetIcon(bool big, HICON icon) {
    SendMessageW(m_hwnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, LPARAM(icon));
}

LONG Win32Platform::GetExStyle() {
    return LONG(GetWindowLongW(m_hwnd, GWL_EXSTYLE));
}
void Win32Platform::SetExStyle(LONG style) {
    SetWindowLongW(m_hwnd, GWL_EXSTYLE, style);
}

void Win32Platform::SetLayeredAttributes(COLORREF key, BYTE alpha, DWORD flags) {
    SetLayeredWindowAttributes(m_hwnd, key, alpha, flags);
}

void Win32Platform::SetWindowPos(int x, int y, int cx, int cy, UINT flags) {
    ::SetWindowPos(m_hwnd, nullptr, x, y, cx, cy, flags);
}

void Win32Platform::ShowWindow(int cmd) {
    ::ShowWindow(m_hwnd, cmd);
}
void Win32Platform::InvalidateRect(bool erase) {
    ::InvalidateRect(m_hwnd, nullptr, erase);
}

POINT Win32Platform::ClientToScreen(POINT pt) {
    ::POINT p{pt.x, pt.y};
    ::ClientToScreen(m_hwnd, &p);
    return POINT{LONG(p.x), LONG(p.y)};
}

void Win32Platform::SetHandCursor() {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
}

bool Win32Platform::TrackMouseLeave() {
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hwnd, 0};
    return TrackMouseEvent(&tme) != 0;
}

void Win32Platform::PostMessage(UINT msg, WPARAM wp, LPARAM lp) {
    PostMessageW(m_hwnd, msg, wp, lp);
}

DcHandle Win32Platform::BeginPaint() {
    return DcHandle(::BeginPaint(m_hwnd, &m_ps));
}
void Win32Platform::EndPaint(DcHandle) {
    ::EndPaint(m_hwnd, &m_ps);
}
DcHandle Win32Platform::GetClientDc() {
    return DcHandle(GetDC(m_hwnd));
}
void Win32Platform::ReleaseDc(DcHandle dc) {
    ReleaseDC(m_hwnd, reinterpret_cast<HDC>(dc));
}

bool Win32Platform::DrawBitmap(DcHandle target, int id, int cx, int cy, COLORREF transparent) {
    HDC dc = reinterpret_cast<HDC>(target);
    Bitmap bmp(static_cast<HBITMAP>(
        LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bmp.get() || !dc)
        return false;
    BITMAP info{};
    GetObjectW(bmp.get(), sizeof info, &info);
    MemoryDc mem(dc);
    Selection sel(mem.get(), bmp.get());
    return TransparentBlt(dc, 0, 0, cx, cy, mem.get(), 0, 0, info.bmWidth, info.bmHeight,
                          transparent) != 0;
}

void Win32Platform::TrackPopupMenu(const std::vector<MenuItem>& items, POINT screen) {
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (const MenuItem& item : items) {
        if (item.flags & MF_SEPARATOR)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, item.flags, item.id, Widen(item.text).c_str());
    }
    ::TrackPopupMenu(menu, 0, screen.x, screen.y, 0, m_hwnd, nullptr);
    DestroyMenu(menu);
}

bool Win32Platform::NotifyIcon(DWORD op, const TrayIconRecord& rec) {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = m_hwnd;
    nid.uID = rec.id;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = rec.callbackMessage;
    nid.hIcon = LoadIconW(Module(), MAKEINTRESOURCEW(rec.iconId));
    lstrcpynW(nid.szTip, Widen(rec.tipUtf8).c_str(), ARRAYSIZE(nid.szTip));
    return late::Shell_NotifyIconW(op, &nid) != 0;
}

} // namespace dorvex
