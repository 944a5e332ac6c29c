#include "client/protocol/outgoing_messages.h"
#include "client/protocol/wire_format.h"

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

std::string Block(const std::string& framed) {
    std::string block = framed;
    block.resize(lobby::kSendBlockSize, '\0');
    return block;
}

TEST(Framing, OnePaddedBlockIsOneMessage) {
    lobby::ReceiveFramer framer;
    EXPECT_EQ(framer.Feed(Block("h^INFO^hi")), (std::vector<std::string>{"INFO^hi"}));
    EXPECT_FALSE(framer.QuietFlushMs());
}

TEST(Framing, SeveralMessagesInOneReceiveAreAllHandledInOrder) {
    lobby::ReceiveFramer framer;
    std::string data = Block("h^ROOT^a") + "h^[b] hi\0h^INIT_TREE\0"s;
    EXPECT_EQ(framer.Feed(data), (std::vector<std::string>{"ROOT^a", "[b] hi", "INIT_TREE"}));
}

TEST(Framing, BlockSplitBetweenReceivesIsJoined) {
    lobby::ReceiveFramer framer;
    std::string data = Block("h^first") + Block("h^second line");
    for (std::size_t cut : {1u, 520u, 515u, 700u, 1000u}) {
        EXPECT_EQ(framer.Feed(std::string_view(data).substr(0, cut)).size() + framer.Feed(data.substr(cut)).size(), 2u)
            << "cut at " << cut;
        EXPECT_FALSE(framer.QuietFlushMs());
    }
    framer.Feed(data.substr(0, 515));
    EXPECT_EQ(framer.Feed(data.substr(515)), (std::vector<std::string>{"second line"}));
}

TEST(Framing, TextWithoutNulWaitsUntilFlushed) {
    lobby::ReceiveFramer framer;
    EXPECT_TRUE(framer.Feed("h^INIT_TREE").empty());
    EXPECT_TRUE(framer.QuietFlushMs());
    EXPECT_EQ(framer.Flush(), (std::vector<std::string>{"INIT_TREE"}));
    EXPECT_FALSE(framer.QuietFlushMs());
    EXPECT_TRUE(framer.Flush().empty());
}

TEST(Framing, SenderWithoutNulsHasOneMessagePerReceive) {
    lobby::ReceiveFramer framer;
    EXPECT_TRUE(framer.Feed("h^INIT_TREE").empty());
    EXPECT_EQ(framer.EndOfReceive(), (std::vector<std::string>{"INIT_TREE"}));
    EXPECT_TRUE(framer.Feed("h^ROOT^a^b").empty());
    EXPECT_EQ(framer.EndOfReceive(), (std::vector<std::string>{"ROOT^a^b"}));
    EXPECT_FALSE(framer.QuietFlushMs());
}

TEST(Framing, SenderWithNulsKeepsSplitTextWaitingPastTheEndOfAReceive) {
    lobby::ReceiveFramer framer;
    EXPECT_EQ(framer.Feed(Block("h^first") + "h^sec"), (std::vector<std::string>{"first"}));
    EXPECT_TRUE(framer.EndOfReceive().empty());
    EXPECT_EQ(framer.Feed(Block("ond line")), (std::vector<std::string>{"second line"}));

    framer.Reset();  // a new connection may be another kind of sender
    framer.Feed("h^INIT_TREE");
    EXPECT_EQ(framer.EndOfReceive(), (std::vector<std::string>{"INIT_TREE"}));
}

TEST(Framing, BlockTrickledInSmallPiecesWaitsForItsNul) {
    lobby::ReceiveFramer framer;
    framer.Feed(Block("h^INIT_TREE"));  // this sender ends its messages
    std::string rooms = "ROOMTITLE^" + std::string(300, 'r') + "^[END]";
    std::string block = Block("h^" + rooms);
    std::vector<std::string> messages;
    for (std::size_t at = 0; at < block.size(); at += 64) {
        for (auto& message : framer.Feed(block.substr(at, 64))) messages.push_back(message);
        for (auto& message : framer.EndOfReceive()) messages.push_back(message);
        if (messages.empty()) {
            // A slow line's pieces come further apart than a moment.
            ASSERT_TRUE(framer.QuietFlushMs());
            EXPECT_GE(*framer.QuietFlushMs(), 1000u);
        }
    }
    EXPECT_EQ(messages, (std::vector<std::string>{rooms}));
    EXPECT_FALSE(framer.QuietFlushMs());
}

TEST(Framing, PaddingAfterANulIsNoMessage) {
    lobby::ReceiveFramer framer;
    EXPECT_EQ(framer.Feed("h^ROOT^a\0\r\n  "s), (std::vector<std::string>{"ROOT^a"}));
    EXPECT_FALSE(framer.QuietFlushMs());
    EXPECT_TRUE(framer.EndOfReceive().empty());
    EXPECT_TRUE(framer.Flush().empty());
    EXPECT_EQ(framer.Feed("h^[b] hi\0"s), (std::vector<std::string>{"[b] hi"}));
}

TEST(Framing, FullBufferWithoutNulIsHandledAtOnce) {
    lobby::ReceiveFramer framer;
    auto messages = framer.Feed("h^" + std::string(lobby::kReceiveBufferSize - 2, 'z'));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].size(), lobby::kReceiveBufferSize - 2);
    EXPECT_FALSE(framer.QuietFlushMs());
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
