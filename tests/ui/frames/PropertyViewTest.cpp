#include "ui/frames/PropertyView.h"

#include "model/Catalogue.h"
#include "model/OperatorSettings.h"
#include "output/PrintOptions.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/EditDocument.h"
#include "ui/frames/ChildFrame.h"
#include "ui/frames/KorvintaView.h"
#include "ui/grid/TubePrintTable.h"
#include "ui/table/TableCtrl.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace qx::ui {
namespace {

constexpr model::CharCode FullA = 0x2341;
constexpr model::CharCode Marker = model::codes::SequenceMarker;

class PropertyViewTest : public ::testing::Test {
protected:
    PropertyViewTest() : store(dir.filePath("settings.ini"), QSettings::IniFormat) {}

    /// Two blocks with sized lines, the second with a hexadecimal number in its first line.
    void open(model::ModelType model, const std::function<void(model::EditData&)>& adjust = {}) {
        view.reset();
        table.reset();
        window.reset();
        document.reset();
        catalogue = std::make_unique<model::Catalogue>(model);
        settings = model::OperatorSettings::defaultsFor(*catalogue);
        context = std::make_unique<EditorContext>(
            EditorContext{*catalogue, settings, printOptions, prompter, store, nullptr, nullptr});
        model::EditData data = model::createEditData(*catalogue, 1);
        data.target.sizeMode = 0;
        data.blockCount = 2;
        data.line(0, 0).chars = {FullA};
        data.line(1, 0).chars = {FullA, Marker};
        data.line(1, 1).chars = {FullA};
        data.line(1, 1).charSize = 1;
        data.line(1, 1).charWidth = 2;
        data.block(1).appendSequence({model::SequenceMode::Hexadecimal, 4, 255, 256, 0, 0});
        if (adjust) {
            adjust(data);
        }
        document = std::make_unique<EditDocument>(*context, std::move(data));
        window = std::make_unique<QWidget>();
        auto* layout = new QHBoxLayout(window.get());
        table = std::make_unique<CTubePrintTable>(*document, window.get());
        view = std::make_unique<CPropertyView>(*document, *table, window.get());
        layout->addWidget(table.get());
        layout->addWidget(view.get());
        QObject::connect(document.get(), &EditDocument::changed, table.get(), &CTubePrintTable::refresh);
        window->resize(1000, 500);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void focus(int column, int row, int right = -1, int bottom = -1) {
        table->grid().setFocusCell({column, row});
        table->grid().setSelection({column, row, right < 0 ? column : right, bottom < 0 ? row : bottom});
        QCoreApplication::processEvents(); // the focus notification is posted
    }
    QString text(const char* name) {
        auto* label = view->findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(label, nullptr) << name;
        return label != nullptr ? label->text() : QString();
    }
    bool shown(const char* name) { return !view->findChild<QLabel*>(QString::fromLatin1(name))->isHidden(); }
    QComboBox& combo(const char* name) { return *view->findChild<QComboBox*>(QString::fromLatin1(name)); }
    model::EditData& data() { return document->data(); }

    QTemporaryDir dir;
    QSettings store;
    output::testing::ScriptedPrompter prompter;
    output::PrintOptions printOptions;
    model::OperatorSettings settings;
    std::unique_ptr<model::Catalogue> catalogue;
    std::unique_ptr<EditorContext> context;
    std::unique_ptr<EditDocument> document;
    std::unique_ptr<QWidget> window;
    std::unique_ptr<CTubePrintTable> table;
    std::unique_ptr<CPropertyView> view;
};

TEST_F(PropertyViewTest, EachModelGroupHasItsForm) {
    struct Row {
        model::ModelType model;
        int form;
        bool output, font, zero;
    };
    for (const Row& row : {Row{model::models::QX780, 150, false, false, false},
                           Row{model::models::QX950W, 171, true, false, false},
                           Row{model::models::QX950W2, 175, true, true, false},
                           Row{model::models::QX900W3, 180, true, true, true}}) {
        open(row.model, [](model::EditData& d) {
            d.target.printFont = 1;
            d.target.zeroSlash = 1;
        });
        EXPECT_EQ(view->templateId(), row.form);
        EXPECT_EQ(view->findChild<QLabel*>("seqOutput") != nullptr, row.output) << row.form;
        EXPECT_EQ(view->findChild<QLabel*>("printFont") != nullptr, row.font) << row.form;
        EXPECT_EQ(view->findChild<QLabel*>("zeroSlash") != nullptr, row.zero) << row.form;
        if (row.font) {
            EXPECT_EQ(text("printFont"), QStringLiteral("太字"));
        }
        if (row.zero) {
            EXPECT_EQ(text("zeroSlash"), QStringLiteral("あり"));
        }
        EXPECT_EQ(combo("sizeCombo").count(), 6);
        EXPECT_EQ(combo("widthCombo").count(), 3);
    }
}

TEST_F(PropertyViewTest, DocumentPartFollowsTheModeAndIsRebuiltOnHintZero) {
    open(model::models::QX950W3, [](model::EditData& d) {
        d.target.direction = 1;
        d.target.lineSpacing = 3;
        d.target.frame = 2;
        d.target.pitchAuto = 1;
    });
    EXPECT_EQ(text("direction"), QStringLiteral("縦書き"));
    EXPECT_EQ(text("lineSpacing"), QStringLiteral("密着"));
    EXPECT_EQ(text("frame"), QStringLiteral("標準"));
    EXPECT_EQ(text("pitchValue"), QStringLiteral("AUTO"));
    EXPECT_TRUE(shown("pitchLabel"));
    EXPECT_FALSE(shown("printLengthLabel"));
    EXPECT_FALSE(shown("count"));
    EXPECT_EQ(text("leftMargin"), QString());

    model::TargetSettings& target = data().target;
    target.printMode = model::codes::Line1Marker;
    target.printLength = 0;
    target.printCount = 5;
    target.placement = 2;
    target.leftMargin = 3;
    target.rightMargin = 12;
    target.pitchCut = 7; // no entry holds it
    document->notifyChanged(1);
    EXPECT_TRUE(shown("pitchLabel")) << "only hint 0 rebuilds the document part";
    document->notifyChanged(0);
    EXPECT_FALSE(shown("pitchLabel"));
    EXPECT_TRUE(shown("printLengthLabel"));
    EXPECT_EQ(text("pitchValue"), QStringLiteral("AUTO"));
    EXPECT_EQ(text("count"), QStringLiteral("5 個"));
    EXPECT_EQ(text("placement"), QStringLiteral("後"));
    EXPECT_EQ(text("leftMargin"), QStringLiteral("3 mm"));
    EXPECT_EQ(text("rightMargin"), QStringLiteral("12 mm"));
    EXPECT_EQ(text("pitchCut"), QString());
    target.printLength = 120;
    document->notifyChanged(0);
    EXPECT_EQ(text("pitchValue"), QStringLiteral("120 mm"));
}

TEST_F(PropertyViewTest, FocusPartShowsTheLineAndItsSequenceNumber) {
    open(model::models::QX950W2);
    focus(1, 1);
    EXPECT_EQ(text("position"), QStringLiteral("2 - 2 行目"));
    EXPECT_EQ(combo("sizeCombo").currentText(), QStringLiteral("2.0 mm"));
    EXPECT_EQ(combo("widthCombo").currentText(), QStringLiteral("倍角"));
    EXPECT_EQ(text("seqMode"), QString()) << "the second line holds no token";

    focus(0, 1);
    EXPECT_EQ(text("position"), QStringLiteral("2 - 1 行目"));
    EXPECT_EQ(text("seqMode"), QStringLiteral("16進数"));
    EXPECT_EQ(text("seqOutput"), QStringLiteral("すべて(奇数、偶数両方)"));
    EXPECT_EQ(text("seqStart"), QStringLiteral("00FF"));
    EXPECT_EQ(text("seqEnd"), QStringLiteral("0100"));

    focus(0, 2); // the row after the last block
    EXPECT_EQ(text("position"), QStringLiteral("3 - 1 行目"));
    EXPECT_TRUE(combo("sizeCombo").isEnabled());

    focus(0, 0, 1, 1); // several cells
    EXPECT_EQ(text("position"), QString());
    EXPECT_FALSE(combo("sizeCombo").isEnabled());
    EXPECT_FALSE(combo("widthCombo").isEnabled());
    EXPECT_EQ(text("seqStart"), QString());

    focus(table->columns().column(ColumnType::Count), 0);
    EXPECT_FALSE(combo("sizeCombo").isEnabled());
}

// The sequence fields show every entry of their lists whole: "すべて(奇数、偶数両方)" and
// "アルファベット(大)" are not cut.
TEST_F(PropertyViewTest, SequenceFieldsAreWideEnoughForTheirLongestEntry) {
    for (const model::ModelType model : {model::models::QX950W, model::models::QX950W3}) {
        SCOPED_TRACE(model);
        open(model);
        for (const auto& [name, list] : {std::pair{"seqMode", 3}, std::pair{"seqOutput", 13}}) {
            auto* label = view->findChild<QLabel*>(QString::fromLatin1(name));
            ASSERT_NE(label, nullptr) << name;
            for (const model::Choice& choice : catalogue->choiceList(list)) {
                const QString entry =
                    QString::fromUtf8(choice.text.data(), static_cast<qsizetype>(choice.text.size()));
                EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(entry))
                    << entry.toStdString();
            }
        }
    }
}

// While a line is edited the fields follow the editor's caret; Esc puts the stored line's number
// back at once.
TEST_F(PropertyViewTest, CancelledEditShowsTheStoredSequenceAgain) {
    open(model::models::QX950W2);
    focus(0, 1);
    ASSERT_EQ(text("seqMode"), QStringLiteral("16進数"));
    table->grid().setFocus();
    QTest::keyClick(&table->grid(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(table->activeEditor());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Home); // the caret leaves the token
    ASSERT_EQ(text("seqMode"), QString());
    // The key goes down in the editor; it comes up in the grid, which has the focus again.
    QTest::keyPress(editor, Qt::Key_Escape);
    QTest::keyRelease(&table->grid(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(table->isEditing());
    EXPECT_EQ(text("seqMode"), QStringLiteral("16進数"));
    EXPECT_EQ(text("seqStart"), QStringLiteral("00FF"));
}

TEST_F(PropertyViewTest, ChoosingASizeChangesTheLineWithOneStepAndCreatesTheNextBlock) {
    open(model::models::QX950W3);
    int steps = 0;
    int hints = 0;
    view->setBeforeChange([&] { ++steps; });
    QObject::connect(document.get(), &EditDocument::changed, view.get(), [&](int hint) { hints += hint == 1; });
    focus(0, 2);
    combo("sizeCombo").setFocus();
    const int before = combo("sizeCombo").currentIndex();
    QTest::keyClick(&combo("sizeCombo"), before > 0 ? Qt::Key_Up : Qt::Key_Down);
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(hints, 1);
    EXPECT_EQ(data().blockCount, 3);
    EXPECT_EQ(data().line(2, 0).charSize, combo("sizeCombo").currentData().toInt());
    EXPECT_EQ(data().block(2).count, data().block(1).count);

    combo("widthCombo").setFocus();
    QTest::keyClick(&combo("widthCombo"), Qt::Key_Down);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(data().line(2, 0).charWidth, 1);
    EXPECT_EQ(data().blockCount, 3);
}

TEST_F(PropertyViewTest, AutomaticSizingFixesBothCombos) {
    struct Row {
        model::ModelType model;
        const char* size;
    };
    for (const Row& row : {Row{model::models::QX950W, "自動"}, Row{model::models::QX950W3, "通常ｵｰﾄ"}}) {
        open(row.model, [](model::EditData& d) {
            d.target.sizeMode = 1;
            d.target.pitchAuto = 0;
        });
        int steps = 0;
        view->setBeforeChange([&] { ++steps; });
        focus(1, 1);
        ASSERT_EQ(combo("sizeCombo").count(), 1);
        EXPECT_EQ(combo("sizeCombo").currentText(), QString::fromUtf8(row.size));
        EXPECT_EQ(combo("widthCombo").currentText(), QStringLiteral("自動"));
        emit combo("sizeCombo").activated(0);
        emit combo("widthCombo").activated(0);
        EXPECT_EQ(steps, 0);
        EXPECT_EQ(data().line(1, 1).charSize, 1);
    }
}

TEST_F(PropertyViewTest, OneUndoTakesBackASizeChosenInTheDocumentWindow) {
    open(model::models::QX950W2);
    CChildFrame frame(*document, store);
    frame.resize(1000, 600);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.activateFirstTime();
    CTubePrintTable& grid = frame.view().grid();
    grid.grid().setFocusCell({1, 1});
    grid.grid().setSelection({1, 1, 1, 1});
    QCoreApplication::processEvents();
    auto& size = *frame.propertyView().findChild<QComboBox*>("sizeCombo");
    ASSERT_EQ(size.currentText(), QStringLiteral("2.0 mm"));
    size.setFocus();
    QTest::keyClick(&size, Qt::Key_Down);
    EXPECT_EQ(data().line(1, 1).charSize, 2);
    ASSERT_TRUE(frame.runCommand(Command::Undo));
    EXPECT_EQ(data().line(1, 1).charSize, 1);
    EXPECT_EQ(size.currentText(), QStringLiteral("2.0 mm"));
    ASSERT_TRUE(frame.runCommand(Command::Redo));
    EXPECT_EQ(data().line(1, 1).charSize, 2);
}

} // namespace
} // namespace qx::ui
