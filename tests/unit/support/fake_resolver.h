// A name service for tests that answers like today's resolvers: the names it
// is told, and a bare number taken as an address of its own ("192" is
// 0.0.0.192). It remembers what it was asked.
#pragma once

#include "common/name_resolver.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace test_support {

class FakeResolver : public net::NameResolver {
public:
    std::map<std::string, net::Ipv4Address, std::less<>> names;
    std::vector<std::string> asked;

    explicit FakeResolver(std::map<std::string, net::Ipv4Address, std::less<>> known = {}) : names(std::move(known)) {}

    std::optional<net::Ipv4Address> Resolve(std::string_view host) override {
        asked.emplace_back(host);
        if (auto found = names.find(host); found != names.end()) return found->second;
        if (!host.empty() && host.size() <= 10 && host.find_first_not_of("0123456789") == std::string_view::npos) {
            unsigned long long value = std::stoull(std::string(host));
            if (value > 0xFFFFFFFFull) return std::nullopt;
            return net::Ipv4Address{static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
                                    static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
        }
        return std::nullopt;
    }
};

} // namespace test_support
