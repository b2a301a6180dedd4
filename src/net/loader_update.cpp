#include "net/loader_update.h"

#include <cstdio>

#include "net/http.h"
#include "net/servers.h"
#include "ui/DorvexLauncherDlg.h"

namespace dorvex {

namespace {
constexpr const char* kDriveDProbe = "D:\\VALMOR\\DorvexLauncher.exe";

} // namespace

std::string FormatVersion(const std::array<uint16_t, 4>& v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", v[0], v[1], v[2], v[3]);
    return buf;
}

CString GetFileVersionString(const CString& path) {
    const auto v = Platform::Get().FileVersion(path);
    return v ? FormatVersion(*v) : CString();
}

CString ChooseInstallDir() {
    return Platform::Get().FindFile(kDriveDProbe) ? "D:\\VALMOR" : "C:\\VALMOR";
}

bool LooksLikeWindowsProgram(const std::string& h) {
    if (h.size() < 0x40 || h[0] != 'M' || h[1] != 'Z')
        return false;
    const uint32_t lfanew = uint32_t(uint8_t(h[0x3C])) | uint32_t(uint8_t(h[0x3D])) << 8 |
                            uint32_t(uint8_t(h[0x3E])) << 16 | uint32_t(uint8_t(h[0x3F])) << 24;
    if (lfanew > h.size() - 4)
        return false;
    return h.compare(lfanew, 4, std::string("PE\0\0", 4)) == 0;
}

BOOL CDorvexLauncherDlg::CheckLoaderUpdate(CString strDownloadUrl, CString strFileName) {
    Platform& p = Platform::Get();
    m_strInstallDir = ChooseInstallDir();
    const CString localPath = m_strInstallDir + "\\" + strFileName;
    const CString localVersion = GetFileVersionString(localPath);

    // Only the opening is guarded: a transfer that breaks reaches the dispatch.
    std::unique_ptr<HttpResponse> response;
    try {
        response = p.OpenUrl(WebServer + paths::kVersionQuery + strFileName);
    } catch (const CInternetException&) {
        AfxMessageBox(kNetworkErrorText, MB_OK);
        return FALSE;
    }
    const CString answer = ReadAnswerText(*response);
    response.reset();

    if (!localVersion.empty() && answer.find(localVersion) != CString::npos)
        return TRUE;

    if (!p.FindFile(m_strInstallDir))
        p.CreateDirectory(m_strInstallDir);

    BOOL downloaded = FALSE;
    BeginWaitCursor();
    try {
        // A body that is no Windows program (a proxy's or captive portal's page with a success
        // status) never takes the installed copy's place.
        downloaded = DownloadUrlToFile(strDownloadUrl, localPath, &LooksLikeWindowsProgram);
    } catch (...) {
        EndWaitCursor();
        throw;
    }
    EndWaitCursor();

    if (!downloaded) {
        AfxMessageBox(kServerErrorText, MB_OK);
        return FALSE;
    }
    return TRUE;
}

} // namespace dorvex
