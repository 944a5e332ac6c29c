#include "update/hand_off.h"

#include <array>
#include <fstream>
#include <string>

namespace update {

bool WriteEndTransfer(const std::filesystem::path& file, std::string_view word) {
    if (word.size() > kMaxHandOffWord) return false;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(word.data(), static_cast<std::streamsize>(word.size()));
    out.close();
    return !out.fail();
}

bool TakeRestartGrant(const std::filesystem::path& file) {
    std::fstream flag(file, std::ios::in | std::ios::out | std::ios::binary);
    if (!flag) return false;

    std::array<char, kMaxHandOffWord> bytes{};
    flag.read(bytes.data(), bytes.size());
    std::string_view line(bytes.data(), static_cast<std::size_t>(flag.gcount()));
    // A C string of the first line: it ends at the line feed or the first zero byte.
    line = line.substr(0, line.find('\0'));
    if (std::size_t end = line.find('\n'); end != std::string_view::npos) line = line.substr(0, end);
    // A grant written as a text line on Windows ends in CR LF.
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line != kRestartGranted) return false;

    flag.clear();
    flag.seekp(0);
    const std::array<char, kHandOffFlagSize> zeros{};
    flag.write(zeros.data(), zeros.size());
    return true;
}

} // namespace update
