#pragma once

// The columns of the block grid: what each grid column shows and edits, in which order they stand
// and their titles. Plain data so that the writing rules and tests share it with the widget.

#include "model/ModelType.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace qx::ui {

/// What a grid column holds. The four text line columns come first.
enum class ColumnType : int {
    Line1 = 0,
    Line2 = 1,
    Line3 = 2,
    Line4 = 3,
    Count = 4,     ///< 連続個数, continuous count
    Pitch = 5,     ///< ピッチ長, pitch length
    Underline = 6, ///< 下線, only on models from 5 on
    Reverse = 7,   ///< 反転
};

inline constexpr int ColumnTypeCount = 8;

constexpr bool isTextColumn(ColumnType type) { return static_cast<int>(type) < 4; }
constexpr int lineIndex(ColumnType type) { return static_cast<int>(type); }

/// The grid's columns in order and the way back from a type to its column.
class TubePrintTableColumns final {
public:
    /// The columns of a model: the underline column only above model index 4.
    explicit TubePrintTableColumns(model::ModelType model);

    [[nodiscard]] int count() const { return static_cast<int>(m_types.size()); }
    /// The type of grid column `column`; nullopt outside the grid.
    [[nodiscard]] std::optional<ColumnType> type(int column) const;
    /// The grid column of a type; -1 when the grid has no such column.
    [[nodiscard]] int column(ColumnType type) const { return m_columns[static_cast<std::size_t>(type)]; }
    [[nodiscard]] const std::vector<ColumnType>& types() const { return m_types; }

private:
    std::vector<ColumnType> m_types;
    std::array<int, ColumnTypeCount> m_columns{};
};

/// The column title (UTF-8): "%d 行目" with the line number, or the attribute's name.
std::string columnTitle(ColumnType type);

} // namespace qx::ui
