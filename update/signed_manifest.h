// A signed update's manifest once its signature has checked out, and the
// check of each fetched file against it before anything is installed.
#pragma once

#include "update/signature_verifier.h"
#include "update/update_signature.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace update {

inline constexpr std::string_view kUnverifiedUpdate = "업데이트의 서명을 확인할 수 없어 업데이트하지 않았습니다.";

// The one line that names the file to blame.
std::string UnverifiedFileText(std::string_view name);

class SignedManifest {
public:
    // The manifest when signature (DER) is key's signature of manifestText's
    // exact bytes and the manifest reads well; nullopt otherwise.
    static std::optional<SignedManifest> Verify(const P256PublicKey& key, std::string_view manifestText,
                                                std::string_view signature, SignatureVerifier& verifier);

    // True when file holds exactly what the manifest lists for name; a name
    // the manifest does not list, or a file that cannot be read, is false.
    bool Vouches(std::string_view name, const std::filesystem::path& file, SignatureVerifier& verifier) const;

private:
    explicit SignedManifest(Manifest manifest) : manifest_(std::move(manifest)) {}

    Manifest manifest_;
};

} // namespace update
