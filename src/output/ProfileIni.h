#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::output {

/// A profile file of the Windows syntax ("[section]" lines followed by "key=value" lines), read and
/// written the way the Windows profile functions do: section and key names compare ignoring the
/// case of ASCII letters, blanks around names and values do not count, a value wrapped in matching
/// single or double quotes loses them, and of repeated sections or keys the first one counts. The
/// bytes of names and values are kept as they are (Shift_JIS in this system's files).
class ProfileIni final {
public:
    /// Reads profile text; lines may end in CR LF or LF alone. Nothing in it is an error: lines
    /// that are neither a section nor a key are ignored.
    static ProfileIni parse(std::string_view text);

    /// The value of a key, or nothing when the section or the key is absent.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    /// The value as the profile string call gives it into a buffer of `bufferSize` bytes: at most
    /// bufferSize - 1 bytes, never ending in the first half of a double-byte character;
    /// `defaultValue` when the key is absent.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t bufferSize) const;

    /// The value as the profile integer call reads it: leading blanks and one sign, then the
    /// decimal digits up to the first other character (none gives 0), limited to the int range;
    /// `defaultValue` when the key is absent or empty.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    /// Sets a key: replaces the value of the first such key of the first such section, or adds the
    /// key at the end of that section, or adds the section at the end of the file. A line break or
    /// NUL in a name or value becomes a blank, since the syntax cannot hold one.
    void write(std::string_view section, std::string_view key, std::string_view value);

    /// The names of the sections in file order (repeats included).
    std::vector<std::string> sectionNames() const;

    /// The profile text, every line ending in CR LF.
    std::string text() const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name; ///< empty for the keys before the first section line
        std::vector<Entry> entries;
    };

    std::size_t findSection(std::string_view name) const; ///< m_sections.size() when absent

    std::vector<Section> m_sections;
};

/// Whether a byte starts a double-byte character of Shift_JIS.
constexpr bool isShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace qx::output
