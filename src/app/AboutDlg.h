#pragma once

#include <QDialog>

class QLabel;

namespace qx::app {

/// "ﾊﾞｰｼﾞｮﾝ情報": the program's icon, name, version and maker's line.
class CAboutDlg final : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* VersionText = "Version 1.80.00";
    static constexpr const char* MakerText = "© QX Editor developers";

    explicit CAboutDlg(QWidget* parent = nullptr);

    /// The three lines of text in order.
    QStringList texts() const;

private:
    QLabel* m_name;
    QLabel* m_version;
    QLabel* m_maker;
};

} // namespace qx::app
