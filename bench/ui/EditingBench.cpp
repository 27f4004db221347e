// The editing commands on a full document: one undo step (recorded, then applied), a paste of 999
// whole blocks with the output checks of the whole document that follow it, and a copy of 999
// blocks onto the clipboard's data.
#include "BenchDocuments.h"

#include "formats/ClipboardPayload.h"
#include "ui/editing/ClipboardMime.h"
#include "ui/editing/ClipboardPaste.h"

#include <QMimeData>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qx;

using DocumentFixture = benchdata::EditorFixture;

ui::GridState wholeBlocks(int top, int bottom) {
    ui::GridState grid;
    grid.focus = {0, top};
    grid.selection = {0, top, 7, bottom};
    return grid;
}

void BM_UndoStepOnFullDocument(benchmark::State& state) {
    DocumentFixture fixture;
    ui::UndoHistory history;
    ui::GridState grid = wholeBlocks(0, 0);
    model::EditData& data = fixture.document().data();
    // A full history, as after a working session, so that every record also drops the oldest.
    for (int i = 0; i < ui::UndoHistory::Depth; ++i) {
        history.RecordUndo(data, grid, true);
    }
    for (auto _ : state) {
        history.RecordUndo(data, grid, true);
        ui::EditingCommands::undo(data, grid, history);
    }
    if (data.blockCount != model::MaxBlocks) {
        state.SkipWithError("the document did not come back whole");
    }
}
BENCHMARK(BM_UndoStepOnFullDocument)->Unit(benchmark::kMicrosecond);

class PayloadClipboard final : public ui::ClipboardContents {
public:
    explicit PayloadClipboard(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    bool hasText() const override { return false; }
    std::string text() const override { return {}; }
    std::optional<std::vector<std::uint8_t>> bytes(formats::ClipboardFormat format) const override {
        return format == formats::ClipboardFormat::All ? std::optional(m_bytes) : std::nullopt;
    }

private:
    std::vector<std::uint8_t> m_bytes;
};

void BM_PasteWholeBlocksWithChecks(benchmark::State& state) {
    DocumentFixture fixture;
    const ui::EditingCommands commands(fixture.catalogue(), fixture.settings());
    model::EditData source = benchdata::fullDocument(fixture.catalogue());
    for (int b = 0; b < model::MaxBlocks; ++b) {
        source.block(b).pitch = static_cast<std::int16_t>(250 + b % 5);
        // 40 sequence numbers: within the 45 a document may hold, so the paste stands.
        if (b % 25 != 0 && source.block(b).hasSequences()) {
            source.block(b).clearSequences();
            source.block(b).lines[0].chars[5] = 0x2341;
        }
    }
    const PayloadClipboard clipboard(commands.copyPayload(source, wholeBlocks(0, model::MaxBlocks - 1)));
    const ui::ClipboardPaste paste(fixture.catalogue(), fixture.settings());
    ui::UndoHistory history;
    for (auto _ : state) {
        ui::GridState grid = wholeBlocks(0, model::MaxBlocks - 1);
        const ui::CommandOutcome outcome = paste.paste(fixture.document().data(), grid, history, clipboard);
        fixture.document().notifyChanged(outcome.hint);
    }
    if (fixture.document().data().block(998).pitch != 253) {
        state.SkipWithError("the blocks were not pasted");
    }
}
BENCHMARK(BM_PasteWholeBlocksWithChecks)->Unit(benchmark::kMillisecond);

void BM_CopyFullDocument(benchmark::State& state) {
    DocumentFixture fixture;
    const ui::EditingCommands commands(fixture.catalogue(), fixture.settings());
    const ui::GridState grid = wholeBlocks(0, model::MaxBlocks - 1);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<std::uint8_t> payload = commands.copyPayload(fixture.document().data(), grid);
        std::unique_ptr<QMimeData> mime = ui::copiedMimeData(*commands.copyFormat(grid), payload);
        bytes = payload.size();
        benchmark::DoNotOptimize(mime);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CopyFullDocument)->Unit(benchmark::kMillisecond);

} // namespace
