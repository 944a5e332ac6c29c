#include "client/games/game_registration.h"

#include "common/cp949.h"

namespace lobby {

GameFormCheck CheckFieldLength(GameField field, std::string_view text) {
    switch (field) {
    case GameField::kName:
        return text.size() > kGameNameMaxBytes ? GameFormCheck::kNameTooLong : GameFormCheck::kAccepted;
    case GameField::kDirectory:
        return text.size() > kGamePathMaxBytes ? GameFormCheck::kPathTooLong : GameFormCheck::kAccepted;
    case GameField::kExecutable:
        return text.size() > kGameExeMaxBytes ? GameFormCheck::kExeTooLong : GameFormCheck::kAccepted;
    }
    return GameFormCheck::kAccepted;
}

GameFormCheck CheckGameForm(const GameRecord& form) {
    if (cp949::HasCaret(form.name)) return GameFormCheck::kNameHasCaret;
    for (auto check : {CheckFieldLength(GameField::kName, form.name),
                       CheckFieldLength(GameField::kDirectory, form.directory),
                       CheckFieldLength(GameField::kExecutable, form.executable)}) {
        if (check != GameFormCheck::kAccepted) return check;
    }
    return GameFormCheck::kAccepted;
}

const char* GameFormCheckText(GameFormCheck check) {
    switch (check) {
    case GameFormCheck::kAccepted: return "";
    case GameFormCheck::kNameHasCaret: return cp949::kCaretRefusal;
    case GameFormCheck::kNameTooLong: return kNameTooLongText;
    case GameFormCheck::kPathTooLong: return kPathTooLongText;
    case GameFormCheck::kExeTooLong: return kExeTooLongText;
    }
    return "";
}

GameSaveResult SaveGameForm(const std::filesystem::path& gameIni, GameFormMode mode, std::string_view previousName,
                            const GameRecord& form) {
    if (!OpenOrCreateGameFile(gameIni)) return GameSaveResult::kFileNotCreated;
    if (mode == GameFormMode::kModify) {
        return ModifyGameRecord(gameIni, previousName, form) ? GameSaveResult::kSaved : GameSaveResult::kModifyFailed;
    }
    if (GameRecordExists(gameIni, form.name)) return GameSaveResult::kDuplicateName;
    return AddGameRecord(gameIni, form) ? GameSaveResult::kSaved : GameSaveResult::kAddFailed;
}

const char* GameSaveResultText(GameSaveResult result) {
    switch (result) {
    case GameSaveResult::kSaved: return "";
    case GameSaveResult::kFileNotCreated: return kGameFileNotCreated;
    case GameSaveResult::kDuplicateName: return kDuplicateGameName;
    case GameSaveResult::kAddFailed: return kAddGameFailed;
    case GameSaveResult::kModifyFailed: return kModifyGameFailed;
    }
    return "";
}

ChosenExecutable SplitChosenExecutable(std::string_view fullPath, std::string_view fileName) {
    // The name is the path's last component; an earlier folder may carry the
    // same text. (No CP949 trail byte equals a backslash.)
    std::size_t separator = fullPath.rfind('\\');
    if (separator == std::string_view::npos || fileName.empty() || fullPath.substr(separator + 1) != fileName) {
        return {std::string(fullPath), std::string(fileName)};
    }
    return {std::string(fullPath.substr(0, separator)), std::string(fileName)};
}

std::string RegisteredGameCommand(const GameRecord& record) { return record.directory + "\\" + record.executable; }

} // namespace lobby
