#pragma once

#include "ui/dialogs/sequence/SeqDlgControls.h"
#include "model/SequenceDefinition.h"

#include <QDialog>

#include <optional>

namespace qx::ui {

/// The sequence number dialog of models 0 and 1: one definition of the block, without odd/even
/// output. An empty number reads as 0 and a lower-case letter as its upper-case one.
class CSeqDlg final : public QDialog {
    Q_OBJECT

public:
    CSeqDlg(const model::Catalogue& catalogue, output::Prompter& prompter,
            const std::optional<model::tagSEQ_V900>& definition, QWidget* parent = nullptr);

    /// The definition as confirmed by OK.
    [[nodiscard]] const model::tagSEQ_V900& definition() const { return m_working; }
    [[nodiscard]] SeqDlgControls& controls() { return m_controls; }

    void accept() override;

private:
    output::Prompter& m_prompter;
    model::tagSEQ_V900 m_working;
    SeqDlgControls m_controls;
};

} // namespace qx::ui
