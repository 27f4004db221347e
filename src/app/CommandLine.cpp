#include "CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace qx::app {

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("コルビンタ PCエディタ: the editor of QX-series marking documents."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption modelOption(
        QStringLiteral("model"),
        QStringLiteral("Test convenience: use printer model index N (0, 1, 2, 3, 5, 6, 8 or 9) without asking."),
        QStringLiteral("N"));
    QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                  QStringLiteral("Save a picture of the main window after start-up, then exit."),
                                  QStringLiteral("FILE"));
    screenshot.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption noSplash(QStringLiteral("no-splash"), QStringLiteral("Start without the splash picture."));
    noSplash.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption trace(QStringLiteral("trace-startup"),
                             QStringLiteral("Report on standard error when the model dialog appears."));
    trace.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption traceMessages(QStringLiteral("trace-messages"),
                                     QStringLiteral("Report on standard error the number of every message shown."));
    traceMessages.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(modelOption);
    parser.addOption(screenshot);
    parser.addOption(noSplash);
    parser.addOption(trace);
    parser.addOption(traceMessages);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .QXF or .CSV file to open."),
                                 QStringLiteral("[file]"));

    CommandLine result;
    result.helpText = parser.helpText();
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    result.helpRequested = parser.isSet(help);
    result.versionRequested = parser.isSet(version);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.error = QStringLiteral("Only one file can be opened at start-up.");
        return result;
    }
    if (!files.isEmpty()) {
        result.options.documentPath = files.front();
    }
    if (parser.isSet(modelOption)) {
        bool ok = false;
        const int index = parser.value(modelOption).toInt(&ok);
        if (!ok || !model::isKnownModel(index)) {
            result.error = QStringLiteral("Unknown printer model index: %1").arg(parser.value(modelOption));
            return result;
        }
        result.options.model = index;
    }
    result.options.screenshotPath = parser.value(screenshot);
    result.options.splash = !parser.isSet(noSplash) && result.options.screenshotPath.isEmpty();
    result.options.traceStartup = parser.isSet(trace);
    result.options.traceMessages = parser.isSet(traceMessages);
    return result;
}

} // namespace qx::app
