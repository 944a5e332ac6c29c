#include "common/tagged_address.h"

#include <gtest/gtest.h>

namespace config {
namespace {

std::optional<std::string> Dotted(const std::vector<std::string>& lines) {
    auto address = LastTaggedAddress(lines, "[FTPADDR]");
    if (!address) return std::nullopt;
    return net::ToDotted(*address);
}

TEST(LastTaggedAddress, LastMatchingLineCounts) {
    EXPECT_EQ(Dotted({"[FTPADDR] 10 0 0 1"}), "10.0.0.1");
    EXPECT_EQ(Dotted({"[FTPADDR] 10 0 0 1", "[DNSADDR] 1 2 3 4", "\t[FTPADDR]  192 168 0 7 extra"}), "192.168.0.7");
    EXPECT_EQ(Dotted({"[FTPADDR] 10 0 0 1", "[ftpaddr] 1 1 1 1", "[FTPADDR]1 1 1 1"}), "10.0.0.1");
}

TEST(LastTaggedAddress, ShortLineReplacesOnlyWhatItGives) {
    EXPECT_EQ(Dotted({"[FTPADDR] 10 20 30 40", "[FTPADDR] 1 2"}), "1.2.30.40");
    EXPECT_EQ(Dotted({"[FTPADDR] 10 20 30 40", "[FTPADDR] 1 x 3 4"}), "1.20.30.40");
}

TEST(LastTaggedAddress, MissingOrOutOfRangeGivesNothing) {
    EXPECT_EQ(Dotted({}), std::nullopt);
    EXPECT_EQ(Dotted({"[CHATADDR] 1 2 3 4"}), std::nullopt);
    EXPECT_EQ(Dotted({"[FTPADDR] 1 2 3"}), std::nullopt);
    EXPECT_EQ(Dotted({"[FTPADDR] 1 2 3 256"}), std::nullopt);
    EXPECT_EQ(Dotted({"[FTPADDR] -1 2 3 4"}), std::nullopt);
}

} // namespace
} // namespace config
