// HTTP through WinINet: the system's configured proxy, redirects and cache as WinINet does them.
#include "platform/win32/win32_platform.h"

#include <wininet.h>

namespace dorvex {

namespace {

std::string WinInetDescription(DWORD code) {
    return DescribeError(code, GetModuleHandleW(L"wininet.dll"));
}

[[noreturn]] void ThrowInternet() {
    const DWORD code = GetLastError();
    throw CInternetException(code, WinInetDescription(code));
}

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET h = nullptr) : m_h(h) {}
    ~InternetHandle() {
        if (m_h)
            InternetCloseHandle(m_h);
    }
    InternetHandle(InternetHandle&& o) noexcept : m_h(o.m_h) { o.m_h = nullptr; }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return m_h; }

private:
    HINTERNET m_h;
};

class WinInetResponse : public HttpResponse {
public:
    WinInetResponse(InternetHandle session, InternetHandle file, int status)
        : m_session(std::move(session)), m_file(std::move(file)), m_status(status) {
        ::DWORD length = 0, size = sizeof length;
        if (HttpQueryInfoA(m_file.get(), HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER,
                           &length, &size, nullptr))
            m_expected = length;
    }
    int Status() const override { return m_status; }
    size_t Read(char* buf, size_t n) override {
        ::DWORD got = 0;
        if (!InternetReadFile(m_file.get(), buf, ::DWORD(n), &got))
            ThrowInternet();
        m_received += got;
        // NB: WinINet reports a connection closed before Content-Length bytes as a normal end
        // of the body; without this check a cut-off download would count as complete.
        if (got == 0 && m_expected >= 0 && m_received < uint64_t(m_expected)) {
            constexpr DWORD kConnectionReset = 12031; // ERROR_INTERNET_CONNECTION_RESET
            throw CInternetException(kConnectionReset, WinInetDescription(kConnectionReset));
        }
        return got;
    }

private:
    // Declared first, destroyed last: the file handle closes before its session.
    InternetHandle m_session;
    InternetHandle m_file;
    int m_status;
    int64_t m_expected = -1; // Content-Length, when the server gave one
    uint64_t m_received = 0;
};

} // namespace

std::unique_ptr<HttpResponse> Win32Platform::OpenUrl(const std::string& url) {
    const std::string agent = AppName();
    InternetHandle session(
        InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.get())
        ThrowInternet();
    // Addresses are 8-bit text as the servers gave it; the A call passes the bytes unchanged.
    InternetHandle file(
        InternetOpenUrlA(session.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_TRANSFER_ASCII, 1));
    if (!file.get())
        ThrowInternet();
    // Wine's WinINet opens an address whose server closed the connection without answering,
    // as if an empty page had come; a reply with no status line is no answer at all.
    ::DWORD status = 0, size = sizeof status;
    if (!HttpQueryInfoA(file.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr) ||
        status == 0) {
        constexpr DWORD kInvalidResponse = 12152; // ERROR_HTTP_INVALID_SERVER_RESPONSE
        throw CInternetException(kInvalidResponse, WinInetDescription(kInvalidResponse));
    }
    return std::make_unique<WinInetResponse>(std::move(session), std::move(file), int(status));
}

} // namespace dorvex
