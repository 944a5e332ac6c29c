#include "common/config_file.h"

#include <climits>
#include <fstream>
#include <iterator>

namespace config {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string WithoutLineEnd(std::string_view piece) {
    if (!piece.empty() && piece.back() == '\n') piece.remove_suffix(1);
    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    return std::string(piece);
}

} // namespace

std::vector<std::string> SplitLinePieces(std::string_view content) {
    // Text-mode reading turns CR LF into LF before the line buffer counts bytes.
    std::string text;
    text.reserve(content.size());
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') continue;
        text.push_back(content[i]);
    }

    std::vector<std::string> pieces;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t take = 0;
        while (take < kMaxLinePiece && pos + take < text.size()) {
            if (text[pos + take++] == '\n') break;
        }
        pieces.push_back(WithoutLineEnd(std::string_view(text).substr(pos, take)));
        pos += take;
    }
    return pieces;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
    // A folder of that name is no file (and reading one throws on some systems).
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<std::vector<std::string>> ReadLinePieces(const std::filesystem::path& file) {
    auto content = ReadWholeFile(file);
    if (!content) return std::nullopt;
    return SplitLinePieces(*content);
}

LineScanner::LineScanner(std::string_view line) : rest_(line.substr(0, line.find('\0'))) {}

void LineScanner::SkipBlanks() {
    while (!rest_.empty() && IsBlank(rest_.front())) rest_.remove_prefix(1);
}

bool LineScanner::Word(std::string& out) {
    if (failed_) return false;
    SkipBlanks();
    std::size_t len = 0;
    while (len < rest_.size() && !IsBlank(rest_[len])) ++len;
    if (len == 0) {
        failed_ = true;
        return false;
    }
    out.assign(rest_.substr(0, len));
    rest_.remove_prefix(len);
    return true;
}

bool LineScanner::Number(int& out) {
    if (failed_) return false;
    SkipBlanks();
    std::size_t pos = 0;
    bool negative = false;
    if (pos < rest_.size() && (rest_[pos] == '+' || rest_[pos] == '-')) negative = rest_[pos++] == '-';
    if (pos >= rest_.size() || !IsDigit(rest_[pos])) {
        failed_ = true;
        return false;
    }
    long long value = 0;
    while (pos < rest_.size() && IsDigit(rest_[pos])) {
        // Saturate instead of overflowing; a number this large is wrong anyway.
        if (value <= INT_MAX) value = value * 10 + (rest_[pos] - '0');
        ++pos;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    out = static_cast<int>(value);
    rest_.remove_prefix(pos);
    return true;
}

std::string FirstWord(std::string_view line) {
    std::string word;
    LineScanner(line).Word(word);
    return word;
}

std::vector<std::string> SplitFields(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t caret = line.find('^', start);
        fields.emplace_back(line.substr(start, caret == std::string_view::npos ? std::string_view::npos : caret - start));
        if (caret == std::string_view::npos) break;
        start = caret + 1;
    }
    return fields;
}

std::optional<std::string> DottedAddress(int a, int b, int c, int d) {
    std::string out;
    for (int part : {a, b, c, d}) {
        if (part < 0 || part > 255) return std::nullopt;
        if (!out.empty()) out += '.';
        out += std::to_string(part);
    }
    return out;
}

} // namespace config
