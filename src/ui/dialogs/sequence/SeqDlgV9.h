#pragma once

#include "ui/dialogs/sequence/SeqDlgControls.h"
#include "model/SequenceDefinition.h"

#include <QDialog>

#include <optional>

namespace qx::ui {

/// The sequence number dialog of models 2 to 4 and the base of the line-wise one: one definition
/// with its odd/even output. The mode decides whether the output applies and how much each edit
/// takes.
class CSeqDlgV9 : public QDialog {
    Q_OBJECT

public:
    CSeqDlgV9(const model::Catalogue& catalogue, output::Prompter& prompter,
              const std::optional<model::tagSEQ_V900>& definition, QWidget* parent = nullptr);

    /// The working definition; confirmed once OK has passed.
    [[nodiscard]] const model::tagSEQ_V900& definition() const { return m_working; }
    [[nodiscard]] SeqDlgControls& controls() { return m_controls; }

    void accept() override;

protected:
    /// Reads and checks the controls into the working definition, in OK's order; a failure shows
    /// its message, focuses its control and returns false.
    bool readControls();
    /// Shows a definition in the controls without making it the working one.
    void showDefinition(const model::tagSEQ_V900& definition) { m_controls.show(definition); }
    void setWorking(const model::tagSEQ_V900& definition) { m_working = definition; }
    [[nodiscard]] output::Prompter& prompter() const { return m_prompter; }
    [[nodiscard]] const model::Catalogue& catalogue() const { return m_catalogue; }

private:
    const model::Catalogue& m_catalogue;
    output::Prompter& m_prompter;
    model::tagSEQ_V900 m_working;
    SeqDlgControls m_controls;
};

} // namespace qx::ui
