// The wire-list import dialog's live preview: after a change of a template, the rows of a list of
// 999 wires mapped again, placed as the document's 999 blocks, checked, and the preview grid and
// print image repainted.
#include "ui/dialogs/import/PieceImage.h"
#include "ui/dialogs/import/WireListImportDlg.h"

#include "BenchDocuments.h"

#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

using namespace qx;

model::EditData emptyDocument(const model::Catalogue& catalogue) {
    return model::createEditData(catalogue, 1);
}

void BM_WireListLivePreview999Blocks(benchmark::State& state) {
    benchdata::EditorFixture editor(emptyDocument);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wires.csv"));
    {
        QFile file(path);
        (void)file.open(QIODevice::WriteOnly);
        file.write("Wire,From Device,From Pin,To Device,To Pin,Color\n");
        for (int r = 0; r < model::MaxBlocks; ++r) {
            file.write(QStringLiteral("W%1,-X%2,%3,-K%4,A%5,BK\n")
                           .arg(10000 + r)
                           .arg(r % 40 + 1)
                           .arg(r % 24 + 1)
                           .arg(r % 70 + 1)
                           .arg(r % 2 + 1)
                           .toUtf8());
        }
    }
    ui::CWireListImportDlg dialog({editor.context(), editor.document().data(), -1,
                                   std::filesystem::path(dir.filePath(QStringLiteral("profiles")).toStdString()), path,
                                   {}});
    auto* ends = dialog.findChild<QAbstractButton*>(QStringLiteral("ends_source"));
    ends->click();
    dialog.show();
    (void)QTest::qWaitForWindowExposed(&dialog);
    auto* line = dialog.findChild<QLineEdit*>(QStringLiteral("line2"));
    QImage grid(dialog.previewGrid().grid().size(), QImage::Format_RGB32);
    QImage image(dialog.pieceImage().size(), QImage::Format_RGB32);
    const QString templates[2] = {QStringLiteral("{here}>{there}"), QStringLiteral("{here} {Color}")};
    int change = 0;
    for (auto _ : state) {
        line->setText(templates[change++ % 2]);
        emit line->textEdited(line->text());
        QPainter gridPainter(&grid);
        dialog.previewGrid().grid().render(gridPainter);
        QPainter imagePainter(&image);
        dialog.pieceImage().render(&imagePainter);
    }
    if (dialog.model().inserted().blocksUsed != model::MaxBlocks) {
        state.SkipWithError("the preview did not fill 999 blocks");
    }
}
BENCHMARK(BM_WireListLivePreview999Blocks)->Unit(benchmark::kMillisecond);

} // namespace
