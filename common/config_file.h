// Reading the small text files under config/ the way every program of the
// suite reads them: fixed-size line pieces, a tag word, scanf-like values.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace config {

// The readers use a 512-byte line buffer, so one piece holds at most 511 bytes
// and a longer line is read as several pieces.
inline constexpr std::size_t kLineBufferSize = 512;
inline constexpr std::size_t kMaxLinePiece = kLineBufferSize - 1;

// Splits file content into the pieces a 512-byte line reader yields, with the
// line end (LF, CR LF or a lone trailing CR) removed from each piece.
std::vector<std::string> SplitLinePieces(std::string_view content);

// The whole file as bytes; nullopt when it cannot be opened.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

// SplitLinePieces of the file; nullopt when it cannot be opened.
std::optional<std::vector<std::string>> ReadLinePieces(const std::filesystem::path& file);

// Reads values off one line with the semantics of a scanf format made of
// "%s" and "%d" conversions: blanks are skipped before each value, a word ends
// at a blank, a number is an optional sign and decimal digits. Once one
// conversion fails, every later one fails too and leaves its target alone.
class LineScanner {
public:
    explicit LineScanner(std::string_view line);

    bool Word(std::string& out);
    bool Number(int& out);

private:
    void SkipBlanks();

    std::string_view rest_;
    bool failed_ = false;
};

// The first blank-separated word of a line ("" for a blank line).
std::string FirstWord(std::string_view line);

// Splits a field line on "^" from the left; a line without "^" is one field.
std::vector<std::string> SplitFields(std::string_view line);

// Joins four numbers into dotted form; nullopt when one lies outside 0..255.
std::optional<std::string> DottedAddress(int a, int b, int c, int d);

} // namespace config
