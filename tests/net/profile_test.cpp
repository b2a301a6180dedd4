// The posix reader and writer of profile files.
#include <gtest/gtest.h>

#include "platform/posix/profile_file.h"

namespace dorvex::profile {
namespace {

TEST(ProfileRead, ValuesAsTheWindowsFunctionsReadThem) {
    struct Case {
        const char* file;
        const char* section;
        const char* key;
        int value;
    };
    const Case cases[] = {
        {"[SKIN]\r\nTYPE=100002\r\n", "SKIN", "TYPE", 100002},
        {"[skin]\ntype=100002", "SKIN", "TYPE", 100002},       // case, no final newline
        {"  [SKIN]  \n  TYPE  =  42  \n", "SKIN", "TYPE", 42}, // blanks around names
        {"[SKIN]\nTYPE=-5\n", "SKIN", "TYPE", -5},
        {"[SKIN]\nTYPE=+5\n", "SKIN", "TYPE", 5},
        {"[SKIN]\nTYPE=12abc\n", "SKIN", "TYPE", 12}, // trailing text
        {"[SKIN]\nTYPE=abc\n", "SKIN", "TYPE", 0},
        {"[SKIN]\nTYPE=\n", "SKIN", "TYPE", 99}, // empty: the default
        {"[SKIN]\nTYPE=0x10\n", "SKIN", "TYPE", 16},
        {"[SKIN]\nTYPE=\"7\"\n", "SKIN", "TYPE", 7},             // quotes stripped
        {"[SKIN]\nTYPE=1\nTYPE=2\n", "SKIN", "TYPE", 1},         // the first key wins
        {"[SKIN]\nTYPE=1\n[SKIN]\nTYPE=2\n", "SKIN", "TYPE", 1}, // the first section wins
        {"[SKIN]\n;TYPE=5\n", "SKIN", "TYPE", 99},               // a comment is no key
        {"[OTHER]\nTYPE=5\n", "SKIN", "TYPE", 99},
        {"TYPE=5\n[SKIN]\n", "SKIN", "TYPE", 99},
        {"[SKIN]\nTYPE=4294967297\n", "SKIN", "TYPE", 1}, // wraps modulo 2^32
        {"", "SKIN", "TYPE", 99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadInt(c.file, c.section, c.key, 99), c.value) << c.file;
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
