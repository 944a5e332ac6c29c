#include "update/signed_manifest.h"

#include "common/config_file.h"

namespace update {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

std::string UnverifiedFileText(std::string_view name) {
    return std::string(name) + " 파일이 서명된 목록과 달라 업데이트하지 않았습니다.";
}

std::optional<SignedManifest> SignedManifest::Verify(const P256PublicKey& key, std::string_view manifestText,
                                                     std::string_view signature, SignatureVerifier& verifier) {
    auto rs = ParseDerSignature(Bytes(signature));
    auto digest = verifier.Sha256(Bytes(manifestText));
    if (!rs || !digest || !verifier.Verify(key, *digest, *rs)) return std::nullopt;
    auto manifest = ParseManifest(manifestText);
    if (!manifest) return std::nullopt;
    return SignedManifest(std::move(*manifest));
}

bool SignedManifest::Vouches(std::string_view name, const std::filesystem::path& file,
                             SignatureVerifier& verifier) const {
    auto listed = manifest_.find(name);
    if (listed == manifest_.end()) return false;
    auto content = config::ReadWholeFile(file);
    if (!content) return false;
    auto digest = verifier.Sha256(Bytes(*content));
    return digest && *digest == listed->second;
}

} // namespace update
