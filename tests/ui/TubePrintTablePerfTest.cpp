// Timings of the block grid on a full document, reported with the test results: a repaint of every
// visible cell, and one typed cell from the first key to the repainted grid (commit, output check
// of the document, repaint).
#include "ui/TubePrintTable.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/ForbiddenCharNotice.h"
#include "ui/TableCtrl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

namespace qx::ui {
namespace {

/// 999 blocks of four lines of twenty characters, a sequence number in every tenth block.
model::EditData fullDocument(const model::Catalogue& catalogue) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = model::MaxBlocks;
    for (int b = 0; b < model::MaxBlocks; ++b) {
        model::EditBlock& block = data.block(b);
        block.lineCount = model::MaxLines;
        block.pitch = static_cast<std::int16_t>(300 + b % 7);
        for (int l = 0; l < model::MaxLines; ++l) {
            block.lines[static_cast<std::size_t>(l)].chars.assign(20, static_cast<model::CharCode>(0x2341 + (b + l) % 26));
            block.lines[static_cast<std::size_t>(l)].charSize = 1;
        }
        if (b % 10 == 0) {
            block.lines[0].chars[5] = model::codes::SequenceMarker;
            block.appendSequence(model::tagSEQ_V900{1, 3, 1, 100, 0, 0});
        }
    }
    return data;
}

/// CPU time of this thread in milliseconds: what the work costs, whatever else the machine runs.
double threadMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

/// Median of the runs, in milliseconds.
double median(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

TEST(TubePrintTablePerf, FullDocumentRepaintAndTypedCell) {
    QTemporaryDir dir;
    QSettings store(dir.filePath("settings.ini"), QSettings::IniFormat);
    const model::Catalogue catalogue(model::models::QX950W3);
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    const EditorContext context{catalogue, settings, printOptions, prompter, store};
    EditDocument document(context, fullDocument(catalogue));
    document.recomputeAllChecks();
    ForbiddenCharNotice notice([](QWidget*) { return false; });
    CTubePrintTable table(document);
    QObject::connect(&document, &EditDocument::changed, &table, &CTubePrintTable::refresh);
    table.setForbiddenCharNotice(&notice);
    table.resize(1000, 760);
    table.show();
    QApplication::setActiveWindow(&table);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
    CTableCtrl& grid = table.grid();
    ASSERT_GE(grid.visibleRows(), 25);

    QImage target(grid.size(), QImage::Format_RGB32);
    const auto repaint = [&] {
        QPainter painter(&target);
        grid.render(painter);
    };
    repaint(); // warm the font and picture caches
    std::vector<double> paints;
    std::vector<double> paintsCpu;
    for (int i = 0; i < 30; ++i) {
        QElapsedTimer timer;
        const double cpu = threadMs();
        timer.start();
        repaint();
        paints.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        paintsCpu.push_back(threadMs() - cpu);
    }

    // After a change that every line may have taken part in, the visible lines are laid out anew.
    std::vector<double> coldCpu;
    for (int i = 0; i < 30; ++i) {
        table.refresh(UpdateHint::Everything);
        const double cpu = threadMs();
        repaint();
        coldCpu.push_back(threadMs() - cpu);
    }

    std::vector<double> typed;
    std::vector<double> typedCpu;
    for (int i = 0; i < 10; ++i) {
        const int row = 400 + i;
        grid.setFocusCell({0, row});
        grid.setSelection({0, row, 0, row});
        grid.setFocus();
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        const double cpu = threadMs();
        timer.start();
        QTest::keyClicks(&grid, QStringLiteral("abc"));
        QTest::keyClick(&grid, Qt::Key_Return);
        repaint();
        typed.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        typedCpu.push_back(threadMs() - cpu);
        ASSERT_EQ(document.data().line(row, 0).chars.size(), 3u);
    }

    const double paintMs = median(paints);
    const double typedMs = median(typed);
    std::printf("[ perf ] visible grid %d x %d cells: repaint %.2f ms wall, %.2f ms CPU (median of 30)\n",
                grid.visibleColumns(), grid.visibleRows(), paintMs, median(paintsCpu));
    std::printf("[ perf ] repaint after a whole-document change (lines laid out anew): %.2f ms CPU\n",
                median(coldCpu));
    std::printf("[ perf ] typed cell committed, rechecked (999 blocks) and repainted: %.2f ms wall, %.2f ms CPU "
                "(median of 10)\n",
                typedMs, median(typedCpu));
    ::testing::Test::RecordProperty("repaint_ms", std::to_string(paintMs));
    ::testing::Test::RecordProperty("typed_cell_ms", std::to_string(typedMs));
}

} // namespace
} // namespace qx::ui
