#pragma once

#include "ui/table/TableDataModel.h"

#include <memory>

namespace qx::ui {

/// The model a new grid starts with: cells read "A1", "B1", …, titles "A", "B", …, nothing is
/// stored or drawn, and one plain one-line editor serves every column.
class CDefaultTableDataModel final : public CTableDataModel {
public:
    CDefaultTableDataModel();
    ~CDefaultTableDataModel() override;
    CDefaultTableDataModel(const CDefaultTableDataModel&) = delete;
    CDefaultTableDataModel& operator=(const CDefaultTableDataModel&) = delete;

    int IsTextColumn(int row, int column) override;
    QString GetCellText(int row, int column) override;
    void SetCellText(int row, int column, const QString& text) override;
    void SetCellSequences(int row, int column, const CTableCellSequences* sequences) override;
    CTableCellEditor* GetCellEditor(int column) override;
    QString GetColumnTitle(int column) override;
    void DrawCell(QPainter& painter, const QSize& contentSize, int row, int column) override;
    QColor GetCellBackColor(int row, int column) override;
    void CancelEditCell(int row, int column) override;
    bool CanAddSequence() override;

private:
    std::unique_ptr<CTableCellEditor> m_editor;
};

} // namespace qx::ui
