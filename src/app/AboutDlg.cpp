#include "AboutDlg.h"

#include "ui/frames/MainFrameIcons.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace qx::app {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent), m_name(new QLabel(QStringLiteral("コルビンタ PCエディタ"), this)),
      m_version(new QLabel(QString::fromUtf8(VersionText), this)),
      m_maker(new QLabel(QString::fromUtf8(MakerText), this)) {
    setObjectName(QStringLiteral("aboutDlg"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap::fromImage(ui::renderApplicationIcon(32)));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(m_name, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(m_maker, 2, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QStringList CAboutDlg::texts() const { return {m_name->text(), m_version->text(), m_maker->text()}; }

} // namespace qx::app
