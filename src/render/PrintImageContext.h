#pragma once

#include "model/EditData.h"

#include <QColor>
#include <QRect>
#include <QSize>

class QPainter;

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::render {

class SymbolPictures;

/// What replaces the picture of a piece that the printer cannot print.
enum class ImageError : int {
    None = 0,
    PrintHeightOver = 1,
    PitchLengthOver = 2,
    PrintLengthOver = 3,
    TotalLengthOver = 4,
    CharCountOver = 5,
};

/// String id of the text drawn for the code (40094 … 40099).
int imageErrorTextId(ImageError error);

/// How the medium's outline is drawn.
namespace OutlineStyle {
inline constexpr int Closed = 0; ///< filled and closed
inline constexpr int Piece = 1;  ///< the outline of one piece
inline constexpr int Joined = 2; ///< joined to the previous piece: no left edge
} // namespace OutlineStyle

/// Which part of a piece a drawing makes. A run of pieces side by side fills every medium first
/// and draws on them after: at less than a pixel a dot, one piece's fill would land on the
/// pixels of its neighbour's edge.
enum class MediumPass {
    Whole,    ///< the medium's fill, its outline and what it carries
    FillOnly, ///< the rectangular medium's fill alone (tubes and labels fill their own shapes)
    OverFill, ///< all but the rectangular medium's fill, over fills drawn before
};

struct PrintImageColours {
    QColor window = Qt::white;               ///< the medium
    QColor text = Qt::black;                 ///< text, frame, underline, outline
    QColor workspace = QColor(171, 171, 171); ///< the view around the medium
};

/// One drawing of what the printer prints for a piece: the medium and, on it, the block's text
/// (pitch-length mode) or the whole document's (print-length mode). Geometry is in printer dots;
/// with fitToRect the picture is scaled into the target rectangle, otherwise it is drawn at one
/// dot per logical unit centred on the origin. The document is never changed: the automatic
/// character size is resolved on private copies for the piece drawn.
class CPrintImageContext final {
public:
    CPrintImageContext(const model::EditData& document, const model::Catalogue& catalogue,
                       const model::OperatorSettings& settings, const SymbolPictures& symbols);

    void setFitToRect(bool fit) { m_fitToRect = fit; }
    void setShapedOutline(bool shaped) { m_shapedOutline = shaped; }
    void setOutlineStyle(int style) { m_outlineStyle = style; }
    void setMediumPass(MediumPass pass) { m_mediumPass = pass; }
    void setColours(const PrintImageColours& colours) { m_colours = colours; }
    bool fitToRect() const { return m_fitToRect; }
    const model::Catalogue& catalogue() const { return m_catalogue; }
    const model::EditData& document() const { return m_document; }
    const PrintImageColours& colours() const { return m_colours; }

    /// The error that replaces the picture of the block: the character budget up to the block
    /// first, then the block's cached check (pitch-length mode) or the document's (print-length
    /// mode). A block without a cached result is checked on the spot.
    ImageError imageError(int block) const;

    void DrawBlockImage(QPainter& painter, int block, int piece, const QRect& target) const;

    /// Width and height in dots of the medium of the piece.
    QSize GetPieceSize(int block, int piece) const;

private:
    struct Mapping;

    void drawPitchBlock(QPainter& painter, int block, int piece, const QRect& target) const;
    void drawPrintLength(QPainter& painter, int piece, const QRect& target) const;
    void drawErrorText(QPainter& painter, ImageError error, const QRect& target) const;
    void drawOutline(QPainter& painter, const QRect& medium, int scaledOne) const;
    void drawLines(QPainter& painter, const Mapping& map, const model::EditBlock& block, int piece, int boxWidth,
                   int boxHeight, int placement, const QColor& ink) const;
    void drawLinesAlongPiece(QPainter& painter, const Mapping& map, const model::EditBlock& block, int piece,
                             int textHeight, const QColor& ink) const;
    void drawCharacter(QPainter& painter, const QRect& cell, model::CharCode code, bool turned,
                       const QColor& ink) const;
    model::EditBlock resolvedBlock(int block, int piece) const;
    QSize pitchMedium(const model::EditBlock& resolved, int piece) const;

    const model::EditData& m_document;
    const model::Catalogue& m_catalogue;
    const model::OperatorSettings& m_settings;
    const SymbolPictures& m_symbols;
    bool m_fitToRect = true;
    bool m_shapedOutline = false;
    int m_outlineStyle = OutlineStyle::Closed;
    MediumPass m_mediumPass = MediumPass::Whole;
    PrintImageColours m_colours;
};

/// The scale of a picture fitted into a rectangle: a fraction num/den applied to dot lengths,
/// a non-zero length never shrinking below 1.
struct FitScale {
    int num = 1;
    int den = 1;
    int operator()(int dots) const;
};

/// The scale that fits a medium of mediumSize dots into `target` less one border pixel on each side.
FitScale fitScale(const QSize& target, const QSize& mediumSize);

} // namespace qx::render
