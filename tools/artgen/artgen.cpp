// Draws every skin bitmap and icon of the launcher from code and writes the DorvexManager.ini
// that matches them, from one layout table, so that image and metrics cannot drift apart.
//
//   artgen OUTDIR     writes OUTDIR/bmp/<id>.bmp, OUTDIR/app.ico, OUTDIR/tray.ico,
//                     OUTDIR/DorvexManager.ini
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <zlib.h>

#include "layout.h"

namespace {

using artgen::Rgb;

struct Image {
    int w, h;
    std::vector<Rgb> px;
    Image(int w_, int h_, Rgb fill) : w(w_), h(h_), px(size_t(w_) * h_, fill) {}
    Rgb& at(int x, int y) { return px[size_t(y) * w + x]; }
    Rgb get(int x, int y) const { return px[size_t(y) * w + x]; }
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {uint8_t(a.r + (b.r - a.r) * t), uint8_t(a.g + (b.g - a.g) * t),
            uint8_t(a.b + (b.b - a.b) * t)};
}

// Inside a rounded rectangle (x, y, w, h, radius r).
bool InRounded(double px, double py, double x, double y, double w, double h, double r) {
    if (px < x || py < y || px >= x + w || py >= y + h)
        return false;
    const double cx = std::clamp(px, x + r, x + w - r), cy = std::clamp(py, y + r, y + h - r);
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
}

enum class Look { Idle, Hover, Pressed };

// The glyph of each content: 0 comic, 1 novel, 2 video, 3 music. (u, v) in 0..1 of the tile.
bool Glyph(int kind, double u, double v) {
    switch (kind) {
    case 0: { // a speech bubble with a tail
        const double dx = (u - 0.5) / 0.36, dy = (v - 0.42) / 0.26;
        const bool bubble = dx * dx + dy * dy <= 1.0;
        const bool tail = v > 0.58 && v < 0.8 && u > 0.3 && u < 0.3 + (0.8 - v) * 0.9;
        const bool dots = v > 0.38 && v < 0.47 &&
                          (std::fabs(u - 0.34) < 0.045 || std::fabs(u - 0.5) < 0.045 ||
                           std::fabs(u - 0.66) < 0.045);
        return (bubble || tail) && !dots;
    }
    case 1: { // an open book
        const bool pages = v > 0.25 && v < 0.75 && u > 0.14 && u < 0.86 &&
                           v > 0.25 + 0.08 * std::fabs(u - 0.5) * 2;
        const bool spine = std::fabs(u - 0.5) < 0.025;
        const bool lines = (std::fmod(v * 20, 2.0) < 0.6) && v > 0.38 && v < 0.68 &&
                           (u > 0.2 && u < 0.44 || u > 0.56 && u < 0.8);
        return pages && !spine && !lines;
    }
    case 2: { // a play button in a screen
        const bool screen = u > 0.12 && u < 0.88 && v > 0.22 && v < 0.72;
        const bool inner = u > 0.17 && u < 0.83 && v > 0.27 && v < 0.67;
        const bool play = u > 0.4 && u < 0.64 && std::fabs(v - 0.47) < (0.64 - u) * 0.75;
        const bool stand = std::fabs(u - 0.5) < 0.15 && v > 0.76 && v < 0.8;
        return (screen && !inner) || play || stand;
    }
    default: { // a pair of eighth notes
        const auto head = [&](double cx, double cy) {
            const double dx = (u - cx) / 0.11, dy = (v - cy) / 0.08;
            return dx * dx + dy * dy <= 1.0;
        };
        const bool stems = (std::fabs(u - 0.39) < 0.03 || std::fabs(u - 0.75) < 0.03) && v > 0.24 &&
                           v < 0.66 + (u > 0.6 ? -0.06 : 0.0);
        const bool beam = u > 0.36 && u < 0.78 && v > 0.2 + (u - 0.36) * -0.1 + 0.02 &&
                          v < 0.3 + (u - 0.36) * -0.1 + 0.02;
        return head(0.3, 0.68) || head(0.66, 0.62) || stems || beam;
    }
    }
}

// One button tile drawn into `img` at its rectangle; the tile's outline never depends on the
// look, so every image of a skin keeps the same magenta pixels.
void DrawTile(Image& img, const artgen::Button& b, int kind, Look look, const artgen::Skin& skin) {
    const double r = 12;
    const Rgb base = artgen::kButtonColours[kind];
    const Rgb top = look == Look::Hover     ? Mix(base, {255, 255, 255}, 0.45)
                    : look == Look::Pressed ? Mix(base, {0, 0, 0}, 0.35)
                                            : Mix(base, {255, 255, 255}, 0.15);
    const Rgb bottom =
        look == Look::Pressed ? Mix(base, {0, 0, 0}, 0.15) : Mix(base, {0, 0, 0}, 0.25);
    const double shift = look == Look::Pressed ? 2 : 0;
    for (int y = b.y; y < b.y + skin.btnHeight; ++y) {
        for (int x = b.x; x < b.x + skin.btnWidth; ++x) {
            if (!InRounded(x + 0.5, y + 0.5, b.x, b.y, skin.btnWidth, skin.btnHeight, r))
                continue;
            const double v = (y - b.y) / double(skin.btnHeight);
            Rgb c = Mix(top, bottom, v);
            // A light rim, brighter when lit.
            if (!InRounded(x + 0.5, y + 0.5, b.x + 2, b.y + 2, skin.btnWidth - 4,
                           skin.btnHeight - 4, r - 2))
                c = look == Look::Hover ? Rgb{255, 244, 170} : Mix(c, {255, 255, 255}, 0.35);
            const double u = (x - b.x + 0.5) / skin.btnWidth;
            const double gv = (y - b.y + 0.5 - shift) / skin.btnHeight;
            if (Glyph(kind, u, gv))
                c = look == Look::Pressed ? Rgb{225, 225, 225} : Rgb{255, 255, 255};
            // Never magenta inside a tile, whatever the mix gives.
            if (c == artgen::kMagenta)
                c.g = 1;
            img.at(x, y) = c;
        }
    }
}

Image DrawSkin(const artgen::Skin& skin, int activeButton, Look look) {
    Image img(skin.width, skin.height, artgen::kMagenta);
    // The body: skin A's bar from row 29 with rounded upper corners; skin B's panel with all
    // four corners rounded.
    for (int y = 0; y < skin.height; ++y) {
        for (int x = 0; x < skin.width; ++x) {
            bool in;
            if (skin.type == 100001) {
                in = y >= artgen::kBarTop &&
                     InRounded(x + 0.5, y + 0.5, 0, artgen::kBarTop, skin.width,
                               skin.height - artgen::kBarTop + 20, 16);
            } else {
                in = InRounded(x + 0.5, y + 0.5, 0, 0, skin.width, skin.height, 18);
            }
            if (!in)
                continue;
            const double v = double(y) / skin.height;
            Rgb c = Mix({36, 52, 92}, {14, 20, 40}, v);
            if (skin.type == 100002 && y < 46) // the header band
                c = Mix({232, 84, 62}, {196, 52, 44}, y / 46.0);
            if (skin.type == 100001 && y < artgen::kBarTop + 3)
                c = Mix(c, {255, 255, 255}, 0.25);
            img.at(x, y) = c;
        }
    }
    if (skin.type == 100002) { // three dots of the brand in the header
        for (int i = 0; i < 3; ++i)
            for (int y = 0; y < 46; ++y)
                for (int x = 0; x < skin.width; ++x) {
                    const double dx = x - (skin.width / 2.0 - 24 + i * 24), dy = y - 23;
                    if (dx * dx + dy * dy <= 36)
                        img.at(x, y) = {255, 255, 255};
                }
    }
    for (int i = 0; i < 4; ++i)
        DrawTile(img, skin.buttons[i], i, i + 1 == activeButton ? look : Look::Idle, skin);
    return img;
}

void Put16(std::string& s, uint16_t v) {
    s.push_back(char(v & 0xFF)), s.push_back(char(v >> 8));
}
void Put32(std::string& s, uint32_t v) {
    Put16(s, uint16_t(v & 0xFFFF)), Put16(s, uint16_t(v >> 16));
}
void PutBe32(std::string& s, uint32_t v) {
    for (int i = 3; i >= 0; --i)
        s.push_back(char((v >> (i * 8)) & 0xFF));
}

// A DIB without file header as a resource wants it: 40-byte header, 24 bits, bottom-up rows
// padded to 4 bytes. windres takes a .bmp file, so the 14-byte file header goes in front.
std::string Bmp24(const Image& img) {
    const int stride = (img.w * 3 + 3) & ~3;
    std::string dib;
    Put32(dib, 40), Put32(dib, uint32_t(img.w)), Put32(dib, uint32_t(img.h));
    Put16(dib, 1), Put16(dib, 24), Put32(dib, 0), Put32(dib, uint32_t(stride * img.h));
    Put32(dib, 2835), Put32(dib, 2835), Put32(dib, 0), Put32(dib, 0);
    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x) {
            const Rgb c = img.get(x, y);
            dib.push_back(char(c.b)), dib.push_back(char(c.g)), dib.push_back(char(c.r));
        }
        dib.append(size_t(stride - img.w * 3), '\0');
    }
    std::string file = "BM";
    Put32(file, uint32_t(14 + dib.size())), Put32(file, 0), Put32(file, 14 + 40);
    return file + dib;
}

// --- icons ---------------------------------------------------------------------------------------

struct Rgba {
    Rgb c;
    uint8_t a;
};

// The launcher's mark: a rounded tile in the brand's colour holding a white "D".
Rgba AppIconPixel(double u, double v, bool tray) {
    if (!InRounded(u, v, 0.04, 0.04, 0.92, 0.92, 0.2))
        return {{0, 0, 0}, 0};
    Rgb c = Mix({240, 96, 70}, {190, 44, 40}, v);
    const double dx = u - 0.42, dy = v - 0.5;
    const double ring = std::sqrt(dx * dx + dy * dy);
    const bool stem = u > 0.28 && u < 0.4 && v > 0.24 && v < 0.76;
    const bool bowl = u >= 0.4 && ring < 0.27 && ring > (tray ? 0.1 : 0.14);
    const bool bar =
        u > 0.28 && u <= 0.42 && (std::fabs(v - 0.26) < 0.05 || std::fabs(v - 0.74) < 0.05);
    if (stem || bowl || bar)
        c = {255, 255, 255};
    return {c, 255};
}

const std::array<Rgb, 16> kVga = {{{0, 0, 0},
                                   {128, 0, 0},
                                   {0, 128, 0},
                                   {128, 128, 0},
                                   {0, 0, 128},
                                   {128, 0, 128},
                                   {0, 128, 128},
                                   {192, 192, 192},
                                   {128, 128, 128},
                                   {255, 0, 0},
                                   {0, 255, 0},
                                   {255, 255, 0},
                                   {0, 0, 255},
                                   {255, 0, 255},
                                   {0, 255, 255},
                                   {255, 255, 255}}};

std::vector<Rgb> Cube() {
    std::vector<Rgb> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back({uint8_t(r * 51), uint8_t(g * 51), uint8_t(b * 51)});
    while (p.size() < 256)
        p.push_back({uint8_t((p.size() - 216) * 6), uint8_t((p.size() - 216) * 6),
                     uint8_t((p.size() - 216) * 6)});
    return p;
}

int Nearest(const std::vector<Rgb>& pal, Rgb c) {
    int best = 0, bestD = 1 << 30;
    for (size_t i = 0; i < pal.size(); ++i) {
        const int dr = pal[i].r - c.r, dg = pal[i].g - c.g, db = pal[i].b - c.b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestD)
            bestD = d, best = int(i);
    }
    return best;
}

std::vector<Rgba> Render(int size, bool tray) {
    std::vector<Rgba> px(size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            // 4x4 supersampling for smooth edges at small sizes
            int r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    const Rgba p = AppIconPixel((x + (sx + 0.5) / 4) / size,
                                                (y + (sy + 0.5) / 4) / size, tray);
                    r += p.c.r * p.a, g += p.c.g * p.a, b += p.c.b * p.a, a += p.a;
                }
            px[size_t(y) * size + x] =
                a ? Rgba{{uint8_t(r / a), uint8_t(g / a), uint8_t(b / a)}, uint8_t(a / 16)}
                  : Rgba{{0, 0, 0}, 0};
        }
    return px;
}

// One icon image in the DIB form of an .ico entry: header, palette, colour rows, AND mask.
std::string IconDib(int size, int bpp, bool tray) {
    const std::vector<Rgba> px = Render(size, tray);
    std::vector<Rgb> pal;
    if (bpp == 4)
        pal.assign(kVga.begin(), kVga.end());
    else if (bpp == 8)
        pal = Cube();
    std::string s;
    const int stride = ((size * bpp + 31) / 32) * 4;
    const int maskStride = ((size + 31) / 32) * 4;
    Put32(s, 40), Put32(s, uint32_t(size)), Put32(s, uint32_t(size * 2)), Put16(s, 1),
        Put16(s, uint16_t(bpp));
    Put32(s, 0), Put32(s, uint32_t((stride + maskStride) * size)), Put32(s, 0), Put32(s, 0);
    Put32(s, uint32_t(pal.size())), Put32(s, 0);
    for (const Rgb& c : pal)
        s.push_back(char(c.b)), s.push_back(char(c.g)), s.push_back(char(c.r)), s.push_back('\0');
    for (int y = size - 1; y >= 0; --y) {
        std::string row;
        uint8_t acc = 0;
        for (int x = 0; x < size; ++x) {
            const Rgba p = px[size_t(y) * size + x];
            if (bpp == 32) {
                row.push_back(char(p.c.b)), row.push_back(char(p.c.g)), row.push_back(char(p.c.r));
                row.push_back(char(p.a));
            } else if (bpp == 8) {
                row.push_back(char(p.a >= 128 ? Nearest(pal, p.c) : 0));
            } else {
                const int idx = p.a >= 128 ? Nearest(pal, p.c) : 0;
                acc = uint8_t(x % 2 == 0 ? idx << 4 : acc | idx);
                if (x % 2 == 1 || x == size - 1)
                    row.push_back(char(acc));
            }
        }
        row.resize(size_t(stride), '\0');
        s += row;
    }
    for (int y = size - 1; y >= 0; --y) {
        std::string row(size_t(maskStride), '\0');
        for (int x = 0; x < size; ++x)
            if (px[size_t(y) * size + x].a < 128)
                row[size_t(x / 8)] = char(row[size_t(x / 8)] | (0x80 >> (x % 8)));
        s += row;
    }
    return s;
}

uint32_t Crc32(const std::string& s) {
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char ch : s) {
        c ^= ch;
        for (int k = 0; k < 8; ++k)
            c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
    }
    return ~c;
}

// A PNG of the 256-pixel image. Its flat areas deflate to almost nothing, where the
// uncompressed image would be most of the launcher's icon resource (and of its exe).
std::string Png(int size) {
    const std::vector<Rgba> px = Render(size, false);
    std::string raw;
    for (int y = 0; y < size; ++y) {
        raw.push_back('\0');
        for (int x = 0; x < size; ++x) {
            const Rgba p = px[size_t(y) * size + x];
            raw.push_back(char(p.c.r)), raw.push_back(char(p.c.g)), raw.push_back(char(p.c.b));
            raw.push_back(char(p.a));
        }
    }
    uLongf zSize = compressBound(uLong(raw.size()));
    std::string z(zSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(z.data()), &zSize,
                  reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib could not compress the icon");
    z.resize(zSize);
    auto chunk = [](const std::string& type, const std::string& data) {
        std::string c;
        PutBe32(c, uint32_t(data.size()));
        c += type + data;
        PutBe32(c, Crc32(type + data));
        return c;
    };
    std::string ihdr;
    PutBe32(ihdr, uint32_t(size)), PutBe32(ihdr, uint32_t(size));
    ihdr += std::string("\x08\x06\x00\x00\x00", 5);
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", ihdr) + chunk("IDAT", z) + chunk("IEND", "");
}

struct IconImage {
    int size, bpp;
    std::string data;
};

std::string Ico(const std::vector<IconImage>& images) {
    std::string s;
    Put16(s, 0), Put16(s, 1), Put16(s, uint16_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (const IconImage& im : images) {
        s.push_back(char(im.size >= 256 ? 0 : im.size)),
            s.push_back(char(im.size >= 256 ? 0 : im.size));
        s.push_back(char(im.bpp == 4 ? 16 : 0)), s.push_back('\0');
        Put16(s, 1), Put16(s, uint16_t(im.bpp)), Put32(s, uint32_t(im.data.size())),
            Put32(s, offset);
        offset += uint32_t(im.data.size());
    }
    for (const IconImage& im : images)
        s += im.data;
    return s;
}

void Save(const std::filesystem::path& p, const std::string& data) {
    std::ofstream out(p, std::ios::binary);
    out << data;
    if (!out)
        throw std::runtime_error("cannot write " + p.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen OUTDIR\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[1];
        std::filesystem::create_directories(out / "bmp");
        for (const artgen::Skin& skin : artgen::kSkins) {
            Save(out / "bmp" / (std::to_string(skin.idle) + ".bmp"),
                 Bmp24(DrawSkin(skin, 0, Look::Idle)));
            for (int i = 0; i < 4; ++i) {
                Save(out / "bmp" / (std::to_string(skin.hover[i]) + ".bmp"),
                     Bmp24(DrawSkin(skin, i + 1, Look::Hover)));
                Save(out / "bmp" / (std::to_string(skin.pressed[i]) + ".bmp"),
                     Bmp24(DrawSkin(skin, i + 1, Look::Pressed)));
            }
        }
        std::vector<IconImage> app;
        for (int size : {16, 24, 32, 48})
            for (int bpp : {4, 8, 32})
                app.push_back({size, bpp, IconDib(size, bpp, false)});
        app.push_back({256, 32, Png(256)});
        Save(out / "app.ico", Ico(app));
        Save(out / "tray.ico", Ico({{16, 4, IconDib(16, 4, true)}, {32, 4, IconDib(32, 4, true)}}));
        Save(out / "DorvexManager.ini", artgen::SettingsFile());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
