#include "app/PlatformTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qx::app {

bool installPlatformTranslation(QCoreApplication& application, QTranslator& translator) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    if (!translator.load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    return application.installTranslator(&translator);
}

} // namespace qx::app
