// The whole-image preview of the longest run (999 blocks × 100 pieces) at 100 %: one arrow step of
// the horizontal bar and the repaint of the image area that follows it.
#include "ui/dialogs/preview/PreviewArea.h"
#include "ui/dialogs/preview/PreviewDlg.h"

#include "BenchDocuments.h"

#include "render/PrintFont.h"
#include "render/PrintImageContext.h"
#include "render/SymbolPictures.h"
#include "ui/CommandIds.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace qx;

void BM_PreviewScrollStepRepainted(benchmark::State& state) {
    benchdata::EditorFixture editor(benchdata::longRunDocument);
    const ui::EditorContext& context = editor.context();
    {
        // Pieces, not error texts, are what is timed.
        const render::SymbolPictures symbols(render::resolvePrintFontFamily());
        const render::CPrintImageContext image(editor.document().data(), context.catalogue, context.settings,
                                               symbols);
        if (image.imageError(500) != render::ImageError::None) {
            state.SkipWithError("the document's pieces show an error");
            return;
        }
    }
    ui::CPreviewDlg dialog({editor.document().data(), context.catalogue, context.settings, 0, {}, {}});
    dialog.resize(1200, 800);
    dialog.show();
    (void)QTest::qWaitForWindowExposed(&dialog);
    dialog.runCommand(ui::Command::PreviewLevel25 + 2); // 100 %
    auto* bar = dialog.findChild<QScrollBar*>(QStringLiteral("horizontalBar"));
    ui::CPreviewArea& area = dialog.imageArea();
    QImage picture(area.size(), QImage::Format_RGB32);
    const auto repaint = [&] {
        QPainter painter(&picture);
        area.render(&painter);
    };
    // Start in the middle of the run, away from both ends.
    bar->setValue(bar->maximum() / 2);
    repaint();
    const int start = bar->value();
    for (auto _ : state) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        repaint();
    }
    state.counters["pieces"] = static_cast<double>(dialog.layout().slotCount());
    state.counters["area_px"] = area.width();
    if (bar->value() == start || dialog.zoom().zoom() != 100) {
        state.SkipWithError("the preview did not scroll at 100 %");
    }
}
BENCHMARK(BM_PreviewScrollStepRepainted)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
