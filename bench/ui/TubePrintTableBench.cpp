// The block grid on a full document: a repaint of every visible cell, the same right after a
// change every line may have taken part in, and one typed cell from the first key to the
// repainted grid (commit, output check of the whole document, repaint).
#include "ui/grid/TubePrintTable.h"

#include "BenchDocuments.h"

#include "render/PrintFont.h"
#include "render/SymbolPictures.h"
#include "ui/CommandIds.h"
#include "ui/frames/KorvintaView.h"
#include "ui/table/TableCtrl.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace qx;

/// A document window's grid of the full document, shown at a size of about 30 visible rows, with
/// the symbol pictures a running editor gives it.
class GridFixture {
public:
    GridFixture() : m_table(m_editor.document()), m_picture(QSize(1000, 760), QImage::Format_RGB32) {
        m_table.setSymbolPictureProvider(ui::gridSymbolPictures(m_symbols));
        QObject::connect(&m_editor.document(), &ui::EditDocument::changed, &m_table, &ui::CTubePrintTable::refresh);
        m_table.resize(1000, 760);
        m_table.show();
        QApplication::setActiveWindow(&m_table);
        (void)QTest::qWaitForWindowActive(&m_table);
        m_picture = QImage(grid().size(), QImage::Format_RGB32);
        repaint(); // warm the font and picture caches
    }

    ui::CTubePrintTable& table() { return m_table; }
    ui::CTableCtrl& grid() { return m_table.grid(); }
    ui::EditDocument& document() { return m_editor.document(); }

    void repaint() {
        QPainter painter(&m_picture);
        grid().render(painter);
    }

private:
    benchdata::EditorFixture m_editor;
    render::SymbolPictures m_symbols{render::resolvePrintFontFamily()};
    ui::CTubePrintTable m_table;
    QImage m_picture;
};

void visibleCellCounters(benchmark::State& state, ui::CTableCtrl& grid) {
    state.counters["rows"] = grid.visibleRows();
    state.counters["columns"] = grid.visibleColumns();
}

void BM_RepaintVisibleGrid(benchmark::State& state) {
    GridFixture fixture;
    for (auto _ : state) {
        fixture.repaint();
    }
    visibleCellCounters(state, fixture.grid());
}
BENCHMARK(BM_RepaintVisibleGrid)->Unit(benchmark::kMillisecond);

void BM_RepaintAfterWholeDocumentChange(benchmark::State& state) {
    GridFixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.table().refresh(ui::UpdateHint::Everything);
        state.ResumeTiming();
        fixture.repaint();
    }
    visibleCellCounters(state, fixture.grid());
}
BENCHMARK(BM_RepaintAfterWholeDocumentChange)->Unit(benchmark::kMillisecond);

void BM_TypedCellCommittedAndRepainted(benchmark::State& state) {
    GridFixture fixture;
    ui::CTableCtrl& grid = fixture.grid();
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
        fixture.repaint();
    }
    if (fixture.document().data().line(row, 0).chars.size() != 3) {
        state.SkipWithError("the typed text did not reach the document");
    }
}
BENCHMARK(BM_TypedCellCommittedAndRepainted)->Unit(benchmark::kMillisecond);

} // namespace
