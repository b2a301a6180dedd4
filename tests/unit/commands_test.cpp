// Button releases, the right-button menu with its skin commands, the tray, the loader check.
#include "launcher_fixture.h"
#include "net/loader_update.h"
#include "res/resource.h"
#include "ui/content_buttons.h"
#include "ui/menu_tray.h"

namespace dorvex::test {
namespace {

class Buttons : public LauncherTest {
protected:
    void SetUp() override {
        Settings();
        dlg.LoadSkin();
        dlg.CalcButtonRects();
    }
    LPARAM OnButton(int n) { return MAKELPARAM(45 + 90 * (n - 1) + 10, 20); }
    void Release(LPARAM at) { fake.Send(dlg, WM_LBUTTONUP, 0, at); }
    const std::string kPlayerKey = "Software\\ESTsoft\\ALSong\\ProgramPath";
};

TEST_F(Buttons, TheBusinessFlagFromEveryReleasesAnswer) {
    const std::pair<const char*, BOOL> cases[] = {
        {"1", TRUE},  {" 1", TRUE}, {"+1", TRUE},  {"01", TRUE},  {"1abc", TRUE},   {"", FALSE},
        {"0", FALSE}, {"2", FALSE}, {"12", FALSE}, {"-1", FALSE}, {"1\r\n0", FALSE}};
    for (const auto& [answer, b2b] : cases) {
        fake.opened.clear();
        fake.AnswerText(kPos, answer);
        Release(OnButton(1));
        EXPECT_EQ(dlg.m_bB2B, b2b) << answer;
        EXPECT_EQ(fake.opened,
                  std::vector<std::string>{b2b ? B2bServer + "/comic.php"
                                               : WebServer + "/free_zone/?menu=free_comic"});
    }
}

TEST_F(Buttons, OrderOfARelease) {
    fake.AnswerText(kPos, "0");
    dlg.m_nActiveButton = 2;
    fake.calls.clear();
    Release(OnButton(2));
    EXPECT_EQ(fake.calls,
              (std::vector<std::string>{"OpenUrl " + kPos, "InvalidateRect erase",
                                        "ShellOpen " + WebServer + "/free_zone/?menu=free_novel",
                                        "Default 0x202"}));
}

TEST_F(Buttons, PagesForEachButtonAndMode) {
    fake.AnswerText(kPos, "0");
    Release(OnButton(3));
    dlg.m_bPcRoom = TRUE;
    for (int n = 1; n <= 3; ++n)
        Release(OnButton(n));
    EXPECT_EQ(fake.opened,
              (std::vector<std::string>{WebServer + "/vod/", B2bServer + "/comic.php",
                                        B2bServer + "/novel.php", B2bServer + "/vod.php"}));
    EXPECT_EQ(fake.requests.size(), 4u) << "the query is made in PC-room mode all the same";
}

TEST_F(Buttons, OnlyTheReleasePointCountsAndOutsideOpensNothing) {
    fake.AnswerText(kPos, "1");
    fake.Send(dlg, WM_LBUTTONDOWN, 0, OnButton(1));
    Release(OnButton(3));
    EXPECT_EQ(fake.opened, std::vector<std::string>{B2bServer + "/vod.php"});
    fake.AnswerText(kPos, "0");
    Release(MAKELPARAM(400, 80));
    EXPECT_EQ(fake.opened.size(), 1u);
    EXPECT_FALSE(dlg.m_bB2B) << "updated though nothing was hit";
    dlg.m_nActiveButton = 0;
    fake.calls.clear();
    Release(MAKELPARAM(400, 80));
    EXPECT_EQ(fake.Count("InvalidateRect"), 0u);
}

TEST_F(Buttons, ADoubleClickOpensTwice) {
    fake.AnswerText(kPos, "0");
    fake.Send(dlg, WM_LBUTTONDOWN, 0, OnButton(2));
    Release(OnButton(2));
    fake.Send(dlg, WM_LBUTTONDBLCLK, 0, OnButton(2));
    Release(OnButton(2));
    EXPECT_EQ(fake.opened.size(), 2u);
}

TEST_F(Buttons, AFailingQueryOpensNothingAndKeepsTheFlag) {
    dlg.m_bB2B = TRUE;
    dlg.m_nActiveButton = 1;
    fake.Unreachable(kPos);
    fake.calls.clear();
    Release(OnButton(1));
    EXPECT_TRUE(dlg.m_bB2B);
    EXPECT_TRUE(fake.opened.empty());
    EXPECT_EQ(fake.Count("InvalidateRect"), 0u);
    EXPECT_EQ(fake.Count("Default"), 0u);
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_NE(fake.boxes[0].find("|0x10"), std::string::npos);
}

TEST_F(Buttons, ThePlayer) {
    const std::string product = PlayerSite + "/Product/AlSong_Intro.aspx";
    const std::string longPath =
        "C:\\Program Files (x86)\\ESTsoft\\ALSong\\a very long folder name\\ALSong.exe";
    struct Case {
        const char* name;
        std::optional<std::string> value;
        bool startable;
        bool opensProduct;
    };
    const Case cases[] = {{"key absent", std::nullopt, false, true},
                          {"value present", "C:\\ALSong\\ALSong.exe", true, false},
                          {"value long", longPath, true, false},
                          {"program missing", "C:\\ALSong\\gone.exe", false, true},
                          {"empty value", "", false, true}};
    fake.AnswerText(kPos, "0");
    for (const Case& c : cases) {
        fake.opened.clear();
        fake.started.clear();
        fake.userStrings.clear();
        fake.startablePrograms.clear();
        if (c.value)
            fake.userStrings[kPlayerKey] = *c.value;
        if (c.startable)
            fake.startablePrograms.push_back(*c.value);
        Release(OnButton(4));
        EXPECT_EQ(fake.opened,
                  c.opensProduct ? std::vector<std::string>{product} : std::vector<std::string>{})
            << c.name;
        EXPECT_EQ(fake.started.size(), c.startable ? 1u : 0u) << c.name;
    }
    EXPECT_EQ(fake.Count("StartProgram C:\\ALSong\\ALSong.exe 5"), 1u);
}

using Menu = LauncherTest;

TEST_F(Menu, ItemsBySkinType) {
    auto texts = [](int type) {
        std::string s;
        for (const MenuItem& i : SkinMenuItems(type))
            s += i.text + (i.flags & MF_CHECKED ? "*" : "") + (i.flags & MF_SEPARATOR ? "-" : "") +
                 ";";
        return s;
    };
    EXPECT_EQ(texts(100001), "Skin A*;Skin B;-;Tray;");
    EXPECT_EQ(texts(100002), "Skin A;Skin B*;-;Tray;");
    EXPECT_EQ(texts(7), "-;Tray;");
}

TEST_F(Menu, NoMenuInAPcRoomAndDefaultAfterTheMenu) {
    Settings();
    dlg.m_nScreenWidth = 1024;
    dlg.m_nScreenHeight = 768;
    dlg.LoadSkin();
    fake.Send(dlg, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 6));
    EXPECT_EQ(fake.calls.back(), "Default 0x204");
    EXPECT_EQ(fake.menus.size(), 1u);
    EXPECT_EQ(fake.Count("TrackPopupMenu 307,641"), 1u);
    dlg.m_bPcRoom = TRUE;
    fake.Send(dlg, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 6));
    EXPECT_EQ(fake.menus.size(), 1u);
    EXPECT_EQ(fake.Count("Default 0x204"), 2u);
}

TEST_F(Menu, SkinSwitchWritesReloadsAndResizes) {
    Settings();
    dlg.m_nScreenWidth = 1024;
    dlg.m_nScreenHeight = 768;
    dlg.LoadSkin();
    fake.calls.clear();
    fake.Send(dlg, WM_COMMAND, ID_SKIN_B);
    EXPECT_EQ(profile_type(), 100002);
    EXPECT_EQ(fake.calls,
              (std::vector<std::string>{"SetWindowPos 834,426 190x292 0x44",
                                        "SetWindowPos 0,0 190x292 0x2", "InvalidateRect erase"}));
    EXPECT_EQ(dlg.m_rcButton[3], (RECT{102, 176, 174, 276}));
    fake.Send(dlg, WM_COMMAND, ID_SKIN_B); // the same skin again: the whole switch runs again
    EXPECT_EQ(fake.Count("SetWindowPos 834,426"), 2u);
    std::string expected = SkinSections(100002);
    EXPECT_EQ(ReadFile(kIni), expected) << "only the TYPE line changed";
}

TEST_F(Menu, AReadOnlySettingsFileKeepsTheOldSkin) {
    Settings();
    dlg.m_nScreenWidth = 1024;
    dlg.m_nScreenHeight = 768;
    std::filesystem::permissions(Host(kIni), std::filesystem::perms::owner_read);
    fake.Send(dlg, WM_COMMAND, ID_SKIN_B);
    EXPECT_EQ(dlg.m_nSkinType, 100001);
    EXPECT_EQ(fake.window.x, 302) << "back to skin A's default place";
    EXPECT_EQ(ReadFile(kIni), SkinSections(100001));
}

TEST_F(Menu, TrayHideRestoreAndHideAgainWithOneIcon) {
    fake.Send(dlg, WM_COMMAND, ID_TRAY);
    EXPECT_FALSE(fake.window.visible);
    ASSERT_EQ(fake.trayIcons.size(), 1u);
    EXPECT_EQ(fake.trayIcons[0].id, 131u);
    EXPECT_EQ(fake.trayIcons[0].callbackMessage, 0x401u);
    EXPECT_EQ(fake.trayIcons[0].iconId, 131);
    EXPECT_EQ(fake.trayIcons[0].tipUtf8, "Dorvex런처");
    EXPECT_EQ(fake.window.bigIcon, HICON(131));
    for (LPARAM other : {LPARAM(WM_LBUTTONDOWN), LPARAM(WM_RBUTTONDOWN), LPARAM(WM_MOUSEMOVE)}) {
        EXPECT_EQ(fake.Send(dlg, WM_TRAYNOTIFY, 131, other), 0);
        EXPECT_FALSE(fake.window.visible);
    }
    fake.Send(dlg, WM_TRAYNOTIFY, 131, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(fake.window.visible);
    EXPECT_EQ(fake.trayIcons.size(), 1u);
    fake.Send(dlg, WM_COMMAND, ID_TRAY);
    EXPECT_FALSE(fake.window.visible) << "a second add that fails still hides: the icon is there";
    EXPECT_EQ(fake.trayIcons.size(), 1u);
}

TEST_F(Menu, AnIconThatCannotBeAddedShowsTheWindowAgain) {
    fake.trayAddSucceeds = false;
    fake.Send(dlg, WM_COMMAND, ID_TRAY);
    EXPECT_TRUE(fake.window.visible);
}

TEST_F(Menu, ARecreatedTaskbarGetsTheIconBackAndTheEndRemovesIt) {
    Settings();
    fake.AnswerText(kPos, "0");
    LoaderCurrent();
    Open();
    const UINT taskbarCreated = fake.RegisterWindowMessage("TaskbarCreated");
    fake.Send(dlg, taskbarCreated);
    EXPECT_TRUE(fake.trayIcons.empty()) << "no icon had been added";
    fake.Send(dlg, WM_COMMAND, ID_TRAY);
    fake.trayIcons.clear(); // Explorer restarted
    fake.Send(dlg, taskbarCreated);
    EXPECT_EQ(fake.trayIcons.size(), 1u);
    fake.Send(dlg, WM_DESTROY);
    EXPECT_TRUE(fake.trayIcons.empty());
}

class Loader : public LauncherTest {
protected:
    const std::string kProgram = std::string("MZ") + std::string(0x3A, '\0') +
                                 std::string("\x40\0\0\0", 4) + std::string("PE\0\0", 4) +
                                 "new loader";
    BOOL Check() { return dlg.CheckLoaderUpdate(kLoader, kLoaderFileName); }
};

TEST_F(Loader, TheVersionAnswerDecides) {
    const std::pair<const char*, bool> cases[] = {
        {"3.1.4.1", false}, {"3.1.4.12", false},    {"latest: 3.1.4.1 (stable)", false},
        {"3.1.4.2", true},  {"3.1.4.1\r\n", false}, {"3.1\r\n.4.1", false},
        {"", true}};
    for (const auto& [answer, downloads] : cases) {
        WriteFile(kLoaderPath, "MZ old");
        fake.fileVersions[kLoaderPath] = {3, 1, 4, 1};
        fake.AnswerText(kVersion, answer);
        fake.AnswerText(kLoader, kProgram);
        fake.requests.clear();
        EXPECT_EQ(Check(), TRUE) << answer;
        EXPECT_EQ(fake.requests.size(), downloads ? 2u : 1u) << answer;
        EXPECT_EQ(ReadFile(kLoaderPath), downloads ? kProgram : "MZ old") << answer;
    }
}

TEST_F(Loader, AMissingLoaderAndFolderAreFetched) {
    fake.AnswerText(kVersion, "0.0.0.0");
    fake.AnswerText(kLoader, kProgram);
    EXPECT_EQ(Check(), TRUE);
    EXPECT_EQ(ReadFile(kLoaderPath), kProgram);
    EXPECT_EQ(fake.waitCursorSpans, std::vector<int>{1});
    EXPECT_EQ(fake.Count("CreateDirectory C:\\VALMOR"), 1u);
}

TEST_F(Loader, TheDriveDInstall) {
    WriteFile("D:\\VALMOR\\DorvexLauncher.exe", "MZ");
    fake.AnswerText(kVersion, "");
    fake.AnswerText(kLoader, kProgram);
    EXPECT_EQ(Check(), TRUE);
    EXPECT_EQ(dlg.m_strInstallDir, "D:\\VALMOR");
    EXPECT_EQ(ReadFile("D:\\VALMOR\\LauncherLoader.exe"), kProgram);
}

TEST_F(Loader, AnUnreachableServerShowsOneBoxAndDownloadsNothing) {
    fake.Unreachable(kVersion);
    EXPECT_EQ(Check(), FALSE);
    EXPECT_EQ(fake.boxes, std::vector<std::string>{std::string(kNetworkErrorText) + "|0x30"});
    EXPECT_EQ(fake.requests.size(), 1u);
    EXPECT_FALSE(Exists("C:\\VALMOR"));
}

TEST_F(Loader, WhatIsNotAProgramNeverReplacesTheInstalledCopy) {
    const FakeAnswer answers[] = {
        {200, "<html>captive portal</html>"}, {404, "<html>missing</html>"}, {0, "", true}};
    for (const FakeAnswer& a : answers) {
        fake.boxes.clear();
        WriteFile(kLoaderPath, "MZ old");
        fake.AnswerText(kVersion, "9.9.9.9");
        fake.Answer(kLoader, a);
        EXPECT_EQ(Check(), FALSE);
        EXPECT_EQ(fake.boxes, std::vector<std::string>{std::string(kServerErrorText) + "|0x30"});
        EXPECT_EQ(ReadFile(kLoaderPath), "MZ old");
        EXPECT_EQ(FolderEntries("C:\\VALMOR"), std::vector<std::string>{"LauncherLoader.exe"});
    }
}

TEST_F(Loader, ABrokenDownloadKeepsTheOldCopyAndReachesTheDispatch) {
    WriteFile(kLoaderPath, "MZ old");
    fake.AnswerText(kVersion, "");
    fake.Answer(kLoader, {200, kProgram, false, 10});
    EXPECT_THROW(Check(), CInternetException);
    EXPECT_EQ(fake.waitCursorDepth, 0);
    EXPECT_EQ(ReadFile(kLoaderPath), "MZ old");
    EXPECT_EQ(FolderEntries("C:\\VALMOR"), std::vector<std::string>{"LauncherLoader.exe"});
}

TEST(FormatVersion, PartsAreUnsigned16Bit) {
    EXPECT_EQ(FormatVersion({3, 10, 0, 25}), "3.10.0.25");
    EXPECT_EQ(FormatVersion({65535, 32768, 0, 1}), "65535.32768.0.1");
}

} // namespace
} // namespace dorvex::test
