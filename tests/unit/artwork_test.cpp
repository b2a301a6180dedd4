// The image rules on artgen's output, and the generated settings file against the images.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "layout.h"
#include "platform/posix/profile_file.h"

namespace artgen {
namespace {

struct Bitmap {
    int w = 0, h = 0, bpp = 0;
    std::vector<Rgb> px; // top-down
    Rgb at(int x, int y) const { return px[size_t(y) * w + x]; }
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

uint32_t U32(const std::string& s, size_t o) {
    return uint32_t(uint8_t(s[o])) | uint32_t(uint8_t(s[o + 1])) << 8 |
           uint32_t(uint8_t(s[o + 2])) << 16 | uint32_t(uint8_t(s[o + 3])) << 24;
}

Bitmap Load(int id) {
    const std::string f =
        Slurp(std::string(DORVEX_ART_DIR) + "/bmp/" + std::to_string(id) + ".bmp");
    Bitmap b;
    if (f.size() < 54 || f.substr(0, 2) != "BM")
        return b;
    EXPECT_EQ(U32(f, 14), 40u) << id << ": a 40-byte BITMAPINFOHEADER";
    EXPECT_EQ(U32(f, 30), 0u) << id << ": BI_RGB";
    b.w = int(U32(f, 18));
    b.h = int(U32(f, 22)); // positive: bottom-up
    b.bpp = uint8_t(f[28]);
    const size_t stride = (size_t(b.w) * 3 + 3) & ~size_t(3);
    const size_t off = U32(f, 10);
    if (b.bpp != 24 || off + stride * size_t(b.h) > f.size())
        return b;
    for (int y = 0; y < b.h; ++y) {
        const size_t row = off + stride * size_t(b.h - 1 - y);
        for (int x = 0; x < b.w; ++x)
            b.px.push_back({uint8_t(f[row + x * 3 + 2]), uint8_t(f[row + x * 3 + 1]),
                            uint8_t(f[row + x * 3])});
    }
    return b;
}

bool InButton(const Skin& s, int n, int x, int y) {
    const Button& b = s.buttons[n];
    return x >= b.x && x < b.x + s.btnWidth && y >= b.y && y < b.y + s.btnHeight;
}

TEST(Artwork, EveryImageFollowsTheRulesOfItsSkin) {
    for (const Skin& s : kSkins) {
        const Bitmap idle = Load(s.idle);
        ASSERT_EQ(idle.bpp, 24) << s.type;
        ASSERT_EQ(idle.w, s.width);
        ASSERT_EQ(idle.h, s.height);
        for (int n = 0; n < 4; ++n) {
            for (int id : {s.hover[n], s.pressed[n]}) {
                const Bitmap img = Load(id);
                ASSERT_EQ(img.w, s.width) << id;
                ASSERT_EQ(img.h, s.height) << id;
                bool differs = false;
                for (int y = 0; y < s.height; ++y)
                    for (int x = 0; x < s.width; ++x) {
                        const Rgb a = idle.at(x, y), b = img.at(x, y);
                        ASSERT_EQ(a == kMagenta, b == kMagenta) << id << " at " << x << "," << y;
                        if (!(a == b)) {
                            ASSERT_TRUE(InButton(s, n, x, y))
                                << id << " differs outside its button at " << x << "," << y;
                            differs = true;
                        }
                    }
                EXPECT_TRUE(differs) << id << " looks like the idle image";
            }
        }
        if (s.type == 100001) {
            // The bar fills the rows from 29 down; above it only the button icons rise.
            for (int y = kBarTop + 16; y < s.height; ++y)
                for (int x = 0; x < s.width; ++x)
                    ASSERT_FALSE(idle.at(x, y) == kMagenta) << x << "," << y;
            for (int y = 0; y < kBarTop; ++y)
                for (int x = 0; x < s.width; ++x) {
                    if (!(idle.at(x, y) == kMagenta)) {
                        ASSERT_TRUE(InButton(s, 0, x, y) || InButton(s, 1, x, y) ||
                                    InButton(s, 2, x, y) || InButton(s, 3, x, y))
                            << x << "," << y;
                    }
                }
            EXPECT_TRUE(idle.at(0, kBarTop) == kMagenta) << "rounded upper corner";
        } else {
            for (auto [x, y] : {std::pair{0, 0},
                                {s.width - 1, 0},
                                {0, s.height - 1},
                                {s.width - 1, s.height - 1}})
                EXPECT_TRUE(idle.at(x, y) == kMagenta) << "rounded corner " << x << "," << y;
            EXPECT_FALSE(idle.at(s.width / 2, s.height / 2) == kMagenta);
        }
    }
}

TEST(Artwork, TheSettingsFileCoversEachIconWithItsButton) {
    const std::string ini = Slurp(std::string(DORVEX_ART_DIR) + "/DorvexManager.ini");
    EXPECT_EQ(dorvex::profile::ReadInt(ini, "SKIN", "TYPE", 0), 100001);
    for (const Skin& s : kSkins) {
        const std::string sec = std::to_string(s.type);
        const int w = dorvex::profile::ReadInt(ini, sec, "WIDTH", 0);
        const int h = dorvex::profile::ReadInt(ini, sec, "HEIGHT", 0);
        const int bw = dorvex::profile::ReadInt(ini, sec, "BTNWIDTH", 0);
        const int bh = dorvex::profile::ReadInt(ini, sec, "BTNHEIGHT", 0);
        EXPECT_EQ(w, s.width);
        EXPECT_EQ(h, s.height);
        const Bitmap idle = Load(s.idle);
        for (int n = 1; n <= 4; ++n) {
            const int x =
                dorvex::profile::ReadInt(ini, sec, "BTN" + std::to_string(n) + "TOPX", -1);
            const int y =
                dorvex::profile::ReadInt(ini, sec, "BTN" + std::to_string(n) + "TOPY", -1);
            ASSERT_TRUE(x >= 0 && y >= 0 && x + bw <= w && y + bh <= h) << sec << " button " << n;
            // The rectangle's centre and the middle of each edge lie on the icon.
            for (auto [px, py] : {std::pair{x + bw / 2, y + bh / 2},
                                  {x + bw / 2, y + 3},
                                  {x + bw / 2, y + bh - 4},
                                  {x + 3, y + bh / 2},
                                  {x + bw - 4, y + bh / 2}})
                EXPECT_FALSE(idle.at(px, py) == kMagenta)
                    << sec << " button " << n << " at " << px << "," << py;
        }
    }
}

} // namespace
} // namespace artgen
