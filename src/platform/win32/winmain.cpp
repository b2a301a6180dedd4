// The process's way in: what the framework does before and around the application object.
#include "platform/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // An elevated program loads DLLs from the system folder only, never from beside it.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    static dorvex::Win32Platform platform;
    dorvex::Platform::Set(&platform);
    return dorvex::AfxWinMain();
}
