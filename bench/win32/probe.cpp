#include "probe.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

namespace {
double FileTimeMs(const FILETIME& ft) {
    const ULONGLONG t = (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return double(t) / 10000.0; // 100 ns units
}
const char* ModeText() {
    const char* env = std::getenv("DORVEX_BENCH");
    return env ? env : "startup";
}
int Less(const void* a, const void* b) {
    const double x = *static_cast<const double*>(a), y = *static_cast<const double*>(b);
    return x < y ? -1 : x > y ? 1 : 0;
}
} // namespace

double NowMs() {
    static double perMs = 0;
    if (perMs == 0) {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        perMs = double(f.QuadPart) / 1000.0;
    }
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) / perMs;
}

double MsSinceProcessStart() {
    FILETIME created, exited, kernel, user, now;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimePreciseAsFileTime(&now);
    return FileTimeMs(now) - FileTimeMs(created);
}

double UnixMsNow() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return FileTimeMs(now) - 11644473600000.0; // 1601 to 1970
}

double PeakWorkingSetKb() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
        return -1;
    return double(pmc.PeakWorkingSetSize) / 1024.0;
}

bool ModeIs(const char* name) {
    const char* m = ModeText();
    const size_t n = std::strlen(name);
    return std::strncmp(m, name, n) == 0 && (m[n] == '\0' || m[n] == ':');
}

int ModeInt(int field, int fallback) {
    const char* p = ModeText();
    for (int i = 0; i < field; ++i) {
        p = std::strchr(p, ':');
        if (!p)
            return fallback;
        ++p;
    }
    return *p && *p != ':' ? std::atoi(p) : fallback;
}

void Report(const char* name, double value) {
    const char* path = std::getenv("DORVEX_BENCH_OUT");
    if (!path)
        return;
    if (FILE* f = std::fopen(path, "ab")) { // "\n" alone: the harness reads it on Linux
        std::fprintf(f, "%s %.4f\n", name, value);
        std::fclose(f);
    }
}

void ReportFirstPaint() {
    // Taken first: the readings below cost time of their own.
    const double sinceStart = MsSinceProcessStart();
    const double wall = UnixMsNow();
    Report("startup_ms", sinceStart);
    Report("paint_unix_ms", wall);
    Report("peak_working_set_kb", PeakWorkingSetKb());
}

void ReportTimes(const char* name, double* ms, int n) {
    if (n <= 0)
        return;
    std::qsort(ms, size_t(n), sizeof *ms, &Less);
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += ms[i];
    char key[64];
    std::snprintf(key, sizeof key, "%s_median_ms", name);
    Report(key, n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2);
    std::snprintf(key, sizeof key, "%s_mean_ms", name);
    Report(key, sum / n);
}

} // namespace bench
