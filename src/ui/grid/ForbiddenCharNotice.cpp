#include "ui/grid/ForbiddenCharNotice.h"

#include "ui/grid/ForbiddenCharDialog.h"

namespace qx::ui {

namespace {

bool showDialog(QWidget* parent) {
    CForbiddenCharDialog dialog(parent);
    return dialog.exec() == QDialog::Accepted && dialog.isSuppressChecked();
}

} // namespace

ForbiddenCharNotice::ForbiddenCharNotice() : m_presenter(showDialog) {}

ForbiddenCharNotice::ForbiddenCharNotice(Presenter presenter) : m_presenter(std::move(presenter)) {}

int ForbiddenCharNotice::notify(QWidget* parent, int replacedCharacters) {
    int shown = 0;
    for (int i = 0; i < replacedCharacters && !m_suppressed; ++i) {
        ++shown;
        if (m_presenter && m_presenter(parent)) {
            m_suppressed = true;
        }
    }
    return shown;
}

} // namespace qx::ui
