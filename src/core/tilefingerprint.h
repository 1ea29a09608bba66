// A tile's identity taken from its picture, so that what is kept outside a
// map (a copied block, a stored stamp, a rule) can name a tile whatever its
// number in the set. Two tiles that show the same picture share one: the
// fingerprint covers the size, the bit count and the pixel rows, and for an
// 8-bit tile the colours its pixels show rather than their indices (the
// same picture under another palette holding the same colours is the same
// tile). A 128-bit hash: two different pictures sharing one is not a case
// the program plans for.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CSprite;

struct TileFingerprint {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    // 32 lowercase hexadecimal digits, high word first: the form files and
    // the clipboard carry.
    std::string Hex() const;
    // The fingerprint a Hex() string names (either case); none for any
    // other text.
    static std::optional<TileFingerprint> FromHex(std::string_view text);

    auto operator<=>(const TileFingerprint&) const = default;
};

// The fingerprint of a filled tile; that of an empty picture for an empty one.
TileFingerprint FingerprintOf(const CSprite& tile);
