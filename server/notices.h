// The server's own texts, shown by the clients as "INFO^" message boxes.
#pragma once

namespace lobby_server::notice {

inline constexpr const char* kServerFull = "현재 사용자가 너무 많습니다. 잠시후 다시 이용해 주십시요";
inline constexpr const char* kTooLong = "메시지가 너무 길어서 처리하지 않았습니다";
inline constexpr const char* kFlood = "메시지를 너무 빨리 보내서 연결을 끊습니다";
inline constexpr const char* kMalformed = "형식이 잘못된 메시지라 처리하지 않았습니다";
inline constexpr const char* kUnknown = "알 수 없는 메시지라 처리하지 않았습니다";
inline constexpr const char* kLogInFirst = "먼저 아이디로 접속해 주십시요";
inline constexpr const char* kAlreadyLoggedIn = "이미 접속해 있습니다";
inline constexpr const char* kBadUserId = "아이디는 영문 2~14자, 한글 1~7자이며 '^'와 제어문자를 쓸 수 없습니다";
inline constexpr const char* kChatNotYours = "채팅은 자신의 아이디로만 보낼 수 있습니다";
inline constexpr const char* kAlreadyInRoom = "이미 방에 들어가 있습니다";
inline constexpr const char* kBadRoom = "방 제목, 인원(2~12명)이나 게임이 올바르지 않아 방을 만들지 않았습니다";
inline constexpr const char* kNoFreeRoom = "방이 모두 차서 새 방을 만들 수 없습니다";
inline constexpr const char* kNoSuchRoom = "그 방은 없어졌습니다";
inline constexpr const char* kRoomFull = "방의 인원이 다 찼습니다";
inline constexpr const char* kRoomPlaying = "이미 게임중인 방입니다";
inline constexpr const char* kOnlyHostStarts = "방장만 게임을 시작할 수 있습니다";
inline constexpr const char* kNotHere = "님은 지금 접속해 있지 않습니다";

} // namespace lobby_server::notice
