#include "gatelog/strip_blanks.h"

#include <algorithm>

namespace gatelog {

std::size_t StripBlanks(std::string& text) {
    std::erase(text, ' ');
    return text.size();
}

} // namespace gatelog
