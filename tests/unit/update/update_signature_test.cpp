#include "update/signed_manifest.h"
#include "update/update_signature.h"

#include "tests/unit/support/scratch_directory.h"
#include "tests/unit/update/fake_verifier.h"

#include <gtest/gtest.h>

namespace update {
namespace {

using test_support::ScratchDirectory;
using test_support::WriteBytes;

std::vector<std::uint8_t> FromHex(std::string_view hex) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return bytes;
}

template <std::size_t N>
std::vector<std::uint8_t> Vector(const std::array<std::uint8_t, N>& array) {
    return {array.begin(), array.end()};
}

// Made with "openssl ec -pubout" and "openssl dgst -sha256 -sign".
constexpr std::string_view kP256Point =
    "e5d2fc6b367a930332a6ce8c21864896523b25816505474813ad1ff0b1541d55"
    "5a0dcc0c802aebb8db3c7afa88e4e60401d370bc96af7a54eb8b32ca7bcf2a2c";
constexpr std::string_view kP384Pem =
    "-----BEGIN PUBLIC KEY-----\n"
    "MHYwEAYHKoZIzj0CAQYFK4EEACIDYgAE0J0QpL0LnivxyHquNbN57+Dni7YVRBAX\n"
    "uUD04wgtuFD9OSwiXgGJowv3IGSE5VF1W0Ic5s6emn0jZnRfeBSx7lKY+Q8c5iIJ\n"
    "1e7oqaYzAQFZVjp7qC/K4UquqOax8RCo\n"
    "-----END PUBLIC KEY-----\n";

TEST(UpdateKey, OnlyAP256PublicKeyIsTaken) {
    auto key = ParsePublicKeyPem(std::string("\xEF\xBB\xBF") + std::string(kTestKeyPem));
    ASSERT_TRUE(key);
    EXPECT_EQ(Vector(*key), FromHex(kP256Point));
    EXPECT_FALSE(ParsePublicKeyPem(kP384Pem));
    EXPECT_FALSE(ParsePublicKeyPem("-----BEGIN PUBLIC KEY-----\nMFkw*\n-----END PUBLIC KEY-----\n"));
    EXPECT_FALSE(ParsePublicKeyPem(kTestKeyPem.substr(0, 60)));
}

TEST(ManifestSignature, DerIntegersBecomeTwoRightAlignedHalves) {
    // Both halves with the sign guard byte.
    auto both = ParseDerSignature(FromHex(
        "3046022100d6306980271211afdc959d46b146c263467b5af07d8cef682282941718243643"
        "022100e7ba3fb23f61fc8d2906f0cd433f48c2d283d470fe7987ca926f49990555e8be"));
    ASSERT_TRUE(both);
    EXPECT_EQ(Vector(*both), FromHex("d6306980271211afdc959d46b146c263467b5af07d8cef682282941718243643"
                                     "e7ba3fb23f61fc8d2906f0cd433f48c2d283d470fe7987ca926f49990555e8be"));
    // A short r keeps its leading zero bytes.
    auto shortR = ParseDerSignature(FromHex("3025" "0201" "07" "0220" + std::string(64, 'a')));
    ASSERT_TRUE(shortR);
    EXPECT_EQ((*shortR)[31], 7);
    EXPECT_EQ((*shortR)[0], 0);
    EXPECT_EQ((*shortR)[32], 0xaa);

    EXPECT_FALSE(ParseDerSignature(FromHex("3026" "0201" "07" "0220" + std::string(64, 'a') + "00")));
    EXPECT_FALSE(ParseDerSignature(FromHex("3027" "022101" + std::string(64, 'b') + "020107")));
    EXPECT_FALSE(ParseDerSignature(FromHex("3000")));
}

TEST(Manifest, LinesOfHexAndNameOrNothing) {
    std::string hash(64, 'a');
    auto manifest = ParseManifest(hash + " version.ini\r\n" + std::string(64, '0') + " 새 파일.dll\n\n");
    ASSERT_TRUE(manifest);
    EXPECT_EQ(manifest->size(), 2u);
    EXPECT_EQ(manifest->at("새 파일.dll")[0], 0);
    EXPECT_EQ(manifest->at("version.ini")[31], 0xaa);

    EXPECT_FALSE(ParseManifest(std::string(64, 'A') + " upper.dll\n"));
    EXPECT_FALSE(ParseManifest(hash + "  \n"));
    EXPECT_FALSE(ParseManifest(std::string(63, 'a') + " short.dll\n"));
    EXPECT_FALSE(ParseManifest(hash + " twice.dll\n" + hash + " twice.dll\n"));
}

TEST(SignedManifest, VouchesOnlyForListedFilesOfTheSignedManifest) {
    FakeVerifier verifier;
    P256PublicKey key{};
    key.fill(0x42);
    std::string manifest = verifier.Line("one.dll", "first") + verifier.Line("two.dll", "second");

    EXPECT_FALSE(SignedManifest::Verify(key, manifest, "", verifier));
    P256PublicKey otherKey{};
    EXPECT_FALSE(SignedManifest::Verify(key, manifest, verifier.Sign(otherKey, manifest), verifier));
    EXPECT_FALSE(SignedManifest::Verify(key, manifest + "x", verifier.Sign(key, manifest), verifier));

    auto signedManifest = SignedManifest::Verify(key, manifest, verifier.Sign(key, manifest), verifier);
    ASSERT_TRUE(signedManifest);
    ScratchDirectory dir;
    WriteBytes(dir.Path() / "one.dll", "first");
    WriteBytes(dir.Path() / "two.dll", "changed");
    EXPECT_TRUE(signedManifest->Vouches("one.dll", dir.Path() / "one.dll", verifier));
    EXPECT_FALSE(signedManifest->Vouches("two.dll", dir.Path() / "two.dll", verifier));
    EXPECT_FALSE(signedManifest->Vouches("three.dll", dir.Path() / "one.dll", verifier));
    EXPECT_FALSE(signedManifest->Vouches("one.dll", dir.Path() / "missing.dll", verifier));
}

} // namespace
} // namespace update
