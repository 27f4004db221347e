// The print image: one block at the size of the view, and the whole-run layout of a full document.
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/OutputTestDocuments.h"
#include "output/OutputValidation.h"
#include "render/PreviewLayout.h"
#include "render/PrintFont.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace qx;
using namespace qx::output::testdocs;

struct Setup {
    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = newDocument(catalogue, 1);
    render::SymbolPictures symbols{render::resolvePrintFontFamily()};
};

void BlockImageAtViewSize(benchmark::State& state) {
    Setup s;
    setLine(s.data, 0, 0, "ABC-$", 3);
    setLine(s.data, 0, 1, "@@&12", 3);
    addSequence(s.data, 0, decimalRun(1, 99));
    s.data.target.frame = 1;
    output::ComputeBlockResults(s.data, s.catalogue, s.settings, 0, 1);
    QImage view(600, 200, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&view);
        view.fill(Qt::gray);
        const render::CPrintImageContext context(s.data, s.catalogue, s.settings, s.symbols);
        context.DrawBlockImage(painter, 0, 0, view.rect());
        painter.end();
        benchmark::DoNotOptimize(view.constBits());
    }
}
BENCHMARK(BlockImageAtViewSize)->Unit(benchmark::kMicrosecond);

void PreviewLayoutOfFullDocument(benchmark::State& state) {
    Setup s;
    s.data.blockCount = model::MaxBlocks;
    for (int b = 0; b < model::MaxBlocks; ++b) {
        setLine(s.data, b, 0, "CABLE-$", 2);
        addSequence(s.data, b, decimalRun(1, 100));
        s.data.block(b).count = 2;
    }
    output::ComputeBlockResults(s.data, s.catalogue, s.settings, 0, model::MaxBlocks);
    const render::CPrintImageContext context(s.data, s.catalogue, s.settings, s.symbols);
    for (auto _ : state) {
        const render::CPreviewLayout layout = render::CPreviewLayout::build(s.data, context);
        benchmark::DoNotOptimize(layout.totalLength());
    }
    state.counters["pieces"] = 999 * 100;
}
BENCHMARK(PreviewLayoutOfFullDocument)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
