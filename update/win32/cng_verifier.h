// Hashing and ECDSA checks with the cryptography that Windows itself has (CNG).
#pragma once

#include "update/signature_verifier.h"

namespace update_win32 {

class CngVerifier : public update::SignatureVerifier {
public:
    std::optional<update::Sha256Digest> Sha256(std::span<const std::uint8_t> data) override;
    bool Verify(const update::P256PublicKey& key, const update::Sha256Digest& digest,
                const update::P256Signature& signature) override;
};

} // namespace update_win32
