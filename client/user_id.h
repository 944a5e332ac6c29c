// The lobby ID the user enters before logging in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lobby {

// 14 CP949 bytes: 14 Latin letters or 7 Hangul syllables; at least 2 bytes.
inline constexpr std::size_t kUserIdMaxBytes = 14;
inline constexpr std::size_t kUserIdMinBytes = 2;

inline constexpr const char* kUserIdTooShort = "아이디는 반드시 2자(한글로 1자)이상 입력해야 합니다";

enum class UserIdCheck { Accepted, TooShort, HasCaret };

UserIdCheck CheckUserId(std::string_view id);

// "[" + ID + "]", the prefix of every chat line the user sends.
std::string ChatPrefix(std::string_view userId);

} // namespace lobby
