#include "tools/uidriver/protocol.h"

#include <windows.h>

#include <cstdio>

namespace uidriver {
namespace {

// Reads one word starting at pos: up to the next blank outside double quotes.
// quoted tells whether the word began with a quote (then it is never an option).
bool ReadWord(std::string_view line, std::size_t& pos, std::string& word, bool& quoted) {
    word.clear();
    quoted = line[pos] == '"';
    bool inQuotes = false;
    while (pos < line.size()) {
        char c = line[pos++];
        if (c == '"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (!inQuotes && (c == ' ' || c == '\t')) break;
        if (inQuotes && c == '\\' && pos < line.size()) {
            char escaped = line[pos++];
            c = escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        }
        word += c;
    }
    return !inQuotes;
}

bool IsOptionName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name) {
        if (c < 'a' || c > 'z') return false;
    }
    return true;
}

} // namespace

std::optional<Command> ParseCommand(std::string_view line) {
    Command command;
    std::size_t pos = 0;
    std::string word;
    bool quoted = false;
    while (pos < line.size()) {
        if (line[pos] == ' ' || line[pos] == '\t' || line[pos] == '\r') {
            ++pos;
            continue;
        }
        if (!ReadWord(line, pos, word, quoted)) return std::nullopt;
        std::size_t equals = word.find('=');
        if (command.name.empty() && !quoted) {
            command.name = word;
        } else if (!quoted && equals != std::string::npos && IsOptionName(std::string_view(word).substr(0, equals))) {
            command.options[word.substr(0, equals)] = word.substr(equals + 1);
        } else {
            command.words.push_back(word);
        }
    }
    return command;
}

std::wstring FromUtf8(std::string_view text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length);
    return out;
}

std::string ToUtf8(std::wstring_view text) {
    if (text.empty()) return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        int digit = c >= '0' && c <= '9' ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                  : 99;
        if (digit >= base) return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string JsonText(std::wstring_view utf16) { return JsonString(ToUtf8(utf16)); }

std::string JsonBool(bool value) { return value ? "true" : "false"; }

std::string JsonArray(const std::vector<std::string>& values) {
    std::string out = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) out += ',';
        out += values[i];
    }
    return out + "]";
}

JsonObject& JsonObject::Add(std::string_view key, const std::string& json) {
    if (text_.size() > 1) text_ += ',';
    text_ += JsonString(key);
    text_ += ':';
    text_ += json;
    return *this;
}

JsonObject& JsonObject::Add(std::string_view key, std::int64_t number) {
    return Add(key, std::to_string(number));
}

} // namespace uidriver
