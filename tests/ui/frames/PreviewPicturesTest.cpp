// Pictures of the whole-run preview as a document window opens it, with the command pictures and
// tool tips of the main window: it must open and draw; on the X display run the pictures are kept
// for looking at (QX_DIALOG_PICTURES).
#include "ui/dialogs/preview/PreviewDlg.h"
#include "ui/frames/MainFrameIcons.h"
#include "ui/frames/MainFrameMenus.h"
#include "ui/CommandIds.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/OutputTestDocuments.h"
#include "output/OutputValidation.h"
#include "support/DialogPictures.h"

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

TEST(PreviewPictures, FittedAndZoomed) {
    const testing::DialogPictures out;
    // A short run: counts, a sequence, a reversed block, all framed.
    using namespace output::testdocs;
    const model::Catalogue catalogue(9);
    const model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = newDocument(catalogue, 0);
    data.blockCount = 4;
    setLine(data, 0, 0, "AB-$", 3);
    addSequence(data, 0, decimalRun(1, 3));
    data.block(0).count = 2;
    setLine(data, 1, 0, "CABLE", 0);
    setLine(data, 1, 1, "12", 0);
    data.block(1).count = 3;
    setLine(data, 2, 0, "REV", 3);
    data.block(2).reverse = 1;
    setLine(data, 3, 0, "END", 3);
    data.target.frame = data.target.frameGap;
    output::ComputeBlockResults(data, catalogue, settings, 0, model::MaxBlocks);
    output::ComputeDocumentResult(data, catalogue);
    // What the operator sees only for a document that passes its check.
    for (int b = 0; b < data.blockCount; ++b) {
        ASSERT_EQ(data.blockCheckResults.values.at(static_cast<std::size_t>(b)), 0) << "block " << b + 1;
    }
    const auto tip = [](int command) {
        const std::string_view prompt = commandPrompt(command);
        return QString::fromUtf8(prompt.data(), static_cast<qsizetype>(prompt.size())).section(u'\n', -1);
    };
    CPreviewDlg preview({data, catalogue, settings, 0, &commandIcon, tip});
    preview.resize(1000, 640);
    out.save(preview, QStringLiteral("preview-fit.png"));
    preview.runCommand(Command::PreviewLevel25 + 3); // 200 %
    out.save(preview, QStringLiteral("preview-200.png"));
}

} // namespace
} // namespace qx::ui
