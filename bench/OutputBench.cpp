// Recomputing the output checks of a full document, as every edit does: the per-block copy the
// library uses against the plain whole-document copy per block (the baseline).

#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"
#include "output/OutputValidation.h"
#include "output/RunTotals.h"

#include "model/Catalogue.h"
#include "model/CharCode.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace qx;

/// 999 blocks of four lines of 20 letters and digits, normal automatic size; every 25th block
/// carries a sequence number, block 500 three of them.
model::EditData fullDocument(const model::Catalogue& catalogue, bool printLength) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = model::MaxBlocks;
    data.target.sizeMode = printLength ? 0 : 1;
    if (printLength)
        data.target.printMode = model::codes::Line1Marker;
    for (int b = 0; b < model::MaxBlocks; ++b) {
        model::EditBlock& block = data.block(b);
        block.lineCount = 4;
        for (int l = 0; l < 4; ++l) {
            model::EditLine& line = block.lines[static_cast<std::size_t>(l)];
            line.chars.clear();
            for (int c = 0; c < 20; ++c)
                line.chars.push_back(
                    static_cast<model::CharCode>(c % 3 == 0 ? 0x2330 + (b + c) % 10 : 0x2341 + c));
            line.charSize = static_cast<std::uint8_t>(1 + (b + l) % 3);
        }
        block.pitch = static_cast<std::int16_t>(b % 100 < 50 ? 300 : 400);
        const bool sequenced = printLength ? b == 500 : b % 25 == 0;
        if (sequenced) {
            const int count = !printLength && b == 500 ? 3 : 1;
            for (int s = 0; s < count; ++s) {
                block.lines[static_cast<std::size_t>(s)].chars[19] = model::codes::SequenceMarker;
                block.appendSequence({1, 0, 1, static_cast<std::uint16_t>(s == 1 ? 1000 : 500), 0, 0});
            }
        }
    }
    return data;
}

/// The baseline: each block check copies the whole document and resolves the block in the copy.
void wholeCopyBlockResults(model::EditData& data, const model::Catalogue& catalogue,
                           const model::OperatorSettings& settings) {
    std::vector<std::int32_t>& results = data.blockCheckResults.values;
    results.resize(static_cast<std::size_t>(output::usedBlockCount(data)), 0);
    model::EditData copy;
    for (int b = 0; b < output::usedBlockCount(data); ++b) {
        output::ResolveAutoCharSize(catalogue, data, copy, b, output::NoPiece);
        results[static_cast<std::size_t>(b)] = static_cast<std::int32_t>(
            output::checkResolvedBlock(catalogue, settings, copy.target, copy.block(b)));
    }
}

/// The baseline of the document check: one whole copy, every block resolved in it.
output::OutputError wholeCopyDocumentResult(const model::EditData& data, const model::Catalogue& catalogue) {
    model::EditData copy = data;
    for (int b = 0; b < output::usedBlockCount(copy); ++b)
        output::ResolveAutoCharSize(catalogue, copy, copy, b, output::NoPiece);
    return output::checkResolvedDocument(catalogue, copy);
}

struct Fixture {
    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
};

void BM_BlockResults_BlockCopy(benchmark::State& state) {
    const Fixture f;
    model::EditData data = fullDocument(f.catalogue, false);
    for (auto _ : state) {
        output::ComputeBlockResults(data, f.catalogue, f.settings, 0, data.blockCount);
        benchmark::DoNotOptimize(data.blockCheckResults.values.data());
    }
}
BENCHMARK(BM_BlockResults_BlockCopy)->Unit(benchmark::kMicrosecond);

void BM_BlockResults_WholeDocumentCopy(benchmark::State& state) {
    const Fixture f;
    model::EditData data = fullDocument(f.catalogue, false);
    for (auto _ : state) {
        wholeCopyBlockResults(data, f.catalogue, f.settings);
        benchmark::DoNotOptimize(data.blockCheckResults.values.data());
    }
}
BENCHMARK(BM_BlockResults_WholeDocumentCopy)->Unit(benchmark::kMillisecond);

void BM_DocumentResult_BlockCopy(benchmark::State& state) {
    const Fixture f;
    const model::EditData data = fullDocument(f.catalogue, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(output::checkDocument(f.catalogue, data));
}
BENCHMARK(BM_DocumentResult_BlockCopy)->Unit(benchmark::kMicrosecond);

void BM_DocumentResult_WholeDocumentCopy(benchmark::State& state) {
    const Fixture f;
    const model::EditData data = fullDocument(f.catalogue, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(wholeCopyDocumentResult(data, f.catalogue));
}
BENCHMARK(BM_DocumentResult_WholeDocumentCopy)->Unit(benchmark::kMicrosecond);

void BM_ValidateForOutput(benchmark::State& state) {
    const Fixture f;
    model::EditData data = fullDocument(f.catalogue, false);
    output::ComputeBlockResults(data, f.catalogue, f.settings, 0, data.blockCount);
    for (auto _ : state)
        benchmark::DoNotOptimize(output::ValidateForOutput(data, f.catalogue));
}
BENCHMARK(BM_ValidateForOutput)->Unit(benchmark::kMicrosecond);

/// The run's totals, recounted on every edit: fixed pitch (0), AUTO pitch (1), AUTO print length
/// (2, 500 sequence values laid out whole).
void BM_RunTotals(benchmark::State& state) {
    const Fixture f;
    model::EditData data = fullDocument(f.catalogue, state.range(0) == 2);
    data.target.pitchAuto = state.range(0) == 1 ? 1 : 0;
    data.target.printLength = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(output::runTotals(f.catalogue, f.settings, data));
}
BENCHMARK(BM_RunTotals)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
