#include "formats/CsvMerge.h"
#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace qx;
using namespace qx::model;

/// The fullest document a W3 printer takes: 999 blocks, each one line of three characters (the
/// 5,000-word text budget allows no more), a few pitch changes and sequence numbers.
EditData fullStorableDocument(const Catalogue& catalogue) {
    EditData data = createEditData(catalogue, 1);
    data.blockCount = MaxBlocks;
    for (int b = 0; b < MaxBlocks; ++b) {
        EditBlock& block = data.block(b);
        block.lines[0].chars = {static_cast<CharCode>(0x2341 + b % 26), 0x215D, 0x2330};
        block.pitch = static_cast<std::int16_t>(200 + (b / 100) * 10);
        if (b % 50 == 0) {
            block.lines[0].chars[2] = codes::SequenceMarker;
            block.appendSequence(tagSEQ_V900{1, 3, 1, 100, 0, 0});
        }
    }
    return data;
}

void BM_SaveAndLoadFullDocument(benchmark::State& state) {
    const Catalogue catalogue(models::QX950W3);
    const OperatorSettings settings = OperatorSettings::defaultsFor(catalogue);
    const EditData source = fullStorableDocument(catalogue);
    EditData loaded = createEditData(catalogue, 1);
    for (auto _ : state) {
        const formats::SaveDocumentResult saved = formats::saveDocumentFile(source, catalogue, settings);
        const formats::DecodeResult read = formats::loadDocumentFile(saved.bytes, catalogue, settings, loaded);
        if (!saved.ok || !read.ok) {
            state.SkipWithError("the document did not survive save and load");
            break;
        }
        benchmark::DoNotOptimize(loaded.blockCount);
    }
}
BENCHMARK(BM_SaveAndLoadFullDocument)->Unit(benchmark::kMicrosecond);

void BM_ReadCsvOf999Rows(benchmark::State& state) {
    const Catalogue catalogue(models::QX950W3);
    const OperatorSettings settings = OperatorSettings::defaultsFor(catalogue);
    const EditData current = createEditData(catalogue, 1);
    std::string csv;
    for (int row = 0; row < MaxBlocks; ++row) {
        // Four lines of twenty characters, mixed single-byte and Shift_JIS, one quoted field.
        csv += "ABCDEFGHIJKLMNOPQRST,\"A,B\x82\xa0\x82\xa2\x82\xa4 CDEFGHIJKLMNOP\",";
        csv += "\x88\x9f\x88\xa0\x88\xa1\x88\xa2\x88\xa3\x88\xa4\x88\xa5\x88\xa6\x88\xa7\x88\xa8";
        csv += "0123456789\x88\xa9\x88\xaa\x88\xab\x88\xac\x88\xad,klmnopqrstuvwxyz0123,3,25.0\r\n";
    }
    const std::vector<std::uint8_t> bytes(csv.begin(), csv.end());
    for (auto _ : state) {
        formats::MergeResult result = formats::mergeCsv(current, bytes, -1, catalogue, settings);
        benchmark::DoNotOptimize(result.data.blockCount);
    }
}
BENCHMARK(BM_ReadCsvOf999Rows)->Unit(benchmark::kMicrosecond);

} // namespace
