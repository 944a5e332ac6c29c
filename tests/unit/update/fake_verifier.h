// A stand-in for the platform's hashing and signature check: a "digest" is the
// data's first bytes, and a signature is good when its r half repeats the
// digest's and its s half the key's first bytes.
#pragma once

#include "update/signature_verifier.h"

#include <algorithm>
#include <string_view>

namespace update {

// A real P-256 key, made with "openssl ec -pubout".
inline constexpr std::string_view kTestKeyPem =
    "-----BEGIN PUBLIC KEY-----\n"
    "MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAE5dL8azZ6kwMyps6MIYZIllI7JYFl\n"
    "BUdIE60f8LFUHVVaDcwMgCrruNs8evqI5OYEAdNwvJavelTrizLKe88qLA==\n"
    "-----END PUBLIC KEY-----\n";

class FakeVerifier : public SignatureVerifier {
public:
    std::optional<Sha256Digest> Sha256(std::span<const std::uint8_t> data) override {
        Sha256Digest digest{};
        std::copy_n(data.begin(), std::min(data.size(), digest.size()), digest.begin());
        digest[kSha256Size - 1] = static_cast<std::uint8_t>(data.size());
        return digest;
    }

    bool Verify(const P256PublicKey& key, const Sha256Digest& digest, const P256Signature& signature) override {
        return std::equal(digest.begin(), digest.end(), signature.begin()) &&
               std::equal(key.begin(), key.begin() + kP256FieldSize, signature.begin() + kP256FieldSize);
    }

    // The DER signature that Verify accepts for text under key.
    std::string Sign(const P256PublicKey& key, std::string_view text) {
        auto digest = *Sha256({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
        std::string der = {0x30, 2 * (2 + static_cast<char>(kP256FieldSize)) + 2, 0x02, 0x21, 0x00};
        der.append(digest.begin(), digest.end());
        der += {0x02, 0x21, 0x00};
        der.append(key.begin(), key.begin() + kP256FieldSize);
        return der;
    }

    // The manifest line of content under name.
    std::string Line(std::string_view name, std::string_view content) {
        auto digest = *Sha256({reinterpret_cast<const std::uint8_t*>(content.data()), content.size()});
        std::string line;
        for (auto byte : digest) line += "0123456789abcdef"[byte >> 4], line += "0123456789abcdef"[byte & 15];
        return line + " " + std::string(name) + "\r\n";
    }
};

} // namespace update
