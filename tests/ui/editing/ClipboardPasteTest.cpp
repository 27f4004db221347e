#include "ui/editing/ClipboardPaste.h"

#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace qx::ui {
namespace {

using formats::ClipboardFormat;
using model::CodeList;

/// A clipboard as another window left it: some private formats and perhaps text.
class FakeClipboard final : public ClipboardContents {
public:
    bool hasText() const override { return m_text.has_value(); }
    std::string text() const override { return m_text.value_or(""); }
    std::optional<std::vector<std::uint8_t>> bytes(ClipboardFormat format) const override {
        const auto it = m_bytes.find(format);
        return it == m_bytes.end() ? std::nullopt : std::optional(it->second);
    }
    void put(ClipboardFormat format, std::vector<std::uint8_t> bytes) {
        m_bytes[ClipboardFormat::Format] = bytes;
        m_bytes[format] = std::move(bytes);
    }
    void putText(std::string text) { m_text = std::move(text); }

private:
    std::map<ClipboardFormat, std::vector<std::uint8_t>> m_bytes;
    std::optional<std::string> m_text;
};

class ClipboardPasteTest : public testing::Test {
protected:
    void useModel(model::ModelType type) {
        catalogue = model::Catalogue(type);
        settings = model::OperatorSettings::defaultsFor(catalogue);
        data = model::createEditData(catalogue, 2);
        source = model::createEditData(catalogue, 2);
    }
    static void fill(model::EditData& doc, int blocks, model::CharCode base) {
        doc.blockCount = static_cast<std::int16_t>(blocks);
        for (int b = 0; b < blocks; ++b) {
            for (int l = 0; l < 4; ++l) {
                doc.block(b).lines[static_cast<std::size_t>(l)].chars = {static_cast<model::CharCode>(base + b),
                                                                         static_cast<model::CharCode>(0x2330 + l)};
            }
            doc.block(b).lineCount = 4;
        }
    }
    /// Copies the selection of `source` as the copy command would.
    void copy(int left, int top, int right, int bottom) {
        GridState from;
        from.selection = {left, top, right, bottom};
        const EditingCommands commands(catalogue, settings);
        clipboard.put(*commands.copyFormat(from), commands.copyPayload(source, from));
    }
    void select(int left, int top, int right, int bottom) {
        grid.selection = {left, top, right, bottom};
        grid.focus = {left, top};
    }
    CommandOutcome paste() { return ClipboardPaste(catalogue, settings).paste(data, grid, history, clipboard); }
    std::vector<std::uint8_t> encoded() const {
        return formats::saveDocumentFile(data, catalogue, settings).bytes;
    }

    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = model::createEditData(catalogue, 2);
    model::EditData source = model::createEditData(catalogue, 2);
    GridState grid;
    UndoHistory history;
    FakeClipboard clipboard;
};

TEST_F(ClipboardPasteTest, LineRectangleOntoOneCellAppendsBlocks) {
    useModel(model::models::QX950W3);
    fill(source, 3, 0x2341);
    fill(data, 10, 0x2361);
    copy(1, 0, 2, 2);
    select(1, 10, 1, 10);
    const CommandOutcome outcome = paste();
    ASSERT_TRUE(outcome.changed);
    EXPECT_TRUE(outcome.messageIds.empty());
    EXPECT_EQ(data.blockCount, 13);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(data.block(10 + k).lines[1].chars, source.block(k).lines[1].chars);
        EXPECT_EQ(data.block(10 + k).lines[2].chars, source.block(k).lines[2].chars);
        EXPECT_TRUE(data.block(10 + k).lines[0].chars.empty());
        EXPECT_EQ(data.block(10 + k).lineCount, 3);
    }
    EXPECT_EQ(grid.selection, (CellRange{1, 10, 1, 10}));
}

TEST_F(ClipboardPasteTest, LinePastePastTheBlockSequenceLimitLeavesTheDocumentAsItWas) {
    useModel(model::models::QX950W3); // three definitions per block
    fill(data, 2, 0x2361);
    data.block(0).lines[0].chars = {0x2F26, 0x2F26, 0x2F26};
    data.block(0).sequenceCount = 3;
    source.blockCount = 1;
    source.block(0).lines[0].chars = {0x2F26};
    source.block(0).sequenceCount = 1;
    source.block(0).sequences[0] = {1, 0, 1, 9, 0, 0};
    copy(0, 0, 0, 0);
    history.RecordUndo(data, grid, true); // an earlier edit that must stay undoable
    const std::vector<std::uint8_t> before = encoded();
    select(1, 0, 1, 0);
    const CommandOutcome outcome = paste();
    EXPECT_EQ(outcome.messageIds, (std::vector<int>{43064}));
    EXPECT_EQ(encoded(), before);
    EXPECT_EQ(history.undoSize(), 1);
    EXPECT_FALSE(history.canRedo());

    useModel(model::models::QX780); // one per block, fifteen per document
    fill(data, 2, 0x2361);
    data.block(0).lines[0].chars = {0x2F26};
    data.block(0).sequenceCount = 1;
    source.blockCount = 1;
    source.block(0).lines[0].chars = {0x2F26};
    source.block(0).sequenceCount = 1;
    copy(0, 0, 0, 0);
    select(1, 0, 1, 0);
    EXPECT_EQ(paste().messageIds, (std::vector<int>{42031}));
}

TEST_F(ClipboardPasteTest, WholeBlocksOverTheDocumentLimitAreTakenBack) {
    useModel(model::models::QX780);
    source.blockCount = 16;
    for (int b = 0; b < 16; ++b) {
        source.block(b).lines[0].chars = {0x2F26};
        source.block(b).sequenceCount = 1;
    }
    copy(0, 0, 7, 15);
    select(0, 0, 7, 20);
    const model::EditData before = data;
    EXPECT_EQ(paste().messageIds, (std::vector<int>{42032}));
    EXPECT_EQ(data.blockCount, before.blockCount);
    EXPECT_EQ(data.blocks, before.blocks);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(ClipboardPasteTest, WholeBlockPasteKeepsUnderlineAndFiltersCharacters) {
    useModel(model::models::QX950W3);
    source.blockCount = 1;
    source.block(0).lines[0].chars = {0x2341, 0x2F22}; // a line marker inside text
    source.block(0).underline = 1;
    source.block(0).reverse = 1;
    source.block(0).count = 7;
    copy(0, 0, 7, 0);
    fill(data, 3, 0x2361);
    select(0, 0, 7, 2);
    const CommandOutcome outcome = paste();
    EXPECT_EQ(outcome.messageIds, (std::vector<int>{42045}));
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(data.block(b).lines[0].chars, (CodeList{0x2341, 0x2121}));
        EXPECT_TRUE(data.block(b).lines[1].chars.empty()); // beyond the source's used lines
        EXPECT_EQ(data.block(b).underline, 0);
        EXPECT_EQ(data.block(b).reverse, 1);
        EXPECT_EQ(data.block(b).count, 7);
    }
}

// A payload from another editor may hold codes that are no character at all or control codes
// that are no glyph; the model filter turns them into full-width blanks, counts them and says so,
// so neither a saved file nor a print job carries them.
TEST_F(ClipboardPasteTest, CodesNoPrinterCanPrintBecomeBlanks) {
    useModel(model::models::QX950W);
    source.blockCount = 1;
    source.block(0).lines[0].chars = {0x7F7F, 0x2341, 0x2F7E, 0x2F26};
    source.block(0).sequenceCount = 1;
    source.block(0).lineCount = 1;
    copy(0, 0, 0, 0);
    fill(data, 1, 0x2361);
    select(0, 0, 0, 0);
    const CommandOutcome outcome = paste();
    EXPECT_EQ(outcome.messageIds, (std::vector<int>{42045}));
    EXPECT_EQ(data.block(0).lines[0].chars, (CodeList{0x2121, 0x2341, 0x2121, 0x2F26}));
    EXPECT_EQ(data.block(0).sequenceCount, 1);
}

// Blocks copied by their row headers and pasted onto one clicked row all arrive, up to the block
// limit; a selection of several rows still takes only as many blocks as it spans.
TEST_F(ClipboardPasteTest, WholeBlocksOntoOneRowAllArrive) {
    struct Case {
        model::ModelType model;
        int sourceBlocks, top, bottom;
        int blockCount;    ///< after the paste
        int lastReceiver;  ///< the last row that received a source block
    };
    const Case cases[] = {
        {model::models::QX950W3, 2, 1, 1, 3, 2},     // the two blocks onto row 2 of two blocks
        {model::models::QX950W3, 3, 0, 0, 3, 2},     // onto the first row: rows 1 to 3
        {model::models::QX950W3, 3, 0, 1, 2, 1},     // two rows selected: two blocks
        {model::models::QX780, 3, 298, 298, 300, 299}, // the block limit of 300 stops the third
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.top) + ".." + std::to_string(c.bottom));
        useModel(c.model);
        fill(source, c.sourceBlocks, 0x2341);
        copy(0, 0, 7, c.sourceBlocks - 1);
        fill(data, std::max(2, c.top + 1), 0x2361);
        select(0, c.top, 7, c.bottom);
        EXPECT_TRUE(paste().messageIds.empty());
        EXPECT_EQ(data.blockCount, c.blockCount);
        for (int row = c.top; row <= c.lastReceiver; ++row)
            EXPECT_EQ(data.block(row).lines[0].chars.front(), 0x2341 + (row - c.top)) << row;
        EXPECT_EQ(grid.selection.bottom, c.bottom);
    }
}

TEST_F(ClipboardPasteTest, AttributeRowsFollowTheMapping) {
    struct Case {
        int sourceTop, sourceBottom, top, bottom;
        std::vector<int> sources; // per target row from `top`
        int newBottom;
    };
    const Case cases[] = {
        {0, 2, 5, 7, {0, 1, 2}, 7},        // equal heights
        {3, 3, 0, 49, std::vector<int>(50, 3), 49}, // one source row fills them all
        {0, 1, 5, 9, {0, 1}, 6},           // shorter source
        {0, 4, 5, 5, {0, 1, 2, 3, 4}, 9},  // taller source onto one row
        {0, 4, 5, 6, {0, 1}, 6},           // taller source onto two rows
        {0, 4, 997, 997, {0, 1}, 998},     // stops before the block limit
    };
    for (const Case& c : cases) {
        const RowMapping m = mapAttributeRows(c.sourceTop, c.sourceBottom, c.top, c.bottom, 999);
        std::vector<int> sources;
        for (std::size_t k = 0; k < m.rows.size(); ++k) {
            EXPECT_EQ(m.rows[k].target, c.top + static_cast<int>(k));
            sources.push_back(m.rows[k].source);
        }
        EXPECT_EQ(sources, c.sources) << c.sourceTop << ".." << c.sourceBottom;
        EXPECT_EQ(m.bottom, c.newBottom);
    }
}

TEST_F(ClipboardPasteTest, CountAndPitchPastesWriteTheMappedRows) {
    useModel(model::models::QX950W3);
    source.blockCount = 5;
    for (int b = 0; b < 5; ++b) {
        source.block(b).count = static_cast<std::int16_t>(10 + b);
        source.block(b).pitch = static_cast<std::int16_t>(300 + b);
    }
    source.block(1).pitch = 1; // outside the tube's pitch range
    copy(5, 0, 5, 4);
    fill(data, 3, 0x2361);
    select(5, 2, 5, 2);
    paste();
    EXPECT_EQ(data.blockCount, 7);
    EXPECT_EQ(data.block(2).pitch, 300);
    EXPECT_EQ(data.block(3).pitch, settings.pitchLenTube);
    EXPECT_EQ(data.block(6).pitch, 304);
    EXPECT_EQ(grid.selection.bottom, 6);

    copy(4, 0, 4, 0);
    select(4, 0, 4, 49);
    paste();
    EXPECT_EQ(data.blockCount, 50);
    EXPECT_EQ(data.block(49).count, 10);
}

TEST_F(ClipboardPasteTest, PasteRefusesTargetsAndFormatsThatDoNotFit) {
    useModel(model::models::QX950W3);
    fill(source, 2, 0x2341);
    copy(4, 0, 4, 1); // counts
    fill(data, 3, 0x2361);
    const model::EditData before = data;
    select(0, 4, 0, 4); // two rows past the last block
    EXPECT_EQ(paste().messageIds, (std::vector<int>{42038}));
    select(0, 0, 0, 0); // a text line wants "KorvintaRow"
    EXPECT_EQ(paste().messageIds, (std::vector<int>{42037}));
    select(0, 0, 2, 0);
    EXPECT_EQ(ClipboardPaste(catalogue, settings).pasteFormat(data, grid, history, clipboard).messageIds,
              (std::vector<int>{42039}));
    // Bytes that claim more than they hold.
    clipboard.put(ClipboardFormat::Row, std::vector<std::uint8_t>(16 + 10, 0x7F));
    EXPECT_EQ(paste().messageIds, (std::vector<int>{42037}));
    EXPECT_EQ(data.blocks, before.blocks);
    EXPECT_FALSE(history.canUndo());
}

TEST_F(ClipboardPasteTest, FormatPasteTakesAttributesButNoText) {
    useModel(model::models::QX950W3);
    source.blockCount = 1;
    source.block(0).lines[0].chars = {0x2341};
    source.block(0).lines[2].charSize = 5;
    source.block(0).underline = 1;
    source.block(0).pitch = 400;
    copy(0, 0, 7, 0);
    fill(data, 2, 0x2361);
    select(0, 0, 7, 1);
    ClipboardPaste(catalogue, settings).pasteFormat(data, grid, history, clipboard);
    EXPECT_EQ(data.block(1).lines[0].chars, (CodeList{0x2362, 0x2330}));
    EXPECT_EQ(data.block(1).lines[2].charSize, 5);
    EXPECT_EQ(data.block(1).underline, 1);
    EXPECT_EQ(data.block(1).pitch, 400);
}

TEST_F(ClipboardPasteTest, FirstGenerationTurnsLowerCaseRunsUpperCase) {
    useModel(model::models::QX780);
    formats::ClipboardPayload payload;
    payload.blocks.resize(1);
    payload.blocks[0].sequenceCount = 2;
    payload.blocks[0].sequences[0] = {4, 0, 0x2361, 0x237A, 2, 7};
    payload.blocks[0].sequences[1] = {1, 0, 1, 5, 1, 0};
    ClipboardPaste(catalogue, settings).adaptToModel(payload);
    EXPECT_EQ(payload.blocks[0].sequences[0], (model::tagSEQ_V900{3, 0, 0x2341, 0x235A, 0, 0}));
    EXPECT_EQ(payload.blocks[0].sequences[1], (model::tagSEQ_V900{1, 0, 1, 5, 0, 0}));
}

TEST_F(ClipboardPasteTest, TextFieldsOntoTheFourthLineFillCountAndPitch) {
    useModel(model::models::QX950W3);
    fill(data, 1, 0x2361);
    clipboard.putText("A\t3\t12.5\tx\r\nB\t4x\t12.34\ty\r\n");
    select(3, 0, 3, 0);
    const CommandOutcome outcome = paste();
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(data.blockCount, 2);
    EXPECT_EQ(data.block(0).lines[3].chars, (CodeList{0x2341}));
    EXPECT_EQ(data.block(0).count, 3);
    EXPECT_EQ(data.block(0).pitch, 125);
    EXPECT_EQ(data.block(1).lines[3].chars, (CodeList{0x2342}));
    EXPECT_EQ(data.block(1).count, settings.numberTube); // "4x" is no number
    EXPECT_EQ(data.block(1).pitch, 123);
    EXPECT_EQ(data.block(1).underline, 0);
    EXPECT_EQ(grid.selection, (CellRange{3, 0, 5, 1}));

    // One field fills the whole selection and keeps it.
    clipboard.putText("Z");
    select(0, 0, 0, 4);
    paste();
    EXPECT_EQ(data.blockCount, 5);
    EXPECT_EQ(data.block(4).lines[0].chars, (CodeList{0x235A}));
    EXPECT_EQ(grid.selection, (CellRange{0, 0, 0, 4}));
}

TEST_F(ClipboardPasteTest, HugeTextPastesAtMostTheBlockLimit) {
    useModel(model::models::QX950W3);
    std::string text;
    for (int i = 0; i < 100'000; ++i) {
        text += "ABCDEFGHIJ\t2\t" + std::string(80, 'x') + "\r\n";
    }
    text += std::string("\0\0", 2);
    select(0, 0, 0, 0);
    clipboard.putText(text);
    const CommandOutcome outcome = paste();
    EXPECT_TRUE(outcome.changed);
    EXPECT_EQ(data.blockCount, 999);
    EXPECT_EQ(data.block(998).count, 2);
}

} // namespace
} // namespace qx::ui
