#pragma once

#include "ui/frames/MainFrameMenus.h"
#include "ui/frames/MenuEnabling.h"
#include "ui/frames/WindowLayout.h"
#include "model/EditData.h"
#include "model/ModelType.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>
#include <map>
#include <span>
#include <vector>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSettings;
class QToolBar;

namespace qx::ui {

class CChildFrame;
class EditDocument;
class MainFrameHost;
struct EditorContext;

/// Runs the print target settings dialog on a record: true = OK and `data` changed, false =
/// cancelled and `data` untouched. `newDocument` also applies the operator's defaults.
using TargetSettingsRunner =
    std::function<bool(QWidget* parent, const EditorContext& context, model::EditData& data, bool newDocument)>;

/// The main window: menu bar, tool bar, status bar and the document windows inside it. Every menu
/// item, button and shortcut becomes a command id that goes, in this order, to the active
/// document window, to the frame itself and to the application (MainFrameHost); before any of
/// them runs, the command's enabling rule is asked.
class CMainFrame final : public QMainWindow {
    Q_OBJECT

public:
    /// `store` holds the "Settings" section with the window layout.
    CMainFrame(QSettings& store, MainFrameHost& host, QWidget* parent = nullptr);
    ~CMainFrame() override;

    /// The model fixed by the start-up: the menus of a document window adjust to it.
    void setModelType(model::ModelType modelType);
    model::ModelType modelType() const { return m_modelType; }

    /// The target settings dialog behind command 32772.
    void setTargetSettingsRunner(TargetSettingsRunner runner) { m_targetSettings = std::move(runner); }
    /// What the environment settings (32774) edit; the command is available once it is set.
    void setEditorContext(const EditorContext* context) { m_context = context; }
    /// Opens the manual; the default hands the file to the desktop. Tests replace it.
    void setManualOpener(std::function<void(const QUrl&)> opener) { m_openManual = std::move(opener); }
    /// "KorvintaPCEditor_Manual.pdf" in the program's own folder.
    static QString manualPath();

    /// Opens a new window on a document, shown at full size and made active.
    CChildFrame& addDocumentWindow(EditDocument& document);
    /// Every document window, oldest first; those of one document.
    std::vector<CChildFrame*> documentWindows() const { return m_windows; }
    std::vector<CChildFrame*> windowsOf(const EditDocument& document) const;
    CChildFrame* activeWindow() const;
    /// Closes every window of a document (each asks its question through the host).
    void closeWindowsOf(const EditDocument& document);
    QMdiArea& mdiArea() const { return *m_mdi; }

    /// Carries out a command if its enabling rule allows it; false when nothing ran.
    bool runCommand(int command);
    /// The command's state now: its enabling rule, and whether anything carries it out yet.
    CommandState commandStateOf(int command) const;
    /// The menu, tool bar and shortcut action of a command (null for an unknown one).
    QAction* action(int command) const;
    /// Brings every action's enabled and checked state up to date.
    void updateCommandStates();

    /// Places the window as "WndMainPosition" says, else centred at 85 % of the screen, and shows it.
    void restorePlacementAndShow();
    /// The placement as it will be stored.
    WindowPlacement currentPlacement() const;

    /// The menus on the bar now (tests look at their items).
    QList<QMenu*> shownMenus() const;
    QToolBar& toolBar() const { return *m_toolBar; }
    QString statusMessage() const;
    /// A warning that stays in the status bar until it is taken back with an empty text.
    void setStatusWarning(const QString& text, const QString& details = {});
    QString statusWarning() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BuiltMenu {
        QMenu* menu;
        std::vector<std::pair<QAction*, QString>> texts; ///< the texts this bar gives shared actions
    };

    QAction* ensureAction(int command);
    void createActions();
    std::vector<BuiltMenu> buildMenus(bool withDocument);
    void fillMenu(QMenu* menu, std::span<const MenuItem> items, BuiltMenu& built);
    void showMenuBar(bool withDocument);
    void createToolBar();
    void createStatusBar();
    void updateLockIndicators();
    bool isAvailable(int command) const;
    bool runFrameCommand(int command);
    void onSubWindowActivated(QMdiSubWindow* window);
    void updateTitles();
    void updateMainTitle();
    /// The current document's run totals in the status bar; nothing without a document window.
    void updateRunTotals();
    void rebuildWindowList(QMenu* menu);
    void openManual();
    EnablingContext enablingContext() const;

    QSettings& m_store;
    MainFrameHost& m_host;
    model::ModelType m_modelType = model::models::Default;
    QMdiArea* m_mdi;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_statusMessage = nullptr;
    QLabel* m_statusWarning = nullptr;
    QLabel* m_runTotals = nullptr;
    std::vector<QLabel*> m_lockIndicators; ///< ｶﾅ, CAP, NUM, SCRL
    bool m_pointingForHelp = false;        ///< Shift+F1 waits for the element the operator points at
    std::map<int, QAction*> m_actions;
    std::vector<BuiltMenu> m_menusWithoutDocument;
    std::vector<BuiltMenu> m_menusWithDocument;
    bool m_showingDocumentMenus = false;
    std::vector<QAction*> m_windowListActions;
    std::vector<CChildFrame*> m_windows;
    TargetSettingsRunner m_targetSettings;
    const EditorContext* m_context = nullptr;
    std::function<void(const QUrl&)> m_openManual;
};

} // namespace qx::ui
