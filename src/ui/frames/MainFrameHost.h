#pragma once

#include <QStringList>

namespace qx::ui {

class CChildFrame;
class EditDocument;

/// What the main window asks of the application above it: the commands that create, open, save
/// and close documents or end the program, and the questions before a window or the program
/// closes. The application object implements it; tests may implement it to drive the frame alone.
class MainFrameHost {
public:
    virtual ~MainFrameHost() = default;

    /// Whether the application carries out this command (the enabling rules decide the rest).
    virtual bool hasCommand(int command) const = 0;
    /// Carries out an application command; false when it is not one.
    virtual bool runCommand(int command) = 0;

    /// A document window is about to close: the last window of a modified document asks whether
    /// to save it. False keeps the window open.
    virtual bool queryCloseWindow(CChildFrame& window) = 0;
    /// A document window is gone; the application drops a document without windows.
    virtual void windowDestroyed(EditDocument& document) = 0;

    /// The main window is about to close: every modified document's question, then the settings
    /// are written. False keeps the program running.
    virtual bool queryExit() = 0;

    /// Files dropped on the main window, opened one after the other.
    virtual void openDroppedFiles(const QStringList& paths) = 0;

    /// The environment settings were confirmed: the application keeps them at once, so that they
    /// outlive a crash of this run.
    virtual void environmentSettingsConfirmed() {}
};

} // namespace qx::ui
