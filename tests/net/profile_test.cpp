// The posix reader and writer of profile files.
#include <gtest/gtest.h>

#include "../shared/profile_cases.h"
#include "platform/posix/profile_file.h"

namespace dorvex::profile {
namespace {

TEST(ProfileRead, ValuesAsTheWindowsFunctionsReadThem) {
    for (const ProfileReadCase& c : kProfileReadCases)
        EXPECT_EQ(ReadInt(c.file, c.section, c.key, 99), c.value) << c.file;
}

TEST(ProfileWrite, OtherKeysReadAsBefore) {
    for (const ProfileWriteCase& c : kProfileWriteCases) {
        const std::string after = WithValue(c.file, "SKIN", "TYPE", "100002");
        EXPECT_EQ(ReadInt(after, "SKIN", "TYPE", 99), 100002) << c.file;
        EXPECT_EQ(ReadInt(after, c.otherSection, c.otherKey, 99), c.otherValue) << c.file;
    }
}

TEST(ProfileWrite, OnlyTheKeysLineChanges) {
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {"; top\r\n[SKIN]\r\nTYPE=100001\r\n\r\n[100001]\r\nWIDTH=420\r\n",
         "; top\r\n[SKIN]\r\nTYPE=100002\r\n\r\n[100001]\r\nWIDTH=420\r\n"},
        {"[skin]\n  type = 1 \nX=2\n", "[skin]\n  type=100002\nX=2\n"},
        {"[SKIN]\nA=1\n\n[B]\nC=2\n", "[SKIN]\nA=1\nTYPE=100002\n\n[B]\nC=2\n"},
        {"[B]\r\nC=2\r\n", "[B]\r\nC=2\r\n[SKIN]\r\nTYPE=100002\r\n"},
        {"[B]\nC=2", "[B]\nC=2\n[SKIN]\nTYPE=100002\n"},
        {"", "[SKIN]\r\nTYPE=100002\r\n"},
        {"[SKIN]\nTYPE=1\nTYPE=2\n", "[SKIN]\nTYPE=100002\nTYPE=2\n"},
        {"[SKIN]", "[SKIN]\r\nTYPE=100002\r\n"},
    };
    for (const Case& c : cases) {
        const std::string after = WithValue(c.before, "SKIN", "TYPE", "100002");
        EXPECT_EQ(after, c.after) << c.before;
        EXPECT_EQ(ReadInt(after, "SKIN", "TYPE", 0), 100002) << c.before;
    }
}

} // namespace
} // namespace dorvex::profile
