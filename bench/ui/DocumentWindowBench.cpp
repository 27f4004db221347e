// One typed cell in a whole document window on the full document: from the first key to the
// repainted grid and the repainted print image of the edited block (commit, output check, the
// print image following the change). The print image must fit in the typed-cell budget too.
#include "ui/frames/ChildFrame.h"

#include "BenchDocuments.h"

#include "ui/frames/KorvintaView.h"
#include "ui/frames/PrintImageView.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"

#include <QApplication>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace qx;

void BM_TypedCellWithPrintImageRepainted(benchmark::State& state) {
    benchdata::EditorFixture editor;
    QTemporaryDir dir;
    QSettings store(dir.filePath("window.ini"), QSettings::IniFormat);
    ui::CChildFrame frame(editor.document(), store);
    frame.resize(1100, 900);
    frame.show();
    QApplication::setActiveWindow(&frame);
    (void)QTest::qWaitForWindowActive(&frame);
    ui::CTableCtrl& grid = frame.findChild<ui::CKorvintaView*>()->grid().grid();
    ui::CPrintImageView& image = *frame.findChild<ui::CPrintImageView*>();
    QImage gridPicture(grid.size(), QImage::Format_RGB32);
    QImage imagePicture(image.size(), QImage::Format_RGB32);
    const auto repaint = [&] {
        QPainter gridPainter(&gridPicture);
        grid.render(gridPainter);
        QPainter imagePainter(&imagePicture);
        image.render(&imagePainter);
    };
    repaint(); // warm the font and picture caches

    int row = 0;
    for (auto _ : state) {
        state.PauseTiming();
        row = (row + 1) % 900;
        grid.setFocusCell({0, row});
        grid.setSelection({0, row, 0, row});
        grid.setFocus();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        QTest::keyClicks(&grid, QStringLiteral("abc"));
        QTest::keyClick(&grid, Qt::Key_Return);
        repaint();
    }
    if (editor.document().data().line(row, 0).chars.size() != 3 || image.block() != row) {
        state.SkipWithError("the typed text or the print image did not follow the edit");
    }
    state.counters["imageWidth"] = image.width();
    state.counters["imageHeight"] = image.height();
}
BENCHMARK(BM_TypedCellWithPrintImageRepainted)->Unit(benchmark::kMillisecond);

} // namespace
