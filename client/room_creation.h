// What the room-creation dialog accepts and how its game choice maps to a
// room's game kind.
#pragma once

#include "client/games/game_kind.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lobby {

inline constexpr std::size_t kRoomTitleMaxBytes = 30;
inline constexpr std::size_t kRoomTitleMinBytes = 3;
inline constexpr unsigned kMinMembers = 2;
inline constexpr unsigned kMaxMembers = 12;
inline constexpr unsigned kDefaultMembers = 2;
// The dialog offers at most this many DirectPlay applications.
inline constexpr std::size_t kMaxOfferedApplications = 15;

inline constexpr const char* kStarCraftChoice = "스타 크래프트";
inline constexpr const char* kNoGameChosen = "게임의 종류를 선택해주세요...";
inline constexpr const char* kRoomTitleTooShort = "방제목은 한글자 이상이여야 합니다...";

// The game list: StarCraft, then the offered applications (at most
// kMaxOfferedApplications of those handed in), then the registered games.
struct GameChoices {
    std::vector<std::string> entries;
    std::size_t offeredApplications = 0;
};
GameChoices BuildGameChoices(const std::vector<std::string>& applications,
                             const std::vector<std::string>& registeredGames);

struct GameKindChoice {
    GameKind kind = kStarCraft;
    int applicationIndex = -1;  // index into the application list for kind 2
};
// Index 0 is StarCraft, 1..offered the applications, beyond a registered game.
GameKindChoice GameKindForIndex(int index, std::size_t offeredApplications);

enum class RoomCheck { Accepted, NoGame, TitleTooShort, TitleHasCaret, MembersOutOfRange };

// The checks of "선택" after the field validation, in their order.
RoomCheck CheckRoom(std::string_view title, std::string_view gameName, unsigned members);

} // namespace lobby
