#pragma once

// Pictures of dialogs as they are drawn: into the folder QX_DIALOG_PICTURES names (the X display
// run, whose pictures are looked at and go into the manual), or into a temporary folder, so that
// every offscreen pass still opens and draws each variant.

#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace qx::testing {

class DialogPictures {
public:
    DialogPictures() {
        const char* folder = std::getenv("QX_DIALOG_PICTURES");
        if (folder != nullptr && *folder != '\0') {
            m_folder = QDir(QString::fromLocal8Bit(folder));
        } else {
            m_scratch.emplace();
            m_folder = QDir(m_scratch->path());
        }
    }

    /// Shows the dialog, waits for it to be drawn and saves it as `name` (a PNG file).
    void save(QDialog& dialog, const QString& name) const {
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QTest::qWait(100);
        const QString path = m_folder.filePath(name);
        const QPixmap picture = dialog.grab();
        EXPECT_FALSE(picture.isNull()) << name.toStdString();
        EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
        dialog.hide();
    }

private:
    std::optional<QTemporaryDir> m_scratch;
    QDir m_folder;
};

} // namespace qx::testing
