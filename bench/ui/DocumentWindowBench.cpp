// One typed cell in a whole document window on the full document: from the first key to the
// repainted grid, the repainted print image of the edited block and the run's totals in the status
// bar (commit, output check, the print image and the totals following the change). The print image
// and the totals must fit in the typed-cell budget too.
#include "ui/frames/ChildFrame.h"

#include "BenchDocuments.h"

#include "ui/frames/KorvintaView.h"
#include "ui/frames/PrintImageView.h"
#include "ui/RunTotalsText.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"

#include <QApplication>
#include <QLabel>
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
    // The status bar's totals follow every change of the document, as the main window's do.
    QLabel totals;
    QObject::connect(&editor.document(), &ui::EditDocument::changed, &totals, [&] {
        totals.setText(ui::runTotalsText(
            output::runTotals(editor.catalogue(), editor.settings(), editor.document().data())));
    });
    totals.resize(300, 24);
    QImage gridPicture(grid.size(), QImage::Format_RGB32);
    QImage imagePicture(image.size(), QImage::Format_RGB32);
    QImage totalsPicture(totals.size(), QImage::Format_RGB32);
    const auto repaint = [&] {
        QPainter gridPainter(&gridPicture);
        grid.render(gridPainter);
        QPainter imagePainter(&imagePicture);
        image.render(&imagePainter);
        QPainter totalsPainter(&totalsPicture);
        totals.render(&totalsPainter);
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
    if (editor.document().data().line(row, 0).chars.size() != 3 || image.block() != row ||
        !totals.text().startsWith(QStringLiteral("999 "))) {
        state.SkipWithError("the typed text, the print image or the totals did not follow the edit");
    }
    state.counters["imageWidth"] = image.width();
    state.counters["imageHeight"] = image.height();
}
BENCHMARK(BM_TypedCellWithPrintImageRepainted)->Unit(benchmark::kMillisecond);

} // namespace
