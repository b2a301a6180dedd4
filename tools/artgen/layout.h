// The one table both the artwork and the settings file are made from.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace artgen {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kMagenta{255, 0, 255};

// Comics, novels, video on demand, music player.
inline constexpr std::array<Rgb, 4> kButtonColours{
    {{242, 153, 40}, {62, 160, 98}, {66, 118, 226}, {178, 74, 200}}};

struct Button {
    int x, y;
};

struct Skin {
    int type;
    int width, height, btnWidth, btnHeight;
    std::array<Button, 4> buttons;
    int idle;
    std::array<int, 4> hover, pressed;
};

// Skin A's bar starts at this row; the button tiles rise above it.
inline constexpr int kBarTop = 29;

inline constexpr std::array<Skin, 2> kSkins{{
    {100001,
     420,
     83,
     60,
     72,
     {{{45, 6}, {135, 6}, {225, 6}, {315, 6}}},
     129,
     {132, 136, 139, 142},
     {133, 137, 140, 143}},
    {100002,
     190,
     292,
     72,
     100,
     {{{16, 62}, {102, 62}, {16, 176}, {102, 176}}},
     145,
     {147, 150, 153, 157},
     {148, 151, 154, 159}},
}};

inline std::string SettingsFile() {
    std::string s = "[SKIN]\r\nTYPE=100001\r\n";
    for (const Skin& k : kSkins) {
        s += "\r\n[" + std::to_string(k.type) + "]\r\n";
        s += "WIDTH=" + std::to_string(k.width) + "\r\n";
        s += "HEIGHT=" + std::to_string(k.height) + "\r\n";
        s += "BTNWIDTH=" + std::to_string(k.btnWidth) + "\r\n";
        s += "BTNHEIGHT=" + std::to_string(k.btnHeight) + "\r\n";
        for (int i = 0; i < 4; ++i) {
            s += "BTN" + std::to_string(i + 1) + "TOPX=" + std::to_string(k.buttons[i].x) + "\r\n";
            s += "BTN" + std::to_string(i + 1) + "TOPY=" + std::to_string(k.buttons[i].y) + "\r\n";
        }
    }
    return s;
}

} // namespace artgen
