#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qx::wirelist {

/// What a column of a wire list holds. A wire has two ends, the source and the target; an end is
/// told either by two columns (device and terminal) or by one that holds both ("-X1:3").
enum class Role {
    Wire,
    SourceDevice,
    SourceTerminal,
    TargetDevice,
    TargetTerminal,
    Source, ///< device and terminal of the source end in one cell
    Target, ///< device and terminal of the target end in one cell
    Count,
};
inline constexpr int RoleCount = 8;

/// The key of a role in profiles and on the command line: "wire", "source.device", … "count".
std::string_view roleKey(Role role);
std::optional<Role> roleFromKey(std::string_view key);
/// The string table's name of the role as the operator sees it (線番, 接続元 機器, …).
int roleNameId(Role role);

/// The column of each role, -1 for a role no column has.
class ColumnRoles final {
public:
    ColumnRoles() { m_columns.fill(-1); }

    int column(Role role) const { return m_columns[static_cast<std::size_t>(role)]; }
    bool has(Role role) const { return column(role) >= 0; }
    void set(Role role, int column) { m_columns[static_cast<std::size_t>(role)] = column < 0 ? -1 : column; }

    /// Whether any column tells the source end, or the target end.
    bool hasSourceEnd() const;
    bool hasTargetEnd() const;
    /// How many roles have a column.
    int assigned() const;

    /// The roles a header row names, by the words ECAD programs and spreadsheets use in English,
    /// German and Japanese, with the marks of the two ends: "1"/"2", "_A"/"_B", From/To,
    /// Source/Target, Quelle/Ziel, 接続元/接続先. Device and terminal columns without a mark are
    /// the source end the first time and the target end the second. Of two columns for one role
    /// the first counts.
    static ColumnRoles fromHeader(std::span<const std::string> header);

    friend bool operator==(const ColumnRoles&, const ColumnRoles&) = default;

private:
    std::array<int, RoleCount> m_columns{};
};

/// A header text folded for comparing: full-width letters, digits and signs as ASCII, ASCII
/// letters in lower case, German umlauts spelled out, runs of blanks as one, no blanks at the ends.
std::string foldHeaderText(std::string_view text);

} // namespace qx::wirelist
