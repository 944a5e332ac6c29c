// The driver's line protocol: one command per line, words separated by
// blanks, double quotes group text (with \" \\ \n \t escapes inside), a word
// name=value whose name is not quoted is an option (name="a b" works too). Replies are "ok" followed by a JSON
// value, or "err" followed by a reason. Text travels as UTF-8.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uidriver {

struct Command {
    std::string name;
    std::vector<std::string> words;
    std::map<std::string, std::string> options;
};

// Nothing when a quote is left open.
std::optional<Command> ParseCommand(std::string_view line);

std::wstring FromUtf8(std::string_view text);
std::string ToUtf8(std::wstring_view text);

// Decimal or 0x-hexadecimal; nothing for anything else.
std::optional<std::int64_t> ParseInteger(std::string_view text);

// JSON building blocks; each returns the value's JSON text.
std::string JsonString(std::string_view utf8);
std::string JsonText(std::wstring_view utf16);
std::string JsonBool(bool value);
std::string JsonArray(const std::vector<std::string>& values);

class JsonObject {
public:
    JsonObject& Add(std::string_view key, const std::string& json);
    JsonObject& Add(std::string_view key, std::int64_t number);
    std::string Str() const { return text_ + "}"; }

private:
    std::string text_ = "{";
};

} // namespace uidriver
