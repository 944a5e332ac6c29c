#include "common/tagged_address.h"

#include <array>

#include "common/config_file.h"

namespace config {

std::optional<net::Ipv4Address> LastTaggedAddress(const std::vector<std::string>& lines, std::string_view tag) {
    std::array<std::optional<int>, 4> numbers;
    for (const auto& line : lines) {
        LineScanner scanner(line);
        std::string word;
        if (!scanner.Word(word) || word != tag) continue;
        for (auto& number : numbers) {
            int value = 0;
            if (!scanner.Number(value)) break;
            number = value;
        }
    }
    net::Ipv4Address address{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (!numbers[i] || *numbers[i] < 0 || *numbers[i] > 255) return std::nullopt;
        address[i] = static_cast<std::uint8_t>(*numbers[i]);
    }
    return address;
}

} // namespace config
