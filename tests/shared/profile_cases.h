// Settings files and look-ups run through both our posix reader and the Windows profile
// functions (under Wine): both must give these values.
#pragma once

struct ProfileReadCase {
    const char* file;
    const char* section;
    const char* key;
    int value; // with the default 99
};

inline constexpr ProfileReadCase kProfileReadCases[] = {
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

// After writing SKIN/TYPE=100002 into `file`, these keys read back so.
struct ProfileWriteCase {
    const char* file;
    const char* otherSection;
    const char* otherKey;
    int otherValue;
};

inline constexpr ProfileWriteCase kProfileWriteCases[] = {
    {"; top\r\n[SKIN]\r\nTYPE=100001\r\n\r\n[100001]\r\nWIDTH=420\r\n", "100001", "WIDTH", 420},
    {"[skin]\n  type = 1 \nX=2\n", "skin", "X", 2},
    {"[SKIN]\nA=1\n\n[B]\nC=2\n", "B", "C", 2},
    {"[B]\r\nC=2\r\n", "B", "C", 2},
    {"[B]\nC=2", "B", "C", 2},
    {"", "B", "C", 99},
};
