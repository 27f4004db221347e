#pragma once

#include "CommandLine.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "ui/EditorContext.h"
#include "ui/grid/ForbiddenCharNotice.h"
#include "ui/frames/MainFrame.h"
#include "ui/frames/MainFrameHost.h"
#include "ui/dialogs/output/SaveTarget.h"
#include "SplashWnd.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QSettings;

namespace qx::output {
class DriveProvider;
class Prompter;
} // namespace qx::output

namespace qx::render {
class SymbolCatalogue;
class SymbolPictures;
} // namespace qx::render

namespace qx::ui {
class QtPrompter;
}

namespace qx::app {

class CKorvintaDoc;
class RecoveryCopies;

/// The running editor: the one owner of the settings, the model's tables and the print options
/// for the whole run, the main window and the open documents. It starts in two stages: the main
/// window and the splash first, then (when the splash goes) the model choice, the settings and
/// the command line. Settings go back to the store only at exit.
class CKorvintaApp final : public QObject, public ui::MainFrameHost {
    Q_OBJECT

public:
    /// The places where the application runs a modal dialog. Each starts as the real dialog;
    /// tests put answers in their place.
    /// What became of a request to show the manual.
    enum class ManualOpening { Opened, Missing, NoViewer };
    struct Dialogs {
        /// The model dialog: (parent, stored model) → the chosen model.
        std::function<model::ModelType(QWidget* parent, model::ModelType current)> selectModel;
        ui::TargetSettingsRunner targetSettings;
        std::function<std::optional<ui::SaveTarget>(QWidget* parent, const ui::EditorContext& context,
                                                    const QString& proposedName, const QString& folder)>
            saveTarget;
        /// The open dialog: (parent, initial folder) → the chosen file, empty when cancelled.
        std::function<QString(QWidget* parent, const QString& folder)> openFile;
        std::function<void(QWidget* parent)> about;
        /// Hands the manual to the desktop's viewer.
        std::function<ManualOpening(const QUrl& manual)> openManual;
    };

    /// `store` is the settings store; `prompter` answers every message (null: message boxes).
    explicit CKorvintaApp(QSettings& store, output::Prompter* prompter = nullptr, QObject* parent = nullptr);
    ~CKorvintaApp() override;

    Dialogs& dialogs() { return m_dialogs; }
    /// Where unsaved documents are copied against a crash, and found again at the next start
    /// (before initialise). Without one nothing is copied or offered.
    void setRecoveryFolder(const QString& folder);
    RecoveryCopies* recoveryCopies() const { return m_recovery.get(); }
    /// The removable volumes for saving to memory cards (default: the mounted ones).
    void setDriveProvider(output::DriveProvider* drives) { m_drives = drives; }

    /// First stage: main window, placement, splash. The deferred start-up follows when the splash
    /// goes, or at once from the event loop when there is no splash.
    bool initialise(const StartupOptions& options);
    /// Second stage (command 32795): model, tables, settings, then the command line. Runs once.
    void deferredStartup();
    bool isStarted() const { return m_started; }

    ui::CMainFrame* mainFrame() const { return m_frame.get(); }
    CSplashWnd* splash() const { return m_splash.data(); }
    const model::OperatorSettings& settings() const { return m_settings; }
    model::ModelType modelType() const { return m_settings.modelType; }
    const ui::EditorContext* editorContext() const { return m_context ? &*m_context : nullptr; }
    output::Prompter& prompter() const { return *m_prompter; }
    /// The open documents, oldest first; the one of the active window.
    std::vector<CKorvintaDoc*> documents() const;
    CKorvintaDoc* activeDocument() const;
    QStringList recentFiles() const { return m_recentFiles; }
    /// Non-zero when the run should end with a failure status (a screenshot that was not written).
    int exitCode() const { return m_exitCode; }

    // The application's commands.
    /// 57600: the target dialog on a fresh record; a document and window only when confirmed.
    void newDocument();
    /// 57601: the open dialog, then openDocumentFile.
    void openCommand();
    /// Opens a named file: a CSV file as a new untitled document, anything else as a document file.
    /// An already open document file is brought to the front instead.
    CKorvintaDoc* openDocumentFile(const QString& path);
    /// 57603 (saveAs false) and 57604 (true).
    bool saveDocument(CKorvintaDoc& document, bool saveAs);
    /// 57602: the document's question, then all its windows close.
    bool closeDocument(CKorvintaDoc& document);
    /// Writes "Config", "Print" and the recent files (only once the model of the run is known).
    void writeSettingsAtExit();

    // ui::MainFrameHost
    bool hasCommand(int command) const override;
    bool runCommand(int command) override;
    bool queryCloseWindow(ui::CChildFrame& window) override;
    void windowDestroyed(ui::EditDocument& document) override;
    bool queryExit() override;
    void openDroppedFiles(const QStringList& paths) override;
    void environmentSettingsConfirmed() override;

private:
    void openManual(const QUrl& manual);
    CKorvintaDoc& addDocument();
    CKorvintaDoc* findDocument(const ui::EditDocument& document) const;
    QString nextUntitledTitle();
    CKorvintaDoc* openCsvFile(const QString& path);
    /// Closes a document's windows without its question (a cancelled CSV open).
    void discardDocument(CKorvintaDoc& document);
    /// The save question of a modified document: Yes saves, No goes on, Cancel stops.
    bool saveModified(CKorvintaDoc& document);
    void showFailedPosition(CKorvintaDoc& document, int block, int line);
    void takeScreenshot();
    void installDefaultDialogs();
    /// Gives a document its recovery copy.
    void watchForRecovery(CKorvintaDoc& document);
    /// The status bar's warning that unsaved work has no recovery copy.
    void showRecoveryWarning(bool shown);
    /// The copies of this model that ended runs left behind: opened as untitled documents or
    /// discarded, as the operator answers. True when documents were opened.
    bool offerRecoveredDocuments();

    QSettings& m_store;
    std::unique_ptr<ui::QtPrompter> m_ownPrompter;
    std::unique_ptr<output::Prompter> m_tracingPrompter;
    output::Prompter* m_prompter;
    std::unique_ptr<output::DriveProvider> m_ownDrives;
    output::DriveProvider* m_drives;
    Dialogs m_dialogs;
    StartupOptions m_options;

    std::unique_ptr<model::Catalogue> m_catalogue;
    model::OperatorSettings m_settings;
    output::PrintOptions m_printOptions;
    ui::ForbiddenCharNotice m_forbiddenCharNotice;
    std::unique_ptr<render::SymbolCatalogue> m_symbolCatalogue;
    std::unique_ptr<render::SymbolPictures> m_symbolPictures;
    std::optional<ui::EditorContext> m_context;

    // Before the documents: their copies are removed through it as they go.
    std::unique_ptr<RecoveryCopies> m_recovery;
    int m_recoveryIntervalMs;

    std::unique_ptr<ui::CMainFrame> m_frame;
    QPointer<CSplashWnd> m_splash;
    std::vector<std::unique_ptr<CKorvintaDoc>> m_documents;
    QStringList m_recentFiles;
    int m_untitledCount = 0;
    bool m_started = false;
    bool m_starting = false;
    bool m_exiting = false;
    bool m_settingsWritten = false;
    int m_exitCode = 0;
};

} // namespace qx::app
