// Mapping wire lists: the rows of a read sheet to pieces and the pieces to blocks, as the import
// dialog's live preview does after every change and as qxtool import does after reading.

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "wirelist/WireListImport.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace qx;

wirelist::Sheet wireSheet(int wires) {
    wirelist::Sheet sheet{"配線", {}};
    sheet.rows.push_back({"線番", "接続元機器", "接続元端子", "接続先機器", "接続先端子", "色", "断面積", "本数", "長さ",
                          "ケーブル", "日付", "備考"});
    for (int r = 0; r < wires; ++r) {
        sheet.rows.push_back({"W" + std::to_string(10000 + r), "-X" + std::to_string(r % 40 + 1),
                              std::to_string(r % 24 + 1), "-K" + std::to_string(r % 70 + 1),
                              "A" + std::to_string(r % 2 + 1), r % 3 == 0 ? "青" : "赤", "1.25",
                              std::to_string(r % 4 + 1), std::to_string(100 + r % 900),
                              "ケーブル" + std::to_string(r % 100), "2024/1/15", r % 10 == 0 ? "予備" : ""});
    }
    return sheet;
}

struct Fixture {
    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData document = model::createEditData(catalogue, settings.frameGap);
};

/// What the live preview does after the operator changes a template: the rows mapped again and
/// the pieces placed as the document's 999 blocks.
void BM_WireListPreview999Blocks(benchmark::State& state) {
    const Fixture f;
    const wirelist::Sheet sheet = wireSheet(999);
    wirelist::ImportProfile profile;
    profile.ends = wirelist::Ends::Source;
    const std::vector<std::string> templates[2] = {{"{wire}", "{here}"}, {"{wire} {色}", "{here}>{there}"}};
    wirelist::PieceInsert inserted;
    int change = 0;
    for (auto _ : state) {
        profile.lines = templates[change++ % 2];
        const wirelist::SheetMapping mapping = wirelist::mapSheet(sheet, profile);
        wirelist::insertPieces(f.document, -1, mapping.pieces, f.catalogue, f.settings, inserted);
        benchmark::DoNotOptimize(inserted.blocksUsed);
    }
    if (inserted.blocksUsed != 999) {
        state.SkipWithError("the preview did not fill 999 blocks");
    }
}
BENCHMARK(BM_WireListPreview999Blocks)->Unit(benchmark::kMillisecond);

/// The mapping half of reading and mapping a 10,000-wire list: both ends, a count column, the
/// pieces placed up to the block limit.
void BM_WireListMap10000Wires(benchmark::State& state) {
    const Fixture f;
    const wirelist::Sheet sheet = wireSheet(10000);
    wirelist::ImportProfile profile;
    profile.lines = {"{wire}", "{here}"};
    wirelist::PieceInsert inserted;
    for (auto _ : state) {
        const wirelist::SheetMapping mapping = wirelist::mapSheet(sheet, profile);
        wirelist::insertPieces(f.document, -1, mapping.pieces, f.catalogue, f.settings, inserted);
        benchmark::DoNotOptimize(mapping.pieces.size());
    }
}
BENCHMARK(BM_WireListMap10000Wires)->Unit(benchmark::kMillisecond);

} // namespace
