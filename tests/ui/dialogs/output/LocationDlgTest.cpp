#include "ui/dialogs/output/LocationDlg.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

QPushButton* button(const CLocationDlg& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

TEST(LocationDlg, CaptionsFollowTheModel) {
    const CLocationDlg card(model::models::QX780);
    EXPECT_EQ(card.windowTitle(), QStringLiteral("保存先を選択してください"));
    EXPECT_EQ(button(card, "hardDiskButton")->text(), QStringLiteral("ハードディスク"));
    EXPECT_EQ(button(card, "removableButton")->text(), QStringLiteral("CFカード"));
    for (model::ModelType model : {model::models::QX790, model::models::QX900W2, model::models::QX950W3}) {
        const CLocationDlg usb(model);
        EXPECT_EQ(button(usb, "removableButton")->text(), QStringLiteral("USBメモリ")) << model;
    }
}

TEST(LocationDlg, EachButtonGivesItsChoice) {
    struct Row {
        const char* button;
        int result;
        int choice;
    };
    const Row rows[] = {
        {"hardDiskButton", QDialog::Accepted, CLocationDlg::HardDisk},
        {"removableButton", QDialog::Accepted, CLocationDlg::Removable},
        {"cancelButton", QDialog::Rejected, CLocationDlg::None},
    };
    for (const Row& row : rows) {
        CLocationDlg dialog(model::models::QX950W3);
        dialog.show();
        QTest::mouseClick(button(dialog, row.button), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), row.result) << row.button;
        EXPECT_EQ(dialog.choice(), row.choice) << row.button;
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(LocationDlg, KeyboardChoosesToo) {
    CLocationDlg dialog(model::models::QX950W3);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_TRUE(button(dialog, "hardDiskButton")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(button(dialog, "removableButton")->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(dialog.choice(), CLocationDlg::Removable);

    CLocationDlg escaped(model::models::QX950W3);
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_EQ(escaped.result(), QDialog::Rejected);
    EXPECT_EQ(escaped.choice(), CLocationDlg::None);
}

} // namespace
} // namespace qx::ui
