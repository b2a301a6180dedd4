// A fresh fake platform over a temporary root folder for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/fake/platform_fake.h"

namespace dorvex::test {

class FakeTest : public ::testing::Test {
protected:
    FakeTest();
    ~FakeTest() override;

    // Host path of a Windows path under the test's root.
    std::string Host(const std::string& windowsPath) const { return fake.HostPath(windowsPath); }
    void WriteFile(const std::string& windowsPath, const std::string& content);
    std::string ReadFile(const std::string& windowsPath) const;
    bool Exists(const std::string& windowsPath) const;
    void MakeFolder(const std::string& windowsPath);
    // Files in a folder, by name, for "nothing left behind" checks.
    std::vector<std::string> FolderEntries(const std::string& windowsPath) const;

    std::filesystem::path root;
    FakePlatform fake;
};

} // namespace dorvex::test
