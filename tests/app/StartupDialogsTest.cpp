#include "app/AboutDlg.h"
#include "app/CommandLine.h"
#include "app/ModelSelectDlg.h"
#include "app/SplashWnd.h"
#include "model/Catalogue.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::app {
namespace {

std::span<const model::Choice> models() {
    static const model::Catalogue catalogue(9);
    return catalogue.choiceList(0);
}

TEST(ModelSelectDlg, OffersTheModelsNewestFirstWithTheStoredOneSelected) {
    CModelSelectDlg dialog(models(), 5);
    QComboBox& list = dialog.modelList();
    ASSERT_EQ(list.count(), 8);
    EXPECT_EQ(list.itemText(0), QStringLiteral("QX-950W3"));
    EXPECT_EQ(list.itemText(7), QStringLiteral("QX-780"));
    EXPECT_EQ(list.currentData().toInt(), 5);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("機種選択"));
}

TEST(ModelSelectDlg, CannotBeLeftWithoutAModel) {
    CModelSelectDlg dialog(models(), 4); // reserved: not in the list
    dialog.show();
    EXPECT_EQ(dialog.modelList().currentIndex(), -1);
    QTest::mouseClick(&dialog.okButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.close());
    EXPECT_TRUE(dialog.isVisible());

    dialog.modelList().setCurrentIndex(6); // QX-790
    QTest::mouseClick(&dialog.okButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.modelType(), 1);
}

TEST(ModelSelectDlg, EntryWithoutModelIsNoChoice) {
    EXPECT_EQ(chosenModel(-1, 9), std::nullopt);
    EXPECT_EQ(chosenModel(2, -1), std::nullopt);
    EXPECT_EQ(chosenModel(0, 9), 9);
}

TEST(SplashWnd, PictureHasTheSplashSize) {
    const QImage picture = CSplashWnd::picture();
    EXPECT_EQ(picture.size(), QSize(532, 328));
    // Not a blank: the ground is dark blue and the tube across it light.
    EXPECT_LT(qGray(picture.pixel(10, 10)), 100);
    EXPECT_GT(qGray(picture.pixel(266, 154)), 180);
}

TEST(SplashWnd, KeyAndButtonPressesCloseIt) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::MouseButtonPress, QEvent::NonClientAreaMouseButtonPress}) {
        EXPECT_TRUE(CSplashWnd::closesSplash(type)) << type;
    }
    for (const QEvent::Type type : {QEvent::KeyRelease, QEvent::MouseMove, QEvent::Paint, QEvent::Timer}) {
        EXPECT_FALSE(CSplashWnd::closesSplash(type)) << type;
    }
}

TEST(SplashWnd, TimerEndsItOnceAndSaysSo) {
    QWidget main;
    auto* splash = new CSplashWnd(&main);
    QSignalSpy finished(splash, &CSplashWnd::finished);
    ASSERT_TRUE(splash->showSplash());
    EXPECT_TRUE(splash->isVisible());
    ASSERT_TRUE(finished.wait(CSplashWnd::DisplayMilliseconds + 2000));
    EXPECT_EQ(finished.count(), 1);
}

TEST(AboutDlg, ShowsNameVersionAndMaker) {
    const CAboutDlg dialog;
    EXPECT_EQ(dialog.texts(),
              (QStringList{"コルビンタ PCエディタ", "Version 1.80.00", QString::fromUtf8("© QX Editor developers")}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
}

TEST(CommandLine, FileModelAndTestOptions) {
    CommandLine line = parseCommandLine({"qxeditor", "/data/a.QXF"});
    EXPECT_TRUE(line.error.isEmpty());
    EXPECT_EQ(line.options.documentPath, QStringLiteral("/data/a.QXF"));
    EXPECT_TRUE(line.options.splash);
    EXPECT_FALSE(line.options.model);

    line = parseCommandLine({"qxeditor", "--model", "5", "--screenshot", "/tmp/s.png"});
    EXPECT_EQ(line.options.model, 5);
    EXPECT_EQ(line.options.screenshotPath, QStringLiteral("/tmp/s.png"));
    EXPECT_FALSE(line.options.splash);

    EXPECT_FALSE(parseCommandLine({"qxeditor", "--model", "4"}).error.isEmpty());
    EXPECT_FALSE(parseCommandLine({"qxeditor", "a.QXF", "b.QXF"}).error.isEmpty());
    line = parseCommandLine({"qxeditor", "--help"});
    EXPECT_TRUE(line.helpRequested);
    EXPECT_TRUE(line.helpText.contains(QStringLiteral("--model")));
    EXPECT_FALSE(line.helpText.contains(QStringLiteral("--screenshot")));
}

} // namespace
} // namespace qx::app
