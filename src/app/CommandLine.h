#pragma once

#include "model/ModelType.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace qx::app {

/// What the command line asks of a run.
struct StartupOptions {
    QString documentPath;                     ///< a .QXF or .CSV file to open; empty: a new document
    std::optional<model::ModelType> model;    ///< --model: chosen without the model dialog (tests)
    QString screenshotPath;                   ///< --screenshot: grab the main window after start-up, then exit
    bool splash = true;                       ///< --no-splash turns the splash off
    bool traceStartup = false;                ///< --trace-startup: report when the model dialog shows
    bool traceMessages = false;               ///< --trace-messages: report every message box's number
};

/// The outcome of reading the command line.
struct CommandLine {
    StartupOptions options;
    bool helpRequested = false;
    bool versionRequested = false;
    QString error;    ///< a message for the operator when the line cannot be used
    QString helpText; ///< the --help text
};

/// Reads the program's arguments (the first is the program itself).
CommandLine parseCommandLine(const QStringList& arguments);

} // namespace qx::app
