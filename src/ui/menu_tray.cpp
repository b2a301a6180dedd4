// The right-button menu, the skin commands and the tray icon.
#include "ui/menu_tray.h"

#include "res/resource.h"
#include "skin/settings_file.h"
#include "skin/skin_layout.h"
#include "ui/DorvexLauncherDlg.h"

namespace dorvex {

std::vector<MenuItem> SkinMenuItems(int skinType) {
    std::vector<MenuItem> items;
    if (skinType == kSkinA) {
        items.push_back({MF_CHECKED, ID_SKIN_A, "Skin A"});
        items.push_back({MF_STRING, ID_SKIN_B, "Skin B"});
    } else if (skinType == kSkinB) {
        items.push_back({MF_STRING, ID_SKIN_A, "Skin A"});
        items.push_back({MF_CHECKED, ID_SKIN_B, "Skin B"});
    }
    items.push_back({MF_SEPARATOR, 0, ""});
    items.push_back({MF_STRING, ID_TRAY, "Tray"});
    return items;
}

void CDorvexLauncherDlg::OnRButtonDown(UINT /*nFlags*/, CPoint point) {
    Platform& p = Platform::Get();
    const POINT screen = p.ClientToScreen(point);
    if (!m_bPcRoom)
        p.TrackPopupMenu(SkinMenuItems(m_nSkinType), screen);
    Default();
}

void CDorvexLauncherDlg::SwitchSkin(int code) {
    m_nSkinType = code;
    WriteSkinType(code);
    LoadSkin(); // reads TYPE back: a file that cannot be written keeps its skin
    CalcButtonRects();
    Platform::Get().SetWindowPos(0, 0, m_nWidth, m_nHeight, SWP_NOMOVE);
    Platform::Get().InvalidateRect(true);
}

void CDorvexLauncherDlg::OnSkinA() {
    SwitchSkin(kSkinA);
}
void CDorvexLauncherDlg::OnSkinB() {
    SwitchSkin(kSkinB);
}

void CDorvexLauncherDlg::OnTray() {
    HideToTray();
}

void CDorvexLauncherDlg::AddTrayIcon() {
    const TrayIconRecord rec{kTrayIconId, WM_TRAYNOTIFY, IDI_TRAY, kTrayTip};
    // A second add for the same icon fails where the icon is still there; it is there all the
    // same.
    if (Platform::Get().NotifyIcon(NIM_ADD, rec))
        m_bTrayIconAdded = true;
}

void CDorvexLauncherDlg::HideToTray() {
    Platform& p = Platform::Get();
    p.ShowWindow(SW_HIDE);
    AddTrayIcon();
    if (!m_bTrayIconAdded) {
        // Without the icon nothing could bring the window back.
        p.ShowWindow(SW_SHOW);
        return;
    }
    p.SetIcon(true, p.LoadIcon(IDI_TRAY));
}

LRESULT CDorvexLauncherDlg::OnTrayNotify(WPARAM /*wParam*/, LPARAM lParam) {
    if (lParam == LPARAM(WM_LBUTTONDBLCLK))
        Platform::Get().ShowWindow(SW_SHOW);
    return 0;
}

void CDorvexLauncherDlg::OnDestroy() {
    if (m_bTrayIconAdded) {
        Platform::Get().NotifyIcon(NIM_DELETE,
                                   TrayIconRecord{kTrayIconId, WM_TRAYNOTIFY, IDI_TRAY, kTrayTip});
        m_bTrayIconAdded = false;
    }
    Default();
}

} // namespace dorvex
