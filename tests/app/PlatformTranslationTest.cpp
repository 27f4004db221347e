#include "app/PlatformTranslation.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

namespace qx::app {
namespace {

// Qt's own texts are what an operator reads on every message box and file dialog; they must be
// Japanese like the program's own.
TEST(PlatformTranslationTest, QtsOwnTextsBecomeJapanese) {
    QTranslator translator;
    ASSERT_TRUE(installPlatformTranslation(*QCoreApplication::instance(), translator))
        << "Qt's Japanese translation (qtbase_ja.qm) is not installed";

    QMessageBox box(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    bool englishLabel = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        const QString text = QString(label->text()).remove(QLatin1Char('&'));
        englishLabel = englishLabel || text.contains(QStringLiteral("File name")) || text.contains(QStringLiteral("Look in"));
    }
    EXPECT_FALSE(englishLabel);

    QCoreApplication::removeTranslator(&translator);
}

} // namespace
} // namespace qx::app
