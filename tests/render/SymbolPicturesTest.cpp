#include "model/TextConversion.h"
#include "render/PrintFont.h"
#include "render/SymbolCatalogue.h"
#include "render/SymbolPictures.h"
#include "render/SymbolSheet.h"
#include "render/SymbolTable.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <array>

#include <set>

namespace qx::render {
namespace {

int inkPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return n;
}

TEST(SymbolCatalogue, GroupsPerGeneration) {
    struct Row {
        model::ModelType model;
        std::array<int, SymbolGroupCount> sizes;
    };
    const Row rows[] = {
        {0, {56, 26, 40, 7, 23, 23, 30, 15, 22, 26}},
        {3, {66, 26, 40, 7, 23, 23, 30, 15, 22, 26}},
        {9, {77, 26, 40, 7, 23, 23, 38, 15, 22, 26}},
    };
    for (const Row& row : rows) {
        const SymbolCatalogue catalogue(row.model);
        ASSERT_EQ(catalogue.groupCount(), SymbolGroupCount);
        for (int g = 0; g < SymbolGroupCount; ++g)
            EXPECT_EQ(static_cast<int>(catalogue.group(g).entries.size()), row.sizes[static_cast<std::size_t>(g)])
                << row.model << " group " << g;
    }
    EXPECT_EQ(SymbolCatalogue(4).groupCount(), 0);
    EXPECT_EQ(SymbolCatalogue(9).validGroup(12), 0);
    // Picture ids run in step with the codes.
    const SymbolCatalogue first(0);
    EXPECT_EQ(first.group(0).entries[40], (SymbolCatalogueEntry{0x2A63, 293}));
    EXPECT_EQ(SymbolCatalogue(9).group(6).entries[30], (SymbolCatalogueEntry{0x2846, 712}));
}

TEST(SymbolTable, EveryCodeAModelCanPrintHasOnePicture) {
    const SymbolPictures pictures(resolvePrintFontFamily());
    const std::vector<model::CharCode> codes = allCatalogueCodes();
    EXPECT_EQ(codes.size(), 303u);
    std::set<model::CharCode> seen;
    for (const SymbolDefinition& d : symbolTable())
        EXPECT_TRUE(seen.insert(d.code).second) << std::hex << d.code;
    for (const model::CharCode code : codes) {
        const SymbolDefinition* d = findSymbol(code);
        ASSERT_NE(d, nullptr) << std::hex << code;
        EXPECT_FALSE(d->name.empty());
        // Rasterised to the grid's size and large, the picture has ink and fills only part of it.
        const int small = inkPixels(pictures.image(code, QSize(16, 16), Qt::black, Qt::white));
        EXPECT_GT(small, 3) << std::hex << code;
        EXPECT_LT(small, 16 * 16 * 3 / 4) << std::hex << code;
    }
    // The sequence-number marker is pictured too (the symbol preview shows it); other codes are not.
    EXPECT_NE(findSymbol(model::codes::SequenceMarker), nullptr);
    EXPECT_EQ(findSymbol(0x2821), nullptr);
    EXPECT_EQ(pictures.source(0x2821), SymbolSource::None);
    EXPECT_EQ(pictures.source(0x2C21), SymbolSource::Drawn);
}

TEST(SymbolPictures, ScalesWithoutLosingShape) {
    const SymbolPictures pictures(resolvePrintFontFamily());
    // The same picture at four times the size has about sixteen times the ink.
    for (const model::CharCode code : std::array<model::CharCode, 4>{0x2A21, 0x2C21, 0x2B21, 0x2C4E}) {
        const int small = inkPixels(pictures.image(code, QSize(32, 32), Qt::black, Qt::white));
        const int large = inkPixels(pictures.image(code, QSize(128, 128), Qt::black, Qt::white));
        EXPECT_GT(large, small * 8) << std::hex << code;
        EXPECT_LT(large, small * 32) << std::hex << code;
    }
    // Turned a quarter turn: the arrow right points up.
    const QImage up = [&] {
        QImage out(32, 32, QImage::Format_RGB32);
        out.fill(Qt::white);
        QPainter painter(&out);
        pictures.paint(painter, QRectF(0, 0, 32, 32), 0x2C4E, Qt::black, true);
        return out;
    }();
    int top = 0, bottom = 0;
    for (int x = 0; x < 32; ++x) {
        top += qGray(up.pixel(x, 6)) < 128 ? 1 : 0;
        bottom += qGray(up.pixel(x, 26)) < 128 ? 1 : 0;
    }
    EXPECT_GT(top, bottom); // the head is at the top
}

TEST(SymbolSheet, ShowsEverySymbol) {
    const SymbolPictures pictures(resolvePrintFontFamily());
    const QImage sheet = renderSymbolSheet(pictures);
    EXPECT_GT(sheet.height(), static_cast<int>(symbolTable().size()) / 4 * 50);
}

} // namespace
} // namespace qx::render
