// The skin table and the window arithmetic of the two skins, as plain functions of plain values.
#pragma once

#include <array>
#include <optional>

#include "platform/wintypes.h"

namespace dorvex {

inline constexpr int kSkinA = 100001;
inline constexpr int kSkinB = 100002;
inline constexpr int kButtonCount = 4;

struct SkinImages {
    int idle;
    std::array<int, kButtonCount> hover;
    std::array<int, kButtonCount> pressed;
};

struct SkinInfo {
    int type;            // 100001 or 100002
    const char* section; // its section of the settings file
    SkinImages images;
    int imageWidth, imageHeight;
};

// Skin B for 100002, skin A for every other stored value.
const SkinInfo& SkinForType(int storedType);
const SkinInfo& SkinA();
const SkinInfo& SkinB();

// Where LoadSkin puts the window: bottom centre (A) or bottom right (B), 50 pixels above the
// bottom of the screen. Quotients truncate before the subtraction.
POINT DefaultPlace(const SkinInfo& skin, int screenW, int screenH, int w, int h);

struct SkinMetrics {
    int width = 1, height = 1, btnWidth = 1, btnHeight = 1;
    std::array<POINT, kButtonCount> btnTop{{{1, 1}, {1, 1}, {1, 1}, {1, 1}}};
};

std::array<RECT, kButtonCount> ButtonRects(const SkinMetrics& m);

// PtInRect: left and top inclusive, right and bottom exclusive.
bool PtInRect(const RECT& r, POINT p);

// 1..4 for the first rectangle holding the point, 0 for none.
int HitTest(const std::array<RECT, kButtonCount>& rects, POINT p);

} // namespace dorvex
