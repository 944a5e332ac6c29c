#include "outgoing_messages.h"
#include "wire_format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

TEST(SendBlock, IsAlways512BytesNulPadded) {
    auto block = lobby::MakeSendBlock("ID^kim");
    EXPECT_EQ(block.size(), 512u);
    EXPECT_EQ(std::string(block.data()), "ID^kim");
    for (std::size_t i = 6; i < block.size(); ++i) ASSERT_EQ(block[i], '\0');
}

TEST(SendBlock, LongTextIsCutAtACharacterBoundaryAndStaysTerminated) {
    std::string hangul;
    while (hangul.size() < 600) hangul += "가";
    auto block = lobby::MakeSendBlock("xy" + hangul);  // even start: byte 511 is a lead byte
    std::string text(block.data());
    EXPECT_EQ(text.size(), 510u);
    EXPECT_EQ(block[511], '\0');
    EXPECT_EQ(text.substr(2, 2), "가");
}

TEST(Framing, HeaderUpToTheFirstCaretIsDropped) {
    EXPECT_EQ(lobby::StripHeader("hdr^INIT_TREE"), "INIT_TREE");
    EXPECT_EQ(lobby::StripHeader("hdr^ROOT^a^b"), "ROOT^a^b");
    EXPECT_EQ(lobby::StripHeader("^"), "");
}

TEST(Framing, WithoutCaretTheLastCharacterIsDropped) {
    EXPECT_EQ(lobby::StripHeader("INIT_TREE"), "INIT_TRE");
    EXPECT_EQ(lobby::StripHeader("x"), "");
}

TEST(Framing, OnePaddedBlockIsOneMessage) {
    std::string block = "h^INFO^hi" + std::string(503, '\0');
    EXPECT_EQ(lobby::SplitReceived(block), (std::vector<std::string>{"INFO^hi"}));
}

TEST(Framing, SeveralMessagesInOneReceiveAreAllHandledInOrder) {
    std::string first = "h^ROOT^a" + std::string(504, '\0');
    std::string data = first + "h^[b] hi\0h^INIT_TREE"s;
    EXPECT_EQ(lobby::SplitReceived(data), (std::vector<std::string>{"ROOT^a", "[b] hi", "INIT_TREE"}));
}

TEST(Framing, FullBufferWithoutNulIsHandledWithinItsSize) {
    std::string data = "h^" + std::string(lobby::kReceiveBufferSize - 2, 'z');
    auto messages = lobby::SplitReceived(data);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].size(), lobby::kReceiveBufferSize - 2);
}

TEST(Outgoing, MessagesHaveTheirExactForms) {
    EXPECT_EQ(lobby::outgoing::Login("kim"), "ID^kim");
    EXPECT_EQ(lobby::outgoing::NewRoom("방제", 4, 2, "Game"), "NEW^방제^4^2^Game^");
    EXPECT_EQ(lobby::outgoing::Join(12), "JOIN^12");
    EXPECT_EQ(lobby::outgoing::Memo("lee", "hi"), "FIND_USER^lee^hi");
}

TEST(Outgoing, MemoTextLimitLeavesTheWholeLineInOneBlock) {
    std::size_t room = lobby::outgoing::MaxMemoTextBytes("lee");
    EXPECT_EQ(lobby::outgoing::Memo("lee", std::string(room, 'm')).size(), lobby::kMaxMessageBytes);
    EXPECT_EQ(lobby::outgoing::MaxMemoTextBytes(std::string(600, 'x')), 0u);
}

} // namespace
