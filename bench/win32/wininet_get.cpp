#include <windows.h>
#include <wininet.h>

#include "probe.h"

namespace bench {

bool WinInetGet(const char* url) {
    HINTERNET session =
        InternetOpenA("DorvexLauncher", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!session)
        return false;
    bool ok = false;
    if (HINTERNET file =
            InternetOpenUrlA(session, url, nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 1)) {
        char buf[4096];
        DWORD got = 0;
        while ((ok = InternetReadFile(file, buf, sizeof buf, &got) != 0) && got > 0) {
        }
        InternetCloseHandle(file);
    }
    InternetCloseHandle(session);
    return ok;
}

} // namespace bench
