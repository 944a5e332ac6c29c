#include "update/hand_off.h"

#include "common/replace_file.h"

#include <array>
#include <fstream>
#include <string>
#include <system_error>

namespace update {

bool WriteEndTransfer(const std::filesystem::path& file, std::string_view word) {
    if (word.size() > hand_off::kMaxWord) return false;
    std::error_code error;
    if (!std::filesystem::exists(file, error)) return files::ReplaceWithBytes(file, word);
    // Zeros after the word: whatever the file held before, a reader between
    // the write and the cut still finds exactly the word.
    std::string flag(word);
    flag.resize(hand_off::kFlagSize, '\0');
    // Opened for update, so nothing empties it first.
    std::ofstream out(file, std::ios::binary | std::ios::in);
    out.write(flag.data(), static_cast<std::streamsize>(flag.size()));
    out.close();
    if (out.fail()) return false;
    std::filesystem::resize_file(file, word.size(), error);
    return !error;
}

bool TakeRestartGrant(const std::filesystem::path& file) {
    std::fstream flag(file, std::ios::in | std::ios::out | std::ios::binary);
    if (!flag) return false;

    std::array<char, hand_off::kMaxWord> bytes{};
    flag.read(bytes.data(), bytes.size());
    std::string_view read(bytes.data(), static_cast<std::size_t>(flag.gcount()));
    if (hand_off::FlagWord(read) != hand_off::kRestartGranted) return false;

    flag.clear();
    flag.seekp(0);
    const std::array<char, hand_off::kFlagSize> zeros{};
    flag.write(zeros.data(), zeros.size());
    return true;
}

} // namespace update
