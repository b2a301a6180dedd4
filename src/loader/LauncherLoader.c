/* Stand-in for the companion loader: a Windows program with a version resource that does
   nothing when run. The launcher only reads its version and keeps it up to date. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR c, int d) {
    (void)a, (void)b, (void)c, (void)d;
    return 0;
}
