#include "RenderTestSupport.h"

#include "model/StringTable.h"
#include "output/BlockMeasure.h"

#include <gtest/gtest.h>

namespace qx::render {
namespace {

using namespace output::testdocs;
using testing::dark;
using testing::Fixture;
using testing::inkBounds;

constexpr int Border = 8;

/// The text rectangle of block 0 as an unfitted drawing places it, in image pixels.
QRect textRect(Fixture& f, int piece = 0) {
    const QSize medium = f.context().GetPieceSize(0, piece);
    const output::BlockExtent e = output::MeasureBlock(f.catalogue, f.data, 0, piece);
    const QPoint centre(Border + medium.width() / 2, Border + medium.height() / 2);
    return {centre.x() - e.length / 2, centre.y() - e.height / 2, e.length, e.height};
}

TEST(PrintImage, ShortPrintLengthDocumentIsTenMillimetresLong) {
    Fixture f;
    f.data.target.printMode = PrintLengthMode;
    f.data.target.printLength = 0;
    f.data.target.leftMargin = 0;
    f.data.target.rightMargin = 0;
    setLine(f.data, 0, 0, "A", 1);
    f.check();
    EXPECT_EQ(f.context().GetPieceSize(0, 0).width(), 118);
    // The drawn medium: its outline one dot outside 118 dots.
    const QImage image = f.draw(0);
    const int y = image.height() / 2;
    EXPECT_TRUE(dark(image, Border - 1, y));
    EXPECT_TRUE(dark(image, Border + 118, y));
    EXPECT_FALSE(dark(image, Border + 117, y));
    // A given print length wins; a long text without one makes the medium grow.
    f.data.target.printLength = 30;
    EXPECT_EQ(f.context().GetPieceSize(0, 0).width(), model::tenthsToDotsRounded(300));
    f.data.target.printLength = 0;
    setLine(f.data, 0, 0, "ABCDEFGHIJKLMNOP", 3);
    EXPECT_GT(f.context().GetPieceSize(0, 0).width(), 118);
}

TEST(PrintImage, ReversedFramedBlockInvertsInsideTheFrame) {
    Fixture f;
    f.data.target.frame = 2;
    setLine(f.data, 0, 0, "AB", 2);
    f.data.block(0).reverse = 1;
    const QImage image = f.draw(0);
    const QRect text = textRect(f);
    const int midY = text.center().y();
    // Inverted: the text rectangle grown by 2 dots, dark even where no character is.
    EXPECT_TRUE(dark(image, text.left() - 2, text.top() - 2));
    EXPECT_TRUE(dark(image, text.right() + 2, text.bottom() + 2));
    // Between the inverted area and the frame the medium stays light: the frame is outside it.
    EXPECT_FALSE(dark(image, text.left() - 3, midY));
    EXPECT_FALSE(dark(image, text.left() - 4, midY));
    // The frame: 2 dots wide around the text grown by 2f.
    EXPECT_TRUE(dark(image, text.left() - 5, midY));
    EXPECT_TRUE(dark(image, text.left() - 6, midY));
    EXPECT_TRUE(dark(image, text.center().x(), text.top() - 6));
    EXPECT_FALSE(dark(image, text.left() - 7, midY));
    // Some light pixels inside the inverted area: the characters in the medium's colour.
    int light = 0;
    for (int x = text.left(); x <= text.right(); ++x)
        light += dark(image, x, midY) ? 0 : 1;
    EXPECT_GT(light, 0);
}

TEST(PrintImage, UnderlineOnlyWithoutFrame) {
    Fixture f;
    setLine(f.data, 0, 0, "AB", 3);
    f.data.block(0).underline = 1;
    {
        const QImage image = f.draw(0);
        const QRect text = textRect(f);
        // The bar lies just below the text rectangle, which then moved up by 2 dots.
        for (const int x : {text.left(), text.center().x(), text.right()})
            EXPECT_TRUE(dark(image, x, text.bottom() + 1)) << x;
    }
    f.data.target.frame = 2;
    {
        const QImage image = f.draw(0);
        const QRect text = textRect(f);
        EXPECT_FALSE(dark(image, text.left(), text.bottom() + 1));
        EXPECT_FALSE(dark(image, text.center().x(), text.bottom() + 2));
        EXPECT_TRUE(dark(image, text.left() - 5, text.center().y())); // the frame is there
    }
}

TEST(PrintImage, ThinTubeOnW2IsFiftyDotsHigh) {
    Fixture f(model::models::QX950W2);
    f.data.target.targetKind = model::TargetKind::KavTube;
    f.data.target.targetSize = 32;
    setLine(f.data, 0, 0, "1", 1);
    f.check();
    EXPECT_EQ(f.context().GetPieceSize(0, 0).height(), 50);
    // The view draws a plain rectangle: straight left and right edges.
    const QImage image = f.draw(0);
    for (const int y : {Border + 2, Border + 25, Border + 47})
        EXPECT_TRUE(dark(image, Border - 1, y)) << y;
}

TEST(PrintImage, EachPieceIsFittedOnItsOwn) {
    Fixture f(model::models::QX950W3);
    f.data.target.sizeMode = 1;
    f.data.block(0).pitch = 150;
    setLine(f.data, 0, 0, "AB-$", 4);
    addSequence(f.data, 0, decimalRun(8, 120));
    // Piece 0 prints "8", piece 100 prints "108": the longer value must get smaller characters.
    const QImage first = f.draw(0, 0);
    const QImage later = f.draw(0, 100);
    const QRect a = inkBounds(first, first.rect().adjusted(Border + 2, Border + 2, -Border - 2, -Border - 2));
    const QRect b = inkBounds(later, later.rect().adjusted(Border + 2, Border + 2, -Border - 2, -Border - 2));
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    EXPECT_LT(b.height(), a.height());
    EXPECT_EQ(first.size(), later.size()); // the same pitch
}

TEST(PrintImage, CharacterLimitShowsFromTheBlockThatPassesIt) {
    Fixture f(model::models::QX950W3);
    const int limit = f.catalogue.limits().charLimit;
    const std::string text(10, 'A');
    const int blocks = limit / 11 + 3;
    ASSERT_LE(blocks, model::MaxBlocks);
    f.data.blockCount = static_cast<std::int16_t>(blocks);
    for (int b = 0; b < blocks; ++b) {
        setLine(f.data, b, 0, text, 1);
        f.data.block(b).pitch = 500;
    }
    f.check();
    const std::optional<int> over = output::characterBudgetOverflowBlock(f.catalogue, f.data);
    ASSERT_TRUE(over.has_value());
    const CPrintImageContext image = f.context();
    EXPECT_EQ(image.imageError(*over - 1), ImageError::None);
    EXPECT_EQ(image.imageError(*over), ImageError::CharCountOver);
    EXPECT_EQ(image.imageError(blocks - 1), ImageError::CharCountOver);
    EXPECT_EQ(model::messageText(imageErrorTextId(ImageError::CharCountOver)), " 文字数オーバー ");

    // The text replaces the picture: no medium outline, ink in the middle of the rectangle.
    QImage out(300, 60, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    image.DrawBlockImage(painter, *over, 0, out.rect());
    painter.end();
    const QRect ink = inkBounds(out);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.width(), 150); // fitted to the rectangle's width
    EXPECT_NEAR(ink.center().x(), 150, 6);
    EXPECT_FALSE(dark(out, 1, 30));
}

TEST(PrintImage, ErrorCodesOfTheChecksReplaceThePicture) {
    Fixture f;
    setLine(f.data, 0, 0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 1);
    f.data.block(0).pitch = 100;
    f.check();
    EXPECT_EQ(f.context().imageError(0), ImageError::PitchLengthOver);
    f.data.target.printMode = PrintLengthMode;
    f.data.target.printLength = 10;
    f.check();
    EXPECT_EQ(f.context().imageError(0), ImageError::PrintLengthOver);
}

TEST(PrintImage, FitToRectCentresTheScaledMedium) {
    Fixture f;
    setLine(f.data, 0, 0, "A", 3);
    f.check();
    const CPrintImageContext image = f.context();
    const QSize medium = image.GetPieceSize(0, 0);
    QImage out(400, 400, QImage::Format_RGB32);
    out.fill(Qt::gray);
    QPainter painter(&out);
    image.DrawBlockImage(painter, 0, 0, out.rect());
    painter.end();
    const FitScale s = fitScale(out.size(), medium);
    const int w = s(medium.width());
    const int h = s(medium.height());
    EXPECT_EQ(w, 398); // the width limits: one border pixel on each side
    // The medium is white inside and centred.
    EXPECT_EQ(out.pixel(200, 200 - h / 2 + 3), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(200, 200 - h / 2 - 4), QColor(Qt::gray).rgb());
}

TEST(PrintImage, VerticalWritingTurnsTheText) {
    Fixture f;
    setLine(f.data, 0, 0, "1111", 3);
    const QImage horizontal = f.draw(0);
    f.data.target.direction = 1; // on a tube the text runs along it, glyphs turned
    const QImage vertical = f.draw(0);
    const QRect inner = horizontal.rect().adjusted(Border + 2, Border + 2, -Border - 2, -Border - 2);
    const QRect a = inkBounds(horizontal, inner);
    const QRect b = inkBounds(vertical, inner);
    ASSERT_FALSE(a.isEmpty());
    ASSERT_FALSE(b.isEmpty());
    // A "1" is tall and thin: turned, the four of them are lower than upright ones.
    EXPECT_LT(b.height(), a.height());
}

TEST(FitScale, RoundsAndNeverShrinksBelowOne) {
    const FitScale half{1, 2};
    EXPECT_EQ(half(3), 2);
    EXPECT_EQ(half(1), 1);
    EXPECT_EQ(half(0), 0);
    EXPECT_EQ(half(-3), -2);
    EXPECT_EQ((FitScale{1, 100})(2), 1);
    EXPECT_EQ(fitScale(QSize(102, 52), QSize(200, 50)).num, 100);
}

} // namespace
} // namespace qx::render
