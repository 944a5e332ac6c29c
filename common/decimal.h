// Whole numbers as wire fields and command lines carry them: decimal digits
// and nothing else, so no sign, blank or trailing text slips through.
#pragma once

#include <charconv>
#include <climits>
#include <optional>
#include <string_view>

namespace decimal {

// The value, or nullopt when text is not all digits or does not fit Number.
template <class Number> std::optional<Number> ParseDigits(std::string_view text) {
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    Number value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// What atoi reads off the front of text (blanks, a sign, digits; 0 when there
// are none), but held to int's range instead of undefined past it: a peer may
// send any number.
inline int LeadingInt(std::string_view text) {
    std::size_t at = text.find_first_not_of(" \t\r\n\v\f");
    if (at == std::string_view::npos) return 0;
    bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+') ++at;
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

} // namespace decimal
