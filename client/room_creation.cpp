#include "client/room_creation.h"

#include "common/cp949.h"

#include <algorithm>

namespace lobby {

GameChoices BuildGameChoices(const std::vector<std::string>& applications,
                             const std::vector<std::string>& registeredGames) {
    GameChoices choices;
    choices.offeredApplications = std::min(applications.size(), kMaxOfferedApplications);
    choices.entries.push_back(kStarCraftChoice);
    choices.entries.insert(choices.entries.end(), applications.begin(),
                           applications.begin() + static_cast<std::ptrdiff_t>(choices.offeredApplications));
    choices.entries.insert(choices.entries.end(), registeredGames.begin(), registeredGames.end());
    return choices;
}

GameKindChoice GameKindForIndex(int index, std::size_t offeredApplications) {
    if (index <= 0) return {kStarCraft, -1};
    if (static_cast<std::size_t>(index) <= offeredApplications) return {kDirectPlayGame, index - 1};
    return {kRegisteredGame, -1};
}

RoomCheck CheckRoom(std::string_view title, std::string_view gameName, unsigned members) {
    if (gameName.empty()) return RoomCheck::NoGame;
    if (title.size() < kRoomTitleMinBytes) return RoomCheck::TitleTooShort;
    if (cp949::HasCaret(title)) return RoomCheck::TitleHasCaret;
    if (members < kMinMembers || members > kMaxMembers) return RoomCheck::MembersOutOfRange;
    return RoomCheck::Accepted;
}

} // namespace lobby
