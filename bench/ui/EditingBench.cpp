// The editing commands on a full document: one undo step (recorded, then applied), a paste of 999
// whole blocks with the output checks of the whole document that follow it, and a copy of 999
// blocks onto the clipboard's data.
#include "BenchDocuments.h"

#include "formats/ClipboardPayload.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/EditDocument.h"
#include "ui/grid/ForbiddenCharNotice.h"
#include "ui/editing/ClipboardMime.h"
#include "ui/editing/ClipboardPaste.h"

#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qx;

class DocumentFixture {
public:
    DocumentFixture()
        : m_store(m_dir.filePath("settings.ini"), QSettings::IniFormat),
          m_catalogue(model::models::QX950W3),
          m_settings(model::OperatorSettings::defaultsFor(m_catalogue)),
          m_context{m_catalogue, m_settings, m_printOptions, m_prompter, m_store, nullptr, &m_notice},
          m_document(m_context, benchdata::fullDocument(m_catalogue)) {
        m_document.recomputeAllChecks();
    }

    const model::Catalogue& catalogue() const { return m_catalogue; }
    const model::OperatorSettings& settings() const { return m_settings; }
    ui::EditDocument& document() { return m_document; }

private:
    QTemporaryDir m_dir;
    QSettings m_store;
    model::Catalogue m_catalogue;
    model::OperatorSettings m_settings;
    output::PrintOptions m_printOptions;
    output::testing::ScriptedPrompter m_prompter;
    ui::ForbiddenCharNotice m_notice{[](QWidget*) { return false; }};
    ui::EditorContext m_context;
    ui::EditDocument m_document;
};

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
