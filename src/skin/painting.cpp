// Painting and pointer feedback: one skin image over the whole window, hover and press looks,
// the leave request and the drag by the background.
#include "skin/skin_layout.h"
#include "ui/DorvexLauncherDlg.h"

namespace dorvex {

namespace {
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The window's client DC for the length of one handler.
class ClientDc {
public:
    ClientDc() : m_dc(Platform::Get().GetClientDc()) {}
    ~ClientDc() { Platform::Get().ReleaseDc(m_dc); }
    ClientDc(const ClientDc&) = delete;
    ClientDc& operator=(const ClientDc&) = delete;
    DcHandle get() const { return m_dc; }

private:
    DcHandle m_dc;
};

class PaintDc {
public:
    PaintDc() : m_dc(Platform::Get().BeginPaint()) {}
    ~PaintDc() { Platform::Get().EndPaint(m_dc); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    DcHandle get() const { return m_dc; }

private:
    DcHandle m_dc;
};
} // namespace

void CDorvexLauncherDlg::DrawSkinImage(DcHandle target, int imageId) {
    // Every image of a skin has its magenta pixels in the same places, so drawing one over
    // another needs no erase first.
    Platform::Get().DrawBitmap(target, imageId, m_nWidth, m_nHeight, kMagenta);
}

void CDorvexLauncherDlg::OnPaint() {
    PaintDc dc;
    DrawSkinImage(dc.get(), m_nBgBitmapId);
}

void CDorvexLauncherDlg::OnMouseMove(UINT /*nFlags*/, CPoint point) {
    m_nActiveButton = HitTest(m_rcButton, point);
    {
        ClientDc dc;
        if (m_nActiveButton == 0) {
            DrawSkinImage(dc.get(), m_nBgBitmapId);
        } else {
            Platform::Get().SetHandCursor();
            DrawSkinImage(dc.get(), m_nHoverBitmapId[m_nActiveButton - 1]);
            if (!m_bTracking)
                m_bTracking = Platform::Get().TrackMouseLeave() ? TRUE : FALSE;
        }
    }
    Default();
}

void CDorvexLauncherDlg::OnMouseLeave() {
    m_bTracking = FALSE;
    {
        ClientDc dc;
        DrawSkinImage(dc.get(), m_nBgBitmapId);
    }
    Default();
}

void CDorvexLauncherDlg::OnLButtonDown(UINT /*nFlags*/, CPoint point) {
    m_nActiveButton = HitTest(m_rcButton, point);
    if (m_nActiveButton != 0) {
        Platform::Get().SetHandCursor();
        ClientDc dc;
        DrawSkinImage(dc.get(), m_nPressedBitmapId[m_nActiveButton - 1]);
    } else if (!m_bPcRoom) {
        // The default procedure then moves the window as if its title bar had been pressed.
        Platform::Get().PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    }
    Default();
}

void CDorvexLauncherDlg::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/) {
    Default();
}

} // namespace dorvex
