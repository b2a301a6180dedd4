// The launcher's only window and the single record of its state.
#pragma once

#include <array>

#include "platform/framework.h"

namespace dorvex {

// The shell's callback for mouse events on the tray icon.
inline constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;

class CDorvexLauncherDlg : public CDialog {
public:
    explicit CDorvexLauncherDlg(CWnd* pParent = nullptr);
    ~CDorvexLauncherDlg() override;

    const MessageMap* GetMessageMap() const override;
    void DoDataExchange() override {}
    BOOL PreTranslateMessage(const MSG& msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    // Skin settings and layout (skin/).
    void LoadSkin();
    void CalcButtonRects();
    // Painting and pointer feedback (skin/).
    void DrawSkinImage(DcHandle target, int imageId);
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    // Server-driven placement and mode (ui/placement.cpp).
    void ApplyServerPlacement();
    // Content buttons (ui/content_buttons.cpp).
    void OnLButtonUp(UINT nFlags, CPoint point);
    // Context menu, skin switch and tray (ui/menu_tray.cpp).
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnSkinA();
    void OnSkinB();
    void OnTray();
    void HideToTray();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    // Companion loader update check (net/loader_update.cpp).
    BOOL CheckLoaderUpdate(CString strDownloadUrl, CString strFileName);

    HCURSOR OnQueryDragIcon();

    // --- the member record -------------------------------------------------------------------
    int m_nSkinType = 0;
    int m_nWidth = 0, m_nHeight = 0;
    int m_nBtnWidth = 0, m_nBtnHeight = 0;
    std::array<CPoint, 4> m_ptBtnTop{};
    int m_nBgBitmapId = 0;
    std::array<int, 4> m_nHoverBitmapId{};
    std::array<int, 4> m_nPressedBitmapId{};
    int m_nActiveButton = 0;
    int m_nScreenWidth = 0, m_nScreenHeight = 0;
    std::array<RECT, 4> m_rcButton{};
    BOOL m_bTracking = FALSE;
    BOOL m_bPcRoom = FALSE;
    BOOL m_bB2B = FALSE;
    int m_nPosX = 0, m_nPosY = 0;
    CString m_strInstallDir;
    HICON m_hIcon; // the application icon

private:
    void SwitchSkin(int code);
    void AddTrayIcon();
    void OnDestroy();

    // The taskbar's re-creation broadcast; 0 where the platform has none.
    UINT m_uTaskbarCreated = 0;
    bool m_bTrayIconAdded = false;
};

} // namespace dorvex
