#include "update/update_signature.h"

#include <algorithm>

namespace update {
namespace {

constexpr std::string_view kPemBegin = "-----BEGIN PUBLIC KEY-----";
constexpr std::string_view kPemEnd = "-----END PUBLIC KEY-----";

// SubjectPublicKeyInfo of an uncompressed P-256 point, up to the point's X:
// SEQUENCE { SEQUENCE { id-ecPublicKey, prime256v1 }, BIT STRING { 04 ... } }.
constexpr std::array<std::uint8_t, 27> kP256KeyInfoPrefix = {
    0x30, 0x59, 0x30, 0x13, 0x06, 0x07, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x02, 0x01, 0x06,
    0x08, 0x2a, 0x86, 0x48, 0xce, 0x3d, 0x03, 0x01, 0x07, 0x03, 0x42, 0x00, 0x04};
constexpr std::size_t kP256KeyInfoSize = kP256KeyInfoPrefix.size() + 2 * kP256FieldSize;

constexpr std::uint8_t kDerSequence = 0x30;
constexpr std::uint8_t kDerInteger = 0x02;

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
    std::string bytes;
    unsigned bits = 0;
    int count = 0;
    std::size_t padding = 0;
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        int value = Base64Value(c);
        if (value < 0 || padding > 0) return std::nullopt;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    if (padding > 2) return std::nullopt;
    return bytes;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One DER INTEGER of at most kP256FieldSize significant bytes, right-aligned
// into out; advances at. Its one leading zero byte (a sign guard) is dropped.
bool ReadInteger(std::span<const std::uint8_t> der, std::size_t& at, std::span<std::uint8_t> out) {
    if (at + 2 > der.size() || der[at] != kDerInteger) return false;
    std::size_t length = der[at + 1];
    at += 2;
    if (length == 0 || length > kP256FieldSize + 1 || at + length > der.size()) return false;
    auto value = der.subspan(at, length);
    at += length;
    if (value.size() == kP256FieldSize + 1) {
        if (value[0] != 0) return false;
        value = value.subspan(1);
    }
    std::copy(value.begin(), value.end(), out.end() - static_cast<std::ptrdiff_t>(value.size()));
    return true;
}

} // namespace

std::optional<P256PublicKey> ParsePublicKeyPem(std::string_view pem) {
    auto begin = pem.find(kPemBegin);
    auto end = pem.find(kPemEnd);
    if (begin == std::string_view::npos || end == std::string_view::npos || end < begin) return std::nullopt;
    begin += kPemBegin.size();
    auto der = DecodeBase64(pem.substr(begin, end - begin));
    if (!der || der->size() != kP256KeyInfoSize) return std::nullopt;
    auto bytes = reinterpret_cast<const std::uint8_t*>(der->data());
    if (!std::equal(kP256KeyInfoPrefix.begin(), kP256KeyInfoPrefix.end(), bytes)) return std::nullopt;
    P256PublicKey key;
    std::copy(bytes + kP256KeyInfoPrefix.size(), bytes + kP256KeyInfoSize, key.begin());
    return key;
}

std::optional<P256Signature> ParseDerSignature(std::span<const std::uint8_t> der) {
    // Two short INTEGERs: the sequence's length always fits in one byte.
    if (der.size() < 2 || der[0] != kDerSequence || der[1] != der.size() - 2) return std::nullopt;
    P256Signature signature{};
    std::size_t at = 2;
    auto halves = std::span<std::uint8_t>(signature);
    if (!ReadInteger(der, at, halves.first(kP256FieldSize)) || !ReadInteger(der, at, halves.last(kP256FieldSize)) ||
        at != der.size()) {
        return std::nullopt;
    }
    return signature;
}

std::optional<Manifest> ParseManifest(std::string_view text) {
    Manifest manifest;
    while (!text.empty()) {
        auto lineEnd = text.find('\n');
        auto line = text.substr(0, lineEnd);
        text = lineEnd == std::string_view::npos ? std::string_view{} : text.substr(lineEnd + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        constexpr std::size_t kHexDigits = 2 * kSha256Size;
        // One blank between digest and name, which is never empty.
        if (line.size() < kHexDigits + 2 || line[kHexDigits] != ' ' || line[kHexDigits + 1] == ' ') {
            return std::nullopt;
        }
        Sha256Digest digest;
        for (std::size_t i = 0; i < kSha256Size; ++i) {
            int high = HexValue(line[2 * i]);
            int low = HexValue(line[2 * i + 1]);
            if (high < 0 || low < 0) return std::nullopt;
            digest[i] = static_cast<std::uint8_t>(high << 4 | low);
        }
        if (!manifest.emplace(std::string(line.substr(kHexDigits + 1)), digest).second) return std::nullopt;
    }
    return manifest;
}

} // namespace update
