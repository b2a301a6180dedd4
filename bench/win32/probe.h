// Readings shared by the benchmark programs, written as "name value" lines to the file named by
// DORVEX_BENCH_OUT. What a program measures is chosen by DORVEX_BENCH (see each program).
// Plain C library only: the minimal program links this too, and its size is a lower bound.
#pragma once

#include <windows.h>

namespace bench {

double NowMs();               // a steady clock, milliseconds
double MsSinceProcessStart(); // since the system created this process
double UnixMsNow();           // the wall clock, comparable with the harness's
double PeakWorkingSetKb();

// DORVEX_BENCH is "MODE:N1:N2:...": whether MODE is `name`, and the i-th number (from 1).
bool ModeIs(const char* name);
int ModeInt(int field, int fallback);

void Report(const char* name, double value);
// The start-up readings, taken at the end of the first paint of the window.
void ReportFirstPaint();
// Median and mean of n per-iteration times (sorted in place), as NAME_median_ms, NAME_mean_ms.
void ReportTimes(const char* name, double* ms, int n);

// One GET as the launcher makes it: its own WinINet session, the address opened, the body read
// to its end, both handles closed. Only in programs that link wininet.
bool WinInetGet(const char* url);

} // namespace bench
