#include "update/refused_update.h"

#include "common/config_file.h"
#include "common/replace_file.h"

#include <cstdint>

namespace update {
namespace {

constexpr std::string_view kNoChangeList = "-";
constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;
constexpr int kFingerprintDigits = 16;

} // namespace

std::string ChangeListFingerprint(const std::optional<std::string>& content) {
    if (!content) return std::string(kNoChangeList);
    std::uint64_t hash = kFnvOffset;
    for (unsigned char c : *content) hash = (hash ^ c) * kFnvPrime;
    std::string hex(kFingerprintDigits, '0');
    for (int digit = kFingerprintDigits - 1; digit >= 0; --digit, hash >>= 4) {
        hex[static_cast<std::size_t>(digit)] = "0123456789abcdef"[hash & 0xF];
    }
    return hex;
}

std::optional<RefusedUpdate> ReadRefusedUpdate(const std::filesystem::path& file) {
    auto lines = config::ReadLinePieces(file);
    if (!lines || lines->size() != 2) return std::nullopt;
    return RefusedUpdate{(*lines)[0], (*lines)[1]};
}

bool WriteRefusedUpdate(const std::filesystem::path& file, const RefusedUpdate& refused) {
    return files::ReplaceWithBytes(file, refused.version + '\n' + refused.changeList + '\n');
}

} // namespace update
