// Pictures of every print, send and environment settings dialog variant, for looking at the
// layouts on a real display: set QX_DIALOG_PICTURES to a folder (and run on the xcb platform).
#include "ui/dialogs/ConfigDialogs.h"
#include "ui/dialogs/OutputDialogs.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintFieldCheck.h"
#include "support/ScriptedPrompter.h"

#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace qx::ui {
namespace {

void save(QDialog& dialog, const QString& path) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::qWait(100);
    EXPECT_TRUE(dialog.grab().save(path, "PNG")) << path.toStdString();
    dialog.hide();
}

TEST(DialogPictures, EveryVariant) {
    const char* folder = std::getenv("QX_DIALOG_PICTURES");
    if (folder == nullptr || *folder == '\0') {
        GTEST_SKIP() << "QX_DIALOG_PICTURES not set";
    }
    const QDir out(QString::fromLocal8Bit(folder));
    output::testing::ScriptedPrompter prompter;
    for (const model::ModelType model : {1, 3, 9}) {
        const model::Catalogue catalogue(model);
        const model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
        model::EditData data = model::createEditData(catalogue, 1);
        data.blockCount = 3;
        data.target.pitchAuto = 0;
        const output::PrintOptions start = output::printDialogStart(
            catalogue, model, data, output::withPrintParameters(output::PrintOptions{}, settings.print));
        const std::vector<output::PrintSettingEntry> sets{{"Thin", 5, -5, 2}, {"Thick", 7, 10, 0}};
        const QString suffix = QString::number(model);
        auto print = createPrintDialog(PrintDlgSetup{catalogue, settings, data, prompter, start, sets});
        save(print->dialog(), out.filePath(QStringLiteral("print-%1.png").arg(suffix)));
        auto send = createSendDialog(SendDlgSetup{catalogue, prompter, {}});
        save(send->dialog(), out.filePath(QStringLiteral("send-%1.png").arg(suffix)));
    }
    for (const model::ModelType model : {1, 3, 6, 9}) {
        const model::Catalogue catalogue(model);
        auto config = createConfigDialog(ConfigDlgSetup{catalogue, prompter,
                                                        model::OperatorSettings::defaultsFor(catalogue),
                                                        {{"Thin", 5, -5, 2}, {"Thick", 7, 10, 0}}});
        save(config->dialog(), out.filePath(QStringLiteral("config-%1.png").arg(model)));
    }
}

} // namespace
} // namespace qx::ui
