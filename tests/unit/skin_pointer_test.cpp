// The skin from the settings file, its layout, and the images that pointer messages draw.
#include "launcher_fixture.h"
#include "res/resource.h"
#include "skin/skin_layout.h"

namespace dorvex::test {
namespace {

using Skin = LauncherTest;

TEST_F(Skin, LoadSkinFromTheSettingsFile) {
    struct Case {
        const char* name;
        std::string file;
        int sw, sh;
        int type, x, y, cx, cy, idle;
    };
    const Case cases[] = {
        {"no TYPE", "[100001]\nWIDTH=420\nHEIGHT=83\n", 1024, 768, 100001, 302, 635, 420, 83, 129},
        {"TYPE 100002", SkinSections(100002), 1024, 768, 100002, 834, 426, 190, 292, 145},
        {"TYPE 0", "[SKIN]\nTYPE=0\n[100001]\nWIDTH=420\nHEIGHT=83\n", 1024, 768, 0, 302, 635, 420,
         83, 129},
        {"TYPE 2", "[SKIN]\nTYPE=2\n[100001]\nWIDTH=420\nHEIGHT=83\n", 1024, 768, 2, 302, 635, 420,
         83, 129},
        {"section missing", "[SKIN]\nTYPE=100001\n", 1024, 768, 100001, 512, 717, 1, 1, 129},
        {"odd width", "[100001]\nWIDTH=421\nHEIGHT=83\n", 1366, 768, 100001, 473, 635, 421, 83,
         129},
        {"no file", "", 1024, 768, 100001, 512, 717, 1, 1, 129},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(Host(kIni));
        if (!c.file.empty())
            WriteFile(kIni, c.file);
        fake.screenWidth = c.sw;
        fake.screenHeight = c.sh;
        CDorvexLauncherDlg d;
        d.m_nScreenWidth = c.sw;
        d.m_nScreenHeight = c.sh;
        d.LoadSkin();
        d.CalcButtonRects();
        EXPECT_EQ(d.m_nSkinType, c.type) << c.name;
        EXPECT_EQ(d.m_nBgBitmapId, c.idle) << c.name;
        EXPECT_EQ(fake.window.x, c.x) << c.name;
        EXPECT_EQ(fake.window.y, c.y) << c.name;
        EXPECT_EQ(fake.window.cx, c.cx) << c.name;
        EXPECT_EQ(fake.window.cy, c.cy) << c.name;
        if (std::string(c.name) == "section missing") {
            for (const RECT& r : d.m_rcButton)
                EXPECT_EQ(r, (RECT{1, 1, 2, 2}));
        }
    }
}

TEST_F(Skin, ButtonRectangleAndImageIds) {
    WriteFile(kIni, "[100001]\nBTNWIDTH=57\nBTNHEIGHT=77\nBTN2TOPX=205\nBTN2TOPY=5\n");
    dlg.LoadSkin();
    dlg.CalcButtonRects();
    EXPECT_EQ(dlg.m_rcButton[1], (RECT{205, 5, 262, 82}));
    EXPECT_EQ(dlg.m_nHoverBitmapId, (std::array<int, 4>{132, 136, 139, 142}));
    WriteFile(kIni, "[SKIN]\nTYPE=100002\n");
    dlg.LoadSkin();
    EXPECT_EQ(dlg.m_nPressedBitmapId, (std::array<int, 4>{148, 151, 154, 159}));
}

TEST(HitTest, EdgesAndOverlaps) {
    const std::array<RECT, 4> r{
        {{10, 10, 20, 20}, {15, 15, 30, 30}, {40, 0, 50, 10}, {0, 0, 0, 0}}};
    EXPECT_EQ(HitTest(r, {10, 10}), 1);
    EXPECT_EQ(HitTest(r, {20, 12}), 0) << "right edge is outside";
    EXPECT_EQ(HitTest(r, {12, 20}), 0) << "bottom edge is outside";
    EXPECT_EQ(HitTest(r, {16, 16}), 1) << "the lower-numbered button wins";
    EXPECT_EQ(HitTest(r, {25, 25}), 2);
    EXPECT_EQ(HitTest(r, {0, 0}), 0) << "an empty rectangle holds nothing";
}

class Pointer : public LauncherTest {
protected:
    void SetUp() override {
        Settings();
        dlg.LoadSkin();
        dlg.CalcButtonRects();
        fake.calls.clear();
    }
    LPARAM At(int x, int y) { return MAKELPARAM(x, y); }
    const LPARAM kButton2 = MAKELPARAM(150, 20);
    const LPARAM kBackground = MAKELPARAM(10, 60);
};

TEST_F(Pointer, MovesInsideAButtonHoverAndRequestOneLeave) {
    fake.Send(dlg, WM_MOUSEMOVE, 0, kButton2);
    fake.Send(dlg, WM_MOUSEMOVE, 0, kButton2 + 1);
    EXPECT_EQ(fake.imagesDrawn, (std::vector<int>{IDB_A_BTN2_HOVER, IDB_A_BTN2_HOVER}));
    EXPECT_EQ(fake.Count("SetCursor hand"), 2u);
    EXPECT_EQ(fake.Count("TrackMouseLeave"), 1u);
    EXPECT_EQ(dlg.m_nActiveButton, 2);
    EXPECT_EQ(fake.Count("Default 0x200"), 2u);
}

TEST_F(Pointer, StateTable) {
    fake.Send(dlg, WM_MOUSEMOVE, 0, kButton2);
    fake.Send(dlg, WM_MOUSEMOVE, 0, kBackground); // onto the bar's background
    EXPECT_EQ(fake.imagesDrawn.back(), IDB_A_IDLE);
    EXPECT_EQ(dlg.m_nActiveButton, 0);
    EXPECT_TRUE(dlg.m_bTracking) << "the leave request stays pending";
    fake.Send(dlg, WM_MOUSEMOVE, 0, kButton2);
    EXPECT_EQ(fake.Count("TrackMouseLeave"), 1u);
    fake.Send(dlg, WM_MOUSELEAVE);
    EXPECT_EQ(fake.imagesDrawn.back(), IDB_A_IDLE);
    EXPECT_FALSE(dlg.m_bTracking);
    EXPECT_EQ(dlg.m_nActiveButton, 2) << "a leave keeps the active button";
    fake.Send(dlg, WM_LBUTTONDOWN, 0, kButton2);
    EXPECT_EQ(fake.imagesDrawn.back(), IDB_A_BTN2_PRESSED);
    const size_t drawn = fake.imagesDrawn.size();
    fake.Send(dlg, WM_LBUTTONDBLCLK, 0, kButton2);
    EXPECT_EQ(fake.imagesDrawn.size(), drawn) << "the second press of a double click draws nothing";
    fake.Send(dlg, WM_PAINT);
    EXPECT_EQ(fake.imagesDrawn.back(), IDB_A_IDLE) << "paint draws the idle image while hovering";
    EXPECT_EQ(fake.Count("BeginPaint"), fake.Count("EndPaint"));
    EXPECT_EQ(fake.Count("GetDC"), fake.Count("ReleaseDC"));
    EXPECT_EQ(fake.Count("Default 0xF"), 0u);
}

TEST_F(Pointer, ImagesAreDrawnAtTheWindowSizeWithMagentaTransparent) {
    fake.Send(dlg, WM_PAINT);
    EXPECT_EQ(fake.calls[1], "Draw 129 420x83 0xFF00FF");
}

TEST_F(Pointer, ARefusedLeaveRequestIsAskedAgain) {
    fake.leaveRequestAccepted = false;
    fake.Send(dlg, WM_MOUSEMOVE, 0, kButton2);
    fake.Send(dlg, WM_MOUSEMOVE, 0, kButton2);
    EXPECT_EQ(fake.Count("TrackMouseLeave"), 2u);
}

TEST_F(Pointer, APressOnTheBackgroundDragsExceptInAPcRoom) {
    fake.Send(dlg, WM_LBUTTONDOWN, 0, kBackground);
    EXPECT_EQ(fake.Count("PostMessage 0xA1 2 0x3C000A"), 1u);
    EXPECT_TRUE(fake.imagesDrawn.empty());
    dlg.m_bPcRoom = TRUE;
    fake.Send(dlg, WM_LBUTTONDOWN, 0, kBackground);
    EXPECT_EQ(fake.Count("PostMessage"), 1u);
    EXPECT_EQ(fake.Count("Default 0x201"), 2u);
}

} // namespace
} // namespace dorvex::test
