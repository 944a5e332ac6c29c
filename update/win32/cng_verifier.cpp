#include "update/win32/cng_verifier.h"

#include <windows.h>
#include <bcrypt.h>

#include <cstring>
#include <vector>

namespace update_win32 {
namespace {

bool Succeeded(NTSTATUS status) { return status >= 0; }

class Algorithm {
public:
    explicit Algorithm(LPCWSTR name) {
        if (!Succeeded(BCryptOpenAlgorithmProvider(&handle_, name, nullptr, 0))) handle_ = nullptr;
    }
    ~Algorithm() {
        if (handle_) BCryptCloseAlgorithmProvider(handle_, 0);
    }
    Algorithm(const Algorithm&) = delete;
    Algorithm& operator=(const Algorithm&) = delete;
    BCRYPT_ALG_HANDLE get() const { return handle_; }

private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class Hash {
public:
    explicit Hash(const Algorithm& algorithm) {
        if (!algorithm.get() || !Succeeded(BCryptCreateHash(algorithm.get(), &handle_, nullptr, 0, nullptr, 0, 0))) {
            handle_ = nullptr;
        }
    }
    ~Hash() {
        if (handle_) BCryptDestroyHash(handle_);
    }
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;
    BCRYPT_HASH_HANDLE get() const { return handle_; }

private:
    BCRYPT_HASH_HANDLE handle_ = nullptr;
};

class Key {
public:
    Key(const Algorithm& algorithm, std::vector<UCHAR>& blob) {
        if (!algorithm.get() || !Succeeded(BCryptImportKeyPair(algorithm.get(), nullptr, BCRYPT_ECCPUBLIC_BLOB,
                                                               &handle_, blob.data(),
                                                               static_cast<ULONG>(blob.size()), 0))) {
            handle_ = nullptr;
        }
    }
    ~Key() {
        if (handle_) BCryptDestroyKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    BCRYPT_KEY_HANDLE get() const { return handle_; }

private:
    BCRYPT_KEY_HANDLE handle_ = nullptr;
};

} // namespace

std::optional<update::Sha256Digest> CngVerifier::Sha256(std::span<const std::uint8_t> data) {
    // Create, hash, finish rather than BCryptHash, which Windows 7 lacks.
    Algorithm algorithm(BCRYPT_SHA256_ALGORITHM);
    Hash hash(algorithm);
    update::Sha256Digest digest;
    if (!hash.get() ||
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
    Algorithm algorithm(BCRYPT_ECDSA_P256_ALGORITHM);
    Key imported(algorithm, blob);
    if (!imported.get()) return false;
    auto hashed = digest;
    auto rs = signature;
    return Succeeded(BCryptVerifySignature(imported.get(), nullptr, hashed.data(), static_cast<ULONG>(hashed.size()),
                                           rs.data(), static_cast<ULONG>(rs.size()), 0));
}

} // namespace update_win32
