// What the add dialog does with the typed name and address on "확인".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "gatelog/server_list_file.h"

namespace gatelog {

inline constexpr std::string_view kNameMissing = "서버명을 입력하세요";
inline constexpr std::string_view kAddressMissing = "서버주소를 입력하세요";
inline constexpr std::string_view kAddressExists = "입력하신 서버는 이미 존재합니다.";
inline constexpr std::string_view kFileCreateFailed = "화일생성실패";
inline constexpr std::string_view kFileWriteFailed = "화일기록실패";

// Blanks removed, and each text cut to what its record field holds.
ServerEntry CleanNewServer(std::string name, std::string address);

// The refusal of the first check the entry fails (empty name, empty address,
// address already stored); nullopt when it may be stored. The dialog stays
// open after a refusal.
std::optional<std::string_view> RefuseNewServer(const ServerEntry& entry, const std::filesystem::path& file);

// The message for a store that failed; nullopt when it was stored.
std::optional<std::string_view> StoreFailureText(AppendResult result);

} // namespace gatelog
