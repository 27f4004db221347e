#include "app/DocumentSaving.h"
#include "app/FileAccess.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace qx::app {
namespace {

TEST(SaveProposal, NeverSavedDocumentProposesItsTitle) {
    EXPECT_EQ(proposeSaveName(QString(), QStringLiteral("QXPC2"), true), (SaveProposal{QString(), "QXPC2"}));
    EXPECT_EQ(proposeSaveName(QString(), QStringLiteral("QXPC2 copy#1"), true).name, QStringLiteral("QXPC2"));
    EXPECT_EQ(proposeSaveName(QString(), QStringLiteral("a;b"), true).name, QStringLiteral("a"));
}

TEST(SaveProposal, SavedDocumentProposesItsOwnFileAndFolder) {
    EXPECT_EQ(proposeSaveName(QStringLiteral("/data/a.QXF"), QStringLiteral("a.QXF"), true),
              (SaveProposal{"/data", "a.QXF"}));
    EXPECT_EQ(proposeSaveName(QStringLiteral("/data/a.qxf"), QStringLiteral("a.qxf"), true).name,
              QStringLiteral("a.qxf"));
    EXPECT_EQ(proposeSaveName(QStringLiteral("/data/a.txt"), QStringLiteral("a"), true).name, QStringLiteral("a"));
    EXPECT_EQ(proposeSaveName(QStringLiteral("/a.QXF"), QStringLiteral("a"), true).folder, QStringLiteral("/"));
}

class SaveBytesTest : public ::testing::Test {
protected:
    model::Catalogue catalogue{9};
    model::OperatorSettings settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = model::createEditData(catalogue, 1);
};

TEST_F(SaveBytesTest, DispatchesByExtension) {
    const SaveBytes document = saveBytesFor(QStringLiteral("/x/a.qxf"), data, catalogue, settings);
    EXPECT_EQ(document.status, SaveBytes::Status::Ready);
    EXPECT_EQ(document.kind, formats::ExtensionKind::DocumentFile);
    EXPECT_EQ(document.bytes.size(), 28476u);

    data.line(0, 0).chars = {0x2341, 0x2342};
    const SaveBytes csv = saveBytesFor(QStringLiteral("/x/a.CSV"), data, catalogue, settings);
    EXPECT_EQ(csv.status, SaveBytes::Status::Ready);
    EXPECT_EQ(csv.kind, formats::ExtensionKind::Csv);
    EXPECT_FALSE(csv.bytes.empty());

    EXPECT_EQ(saveBytesFor(QStringLiteral("/x/a.txt"), data, catalogue, settings).status,
              SaveBytes::Status::NotSavable);
}

TEST_F(SaveBytesTest, TextBeyondTheBudgetFailsTheTrialAtItsBlock) {
    data.blockCount = 3;
    data.block(2).lineCount = 2;
    data.line(2, 1).chars.assign(6000, 0x2341);
    const SaveBytes result = saveBytesFor(QStringLiteral("/x/a.QXF"), data, catalogue, settings);
    EXPECT_EQ(result.status, SaveBytes::Status::EncodeFailed);
    EXPECT_EQ(result.messageId, 42002);
    EXPECT_EQ(result.failedBlock, 2);
    EXPECT_EQ(result.failedLine, 1);
    EXPECT_TRUE(result.bytes.empty());
}

TEST(FileDialogFilters, PatternsAlsoMatchLowerCase) {
    const QStringList filters =
        fileDialogFilters("コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF)|*.QXF|CSV ﾌｧｲﾙ形式 (*.CSV)|*.CSV||");
    EXPECT_EQ(filters, (QStringList{QStringLiteral("コルビンタ PCエディタ ﾌｧｲﾙ形式 (*.QXF *.qxf)"),
                                    QStringLiteral("CSV ﾌｧｲﾙ形式 (*.CSV *.csv)")}));
}

TEST(FileErrors, SystemCauseChoosesTheMessage) {
    struct Row {
        FileOperation operation;
        int error;
        int id;
    };
    for (const Row& row : {Row{FileOperation::Open, ENOENT, 61729}, Row{FileOperation::Write, ENOENT, 61729},
                           Row{FileOperation::Write, ENOSPC, 61730}, Row{FileOperation::Open, EACCES, 61731},
                           Row{FileOperation::Open, EBUSY, 61731}, Row{FileOperation::Write, EACCES, 61732},
                           Row{FileOperation::Write, EROFS, 61732}, Row{FileOperation::Open, EIO, 61733},
                           Row{FileOperation::Write, EIO, 61734}, Row{FileOperation::Write, ENAMETOOLONG, 61696},
                           Row{FileOperation::Open, EISDIR, 61697}, Row{FileOperation::Write, EMLINK, 61698}}) {
        EXPECT_EQ(fileErrorMessageId(row.operation, row.error), row.id) << row.error;
    }
    EXPECT_EQ(fileErrorText(FileOperation::Write, EACCES, QStringLiteral("/x/a.QXF")),
              "/x/a.QXF は使用中または読み取り専用のため、書き込めません。");
}

TEST(FileBytes, ReadsWholeFilesAndRefusesTheRest) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.bin"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(10000, 'x'));
    file.close();

    const FileBytes whole = readFileBytes(path.toStdString());
    EXPECT_TRUE(whole.ok);
    EXPECT_EQ(whole.bytes.size(), 10000u);

    const FileBytes capped = readFileBytes(path.toStdString(), 9999);
    EXPECT_FALSE(capped.ok);
    EXPECT_TRUE(capped.tooLarge);

    EXPECT_EQ(readFileBytes(dir.filePath(QStringLiteral("none")).toStdString()).errorNumber, ENOENT);
    EXPECT_EQ(readFileBytes(dir.path().toStdString()).errorNumber, EISDIR);

    QFile empty(dir.filePath(QStringLiteral("empty")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const FileBytes nothing = readFileBytes(empty.fileName().toStdString());
    EXPECT_TRUE(nothing.ok);
    EXPECT_TRUE(nothing.bytes.empty());
}

} // namespace
} // namespace qx::app
