#include "update/win32/cng_verifier.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstring>
#include <vector>

namespace update_win32 {
namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

// A CNG object, given back to Windows when it goes.
template <typename Handle, auto Release>
class CngObject {
public:
    CngObject() = default;
    ~CngObject() {
        if (handle_) Release(handle_);
    }
    CngObject(const CngObject&) = delete;
    CngObject& operator=(const CngObject&) = delete;
    Handle* Receive() { return &handle_; }
    Handle get() const { return handle_; }

private:
    Handle handle_ = nullptr;
};

using Algorithm = CngObject<BCRYPT_ALG_HANDLE, [](BCRYPT_ALG_HANDLE h) { BCryptCloseAlgorithmProvider(h, 0); }>;
using Hash = CngObject<BCRYPT_HASH_HANDLE, [](BCRYPT_HASH_HANDLE h) { BCryptDestroyHash(h); }>;
using Key = CngObject<BCRYPT_KEY_HANDLE, [](BCRYPT_KEY_HANDLE h) { BCryptDestroyKey(h); }>;

} // namespace

std::optional<update::Sha256Digest> CngVerifier::Sha256(std::span<const std::uint8_t> data) {
    // Create, hash, finish rather than BCryptHash, which Windows 7 lacks.
    Algorithm algorithm;
    Hash hash;
    update::Sha256Digest digest;
    if (!Succeeded(BCryptOpenAlgorithmProvider(algorithm.Receive(), BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ||
        !Succeeded(BCryptCreateHash(algorithm.get(), hash.Receive(), nullptr, 0, nullptr, 0, 0)) ||
        !Succeeded(BCryptHashData(hash.get(), const_cast<PUCHAR>(data.data()), static_cast<ULONG>(data.size()), 0)) ||
        !Succeeded(BCryptFinishHash(hash.get(), digest.data(), static_cast<ULONG>(digest.size()), 0))) {
        return std::nullopt;
    }
    return digest;
}

bool CngVerifier::Verify(const update::P256PublicKey& key, const update::Sha256Digest& digest,
                         const update::P256Signature& signature) {
    BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, static_cast<ULONG>(update::kP256FieldSize)};
    std::vector<UCHAR> blob(sizeof header + key.size());
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, key.data(), key.size());
    Algorithm algorithm;
    Key imported;
    auto hashed = digest;
    auto rs = signature;
    return Succeeded(BCryptOpenAlgorithmProvider(algorithm.Receive(), BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)) &&
           Succeeded(BCryptImportKeyPair(algorithm.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, imported.Receive(),
                                         blob.data(), static_cast<ULONG>(blob.size()), 0)) &&
           Succeeded(BCryptVerifySignature(imported.get(), nullptr, hashed.data(), static_cast<ULONG>(hashed.size()),
                                           rs.data(), static_cast<ULONG>(rs.size()), 0));
}

} // namespace update_win32
