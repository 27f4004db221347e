#include "ModelSelectDlg.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qx::app {

namespace {

/// Dialog units of the 95 × 66 template in the dialog's font.
QSize templateSize(const QFontMetrics& metrics) {
    return QSize(95 * metrics.averageCharWidth() / 4, 66 * metrics.height() / 8);
}

} // namespace

std::optional<model::ModelType> chosenModel(int selectedIndex, int entryModel) {
    if (selectedIndex < 0 || entryModel == -1) {
        return std::nullopt;
    }
    return entryModel;
}

CModelSelectDlg::CModelSelectDlg(std::span<const model::Choice> models, model::ModelType current, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_list(new QComboBox(this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)), m_modelType(current) {
    setObjectName(QStringLiteral("modelSelectDlg"));
    setWindowTitle(QStringLiteral("機種選択"));
    setModal(true);
    m_list->setObjectName(QStringLiteral("modelList"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    int selected = -1;
    for (const model::Choice& choice : models) {
        m_list->addItem(QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size())),
                        choice.value);
        if (choice.value == current) {
            selected = m_list->count() - 1;
        }
    }
    // A stored model the list does not offer leaves the choice to the operator.
    m_list->setCurrentIndex(selected);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &CModelSelectDlg::accept);
    resize(templateSize(QFontMetrics(font())).expandedTo(sizeHint()));
}

void CModelSelectDlg::accept() {
    const int index = m_list->currentIndex();
    const QVariant entry = index >= 0 ? m_list->itemData(index) : QVariant();
    const std::optional<model::ModelType> chosen = chosenModel(index, entry.isValid() ? entry.toInt() : -1);
    if (!chosen) {
        return;
    }
    m_modelType = *chosen;
    QDialog::accept();
}

void CModelSelectDlg::reject() {
    // The model must be chosen: there is no way out but OK.
}

void CModelSelectDlg::closeEvent(QCloseEvent* event) { event->ignore(); }

} // namespace qx::app
