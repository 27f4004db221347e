// The desktop editor: the application object does everything; main() only reads the command line.
#include "app/CommandLine.h"
#include "app/KorvintaApp.h"
#include "app/PlatformTranslation.h"
#include "app/SettingsStore.h"

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTranslator>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QString::fromUtf8(qx::app::StoreOrganisation));
    QApplication::setApplicationName(QString::fromUtf8(qx::app::StoreApplication));
    QApplication::setApplicationVersion(QStringLiteral("1.80.00"));
    QApplication::setDesktopFileName(QStringLiteral("qxeditor"));
    QTranslator platformTexts;
    qx::app::installPlatformTranslation(application, platformTexts);

    const qx::app::CommandLine line = qx::app::parseCommandLine(QApplication::arguments());
    if (line.helpRequested) {
        std::fputs(qPrintable(line.helpText), stdout);
        return 0;
    }
    if (line.versionRequested) {
        std::printf("qxeditor 1.80.00\n");
        return 0;
    }
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "qxeditor: %s\n%s", qPrintable(line.error), qPrintable(line.helpText));
        return 2;
    }

    QSettings store(QSettings::IniFormat, QSettings::UserScope, QString::fromUtf8(qx::app::StoreOrganisation),
                    QString::fromUtf8(qx::app::StoreApplication));
    qx::app::CKorvintaApp editor(store);
    // Unsaved documents are copied into the user's own data folder, never beside their files.
    editor.setRecoveryFolder(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                             QStringLiteral("/recovery"));
    if (!editor.initialise(line.options)) {
        return 1;
    }
    const int status = QApplication::exec();
    return status != 0 ? status : editor.exitCode();
}
