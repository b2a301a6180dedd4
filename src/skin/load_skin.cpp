// LoadSkin and CalcButtonRects: the settings file's skin, its metrics and its default place.
#include "skin/settings_file.h"
#include "skin/skin_layout.h"
#include "ui/DorvexLauncherDlg.h"

namespace dorvex {

void CDorvexLauncherDlg::LoadSkin() {
    m_nSkinType = ReadSetting(kSkinSection, kTypeKey, kSkinA);
    const SkinInfo& skin = SkinForType(m_nSkinType);

    const char* s = skin.section;
    m_nWidth = ReadSetting(s, "WIDTH", 1);
    m_nHeight = ReadSetting(s, "HEIGHT", 1);
    m_nBtnWidth = ReadSetting(s, "BTNWIDTH", 1);
    m_nBtnHeight = ReadSetting(s, "BTNHEIGHT", 1);
    for (int i = 0; i < kButtonCount; ++i) {
        const std::string prefix = "BTN" + std::to_string(i + 1) + "TOP";
        m_ptBtnTop[i].x = ReadSetting(s, (prefix + "X").c_str(), 1);
        m_ptBtnTop[i].y = ReadSetting(s, (prefix + "Y").c_str(), 1);
    }

    m_nBgBitmapId = skin.images.idle;
    m_nHoverBitmapId = skin.images.hover;
    m_nPressedBitmapId = skin.images.pressed;

    const POINT place = DefaultPlace(skin, m_nScreenWidth, m_nScreenHeight, m_nWidth, m_nHeight);
    Platform::Get().SetWindowPos(place.x, place.y, m_nWidth, m_nHeight,
                                 SWP_NOZORDER | SWP_SHOWWINDOW);
}

void CDorvexLauncherDlg::CalcButtonRects() {
    SkinMetrics m;
    m.btnWidth = m_nBtnWidth;
    m.btnHeight = m_nBtnHeight;
    for (int i = 0; i < kButtonCount; ++i)
        m.btnTop[i] = m_ptBtnTop[i];
    m_rcButton = ButtonRects(m);
}

} // namespace dorvex
