#include "wingui/Field.h"

#include "wingui/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vel::wingui {

namespace {

std::size_t SkipSpaces(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    return i;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

template <> std::string Field<bool>::ToText() const {
    return value ? "true" : "false";
}

template <> bool Field<bool>::FromText(const std::string& text) {
    const char first = text.empty() ? '\0' : text.front();
    value = first == 't' || first == 'T' || first == 'y' || first == 'Y' || first == '1';
    return IsValid();
}

template <> std::string Field<float>::ToText() const {
    return NumberText(value);
}

// Only plain decimal numbers count: no hexadecimal, infinities or NaN. The
// user's decimal separator and a point both mark the decimals.
std::optional<float> ReadNumber(const std::string& typed) {
    const std::string text = PlainNumberText(typed);
    std::size_t i = SkipSpaces(text);
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    const char* begin = text.data() + i;
    const char* end = text.data() + text.size();
    float parsed = 0.0f;
    const bool startsWithNumber =
        begin != end && (IsDigit(*begin) || *begin == '.' || *begin == '-');
    const auto result = std::from_chars(begin, end, parsed, std::chars_format::general);
    if (!startsWithNumber || result.ec != std::errc() || !std::isfinite(parsed)) {
        return std::nullopt;
    }
    return parsed;
}

template <> bool Field<float>::FromText(const std::string& typed) {
    value = ReadNumber(typed).value_or(0.0f);
    return true;
}

template <> std::string Field<unsigned int>::ToText() const {
    return NumberText(value);
}

template <> bool Field<unsigned int>::FromText(const std::string& typed) {
    const std::string text = PlainNumberText(typed);
    constexpr unsigned long long kMax = std::numeric_limits<unsigned int>::max();
    unsigned long long parsed = 0;
    for (std::size_t i = SkipSpaces(text); i < text.size() && IsDigit(text[i]); ++i) {
        parsed = std::min(kMax, parsed * 10 + static_cast<unsigned>(text[i] - '0'));
    }
    value = static_cast<unsigned int>(parsed);
    return IsValid();
}

template <> std::string Field<std::string>::ToText() const {
    return value;
}

template <> bool Field<std::string>::FromText(const std::string& text) {
    value = text;
    return IsValid();
}

template class Field<bool>;
template class Field<float>;
template class Field<unsigned int>;
template class Field<std::string>;

} // namespace vel::wingui
