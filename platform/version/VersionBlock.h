#pragma once

#include <array>
#include <cstddef>

// The layout of the version block an executable carries: UTF-16 text laid out as a
// version resource's string table pair "FileVersion" / "ProductVersion", each value
// in a field of fixed room padded with zero characters, so a built file can be
// stamped again in place.
namespace lumo::version {

inline constexpr const char* kSectionName = ".zefver";
inline constexpr std::size_t kValueRoom = 24;

namespace detail {
inline constexpr char16_t kFileKey[] = u"FileVersion";
inline constexpr char16_t kProductKey[] = u"ProductVersion";
inline constexpr std::size_t kFileKeyLen = 11;
inline constexpr std::size_t kProductKeyLen = 14;
// Header words, key, zero, padding, value field, zero; the second entry starts at an
// even offset, as entries of a version resource do.
inline constexpr std::size_t kFileEntry = 3 + kFileKeyLen + 2 + kValueRoom + 1;
inline constexpr std::size_t kSecondStart = kFileEntry + (kFileEntry % 2);
inline constexpr std::size_t kBlockLen = kSecondStart + 3 + kProductKeyLen + 1 + kValueRoom + 1;
} // namespace detail

// Offsets (in UTF-16 units) of the two value fields.
inline constexpr std::size_t kFileValueAt = 3 + detail::kFileKeyLen + 2;
inline constexpr std::size_t kProductValueAt = detail::kSecondStart + 3 + detail::kProductKeyLen + 1;
inline constexpr std::size_t kBlockUnits = detail::kBlockLen;

using Block = std::array<char16_t, kBlockUnits>;

// The block for an ASCII version text (longer texts are cut to the room).
constexpr Block MakeBlock(const char* version) {
    using namespace detail;
    Block b{};
    const auto entry = [&b](std::size_t at, const char16_t* key, std::size_t keyLen, std::size_t len) {
        b[at] = static_cast<char16_t>(len * 2); // entry length in bytes
        b[at + 1] = static_cast<char16_t>(kValueRoom);
        b[at + 2] = 1; // text value
        for (std::size_t i = 0; i < keyLen; ++i)
            b[at + 3 + i] = key[i];
    };
    entry(0, kFileKey, kFileKeyLen, kFileEntry);
    entry(kSecondStart, kProductKey, kProductKeyLen, kBlockLen - kSecondStart);
    for (std::size_t i = 0; i < kValueRoom && version[i] != '\0'; ++i) {
        b[kFileValueAt + i] = static_cast<char16_t>(version[i]);
        b[kProductValueAt + i] = static_cast<char16_t>(version[i]);
    }
    return b;
}

} // namespace lumo::version
