// Our PE version reader against the Windows version functions, under Wine, on every file named
// on the command line and on damaged copies of it:
//  - the file whole, cut short at many lengths, and with each byte of its version block set to
//    0x00 and to 0xFF: both readings must give the same four numbers, or both nothing;
//  - each byte of its headers and of its resource tree set the same way: wherever our reader
//    finds a version, the system's must find the same. Where ours finds none, the system's is
//    not asked: there it trusts offsets from the file (Wine's reads past the mapping and faults
//    on some of these), and the launcher never hands it such a file.
#include "platform/win32/win32_platform.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/pe_version.h"

namespace {

using Version = std::optional<std::array<uint16_t, 4>>;

std::string Text(const Version& v) {
    if (!v)
        return "none";
    char buf[32];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", (*v)[0], (*v)[1], (*v)[2], (*v)[3]);
    return buf;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Host paths from ctest reach the program as Unix paths; Wine shows the host's root as Z:.
std::string WindowsPath(const std::string& p) {
    return !p.empty() && p[0] == '/' ? "Z:" + p : p;
}

struct Tally {
    int files = 0, versions = 0, disagreements = 0, notAsked = 0;
};

// Each case gets a file of its own: the system may keep what it learnt about a file it mapped
// before, and a rewritten file under the same name would then be judged by its earlier bytes.
void Compare(const std::string& scratchDir, const std::string& bytes, const std::string& what,
             bool structural, Tally& tally) {
    const Version ours = dorvex::pe::ReadFileVersion(bytes);
    if (structural && !ours) {
        ++tally.notAsked;
        return;
    }
    const std::string scratch = scratchDir + "case-" + std::to_string(tally.files) + ".exe";
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
    }
    const Version windows = dorvex::SystemFileVersion(scratch);
    DeleteFileW(dorvex::Widen(scratch).c_str());
    ++tally.files;
    if (windows)
        ++tally.versions;
    if (ours != windows) {
        ++tally.disagreements;
        if (tally.disagreements <= 4000)
            std::printf("DISAGREE %s: ours %s, Windows %s\n", what.c_str(), Text(ours).c_str(),
                        Text(windows).c_str());
    }
}

// File offset and size of the resource section, so corruption can aim at the resource tree.
std::pair<size_t, size_t> ResourceSection(const std::string& img) {
    auto u16 = [&](size_t o) {
        return o + 2 <= img.size() ? uint16_t(uint8_t(img[o]) | uint8_t(img[o + 1]) << 8) : 0;
    };
    auto u32 = [&](size_t o) { return uint32_t(u16(o)) | uint32_t(u16(o + 2)) << 16; };
    const size_t pe = u32(0x3C);
    const size_t nSections = u16(pe + 6), optSize = u16(pe + 20);
    const size_t table = pe + 24 + optSize;
    for (size_t i = 0; i < nSections; ++i) {
        const size_t s = table + i * 40;
        if (s + 40 > img.size())
            break;
        if (img.compare(s, 5, ".rsrc") == 0)
            return {u32(s + 20), u32(s + 16)};
    }
    return {0, 0};
}

// Offset and length of the version block (VS_VERSIONINFO), found by its key.
std::pair<size_t, size_t> VersionBlock(const std::string& img) {
    static const char key[] = "V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0\0";
    const size_t at = img.find(std::string(key, sizeof key - 1));
    if (at == std::string::npos || at < 6)
        return {0, 0};
    const size_t start = at - 6;
    return {start, uint8_t(img[start]) | size_t(uint8_t(img[start + 1])) << 8};
}

} // namespace

int main(int argc, char** argv) {
    static dorvex::Win32Platform platform;
    dorvex::Platform::Set(&platform);
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::string scratch = dorvex::Narrow(tmp) + "dorvex-version-agreement\\";
    CreateDirectoryW(dorvex::Widen(scratch).c_str(), nullptr);

    Tally tally;
    for (int a = 1; a < argc; ++a) {
        const std::string name = argv[a];
        const std::string image = Slurp(WindowsPath(name));
        if (image.empty()) {
            std::printf("FAILED: cannot read %s\n", name.c_str());
            return 1;
        }
        std::printf("%s: Windows %s, ours %s\n", name.c_str(),
                    Text(dorvex::SystemFileVersion(WindowsPath(name))).c_str(),
                    Text(dorvex::pe::ReadFileVersion(image)).c_str());
        Compare(scratch, image, name, false, tally);

        // Cut short: finely through the headers and the resources, at some 256 places elsewhere. A
        // large resource section (the launcher's bitmaps) is sampled, not walked byte by byte.
        const auto [rsrc, fullRsrcSize] = ResourceSection(image);
        const size_t rsrcSize = std::min<size_t>(fullRsrcSize, 4096);
        for (size_t n = 0; n < image.size();) {
            Compare(scratch, image.substr(0, n), name + " cut at " + std::to_string(n), false,
                    tally);
            const bool fine = n < 1024 || (n >= rsrc && n < rsrc + rsrcSize + 64);
            n += fine ? 4 : std::max<size_t>(512, image.size() / 256);
        }
        auto overwrite = [&](size_t from, size_t to, bool structural) {
            for (size_t i = from; i < std::min(image.size(), to); ++i) {
                for (unsigned char b : {0x00, 0xFF}) {
                    if (uint8_t(image[i]) == b)
                        continue;
                    std::string copy = image;
                    copy[i] = char(b);
                    char what[64];
                    std::snprintf(what, sizeof what, " byte 0x%zx = 0x%02x", i, b);
                    Compare(scratch, copy, name + what, structural, tally);
                }
            }
        };
        const auto [block, blockSize] = VersionBlock(image);
        overwrite(block, block + blockSize, false);
        overwrite(0, 1024, true);
        overwrite(rsrc, block ? block : rsrc + rsrcSize, true);
    }
    RemoveDirectoryW(dorvex::Widen(scratch).c_str());
    std::printf("%d files compared (%d with a version), %d disagreements; %d damaged headers "
                "or trees our reader refused, not given to the system\n",
                tally.files, tally.versions, tally.disagreements, tally.notAsked);
    return tally.disagreements == 0 && tally.files > 0 ? 0 : 1;
}
