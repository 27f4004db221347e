#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/OutputValidation.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qx::ui {
namespace {

class EditDocumentTest : public ::testing::Test {
protected:
    EditDocumentTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}

    /// A document of three blocks; block 1 carries a text far too long for its pitch.
    model::EditData threeBlocks() {
        model::EditData data = model::createEditData(catalogue, 1);
        data.blockCount = 3;
        for (int b = 0; b < 3; ++b) {
            data.line(b, 0).chars.assign(b == 1 ? 60 : 2, 0x2341);
        }
        data.target.sizeMode = 0;
        return data;
    }

    QTemporaryDir dir;
    model::Catalogue catalogue{model::models::QX950W3};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    output::PrintOptions printOptions;
    output::testing::ScriptedPrompter prompter;
    QSettings store;
    EditorContext context{catalogue, settings, printOptions, prompter, store};
};

TEST_F(EditDocumentTest, NotifyingRecomputesChecksMarksModifiedAndTellsTheViews) {
    EditDocument document(context, threeBlocks());
    QSignalSpy changed(&document, &EditDocument::changed);
    EXPECT_FALSE(document.isModified());

    document.notifyChanged(UpdateHint::Everything);

    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), UpdateHint::Everything);
    EXPECT_TRUE(document.isModified());
    ASSERT_EQ(document.data().blockCheckResults.values.size(), 3u);
    EXPECT_EQ(document.data().blockCheckResults.values[0], 0);
    EXPECT_NE(document.data().blockCheckResults.values[1], 0);
}

TEST_F(EditDocumentTest, FocusHintsRecheckOnlyTheFocusBlock) {
    EditDocument document(context, threeBlocks());
    document.recomputeAllChecks();
    int focus = 0;
    document.setFocusRowProvider([&focus] { return focus; });

    // Block 0 becomes too long and block 1 fits again; a hint for row 0 rechecks row 0 only.
    document.data().line(0, 0).chars.assign(60, 0x2341);
    document.data().line(1, 0).chars.assign(2, 0x2341);
    document.notifyChanged(UpdateHint::FocusCell);
    EXPECT_NE(document.data().blockCheckResults.values[0], 0);
    EXPECT_NE(document.data().blockCheckResults.values[1], 0) << "row 1 keeps its old result";

    focus = 1;
    document.notifyChanged(UpdateHint::BlocksFromFocusRow);
    EXPECT_EQ(document.data().blockCheckResults.values[1], 0);
}

TEST_F(EditDocumentTest, AttachingReplacesTheRecordAndNotifiesEverything) {
    EditDocument document(context, threeBlocks());
    QSignalSpy changed(&document, &EditDocument::changed);
    model::EditData replacement = model::createEditData(catalogue, 1);
    replacement.line(0, 0).chars = {0x2342};
    document.attachRecord(std::move(replacement));
    EXPECT_EQ(document.data().blockCount, 1);
    EXPECT_EQ(document.data().line(0, 0).chars, (model::CodeList{0x2342}));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), UpdateHint::Everything);
}

} // namespace
} // namespace qx::ui
