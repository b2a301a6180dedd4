// The launcher dialog: its message map, the window set-up when it opens, the key filter.
#include "net/loader_update.h"
#include "net/servers.h"
#include "res/resource.h"
#include "ui/DorvexLauncherDlg.h"

namespace dorvex {

namespace {
constexpr const char* kInstanceName = "DorvexLauncher";
constexpr BYTE kLayeredAlpha = 128; // without LWA_ALPHA it has no effect
} // namespace

CDorvexLauncherDlg::CDorvexLauncherDlg(CWnd* pParent)
    : CDialog(IDD_DORVEXLAUNCHER_DIALOG, pParent),
      m_hIcon(Platform::Get().LoadIcon(IDR_MAINFRAME)) {}

CDorvexLauncherDlg::~CDorvexLauncherDlg() = default;

const MessageMap* CDorvexLauncherDlg::GetMessageMap() const {
    using D = CDorvexLauncherDlg;
    static const MessageMapEntry entries[] = {
        OnMessage<&D::OnPaint>(WM_PAINT),
        OnMessage<&D::OnQueryDragIcon>(WM_QUERYDRAGICON),
        OnMessage<&D::OnLButtonDown>(WM_LBUTTONDOWN),
        OnMessage<&D::OnLButtonDblClk>(WM_LBUTTONDBLCLK),
        OnMessage<&D::OnMouseMove>(WM_MOUSEMOVE),
        OnMessage<&D::OnRButtonDown>(WM_RBUTTONDOWN),
        OnCommand<&D::OnSkinA>(ID_SKIN_A),
        OnCommand<&D::OnSkinB>(ID_SKIN_B),
        OnCommand<&D::OnTray>(ID_TRAY),
        OnMessage<&D::OnTrayNotify>(WM_TRAYNOTIFY),
        OnMessage<&D::OnMouseLeave>(WM_MOUSELEAVE),
        OnMessage<&D::OnLButtonUp>(WM_LBUTTONUP),
        // Takes the tray icon away with the window, so no dead icon stays behind.
        OnMessage<&D::OnDestroy>(WM_DESTROY),
    };
    static const MessageMap map{CDialog::GetMessageMap(), entries};
    return &map;
}

BOOL CDorvexLauncherDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Platform& p = Platform::Get();

    p.SetIcon(true, m_hIcon);
    p.SetIcon(false, m_hIcon);

    p.SetExStyle((p.GetExStyle() & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);

    bool gotHandle = false;
    if (p.CreateNamedMapping(kInstanceName, &gotHandle) && gotHandle) {
        OnOK(); // another launcher runs in this session
        return FALSE;
    }

    m_nScreenWidth = p.GetSystemMetrics(SM_CXSCREEN);
    m_nScreenHeight = p.GetSystemMetrics(SM_CYSCREEN);

    p.SetExStyle(p.GetExStyle() | WS_EX_LAYERED);
    p.SetLayeredAttributes(p.GetSysColor(COLOR_BTNFACE), kLayeredAlpha, LWA_COLORKEY);

    // Registered before anything can fail, so a tray icon added later is restored after an
    // Explorer restart.
    m_uTaskbarCreated = p.RegisterWindowMessage("TaskbarCreated");

    LoadSkin();
    CalcButtonRects();

    ApplyServerPlacement();

    CheckLoaderUpdate(WebServer + paths::kLoaderFile, kLoaderFileName);
    return TRUE;
}

BOOL CDorvexLauncherDlg::PreTranslateMessage(const MSG& msg) {
    if (msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4)
        return TRUE;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN))
        return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CDorvexLauncherDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A registered message has no fixed code, so it cannot stand in the static map.
    if (m_uTaskbarCreated != 0 && message == m_uTaskbarCreated) {
        if (m_bTrayIconAdded) {
            m_bTrayIconAdded = false; // the new taskbar has no icon of ours
            AddTrayIcon();
            if (!m_bTrayIconAdded)
                Platform::Get().ShowWindow(SW_SHOW);
        }
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

HCURSOR CDorvexLauncherDlg::OnQueryDragIcon() {
    return HCURSOR(m_hIcon);
}

} // namespace dorvex
