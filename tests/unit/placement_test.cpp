// The three answer readings and the server-driven placement when the launcher opens.
#include "launcher_fixture.h"
#include "ui/answer_reading.h"

namespace dorvex::test {
namespace {

TEST(ReadAsNumber, ReadsLikeAtoiButClampsTo32Bits) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1},
        {" 1", 1},
        {"01", 1},
        {"+1", 1},
        {"1abc", 1},
        {"10", 10},
        {"-1", -1},
        {"", 0},
        {"abc", 0},
        {"\t\n 7", 7},
        {"+", 0},
        {"- 1", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
        {"99999999999999999999", 2147483647},
        {"\xEF\xBB\xBF"
         "1",
         0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(ReadAsNumber(text), value) << '"' << text << '"';
}

TEST(ExtractField, SplitsLikeTheFrameworkWithoutTrimming) {
    EXPECT_EQ(ExtractField("100,200,1", 0, ','), "100");
    EXPECT_EQ(ExtractField("100,200,1", 2, ','), "1");
    EXPECT_EQ(ExtractField("100,200", 2, ','), "");
    EXPECT_EQ(ExtractField("a,,b", 1, ','), "");
    EXPECT_EQ(ExtractField(" 9 | 2 ", 1, '|'), " 2 ");
    EXPECT_EQ(ExtractField("", 0, '|'), "");
    EXPECT_EQ(ExtractField("x|y|z|w", 3, '|'), "w");
}

TEST(PositionCodePlace, EveryCodeOnTheScreens) {
    struct Case {
        int code, sw, sh, w, h;
        std::optional<POINT> place;
    };
    const Case cases[] = {
        {1, 1024, 768, 420, 83, POINT{0, 0}},      {2, 1024, 768, 420, 83, POINT{302, 0}},
        {3, 1024, 768, 420, 83, POINT{604, 0}},    {4, 1024, 768, 420, 83, POINT{0, 343}},
        {5, 1366, 768, 421, 83, POINT{473, 343}},  {6, 1024, 768, 190, 292, POINT{834, 238}},
        {7, 1024, 768, 420, 83, POINT{0, 655}},    {8, 1366, 768, 420, 83, POINT{473, 655}},
        {9, 1024, 768, 190, 292, POINT{834, 446}}, {0, 1024, 768, 420, 83, std::nullopt},
        {10, 1024, 768, 420, 83, std::nullopt},    {-1, 1024, 768, 420, 83, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PositionCodePlace(c.code, c.sw, c.sh, c.w, c.h), c.place) << c.code;
}

class Placement : public LauncherTest {
protected:
    void SetUp() override {
        Settings();
        LoaderCurrent();
    }
    std::string PcRoom(const std::string& key) { return WebServer + "/desktop/pcroom/" + key; }
};

TEST_F(Placement, PositionAnswersThatMeanBusiness) {
    for (const char* answer : {"1", " 1", "01", "+1", "1abc", "1\r\n"}) {
        CDorvexLauncherDlg d;
        fake.requests.clear();
        fake.AnswerText(kPos, answer);
        fake.AnswerText(kPos2, "");
        fake.Send(d, WM_INITDIALOG);
        EXPECT_TRUE(d.m_bB2B) << answer;
        EXPECT_FALSE(d.m_bPcRoom) << answer;
        EXPECT_EQ(fake.requests, (std::vector<std::string>{kPos, kPos2, kVersion})) << answer;
    }
}

TEST_F(Placement, PositionAnswersOfHomeUsers) {
    for (const char* answer : {"0", "", "10", "2", "-1", "12", "ABCDEFGHIJ", "1\r\n0"}) {
        CDorvexLauncherDlg d;
        fake.requests.clear();
        fake.AnswerText(kPos, answer);
        fake.Send(d, WM_INITDIALOG);
        EXPECT_FALSE(d.m_bB2B) << answer;
        EXPECT_FALSE(d.m_bPcRoom) << answer;
        EXPECT_EQ(fake.requests, (std::vector<std::string>{kPos, kVersion})) << answer;
        EXPECT_EQ(fake.window.x, 302);
        EXPECT_EQ(fake.window.y, 635);
    }
    EXPECT_EQ(ReadFile(kIni), SkinSections(100001)) << "a home start writes nothing";
}

TEST_F(Placement, ElevenCharactersAreAPcRoomKeyDigitsOrNot) {
    for (const char* key : {"ABCDEFGHIJK", "12345678901"}) {
        CDorvexLauncherDlg d;
        fake.requests.clear();
        fake.AnswerText(kPos, key);
        fake.AnswerText(PcRoom(key), "100,200,1");
        fake.Send(d, WM_INITDIALOG);
        EXPECT_TRUE(d.m_bPcRoom) << key;
        EXPECT_FALSE(d.m_bB2B) << key << ": the B2B test reads the PC-room answer, 100";
        EXPECT_EQ(fake.requests, (std::vector<std::string>{kPos, PcRoom(key), kVersion}));
    }
}

TEST_F(Placement, AnErrorPageIsAPcRoomKeyAsReceived) {
    fake.Answer(kPos, {404, "<html>\r\n<h1>Not Found</h1>\r\n</html>\r\n"});
    Open();
    EXPECT_TRUE(dlg.m_bPcRoom);
    EXPECT_EQ(fake.requests[1], PcRoom("<html><h1>Not Found</h1></html>"));
}

TEST_F(Placement, PcRoomAnswerPlacesTheWindowAndWritesTheSkin) {
    fake.AnswerText(kPos, "PCROOM00001");
    fake.AnswerText(PcRoom("PCROOM00001"), "100,200,1");
    Open();
    EXPECT_EQ(dlg.m_nPosX, 100);
    EXPECT_EQ(dlg.m_nPosY, 200);
    EXPECT_EQ(profile_type(), 100002);
    EXPECT_EQ(dlg.m_nSkinType, 100002);
    // The server's place, with the size of the skin it chose.
    EXPECT_EQ(fake.window.x, 100);
    EXPECT_EQ(fake.window.y, 200);
    EXPECT_EQ(fake.window.cx, 190);
    EXPECT_EQ(fake.window.cy, 292);
    EXPECT_EQ(fake.Count("SetWindowPos 100,200 420x83"), 1u) << "first with the old skin's size";
}

TEST_F(Placement, PcRoomAnswerWithoutSkinFieldMeansSkinA) {
    fake.AnswerText(kPos, "PCROOM00001");
    fake.AnswerText(PcRoom("PCROOM00001"), "100,200");
    Open();
    EXPECT_EQ(profile_type(), 100001);
    EXPECT_EQ(fake.window.cx, 420);
}

TEST_F(Placement, PcRoomAnswerThatPassesTheB2BTest) {
    struct Case {
        const char* business;
        int x, y, cx;
        int type;
    };
    const Case cases[] = {{"8|2", 834 / 2 * 0 + 1024 / 2 - 190 / 2, 768 - 292 - 30, 190, 100002},
                          {"", 1, 200, 420, 100001}};
    for (const Case& c : cases) {
        Settings();
        CDorvexLauncherDlg d;
        fake.requests.clear();
        fake.AnswerText(kPos, "PCROOM00001");
        fake.AnswerText(PcRoom("PCROOM00001"), "1,200,0");
        fake.AnswerText(kPos2, c.business);
        fake.Send(d, WM_INITDIALOG);
        EXPECT_TRUE(d.m_bPcRoom && d.m_bB2B) << c.business;
        EXPECT_EQ(fake.requests.size(), 4u);
        EXPECT_EQ(fake.window.x, c.x) << c.business;
        EXPECT_EQ(fake.window.y, c.y) << c.business;
        EXPECT_EQ(fake.window.cx, c.cx) << c.business;
        EXPECT_EQ(profile_type(), c.type) << c.business;
    }
}

TEST_F(Placement, BusinessAnswers) {
    struct Case {
        const char* answer;
        int sw, sh;
        int x, y, type;
    };
    const Case cases[] = {
        {"9|2", 1024, 768, 834, 446, 100002}, {"8|1", 1366, 768, 473, 655, 100001},
        {"7|1", 1024, 768, 0, 655, 100001},   {"0|1", 1024, 768, 0, 0, 100001},
        {"10|2", 1024, 768, 0, 0, 100002},    {"3|5", 1024, 768, 0, 0, 100001},
        {"3", 1024, 768, 0, 0, 100001},       {"", 1024, 768, 0, 0, 100001},
    };
    for (const Case& c : cases) {
        Settings();
        fake.screenWidth = c.sw;
        fake.screenHeight = c.sh;
        CDorvexLauncherDlg d;
        fake.AnswerText(kPos, "1");
        fake.AnswerText(kPos2, c.answer);
        fake.Send(d, WM_INITDIALOG);
        EXPECT_EQ(fake.window.x, c.x) << c.answer;
        EXPECT_EQ(fake.window.y, c.y) << c.answer;
        EXPECT_EQ(profile_type(), c.type) << c.answer;
        if (std::string(c.answer) == "3|5" || std::string(c.answer) == "") {
            EXPECT_EQ(ReadFile(kIni), SkinSections(100001)) << "no write for " << c.answer;
        }
    }
}

TEST_F(Placement, WidthOfOddSizeTruncatesEachQuotient) {
    WriteFile(kIni, "[SKIN]\nTYPE=100001\n[100001]\nWIDTH=421\nHEIGHT=83\n");
    fake.screenWidth = 1366;
    fake.AnswerText(kPos, "1");
    fake.AnswerText(kPos2, "5|1");
    Open();
    EXPECT_EQ(fake.window.x, 473);
    EXPECT_EQ(fake.window.y, 343);
}

TEST_F(Placement, EachFailingRequestEndsTheInitialisationWhereItFails) {
    { // the position query
        CDorvexLauncherDlg d;
        fake.Unreachable(kPos);
        fake.Send(d, WM_INITDIALOG);
        EXPECT_FALSE(d.m_bPcRoom || d.m_bB2B);
        EXPECT_EQ(fake.window.x, 302);
        EXPECT_EQ(fake.Count("OpenUrl " + kVersion), 0u) << "no loader check";
        ASSERT_EQ(fake.boxes.size(), 1u);
        EXPECT_NE(fake.boxes[0].find("|0x10"), std::string::npos) << "a stop box";
    }
    { // the PC-room query
        CDorvexLauncherDlg d;
        fake.AnswerText(kPos, "PCROOM00001");
        fake.Unreachable(PcRoom("PCROOM00001"));
        fake.Send(d, WM_INITDIALOG);
        EXPECT_TRUE(d.m_bPcRoom);
        EXPECT_EQ(profile_type(), 100001);
        EXPECT_EQ(fake.window.x, 302);
    }
    { // the business placement query after a PC-room answer
        CDorvexLauncherDlg d;
        fake.AnswerText(kPos, "PCROOM00001");
        fake.AnswerText(PcRoom("PCROOM00001"), "1,200,1");
        fake.Unreachable(kPos2);
        fake.Send(d, WM_INITDIALOG);
        EXPECT_TRUE(d.m_bB2B);
        EXPECT_EQ(profile_type(), 100002) << "the PC-room answer's write stands";
        EXPECT_EQ(fake.window.x, 1);
        EXPECT_EQ(fake.window.y, 200);
        EXPECT_EQ(fake.window.cx, 420) << "the skin loaded before the answers";
    }
    EXPECT_EQ(fake.Count("OpenUrl " + kVersion), 0u);
    EXPECT_EQ(fake.boxes.size(), 3u);
}

} // namespace
} // namespace dorvex::test
