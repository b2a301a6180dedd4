#include "app/DorvexLauncherApp.h"

#include "net/http.h"
#include "net/loader_update.h"
#include "net/servers.h"
#include "skin/settings_file.h"
#include "ui/DorvexLauncherDlg.h"

namespace dorvex {

bool LooksLikeSettingsFile(const std::string& head) {
    std::string_view h(head);
    if (h.substr(0, 3) == "\xEF\xBB\xBF")
        h.remove_prefix(3);
    const size_t first = h.find_first_not_of(" \t\r\n");
    return first == std::string_view::npos || h[first] != '<';
}

CString g_strInstallDir;
CString g_strSettingsPath;

BOOL CDorvexLauncherApp::InitInstance() {
    Platform& p = Platform::Get();
    p.InitUserInterface(); // common controls; nothing depends on the result
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey("DorvexLauncher");

    g_strInstallDir = ChooseInstallDir();
    g_strSettingsPath = g_strInstallDir + "\\DorvexManager.ini";

    if (!p.FindFile(g_strSettingsPath)) {
        p.CreateDirectory(g_strInstallDir);
        BOOL fetched = FALSE;
        BeginWaitCursor();
        try {
            fetched = DownloadUrlToFile(WebServer + paths::kSettingsFile, g_strSettingsPath,
                                        &LooksLikeSettingsFile);
        } catch (const CException&) {
            // A transfer that broke or a file that could not be written leaves no settings
            // file behind, so the next start simply tries again.
            fetched = FALSE;
        }
        EndWaitCursor();
        if (!fetched) {
            AfxMessageBox(kServerErrorText, MB_OK);
            return FALSE;
        }
    }

    CDorvexLauncherDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

} // namespace dorvex
