#include "ui/grid/TubePrintTableColumns.h"

#include "model/StringTable.h"

namespace qx::ui {

namespace {

struct ColumnTitleRow {
    ColumnType type;
    int textId;
};

// Title string of each column type; the line columns format 40008 with the line number.
constexpr std::array ColumnTitles = std::to_array<ColumnTitleRow>({
    {ColumnType::Line1, 40008},     // "%d 行目"
    {ColumnType::Line2, 40008},
    {ColumnType::Line3, 40008},
    {ColumnType::Line4, 40008},
    {ColumnType::Count, 40009},     // "連続個数"
    {ColumnType::Pitch, 40010},     // "ピッチ長"
    {ColumnType::Underline, 43061}, // "下線"
    {ColumnType::Reverse, 40011},   // "反転"
});

} // namespace

TubePrintTableColumns::TubePrintTableColumns(model::ModelType model) {
    m_columns.fill(-1);
    for (int t = 0; t < ColumnTypeCount; ++t) {
        const auto type = static_cast<ColumnType>(t);
        if (type == ColumnType::Underline && model <= 4) {
            continue; // the printers before the W2 generation print no underline
        }
        m_columns[static_cast<std::size_t>(t)] = static_cast<int>(m_types.size());
        m_types.push_back(type);
    }
}

std::optional<ColumnType> TubePrintTableColumns::type(int column) const {
    if (column < 0 || column >= count()) {
        return std::nullopt;
    }
    return m_types[static_cast<std::size_t>(column)];
}

std::string columnTitle(ColumnType type) {
    const ColumnTitleRow& row = ColumnTitles[static_cast<std::size_t>(type)];
    if (isTextColumn(type)) {
        return model::formatMessage(row.textId, {lineIndex(type) + 1});
    }
    return std::string(model::messageText(row.textId));
}

} // namespace qx::ui
