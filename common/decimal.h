// Whole numbers as wire fields and command lines carry them: decimal digits
// and nothing else, so no sign, blank or trailing text slips through.
#pragma once

#include <charconv>
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

} // namespace decimal
