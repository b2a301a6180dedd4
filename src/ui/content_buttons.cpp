// A release of the left button: the position query again, then the page or the player.
#include "ui/content_buttons.h"

#include "net/http.h"
#include "net/servers.h"
#include "skin/skin_layout.h"
#include "ui/DorvexLauncherDlg.h"
#include "ui/answer_reading.h"

namespace dorvex {

std::string ContentPage(int button, bool business) {
    switch (button) {
    case 1:
        return business ? B2bServer + paths::kBusinessComic : WebServer + paths::kHomeComic;
    case 2:
        return business ? B2bServer + paths::kBusinessNovel : WebServer + paths::kHomeNovel;
    case 3:
        return business ? B2bServer + paths::kBusinessVod : WebServer + paths::kHomeVod;
    default:
        return {};
    }
}

std::string PlayerProductPage() {
    return PlayerSite + paths::kPlayerProduct;
}

void CDorvexLauncherDlg::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
    Platform& p = Platform::Get();
    const CString answer = FetchUrlText(WebServer + paths::kPositionQuery);

    m_bB2B = ReadAsNumber(answer) == 1 ? TRUE : FALSE;

    if (m_nActiveButton >= 1 && m_nActiveButton <= 4)
        p.InvalidateRect(true);

    const int button = HitTest(m_rcButton, point);
    if (button >= 1 && button <= 3) {
        p.ShellOpen(ContentPage(button, m_bPcRoom || m_bB2B));
    } else if (button == 4) {
        // The launcher runs elevated: the path is started as the program itself, never as a
        // command line that "C:\Program Files\..." could be split into.
        const std::optional<std::string> player = p.ReadUserString(kPlayerKey, kPlayerValue);
        if (!player || player->empty() || !p.StartProgram(*player, SW_SHOW))
            p.ShellOpen(PlayerProductPage());
    }

    Default();
}

} // namespace dorvex
