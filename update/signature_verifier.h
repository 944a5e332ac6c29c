// Hashing and signature checks, as the updater's core needs them. The shell
// implements them with what Windows has (CNG); the unit tests use a fake.
#pragma once

#include "update/update_signature.h"

#include <optional>
#include <span>

namespace update {

class SignatureVerifier {
public:
    virtual ~SignatureVerifier() = default;
    // nullopt when the platform cannot hash.
    virtual std::optional<Sha256Digest> Sha256(std::span<const std::uint8_t> data) = 0;
    // True only for a valid ECDSA P-256 signature of digest by key.
    virtual bool Verify(const P256PublicKey& key, const Sha256Digest& digest, const P256Signature& signature) = 0;
};

} // namespace update
