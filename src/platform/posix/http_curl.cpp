#include "platform/posix/http_curl.h"

#include <algorithm>
#include <curl/curl.h>
#include <optional>

#include "platform/framework.h"

namespace dorvex::posix {

namespace {

// WinINet's codes, so that callers see one set of numbers on every platform.
constexpr DWORD kNameNotResolved = 12007;
constexpr DWORD kCannotConnect = 12029;
constexpr DWORD kTimeout = 12002;
constexpr DWORD kConnectionAborted = 12030;

DWORD CodeFor(CURLcode c) {
    switch (c) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return kNameNotResolved;
    case CURLE_OPERATION_TIMEDOUT:
        return kTimeout;
    case CURLE_COULDNT_CONNECT:
        return kCannotConnect;
    default:
        return kConnectionAborted;
    }
}

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

class BufferedResponse : public HttpResponse {
public:
    BufferedResponse(int status, std::string body, std::optional<CInternetException> error)
        : m_status(status), m_body(std::move(body)), m_error(std::move(error)) {}
    int Status() const override { return m_status; }
    size_t Read(char* buf, size_t n) override {
        const size_t k = std::min(n, m_body.size() - m_pos);
        if (k == 0 && m_error)
            throw *m_error;
        std::copy_n(m_body.data() + m_pos, k, buf);
        m_pos += k;
        return k;
    }

private:
    int m_status;
    std::string m_body;
    size_t m_pos = 0;
    std::optional<CInternetException> m_error;
};

size_t OnBody(char* data, size_t size, size_t nmemb, void* user) {
    static_cast<std::string*>(user)->append(data, size * nmemb);
    return size * nmemb;
}

} // namespace

std::unique_ptr<HttpResponse> CurlOpenUrl(const std::string& url, const std::string& agent) {
    static CurlGlobal global;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw CInternetException(kCannotConnect, "The HTTP client could not be started.");
    // curl adds "Accept: */*" by itself; the requests carry nothing but host and agent.
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
        curl_slist_append(nullptr, "Accept:"), curl_slist_free_all);

    std::string body;
    char errbuf[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errbuf);

    const CURLcode rc = curl_easy_perform(curl.get());
    long status = 0;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
    std::optional<CInternetException> error;
    if (rc != CURLE_OK) {
        std::string text = curl_easy_strerror(rc);
        if (errbuf[0])
            text += std::string(": ") + errbuf;
        error.emplace(CodeFor(rc), text);
        if (status == 0)
            throw *error; // no answer at all: the address could not be opened
    }
    return std::make_unique<BufferedResponse>(int(status), std::move(body), std::move(error));
}

} // namespace dorvex::posix
