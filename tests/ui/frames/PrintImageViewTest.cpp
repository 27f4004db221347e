#include "ui/frames/PrintImageView.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

/// Pixels of the printed text's colour: the ink on the medium.
int inkPixels(const QImage& image) {
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink += qGray(image.pixel(x, y)) < 64 ? 1 : 0;
        }
    }
    return ink;
}

class PrintImageViewTest : public ::testing::Test {
protected:
    PrintImageViewTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}

    QTemporaryDir dir;
    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    QSettings store;
    EditorContext context{catalogue, settings, printOptions, prompter, store};
};

// The pane shows the focus block as the document holds it now: another block, an edit, a reverse.
TEST_F(PrintImageViewTest, FollowsTheBlockAndTheDocument) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = 2;
    data.line(1, 0).chars.assign(3, 0x2341); // "ＡＡＡ"
    EditDocument document(context, data);
    CPrintImageView view(document);
    const QSize size(400, 120);

    const int empty = inkPixels(view.picture(size));
    view.setBlock(1);
    EXPECT_EQ(view.block(), 1);
    const int lettered = inkPixels(view.picture(size));
    EXPECT_GT(lettered, empty + 100);

    document.data().block(1).reverse = 1;
    document.notifyChanged(UpdateHint::Everything);
    EXPECT_GT(inkPixels(view.picture(size)), lettered * 2); // dark area, light letters

    view.setBlock(5000); // a row past the slots shows the last slot, never out of bounds
    EXPECT_EQ(view.block(), model::MaxBlocks - 1);
}

} // namespace
} // namespace qx::ui
