#pragma once

#include "ui/dialogs/import/WireListImportModel.h"

#include <QDialog>
#include <QString>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qx::ui {

class CPieceImage;
class CTubePrintTable;
class EditDocument;
struct EditorContext;

/// What the import dialog works on.
struct WireListImportSetup {
    const EditorContext& context;
    const model::EditData& current; ///< the document the pieces go into
    int position = 0;               ///< before this block; −1: the pieces make the document
    std::filesystem::path profileFolder; ///< the saved profiles
    QString path;                        ///< the file opened first; empty: none yet
    /// The file the 参照 button picks; null: the desktop's file dialog.
    std::function<QString(QWidget*)> chooseFile;
};

/// "配線リスト読込": a wire list of an ECAD program or a spreadsheet made into blocks. The operator
/// sees the file as read (sheet, encoding, separator, header row), the role of each column, which
/// ends of a wire become pieces, the line templates and the merging, and a live preview of the
/// blocks in the grid and the print image, with the blocks used against the model's limit and the
/// rows left out with their reasons. The decisions are WireListImportModel's; this forwards the
/// controls to it and shows what it says.
class CWireListImportDlg final : public QDialog {
    Q_OBJECT

public:
    explicit CWireListImportDlg(const WireListImportSetup& setup, QWidget* parent = nullptr);
    ~CWireListImportDlg() override;

    /// Opens a file as the 参照 button does; false after the reader's message was shown.
    bool openFile(const QString& path);

    const WireListImportModel& model() const { return m_model; }
    /// The preview grid and print image, on the preview record.
    CTubePrintTable& previewGrid() const { return *m_grid; }
    CPieceImage& pieceImage() const { return *m_image; }

    /// What OK inserts (after exec() answered Accepted).
    formats::FileInsertResult insertResult() const { return m_model.result(); }

private:
    void buildLayout();
    void browse();
    void changed();
    void showModel();
    void showTable();
    void showRoles();
    void showPreview();
    void fillProfiles();
    void chooseProfile(int index);
    void saveProfile();
    void readLines();
    QString columnName(int column) const;

    const EditorContext& m_context;
    std::function<QString(QWidget*)> m_chooseFile;
    WireListImportModel m_model;
    std::unique_ptr<EditDocument> m_previewDocument;

    QLineEdit* m_path = nullptr;
    QComboBox* m_sheet = nullptr;
    QComboBox* m_encoding = nullptr;
    QComboBox* m_separator = nullptr;
    QSpinBox* m_headerRow = nullptr;
    QLabel* m_headerFound = nullptr;
    QComboBox* m_profiles = nullptr;
    std::array<QComboBox*, wirelist::RoleCount> m_roles{};
    QButtonGroup* m_ends = nullptr;
    std::array<QLineEdit*, wirelist::MaxTemplates> m_lines{};
    QCheckBox* m_merge = nullptr;
    QCheckBox* m_splitBreaks = nullptr;
    CTubePrintTable* m_grid = nullptr;
    CPieceImage* m_image = nullptr;
    QLabel* m_blocksUsed = nullptr;
    QLabel* m_problem = nullptr;
    QLabel* m_reportTitle = nullptr;
    QListWidget* m_report = nullptr;
    QLineEdit* m_profileName = nullptr;
    QPushButton* m_saveProfile = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    bool m_showing = false; ///< the controls are being set from the model: their signals change nothing
};

} // namespace qx::ui
