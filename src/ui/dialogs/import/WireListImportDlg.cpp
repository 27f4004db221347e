#include "ui/dialogs/import/WireListImportDlg.h"

#include "ui/dialogs/import/PieceImage.h"

#include "model/Catalogue.h"
#include "model/StringTable.h"
#include "output/Prompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/EditorContext.h"
#include "ui/grid/CellEdit.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"
#include "wirelist/LineTemplate.h"
#include "wirelist/WireListMessages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

#include <algorithm>

namespace qx::ui {

namespace {

using wirelist::Role;

QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string utf8Of(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

/// The encodings offered, "" for the one the reader finds out.
constexpr std::string_view Encodings[] = {"", "UTF-8", "UTF-16LE", "UTF-16BE", "CP932", "CP1252"};
constexpr std::string_view EncodingTexts[] = {"自動判別", "UTF-8", "UTF-16LE", "UTF-16BE", "Shift_JIS (CP932)",
                                              "Windows-1252 (CP1252)"};
constexpr char Separators[] = {0, ',', ';', '\t', '|'};
constexpr std::string_view SeparatorTexts[] = {"自動判別", "カンマ ( , )", "セミコロン ( ; )", "タブ",
                                               "縦線 ( | )"};

constexpr std::string_view NoColumnText = "（なし）";
constexpr std::string_view NoProfileText = "（設定なし）";
constexpr int RowsScannedForWidth = 50;

/// "A", "B", … "Z", "AA": the column as the spreadsheet names it.
QString columnLetters(int column) {
    QString letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26) {
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    }
    return letters;
}

QString lineLabel(int index) {
    return QStringLiteral("%1 行目(&%1):").arg(index + 1);
}

} // namespace

CWireListImportDlg::CWireListImportDlg(const WireListImportSetup& setup, QWidget* parent)
    : QDialog(parent), m_context(setup.context), m_chooseFile(setup.chooseFile),
      m_model(setup.current, setup.position, setup.context.catalogue, setup.context.settings, setup.profileFolder),
      m_previewDocument(std::make_unique<EditDocument>(setup.context, setup.current)) {
    setWindowTitle(QStringLiteral("配線リスト読込"));
    setObjectName(QStringLiteral("wireListImportDlg"));
    buildLayout();
    fillProfiles();
    if (!setup.path.isEmpty()) {
        openFile(setup.path);
    }
    showModel();
}

CWireListImportDlg::~CWireListImportDlg() = default;

void CWireListImportDlg::buildLayout() {
    auto* root = new QVBoxLayout(this);

    // The file as it is read.
    auto* file = new QGroupBox(QStringLiteral("ファイル"), this);
    auto* fileGrid = new QGridLayout(file);
    m_path = new QLineEdit(file);
    m_path->setObjectName(QStringLiteral("filePath"));
    m_path->setReadOnly(true);
    auto* browseButton = new QPushButton(QStringLiteral("参照(&B)..."), file);
    browseButton->setObjectName(QStringLiteral("browse"));
    connect(browseButton, &QPushButton::clicked, this, &CWireListImportDlg::browse);
    auto* pathLabel = new QLabel(QStringLiteral("ファイル名(&F):"), file);
    pathLabel->setBuddy(m_path);
    fileGrid->addWidget(pathLabel, 0, 0);
    fileGrid->addWidget(m_path, 0, 1, 1, 7);
    fileGrid->addWidget(browseButton, 0, 8);

    m_sheet = new QComboBox(file);
    m_sheet->setObjectName(QStringLiteral("sheet"));
    m_sheet->setMinimumContentsLength(10);
    connect(m_sheet, &QComboBox::activated, this, [this](int index) {
        m_model.setSheet(index);
        showModel();
    });
    m_encoding = new QComboBox(file);
    m_encoding->setObjectName(QStringLiteral("encoding"));
    for (const std::string_view text : EncodingTexts) {
        m_encoding->addItem(qtText(text));
    }
    connect(m_encoding, &QComboBox::activated, this, [this](int index) {
        m_model.profile().encoding = std::string(Encodings[static_cast<std::size_t>(index)]);
        if (!m_model.reread()) {
            m_context.prompter.showText(m_model.readMessageId(), m_model.readMessage());
        }
        showModel();
    });
    m_separator = new QComboBox(file);
    m_separator->setObjectName(QStringLiteral("separator"));
    for (const std::string_view text : SeparatorTexts) {
        m_separator->addItem(qtText(text));
    }
    connect(m_separator, &QComboBox::activated, this, [this](int index) {
        m_model.profile().separator = Separators[static_cast<std::size_t>(index)];
        if (!m_model.reread()) {
            m_context.prompter.showText(m_model.readMessageId(), m_model.readMessage());
        }
        showModel();
    });
    m_headerRow = new QSpinBox(file);
    m_headerRow->setObjectName(QStringLiteral("headerRow"));
    m_headerRow->setRange(0, 9999);
    m_headerRow->setSpecialValueText(QStringLiteral("自動"));
    m_headerRow->setSuffix(QStringLiteral(" 行目"));
    connect(m_headerRow, &QSpinBox::valueChanged, this, [this](int row) {
        if (!m_showing) {
            m_model.profile().headerRow = row == 0 ? -1 : row;
            changed();
        }
    });
    m_headerFound = new QLabel(file);
    m_headerFound->setObjectName(QStringLiteral("headerFound"));
    const auto addField = [&](int column, const QString& label, QWidget* field) {
        auto* text = new QLabel(label, file);
        text->setBuddy(field);
        fileGrid->addWidget(text, 1, column);
        fileGrid->addWidget(field, 1, column + 1);
    };
    addField(0, QStringLiteral("シート(&S):"), m_sheet);
    addField(2, QStringLiteral("文字コード(&E):"), m_encoding);
    addField(4, QStringLiteral("区切り文字(&D):"), m_separator);
    addField(6, QStringLiteral("見出し行(&H):"), m_headerRow);
    fileGrid->addWidget(m_headerFound, 1, 8);
    m_profiles = new QComboBox(file);
    m_profiles->setObjectName(QStringLiteral("profiles"));
    connect(m_profiles, &QComboBox::activated, this, &CWireListImportDlg::chooseProfile);
    auto* profileLabel = new QLabel(QStringLiteral("読込設定(&P):"), file);
    profileLabel->setBuddy(m_profiles);
    fileGrid->addWidget(profileLabel, 2, 0);
    fileGrid->addWidget(m_profiles, 2, 1, 1, 3);
    fileGrid->setColumnStretch(1, 1);
    root->addWidget(file);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;

    // The role of each column.
    auto* roles = new QGroupBox(QStringLiteral("列の割り当て"), this);
    auto* rolesForm = new QFormLayout(roles);
    for (int r = 0; r < wirelist::RoleCount; ++r) {
        auto* combo = new QComboBox(roles);
        const Role role = static_cast<Role>(r);
        combo->setObjectName(QStringLiteral("role_%1").arg(qtText(wirelist::roleKey(role))));
        combo->setMinimumContentsLength(14);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        connect(combo, &QComboBox::activated, this, [this, role, combo](int) {
            const int column = combo->currentData().toInt();
            std::string reference(wirelist::ImportProfile::NoColumn);
            if (column >= 0) {
                // By its header when that names it alone, so that the profile fits the file again
                // when columns move; else by its number.
                const std::vector<std::string>& header = m_model.mapping().header;
                const bool named = static_cast<std::size_t>(column) < header.size() &&
                                   wirelist::findColumn(header, header[static_cast<std::size_t>(column)]) == column &&
                                   !header[static_cast<std::size_t>(column)].empty();
                reference = named ? header[static_cast<std::size_t>(column)] : "#" + std::to_string(column + 1);
            }
            m_model.profile().role(role) = reference;
            changed();
        });
        m_roles[static_cast<std::size_t>(r)] = combo;
        rolesForm->addRow(qtText(model::messageText(wirelist::roleNameId(role))) + u':', combo);
    }
    left->addWidget(roles);

    // Which ends of a wire become pieces.
    auto* ends = new QGroupBox(QStringLiteral("ピース（１本の配線から作るブロック）"), this);
    auto* endsRow = new QHBoxLayout(ends);
    m_ends = new QButtonGroup(this);
    const std::pair<wirelist::Ends, const char*> endChoices[] = {
        {wirelist::Ends::Source, "接続元"}, {wirelist::Ends::Target, "接続先"}, {wirelist::Ends::Both, "両端"}};
    for (const auto& [choice, text] : endChoices) {
        auto* radio = new QRadioButton(QString::fromUtf8(text), ends);
        radio->setObjectName(QStringLiteral("ends_%1").arg(qtText(wirelist::endsKey(choice))));
        m_ends->addButton(radio, static_cast<int>(choice));
        endsRow->addWidget(radio);
    }
    endsRow->addStretch();
    connect(m_ends, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.profile().ends = static_cast<wirelist::Ends>(id);
        changed();
    });
    left->addWidget(ends);

    // What each line of a piece holds.
    auto* lines = new QGroupBox(QStringLiteral("印字する行"), this);
    auto* linesForm = new QFormLayout(lines);
    for (int i = 0; i < wirelist::MaxTemplates; ++i) {
        auto* edit = new QLineEdit(lines);
        edit->setObjectName(QStringLiteral("line%1").arg(i + 1));
        connect(edit, &QLineEdit::textEdited, this, [this] {
            readLines();
            changed();
        });
        m_lines[static_cast<std::size_t>(i)] = edit;
        linesForm->addRow(lineLabel(i), edit);
    }
    auto* fields = new QLabel(QStringLiteral("{wire} 線番　{here} この端の 機器:端子　{there} 相手の端\n"
                                             "{here.device} {here.terminal} {there.device} {there.terminal}　"
                                             "{見出し} その列"),
                              lines);
    fields->setObjectName(QStringLiteral("fieldHelp"));
    fields->setEnabled(false);
    linesForm->addRow(fields);
    m_merge = new QCheckBox(QStringLiteral("同じピースが続くときは１ブロックにまとめる（連続個数）(&M)"), lines);
    m_merge->setObjectName(QStringLiteral("merge"));
    connect(m_merge, &QCheckBox::clicked, this, [this](bool on) {
        m_model.profile().merge = on;
        changed();
    });
    m_splitBreaks = new QCheckBox(QStringLiteral("セル内の改行で行を分ける(&L)"), lines);
    m_splitBreaks->setObjectName(QStringLiteral("splitBreaks"));
    connect(m_splitBreaks, &QCheckBox::clicked, this, [this](bool on) {
        m_model.profile().splitBreaks = on;
        changed();
    });
    linesForm->addRow(m_merge);
    linesForm->addRow(m_splitBreaks);
    left->addWidget(lines);
    left->addStretch();
    middle->addLayout(left);

    // The preview: the blocks as the grid and the print image will show them.
    auto* preview = new QGroupBox(QStringLiteral("プレビュー"), this);
    auto* previewColumn = new QVBoxLayout(preview);
    m_grid = new CTubePrintTable(*m_previewDocument, preview);
    m_grid->setObjectName(QStringLiteral("previewGrid"));
    m_grid->contentBar().setReadOnly(true);
    m_image = new CPieceImage(*m_previewDocument, preview);
    m_image->setObjectName(QStringLiteral("pieceImage"));
    connect(m_grid, &CTubePrintTable::focusCellChanged, this, [this] { m_image->setBlock(m_grid->focusRow()); });
    auto* split = new QSplitter(Qt::Vertical, preview);
    split->addWidget(m_grid);
    split->addWidget(m_image);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);
    split->setSizes({420, 120});
    previewColumn->addWidget(split, 1);
    m_blocksUsed = new QLabel(preview);
    m_blocksUsed->setObjectName(QStringLiteral("blocksUsed"));
    previewColumn->addWidget(m_blocksUsed);
    m_problem = new QLabel(preview);
    m_problem->setObjectName(QStringLiteral("problem"));
    m_problem->setStyleSheet(QStringLiteral("color: #c00000;"));
    m_problem->setWordWrap(true);
    previewColumn->addWidget(m_problem);
    m_reportTitle = new QLabel(preview);
    previewColumn->addWidget(m_reportTitle);
    m_report = new QListWidget(preview);
    m_report->setObjectName(QStringLiteral("report"));
    m_report->setMaximumHeight(96);
    previewColumn->addWidget(m_report);
    middle->addWidget(preview, 1);
    root->addLayout(middle, 1);

    // Saving the choices, and the answer.
    auto* bottom = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("設定名(&N):"), this);
    m_profileName = new QLineEdit(this);
    m_profileName->setObjectName(QStringLiteral("profileName"));
    nameLabel->setBuddy(m_profileName);
    m_saveProfile = new QPushButton(QStringLiteral("設定保存(&V)"), this);
    m_saveProfile->setObjectName(QStringLiteral("saveProfile"));
    connect(m_saveProfile, &QPushButton::clicked, this, &CWireListImportDlg::saveProfile);
    bottom->addWidget(nameLabel);
    bottom->addWidget(m_profileName);
    bottom->addWidget(m_saveProfile);
    bottom->addStretch();
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, [this] {
        if (m_model.canInsert()) {
            accept();
        }
    });
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    bottom->addWidget(m_buttons);
    root->addLayout(bottom);
    resize(1180, 800);
}

bool CWireListImportDlg::openFile(const QString& path) {
    if (!m_model.open(std::filesystem::path(path.toStdString()))) {
        m_context.prompter.showText(m_model.readMessageId(), m_model.readMessage());
        showModel();
        return false;
    }
    showModel();
    return true;
}

void CWireListImportDlg::browse() {
    const QString path =
        m_chooseFile ? m_chooseFile(this)
                     : QFileDialog::getOpenFileName(
                           this, QStringLiteral("配線リストを開く"), QString(),
                           QStringLiteral("配線リスト (*.xlsx *.xlsm *.ods *.csv *.tsv *.txt);;すべてのファイル (*)"));
    if (!path.isEmpty()) {
        openFile(path);
    }
}

void CWireListImportDlg::readLines() {
    std::vector<std::string> lines;
    for (const QLineEdit* edit : m_lines) {
        lines.push_back(utf8Of(edit->text()));
    }
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    m_model.profile().lines = std::move(lines);
}

void CWireListImportDlg::changed() {
    if (m_showing) {
        return;
    }
    m_model.update();
    showModel();
}

QString CWireListImportDlg::columnName(int column) const {
    const std::vector<std::string>& header = m_model.mapping().header;
    const QString letters = columnLetters(column);
    if (static_cast<std::size_t>(column) >= header.size() || header[static_cast<std::size_t>(column)].empty()) {
        return letters;
    }
    QString text = qtText(header[static_cast<std::size_t>(column)]).simplified();
    return letters + QStringLiteral(": ") + text;
}

void CWireListImportDlg::showModel() {
    m_showing = true;
    showTable();
    showRoles();
    const wirelist::SheetMapping& mapping = m_model.mapping();
    if (QAbstractButton* end = m_ends->button(static_cast<int>(mapping.ends))) {
        end->setChecked(true);
    }
    const bool twoEnded = mapping.roles.hasSourceEnd() && mapping.roles.hasTargetEnd();
    for (QAbstractButton* button : m_ends->buttons()) {
        button->setEnabled(twoEnded);
    }
    const std::vector<std::string>& lines = m_model.profile().lines.empty() ? mapping.lines : m_model.profile().lines;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const QString text = i < lines.size() ? qtText(lines[i]) : QString();
        // Rewriting the text being typed would move the cursor.
        if (m_lines[i]->text() != text) {
            m_lines[i]->setText(text);
        }
    }
    m_profiles->setCurrentIndex(std::max(0, m_profiles->findText(qtText(m_model.profileName()))));
    m_merge->setChecked(m_model.profile().merge);
    m_splitBreaks->setChecked(m_model.profile().splitBreaks);
    if (!m_profileName->hasFocus()) {
        m_profileName->setText(qtText(m_model.profileName()));
    }
    showPreview();
    m_showing = false;
}

void CWireListImportDlg::showTable() {
    const wirelist::Table& table = m_model.table();
    m_path->setText(QString::fromStdString(m_model.path().string()));
    m_sheet->clear();
    for (const wirelist::Sheet& sheet : table.sheets) {
        m_sheet->addItem(qtText(sheet.name));
    }
    m_sheet->setCurrentIndex(m_model.sheetIndex());
    m_sheet->setEnabled(table.sheets.size() > 1);

    // Encoding and separator belong to text files; a workbook has neither.
    const bool text = !table.encoding.empty();
    m_encoding->setEnabled(text);
    m_separator->setEnabled(text);
    const wirelist::ImportProfile& profile = m_model.profile();
    const auto encoding = std::find(std::begin(Encodings), std::end(Encodings), std::string_view(profile.encoding));
    m_encoding->setCurrentIndex(encoding == std::end(Encodings) ? 0 : static_cast<int>(encoding - std::begin(Encodings)));
    m_encoding->setItemText(0, text && profile.encoding.empty()
                                   ? QStringLiteral("自動判別 (%1)").arg(QString::fromStdString(table.encoding))
                                   : qtText(EncodingTexts[0]));
    const auto separator = std::find(std::begin(Separators), std::end(Separators), profile.separator);
    m_separator->setCurrentIndex(separator == std::end(Separators) ? 0
                                                                   : static_cast<int>(separator - std::begin(Separators)));
    const auto found = std::find(std::begin(Separators) + 1, std::end(Separators), table.separator);
    m_separator->setItemText(
        0, text && profile.separator == 0 && found != std::end(Separators)
               ? QStringLiteral("自動判別 (%1)").arg(qtText(SeparatorTexts[static_cast<std::size_t>(found - std::begin(Separators))]))
               : qtText(SeparatorTexts[0]));

    m_headerRow->setValue(std::max(profile.headerRow, 0));
    const wirelist::SheetMapping& mapping = m_model.mapping();
    if (mapping.headerRow < 0) {
        m_headerFound->setText(QStringLiteral("（見出しなし）"));
    } else if (mapping.headerRows > 1) {
        m_headerFound->setText(
            QStringLiteral("（見出し %1～%2 行目）").arg(mapping.headerRow + 1).arg(mapping.headerRow + mapping.headerRows));
    } else {
        m_headerFound->setText(QStringLiteral("（見出し %1 行目）").arg(mapping.headerRow + 1));
    }
}

void CWireListImportDlg::showRoles() {
    const wirelist::Table& table = m_model.table();
    int width = static_cast<int>(m_model.mapping().header.size());
    if (!table.sheets.empty()) {
        const wirelist::Sheet& sheet = table.sheets[static_cast<std::size_t>(m_model.sheetIndex())];
        const std::size_t scan = std::min<std::size_t>(sheet.rows.size(), RowsScannedForWidth);
        for (std::size_t r = 0; r < scan; ++r) {
            width = std::max(width, static_cast<int>(sheet.rows[r].size()));
        }
    }
    for (int r = 0; r < wirelist::RoleCount; ++r) {
        QComboBox* combo = m_roles[static_cast<std::size_t>(r)];
        combo->clear();
        combo->addItem(qtText(NoColumnText), -1);
        for (int c = 0; c < width; ++c) {
            combo->addItem(columnName(c), c);
        }
        const int column = m_model.mapping().roles.column(static_cast<Role>(r));
        combo->setCurrentIndex(std::max(0, combo->findData(column)));
    }
}

void CWireListImportDlg::showPreview() {
    m_previewDocument->attachRecord(m_model.preview());
    m_grid->refresh(UpdateHint::Everything);
    // A preview: nothing in it is typed into.
    for (int c = 0; c < m_grid->grid().columnCount(); ++c) {
        m_grid->grid().setColumnEditable(c, false);
    }
    const int first = m_model.firstInsertedBlock();
    const int count = m_model.insertedBlocks();
    if (count > 0) {
        m_grid->grid().setFocusCell({0, first});
        m_grid->grid().setSelection({0, first, m_grid->grid().columnCount() - 1, first + count - 1});
    }
    m_image->setBlock(count > 0 ? first : m_grid->focusRow());
    m_image->update();

    const wirelist::PieceInsert& inserted = m_model.inserted();
    QString used = qtText(model::formatMessage(wirelist::WireListMessage::BlocksUsed,
                                               {inserted.blocksUsed, inserted.blockLimit}));
    if (inserted.merge.replacedChars > 0) {
        used += QStringLiteral("　") + qtText(model::formatMessage(wirelist::WireListMessage::ReplacedCount,
                                                                   {inserted.merge.replacedChars}));
    }
    m_blocksUsed->setText(used);
    const bool full = inserted.merge.blocksDropped;
    m_blocksUsed->setStyleSheet(full ? QStringLiteral("color: #c00000;") : QString());

    const std::string problem = m_model.problem();
    m_problem->setText(qtText(problem));
    m_problem->setVisible(!problem.empty());
    const std::vector<std::string> report = m_model.reportLines();
    m_report->clear();
    for (const std::string& line : report) {
        m_report->addItem(qtText(line));
    }
    m_reportTitle->setText(QStringLiteral("読込まない行・変更した行 (%1)").arg(report.size()));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_model.canInsert());
    m_saveProfile->setEnabled(m_model.mapping().ok);
}

void CWireListImportDlg::fillProfiles() {
    m_profiles->clear();
    m_profiles->addItem(qtText(NoProfileText));
    for (const wirelist::ImportProfileStore::Entry& entry : m_model.store().list()) {
        const QString name = entry.profile.name.empty() ? QString::fromStdString(entry.path.stem().string())
                                                        : qtText(entry.profile.name);
        m_profiles->addItem(name, QString::fromStdString(entry.path.string()));
    }
    const int current = m_profiles->findText(qtText(m_model.profileName()));
    m_profiles->setCurrentIndex(std::max(0, current));
}

void CWireListImportDlg::chooseProfile(int index) {
    if (index <= 0) {
        m_model.applyProfile(wirelist::ImportProfile{});
    } else {
        const wirelist::ProfileReadResult read =
            wirelist::readImportProfileFile(std::filesystem::path(m_profiles->itemData(index).toString().toStdString()));
        if (!read.ok) {
            m_context.prompter.showText(read.messageId, read.message);
            return;
        }
        m_model.applyProfile(read.profile);
    }
    showModel();
}

void CWireListImportDlg::saveProfile() {
    QString name = m_profileName->text().trimmed();
    if (name.isEmpty()) {
        name = QFileInfo(QString::fromStdString(m_model.path().string())).completeBaseName();
    }
    readLines();
    const wirelist::ImportProfileStore::SaveResult saved = m_model.saveProfile(utf8Of(name));
    m_context.prompter.showText(saved.messageId, saved.message,
                                saved.ok ? output::Icon::Information : output::Icon::Warning);
    fillProfiles();
    showModel();
}

} // namespace qx::ui
