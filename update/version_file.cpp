#include "update/version_file.h"

#include "common/config_file.h"
#include "common/cp949.h"

#include <algorithm>

namespace update {

std::string VersionLine(std::string_view content) {
    auto lines = config::SplitLinePieces(content);
    return lines.empty() ? std::string() : lines.front();
}

std::string OfferText(std::string_view content) {
    auto lines = config::SplitLinePieces(content);
    auto tag = std::find(lines.begin(), lines.end(), kContentTag);
    if (tag == lines.end()) return {};
    std::string text;
    for (auto line = tag + 1; line != lines.end(); ++line) {
        if (line != tag + 1) text += '\n';
        text += *line;
        if (text.size() > kMaxOfferText) break;
    }
    return std::string(cp949::CutToBytes(text, kMaxOfferText));
}

} // namespace update
