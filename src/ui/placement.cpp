// When the launcher opens: the kind of customer, and for business customers the server's skin
// and place.
#include "net/http.h"
#include "net/servers.h"
#include "skin/settings_file.h"
#include "skin/skin_layout.h"
#include "ui/DorvexLauncherDlg.h"
#include "ui/answer_reading.h"

namespace dorvex {

void CDorvexLauncherDlg::ApplyServerPlacement() {
    Platform& p = Platform::Get();
    constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_SHOWWINDOW;

    CString answer = FetchUrlText(WebServer + paths::kPositionQuery);

    bool pcRoomPlaced = false;
    if (IsPcRoomKey(answer)) {
        m_bPcRoom = TRUE;
        // The key goes into the path as received.
        answer = FetchUrlText(WebServer + paths::kPcRoomQuery + answer);
        m_nPosX = ReadAsNumber(ExtractField(answer, 0, ','));
        m_nPosY = ReadAsNumber(ExtractField(answer, 1, ','));
        const int skinChoice = ReadAsNumber(ExtractField(answer, 2, ','));
        m_nSkinType = skinChoice != 0 ? kSkinB : kSkinA;
        WriteSkinType(m_nSkinType);
        p.SetWindowPos(m_nPosX, m_nPosY, m_nWidth, m_nHeight, kPlaceFlags);
        pcRoomPlaced = true;
    }

    if (ReadAsNumber(answer) == 1) {
        m_bB2B = TRUE;
        const CString business = FetchUrlText(WebServer + paths::kBusinessPlacementQuery);
        const int code = ReadAsNumber(ExtractField(business, 0, '|'));
        const int k = ReadAsNumber(ExtractField(business, 1, '|'));
        if (k == 1 || k == 2) {
            m_nSkinType = k == 1 ? kSkinA : kSkinB;
            WriteSkinType(m_nSkinType);
            LoadSkin();
            if (auto place =
                    PositionCodePlace(code, m_nScreenWidth, m_nScreenHeight, m_nWidth, m_nHeight)) {
                m_nPosX = place->x;
                m_nPosY = place->y;
            }
        }
        LoadSkin();
        CalcButtonRects();
        p.SetWindowPos(m_nPosX, m_nPosY, m_nWidth, m_nHeight, kPlaceFlags);
        p.InvalidateRect(true);
        return;
    }

    LoadSkin();
    CalcButtonRects();
    // A PC room stands where its server put it: LoadSkin has just moved the window to the
    // default place of the skin the server chose, so it goes back to the server's place with
    // that skin's size. Nothing moves it later in PC-room mode.
    if (pcRoomPlaced)
        p.SetWindowPos(m_nPosX, m_nPosY, m_nWidth, m_nHeight, kPlaceFlags);
    p.InvalidateRect(true);
}

} // namespace dorvex
