#include "update/verified_fetch.h"

#include "tests/unit/update/fake_ftp.h"
#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

namespace update {
namespace {

using testing::FakeFtpServer;
using testing::FakeFtpSession;

class VerifiedFetch : public ::testing::Test {
protected:
    VerifiedFetch() { server.files["/vorlo/a.dll"] = std::string(1000, 'x'); }

    int Fetches() const { return static_cast<int>(server.fetches.size()); }

    test_support::ScratchDirectory dir;
    FakeFtpServer server;
    FakeFtpSession session{server};
    std::filesystem::path local = dir.Path() / "a.dll";
};

TEST_F(VerifiedFetch, MatchingSizeNeedsOneFetch) {
    EXPECT_TRUE(FetchVerified(session, "/vorlo/a.dll", local));
    EXPECT_EQ(Fetches(), 1);
    EXPECT_EQ(std::filesystem::file_size(local), 1000u);
}

TEST_F(VerifiedFetch, FetchesAgainWhileSizesDiffer) {
    server.wrongListings["/vorlo/a.dll"] = 3;
    EXPECT_TRUE(FetchVerified(session, "/vorlo/a.dll", local));
    EXPECT_EQ(Fetches(), 4);
}

TEST_F(VerifiedFetch, GivesUpAfterFiveMoreFetches) {
    server.wrongListings["/vorlo/a.dll"] = kExtraFetches;
    EXPECT_TRUE(FetchVerified(session, "/vorlo/a.dll", local));
    EXPECT_EQ(Fetches(), 1 + kExtraFetches);

    server.fetches.clear();
    server.wrongListings["/vorlo/a.dll"] = kExtraFetches + 1;
    EXPECT_FALSE(FetchVerified(session, "/vorlo/a.dll", local));
    EXPECT_EQ(Fetches(), 1 + kExtraFetches);
}

TEST_F(VerifiedFetch, MissingOrUnwrittenFileNeverPasses) {
    EXPECT_FALSE(FetchVerified(session, "/vorlo/none.dll", dir.Path() / "none.dll"));
    EXPECT_EQ(Fetches(), 1 + kExtraFetches);

    server.silentFetches.push_back("/vorlo/a.dll");
    EXPECT_FALSE(FetchVerified(session, "/vorlo/a.dll", local));
    EXPECT_FALSE(std::filesystem::exists(local));
}

} // namespace
} // namespace update
