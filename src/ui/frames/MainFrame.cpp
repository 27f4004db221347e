#include "ui/frames/MainFrame.h"

#include "ui/frames/ChildFrame.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/editing/ClipboardMime.h"
#include "ui/editing/EditingController.h"
#include "ui/frames/KorvintaView.h"
#include "ui/frames/MainFrameHost.h"
#include "ui/frames/MainFrameIcons.h"
#include "ui/frames/MainFrameMenus.h"
#include "ui/frames/KeyboardLocks.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/RunTotalsText.h"
#include "ui/dialogs/settings/ConfigDialogs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

namespace qx::ui {

namespace {

const QString ApplicationTitle = QStringLiteral("コルビンタ PCエディタ");
const QString ManualFileName = QStringLiteral("KorvintaPCEditor_Manual") + QStringLiteral(".pdf");

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

/// A tool tip from a menu text: no shortcut part, no mnemonic, no ellipsis.
QString toolTipFrom(QString text) {
    text = text.section(QLatin1Char('\t'), 0, 0);
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)"));
    text.remove(mnemonic);
    text.remove(QStringLiteral("..."));
    text.remove(QLatin1Char('&'));
    return text;
}

/// The keys that switch one of the status bar's locks.
bool isLockKey(int key) {
    switch (key) {
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Kana_Lock:
    case Qt::Key_Kana_Shift:
    case Qt::Key_Hiragana_Katakana:
    case Qt::Key_Katakana:
    case Qt::Key_Hiragana:
        return true;
    default:
        return false;
    }
}

/// The private clipboard formats as they reach the clipboard on every platform.
bool clipboardHas(const QMimeData* mime, formats::ClipboardFormat format) {
    return mime != nullptr && mime->hasFormat(clipboardMimeType(format));
}

constexpr int FirstWindowListEntry = 0xFF00;
constexpr int WindowListEntries = 10;

} // namespace

CMainFrame::CMainFrame(QSettings& store, MainFrameHost& host, QWidget* parent)
    : QMainWindow(parent), m_store(store), m_host(host), m_mdi(new QMdiArea(this)) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(ApplicationTitle);
    setWindowIcon(applicationIcon());
    setAcceptDrops(true);
    setCentralWidget(m_mdi);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_openManual = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    createActions();
    m_menusWithoutDocument = buildMenus(false);
    m_menusWithDocument = buildMenus(true);
    showMenuBar(false);
    createToolBar();
    createStatusBar();
    QCoreApplication::instance()->installEventFilter(this); // lock keys may change in any window
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &CMainFrame::onSubWindowActivated);
    connect(qApp, &QApplication::focusChanged, this, &CMainFrame::updateCommandStates);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &CMainFrame::updateCommandStates);
    updateCommandStates();
}

CMainFrame::~CMainFrame() {
    // The windows go before the frame's own members; they must not report back into a half-gone frame.
    disconnect(m_mdi, nullptr, this, nullptr);
    disconnect(qApp, nullptr, this, nullptr);
    for (CChildFrame* window : m_windows) {
        disconnect(window, nullptr, this, nullptr);
    }
}

QString CMainFrame::manualPath() {
    // Beside the program where it was built or unpacked; an installed program finds it among the
    // installed documents, where Linux packages keep them.
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.filePath(ManualFileName);
    const QString installed = program.filePath(QStringLiteral("../share/doc/qx-editor/") + ManualFileName);
    return QFileInfo::exists(beside) || !QFileInfo::exists(installed) ? beside : QDir::cleanPath(installed);
}

void CMainFrame::setModelType(model::ModelType modelType) {
    if (m_modelType == modelType) {
        return;
    }
    m_modelType = modelType;
    for (BuiltMenu& built : m_menusWithDocument) {
        built.menu->deleteLater();
    }
    m_menusWithDocument = buildMenus(true);
    showMenuBar(m_showingDocumentMenus);
    updateCommandStates();
}

// ---- Actions and menus -----------------------------------------------------------------------

QAction* CMainFrame::ensureAction(int command) {
    const auto found = m_actions.find(command);
    if (found != m_actions.end()) {
        return found->second;
    }
    auto* action = new QAction(this);
    action->setData(command);
    action->setObjectName(QStringLiteral("command%1").arg(command));
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    addAction(action); // shortcuts work whichever menu bar is shown
    m_actions.emplace(command, action);
    return action;
}

void CMainFrame::createActions() {
    // Every command of every menu, then the shortcut-only ones.
    const auto visit = [this](auto&& self, std::span<const MenuItem> items) -> void {
        for (const MenuItem& item : items) {
            if (item.isSubmenu()) {
                self(self, item.submenu);
            } else if (!item.isSeparator()) {
                QAction* action = ensureAction(item.command);
                if (action->text().isEmpty()) {
                    action->setText(fromUtf8(item.text));
                }
            }
        }
    };
    for (const AdjustedMenu& menu : menuBarWithDocument(model::models::Default)) {
        visit(visit, menu.items);
    }
    for (const MenuBarEntry& menu : menuBarWithoutDocument()) {
        visit(visit, menu.items);
    }
    std::map<int, QList<QKeySequence>> keys;
    for (const Accelerator& accelerator : acceleratorTable()) {
        keys[accelerator.command].push_back(QKeySequence(fromUtf8(accelerator.keys)));
    }
    for (const auto& [command, sequences] : keys) {
        QAction* action = ensureAction(command);
        action->setShortcuts(sequences);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    ensureAction(Command::Frame)->setCheckable(true);
    for (auto& [command, action] : m_actions) {
        action->setIcon(commandIcon(command));
        const QString prompt = fromUtf8(commandPrompt(command));
        action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
        const QString tip = prompt.section(QLatin1Char('\n'), 1, 1);
        action->setToolTip(tip.isEmpty() ? toolTipFrom(action->text()) : tip);
    }
}

void CMainFrame::fillMenu(QMenu* menu, std::span<const MenuItem> items, BuiltMenu& built) {
    for (const MenuItem& item : items) {
        if (item.isSeparator()) {
            menu->addSeparator();
        } else if (item.isSubmenu()) {
            QMenu* submenu = menu->addMenu(fromUtf8(item.text));
            connect(submenu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
            fillMenu(submenu, item.submenu, built);
        } else {
            QAction* action = ensureAction(item.command);
            built.texts.emplace_back(action, fromUtf8(item.text));
            menu->addAction(action);
        }
    }
}

std::vector<CMainFrame::BuiltMenu> CMainFrame::buildMenus(bool withDocument) {
    std::vector<BuiltMenu> menus;
    const auto add = [&](std::string_view title, std::span<const MenuItem> items) {
        BuiltMenu built{new QMenu(fromUtf8(title), this), {}};
        connect(built.menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
        fillMenu(built.menu, items, built);
        if (items.data() != nullptr && !items.empty() && items.front().command == Command::WindowNew) {
            QMenu* menu = built.menu;
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { rebuildWindowList(menu); });
        }
        menus.push_back(std::move(built));
    };
    if (withDocument) {
        for (const AdjustedMenu& menu : menuBarWithDocument(m_modelType)) {
            add(menu.title, menu.items);
        }
    } else {
        for (const MenuBarEntry& menu : menuBarWithoutDocument()) {
            add(menu.title, menu.items);
        }
    }
    return menus;
}

void CMainFrame::showMenuBar(bool withDocument) {
    m_showingDocumentMenus = withDocument;
    menuBar()->clear();
    for (const BuiltMenu& built : withDocument ? m_menusWithDocument : m_menusWithoutDocument) {
        menuBar()->addMenu(built.menu);
        for (const auto& [action, text] : built.texts) {
            action->setText(text);
        }
    }
}

QList<QMenu*> CMainFrame::shownMenus() const {
    QList<QMenu*> menus;
    for (const BuiltMenu& built : m_showingDocumentMenus ? m_menusWithDocument : m_menusWithoutDocument) {
        menus.push_back(built.menu);
    }
    return menus;
}

void CMainFrame::rebuildWindowList(QMenu* menu) {
    for (QAction* action : m_windowListActions) {
        menu->removeAction(action);
        action->deleteLater();
    }
    m_windowListActions.clear();
    const QList<QMdiSubWindow*> windows = m_mdi->subWindowList();
    if (windows.isEmpty()) {
        return;
    }
    m_windowListActions.push_back(menu->addSeparator());
    const bool editing = enablingContext().editing;
    for (int i = 0; i < windows.size() && i < WindowListEntries; ++i) {
        QMdiSubWindow* window = windows[i];
        QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle()));
        entry->setData(FirstWindowListEntry + i);
        entry->setCheckable(true);
        entry->setChecked(window == m_mdi->activeSubWindow());
        entry->setEnabled(!editing);
        connect(entry, &QAction::triggered, this, [this, window] { m_mdi->setActiveSubWindow(window); });
        m_windowListActions.push_back(entry);
    }
}

void CMainFrame::createToolBar() {
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setIconSize(QSize(16, 16));
    for (const int command : toolBarCommands()) {
        if (command == 0) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(ensureAction(command));
        }
    }
}

void CMainFrame::createStatusBar() {
    m_statusMessage = new QLabel(QStringLiteral("レディ"), this);
    m_statusMessage->setObjectName(QStringLiteral("statusMessage"));
    statusBar()->addWidget(m_statusMessage, 1);
    // Where the operator looks before printing: what the current document's run comes to.
    m_runTotals = new QLabel(this);
    m_runTotals->setObjectName(QStringLiteral("runTotals"));
    m_runTotals->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_runTotals->hide();
    statusBar()->addPermanentWidget(m_runTotals);
    // Beside the lock indicators, so that no menu prompt covers it.
    m_statusWarning = new QLabel(this);
    m_statusWarning->setObjectName(QStringLiteral("statusWarning"));
    QPalette warning = m_statusWarning->palette();
    warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_statusWarning->setPalette(warning);
    m_statusWarning->hide();
    statusBar()->addPermanentWidget(m_statusWarning);
    for (const std::string_view indicator : statusIndicators()) {
        auto* label = new QLabel(fromUtf8(indicator), this);
        label->setObjectName(QStringLiteral("indicator") + fromUtf8(indicator));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(label);
        m_lockIndicators.push_back(label);
    }
    updateLockIndicators();
}

void CMainFrame::updateLockIndicators() {
    // An indicator shows only where the desktop tells the lock's state: a grey one that never
    // lights would lie to the operator. Lit (enabled) while the lock is on.
    const KeyboardLocks locks = readKeyboardLocks();
    const std::optional<bool> states[] = {locks.kana, locks.capsLock, locks.numLock, locks.scrollLock};
    for (std::size_t i = 0; i < m_lockIndicators.size() && i < std::size(states); ++i) {
        m_lockIndicators[i]->setVisible(states[i].has_value());
        m_lockIndicators[i]->setEnabled(states[i].value_or(false));
    }
}

QString CMainFrame::statusMessage() const { return m_statusMessage->text(); }

void CMainFrame::setStatusWarning(const QString& text, const QString& details) {
    m_statusWarning->setText(text);
    m_statusWarning->setToolTip(details);
    m_statusWarning->setVisible(!text.isEmpty());
}

QString CMainFrame::statusWarning() const {
    return m_statusWarning->isHidden() ? QString() : m_statusWarning->text();
}

QAction* CMainFrame::action(int command) const {
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

// ---- Commands ----------------------------------------------------------------------------------

EnablingContext CMainFrame::enablingContext() const {
    EnablingContext context;
    context.modelType = m_modelType;
    if (CChildFrame* window = activeWindow()) {
        window->fillEnablingContext(context);
    }
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    context.clipboard.text = clipboard != nullptr && clipboard->hasText();
    context.clipboard.row = clipboardHas(clipboard, formats::ClipboardFormat::Row);
    context.clipboard.number = clipboardHas(clipboard, formats::ClipboardFormat::Number);
    context.clipboard.pitch = clipboardHas(clipboard, formats::ClipboardFormat::Pitch);
    context.clipboard.format = clipboardHas(clipboard, formats::ClipboardFormat::Format);
    context.clipboard.all = clipboardHas(clipboard, formats::ClipboardFormat::All);
    context.clipboard.column = clipboardHas(clipboard, formats::ClipboardFormat::Column);
    return context;
}

bool CMainFrame::isAvailable(int command) const {
    if (CChildFrame* window = activeWindow(); window != nullptr && window->hasCommand(command)) {
        return true;
    }
    switch (command) {
    case Command::TargetSettings:
        return static_cast<bool>(m_targetSettings);
    case Command::EnvironmentSettings:
        return m_context != nullptr;
    case Command::WindowNew:
    case Command::WindowTile:
    case Command::HelpIndex:
    case Command::Help:
    case Command::HelpFinder:
    case Command::ContextHelp:
        return true;
    default:
        return m_host.hasCommand(command);
    }
}

CommandState CMainFrame::commandStateOf(int command) const {
    CommandState state = commandState(command, enablingContext());
    state.enabled = state.enabled && isAvailable(command);
    return state;
}

void CMainFrame::updateCommandStates() {
    const EnablingContext context = enablingContext();
    for (const auto& [command, action] : m_actions) {
        CommandState state = commandState(command, context);
        action->setEnabled(state.enabled && isAvailable(command));
        if (action->isCheckable()) {
            action->setChecked(state.checked);
        }
    }
}

bool CMainFrame::runCommand(int command) {
    if (command == Command::DeferredStartup) {
        return m_host.runCommand(command);
    }
    if (!commandStateOf(command).enabled) {
        return false;
    }
    bool ran = false;
    if (CChildFrame* window = activeWindow(); window != nullptr && window->runCommand(command)) {
        ran = true;
    } else if (runFrameCommand(command)) {
        ran = true;
    } else {
        ran = m_host.runCommand(command);
    }
    updateCommandStates();
    return ran;
}

bool CMainFrame::runFrameCommand(int command) {
    switch (command) {
    case Command::TargetSettings: {
        CChildFrame* window = activeWindow();
        if (window == nullptr || !m_targetSettings) {
            return false;
        }
        EditDocument& document = window->document();
        model::EditData edited = document.data();
        if (m_targetSettings(this, document.context(), edited, false)) {
            window->editing().recordUndo();
            document.data() = std::move(edited);
            document.notifyChanged(UpdateHint::Everything);
        }
        return true;
    }
    case Command::EnvironmentSettings:
        if (m_context == nullptr) {
            return false;
        }
        if (runEnvironmentSettings(this, *m_context)) {
            m_host.environmentSettingsConfirmed();
            if (CChildFrame* window = activeWindow()) {
                window->document().notifyChanged(UpdateHint::Everything);
            }
        }
        return true;
    case Command::WindowNew:
        if (CChildFrame* window = activeWindow()) {
            addDocumentWindow(window->document());
        }
        return true;
    case Command::WindowTile:
        m_mdi->tileSubWindows();
        return true;
    case Command::HelpIndex:
    case Command::Help:
    case Command::HelpFinder:
        openManual();
        return true;
    case Command::ContextHelp:
        // The operator first points at what the question is about; the click opens the manual.
        m_pointingForHelp = true;
        QWhatsThis::enterWhatsThisMode();
        return true;
    default:
        return false;
    }
}

void CMainFrame::openManual() {
    // No message when there is no manual: the desktop shows its own if it cannot open the file.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_openManual(QUrl::fromLocalFile(manualPath()));
    QApplication::restoreOverrideCursor();
}

// ---- Document windows ----------------------------------------------------------------------------

CChildFrame& CMainFrame::addDocumentWindow(EditDocument& document) {
    auto* window = new CChildFrame(document, m_store);
    window->setCloseQuery([this](CChildFrame& frame) { return m_host.queryCloseWindow(frame); });
    QMdiSubWindow* sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(applicationIcon());
    const std::optional<QString> stored = readStoredText(m_store, QStringLiteral("WndChildSize"));
    const std::optional<QSize> size = stored ? parseChildSize(stored->toStdString()) : std::nullopt;
    const QSize normal = size ? *size : defaultChildSize(normalGeometry().size());
    window->setNormalSize(normal);
    sub->resize(normal);
    sub->installEventFilter(this);
    m_windows.push_back(window);
    connect(window, &QObject::destroyed, this, [this, window, &document] {
        std::erase(m_windows, window);
        m_host.windowDestroyed(document);
        updateTitles();
        updateCommandStates();
        updateRunTotals();
    });
    connect(window, &CChildFrame::commandStateChanged, this, &CMainFrame::updateCommandStates);
    // Every document window shows the text columns as wide as the operator last made them.
    connect(window, &CChildFrame::columnWidthsChanged, this, [this, window] {
        const std::vector<int> widths = window->view().columnWidths();
        for (CChildFrame* other : m_windows) {
            if (other != window) {
                other->view().setColumnWidths(widths);
            }
        }
    });
    // The grid's context menu runs and enables its commands exactly as the main menu does.
    connect(window, &CChildFrame::commandRequested, this, [this](int command) { runCommand(command); });
    window->view().grid().setCommandEnabler([this](int command) { return commandStateOf(command).enabled; });
    connect(&document, &EditDocument::titleChanged, this, &CMainFrame::updateTitles, Qt::UniqueConnection);
    connect(&document, &EditDocument::changed, this, &CMainFrame::updateCommandStates, Qt::UniqueConnection);
    connect(&document, &EditDocument::changed, this, &CMainFrame::updateRunTotals, Qt::UniqueConnection);
    connect(&document, &EditDocument::modifiedChanged, this, &CMainFrame::updateCommandStates,
            Qt::UniqueConnection);
    connect(&document, &EditDocument::modifiedChanged, this, &CMainFrame::updateTitles, Qt::UniqueConnection);
    // A document window is always shown at full size inside the main window.
    sub->showMaximized();
    m_mdi->setActiveSubWindow(sub);
    window->activateFirstTime();
    updateTitles();
    updateCommandStates();
    return *window;
}

std::vector<CChildFrame*> CMainFrame::windowsOf(const EditDocument& document) const {
    std::vector<CChildFrame*> windows;
    for (CChildFrame* window : m_windows) {
        if (&window->document() == &document) {
            windows.push_back(window);
        }
    }
    return windows;
}

CChildFrame* CMainFrame::activeWindow() const {
    // The current window stays current while a dialog or another program has the focus.
    QMdiSubWindow* sub = m_mdi->currentSubWindow();
    if (sub == nullptr) {
        return nullptr;
    }
    auto* window = qobject_cast<CChildFrame*>(sub->widget());
    return std::find(m_windows.begin(), m_windows.end(), window) != m_windows.end() ? window : nullptr;
}

void CMainFrame::closeWindowsOf(const EditDocument& document) {
    for (CChildFrame* window : windowsOf(document)) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
            sub->close();
        }
    }
}

void CMainFrame::onSubWindowActivated(QMdiSubWindow*) {
    if (CChildFrame* window = activeWindow()) {
        window->activateFirstTime();
        window->view().provideFocusRow();
    }
    updateTitles();
    updateCommandStates();
    updateRunTotals();
}

void CMainFrame::updateRunTotals() {
    const CChildFrame* window = activeWindow();
    m_runTotals->setVisible(window != nullptr);
    if (window == nullptr) {
        return;
    }
    const EditDocument& document = window->document();
    const EditorContext& context = document.context();
    m_runTotals->setText(runTotalsText(output::runTotals(context.catalogue, context.settings, document.data())));
}

void CMainFrame::updateTitles() {
    // Several windows on one document are told apart by a running number after its title.
    std::map<const EditDocument*, int> seen;
    std::map<const EditDocument*, int> total;
    for (CChildFrame* window : m_windows) {
        ++total[&window->document()];
    }
    for (CChildFrame* window : m_windows) {
        const EditDocument* document = &window->document();
        const int index = ++seen[document];
        QString title = document->title();
        if (total[document] > 1) {
            title += QStringLiteral(":%1").arg(index);
        }
        // Unsaved changes show as a star after the title, the desktop's way. The star is written
        // out rather than left to Qt's "[*]" placeholder: Qt then finds the document's title in the
        // main title as it is and leaves the main title alone.
        if (document->isModified()) {
            title += u'*';
        }
        window->setWindowTitle(title);
        if (QWidget* sub = window->parentWidget()) {
            sub->setWindowTitle(title);
        }
    }
    updateMainTitle();
    // The menu bar is menu 129 while a document window is current.
    const bool withDocument = activeWindow() != nullptr;
    if (withDocument != m_showingDocumentMenus) {
        showMenuBar(withDocument);
    }
}

void CMainFrame::updateMainTitle() {
    // The program's title names the current document in every window state: in brackets while its
    // window fills the frame, plain otherwise. Qt rewrites the title itself when a document window
    // is maximised or restored, so this runs again after every state change and has the last word.
    QString title = ApplicationTitle;
    if (const CChildFrame* window = activeWindow()) {
        const QMdiSubWindow* sub = qobject_cast<const QMdiSubWindow*>(window->parentWidget());
        const bool full = sub != nullptr && sub->isMaximized();
        title += full ? QStringLiteral(" - [%1]").arg(sub->windowTitle())
                      : QStringLiteral(" - %1").arg(window->windowTitle());
    }
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // Asking the desktop costs a round trip: only a lock key or coming back to the program can
    // have changed what the indicators show, not the keys typed into cells.
    if ((event->type() == QEvent::KeyRelease && isLockKey(static_cast<QKeyEvent*>(event)->key())) ||
        event->type() == QEvent::ApplicationStateChange) {
        updateLockIndicators();
    }
    if (m_pointingForHelp) {
        switch (event->type()) {
        case QEvent::QueryWhatsThis: // every element may be pointed at, not only those with a text
            event->accept();
            return true;
        case QEvent::WhatsThis:
            m_pointingForHelp = false;
            QWhatsThis::leaveWhatsThisMode();
            openManual();
            return true;
        case QEvent::LeaveWhatsThisMode:
            m_pointingForHelp = false;
            break;
        default:
            break;
        }
    }
    if (event->type() == QEvent::WindowStateChange && qobject_cast<QMdiSubWindow*>(watched) != nullptr) {
        QMetaObject::invokeMethod(this, &CMainFrame::updateMainTitle, Qt::QueuedConnection);
    }
    if (event->type() == QEvent::Resize) {
        auto* sub = qobject_cast<QMdiSubWindow*>(watched);
        if (sub != nullptr && !sub->isMaximized() && !sub->isMinimized()) {
            if (auto* window = qobject_cast<CChildFrame*>(sub->widget())) {
                window->setNormalSize(sub->size());
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Placement, closing and dropped files ---------------------------------------------------------

void CMainFrame::restorePlacementAndShow() {
    QScreen* screen = QApplication::primaryScreen();
    const QRect workArea = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    WindowPlacement placement;
    bool usable = false;
    if (const std::optional<QString> stored = readStoredText(m_store, QStringLiteral("WndMainPosition"))) {
        if (const std::optional<WindowPlacement> parsed = parseMainPosition(stored->toStdString())) {
            placement = *parsed;
            // A placement on a screen that is no longer there would hide the window.
            usable = workArea.intersects(placement.normalRect());
        }
    }
    setGeometry(usable ? placement.normalRect() : defaultMainRect(workArea, menuBar()->sizeHint().height()));
    if (usable && placement.showState == ShowState::Maximised) {
        showMaximized();
    } else {
        showNormal();
    }
}

WindowPlacement CMainFrame::currentPlacement() const {
    WindowPlacement placement;
    placement.showState = isMaximized() ? ShowState::Maximised : ShowState::Normal;
    const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    return placement;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_host.queryExit()) {
        event->ignore();
        return;
    }
    writeStoredText(m_store, QStringLiteral("WndMainPosition"), formatMainPosition(currentPlacement()));
    m_mdi->closeAllSubWindows();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* mime = event->mimeData();
    if (mime != nullptr && mime->hasUrls()) {
        for (const QUrl& url : mime->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            paths.push_back(url.toLocalFile());
        }
    }
    event->acceptProposedAction();
    activateWindow();
    m_host.openDroppedFiles(paths);
}

} // namespace qx::ui
