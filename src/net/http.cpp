#include "net/http.h"

#include <algorithm>

namespace dorvex {

namespace {
constexpr DWORD kErrorTooLarge = 12004; // ERROR_INTERNET_INTERNAL_ERROR: no better code exists

// Removes the temporary file unless the download reached its end.
class TempFileGuard {
public:
    explicit TempFileGuard(std::unique_ptr<OutFile> f) : m_file(std::move(f)) {}
    ~TempFileGuard() {
        if (!m_file)
            return;
        try {
            m_file->Close();
        } catch (...) {
        }
        try {
            Platform::Get().DeleteFile(m_file->Path());
        } catch (...) {
        }
    }
    OutFile& operator*() { return *m_file; }
    std::unique_ptr<OutFile> Release() { return std::move(m_file); }

private:
    std::unique_ptr<OutFile> m_file;
};
} // namespace

std::string ApplyLineRule(std::string_view body) {
    std::string out;
    out.reserve(body.size());
    std::copy_if(body.begin(), body.end(), std::back_inserter(out),
                 [](char c) { return c != '\r' && c != '\n'; });
    return out;
}

CString ReadAnswerText(HttpResponse& response) {
    std::string text;
    char buf[kReadSize];
    while (size_t n = response.Read(buf, sizeof buf)) {
        text += ApplyLineRule(std::string_view(buf, n));
        if (text.size() > kMaxTextAnswer)
            throw CInternetException(kErrorTooLarge, "The server's answer is too large.");
    }
    return text;
}

CString FetchUrlText(const CString& url) {
    return ReadAnswerText(*Platform::Get().OpenUrl(url));
}

BOOL DownloadUrlToFile(const CString& url, const CString& localPath, BodyCheck check) {
    Platform& p = Platform::Get();
    std::unique_ptr<HttpResponse> response;
    try {
        response = p.OpenUrl(url);
    } catch (const CInternetException&) {
        return FALSE;
    }
    // An error page is not the file that was asked for.
    if (response->Status() >= 400)
        return FALSE;

    TempFileGuard temp(p.CreateTempFileFor(localPath));
    std::string head;
    char buf[kReadSize];
    while (size_t n = response->Read(buf, sizeof buf)) {
        if (check && head.size() < kCheckedHeadSize)
            head.append(buf, std::min(n, kCheckedHeadSize - head.size()));
        (*temp).Write(buf, n);
    }
    (*temp).Close();
    if (check && !check(head))
        return FALSE; // the guard removes the temporary file
    p.ReplaceFile((*temp).Path(), localPath);
    temp.Release();
    return TRUE;
}

} // namespace dorvex
