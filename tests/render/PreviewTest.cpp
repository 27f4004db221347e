#include "RenderTestSupport.h"

#include "render/ArrangeItem.h"
#include "render/PreviewLayout.h"
#include "render/PreviewPainter.h"
#include "render/PreviewZoom.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qx::render {
namespace {

using namespace output::testdocs;
using testing::Fixture;

std::vector<int> stripPieces(const CPreviewLayout& layout, int order, std::vector<int>* blocks = nullptr) {
    std::vector<int> pieces;
    layout.forEachSlot(order, 0, layout.stripLength(), [&](const StripSlot& slot) {
        pieces.push_back(slot.piece);
        if (blocks != nullptr)
            blocks->push_back(slot.block);
    });
    return pieces;
}

TEST(PreviewLayout, BothOrdersOfCountAndSequence) {
    Fixture f;
    f.data.blockCount = 2;
    setLine(f.data, 0, 0, "A$", 3);
    addSequence(f.data, 0, decimalRun(1, 3));
    f.data.block(0).count = 2;
    setLine(f.data, 1, 0, "B", 3);
    f.data.block(1).count = 1;
    f.check();
    const CPrintImageContext image = f.context();
    const CPreviewLayout layout = CPreviewLayout::build(f.data, image);
    ASSERT_EQ(layout.records().size(), 2u);
    std::vector<int> blocks;
    EXPECT_EQ(stripPieces(layout, SeqOrder::CountFirst, &blocks), (std::vector<int>{0, 0, 1, 1, 2, 2, 0}));
    EXPECT_EQ(blocks, (std::vector<int>{0, 0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(stripPieces(layout, SeqOrder::SequenceFirst), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(layout.slotCount(), 7);
    // Slot widths are the medium plus 2 dots; the totals follow them.
    const CBlockInfo& first = layout.records().front();
    EXPECT_EQ(first.advances[0], first.sizes[0].width() + 2);
    EXPECT_EQ(layout.totalHeight(), layout.largestHeight() + 2);
    // A window onto the middle of the strip visits only the slots it overlaps, in their places.
    const long long from = first.advances[0] * 2LL + 1;
    std::vector<long long> lefts;
    layout.forEachSlot(SeqOrder::CountFirst, from, from + 1, [&](const StripSlot& s) { lefts.push_back(s.left); });
    EXPECT_EQ(lefts, (std::vector<long long>{first.advances[0] * 2LL}));
}

TEST(PreviewLayout, PrintLengthModeIsOneRecordRepeatedByPrintCount) {
    Fixture f;
    f.data.target.printMode = PrintLengthMode;
    f.data.target.printCount = 3;
    f.data.blockCount = 2;
    setLine(f.data, 0, 0, "A", 3);
    setLine(f.data, 1, 0, "B$", 3);
    addSequence(f.data, 1, decimalRun(5, 6));
    f.check();
    const CPrintImageContext image = f.context();
    const CPreviewLayout layout = CPreviewLayout::build(f.data, image);
    ASSERT_EQ(layout.records().size(), 1u);
    EXPECT_EQ(layout.records()[0].count, 3);
    EXPECT_EQ(layout.records()[0].pieces, 2);
    EXPECT_EQ(stripPieces(layout, SeqOrder::SequenceFirst), (std::vector<int>{0, 1, 0, 1, 0, 1}));
}

TEST(PreviewZoom, StepsAndFits) {
    CPreviewZoom zoom(100000, 200, QSize(800, 400), QPointF(96, 96));
    EXPECT_EQ(zoom.mode(), ZoomMode::FitLength);
    EXPECT_EQ(zoom.zoom(), std::min(zoom.widthFit(), zoom.heightFit()));
    zoom.setLevel(50);
    zoom.zoomIn();
    EXPECT_EQ(zoom.zoom(), 100);
    EXPECT_EQ(zoom.mode(), ZoomMode::Fixed);
    zoom.setLevel(25);
    zoom.zoomOut();
    EXPECT_EQ(zoom.zoom(), 25);
    zoom.setLevel(1600);
    zoom.zoomIn();
    EXPECT_EQ(zoom.zoom(), 1600);
    zoom.setLevel(60);
    zoom.zoomOut();
    EXPECT_EQ(zoom.zoom(), 50);
    zoom.fitHeight();
    EXPECT_EQ(zoom.mode(), ZoomMode::FitHeight);
    EXPECT_DOUBLE_EQ(zoom.zoom(), 0.9 * zoom.heightFit());
    // Resizing refits the fit modes and keeps a fixed percentage.
    zoom.resize(QSize(800, 800));
    EXPECT_DOUBLE_EQ(zoom.zoom(), 0.9 * zoom.heightFit());
    zoom.setLevel(200);
    zoom.resize(QSize(300, 300));
    EXPECT_EQ(zoom.zoom(), 200);
    EXPECT_LE(zoom.scroll().x(), zoom.maxScrollX());
    // Scrolling is clamped to its range.
    zoom.setScroll(QPoint(-5, 1 << 30));
    EXPECT_EQ(zoom.scroll(), QPoint(0, zoom.maxScrollY()));
}

TEST(PreviewZoom, ZoomAtPointCentresTheClickedPiece) {
    Fixture f;
    f.data.blockCount = 30;
    for (int b = 0; b < 30; ++b) {
        setLine(f.data, b, 0, std::string(1, static_cast<char>('A' + b % 26)), 3);
        f.data.block(b).count = 1;
    }
    f.check();
    const CPrintImageContext image = f.context();
    const CPreviewLayout layout = CPreviewLayout::build(f.data, image);
    CPreviewZoom zoom(layout.totalLength(), layout.totalHeight(), QSize(600, 300), QPointF(96, 96));
    zoom.setLevel(50);
    const auto pieceAt = [&](QPointF areaPoint) {
        const double dot = zoom.dotAt(areaPoint).x() - layout.largestHeight() / 2.0;
        int block = -1;
        layout.forEachSlot(SeqOrder::CountFirst, static_cast<long long>(dot), static_cast<long long>(dot) + 1,
                           [&](const StripSlot& s) { block = s.block; });
        return block;
    };
    // A point off the centre, on block 19 (each block one piece of the same size).
    ASSERT_GT(zoom.scaledLength(), zoom.area().width() * 3 / 2);
    const int advance = layout.records().front().advances[0];
    const QPointF click(zoom.pointAt(QPointF(layout.largestHeight() / 2.0 + 19.5 * advance, 0)).x(), 150);
    ASSERT_GT(click.x(), 320);
    ASSERT_LT(click.x(), 600);
    const int before = pieceAt(click);
    ASSERT_EQ(before, 19);
    zoom.zoomAtPoint(click.toPoint(), true);
    EXPECT_EQ(zoom.zoom(), 100);
    EXPECT_EQ(pieceAt(QPointF(300, 150)), before);
    zoom.zoomAtPoint(QPoint(300, 150), false);
    EXPECT_EQ(zoom.zoom(), 50);
    EXPECT_EQ(pieceAt(QPointF(300, 150)), before);
}

TEST(PreviewPainter, PaintsOnlyThePiecesInSight) {
    Fixture f;
    f.data.blockCount = 40;
    for (int b = 0; b < 40; ++b)
        setLine(f.data, b, 0, "AB", 3);
    f.check();
    const CPrintImageContext image = f.context();
    const CPreviewLayout layout = CPreviewLayout::build(f.data, image);
    CPreviewZoom zoom(layout.totalLength(), layout.totalHeight(), QSize(400, 200), QPointF(96, 96));
    zoom.setLevel(100);
    QImage area(zoom.area(), QImage::Format_RGB32);
    QPainter painter(&area);
    const int drawn = paintPreviewArea(painter, layout, zoom, image, SeqOrder::CountFirst);
    painter.end();
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 20);
    EXPECT_FALSE(testing::inkBounds(area).isEmpty());
}

/// Dark runs along the row through the middle of the strip: the edges between pieces.
int edgesAcross(const QImage& strip) {
    int edges = 0;
    bool inEdge = false;
    const int y = strip.height() / 2;
    for (int x = 0; x < strip.width(); ++x) {
        const bool isDark = testing::dark(strip, x, y);
        edges += isDark && !inEdge ? 1 : 0;
        inEdge = isDark;
    }
    return edges;
}

// Twenty rectangular pieces of tape keep their 21 edges at every scale down to the preview's
// smallest: no piece's medium covers its neighbour's edge.
TEST(PreviewPainter, EdgesBetweenRectangularPiecesSurviveSmallScales) {
    Fixture f;
    f.data.target.targetKind = model::TargetKind::Tape;
    f.data.target.targetSize = 12;
    f.data.block(0).count = 20;
    f.check();
    const CPrintImageContext image = f.context();
    const CPreviewLayout layout = CPreviewLayout::build(f.data, image);
    const QRectF bounds = stripBounds(layout);
    for (const double scale : {1.0, 0.5, 0.32, 0.16}) {
        QImage strip(static_cast<int>(std::ceil(bounds.width() * scale)),
                     static_cast<int>(std::ceil(bounds.height() * scale)), QImage::Format_RGB32);
        strip.fill(Qt::white);
        QPainter painter(&strip);
        paintStrip(painter, layout, image, SeqOrder::CountFirst, scale);
        painter.end();
        EXPECT_EQ(edgesAcross(strip), 21) << "scale " << scale;
    }
}

TEST(ArrangeItem, AnchorsMoveAndStretchControls) {
    CArrangeItem arrange;
    const QSize client(800, 600);
    arrange.Add(1190, Anchor::Left | Anchor::Right | Anchor::Top | Anchor::Bottom, QRect(10, 40, 760, 520), client);
    arrange.Add(1191, Anchor::Left | Anchor::Right | Anchor::Bottom, QRect(10, 560, 760, 16), client);
    arrange.Add(1192, Anchor::Right | Anchor::Top | Anchor::Bottom, QRect(770, 40, 16, 520), client);
    arrange.Add(1, 0, QRect(0, 0, 5, 5), client);
    EXPECT_EQ(arrange.size(), 3);
    EXPECT_TRUE(arrange.resized(QSize(900, 700), true, {}).empty());
    const auto moves = arrange.resized(QSize(900, 700), false, {});
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0].rect, QRect(10, 40, 860, 620));
    EXPECT_EQ(moves[1].rect, QRect(10, 660, 860, 16));
    EXPECT_EQ(moves[2].rect, QRect(870, 40, 16, 620));
}

} // namespace
} // namespace qx::render
