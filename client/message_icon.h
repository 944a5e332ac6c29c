// The icon of a message box the lobby or the room window shows.
#pragma once

namespace lobby {

enum class MessageIcon { kNone, kStop, kExclamation, kQuestion };

} // namespace lobby
