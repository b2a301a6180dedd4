/* Stands in for the music player: leaves "player-ran.txt" beside itself, with its command line. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE a, HINSTANCE b, LPSTR cmd, int show) {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    (void)a, (void)b;
    while (n > 0 && path[n - 1] != '\\')
        --n;
    strcpy(path + n, "player-ran.txt");
    FILE* f = fopen(path, "w");
    if (f) {
        fprintf(f, "show=%d cmd=%s\n", show, cmd);
        fclose(f);
    }
    return 0;
}
