#include "client/attention.h"

#include "tests/unit/support/scratch_directory.h"

#include <gtest/gtest.h>

namespace lobby {
namespace {

using test_support::ScratchDirectory;
using test_support::WriteBytes;

constexpr AttentionEvent kCallingEvents[] = {AttentionEvent::kMemoReceived, AttentionEvent::kRoomChat,
                                             AttentionEvent::kNewMember, AttentionEvent::kMadeHost,
                                             AttentionEvent::kGameStart};

TEST(CueFor, OnlyABackgroundLobbyIsCalledAndOnlyAsTheUserAllows) {
    for (AttentionEvent event : kCallingEvents) {
        Sound sound = event == AttentionEvent::kMadeHost || event == AttentionEvent::kGameStart ? Sound::kGame
                                                                                                : Sound::kMessage;
        EXPECT_EQ(CueFor(event, false, {true, true}), (Cue{true, sound}));
        EXPECT_EQ(CueFor(event, false, {true, false}), (Cue{true, Sound::kNone}));
        EXPECT_EQ(CueFor(event, false, {false, true}), (Cue{false, sound}));
        EXPECT_EQ(CueFor(event, false, {false, false}), Cue{});
        EXPECT_EQ(CueFor(event, true, {true, true}), Cue{});
    }
    EXPECT_EQ(CueFor(AttentionEvent::kLobbyChat, false, {true, true}), Cue{});
}

TEST(ReadAttentionSettings, NoTurnsACueOffAndAMissingFileLeavesBothOn) {
    ScratchDirectory dir;
    auto file = dir.Path() / "client.ini";
    AttentionSettings missing = ReadAttentionSettings(file);
    EXPECT_TRUE(missing.flash && missing.sound);

    WriteBytes(file, "[FLASH] NO\r\n[SOUND] YES\r\n");
    AttentionSettings quietFlash = ReadAttentionSettings(file);
    EXPECT_FALSE(quietFlash.flash);
    EXPECT_TRUE(quietFlash.sound);

    WriteBytes(file, "[SOUND] NO\n[FLASH] maybe\n");
    AttentionSettings quietSound = ReadAttentionSettings(file);
    EXPECT_TRUE(quietSound.flash);
    EXPECT_FALSE(quietSound.sound);
}

} // namespace
} // namespace lobby
