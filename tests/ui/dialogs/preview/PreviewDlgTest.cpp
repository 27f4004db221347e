#include "ui/dialogs/preview/PreviewArea.h"
#include "ui/dialogs/preview/PreviewDlg.h"
#include "ui/dialogs/preview/PreviewPlacement.h"

#include "ui/CommandIds.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/OutputTestDocuments.h"
#include "output/OutputValidation.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

using namespace output::testdocs;

class PreviewDlgTest : public ::testing::Test {
protected:
    explicit PreviewDlgTest(model::ModelType model = model::models::QX950W3)
        : catalogue(model), settings(model::OperatorSettings::defaultsFor(catalogue)),
          data(newDocument(catalogue, 0)) {}

    /// `blocks` one-piece blocks "A", "B", … of 20.0 mm.
    void blocksOfLetters(int blocks) {
        data.blockCount = static_cast<std::int16_t>(blocks);
        for (int b = 0; b < blocks; ++b) {
            setLine(data, b, 0, std::string(1, static_cast<char>('A' + b % 26)), 3);
            data.block(b).count = 1;
        }
    }
    void open(int seqOrder = 0) {
        output::ComputeBlockResults(data, catalogue, settings, 0, model::MaxBlocks);
        output::ComputeDocumentResult(data, catalogue);
        dlg = std::make_unique<CPreviewDlg>(PreviewDlgSetup{data, catalogue, settings, seqOrder, {}, {}});
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    QToolButton* button(int command) const {
        auto* b = dlg->findChild<QToolButton*>(QStringLiteral("command%1").arg(command));
        EXPECT_NE(b, nullptr) << command;
        return b;
    }
    void click(int command) { QTest::mouseClick(button(command), Qt::LeftButton); }
    QScrollBar* bar(const char* name) const { return dlg->findChild<QScrollBar*>(QString::fromLatin1(name)); }
    /// The checked items of the 表示 menu, as it shows them when opened.
    QStringList menuChecks() const {
        auto* menu = dlg->findChild<QMenu*>(QStringLiteral("viewMenu"));
        emit menu->aboutToShow();
        QStringList checked;
        for (const QAction* a : menu->actions()) {
            if (a->isChecked()) {
                checked << a->text();
            }
        }
        return checked;
    }
    QAction* menuItem(const QString& text) const {
        for (QAction* a : dlg->findChild<QMenu*>(QStringLiteral("viewMenu"))->actions()) {
            if (a->text() == text) {
                return a;
            }
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    /// The block of the slot under a point of the image area's own coordinates (frame included).
    int blockAt(QPoint inArea) const {
        const QPoint p = inArea - dlg->imageArea().contentsRect().topLeft();
        const double dot = dlg->zoom().dotAt(QPointF(p)).x() - dlg->layout().largestHeight() / 2.0;
        int block = -1;
        dlg->layout().forEachSlot(0, static_cast<long long>(dot), static_cast<long long>(dot) + 1,
                                  [&](const render::StripSlot& s) { block = s.block; });
        return block;
    }
    QPoint areaCentre() const {
        const QRect inside = dlg->imageArea().contentsRect();
        return inside.topLeft() + QPoint(inside.width() / 2, inside.height() / 2);
    }

    model::Catalogue catalogue;
    model::OperatorSettings settings;
    model::EditData data;
    std::unique_ptr<CPreviewDlg> dlg;
};

TEST_F(PreviewDlgTest, ButtonsAndMenuStepTheZoomAndMoveTheChecks) {
    blocksOfLetters(30);
    open();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("全体ｲﾒｰｼﾞ"));
    // It opens fitting the whole length, which the button and the menu show.
    EXPECT_EQ(dlg->zoom().mode(), render::ZoomMode::FitLength);
    EXPECT_TRUE(button(Command::FitLength)->isChecked());
    EXPECT_FALSE(button(Command::FitHeight)->isChecked());
    EXPECT_EQ(menuChecks(), QStringList{QStringLiteral("全体表示")});
    const double fit = dlg->zoom().zoom();
    ASSERT_LT(fit, 50);
    ASSERT_GT(fit, 25);

    click(Command::ZoomIn);
    EXPECT_EQ(dlg->zoom().zoom(), 50);
    EXPECT_FALSE(button(Command::FitLength)->isChecked());
    EXPECT_EQ(menuChecks(), QStringList{QStringLiteral("50%")});
    click(Command::ZoomIn);
    EXPECT_EQ(menuChecks(), QStringList{QStringLiteral("100%")});
    menuItem(QStringLiteral("25%"))->trigger();
    EXPECT_EQ(dlg->zoom().zoom(), 25);
    click(Command::ZoomOut); // nothing below 25 %
    EXPECT_EQ(dlg->zoom().zoom(), 25);
    EXPECT_EQ(menuChecks(), QStringList{QStringLiteral("25%")});
    menuItem(QStringLiteral("1600%"))->trigger();
    click(Command::ZoomIn); // nothing above 1600 %
    EXPECT_EQ(menuChecks(), QStringList{QStringLiteral("1600%")});
    click(Command::ZoomOut);
    EXPECT_EQ(dlg->zoom().zoom(), 800);

    click(Command::FitHeight);
    EXPECT_EQ(dlg->zoom().mode(), render::ZoomMode::FitHeight);
    EXPECT_DOUBLE_EQ(dlg->zoom().zoom(), 0.9 * dlg->zoom().heightFit());
    EXPECT_TRUE(button(Command::FitHeight)->isChecked());
    EXPECT_EQ(menuChecks(), QStringList{QStringLiteral("高さ基準")});
    // A second press of a checked fit keeps it.
    click(Command::FitHeight);
    EXPECT_TRUE(button(Command::FitHeight)->isChecked());
    menuItem(QStringLiteral("全体表示"))->trigger();
    EXPECT_DOUBLE_EQ(dlg->zoom().zoom(), fit);
    EXPECT_TRUE(button(Command::FitLength)->isChecked());
    EXPECT_FALSE(button(Command::FitHeight)->isChecked());
}

TEST_F(PreviewDlgTest, ScrollBarsFollowTheZoomAndScrollTheStrip) {
    blocksOfLetters(30);
    open();
    QScrollBar* h = bar("horizontalBar");
    QScrollBar* v = bar("verticalBar");
    // The whole strip fits: nothing to scroll.
    EXPECT_FALSE(h->isEnabled());
    EXPECT_FALSE(v->isEnabled());
    dlg->runCommand(Command::PreviewLevel25 + 2); // 100 %
    EXPECT_TRUE(h->isEnabled());
    EXPECT_EQ(h->maximum(), dlg->zoom().maxScrollX());
    EXPECT_EQ(h->pageStep(), 256);
    EXPECT_EQ(h->singleStep(), 20);
    h->setValue(0);
    const QImage before = dlg->areaPicture();
    const int leftBlock = blockAt(areaCentre());
    h->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(dlg->zoom().scroll().x(), 20);
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(dlg->zoom().scroll().x(), 276);
    EXPECT_NE(dlg->areaPicture(), before);
    EXPECT_GT(blockAt(areaCentre()), leftBlock);
    // The wheel over the picture runs along the strip.
    h->setValue(0);
    QWidget* area = dlg->findChild<QWidget*>(QStringLiteral("imageArea"));
    const QPointF at(area->width() / 2.0, area->height() / 2.0);
    QWheelEvent wheel(at, area->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(area, &wheel);
    EXPECT_GT(dlg->zoom().scroll().x(), 0);
    h->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(dlg->zoom().scroll().x(), dlg->zoom().maxScrollX());
}

TEST_F(PreviewDlgTest, ZoomAtPointCentresTheClickedPieceAndLocksTheOtherControls) {
    blocksOfLetters(30);
    open();
    dlg->runCommand(Command::PreviewLevel25 + 1); // 50 %
    click(Command::ZoomAtPoint);
    ASSERT_TRUE(dlg->zoomAtPointMode());
    EXPECT_TRUE(button(Command::ZoomAtPoint)->isChecked());
    for (const int command : {Command::Send, Command::FilePrint, Command::ZoomIn, Command::ZoomOut,
                              Command::FitLength, Command::FitHeight}) {
        EXPECT_FALSE(button(command)->isEnabled()) << command;
    }
    EXPECT_TRUE(button(Command::ZoomAtPoint)->isEnabled());
    for (const char* name : {"seqOrderCount", "seqOrderSequence"}) {
        EXPECT_FALSE(dlg->findChild<QRadioButton*>(QString::fromLatin1(name))->isEnabled()) << name;
    }
    EXPECT_FALSE(bar("horizontalBar")->isEnabled());
    EXPECT_EQ(dlg->imageArea().cursor().shape(), Qt::BitmapCursor);

    // A point well right of the centre, on some block; after the click that block is in the middle.
    CPreviewArea& area = dlg->imageArea();
    const QPoint clicked = areaCentre() + QPoint(area.width() / 3, 0);
    const int block = blockAt(clicked);
    ASSERT_GE(block, 0);
    ASSERT_NE(block, blockAt(areaCentre()));
    QTest::mouseClick(&area, Qt::LeftButton, {}, clicked);
    EXPECT_EQ(dlg->zoom().zoom(), 100);
    EXPECT_EQ(blockAt(areaCentre()), block);
    // Back out at the centre: the block would lie in the middle, but the strip's end comes first.
    QTest::mouseClick(&area, Qt::RightButton, {}, areaCentre());
    EXPECT_EQ(dlg->zoom().zoom(), 50);
    EXPECT_EQ(dlg->zoom().scroll().x(), dlg->zoom().maxScrollX());
    EXPECT_GT(blockAt(areaCentre()), 15);
    EXPECT_TRUE(dlg->zoomAtPointMode());

    // A press outside the image area ends the mode and frees the controls.
    const QPoint outside = button(Command::FitHeight)->geometry().bottomRight() + QPoint(4, 4);
    QTest::mouseClick(dlg.get(), Qt::LeftButton, {}, outside);
    EXPECT_FALSE(dlg->zoomAtPointMode());
    EXPECT_FALSE(button(Command::ZoomAtPoint)->isChecked());
    EXPECT_TRUE(button(Command::Send)->isEnabled());
    EXPECT_TRUE(bar("horizontalBar")->isEnabled());
    EXPECT_NE(area.cursor().shape(), Qt::BitmapCursor);
    QTest::mouseClick(&area, Qt::LeftButton, {}, clicked); // an ordinary click zooms nothing
    EXPECT_EQ(dlg->zoom().zoom(), 50);

    // The toggle itself ends the mode as well.
    click(Command::ZoomAtPoint);
    ASSERT_TRUE(dlg->zoomAtPointMode());
    click(Command::ZoomAtPoint);
    EXPECT_FALSE(dlg->zoomAtPointMode());
    EXPECT_TRUE(button(Command::ZoomIn)->isEnabled());
}

TEST_F(PreviewDlgTest, ResizeKeepsTheAnchorsAndRefitsAFitMode) {
    blocksOfLetters(12);
    open();
    const QRect area = dlg->imageArea().geometry();
    const QRect h = bar("horizontalBar")->geometry();
    const QRect v = bar("verticalBar")->geometry();
    const QRect send = button(Command::Send)->geometry();
    const double fit = dlg->zoom().zoom();
    dlg->resize(dlg->size() + QSize(300, 120));
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg->imageArea().geometry(), area.adjusted(0, 0, 300, 120));
    EXPECT_EQ(bar("horizontalBar")->geometry(), h.adjusted(0, 120, 300, 120));
    EXPECT_EQ(bar("verticalBar")->geometry(), v.adjusted(300, 0, 300, 120));
    EXPECT_EQ(button(Command::Send)->geometry(), send);
    // The zoom's area is the image area less its frame, and the fit follows it.
    EXPECT_EQ(dlg->zoom().area(), dlg->imageArea().geometry().size() - QSize(2, 2));
    EXPECT_GT(dlg->zoom().zoom(), fit);
    EXPECT_EQ(dlg->zoom().zoom(), std::min(dlg->zoom().widthFit(), dlg->zoom().heightFit()));
    EXPECT_EQ(dlg->areaPicture().size(), dlg->zoom().area());

    // A fixed level stays; the bar keeps its position within its new range.
    dlg->runCommand(Command::PreviewLevel25 + 3); // 200 %
    QScrollBar* hBar = bar("horizontalBar");
    hBar->setValue(hBar->maximum() / 2);
    const int position = hBar->value();
    dlg->resize(dlg->size() - QSize(200, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(dlg->zoom().zoom(), 200);
    EXPECT_EQ(hBar->value(), std::min(position, hBar->maximum()));
    EXPECT_EQ(dlg->zoom().scroll().x(), hBar->value());

    // Never below the template's size.
    dlg->resize(400, 300);
    EXPECT_GE(dlg->width(), 800);
    EXPECT_GE(dlg->height(), 600);
}

TEST_F(PreviewDlgTest, OrderRadiosRepaintTheOtherOrder) {
    data.blockCount = 1;
    setLine(data, 0, 0, "A$", 3);
    addSequence(data, 0, decimalRun(1, 3));
    data.block(0).count = 2;
    open(1);
    auto* countFirst = dlg->findChild<QRadioButton*>(QStringLiteral("seqOrderCount"));
    auto* sequenceFirst = dlg->findChild<QRadioButton*>(QStringLiteral("seqOrderSequence"));
    EXPECT_TRUE(sequenceFirst->isChecked()); // the application's order
    EXPECT_EQ(dlg->seqOrder(), 1);
    const QImage oneTwoThree = dlg->areaPicture();
    QTest::mouseClick(countFirst, Qt::LeftButton, {}, QPoint(6, countFirst->height() / 2));
    EXPECT_EQ(dlg->seqOrder(), 0);
    const QImage oneOneTwo = dlg->areaPicture();
    EXPECT_NE(oneOneTwo, oneTwoThree);
    // Both show six pieces of the same strip: only their order differs.
    EXPECT_EQ(oneOneTwo.size(), oneTwoThree.size());
    QTest::mouseClick(sequenceFirst, Qt::LeftButton, {}, QPoint(6, sequenceFirst->height() / 2));
    EXPECT_EQ(dlg->areaPicture(), oneTwoThree);
}

// The strip's totals are what it shows: a block of count 2 over the values 1..3 and 29 one-piece
// blocks of 20.0 mm make 30 blocks and 35 pieces, as many as the strip has slots.
TEST_F(PreviewDlgTest, TotalsCountTheStripItShows) {
    blocksOfLetters(30);
    setLine(data, 0, 0, "A$", 3);
    addSequence(data, 0, decimalRun(1, 3));
    data.block(0).count = 2;
    open();
    auto* totals = dlg->findChild<QLabel*>(QStringLiteral("runTotals"));
    ASSERT_NE(totals, nullptr);
    EXPECT_EQ(totals->text(), QStringLiteral("30 ﾌﾞﾛｯｸ　35 個　全長 700.0 mm"));
    EXPECT_EQ(dlg->layout().slotCount(), 35);
    EXPECT_TRUE(totals->isVisible());
    EXPECT_GE(totals->width(), totals->sizeHint().width());
}

TEST_F(PreviewDlgTest, SendAndPrintCloseWithTheirChoice) {
    blocksOfLetters(3);
    open(0);
    EXPECT_TRUE(button(Command::FilePrint)->isEnabled());
    QTest::mouseClick(dlg->findChild<QRadioButton*>(QStringLiteral("seqOrderSequence")), Qt::LeftButton, {},
                      QPoint(6, 6));
    click(Command::FilePrint);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->closing(), CPreviewDlg::Closing::Print);
    EXPECT_EQ(dlg->seqOrder(), 1);

    open(0);
    click(Command::Send);
    EXPECT_EQ(dlg->closing(), CPreviewDlg::Closing::Send);

    open(0);
    QTest::keyClick(dlg.get(), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->closing(), CPreviewDlg::Closing::None);
}

class PreviewDlgQX780Test : public PreviewDlgTest {
protected:
    PreviewDlgQX780Test() : PreviewDlgTest(model::models::QX780) {}
};

TEST_F(PreviewDlgQX780Test, PrintIsDisabledButSendingWorks) {
    blocksOfLetters(3);
    open();
    EXPECT_FALSE(button(Command::FilePrint)->isEnabled());
    // Leaving the zoom-at-point mode does not bring it back.
    click(Command::ZoomAtPoint);
    click(Command::ZoomAtPoint);
    EXPECT_FALSE(button(Command::FilePrint)->isEnabled());
    dlg->runCommand(Command::FilePrint);
    EXPECT_TRUE(dlg->isVisible());
    click(Command::Send);
    EXPECT_EQ(dlg->closing(), CPreviewDlg::Closing::Send);
}

TEST(PreviewPlacement, MovesIntoTheWorkAreaOfTheScreenMostCovered) {
    const QList<QRect> screens{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};
    const QList<QRect> work{{0, 0, 1280, 984}, {1280, 30, 1920, 1050}};
    struct Row {
        QRect window;
        QRect placed;
    } rows[] = {
        // Mostly on the second screen, past its left and bottom edges: into its work area.
        {{1200, 400, 1000, 800}, {1280 - 20, 280, 1000, 800}},
        // Past the right edge by more than the caption's allowance: pulled back to it.
        {{2800, 100, 800, 600}, {2400 + 20, 100, 800, 600}},
        // Above the second screen's work area (its top panel): moved down.
        {{1500, 0, 800, 600}, {1500, 30, 800, 600}},
        // Within the allowance past the left edge: left alone.
        {{-15, 100, 800, 600}, {-15, 100, 800, 600}},
        // Far away from both: the nearest screen by centre, the first.
        {{-3000, -2000, 800, 600}, {-20, 0, 800, 600}},
        // Larger than the first work area: shrunk to it.
        {{0, 0, 1500, 1200}, {-20, 0, 1320, 984}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(previewPlacement(row.window, screens, work, 20), row.placed)
            << row.window.x() << "," << row.window.y();
    }
}

} // namespace
} // namespace qx::ui
