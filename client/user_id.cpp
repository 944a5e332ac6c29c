#include "client/user_id.h"

#include "common/cp949.h"

namespace lobby {

UserIdCheck CheckUserId(std::string_view id) {
    if (id.size() < kUserIdMinBytes) return UserIdCheck::TooShort;
    if (cp949::HasCaret(id)) return UserIdCheck::HasCaret;
    return UserIdCheck::Accepted;
}

std::string ChatPrefix(std::string_view userId) {
    return "[" + std::string(cp949::CutToBytes(userId, kUserIdMaxBytes)) + "]";
}

} // namespace lobby
