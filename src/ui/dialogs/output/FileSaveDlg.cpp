#include "ui/dialogs/output/FileSaveDlg.h"

#include "output/DriveRules.h"

#include <QComboBox>
#include <QLineEdit>

namespace qx::ui {

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// The dialog shows a type by its text; the pattern goes in brackets where the text lacks it.
QStringList nameFiltersOf(const std::vector<output::FileType>& types) {
    QStringList filters;
    for (const output::FileType& type : types) {
        QString text = fromUtf8(type.text);
        const QString pattern = fromUtf8(type.pattern);
        if (!text.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
            text += QStringLiteral(" (") + pattern + QLatin1Char(')');
        }
        filters.append(text);
    }
    return filters;
}

QString suffixOf(const std::string& extension) {
    return fromUtf8(extension.starts_with('.') ? extension.substr(1) : extension);
}

} // namespace

CFileSaveDlg::CFileSaveDlg(const QString& defaultExtension, const QString& fileName, const QString& filter,
                           const QString& folder, QWidget* parent)
    : QFileDialog(parent), m_types(output::parseFileTypes(filter.toStdString())),
      m_extensions(output::typeExtensions(m_types)), m_nameFilters(nameFiltersOf(m_types)) {
    // The extension rule needs the dialog's own file-name field, which a native dialog hides.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setWindowTitle(QStringLiteral("名前を付けて保存"));
    setDefaultSuffix(suffixOf(output::withLeadingDot(defaultExtension.toStdString())));
    if (!m_nameFilters.isEmpty()) {
        setNameFilters(m_nameFilters);
    }
    if (!folder.isEmpty()) {
        setDirectory(folder);
    }
    m_nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    selectFile(fileName);
    if (m_nameEdit != nullptr) {
        m_nameEdit->setText(fileName);
    }
    // The dialog swaps any suffix of the name for the new type's one before it tells us of the new
    // type; the name as it was typed is caught first, so that our rule decides.
    if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types != nullptr && m_nameEdit != nullptr) {
        connect(types, &QComboBox::currentIndexChanged, this,
                [this] { m_nameBeforeTypeChange = m_nameEdit->text(); });
    }
    connect(this, &QFileDialog::filterSelected, this, &CFileSaveDlg::onTypeSelected);
}

QString CFileSaveDlg::chosenPath() const {
    if (result() != QDialog::Accepted) {
        return {};
    }
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

QString CFileSaveDlg::fileNameText() const {
    return m_nameEdit != nullptr ? m_nameEdit->text() : QString();
}

void CFileSaveDlg::onTypeSelected(const QString& nameFilter) {
    // The type is found by its own entry, so a pattern without "*" cannot shift the others.
    const qsizetype index = m_nameFilters.indexOf(nameFilter);
    if (index < 0 || index >= static_cast<qsizetype>(m_extensions.size())) {
        return;
    }
    const std::string& extension = m_extensions[static_cast<std::size_t>(index)];
    if (extension.empty()) {
        return;
    }
    setDefaultSuffix(suffixOf(extension));
    if (m_nameEdit == nullptr) {
        return;
    }
    const QString typed = m_nameBeforeTypeChange.isNull() ? m_nameEdit->text() : m_nameBeforeTypeChange;
    m_nameBeforeTypeChange = QString();
    const std::string text = typed.toStdString();
    const std::string renamed = output::applyTypeExtension(text, extension, m_extensions);
    const QString wanted = output::equalsIgnoringCase(renamed, text) ? typed : fromUtf8(renamed);
    if (m_nameEdit->text() != wanted) {
        m_nameEdit->setText(wanted);
    }
}

} // namespace qx::ui
