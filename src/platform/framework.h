// The least of an application framework that the launcher is written against: an application
// object, a dialog with a static message map, exceptions that carry the system's error, and
// the program's message box. Backend-neutral; the native work goes through Platform.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>

#include "platform/platform.h"

namespace dorvex {

using CString = std::string; // 8-bit text: answers and settings are bytes, never decoded
using CPoint = POINT;

// --- exceptions -------------------------------------------------------------------------------

class CException {
public:
    virtual ~CException() = default;
    // The system's description of the error; false when it has none.
    virtual bool GetErrorMessage(std::string& out) const = 0;
};

class CInternetException : public CException {
public:
    CInternetException(DWORD code, std::string description)
        : m_dwError(code), m_description(std::move(description)) {}
    bool GetErrorMessage(std::string& out) const override;
    DWORD m_dwError;

private:
    std::string m_description;
};

class CFileException : public CException {
public:
    CFileException(DWORD osError, std::string path, std::string description)
        : m_lOsError(osError), m_strFileName(std::move(path)),
          m_description(std::move(description)) {}
    bool GetErrorMessage(std::string& out) const override;
    DWORD m_lOsError;
    std::string m_strFileName;

private:
    std::string m_description;
};

// The framework's text for an error that carries no description.
inline constexpr const char* kInternalErrorText = "내부 응용 프로그램 오류입니다.";

// OK button, the exclamation icon unless another icon is asked for, the application name as
// caption.
int AfxMessageBox(const std::string& textUtf8, UINT type = MB_OK, UINT helpId = 0);

// --- windows and the message map -------------------------------------------------------------

class CWnd;
using MessageHandler = LRESULT (*)(CWnd&, WPARAM, LPARAM);

struct MessageMapEntry {
    UINT message;
    UINT id; // the command id for WM_COMMAND, 0 otherwise
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* base;
    std::span<const MessageMapEntry> entries;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    void BeginWaitCursor() { Platform::Get().BeginWaitCursor(); }
    void EndWaitCursor() { Platform::Get().EndWaitCursor(); }
};

class CWnd : public CCmdTarget {
public:
    virtual const MessageMap* GetMessageMap() const;
    // Routes one message through the message map. An exception that leaves a handler is
    // reported in a stop box and the handler abandoned; the window runs on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled goes on to the default procedure with its own parameters.
    LRESULT Default();

protected:
    // The handler for `message`, or null when the map chain has none.
    MessageHandler FindHandler(UINT message, WPARAM wParam) const;

private:
    MSG m_current{};
};

class CDialog : public CWnd {
public:
    explicit CDialog(int templateId, CWnd* parent = nullptr) : m_templateId(templateId) {
        (void)parent;
    }
    const MessageMap* GetMessageMap() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    virtual int DoModal();
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual BOOL PreTranslateMessage(const MSG& msg);
    virtual void DoDataExchange() {}
    void EndDialog(int result) { Platform::Get().EndDialog(result); }
    void OnOK() { EndDialog(IDOK); }
    void OnCancel() { EndDialog(IDCANCEL); }

private:
    int m_templateId;
};

// Adapts a handler member of the shapes the launcher uses to a map entry.
template <auto Member> LRESULT MessageThunk(CWnd& wnd, WPARAM wParam, LPARAM lParam) {
    using Ptr = decltype(Member);
    return
        []<class T, class R, class... A>(R (T::*)(A...), CWnd& w, WPARAM wp, LPARAM lp) -> LRESULT {
            T& self = static_cast<T&>(w);
            if constexpr (sizeof...(A) == 0) {
                if constexpr (std::is_void_v<R>) {
                    (self.*Member)();
                    return 0;
                } else {
                    return LRESULT((self.*Member)());
                }
            } else if constexpr (std::is_same_v<std::tuple<A...>, std::tuple<UINT, CPoint>>) {
                (self.*Member)(UINT(wp), PointFromLParam(lp));
                return 0;
            } else {
                static_assert(std::is_same_v<std::tuple<A...>, std::tuple<WPARAM, LPARAM>>);
                return LRESULT((self.*Member)(wp, lp));
            }
        }(Ptr{}, wnd, wParam, lParam);
}

template <auto Member> constexpr MessageMapEntry OnMessage(UINT message) {
    return {message, 0, &MessageThunk<Member>};
}
template <auto Member> constexpr MessageMapEntry OnCommand(UINT id) {
    return {WM_COMMAND, id, &MessageThunk<Member>};
}

// --- the application object --------------------------------------------------------------------

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    void SetRegistryKey(const std::string& key) { m_registryKey = key; }
    CWnd* m_pMainWnd = nullptr;

private:
    std::string m_registryKey;
};

class CWinAppEx : public CWinApp {
public:
    explicit CWinAppEx(BOOL resourceSmartUpdate = FALSE)
        : m_bResourceSmartUpdate(resourceSmartUpdate) {}
    BOOL m_bResourceSmartUpdate;
};

// ActiveX containment needs nothing of ours; kept so start-up reads as it runs.
inline void AfxEnableControlContainer() {}

// The single application object, registered by its construction.
CWinApp* AfxGetApp();

// What the framework does around InitInstance: the error mode is the backend's part.
int AfxWinMain();

} // namespace dorvex
