#pragma once

#include <QImage>

namespace qx::render {

class SymbolPictures;

/// A reference sheet of every printer symbol: its code, its picture at the 16 × 16 grid size and
/// large, where the picture comes from, and its meaning.
QImage renderSymbolSheet(const SymbolPictures& pictures);

} // namespace qx::render
