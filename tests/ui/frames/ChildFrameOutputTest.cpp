#include "ui/frames/ChildFrame.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/EditorContext.h"
#include "ui/dialogs/TargetDlgSpinEdit.h"
#include "ui/dialogs/preview/PreviewDlg.h"
#include "ui/editing/EditingController.h"
#include "ui/frames/KorvintaView.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/OutputValidation.h"
#include "output/PrintJob.h"
#include "output/PrintOptions.h"
#include "output/Spooler.h"
#include "support/ScriptedPrompter.h"
#include "support/TypeText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace qx::ui {
namespace {

/// The modal dialog the operator would answer now; the note shown while the spooler works is
/// nobody's to answer.
QDialog* operatorDialog() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    return dialog != nullptr && dialog->objectName() != QLatin1String("sendingNote") ? dialog : nullptr;
}

using output::Answer;
using output::testing::ScriptedPrompter;

/// A spooler in memory with one queue for the model's driver; it keeps the bytes written.
class MemorySpooler final : public output::Spooler {
public:
    std::vector<output::SpoolerQueue> queues() override { return {{"qx", "KAV QX-950W3"}}; }
    bool open(const std::string&) override { return true; }
    bool startDocument(const std::string&) override { return true; }
    std::size_t write(std::span<const std::uint8_t> bytes) override {
        written.assign(bytes.begin(), bytes.end());
        ++jobs;
        return bytes.size();
    }
    bool endDocument() override { return true; }
    bool close() override { return true; }

    std::vector<std::uint8_t> written;
    int jobs = 0;
};

model::EditData threeBlocks(const model::Catalogue& catalogue) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = 3;
    data.target.pitchAuto = 0;
    for (int b = 0; b < 3; ++b) {
        data.block(b).pitch = 300;
        data.block(b).count = 2;
        data.block(b).lines[0].chars = {static_cast<model::CharCode>(0x2341 + b)};
        data.block(b).lineCount = 1;
    }
    return data;
}

class ChildFrameOutputTest : public ::testing::Test {
protected:
    ChildFrameOutputTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}

    void open(model::EditData data) {
        context.spooler = &spooler;
        context.printSettingsFolder = dir.filePath("KAV").toStdString();
        document = std::make_unique<EditDocument>(context, std::move(data));
        document->recomputeAllChecks();
        document->setTitle(QStringLiteral("run.QXF"));
        frame = std::make_unique<CChildFrame>(*document, store);
        frame->resize(900, 600);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    /// Runs `act` on the modal dialog once it is up; `command` opens it.
    void withDialog(int command, const std::function<void(QDialog&)>& act) {
        bool seen = false;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (auto* dialog = operatorDialog(); dialog && !seen) {
                seen = true;
                act(*dialog);
                // A dialog the act left open is a failure, not a hang.
                if (dialog->isVisible()) {
                    ADD_FAILURE() << "the dialog stayed open";
                    dialog->reject();
                }
            } else if (auto* stray = operatorDialog(); stray && seen) {
                ADD_FAILURE() << "a second dialog opened";
                stray->reject();
            }
        });
        timer.start();
        frame->runCommand(command);
        EXPECT_TRUE(seen);
    }
    static void click(QDialog& dialog, const char* name) {
        auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }
    static void type(QDialog& dialog, const char* name, const QString& text) {
        QWidget* w = dialog.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        qx::testing::replaceText(w, text);
    }

    QTemporaryDir dir;
    QSettings store;
    const model::Catalogue catalogue{9};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    output::PrintOptions printOptions = output::withPrintParameters(output::PrintOptions{}, settings.print);
    ScriptedPrompter prompter;
    MemorySpooler spooler;
    EditorContext context{catalogue, settings, printOptions, prompter, store};
    std::unique_ptr<EditDocument> document;
    std::unique_ptr<CChildFrame> frame;
};

// Print: the dialog's options go into the job the spooler receives, after 42011, and the operator
// is told 42013; the next print starts from them, the block range afresh.
TEST_F(ChildFrameOutputTest, PrintSendsTheDialogsJob) {
    open(threeBlocks(catalogue));
    withDialog(Command::FilePrint, [](QDialog& dialog) {
        type(dialog, "startBlock", QStringLiteral("2"));
        type(dialog, "copies", QStringLiteral("3"));
        type(dialog, "cutPosition", QStringLiteral("-0.5"));
        click(dialog, "okButton");
    });
    ASSERT_EQ(prompter.shownIds(), (std::vector<int>{42011, 42013}));
    EXPECT_EQ(prompter.shown()[1].icon, output::Icon::Information);
    output::PrintOptions expected = printOptions;
    EXPECT_EQ(expected.startBlock, 2);
    EXPECT_EQ(expected.endBlock, 3);
    EXPECT_EQ(expected.copies, 3);
    EXPECT_EQ(expected.cutPosAdjust, 15);
    EXPECT_EQ(settings.print.cutPosition, 15);
    const output::PrintJobResult job = output::BuildPrintJob(document->data(), catalogue, settings, expected, "");
    ASSERT_TRUE(job.ok);
    EXPECT_EQ(spooler.written, job.bytes);

    withDialog(Command::FilePrint, [](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<CTargetDlgSpinEdit*>(QStringLiteral("startBlock"))->text(), QStringLiteral("1"));
        EXPECT_EQ(dialog.findChild<CTargetDlgSpinEdit*>(QStringLiteral("cutPosition"))->text(),
                  QStringLiteral("-0.5"));
        click(dialog, "cancelButton");
    });
    EXPECT_EQ(spooler.jobs, 1);
}

// Send into document memory 7 with a name: the job stores only, and the document keeps the name.
// The input document leaves the name alone.
TEST_F(ChildFrameOutputTest, SendStoresIntoTheChosenMemory) {
    open(threeBlocks(catalogue));
    withDialog(Command::Send, [](QDialog& dialog) {
        click(dialog, "modeMemory");
        type(dialog, "documentNumber", QStringLiteral("7"));
        type(dialog, "documentSymbolName", QStringLiteral("PANEL 7"));
        click(dialog, "okButton");
    });
    ASSERT_EQ(prompter.shownIds(), (std::vector<int>{42011, 42013}));
    const std::string job(spooler.written.begin(), spooler.written.end());
    EXPECT_NE(job.find("@PJL SET MEMORYSELECT=07\n@PJL SET PRINTSELECT=0\n"), std::string::npos);
    EXPECT_EQ(job.find("HEATVOL"), std::string::npos);
    EXPECT_EQ(document->data().sendSettings[0], 0x2350); // Ｐ
    EXPECT_EQ(document->data().sendSettings[6], 0x2337); // ７
    EXPECT_TRUE(document->isModified());

    const auto name = document->data().sendSettings;
    withDialog(Command::Send, [](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("documentSymbolName"))->text(),
                  QStringLiteral("ＰＡＮＥＬ　７"));
        click(dialog, "okButton");
    });
    const std::string second(spooler.written.begin(), spooler.written.end());
    EXPECT_NE(second.find("@PJL SET MEMORYSELECT=00\n"), std::string::npos);
    EXPECT_EQ(document->data().sendSettings, name);
}

/// Runs the acts on the modal dialogs that open one after another once `command` runs.
void withDialogs(CChildFrame& frame, int command, std::vector<std::function<void(QDialog&)>> acts) {
    std::size_t next = 0;
    QDialog* last = nullptr;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = operatorDialog();
        if (dialog == nullptr || dialog == last) {
            return;
        }
        last = dialog;
        if (next == acts.size()) {
            ADD_FAILURE() << "one dialog more than expected: " << dialog->objectName().toStdString();
            dialog->reject();
            return;
        }
        acts[next++](*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dialog->reject();
        }
    });
    timer.start();
    frame.runCommand(command);
    EXPECT_EQ(next, acts.size());
}

QAbstractButton* childButton(QDialog& dialog, const QString& name) {
    auto* button = dialog.findChild<QAbstractButton*>(name);
    EXPECT_NE(button, nullptr) << name.toStdString();
    return button;
}

// The whole image opens on a document that passes its check, never on an empty one.
TEST_F(ChildFrameOutputTest, WholeImageOpensOnlyOnAPrintableDocument) {
    model::EditData empty = model::createEditData(catalogue, 1);
    empty.blockCount = 1;
    open(std::move(empty));
    ASSERT_TRUE(frame->hasCommand(Command::WholeImage));
    withDialogs(*frame, Command::WholeImage, {});
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{43067}));

    prompter = ScriptedPrompter();
    frame.reset(); // before the document it shows
    open(threeBlocks(catalogue));
    QSignalSpy requests(frame.get(), &CChildFrame::commandRequested);
    withDialogs(*frame, Command::WholeImage, {[](QDialog& dialog) {
                    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("全体ｲﾒｰｼﾞ"));
                    // The buttons show the tool bar's pictures and the commands' tips.
                    QAbstractButton* send = childButton(dialog, QStringLiteral("command32773"));
                    EXPECT_FALSE(send->icon().isNull());
                    EXPECT_EQ(send->toolTip(), QStringLiteral("送信"));
                    EXPECT_EQ(childButton(dialog, QStringLiteral("command32808"))->toolTip(),
                              QStringLiteral("全体表示"));
                    dialog.reject();
                }});
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(requests.count(), 0); // closed without a choice
}

// The preview's print button prints with the order the preview showed, once: the next print
// starts from the application's order again.
TEST_F(ChildFrameOutputTest, PreviewHandsItsSequenceOrderToTheNextPrint) {
    printOptions.seqOrder = 0;
    open(threeBlocks(catalogue));
    // Without the main frame, the window runs what it asks for itself.
    QObject::connect(frame.get(), &CChildFrame::commandRequested, frame.get(),
                     [this](int command) { frame->runCommand(command); });
    withDialogs(*frame, Command::WholeImage,
                {[](QDialog& preview) {
                     QAbstractButton* sequenceFirst = childButton(preview, QStringLiteral("seqOrderSequence"));
                     EXPECT_FALSE(sequenceFirst->isChecked());
                     QTest::mouseClick(sequenceFirst, Qt::LeftButton, {}, QPoint(6, sequenceFirst->height() / 2));
                     QTest::mouseClick(childButton(preview, QStringLiteral("command57607")), Qt::LeftButton);
                 },
                 [](QDialog& print) {
                     EXPECT_TRUE(childButton(print, QStringLiteral("seqOrderSequence"))->isChecked());
                     click(print, "cancelButton");
                 }});
    EXPECT_FALSE(frame->editing().previewSeqOrder().has_value());
    EXPECT_EQ(printOptions.seqOrder, 0);
    withDialog(Command::FilePrint, [](QDialog& dialog) {
        EXPECT_TRUE(childButton(dialog, QStringLiteral("seqOrderCount"))->isChecked());
        click(dialog, "cancelButton");
    });
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(spooler.jobs, 0);
}

// The send button runs the send dialog, whose OK sends the job.
TEST_F(ChildFrameOutputTest, PreviewSendButtonSends) {
    open(threeBlocks(catalogue));
    QObject::connect(frame.get(), &CChildFrame::commandRequested, frame.get(),
                     [this](int command) { frame->runCommand(command); });
    withDialogs(*frame, Command::WholeImage,
                {[](QDialog& preview) {
                     QTest::mouseClick(childButton(preview, QStringLiteral("command32773")), Qt::LeftButton);
                 },
                 [](QDialog& send) { click(send, "okButton"); }});
    EXPECT_EQ(spooler.jobs, 1);
}

// A document the printer cannot print never reaches the print dialog: the operator is told why and
// the cursor goes to the block at fault, in the pitch column for a pitch-table overflow and the
// first column otherwise. Sending has no check of its own; the job builder refuses it there.
TEST_F(ChildFrameOutputTest, AFailedCheckPutsTheCursorOnTheFailingBlock) {
    model::EditData data = threeBlocks(catalogue);
    // Thirty full-width letters at a fixed 3.2 mm need far more than a 30.0 mm piece.
    data.target.sizeMode = 0;
    data.block(1).lines[0].chars.assign(30, 0x2341);
    open(std::move(data));
    CTubePrintTable& grid = frame->findChild<CKorvintaView*>()->grid();
    grid.showCell(3, 0);
    ASSERT_FALSE(output::ValidateForOutput(document->data(), catalogue).ok());

    // Were the dialog to open after all, the test fails instead of waiting for it.
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "the print dialog opened";
            dialog->reject();
        }
    });
    guard.start(50);
    frame->runCommand(Command::FilePrint);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42055}));
    EXPECT_EQ(grid.focusRow(), 1);
    EXPECT_EQ(grid.focusColumn(), grid.columns().column(ColumnType::Line1));
    EXPECT_EQ(spooler.jobs, 0);

    // The whole image refuses the same document and points at the same block.
    grid.showCell(3, 0);
    frame->runCommand(Command::WholeImage);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42055, 43066}));
    EXPECT_EQ(grid.focusRow(), 1);
    EXPECT_EQ(grid.focusColumn(), grid.columns().column(ColumnType::Line1));
}

// Esc closes the whole image like every other dialog; in zoom-at-point mode it first leaves the mode.
TEST_F(ChildFrameOutputTest, EscapeClosesTheWholeImage) {
    open(threeBlocks(catalogue));
    QSignalSpy requests(frame.get(), &CChildFrame::commandRequested);
    withDialogs(*frame, Command::WholeImage, {[](QDialog& dialog) {
                    auto& preview = static_cast<CPreviewDlg&>(dialog);
                    QTest::mouseClick(childButton(dialog, QStringLiteral("command32807")), Qt::LeftButton);
                    ASSERT_TRUE(preview.zoomAtPointMode());
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                    EXPECT_FALSE(preview.zoomAtPointMode());
                    EXPECT_TRUE(dialog.isVisible());
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
                    EXPECT_FALSE(dialog.isVisible());
                }});
    EXPECT_EQ(requests.count(), 0);
}

// The block at fault is put at the top of the grid, not only somewhere in sight.
TEST_F(ChildFrameOutputTest, AFailedCheckPutsTheFailingBlockAtTheTop) {
    model::EditData data = threeBlocks(catalogue);
    data.blockCount = 80;
    for (int b = 3; b < 80; ++b) {
        data.block(b) = data.block(b % 3);
    }
    data.target.sizeMode = 0;
    data.block(40).lines[0].chars.assign(30, 0x2341);
    open(std::move(data));
    CTubePrintTable& grid = frame->findChild<CKorvintaView*>()->grid();
    grid.showCell(0, 0);
    ASSERT_EQ(grid.grid().controller().firstRow(), 0);
    frame->runCommand(Command::FilePrint);
    EXPECT_EQ(prompter.shownIds(), (std::vector<int>{42055}));
    EXPECT_EQ(grid.focusRow(), 40);
    EXPECT_EQ(grid.grid().controller().firstRow(), 40);
}

} // namespace
} // namespace qx::ui
