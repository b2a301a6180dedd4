// The answer readings and the placement decision on any three answers: the position query,
// the PC-room query and the business query answer with the input's three parts (split at NUL
// bytes). The launcher opens on every combination with one of its two skins, inside the screen
// or at a place the servers gave, and never ends up with an exception or a box.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "app/DorvexLauncherApp.h"
#include "net/servers.h"
#include "platform/fake/platform_fake.h"
#include "skin/settings_file.h"
#include "ui/DorvexLauncherDlg.h"
#include "ui/answer_reading.h"

namespace {

std::string Part(std::string_view input, int n) {
    size_t start = 0;
    for (int i = 0; i < n; ++i) {
        const size_t nul = input.find('\0', start);
        if (nul == std::string_view::npos)
            return {};
        start = nul + 1;
    }
    const size_t end = input.find('\0', start);
    return std::string(
        input.substr(start, end == std::string_view::npos ? input.npos : end - start));
}

const std::string kSkins =
    "[SKIN]\r\nTYPE=100001\r\n[100001]\r\nWIDTH=420\r\nHEIGHT=83\r\nBTNWIDTH=60\r\n"
    "BTNHEIGHT=72\r\nBTN1TOPX=45\r\nBTN1TOPY=6\r\nBTN2TOPX=135\r\nBTN2TOPY=6\r\nBTN3TOPX=225\r\n"
    "BTN3TOPY=6\r\nBTN4TOPX=315\r\nBTN4TOPY=6\r\n[100002]\r\nWIDTH=190\r\nHEIGHT=292\r\n"
    "BTNWIDTH=72\r\nBTNHEIGHT=100\r\nBTN1TOPX=16\r\nBTN1TOPY=62\r\nBTN2TOPX=102\r\nBTN2TOPY=62\r\n"
    "BTN3TOPX=16\r\nBTN3TOPY=176\r\nBTN4TOPX=102\r\nBTN4TOPY=176\r\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace dorvex;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string pos = Part(input, 0), pcroom = Part(input, 1), pos2 = Part(input, 2);

    // The pure readings first: no input makes them fail.
    (void)ReadAsNumber(pos);
    for (int n = 0; n < 4; ++n) {
        (void)ExtractField(pos, n, ',');
        (void)ExtractField(pos2, n, '|');
    }
    for (int code = -1; code <= 10; ++code) {
        const auto p = PositionCodePlace(code, 1024, 768, 420, 83);
        if (p && (p->x < 0 || p->y < 0 || p->x + 420 > 1024 || p->y + 83 > 768))
            abort();
    }

    static const std::string root = [] {
        auto dir = std::filesystem::temp_directory_path() /
                   ("dorvex-fuzz-answers-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        return dir.string();
    }();
    std::filesystem::remove_all(root + "/c");
    FakePlatform fake(root);
    Platform::Set(&fake);
    g_strInstallDir = "C:\\VALMOR";
    g_strSettingsPath = "C:\\VALMOR\\DorvexManager.ini";
    std::filesystem::create_directories(fake.HostPath("C:\\VALMOR"));
    std::ofstream(fake.HostPath(g_strSettingsPath), std::ios::binary) << kSkins;
    fake.AnswerText(WebServer + "/version/pos.php", pos);
    if (IsPcRoomKey(pos))
        fake.AnswerText(WebServer + "/desktop/pcroom/" + pos, pcroom);
    fake.AnswerText(B2bServer + "/version/pos2.php", pos2);
    fake.AnswerText(WebServer + "/version/?app_name=LauncherLoader.exe", "");
    fake.Unreachable(WebServer + "/cab/LauncherLoader.exe");
    {
        CDorvexLauncherDlg dlg;
        fake.window = FakeWindow{};
        fake.window.exists = fake.window.visible = true;
        fake.Send(dlg, WM_INITDIALOG);
        const FakeWindow& w = fake.window;
        const bool skinA = w.cx == 420 && w.cy == 83, skinB = w.cx == 190 && w.cy == 292;
        if (!skinA && !skinB)
            abort();
        for (const std::string& box : fake.boxes) {
            // The only box this start may show is the loader download's server error.
            if (box.find("0x") == std::string::npos)
                abort();
        }
    }
    Platform::Set(nullptr);
    return 0;
}
