#include "skin/skin_layout.h"

#include "res/resource.h"

namespace dorvex {

namespace {
constexpr SkinInfo kA{
    kSkinA,
    "100001",
    {IDB_A_IDLE,
     {IDB_A_BTN1_HOVER, IDB_A_BTN2_HOVER, IDB_A_BTN3_HOVER, IDB_A_BTN4_HOVER},
     {IDB_A_BTN1_PRESSED, IDB_A_BTN2_PRESSED, IDB_A_BTN3_PRESSED, IDB_A_BTN4_PRESSED}},
    420,
    83};
constexpr SkinInfo kB{
    kSkinB,
    "100002",
    {IDB_B_IDLE,
     {IDB_B_BTN1_HOVER, IDB_B_BTN2_HOVER, IDB_B_BTN3_HOVER, IDB_B_BTN4_HOVER},
     {IDB_B_BTN1_PRESSED, IDB_B_BTN2_PRESSED, IDB_B_BTN3_PRESSED, IDB_B_BTN4_PRESSED}},
    190,
    292};
constexpr int kBottomGap = 50;
} // namespace

const SkinInfo& SkinA() {
    return kA;
}
const SkinInfo& SkinB() {
    return kB;
}
const SkinInfo& SkinForType(int storedType) {
    return storedType == kSkinB ? kB : kA;
}

POINT DefaultPlace(const SkinInfo& skin, int screenW, int screenH, int w, int h) {
    const LONG left = skin.type == kSkinB ? screenW - w : screenW / 2 - w / 2;
    return POINT{left, screenH - h - kBottomGap};
}

std::array<RECT, kButtonCount> ButtonRects(const SkinMetrics& m) {
    std::array<RECT, kButtonCount> r{};
    for (int i = 0; i < kButtonCount; ++i) {
        const POINT t = m.btnTop[i];
        r[i] = RECT{t.x, t.y, t.x + m.btnWidth, t.y + m.btnHeight};
    }
    return r;
}

bool PtInRect(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

int HitTest(const std::array<RECT, kButtonCount>& rects, POINT p) {
    for (int i = 0; i < kButtonCount; ++i) {
        if (PtInRect(rects[i], p))
            return i + 1;
    }
    return 0;
}

} // namespace dorvex
