// Opening a page without the launcher's administrator rights. The launcher runs elevated (its
// manifest asks for it, to write into C:\VALMOR), and a browser started by it would inherit
// that token: every page, and everything they download, would run as administrator. The
// desktop's own shell (Explorer) runs with the user's rights, so the page is handed to it
// through its automation objects; where there is no such shell (no Explorer, Wine, a service
// session) the caller falls back to ShellExecute as before.
#include "platform/win32/win32_platform.h"

#include "platform/win32/late_bound.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace dorvex {

namespace {

// Releases a COM interface pointer at the end of its scope.
template <class T> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (m_p)
            m_p->Release();
    }
    T* operator->() const { return m_p; }
    T** Out() { return &m_p; }
    void** OutVoid() { return reinterpret_cast<void**>(&m_p); }
    explicit operator bool() const { return m_p != nullptr; }
    T* Get() const { return m_p; }

private:
    T* m_p = nullptr;
};

bool OpenThroughDesktopShell(const std::wstring& url) {
    ComPtr<IShellWindows> windows;
    if (FAILED(late::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER,
                                      IID_IShellWindows, windows.OutVoid())))
        return false;
    VARIANT desktop, empty;
    late::VariantInit(&desktop);
    late::VariantInit(&empty);
    desktop.vt = VT_I4;
    desktop.lVal = CSIDL_DESKTOP;
    long hwnd = 0;
    ComPtr<IDispatch> found;
    if (windows->FindWindowSW(&desktop, &empty, SWC_DESKTOP, &hwnd, SWFO_NEEDDISPATCH,
                              found.Out()) != S_OK ||
        !found)
        return false;
    ComPtr<IServiceProvider> services;
    if (FAILED(found->QueryInterface(IID_IServiceProvider, services.OutVoid())))
        return false;
    ComPtr<IShellBrowser> browser;
    if (FAILED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.OutVoid())))
        return false;
    ComPtr<IShellView> view;
    if (FAILED(browser->QueryActiveShellView(view.Out())) || !view)
        return false;
    ComPtr<IDispatch> background;
    if (FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.OutVoid())))
        return false;
    ComPtr<IShellFolderViewDual> folderView;
    if (FAILED(background->QueryInterface(IID_IShellFolderViewDual, folderView.OutVoid())))
        return false;
    ComPtr<IDispatch> app;
    if (FAILED(folderView->get_Application(app.Out())) || !app)
        return false;
    ComPtr<IShellDispatch2> shell;
    if (FAILED(app->QueryInterface(IID_IShellDispatch2, shell.OutVoid())))
        return false;
    BSTR file = late::SysAllocString(url.c_str());
    VARIANT none, verb, show;
    late::VariantInit(&none);
    late::VariantInit(&verb);
    late::VariantInit(&show);
    verb.vt = VT_BSTR;
    verb.bstrVal = late::SysAllocString(L"open");
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    const HRESULT hr = shell->ShellExecute(file, none, none, verb, show);
    late::VariantClear(&verb);
    late::SysFreeString(file);
    return SUCCEEDED(hr);
}

} // namespace

bool OpenUnelevated(const std::string& url) {
    const HRESULT init = late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool opened = OpenThroughDesktopShell(Widen(url));
    if (SUCCEEDED(init))
        late::CoUninitialize();
    return opened;
}

} // namespace dorvex
