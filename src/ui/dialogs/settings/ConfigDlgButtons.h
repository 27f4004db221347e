#pragma once

class QBoxLayout;
class QDialog;

namespace qx::ui {

/// "OK" and "ｷｬﾝｾﾙ" at the foot of an environment settings dialog.
void addConfigDlgButtons(QDialog& dialog, QBoxLayout& layout);

} // namespace qx::ui
