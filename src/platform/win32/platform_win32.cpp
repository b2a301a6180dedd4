// The shipped backend, outside the window: start-up, files, profile, registry, shell, versions.
#define _CRT_RAND_S
#include "platform/win32/win32_platform.h"

#include "platform/win32/late_bound.h"

#include <commctrl.h>
#include <shellapi.h>
#include <stdlib.h>
#include <vector>

#include "platform/pe_version.h"

namespace dorvex {

std::wstring Widen(const std::string& s) {
    if (s.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

std::string Narrow(const std::wstring& w) {
    if (w.empty())
        return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), int(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

std::string DescribeError(::DWORD code, HMODULE module) {
    wchar_t* text = nullptr;
    const ::DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                          (module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM);
    const ::DWORD n =
        FormatMessageW(flags, module, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring w = n && text ? std::wstring(text, n) : std::wstring();
    if (text)
        LocalFree(text);
    while (!w.empty() && (w.back() == L'\r' || w.back() == L'\n' || w.back() == L' '))
        w.pop_back();
    return Narrow(w);
}

namespace {

[[noreturn]] void ThrowFile(DWORD code, const std::string& path) {
    throw CFileException(code, path, DescribeError(code));
}

class Win32OutFile : public OutFile {
public:
    Win32OutFile(HANDLE h, std::string path) : m_h(h), m_path(std::move(path)) {}
    ~Win32OutFile() override {
        if (m_h != INVALID_HANDLE_VALUE)
            CloseHandle(m_h);
    }
    void Write(const char* buf, size_t n) override {
        while (n > 0) {
            ::DWORD done = 0;
            if (!WriteFile(m_h, buf, ::DWORD(n), &done, nullptr))
                ThrowFile(GetLastError(), m_path);
            buf += done;
            n -= done;
        }
    }
    void Close() override {
        if (m_h == INVALID_HANDLE_VALUE)
            return;
        HANDLE h = m_h;
        m_h = INVALID_HANDLE_VALUE;
        const BOOL flushed = FlushFileBuffers(h);
        const DWORD err = flushed ? 0 : GetLastError();
        if (!CloseHandle(h) || !flushed)
            ThrowFile(err ? err : GetLastError(), m_path);
    }
    const std::string& Path() const override { return m_path; }

private:
    HANDLE m_h;
    std::string m_path;
};

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

} // namespace

std::string Win32Platform::AppName() {
    wchar_t buf[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, buf, MAX_PATH);
    std::wstring name(buf, n);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name = name.substr(slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name = name.substr(0, dot);
    return Narrow(name);
}

void Win32Platform::InitUserInterface() {
    INITCOMMONCONTROLSEX icc{8, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

int Win32Platform::MessageBox(const std::string& text, UINT type) {
    return MessageBoxW(m_hwnd, Widen(text).c_str(), Widen(AppName()).c_str(), type);
}

void Win32Platform::BeginWaitCursor() {
    if (m_waitDepth++ == 0)
        m_savedCursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void Win32Platform::EndWaitCursor() {
    if (m_waitDepth > 0 && --m_waitDepth == 0)
        SetCursor(m_savedCursor);
}

bool Win32Platform::CreateNamedMapping(const std::string& name, bool* gotHandle) {
    // The handle stays open for the life of the process: it is the instance's mark.
    HANDLE h =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, name.c_str());
    *gotHandle = h != nullptr;
    return h != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

UINT Win32Platform::RegisterWindowMessage(const std::string& name) {
    const UINT msg = RegisterWindowMessageA(name.c_str());
    // The launcher runs elevated; Explorer's broadcast comes from a lower integrity level.
    if (msg && m_hwnd)
        ChangeWindowMessageFilterEx(m_hwnd, msg, MSGFLT_ALLOW, nullptr);
    return msg;
}

bool Win32Platform::FindFile(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32Platform::CreateDirectory(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

std::unique_ptr<OutFile> Win32Platform::CreateTempFileFor(const std::string& target) {
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < 8; ++attempt) {
        unsigned a = 0, b = 0;
        rand_s(&a);
        rand_s(&b);
        char name[40];
        snprintf(name, sizeof name, "~dorvex-%08x%08x.tmp", a, b);
        const std::string path = folder + "\\" + name;
        HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            return std::make_unique<Win32OutFile>(h, path);
        if (GetLastError() != ERROR_FILE_EXISTS)
            ThrowFile(GetLastError(), target);
    }
    ThrowFile(ERROR_FILE_EXISTS, target);
}

void Win32Platform::ReplaceFile(const std::string& from, const std::string& to) {
    if (!MoveFileExW(Widen(from).c_str(), Widen(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowFile(GetLastError(), to);
}

void Win32Platform::DeleteFile(const std::string& path) {
    DeleteFileW(Widen(path).c_str());
}

std::optional<std::array<uint16_t, 4>> SystemFileVersion(const std::string& path) {
    const std::wstring w = Widen(path);
    // The size comes from the file. A version block is a few hundred bytes; a huge one is a
    // damaged or hostile file, and the portable reader gives nothing for it either.
    constexpr DWORD kMaxBlock = (1u << 20) * 2 + 4;
    const DWORD size = late::GetFileVersionInfoSizeW(w.c_str(), nullptr);
    if (size == 0 || size > kMaxBlock)
        return std::nullopt;
    // VerQueryValueW trusts the block's own lengths and terminators; zeros after it keep a
    // damaged block's reads inside this buffer.
    std::vector<char> block(size_t(size) + 256, 0);
    if (!late::GetFileVersionInfoW(w.c_str(), 0, size, block.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!late::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &len) ||
        !info || len < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    if (reinterpret_cast<char*>(info) + 16 > block.data() + block.size())
        return std::nullopt;
    return std::array<uint16_t, 4>{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                   HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}

// The system's version functions trust the file's offsets (Wine's even read past the file's
// mapping on a damaged resource tree), so they only see files whose structure our bounds-checked
// reader has walked.
std::optional<std::array<uint16_t, 4>> Win32Platform::FileVersion(const std::string& path) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    LARGE_INTEGER size{};
    std::string image;
    if (GetFileSizeEx(h, &size) && size.QuadPart > 0 &&
        size.QuadPart <= LONGLONG(pe::kMaxProgramFile)) {
        image.resize(size_t(size.QuadPart));
        ::DWORD got = 0;
        if (!ReadFile(h, image.data(), DWORD(image.size()), &got, nullptr) || got != image.size())
            image.clear();
    }
    CloseHandle(h);
    if (!pe::ReadFileVersion(image))
        return std::nullopt;
    return SystemFileVersion(path);
}

int Win32Platform::GetPrivateProfileInt(const std::string& section, const std::string& key, int def,
                                        const std::string& path) {
    return int(GetPrivateProfileIntW(Widen(section).c_str(), Widen(key).c_str(), def,
                                     Widen(path).c_str()));
}

bool Win32Platform::WritePrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& path) {
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                      Widen(value).c_str(), Widen(path).c_str()) != 0;
}

std::optional<std::string> Win32Platform::ReadUserString(const std::string& subkey,
                                                         const std::string& value) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(subkey).c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    struct KeyCloser {
        HKEY k;
        ~KeyCloser() { RegCloseKey(k); }
    } closer{key};
    const std::wstring name = Widen(value);
    // Read whole, however long the path.
    for (int attempt = 0; attempt < 4; ++attempt) {
        ::DWORD type = 0, bytes = 0;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            return std::nullopt;
        std::wstring buf(bytes / sizeof(wchar_t) + 1, L'\0');
        ::DWORD got = ::DWORD(buf.size() * sizeof(wchar_t));
        const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buf.data()), &got);
        if (rc == ERROR_MORE_DATA)
            continue; // it grew in between
        if (rc != ERROR_SUCCESS)
            return std::nullopt;
        buf.resize(got / sizeof(wchar_t));
        while (!buf.empty() && buf.back() == L'\0')
            buf.pop_back();
        return Narrow(buf);
    }
    return std::nullopt;
}

bool Win32Platform::ShellOpen(const std::string& url) {
    // With the user's rights through the desktop's shell where there is one; otherwise the
    // plain call, whose browser inherits the launcher's elevation.
    if (OpenUnelevated(url))
        return true;
    return reinterpret_cast<INT_PTR>(late::ShellExecuteA(nullptr, "open", url.c_str(), nullptr,
                                                         nullptr, SW_SHOWNORMAL)) > 32;
}

bool Win32Platform::StartProgram(const std::string& path, int showCmd) {
    // The path is the program to run, never a command line to be split at its blanks.
    const std::wstring app = Widen(path);
    std::wstring cmd = L"\"" + app + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = WORD(showCmd);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(app.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

int Win32Platform::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}
COLORREF Win32Platform::GetSysColor(int index) {
    return ::GetSysColor(index);
}

} // namespace dorvex
