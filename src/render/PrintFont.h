#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace qx::render {

/// The families tried for the print font, in order: the printer's own face first, then the
/// fixed-pitch Japanese faces that carry the same glyph set.
QStringList printFontCandidates();

/// The first candidate this system has; else any fixed-pitch Japanese family; else any Japanese
/// family; else the system's fixed-pitch font.
QString resolvePrintFontFamily();

/// The print font of a character cell `pixelHeight` high (fixed pitch, normal weight).
QFont printFont(const QString& family, int pixelHeight);

} // namespace qx::render
