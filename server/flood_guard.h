// Lets a connection send in bursts but not faster than a steady rate.
#pragma once

#include <algorithm>
#include <cstdint>

namespace lobby_server {

class FloodGuard {
public:
    // A burst of 40 messages, then 20 a second: ordinary chat at 5 lines a
    // second never comes near it.
    static constexpr double kBurst = 40;
    static constexpr double kPerSecond = 20;

    explicit FloodGuard(std::int64_t nowMillis) : last_(nowMillis) {}

    // False when this message is one too many.
    bool Allow(std::int64_t nowMillis) {
        double elapsedSeconds = static_cast<double>(nowMillis - last_) / 1000;
        last_ = nowMillis;
        tokens_ = std::min(kBurst, tokens_ + elapsedSeconds * kPerSecond);
        if (tokens_ < 1) return false;
        tokens_ -= 1;
        return true;
    }

private:
    std::int64_t last_;
    double tokens_ = kBurst;
};

} // namespace lobby_server
