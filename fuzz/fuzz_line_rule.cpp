// The line rule on any answer, arriving in any pieces: the text is the body without its CR and
// LF bytes, every other byte kept in order, whatever the sizes of the reads it came in.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/http.h"

namespace {

// A body served in reads whose sizes the first bytes of the input choose.
class PiecewiseResponse : public dorvex::HttpResponse {
public:
    PiecewiseResponse(std::string_view sizes, std::string_view body)
        : m_sizes(sizes), m_body(body) {}
    int Status() const override { return 200; }
    size_t Read(char* buf, size_t n) override {
        size_t want = m_sizes.empty() ? n : 1 + uint8_t(m_sizes[m_next++ % m_sizes.size()]);
        want = std::min({want, n, m_body.size() - m_at});
        std::memcpy(buf, m_body.data() + m_at, want);
        m_at += want;
        return want;
    }

private:
    std::string_view m_sizes, m_body;
    size_t m_next = 0, m_at = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first byte tells how many of the next bytes are read sizes; the rest is the body.
    const size_t split = input.empty() ? 0 : std::min<size_t>(1 + uint8_t(input[0]) % 8, size);
    const std::string_view sizes = split ? input.substr(1, split - 1) : std::string_view();
    const std::string_view body = input.substr(split);

    const std::string whole = dorvex::ApplyLineRule(body);
    std::string expected;
    for (char c : body)
        if (c != '\r' && c != '\n')
            expected += c;
    if (whole != expected)
        abort();
    PiecewiseResponse response(sizes, body);
    if (dorvex::ReadAnswerText(response) != whole)
        abort();
    return 0;
}
