#pragma once

#include "model/SequenceDefinition.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QGridLayout;
class QLabel;

namespace qx::ui {

class CTubePrintTable;
class EditDocument;

/// The form pane at the top right of a document window: which block and line the grid's focus
/// is on, that line's character size and width (changeable here), the sequence number bound to
/// the line, and under "文書情報" the document's target settings in words. The form follows the
/// model's group: 150 (models 0, 1), 171 (adds the output), 175 (adds the print font) and 180
/// (adds the slashed zero).
class CPropertyView final : public QWidget {
    Q_OBJECT

public:
    CPropertyView(EditDocument& document, CTubePrintTable& grid, QWidget* parent = nullptr);
    ~CPropertyView() override;

    /// The form of a model: 150, 171, 175 or 180.
    [[nodiscard]] static int templateOf(int model);
    [[nodiscard]] int templateId() const { return m_template; }

    /// Runs just before the view changes the document (the window's undo step).
    void setBeforeChange(std::function<void()> beforeChange) { m_beforeChange = std::move(beforeChange); }

    /// The document's change notification: hint 0 rebuilds the document part; every hint
    /// refreshes the focus part.
    void onUpdate(int hint);
    /// Rebuilds the document part: the two combos' entries and the 文書情報 texts.
    void rebuildDocumentPart();
    /// Shows the focus cell: position, size and width, the line's sequence number.
    void refreshFocus();
    /// Shows a definition the cell editor reports under its selection (nullptr: none).
    void showSequence(const model::tagSEQ_V900* definition);

private:
    struct FocusLine {
        bool counts = false;
        int block = 0;
        int line = 0;
    };
    [[nodiscard]] FocusLine focusLine() const;
    [[nodiscard]] bool autoSizing() const;
    void lineAttributeChosen(bool size);
    QLabel* addValue(QGridLayout& grid, int row, const QString& caption, const char* name,
                     QLabel** captionLabel = nullptr);

    EditDocument& m_document;
    CTubePrintTable& m_grid;
    int m_template;
    std::function<void()> m_beforeChange;
    bool m_filling = false;

    QLabel* m_position = nullptr;
    QComboBox* m_size = nullptr;
    QComboBox* m_width = nullptr;
    QLabel* m_seqMode = nullptr;
    QLabel* m_seqOutput = nullptr;
    QLabel* m_seqStart = nullptr;
    QLabel* m_seqEnd = nullptr;
    QLabel* m_direction = nullptr;
    QLabel* m_charSpacing = nullptr;
    QLabel* m_lineSpacing = nullptr;
    QLabel* m_pitchCut = nullptr;
    QLabel* m_frame = nullptr;
    QLabel* m_printFont = nullptr;
    QLabel* m_zeroSlash = nullptr;
    QLabel* m_pitchLabel = nullptr;
    QLabel* m_printLengthLabel = nullptr;
    QLabel* m_pitchValue = nullptr;
    QLabel* m_countLabel = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_placementLabel = nullptr;
    QLabel* m_placement = nullptr;
    QLabel* m_leftMarginLabel = nullptr;
    QLabel* m_leftMargin = nullptr;
    QLabel* m_rightMarginLabel = nullptr;
    QLabel* m_rightMargin = nullptr;
};

} // namespace qx::ui
