#pragma once

#include "output/DriveRules.h"

#include <QFileDialog>

#include <string>
#include <vector>

class QLineEdit;

namespace qx::ui {

/// The save-as dialog of the hard-disk branch. When the operator picks another file type, the
/// name typed so far takes that type's extension (kept, replaced or appended), so that the name
/// and the chosen type never disagree.
class CFileSaveDlg final : public QFileDialog {
    Q_OBJECT

public:
    /// `filter` has the form "text|*.EXT|text|*.EXT||"; `defaultExtension` (".QXF") is added to a
    /// name typed without one; `folder` is where the dialog opens.
    CFileSaveDlg(const QString& defaultExtension, const QString& fileName, const QString& filter,
                 const QString& folder, QWidget* parent = nullptr);

    /// The full path the operator chose; empty before OK.
    QString chosenPath() const;

    /// The text of the file-name field.
    QString fileNameText() const;

private:
    void onTypeSelected(const QString& nameFilter);

    QLineEdit* m_nameEdit = nullptr;
    QString m_nameBeforeTypeChange; ///< the field as the operator left it, before the dialog's own rewrite
    std::vector<output::FileType> m_types;
    std::vector<std::string> m_extensions; ///< of m_types, in the same order
    QStringList m_nameFilters;             ///< the dialog's texts of m_types
};

} // namespace qx::ui
