// Start-up (install folder, settings bootstrap) and the window set-up of the dialog.
#include "launcher_fixture.h"
#include "net/loader_update.h"

namespace dorvex::test {
namespace {

class StartUp : public LauncherTest {
protected:
    const std::string kSettingsUrl = WebServer + "/cab/DorvexManager.ini";
    CDorvexLauncherApp app;
};

TEST_F(StartUp, InstallFolderChoice) {
    struct Case {
        const char* name;
        std::vector<std::string> files;
        std::string dir;
    };
    const Case cases[] = {
        {"D probe present", {"D:\\VALMOR\\DorvexLauncher.exe"}, "D:\\VALMOR"},
        {"D folder without the exe", {"D:\\VALMOR\\other.txt"}, "C:\\VALMOR"},
        {"no drive D", {}, "C:\\VALMOR"},
        {"C settings present, D chosen",
         {"D:\\VALMOR\\DorvexLauncher.exe", "C:\\VALMOR\\DorvexManager.ini"},
         "D:\\VALMOR"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(root / "c");
        std::filesystem::remove_all(root / "d");
        for (const std::string& f : c.files)
            WriteFile(f, "x");
        fake.Unreachable(kSettingsUrl);
        EXPECT_EQ(app.InitInstance(), FALSE) << c.name;
        EXPECT_EQ(g_strInstallDir, c.dir) << c.name;
        EXPECT_EQ(g_strSettingsPath, c.dir + "\\DorvexManager.ini") << c.name;
    }
}

TEST_F(StartUp, AMissingSettingsFileIsFetchedIntoANewFolderWithTheWaitCursor) {
    fake.AnswerText(kSettingsUrl, SkinSections(100001));
    fake.AnswerText(kPos, "0");
    fake.Unreachable(kVersion);
    EXPECT_EQ(app.InitInstance(), FALSE);
    EXPECT_EQ(ReadFile(kIni), SkinSections(100001));
    EXPECT_EQ(fake.waitCursorSpans.front(), 1) << "the cursor spans exactly the download";
    EXPECT_EQ(fake.Count("RunModal 102"), 1u);
}

TEST_F(StartUp, AnExistingSettingsFileIsNotFetched) {
    Settings();
    fake.AnswerText(kPos, "0");
    LoaderCurrent();
    EXPECT_EQ(app.InitInstance(), FALSE);
    EXPECT_EQ(fake.Count("OpenUrl " + kSettingsUrl), 0u);
    EXPECT_EQ(fake.Count("RunModal 102"), 1u);
}

TEST_F(StartUp, AnEmptyAnswerMakesAnEmptySettingsFile) {
    fake.AnswerText(kSettingsUrl, "");
    fake.Unreachable(kPos);
    app.InitInstance();
    EXPECT_TRUE(Exists(kIni));
    EXPECT_EQ(ReadFile(kIni), "");
}

TEST_F(StartUp, AnySettingsTextIsKeptButNotAWebPage) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"\xEF\xBB\xBF[SKIN]\r\nTYPE=100001\r\n", true},
        {"; comment\r\n[SKIN]\r\n", true},
        {"TYPE=1 <b>\r\n", true},
        {" \r\n\t", true},
        {"<html>", false},
        {"\r\n\r\n<?xml version=\"1.0\"?>", false},
        {"\xEF\xBB\xBF<!DOCTYPE html>", false},
    };
    for (const auto& [body, kept] : cases)
        EXPECT_EQ(LooksLikeSettingsFile(body), kept) << body;
}

TEST_F(StartUp, AnUnreachableOrBrokenServerShowsOneBoxAndNoWindow) {
    const FakeAnswer answers[] = {
        {0, "", true},
        {200, SkinSections(100001), false, 40},
        {404, "<html>missing</html>"},
        {200, "<!DOCTYPE html><html><body>Log in to use the network</body></html>"},
        {200, "\xEF\xBB\xBF\r\n  <html>portal</html>"},
    };
    for (const FakeAnswer& a : answers) {
        fake.boxes.clear();
        fake.Answer(kSettingsUrl, a);
        EXPECT_EQ(app.InitInstance(), FALSE);
        ASSERT_EQ(fake.boxes.size(), 1u);
        EXPECT_EQ(fake.boxes[0], std::string(kServerErrorText) + "|0x30");
        EXPECT_FALSE(Exists(kIni));
        EXPECT_EQ(FolderEntries("C:\\VALMOR"), std::vector<std::string>{});
        EXPECT_EQ(fake.Count("RunModal"), 0u);
        EXPECT_EQ(fake.waitCursorDepth, 0);
    }
}

using Window = LauncherTest;

TEST_F(Window, InitialisationInItsOrder) {
    Settings();
    fake.AnswerText(kPos, "0");
    LoaderCurrent();
    Open();
    std::vector<std::string> setup(fake.calls.begin(), fake.calls.begin() + 12);
    EXPECT_EQ(setup,
              (std::vector<std::string>{
                  "SetIcon big 128", "SetIcon small 128", "GetExStyle", "SetExStyle 0x80",
                  "CreateNamedMapping DorvexLauncher", "GetSystemMetrics 0", "GetSystemMetrics 1",
                  "GetExStyle", "SetExStyle 0x80080", "GetSysColor 15",
                  "SetLayeredAttributes 0xF5F5F5 128 0x1", "SetWindowPos 302,635 420x83 0x44"}));
    EXPECT_EQ(fake.requests, (std::vector<std::string>{kPos, kVersion}));
    EXPECT_EQ(fake.Count("InvalidateRect"), 1u);
}

TEST_F(Window, ASecondInstanceEndsWithOkAndTouchesNothing) {
    Settings();
    fake.otherInstanceRuns = true;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(fake.requests.empty());
    EXPECT_EQ(fake.Count("SetWindowPos"), 0u);
    EXPECT_EQ(fake.Count("GetSystemMetrics"), 0u);
    EXPECT_EQ(ReadFile(kIni), SkinSections(100001));
}

TEST_F(Window, NoMappingHandleRunsAsTheOnlyInstance) {
    Settings();
    fake.mappingFails = true;
    fake.AnswerText(kPos, "0");
    LoaderCurrent();
    Open();
    EXPECT_FALSE(fake.endResult.has_value());
    EXPECT_EQ(fake.Count("SetWindowPos"), 2u) << "the skin, then the plain branch's reload";
}

TEST_F(Window, KeyFilter) {
    struct Case {
        UINT msg;
        WPARAM key;
        bool consumed;
    };
    const Case cases[] = {{WM_SYSKEYDOWN, VK_F4, true},     {WM_KEYDOWN, VK_ESCAPE, true},
                          {WM_KEYDOWN, VK_RETURN, true},    {WM_SYSKEYDOWN, 'X', false},
                          {WM_KEYDOWN, 'A', false},         {WM_KEYDOWN, VK_F4, false},
                          {WM_SYSKEYDOWN, VK_ESCAPE, false}};
    for (const Case& c : cases) {
        fake.calls.clear();
        EXPECT_EQ(dlg.PreTranslateMessage(MSG{c.msg, c.key, 0}) == TRUE, c.consumed) << c.key;
        EXPECT_EQ(fake.Count("DialogKeys"), c.consumed ? 0u : 1u) << c.key;
    }
}

TEST_F(Window, KeysDoNotCloseButACloseRequestFromOutsideDoes) {
    Settings();
    fake.AnswerText(kPos, "0");
    LoaderCurrent();
    fake.QueueMessage(WM_SYSKEYDOWN, VK_F4);
    fake.QueueMessage(WM_KEYDOWN, VK_ESCAPE);
    fake.QueueMessage(WM_KEYDOWN, VK_RETURN);
    fake.QueueMessage(WM_CLOSE);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(fake.Count("EndDialog"), 1u);
}

TEST_F(Window, AnExceptionWithoutDescriptionShowsTheFrameworkText) {
    Settings();
    fake.Answer(kPos, {200, "x", false, 0});
    fake.Unreachable(kVersion);
    fake.QueueMessage(WM_LBUTTONUP, 0, MAKELPARAM(60, 20));
    Open();
    ASSERT_EQ(fake.boxes.size(), 1u);
    EXPECT_NE(fake.boxes[0].find("|0x10"), std::string::npos);
}

TEST_F(Window, DragIconIsTheApplicationIcon) {
    EXPECT_EQ(fake.Send(dlg, WM_QUERYDRAGICON), LRESULT(128));
}

} // namespace
} // namespace dorvex::test
