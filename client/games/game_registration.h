// The other-games registration form (dialog 141) and the registered-game
// launch, apart from their windows: the form's checks in their order, saving
// it into "config/game.ini", splitting the file-open dialog's choice and the
// command that starts a registered game.
#pragma once

#include "client/games/game_records.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace lobby {

inline constexpr const char* kNameTooLongText = "게임이름의 길이가 범위를 벗어났습니다";
inline constexpr const char* kPathTooLongText = "실행파일경로의 길이가 범위를 벗어났습니다";
inline constexpr const char* kExeTooLongText = "실행파일이름의 길이가 범위를 벗어났습니다";
inline constexpr const char* kGameFileNotCreated = "화일생성 실패";
inline constexpr const char* kDuplicateGameName =
    "입력하는 게임명이 이미 존재합니다.\r\n다시입력하여 주십시오.";
inline constexpr const char* kAddGameFailed = "입력오류입니다.\r\n다시입력하여 주십시오.";
inline constexpr const char* kModifyGameFailed =
    "수정작업에 실패하였읍니다.\r\n다시 수정 하여 주십시오.";
inline constexpr const char* kSelectGameFirst = "게임을 선택하여 주십시오.";
inline constexpr const char* kGameMissing = "게임이 없습니다.\n확인해보시고 다시 등록해주십시요";

enum class GameFormMode { kAdd = 1, kModify = 2 };
enum class GameField { kName, kDirectory, kExecutable };
enum class GameFormCheck { kAccepted, kNameHasCaret, kNameTooLong, kPathTooLong, kExeTooLong };

// The length check that runs on every change of one field.
GameFormCheck CheckFieldLength(GameField field, std::string_view text);
// The checks of "확인" before the file is touched, in their order.
GameFormCheck CheckGameForm(const GameRecord& form);
// The refusal text of a failed check ("" for kAccepted).
const char* GameFormCheckText(GameFormCheck check);

enum class GameSaveResult { kSaved, kFileNotCreated, kDuplicateName, kAddFailed, kModifyFailed };

// Saves a checked form: in add mode a new record unless the name exists, in
// modify mode over the record named previousName.
GameSaveResult SaveGameForm(const std::filesystem::path& gameIni, GameFormMode mode, std::string_view previousName,
                            const GameRecord& form);
// The refusal text of a failed save ("" for kSaved).
const char* GameSaveResultText(GameSaveResult result);

struct ChosenExecutable {
    std::string directory;
    std::string executable;
};
// Splits the file-open dialog's full path at the backslash before the chosen
// file name: "C:\Games\x.exe" gives "C:\Games" and "x.exe", a drive root
// "C:". A path that does not end in the name goes whole into the directory.
ChosenExecutable SplitChosenExecutable(std::string_view fullPath, std::string_view fileName);

// The command that starts a registered game: directory, "\", executable.
std::string RegisteredGameCommand(const GameRecord& record);

} // namespace lobby
