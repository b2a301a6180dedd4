#include "platform/framework.h"

#include <exception>

namespace dorvex {

namespace {
Platform* g_platform = nullptr;
CWinApp* g_app = nullptr;

// Shows what left a handler, as the framework's dispatch does, so the launcher runs on.
void ReportException(const CException& e) {
    std::string text;
    if (!e.GetErrorMessage(text) || text.empty())
        text = kInternalErrorText;
    AfxMessageBox(text, MB_ICONSTOP);
}
void ReportUnknown() {
    AfxMessageBox(kInternalErrorText, MB_ICONSTOP);
}
} // namespace

Platform& Platform::Get() {
    if (!g_platform)
        throw std::logic_error("no platform backend installed");
    return *g_platform;
}
void Platform::Set(Platform* p) {
    g_platform = p;
}

bool CInternetException::GetErrorMessage(std::string& out) const {
    out = m_description;
    return !out.empty();
}
bool CFileException::GetErrorMessage(std::string& out) const {
    out = m_description;
    return !out.empty();
}

int AfxMessageBox(const std::string& textUtf8, UINT type, UINT /*helpId*/) {
    if ((type & MB_ICONMASK) == 0)
        type |= MB_ICONEXCLAMATION;
    return Platform::Get().MessageBox(textUtf8, type);
}

// --- CWnd ----------------------------------------------------------------------------------------

const MessageMap* CWnd::GetMessageMap() const {
    static const MessageMap map{nullptr, {}};
    return &map;
}

MessageHandler CWnd::FindHandler(UINT message, WPARAM wParam) const {
    const UINT id = UINT(wParam & 0xFFFF);
    for (const MessageMap* m = GetMessageMap(); m; m = m->base) {
        for (const MessageMapEntry& e : m->entries) {
            if (e.message == message && (message != WM_COMMAND || e.id == id))
                return e.handler;
        }
    }
    return nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const MSG saved = m_current;
    m_current = MSG{message, wParam, lParam};
    LRESULT result = 0;
    try {
        if (MessageHandler h = FindHandler(message, wParam))
            result = h(*this, wParam, lParam);
        else
            result = Platform::Get().CallDefault(message, wParam, lParam);
    } catch (const CException& e) {
        ReportException(e);
    } catch (const std::exception&) {
        ReportUnknown();
    } catch (...) {
        ReportUnknown();
    }
    m_current = saved;
    return result;
}

LRESULT CWnd::Default() {
    return Platform::Get().CallDefault(m_current.message, m_current.wParam, m_current.lParam);
}

// --- CDialog -----------------------------------------------------------------------------------

const MessageMap* CDialog::GetMessageMap() const {
    // WM_CLOSE reaches the default dialog procedure, which turns it into IDCANCEL.
    static const MessageMapEntry entries[] = {
        OnCommand<&CDialog::OnOK>(IDOK),
        OnCommand<&CDialog::OnCancel>(IDCANCEL),
    };
    static const MessageMap map{CWnd::GetMessageMap(), entries};
    return &map;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG)
        return CWnd::WindowProc(message, wParam, lParam);
    // OnInitDialog is dispatched like a handler: what leaves it is reported, the dialog runs on.
    try {
        return OnInitDialog();
    } catch (const CException& e) {
        ReportException(e);
    } catch (...) {
        ReportUnknown();
    }
    return TRUE;
}

int CDialog::DoModal() {
    return Platform::Get().RunModal(*this, m_templateId);
}

BOOL CDialog::PreTranslateMessage(const MSG& msg) {
    return Platform::Get().DefaultPreTranslate(msg) ? TRUE : FALSE;
}

// --- CWinApp -----------------------------------------------------------------------------------

CWinApp::CWinApp() {
    g_app = this;
}
CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}
CWinApp* AfxGetApp() {
    return g_app;
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    int code = 0;
    try {
        if (app->InitInstance())
            return 0; // the launcher has no message loop outside its dialog
        code = app->ExitInstance();
    } catch (const CException& e) {
        ReportException(e);
        code = -1;
    } catch (...) {
        ReportUnknown();
        code = -1;
    }
    return code;
}

} // namespace dorvex
