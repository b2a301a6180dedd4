// A launcher dialog over the fake platform, with a settings file of the generated layout.
#pragma once

#include "app/DorvexLauncherApp.h"
#include "net/servers.h"
#include "skin/settings_file.h"
#include "test_support.h"
#include "ui/DorvexLauncherDlg.h"

namespace dorvex::test {

inline std::string SkinSections(int type) {
    return "[SKIN]\r\nTYPE=" + std::to_string(type) +
           "\r\n[100001]\r\nWIDTH=420\r\nHEIGHT=83\r\nBTNWIDTH=57\r\nBTNHEIGHT=77\r\n"
           "BTN1TOPX=45\r\nBTN1TOPY=5\r\nBTN2TOPX=135\r\nBTN2TOPY=5\r\nBTN3TOPX=225\r\nBTN3TOPY="
           "5\r\n"
           "BTN4TOPX=315\r\nBTN4TOPY=5\r\n"
           "[100002]\r\nWIDTH=190\r\nHEIGHT=292\r\nBTNWIDTH=72\r\nBTNHEIGHT=100\r\n"
           "BTN1TOPX=16\r\nBTN1TOPY=62\r\nBTN2TOPX=102\r\nBTN2TOPY=62\r\nBTN3TOPX=16\r\nBTN3TOPY="
           "176\r\n"
           "BTN4TOPX=102\r\nBTN4TOPY=176\r\n";
}

class LauncherTest : public FakeTest {
protected:
    const std::string kIni = "C:\\VALMOR\\DorvexManager.ini";
    const std::string kPos = WebServer + "/version/pos.php";
    const std::string kPos2 = WebServer + "/version/pos2.php";
    const std::string kVersion = WebServer + "/version/?app_name=LauncherLoader.exe";
    const std::string kLoader = WebServer + "/cab/LauncherLoader.exe";
    const std::string kLoaderPath = "C:\\VALMOR\\LauncherLoader.exe";

    void Settings(int type = 100001) { WriteFile(kIni, SkinSections(type)); }
    // The loader check finds its copy current, so it stays out of the way of other tests.
    void LoaderCurrent() {
        WriteFile(kLoaderPath, "MZ");
        fake.fileVersions[kLoaderPath] = {3, 1, 4, 1};
        fake.AnswerText(kVersion, "3.1.4.1");
    }
    // Runs the dialog's initialisation and returns with the window open.
    void Open() {
        fake.window = FakeWindow{};
        fake.window.exists = fake.window.visible = true;
        fake.Send(dlg, WM_INITDIALOG);
    }
    // SKIN/TYPE as the launcher would read it now.
    int profile_type() { return fake.GetPrivateProfileInt("SKIN", "TYPE", -1, kIni); }

    CDorvexLauncherDlg dlg;
};

} // namespace dorvex::test
