#pragma once

// The local user's long-lived identity: an Ed25519 key pair kept in the platform's
// data directory, created on first use, and a display name from the user account.
//
// The namespace is spelled `unix`, which GNU language modes predefine as a macro;
// the project builds in strict standard mode (-std=c++20), where it is not.

#include "base/result.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace runtime_identity::unix {

using PublicKey = std::array<std::uint8_t, 32>;
using SecretKey = std::array<std::uint8_t, 32>;
using Signature = std::array<std::uint8_t, 64>;

class Identity {
public:
    // The key pair of `secret` (an Ed25519 private key, RFC 8032).
    Identity(SecretKey const& secret, std::optional<std::string> display_name);
    Identity(Identity const&) = default;
    Identity& operator=(Identity const&) = default;
    ~Identity();

    PublicKey const& public_key() const { return m_public; }
    // Lower-case hexadecimal, 64 digits.
    std::string public_key_hex() const;
    std::optional<std::string> const& display_name() const { return m_display_name; }

    Signature sign(std::span<std::uint8_t const> message) const;
    static bool verify(PublicKey const& key, std::span<std::uint8_t const> message, Signature const& signature);

private:
    SecretKey m_secret;
    PublicKey m_public;
    std::optional<std::string> m_display_name;
};

// Where load() keeps the identity: <data dir>/runtime-identity/identity.
std::optional<std::filesystem::path> identity_path();

// The identity at identity_path(), created when missing.
base::Result<Identity> load();

// The identity in `file`. A missing file is created with mode 0600 (and missing
// parent directories with 0700); the first of several concurrent creators wins and the
// others load its key. A file that does not parse, whose keys disagree, that others
// may read or that belongs to another user is an error and is left as it is: replacing
// it would lose the user's identity.
base::Result<Identity> load_from(std::filesystem::path const& file);

// The first of: the account's full name (the first field of its GECOS entry), $USER,
// $USERNAME that is not blank, trimmed; nothing when none is.
std::optional<std::string> account_display_name();
std::optional<std::string> display_name_from(std::optional<std::string_view> gecos,
                                             std::optional<std::string_view> user,
                                             std::optional<std::string_view> username);

} // namespace runtime_identity::unix
