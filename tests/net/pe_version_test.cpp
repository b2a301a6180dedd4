// The PE version reader on real program files and on damaged copies of them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/pe_version.h"

namespace dorvex::pe {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A program file of the Windows build; empty when that build is not there.
std::string WindowsBuildFile(const char* name) {
    return Slurp(std::string(DORVEX_WINDOWS_EXE_DIR) + "/" + name);
}

TEST(PeVersion, ReadsTheStandInLoadersVersion) {
    const std::string image = WindowsBuildFile("LauncherLoader.exe");
    if (image.empty())
        GTEST_SKIP() << "the Windows build is not there";
    const auto v = ReadFileVersion(image);
    ASSERT_TRUE(v.has_value());
    std::string text = std::to_string((*v)[0]) + "." + std::to_string((*v)[1]) + "." +
                       std::to_string((*v)[2]) + "." + std::to_string((*v)[3]);
    EXPECT_EQ(text, DORVEX_LOADER_VERSION);
}

// Loaders built with known versions: parts above 32767 must not come out negative or wrapped.
TEST(PeVersion, ReadsKnownVersionsOfBuiltLoaders) {
    const struct {
        const char* file;
        std::array<uint16_t, 4> version;
    } cases[] = {
        {"loader_old.exe", {1, 0, 0, 0}},
        {"loader_high.exe", {40000, 32768, 65535, 1}},
        {"loader_zero.exe", {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const std::string image = Slurp(std::string(DORVEX_TEST_LOADER_DIR) + "/" + c.file);
        if (image.empty())
            GTEST_SKIP() << "the Windows build's test loaders are not there";
        EXPECT_EQ(ReadFileVersion(image), c.version) << c.file;
    }
}

TEST(PeVersion, AProgramWithoutVersionResourceHasNone) {
    const std::string exe = WindowsBuildFile("DorvexLauncher.exe");
    if (exe.empty())
        GTEST_SKIP() << "the Windows build is not there";
    EXPECT_FALSE(ReadFileVersion(exe).has_value());
}

TEST(PeVersion, TruncatedAndCorruptedCopiesNeverReadOutside) {
    const std::string image = WindowsBuildFile("LauncherLoader.exe");
    if (image.empty())
        GTEST_SKIP() << "the Windows build is not there";
    const auto good = ReadFileVersion(image);
    // Every truncation: nothing, or the same version, never anything else.
    for (size_t n = 0; n < image.size(); n += 7) {
        const auto v = ReadFileVersion(std::string_view(image).substr(0, n));
        if (v)
            EXPECT_EQ(v, good) << n;
    }
    // Every byte of the headers and resource tree set to extremes.
    for (size_t i = 0; i < std::min<size_t>(image.size(), 4096); ++i) {
        for (char b : {char(0x00), char(0xFF), char(0x7F)}) {
            std::string copy = image;
            copy[i] = b;
            (void)ReadFileVersion(copy);
        }
    }
    EXPECT_FALSE(ReadFileVersion("MZ").has_value());
    EXPECT_FALSE(ReadFileVersion("<html>not a program</html>").has_value());
}

} // namespace
} // namespace dorvex::pe
