#include "KorvintaApp.h"

#include "AboutDlg.h"
#include "DocumentSaving.h"
#include "FileAccess.h"
#include "KorvintaDoc.h"
#include "ModelSelectDlg.h"
#include "RecoveryCopies.h"
#include "RecoveryWriter.h"
#include "SettingsStore.h"
#include "SplashWnd.h"
#include "TracingPrompter.h"
#include "formats/CsvMerge.h"
#include "formats/ExtensionKind.h"
#include "model/StringTable.h"
#include "output/DriveProvider.h"
#include "output/PrintSettingsStore.h"
#include "render/PrintFont.h"
#include "render/SymbolCatalogue.h"
#include "render/SymbolPictures.h"
#include "ui/frames/ChildFrame.h"
#include "ui/CommandIds.h"
#include "ui/frames/KorvintaView.h"
#include "ui/frames/MainFrameIcons.h"
#include "ui/QtPrompter.h"
#include "ui/dialogs/target/TargetDlg.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace qx::app {

namespace {

using ui::Command::AppAbout;
using ui::Command::AppExit;
using ui::Command::DeferredStartup;
using ui::Command::FileClose;
using ui::Command::FileNew;
using ui::Command::FileOpen;
using ui::Command::FileSave;
using ui::Command::FileSaveAs;

constexpr int SaveChangesQuestion = 61699;
constexpr int CsvOpenedNotice = 42009;
constexpr int FileFilterText = 40004;
constexpr int DocumentNameField = 1;
constexpr int RecoveryQuestion = 42080;
constexpr int RecoveryUnreadable = 42081;
constexpr int RecoveredTitle = 42082;
constexpr int RecoveryWriteFailed = 42083;
/// A question longer than this many names lists the first ones only.
constexpr std::size_t RecoveryNamesShown = 10;

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

/// The list the model dialog offers; the same for every model.
std::span<const model::Choice> modelList() {
    static const model::Catalogue anyModel(model::models::Default);
    return anyModel.choiceList(0);
}

} // namespace

CKorvintaApp::CKorvintaApp(QSettings& store, output::Prompter* prompter, QObject* parent)
    : QObject(parent), m_store(store), m_prompter(prompter), m_drives(nullptr),
      m_recoveryIntervalMs(recoveryIntervalMs()) {
    if (m_prompter == nullptr) {
        m_ownPrompter = std::make_unique<ui::QtPrompter>();
        m_prompter = m_ownPrompter.get();
    }
    m_ownDrives = std::make_unique<output::MountedDriveProvider>();
    m_drives = m_ownDrives.get();
    installDefaultDialogs();
}

CKorvintaApp::~CKorvintaApp() {
    // The windows go first: they refer to the documents, and their last words must not reach a
    // half-destroyed application.
    m_exiting = true;
    m_frame.reset();
    m_documents.clear();
}

void CKorvintaApp::setRecoveryFolder(const QString& folder) {
    m_recovery = folder.isEmpty() ? nullptr : std::make_unique<RecoveryCopies>(folder);
}

void CKorvintaApp::installDefaultDialogs() {
    m_dialogs.selectModel = [this](QWidget* parent, model::ModelType current) {
        CModelSelectDlg dialog(modelList(), current, parent);
        if (m_options.traceStartup) {
            QTimer::singleShot(0, &dialog, [] {
                std::fprintf(stderr, "qxeditor: model dialog shown at %lld ms since the epoch\n",
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
                std::fflush(stderr);
            });
        }
        dialog.exec();
        return dialog.modelType();
    };
    m_dialogs.targetSettings = [](QWidget* parent, const ui::EditorContext& context, model::EditData& data,
                                  bool newDocument) { return ui::runTargetSettings(parent, context, data, newDocument); };
    m_dialogs.saveTarget = [](QWidget* parent, const ui::EditorContext& context, const QString& proposedName,
                              const QString& folder) {
        return ui::chooseSaveTarget(parent, context, proposedName, folder);
    };
    m_dialogs.openFile = [](QWidget* parent, const QString& folder) {
        QFileDialog dialog(parent, QStringLiteral("開く"), folder);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setNameFilters(fileDialogFilters(model::messageText(FileFilterText)));
        dialog.setDefaultSuffix(QStringLiteral("QXF"));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return QString();
        }
        return dialog.selectedFiles().front();
    };
    m_dialogs.about = [](QWidget* parent) {
        CAboutDlg dialog(parent);
        dialog.exec();
    };
    m_dialogs.openManual = [](const QUrl& manual) {
        if (!QFileInfo::exists(manual.toLocalFile())) {
            return ManualOpening::Missing;
        }
        return QDesktopServices::openUrl(manual) ? ManualOpening::Opened : ManualOpening::NoViewer;
    };
}

// ---- Start-up ------------------------------------------------------------------------------------

bool CKorvintaApp::initialise(const StartupOptions& options) {
    m_options = options;
    if (m_options.traceMessages && !m_tracingPrompter) {
        m_tracingPrompter = std::make_unique<TracingPrompter>(*m_prompter);
        m_prompter = m_tracingPrompter.get();
    }
    m_recentFiles = readRecentFiles(m_store);
    m_frame = std::make_unique<ui::CMainFrame>(m_store, *this);
    m_frame->setTargetSettingsRunner([this](QWidget* parent, const ui::EditorContext& context, model::EditData& data,
                                            bool newDocument) {
        return m_dialogs.targetSettings(parent, context, data, newDocument);
    });
    m_frame->setManualOpener([this](const QUrl& manual) { openManual(manual); });
    if (m_ownPrompter) {
        m_ownPrompter->setParent(m_frame.get());
    }
    m_frame->restorePlacementAndShow();

    if (m_options.splash) {
        auto* splash = new CSplashWnd(m_frame.get());
        if (splash->showSplash()) {
            m_splash = splash;
            // Queued: the start-up runs its dialogs from the event loop, not from inside the
            // splash's timer or its key filter.
            connect(splash, &CSplashWnd::finished, this, [this] {
                m_frame->update();
                m_frame->runCommand(DeferredStartup);
            }, Qt::QueuedConnection);
            return true;
        }
        splash->deleteLater();
    }
    // Without a splash nothing would trigger the second stage: it runs as soon as the loop does.
    QTimer::singleShot(0, this, [this] { m_frame->runCommand(DeferredStartup); });
    return true;
}

void CKorvintaApp::deferredStartup() {
    if (m_started || m_starting) {
        return;
    }
    m_starting = true;
    const StoredConfig stored = readStoredConfig(m_store);
    model::ModelType chosen = storedModelType(stored);
    if (m_options.model) {
        chosen = *m_options.model;
    } else {
        chosen = m_dialogs.selectModel(m_frame.get(), chosen);
    }
    if (!model::isKnownModel(chosen)) {
        chosen = model::models::Default;
    }
    // Everything read from here on uses the defaults and bounds of the model of this run.
    m_catalogue = std::make_unique<model::Catalogue>(chosen);
    m_settings = settingsFromStore(stored, readStoredPrintValues(m_store), *m_catalogue);
    // The named print settings live in the desktop's documents folder.
    m_settings.documentsFolder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    m_printOptions = output::withPrintParameters(output::PrintOptions{}, m_settings.print);
    m_context.emplace(ui::EditorContext{*m_catalogue, m_settings, m_printOptions, *m_prompter, m_store, m_drives,
                                         &m_forbiddenCharNotice});
    m_context->printSettingsFolder = output::printSettingsFolder(
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).toStdString(),
        *m_catalogue);
    // The wire-list import profiles are the operator's settings: in the user's settings folder,
    // beside the settings store, where they can be copied to another PC.
    m_context->wireListProfileFolder =
        std::filesystem::path(
            QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).toStdString()) /
        app::StoreOrganisation / "配線リスト";
    // The symbol groups of the model and one set of symbol pictures serve every window and dialog.
    m_symbolCatalogue = std::make_unique<render::SymbolCatalogue>(chosen);
    m_symbolPictures = std::make_unique<render::SymbolPictures>(render::resolvePrintFontFamily());
    m_context->symbolCatalogue = m_symbolCatalogue.get();
    m_context->symbolPictures = m_symbolPictures.get();
    m_frame->setEditorContext(&*m_context);
    m_frame->setModelType(chosen);
    m_started = true;
    m_starting = false;
    m_frame->updateCommandStates();
    const bool recovered = offerRecoveredDocuments();

    if (!m_options.screenshotPath.isEmpty()) {
        // The picture shows the new document: its target dialog is confirmed as it comes up.
        auto* confirm = new QTimer(this);
        connect(confirm, &QTimer::timeout, this, [this, confirm] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                dialog->accept();
            } else if (!m_documents.empty()) {
                confirm->deleteLater();
                QTimer::singleShot(300, this, &CKorvintaApp::takeScreenshot);
            }
        });
        confirm->start(200);
    }

    if (!m_options.documentPath.isEmpty()) {
        openDocumentFile(m_options.documentPath);
    } else if (!recovered) {
        // The recovered documents are what the operator works on next: no new one in front of them.
        newDocument();
    }
}

bool CKorvintaApp::offerRecoveredDocuments() {
    if (!m_recovery) {
        return false;
    }
    if (!m_recovery->isActive()) {
        // No folder for the copies: this run works without them, and the operator knows it.
        showRecoveryWarning(true);
        return false;
    }
    const LeftRecoveryCopies left = m_recovery->findLeftCopies(m_settings.modelType);
    // Only copies that open are offered; the others are told and go, since no later start could
    // open them either.
    struct Loaded {
        const LeftRecoveryCopy* copy;
        model::EditData data;
    };
    std::vector<Loaded> loaded;
    std::vector<const LeftRecoveryCopy*> refused;
    for (const LeftRecoveryCopy& copy : left.unreadable) {
        refused.push_back(&copy);
    }
    for (const LeftRecoveryCopy& copy : left.offered) {
        if (std::optional<model::EditData> data = m_recovery->load(copy, *m_catalogue, m_settings)) {
            loaded.push_back(Loaded{&copy, std::move(*data)});
        } else {
            refused.push_back(&copy);
        }
    }
    const auto nameList = [](const auto& items, const auto& nameOf) {
        std::string names;
        std::size_t shown = 0;
        for (const auto& item : items) {
            if (shown++ == RecoveryNamesShown) {
                names += "\n…";
                break;
            }
            names += (names.empty() ? "" : "\n") + nameOf(item).toStdString();
        }
        return names;
    };

    bool opened = false;
    if (!loaded.empty()) {
        const std::string names =
            nameList(loaded, [](const Loaded& l) { return recoveredDocumentName(*l.copy->info); });
        const output::Answer answer = m_prompter->prompt(output::Prompt{
            RecoveryQuestion, model::formatMessage(RecoveryQuestion, {static_cast<int>(loaded.size()), names}),
            output::Buttons::YesNo, output::Icon::Question});
        for (Loaded& item : loaded) {
            if (answer == output::Answer::Yes) {
                CKorvintaDoc& document = addDocument();
                const std::string name = recoveredDocumentName(*item.copy->info).toStdString();
                document.setTitle(QString::fromStdString(model::formatMessage(RecoveredTitle, {name})));
                m_frame->addDocumentWindow(document);
                // Unsaved again, as it was: closing it asks whether to save.
                document.attachRecord(std::move(item.data));
                opened = true;
                // The old copy goes only once this run holds one of its own.
                auto* writer = document.findChild<RecoveryWriter*>();
                if (writer == nullptr) {
                    continue;
                }
                writer->setRecoveredFrom(item.copy->info->originalPath, item.copy->info->title);
                if (!writer->writeNow()) {
                    continue;
                }
            }
            m_recovery->discard(*item.copy);
        }
    }
    if (!refused.empty()) {
        const std::string names = nameList(refused, [](const LeftRecoveryCopy* copy) {
            return copy->info ? recoveredDocumentName(*copy->info) : QFileInfo(copy->copyPath).fileName();
        });
        m_prompter->prompt(output::Prompt{RecoveryUnreadable, model::formatMessage(RecoveryUnreadable, {names}),
                                          output::Buttons::Ok, output::Icon::Warning});
        for (const LeftRecoveryCopy* copy : refused) {
            m_recovery->discard(*copy);
        }
    }
    m_recovery->releaseClaims();
    return opened;
}

void CKorvintaApp::takeScreenshot() {
    const QPixmap picture = m_frame->grab();
    if (picture.isNull() || !picture.save(m_options.screenshotPath, "PNG")) {
        std::fprintf(stderr, "qxeditor: cannot write %s\n", qPrintable(m_options.screenshotPath));
        m_exitCode = 2;
    }
    for (const auto& document : m_documents) {
        document->setModified(false);
    }
    m_frame->close();
}

// ---- Documents ------------------------------------------------------------------------------------

std::vector<CKorvintaDoc*> CKorvintaApp::documents() const {
    std::vector<CKorvintaDoc*> list;
    for (const auto& document : m_documents) {
        list.push_back(document.get());
    }
    return list;
}

CKorvintaDoc* CKorvintaApp::activeDocument() const {
    ui::CChildFrame* window = m_frame ? m_frame->activeWindow() : nullptr;
    return window != nullptr ? findDocument(window->document()) : nullptr;
}

CKorvintaDoc* CKorvintaApp::findDocument(const ui::EditDocument& document) const {
    for (const auto& candidate : m_documents) {
        if (candidate.get() == &document) {
            return candidate.get();
        }
    }
    return nullptr;
}

QString CKorvintaApp::nextUntitledTitle() {
    return fromUtf8(model::documentTemplateField(DocumentNameField)) + QString::number(++m_untitledCount);
}

void CKorvintaApp::showRecoveryWarning(bool shown) {
    if (m_frame && m_recovery) {
        m_frame->setStatusWarning(shown ? fromUtf8(model::messageText(RecoveryWriteFailed)) : QString(),
                                  m_recovery->folder());
    }
}

void CKorvintaApp::watchForRecovery(CKorvintaDoc& document) {
    if (m_recovery && m_recovery->isActive()) {
        auto* writer =
            new RecoveryWriter(document, *m_recovery, m_recoveryIntervalMs); // the document's child
        // Copies share one folder, so the last attempt of any document tells how it stands.
        connect(writer, &RecoveryWriter::copyAttempted, this,
                [this](bool written) { showRecoveryWarning(!written); });
    }
}

CKorvintaDoc& CKorvintaApp::addDocument() {
    m_documents.push_back(std::make_unique<CKorvintaDoc>(*m_context));
    CKorvintaDoc& document = *m_documents.back();
    watchForRecovery(document);
    connect(&document, &CKorvintaDoc::encodingFailedAt, this,
            [this, &document](int block, int line) { showFailedPosition(document, block, line); });
    return document;
}

void CKorvintaApp::showFailedPosition(CKorvintaDoc& document, int block, int line) {
    ui::CChildFrame* window = m_frame->activeWindow();
    if (window == nullptr || &window->document() != &document) {
        const std::vector<ui::CChildFrame*> windows = m_frame->windowsOf(document);
        window = windows.empty() ? nullptr : windows.front();
    }
    if (window != nullptr) {
        window->view().showBlockLine(block, line);
    }
}

void CKorvintaApp::newDocument() {
    if (!m_started || !m_frame) {
        return;
    }
    model::EditData data = model::createEditData(*m_catalogue, m_settings.frameGap);
    if (!m_dialogs.targetSettings(m_frame.get(), *m_context, data, true)) {
        return;
    }
    CKorvintaDoc& document = addDocument();
    document.setTitle(nextUntitledTitle());
    m_frame->addDocumentWindow(document);
    // A new document counts as changed from the start: closing it asks whether to save.
    document.attachRecord(std::move(data));
}

void CKorvintaApp::openCommand() {
    if (!m_started) {
        return;
    }
    const QString path = m_dialogs.openFile(m_frame.get(), ui::directoryPath(m_store));
    if (path.isEmpty()) {
        return;
    }
    storeDirectoryPath(m_store, path);
    openDocumentFile(path);
}

CKorvintaDoc* CKorvintaApp::openDocumentFile(const QString& path) {
    if (!m_started) {
        return nullptr;
    }
    if (formats::extensionKind(path.toStdString()) == formats::ExtensionKind::Csv) {
        return openCsvFile(path);
    }
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const auto& document : m_documents) {
        if (!document->pathName().isEmpty() && document->pathName() == absolute) {
            if (const std::vector<ui::CChildFrame*> windows = m_frame->windowsOf(*document); !windows.empty()) {
                m_frame->mdiArea().setActiveSubWindow(qobject_cast<QMdiSubWindow*>(windows.front()->parentWidget()));
            }
            return document.get();
        }
    }
    // The file is read before any window exists: a file that cannot be opened leaves none behind.
    auto document = std::make_unique<CKorvintaDoc>(*m_context);
    if (!document->open(path)) {
        return nullptr;
    }
    m_documents.push_back(std::move(document));
    CKorvintaDoc& opened = *m_documents.back();
    watchForRecovery(opened);
    connect(&opened, &CKorvintaDoc::encodingFailedAt, this,
            [this, &opened](int block, int line) { showFailedPosition(opened, block, line); });
    m_frame->addDocumentWindow(opened);
    m_recentFiles = withRecentFile(m_recentFiles, opened.pathName());
    return &opened;
}

CKorvintaDoc* CKorvintaApp::openCsvFile(const QString& path) {
    CKorvintaDoc& document = addDocument();
    document.setTitle(nextUntitledTitle());
    m_frame->addDocumentWindow(document);

    const FileBytes file = readFileBytes(path.toStdString());
    if (!file.ok) {
        reportFileError(*m_prompter, FileOperation::Open, file.tooLarge ? EFBIG : file.errorNumber, path);
        discardDocument(document);
        return nullptr;
    }
    formats::MergeResult merged = formats::mergeCsv(document.data(), file.bytes, -1, *m_catalogue, m_settings);
    for (const int id : merged.report.messageIds) {
        m_prompter->show(id);
    }
    if (!merged.ok) {
        discardDocument(document);
        return nullptr;
    }
    document.attachRecord(std::move(merged.data));
    m_prompter->show(CsvOpenedNotice, output::Icon::Information);
    // Only the text survives: the target dialog of a new document gives every block the
    // operator's defaults.
    model::EditData edited = document.data();
    if (!m_dialogs.targetSettings(m_frame.get(), *m_context, edited, true)) {
        discardDocument(document);
        return nullptr;
    }
    document.attachRecord(std::move(edited));
    return &document;
}

void CKorvintaApp::discardDocument(CKorvintaDoc& document) {
    document.setModified(false);
    m_frame->closeWindowsOf(document);
}

bool CKorvintaApp::saveDocument(CKorvintaDoc& document, bool saveAs) {
    std::optional<QString> path;
    if (!saveAs && !document.pathName().isEmpty()) {
        path = document.pathName();
    }
    const auto choose = [this](const QString& name, const QString& folder) -> std::optional<QString> {
        const std::optional<ui::SaveTarget> target = m_dialogs.saveTarget(m_frame.get(), *m_context, name, folder);
        if (!target) {
            return std::nullopt;
        }
        if (target->removable) {
            m_settings.defaultCfDrive = target->removableFolder.toStdString();
        } else {
            storeDirectoryPath(m_store, target->path);
        }
        return target->path;
    };
    const bool saved = document.saveWithPrompt(path, true, choose);
    if (saved && !document.pathName().isEmpty()) {
        m_recentFiles = withRecentFile(m_recentFiles, document.pathName());
    }
    return saved;
}

bool CKorvintaApp::saveModified(CKorvintaDoc& document) {
    if (!document.isModified()) {
        return true;
    }
    const std::string name = document.displayName().toStdString();
    const output::Answer answer = m_prompter->prompt(output::Prompt{
        SaveChangesQuestion, model::formatMessage(SaveChangesQuestion, {name}), output::Buttons::YesNoCancel,
        output::Icon::Question});
    switch (answer) {
    case output::Answer::Yes:
        return saveDocument(document, false);
    case output::Answer::No:
        return true;
    default:
        return false;
    }
}

bool CKorvintaApp::closeDocument(CKorvintaDoc& document) {
    if (!saveModified(document)) {
        return false;
    }
    document.setModified(false);
    m_frame->closeWindowsOf(document);
    return true;
}

void CKorvintaApp::writeSettingsAtExit() {
    // Before the model of the run is known the settings are not this run's: the store keeps its own.
    if (!m_started || m_settingsWritten) {
        return;
    }
    m_settingsWritten = true;
    writeSettings(m_store, m_settings);
    writeRecentFiles(m_store, m_recentFiles);
    m_store.sync();
}

// ---- ui::MainFrameHost ------------------------------------------------------------------------------

void CKorvintaApp::environmentSettingsConfirmed() {
    // The same values as at exit, written now: a run that ends in a crash keeps them too.
    writeSettings(m_store, m_settings);
    m_store.sync();
}

bool CKorvintaApp::hasCommand(int command) const {
    switch (command) {
    case FileNew:
    case FileOpen:
    case FileClose:
    case FileSave:
    case FileSaveAs:
        return m_started;
    case AppExit:
    case AppAbout:
    case DeferredStartup:
        return true;
    default:
        return false;
    }
}

bool CKorvintaApp::runCommand(int command) {
    switch (command) {
    case DeferredStartup:
        deferredStartup();
        return true;
    case FileNew:
        newDocument();
        return true;
    case FileOpen:
        openCommand();
        return true;
    case FileClose:
        if (CKorvintaDoc* document = activeDocument()) {
            closeDocument(*document);
        }
        return true;
    case FileSave:
    case FileSaveAs:
        if (CKorvintaDoc* document = activeDocument()) {
            saveDocument(*document, command == FileSaveAs);
        }
        return true;
    case AppExit:
        m_frame->close();
        return true;
    case AppAbout:
        m_dialogs.about(m_frame.get());
        return true;
    default:
        return false;
    }
}

bool CKorvintaApp::queryCloseWindow(ui::CChildFrame& window) {
    if (m_exiting) {
        return true;
    }
    CKorvintaDoc* document = findDocument(window.document());
    if (document == nullptr || m_frame->windowsOf(*document).size() > 1) {
        return true;
    }
    return saveModified(*document);
}

void CKorvintaApp::windowDestroyed(ui::EditDocument& document) {
    if (!m_frame || m_frame->windowsOf(document).size() > 0) {
        return;
    }
    std::erase_if(m_documents, [&document](const std::unique_ptr<CKorvintaDoc>& d) { return d.get() == &document; });
}

bool CKorvintaApp::queryExit() {
    if (m_exiting) {
        return true;
    }
    for (CKorvintaDoc* document : documents()) {
        if (!saveModified(*document)) {
            return false;
        }
    }
    m_exiting = true;
    writeSettingsAtExit();
    return true;
}

void CKorvintaApp::openDroppedFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        openDocumentFile(path);
    }
}

void CKorvintaApp::openManual(const QUrl& manual) {
    // Help that silently does nothing leaves the operator guessing: say what is missing.
    const QString path = QDir::toNativeSeparators(manual.toLocalFile());
    QString text;
    switch (m_dialogs.openManual(manual)) {
    case ManualOpening::Opened:
        return;
    case ManualOpening::Missing:
        text = QStringLiteral("取扱説明書が見つかりません。\n%1").arg(path);
        break;
    case ManualOpening::NoViewer:
        text = QStringLiteral("取扱説明書を開けませんでした。\nPDF を表示するプログラムがインストールされているか"
                              "確認してください。\n%1")
                   .arg(path);
        break;
    }
    m_prompter->showText(output::SystemMessage, text.toStdString(), output::Icon::Warning);
}

} // namespace qx::app
