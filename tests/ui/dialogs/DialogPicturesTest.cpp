// Pictures of every print, send, environment settings, sequence number and symbol dialog variant:
// each must open and draw; on the X display run they are kept for looking at (QX_DIALOG_PICTURES).
#include "ui/dialogs/import/WireListImportDlg.h"
#include "ui/dialogs/settings/ConfigDialogs.h"
#include "ui/dialogs/symbol/MarkDlg.h"
#include "ui/dialogs/symbol/MarkDlgV9.h"
#include "ui/dialogs/output/OutputDialogs.h"
#include "ui/dialogs/sequence/SeqDlg.h"
#include "ui/dialogs/sequence/SeqDlgV12.h"
#include "ui/dialogs/output/SendDlgV12.h"
#include "ui/dialogs/symbol/SymbolEdit.h"
#include "ui/dialogs/symbol/SymbolGrid.h"
#include "ui/EditorContext.h"
#include "render/PrintFont.h"
#include "render/SymbolCatalogue.h"
#include "render/SymbolPictures.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "model/Sequences.h"
#include "output/PrintFieldCheck.h"
#include "support/DialogPictures.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QComboBox>
#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

TEST(DialogPictures, EveryVariant) {
    const testing::DialogPictures out;
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
        out.save(print->dialog(), QStringLiteral("print-%1.png").arg(suffix));
        auto send = createSendDialog(SendDlgSetup{catalogue, prompter, {}});
        out.save(send->dialog(), QStringLiteral("send-%1.png").arg(suffix));
    }
    for (const model::ModelType model : {1, 3, 6, 9}) {
        const model::Catalogue catalogue(model);
        auto config = createConfigDialog(ConfigDlgSetup{catalogue, prompter,
                                                        model::OperatorSettings::defaultsFor(catalogue),
                                                        {{"Thin", 5, -5, 2}, {"Thick", 7, 10, 0}}});
        out.save(config->dialog(), QStringLiteral("config-%1.png").arg(model));
    }

    {
        // The sequence number dialogs: one definition per block, then the line with its numbers.
        const model::tagSEQ_V900 run{model::SequenceMode::Decimal, 3, 1, 20, model::SequenceOutput::Every, 0};
        const model::Catalogue w790(model::models::QX790);
        CSeqDlg seq(w790, prompter, run);
        out.save(seq, QStringLiteral("seq-1.png"));
        const model::Catalogue w(3);
        CSeqDlgV9 seqV9(w, prompter, run);
        out.save(seqV9, QStringLiteral("seq-3.png"));
        const model::Catalogue w3(9);
        const model::tagSEQ_V900 letters{model::SequenceMode::UpperCase, 0, 0x2341, 0x2345, 0, 0}; // Ａ to Ｅ
        SeqLine line;
        constexpr model::CharCode Marker = model::codes::SequenceMarker;
        // ＣＡＢＬＥ－{連番}－{連番}
        line.chars = {0x2343, 0x2341, 0x2342, 0x234C, 0x2345, 0x215D, Marker, 0x215D, Marker};
        line.sequences = {run, letters};
        CSeqDlgV12 seqV12(w3, prompter, line, false, model::SequenceAllowance{8, 100});
        out.save(seqV12, QStringLiteral("seq-9.png"));
    }

    // The symbol dialogs of each catalogue generation, on two groups each, and the send dialog's
    // name with a symbol in it.
    QTemporaryDir dir;
    QSettings store(dir.filePath("settings.ini"), QSettings::IniFormat);
    const render::SymbolPictures pictures(render::resolvePrintFontFamily());
    {
        const render::SymbolCatalogue symbols(model::models::QX790);
        for (const int group : {0, 6}) {
            CMarkDlg mark(symbols, pictures, store);
            mark.groupCombo().setCurrentIndex(group);
            mark.grid().select(8);
            out.save(mark, QStringLiteral("mark-1-group%1.png").arg(group));
        }
    }
    for (const model::ModelType model : {3, 9}) {
        const render::SymbolCatalogue symbols(model);
        for (const int group : {2, 6}) {
            CMarkDlgV9 mark({symbols, pictures, prompter, store, model,
                             {QStringLiteral("Ａ\"0x2F26\"－\"0x2A21\"\"0x2B21\"ＢＣ\"0x2C21\""), {{}}}});
            mark.groupCombo().setCurrentIndex(group);
            mark.grid().select(20);
            out.save(mark, QStringLiteral("markV9-%1-group%2.png").arg(model).arg(group));
        }
    }
    {
        const model::Catalogue catalogue(9);
        model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
        output::PrintOptions options;
        EditorContext context{catalogue, settings, options, prompter, store};
        context.symbolPictures = &pictures;
        const std::array<std::int16_t, 11> name{0x2350, 0x2341, 0x234E, 0x2A21, 0x2B21, 0x2C21};
        auto send = createSendDialog(SendDlgSetup{catalogue, prompter, name, &context});
        send->dialog().findChild<QAbstractButton*>(QStringLiteral("modeMemory"))->click();
        out.save(send->dialog(), QStringLiteral("send-9-symbol-name.png"));
    }
}

TEST(DialogPictures, WireListImport) {
    // A wire list saved by a spreadsheet program, both ends of each wire, two lines a piece, going
    // in front of the second block of a document.
    const testing::DialogPictures out;
    output::testing::ScriptedPrompter prompter;
    QTemporaryDir dir;
    QSettings store(dir.filePath("settings.ini"), QSettings::IniFormat);
    const model::Catalogue catalogue(model::models::QX950W3);
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    output::PrintOptions options;
    const EditorContext context{catalogue, settings, options, prompter, store};
    model::EditData current = model::createEditData(catalogue, 1);
    current.blockCount = 2;
    current.line(0, 0).chars = {0x2350, 0x2341, 0x234E, 0x2345, 0x234C, 0x2331}; // ＰＡＮＥＬ１
    const QString file = dir.filePath(QStringLiteral("制御盤A 接続リスト.xlsx"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QX_TEST_DATA_DIR "/wirelist/calc-wires.xlsx"), file));
    CWireListImportDlg dialog(
        {context, current, 1, std::filesystem::path(QFile::encodeName(dir.filePath("profiles")).toStdString()), file, {}});
    dialog.findChild<QLineEdit*>(QStringLiteral("line2"))->setText(QStringLiteral("{here}>{there}"));
    emit dialog.findChild<QLineEdit*>(QStringLiteral("line2"))->textEdited(QStringLiteral("{here}>{there}"));
    dialog.findChild<QLineEdit*>(QStringLiteral("profileName"))->setText(QStringLiteral("制御盤 接続リスト"));
    out.save(dialog, QStringLiteral("wirelist-import.png"));
    EXPECT_TRUE(prompter.shown().empty());
}

} // namespace
} // namespace qx::ui
