// What a signed update is made of, read from the bytes the service publishes:
// its public key (the PEM "openssl ec -pubout" writes), the signature of the
// manifest (the DER "openssl dgst -sha256 -sign" writes) and the manifest,
// one "<sha256 in lower-case hex> <name>" line per file.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace update {

inline constexpr std::string_view kUpdateKeyName = "update-key.pem";
inline constexpr std::string_view kManifestName = "manifest.ini";
inline constexpr std::string_view kManifestSignatureName = "manifest.sig";

inline constexpr std::size_t kSha256Size = 32;
using Sha256Digest = std::array<std::uint8_t, kSha256Size>;

// A P-256 coordinate or signature half.
inline constexpr std::size_t kP256FieldSize = 32;
// The point's X then Y, as Windows' ECC public blob takes them.
using P256PublicKey = std::array<std::uint8_t, 2 * kP256FieldSize>;
// r then s, as Windows' signature check takes them.
using P256Signature = std::array<std::uint8_t, 2 * kP256FieldSize>;

// The key of a P-256 "PUBLIC KEY" PEM; nullopt for anything else.
std::optional<P256PublicKey> ParsePublicKeyPem(std::string_view pem);

// r and s of a DER ECDSA signature; nullopt when it is not one for P-256.
std::optional<P256Signature> ParseDerSignature(std::span<const std::uint8_t> der);

// Name as the change list writes it -> the file's digest. A manifest with a
// line that is not "<64 lower-case hex digits> <name>", or a name twice, is
// refused whole: nullopt.
using Manifest = std::map<std::string, Sha256Digest, std::less<>>;
std::optional<Manifest> ParseManifest(std::string_view text);

} // namespace update
