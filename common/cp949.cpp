#include "common/cp949.h"

namespace cp949 {

std::string_view CutToBytes(std::string_view text, std::size_t max) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t width = (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
        if (pos + width > max) break;
        pos += width;
    }
    return text.substr(0, pos);
}

} // namespace cp949
