// System functions the launcher needs only after its first paint: opening a page (the shell,
// COM), the tray icon, and the system's version functions for a file our own reader refused.
// Their DLLs (shell32, ole32, oleaut32, version and what they pull in) are loaded from the
// system folder at the first call instead of at process start, which they would otherwise
// lengthen on every start. The backend does not link their import libraries, so a direct call
// to one of them fails at link time.
#pragma once

#include "platform/win32/win32_platform.h"

#include <oleauto.h>
#include <shellapi.h>

namespace dorvex::late {

template <typename Fn> Fn* Load(const wchar_t* dll, const char* name) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

// Each wrapper resolves its function once; a missing one behaves as a failing call.
#define DORVEX_LATE(dll, fn) static auto* const f = Load<decltype(::fn)>(dll, #fn)

inline HRESULT CoInitializeEx(void* reserved, ::DWORD flags) {
    DORVEX_LATE(L"ole32.dll", CoInitializeEx);
    return f ? f(reserved, flags) : E_FAIL;
}
inline void CoUninitialize() {
    DORVEX_LATE(L"ole32.dll", CoUninitialize);
    if (f)
        f();
}
inline HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, ::DWORD context, REFIID iid,
                                void** out) {
    DORVEX_LATE(L"ole32.dll", CoCreateInstance);
    return f ? f(clsid, outer, context, iid, out) : E_FAIL;
}
inline BSTR SysAllocString(const OLECHAR* s) {
    DORVEX_LATE(L"oleaut32.dll", SysAllocString);
    return f ? f(s) : nullptr;
}
inline void SysFreeString(BSTR s) {
    DORVEX_LATE(L"oleaut32.dll", SysFreeString);
    if (f)
        f(s);
}
inline void VariantInit(VARIANT* v) {
    DORVEX_LATE(L"oleaut32.dll", VariantInit);
    if (f)
        f(v);
}
inline HRESULT VariantClear(VARIANT* v) {
    DORVEX_LATE(L"oleaut32.dll", VariantClear);
    return f ? f(v) : E_FAIL;
}
inline HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR verb, LPCSTR file, LPCSTR params, LPCSTR dir,
                               int show) {
    DORVEX_LATE(L"shell32.dll", ShellExecuteA);
    return f ? f(hwnd, verb, file, params, dir, show) : nullptr;
}
inline BOOL Shell_NotifyIconW(::DWORD op, NOTIFYICONDATAW* data) {
    DORVEX_LATE(L"shell32.dll", Shell_NotifyIconW);
    return f ? f(op, data) : FALSE;
}
inline ::DWORD GetFileVersionInfoSizeW(LPCWSTR path, LPDWORD handle) {
    DORVEX_LATE(L"version.dll", GetFileVersionInfoSizeW);
    return f ? f(path, handle) : 0;
}
inline BOOL GetFileVersionInfoW(LPCWSTR path, ::DWORD handle, ::DWORD size, void* data) {
    DORVEX_LATE(L"version.dll", GetFileVersionInfoW);
    return f ? f(path, handle, size, data) : FALSE;
}
inline BOOL VerQueryValueW(const void* block, LPCWSTR sub, void** out, PUINT len) {
    DORVEX_LATE(L"version.dll", VerQueryValueW);
    return f ? f(block, sub, out, len) : FALSE;
}

#undef DORVEX_LATE

} // namespace dorvex::late
