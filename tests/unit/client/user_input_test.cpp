#include "client/chat_input.h"
#include "client/chat_server_config.h"
#include "client/user_id.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

TEST(UserId, LengthIsCountedInBytes) {
    EXPECT_EQ(lobby::CheckUserId("a"), lobby::UserIdCheck::TooShort);
    EXPECT_EQ(lobby::CheckUserId(""), lobby::UserIdCheck::TooShort);
    EXPECT_EQ(lobby::CheckUserId("가"), lobby::UserIdCheck::Accepted);  // one syllable, two bytes
    EXPECT_EQ(lobby::CheckUserId("ab"), lobby::UserIdCheck::Accepted);
}

TEST(UserId, CaretIsRefusedAfterTheLength) {
    EXPECT_EQ(lobby::CheckUserId("a^b"), lobby::UserIdCheck::HasCaret);
    EXPECT_EQ(lobby::CheckUserId("^"), lobby::UserIdCheck::TooShort);
}

TEST(UserId, ChatPrefixBracketsTheId) {
    EXPECT_EQ(lobby::ChatPrefix("홍길동"), "[홍길동]");
    // The prefix field holds 24 bytes: an over-long ID is cut at its limit.
    EXPECT_EQ(lobby::ChatPrefix(std::string(20, 'x')), "[" + std::string(14, 'x') + "]");
}

TEST(ChatInput, LineIsPrefixBlankText) {
    EXPECT_EQ(lobby::ChatLineFor("[kim]", "hello"), "[kim] hello");
    EXPECT_EQ(lobby::ChatLineFor("[kim]", ""), "[kim] ");
    EXPECT_FALSE(lobby::ChatLineFor("[kim]", "a^b"));
    EXPECT_FALSE(lobby::ChatLineFor("[kim]", "^"));
}

class ChatServerFile : public ::testing::Test {
protected:
    std::filesystem::path file = std::filesystem::temp_directory_path() /
                                 ("position_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini");
    void Write(const std::string& content) { std::ofstream(file, std::ios::binary) << content; }
    void TearDown() override { std::filesystem::remove(file); }
};

TEST_F(ChatServerFile, FirstChatLineWinsAndLeadingBlanksMatch) {
    Write("[GAMEADDR] game\r\n   [CHATADDR] chat.example 9400\r\n[CHATADDR] other 1\r\n");
    auto address = lobby::ReadChatServerAddress(file);
    EXPECT_EQ(address.host, "chat.example");
    EXPECT_EQ(address.port, 9400);
}

TEST_F(ChatServerFile, SmallLettersAndGluedTagsDoNotMatch) {
    Write("[chataddr] a 1\n[CHATADDR]b 2\n");
    auto address = lobby::ReadChatServerAddress(file);
    EXPECT_EQ(address.host, "");
    EXPECT_EQ(address.port, 0);
}

TEST_F(ChatServerFile, MissingFileAndMissingPortLeaveDefaults) {
    EXPECT_EQ(lobby::ReadChatServerAddress(file).host, "");
    Write("[CHATADDR] lonely");
    auto address = lobby::ReadChatServerAddress(file);
    EXPECT_EQ(address.host, "lonely");
    EXPECT_EQ(address.port, 0);
}

TEST_F(ChatServerFile, HostLongerThanItsFieldIsNotTaken) {
    Write("[CHATADDR] " + std::string(30, 'h') + " 9400\n");
    auto address = lobby::ReadChatServerAddress(file);
    EXPECT_EQ(address.host, "");
    EXPECT_EQ(address.port, 9400);
    Write("[CHATADDR] " + std::string(29, 'h') + " 1\n");
    EXPECT_EQ(lobby::ReadChatServerAddress(file).host, std::string(29, 'h'));
}

} // namespace
