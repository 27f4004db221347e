#pragma once

#include "wirelist/ColumnRoles.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qx::wirelist {

/// Which ends of a wire become pieces; a row that tells one end only makes one piece whatever
/// this says.
enum class Ends {
    Source,
    Target,
    Both, ///< the source end's piece, then the target end's
};

std::string_view endsKey(Ends ends);
std::optional<Ends> endsFromKey(std::string_view key);

inline constexpr int MaxTemplates = 4;

/// How the rows of one kind of wire list become pieces: the operator's choices, kept as a small
/// UTF-8 text file that can be copied from one PC to another.
struct ImportProfile {
    /// The column of each role: empty to take the one the headers name, "-" for none, "#N" for the
    /// Nth column, any other text for the column with that header.
    static constexpr std::string_view NoColumn = "-";

    std::string name;
    std::vector<std::string> header; ///< the header cells of the file it was made for (its signature)
    int headerRow = -1;              ///< -1 found from the rows, 0 none, N the Nth row
    std::string sheet;               ///< a sheet's name or its number from 1; empty for the first
    std::string encoding;            ///< of a text file; empty to find it out
    char separator = 0;              ///< of a text file; 0 to find it out
    std::array<std::string, RoleCount> roles{};
    std::optional<Ends> ends;        ///< none: both when the rows tell both ends
    std::vector<std::string> lines;  ///< up to four templates; none: the usual lines for the roles
    bool merge = false;              ///< identical consecutive pieces become one block with their count
    bool splitBreaks = true;         ///< a line break in a cell starts another line; else a blank

    std::string& role(Role r) { return roles[static_cast<std::size_t>(r)]; }
    const std::string& role(Role r) const { return roles[static_cast<std::size_t>(r)]; }

    friend bool operator==(const ImportProfile&, const ImportProfile&) = default;
};

/// A profile file read, or the message that says why it was refused.
struct ProfileReadResult {
    bool ok = false;
    ImportProfile profile;
    int messageId = 0;
    std::string message;
};

/// Profile files beyond this are refused unread: a real one is a few hundred bytes.
inline constexpr std::size_t MaxProfileBytes = 64 * 1024;

/// Reads the text of a profile file ("key=value" lines, "#" comments). `fileName` names it in the
/// messages. Text that is too large or no UTF-8, a line that is no "key=value" and a value a key
/// cannot take are refused; a key this version does not know is passed over.
ProfileReadResult readImportProfile(std::string_view text, std::string_view fileName);

/// The text of a profile file, which readImportProfile reads back to the same profile.
std::string writeImportProfile(const ImportProfile& profile);

} // namespace qx::wirelist

namespace qx::wirelist {

/// The separator a name or character stands for: ",", ";", "|", "tab" or a tab; nothing for others.
std::optional<char> separatorChar(std::string_view name);

} // namespace qx::wirelist
