#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"
#include "model/TextConversion.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace qx::model;

/// A full document: 999 blocks of 4 lines of 20 characters, 3 sequence definitions in every
/// tenth block.
EditData fullDocument(const Catalogue& catalogue) {
    EditData data = createEditData(catalogue, 1);
    data.blockCount = MaxBlocks;
    for (int b = 0; b < MaxBlocks; ++b) {
        EditBlock& block = data.block(b);
        block.lineCount = MaxLines;
        for (int l = 0; l < MaxLines; ++l) {
            CodeList& chars = block.lines[static_cast<std::size_t>(l)].chars;
            chars.assign(20, static_cast<CharCode>(0x2341 + (b + l) % 26));
        }
        if (b % 10 == 0) {
            for (int s = 0; s < 3; ++s) {
                block.lines[static_cast<std::size_t>(s)].chars[5] = codes::SequenceMarker;
                block.appendSequence(tagSEQ_V900{1, 3, 1, 100, 0, 0});
            }
        }
    }
    return data;
}

void BM_DeepCopyFullDocument(benchmark::State& state) {
    const Catalogue catalogue(models::QX950W3);
    const EditData source = fullDocument(catalogue);
    for (auto _ : state) {
        EditData copy = source;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_DeepCopyFullDocument)->Unit(benchmark::kMicrosecond);

void BM_TextToCodesFullDocument(benchmark::State& state) {
    const Catalogue catalogue(models::QX950W3);
    const EditData source = fullDocument(catalogue);
    std::vector<std::string> texts;
    texts.reserve(MaxBlocks * MaxLines);
    for (int b = 0; b < MaxBlocks; ++b) {
        for (int l = 0; l < MaxLines; ++l) {
            texts.push_back(codesToText(source.line(b, l).chars, false));
        }
    }
    EditData target = source;
    for (auto _ : state) {
        int replaced = 0;
        std::size_t i = 0;
        for (int b = 0; b < MaxBlocks; ++b) {
            for (int l = 0; l < MaxLines; ++l) {
                replaced += setLineFromText(target, b, l, texts[i++], true);
            }
        }
        benchmark::DoNotOptimize(replaced);
    }
}
BENCHMARK(BM_TextToCodesFullDocument)->Unit(benchmark::kMicrosecond);

} // namespace
