#include "test_support.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

#include "skin/settings_file.h"

namespace dorvex::test {

namespace {
std::filesystem::path NewRoot() {
    std::random_device rd;
    auto p = std::filesystem::temp_directory_path() /
             ("dorvex-unit-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(p / "c");
    return p;
}
} // namespace

FakeTest::FakeTest() : root(NewRoot()), fake(root.string()) {
    Platform::Set(&fake);
    g_strInstallDir = "C:\\VALMOR";
    g_strSettingsPath = "C:\\VALMOR\\DorvexManager.ini";
}

FakeTest::~FakeTest() {
    Platform::Set(nullptr);
    std::error_code ec;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(root, ec);
}

void FakeTest::WriteFile(const std::string& p, const std::string& content) {
    const std::filesystem::path h = Host(p);
    std::filesystem::create_directories(h.parent_path());
    std::ofstream(h, std::ios::binary) << content;
}

std::string FakeTest::ReadFile(const std::string& p) const {
    std::ifstream in(Host(p), std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool FakeTest::Exists(const std::string& p) const {
    return std::filesystem::exists(Host(p));
}

void FakeTest::MakeFolder(const std::string& p) {
    std::filesystem::create_directories(Host(p));
}

std::vector<std::string> FakeTest::FolderEntries(const std::string& p) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(Host(p), ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace dorvex::test
