#include "common/hand_off_contract.h"

namespace hand_off {

std::string_view FlagWord(std::string_view bytes) {
    std::string_view line = bytes.substr(0, kMaxWord);
    line = line.substr(0, line.find('\0'));
    line = line.substr(0, line.find('\n'));
    // A word written as a text line on Windows ends in CR LF.
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}

} // namespace hand_off
