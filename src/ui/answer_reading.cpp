#include "ui/answer_reading.h"

#include <cstdint>
#include <limits>

namespace dorvex {

int ReadAsNumber(std::string_view text) {
    size_t i = 0;
    // The C locale's white space, as isspace sees it.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int64_t kLimit = kMax + 1; // the magnitude of the negative end
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit)
            value = kLimit; // saturate; more digits cannot bring it back
    }
    if (negative)
        return int(-value);
    return int(value > kMax ? kMax : value);
}

std::string ExtractField(std::string_view text, int n, char sep) {
    if (n < 0)
        return {};
    size_t start = 0;
    for (int k = 0; k < n; ++k) {
        const size_t pos = text.find(sep, start);
        if (pos == std::string_view::npos)
            return {};
        start = pos + 1;
    }
    const size_t end = text.find(sep, start);
    return std::string(text.substr(start, end == std::string_view::npos ? text.npos : end - start));
}

std::optional<POINT> PositionCodePlace(int code, int sw, int sh, int w, int h) {
    if (code < 1 || code > 9)
        return std::nullopt;
    const int column = (code - 1) % 3; // left, centre, right
    const int row = (code - 1) / 3;    // top, middle, bottom
    const LONG xs[] = {0, sw / 2 - w / 2, sw - w};
    const LONG ys[] = {0, sh / 2 - h / 2, sh - h - 30};
    return POINT{xs[column], ys[row]};
}

} // namespace dorvex
