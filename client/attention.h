// Calling a player back to the lobby: which events flash the taskbar button
// and play a sound while the lobby is behind another window, and the user's
// wish for quiet in config/client.ini ("[FLASH] YES|NO", "[SOUND] YES|NO").
#pragma once

#include <filesystem>
#include <string_view>

namespace lobby {

inline constexpr std::string_view kAttentionSettingsFile = "config/client.ini";
inline constexpr std::string_view kMessageSoundFile = "media/message.wav";
inline constexpr std::string_view kGameSoundFile = "media/game.wav";

enum class AttentionEvent {
    kMemoReceived,
    kRoomChat,
    kNewMember,  // an ID joined the user's room
    kMadeHost,
    kGameStart,  // the host's start reached this guest
    kLobbyChat,  // too busy in a full lobby to call anyone back
};

enum class Sound { kNone, kMessage, kGame };

struct AttentionSettings {
    bool flash = true;
    bool sound = true;
};

// Both on when the file is missing; a line with another word than YES or NO
// leaves its setting on.
AttentionSettings ReadAttentionSettings(const std::filesystem::path& clientIni);

struct Cue {
    bool flash = false;
    Sound sound = Sound::kNone;

    bool operator==(const Cue&) const = default;
};

// Nothing while the lobby or its room window is in front.
Cue CueFor(AttentionEvent event, bool lobbyInForeground, const AttentionSettings& settings);

// Where cues go: the shell flashes the lobby's taskbar button and plays.
class AttentionOutput {
public:
    virtual ~AttentionOutput() = default;
    virtual bool LobbyInForeground() const = 0;
    virtual void Flash() = 0;
    // Never kNone.
    virtual void Play(Sound sound) = 0;
};

class Attention {
public:
    Attention(AttentionSettings settings, AttentionOutput& output) : settings_(settings), output_(output) {}

    void Notice(AttentionEvent event);

private:
    AttentionSettings settings_;
    AttentionOutput& output_;
};

} // namespace lobby
