#pragma once

#include <QIcon>
#include <QImage>

namespace qx::ui {

/// The picture of a tool bar button, drawn at `size` × `size` pixels on a transparent ground;
/// a null image for a command without a button.
QImage renderCommandIcon(int command, int size);

/// The tool bar icon of a command (16 and 32 pixel forms); a null icon when it has none.
QIcon commandIcon(int command);

/// The program's icon: a marking tube with its printed mark.
QImage renderApplicationIcon(int size);
QIcon applicationIcon();

} // namespace qx::ui
