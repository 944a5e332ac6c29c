#include "client/attention.h"

#include "common/config_file.h"

#include <string>

namespace lobby {
namespace {

constexpr std::string_view kFlashTag = "[FLASH]";
constexpr std::string_view kSoundTag = "[SOUND]";

Sound SoundOf(AttentionEvent event) {
    switch (event) {
    case AttentionEvent::kMemoReceived:
    case AttentionEvent::kRoomChat:
    case AttentionEvent::kNewMember: return Sound::kMessage;
    case AttentionEvent::kMadeHost:
    case AttentionEvent::kGameStart: return Sound::kGame;
    case AttentionEvent::kLobbyChat: break;
    }
    return Sound::kNone;
}

} // namespace

AttentionSettings ReadAttentionSettings(const std::filesystem::path& clientIni) {
    AttentionSettings settings;
    auto lines = config::ReadLinePieces(clientIni);
    if (!lines) return settings;
    for (const auto& line : *lines) {
        config::LineScanner scan(line);
        std::string tag, value;
        if (!scan.Word(tag) || !scan.Word(value) || value != "NO") continue;
        if (tag == kFlashTag) settings.flash = false;
        if (tag == kSoundTag) settings.sound = false;
    }
    return settings;
}

Cue CueFor(AttentionEvent event, bool lobbyInForeground, const AttentionSettings& settings) {
    Sound sound = SoundOf(event);
    if (lobbyInForeground || sound == Sound::kNone) return {};
    return {settings.flash, settings.sound ? sound : Sound::kNone};
}

void Attention::Notice(AttentionEvent event) {
    Cue cue = CueFor(event, output_.LobbyInForeground(), settings_);
    if (cue.flash) output_.Flash();
    if (cue.sound != Sound::kNone) output_.Play(cue.sound);
}

} // namespace lobby
