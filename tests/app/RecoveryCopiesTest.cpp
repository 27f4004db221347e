#include "app/RecoveryCopies.h"
#include "formats/DocumentFile.h"
#include "model/Catalogue.h"
#include "model/OperatorSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace qx::app {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

/// A document with `blocks` blocks whose first line is two full-width letters from `letter` on.
model::EditData sampleDocument(const model::Catalogue& catalogue, int blocks, model::CharCode letter) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = static_cast<std::int16_t>(blocks);
    for (int b = 0; b < blocks; ++b) {
        data.line(b, 0).chars = {letter, static_cast<model::CharCode>(letter + 1)};
        data.block(b).lineCount = 1;
    }
    return data;
}

std::vector<std::uint8_t> imageOf(const model::EditData& data, const model::Catalogue& catalogue) {
    formats::SaveDocumentResult saved =
        formats::saveDocumentFile(data, catalogue, model::OperatorSettings::defaultsFor(catalogue));
    EXPECT_TRUE(saved.ok);
    return saved.bytes;
}

TEST(RecoveryInfo, RoundTripsWhatTheEditorWrites) {
    const RecoveryInfo rows[] = {
        {9, QStringLiteral("/home/op/図面/盤A.QXF"), QStringLiteral("盤A.QXF")},
        {0, QString(), QStringLiteral("QXPC3")},
        {5, QStringLiteral("/a b/c#d.QXF"), QStringLiteral("c#d.QXF")},
    };
    for (const RecoveryInfo& info : rows) {
        const std::optional<RecoveryInfo> read = parseRecoveryInfo(bytesOf(formatRecoveryInfo(info)));
        ASSERT_TRUE(read) << info.title.toStdString();
        EXPECT_EQ(*read, info);
    }
    // A line break would end its line early: the path is dropped, the title keeps the rest.
    const std::optional<RecoveryInfo> odd = parseRecoveryInfo(
        bytesOf(formatRecoveryInfo({9, QStringLiteral("/x/a\nb.QXF"), QStringLiteral("a\nb.QXF")})));
    ASSERT_TRUE(odd);
    EXPECT_EQ(odd->originalPath, QString());
    EXPECT_EQ(odd->title, QStringLiteral("a?b.QXF"));
    EXPECT_EQ(recoveredDocumentName(*odd), QStringLiteral("a?b.QXF"));
    EXPECT_EQ(recoveredDocumentName({9, QStringLiteral("/x/盤A.QXF"), QStringLiteral("other")}),
              QStringLiteral("盤A.QXF"));
}

TEST(RecoveryInfo, RefusesAnythingElse) {
    const std::string good = "QX recovery 1\nmodel=9\npath=/x/a.QXF\ntitle=a.QXF\n";
    ASSERT_TRUE(parseRecoveryInfo(bytesOf(good)));
    // Every shorter piece of a good sidecar (a file cut short) is refused.
    for (std::size_t n = 0; n < good.size(); ++n) {
        EXPECT_FALSE(parseRecoveryInfo(bytesOf(good.substr(0, n)))) << n;
    }
    const std::string bad[] = {
        "QX recovery 2\nmodel=9\npath=\ntitle=a\n",
        "QX recovery 1\nmodel=4\npath=\ntitle=a\n",   // a reserved model
        "QX recovery 1\nmodel=11\npath=\ntitle=a\n",
        "QX recovery 1\nmodel=09\npath=\ntitle=a\n",
        "QX recovery 1\nmodel=-1\npath=\ntitle=a\n",
        "QX recovery 1\nmodel=9\npath=\ntitle=\n",    // no name to give the document
        "QX recovery 1\nmodel=9\nmodel=9\ntitle=a\n", // a repeated key
        "QX recovery 1\nmodel=9\nname=\ntitle=a\n",   // an unknown one
        "QX recovery 1\nmodel=9\npath=\ntitle=a\nextra=1\n",
        "QX recovery 1\r\nmodel=9\npath=\ntitle=a\n",
        "QX recovery 1\nmodel=9\npath=\ntitle=a\tb\n",
        "QX recovery 1\nmodel=9\npath=\ntitle=\xff\xfe\n", // not UTF-8
        "QX recovery 1\nmodel=9\npath=\ntitle=" + std::string(256, 'a') + "\n",
        "QX recovery 1\nmodel=9\npath=/" + std::string(9000, 'a') + "\ntitle=a\n",
    };
    for (const std::string& text : bad) {
        EXPECT_FALSE(parseRecoveryInfo(bytesOf(text))) << text.substr(0, 60);
    }
}

TEST(RecoveryFileName, NamesCarryTheRunAndTheDocument) {
    const RecoveryCopyName name{4242, 0x00ab12cd, 7};
    EXPECT_EQ(recoveryCopyFileName(name), QStringLiteral("4242-00ab12cd-7.QXF"));
    EXPECT_EQ(recoveryInfoFileName(name), QStringLiteral("4242-00ab12cd-7.info"));
    EXPECT_EQ(recoveryLockFileName(4242, 0x00ab12cd), QStringLiteral("4242-00ab12cd.lock"));
    for (const QString& fileName : {recoveryCopyFileName(name), recoveryInfoFileName(name)}) {
        const std::optional<RecoveryFileName> parsed = parseRecoveryFileName(fileName);
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->name, name);
    }
    const std::optional<RecoveryFileName> lock = parseRecoveryFileName(QStringLiteral("4242-00ab12cd.lock"));
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->kind, RecoveryFileName::Kind::Lock);
    EXPECT_EQ(lock->name, (RecoveryCopyName{4242, 0x00ab12cd, 0}));

    for (const char* other : {"4242-00ab12cd-7.QXF.123-4.tmp", ".4242-00ab12cd-7.QXF", "4242-00AB12CD-7.QXF",
                              "4242-00ab12c-7.QXF", "4242-00ab12cd-07.QXF", "4242-00ab12cd-0.QXF", "0-00ab12cd-1.QXF",
                              "-1-00ab12cd-1.QXF", "4242-00ab12cd-7-1.QXF", "4242-00ab12cd.QXF", "4242-00ab12cd-1.lock",
                              "99999999999-00ab12cd-1.QXF", "4242-00ab12cd-1234567890.QXF", "a.QXF", ""}) {
        EXPECT_FALSE(parseRecoveryFileName(QString::fromLatin1(other))) << other;
    }
}

/// Runs of the editor share one folder; a run "ends" when its RecoveryCopies goes, which leaves
/// exactly what a killed process leaves: its copies and an unlocked lock file.
class RecoveryFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString folder() const { return m_dir.filePath(QStringLiteral("recovery")); }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir m_dir;
    model::Catalogue m_w3{9};
    model::Catalogue m_w{2};
};

TEST_F(RecoveryFolderTest, ARunningEditorsCopiesAreNeverOffered) {
    RecoveryCopies first(folder());
    ASSERT_TRUE(first.isActive());
    const int serial = first.newSerial();
    ASSERT_TRUE(first.write(serial, {9, {}, QStringLiteral("QXPC1")}, imageOf(sampleDocument(m_w3, 3, 0x2341), m_w3)).ok);

    // The operator's unsaved work is for the operator's eyes only.
    EXPECT_EQ(QFileInfo(folder()).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);

    RecoveryCopies second(folder());
    EXPECT_TRUE(second.findLeftCopies(9).offered.empty());
    EXPECT_TRUE(first.findLeftCopies(9).offered.empty()); // nor its own
    second.releaseClaims();
    // Its lock stays in place, so the copy is still there.
    EXPECT_TRUE(QFile::exists(folder() + QLatin1Char('/') + recoveryCopyFileName(first.nameOf(serial))));
}

TEST_F(RecoveryFolderTest, AnEndedRunsCopiesAreOfferedToOneStartForTheirModelOnly) {
    const model::EditData tube = sampleDocument(m_w3, 5, 0x2341);
    const std::vector<std::uint8_t> tubeImage = imageOf(tube, m_w3);
    {
        RecoveryCopies crashed(folder());
        ASSERT_TRUE(crashed.write(crashed.newSerial(), {9, QStringLiteral("/d/盤A.QXF"), QStringLiteral("盤A.QXF")},
                                  tubeImage).ok);
        ASSERT_TRUE(crashed.write(crashed.newSerial(), {2, {}, QStringLiteral("QXPC2")},
                                  imageOf(sampleDocument(m_w, 2, 0x2350), m_w)).ok);
    }
    ASSERT_EQ(files().size(), 5); // two copies, two sidecars, the lock

    RecoveryCopies claimer(folder());
    const LeftRecoveryCopies left = claimer.findLeftCopies(9);
    ASSERT_EQ(left.offered.size(), 1u);
    EXPECT_TRUE(left.unreadable.empty());
    EXPECT_EQ(left.otherModels, 1);
    EXPECT_EQ(recoveredDocumentName(*left.offered[0].info), QStringLiteral("盤A.QXF"));
    const std::optional<model::EditData> loaded =
        claimer.load(left.offered[0], m_w3, model::OperatorSettings::defaultsFor(m_w3));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(imageOf(*loaded, m_w3), tubeImage);

    // A second start at the same time finds the run claimed.
    {
        RecoveryCopies other(folder());
        EXPECT_TRUE(other.findLeftCopies(9).offered.empty());
    }
    claimer.discard(left.offered[0]);
    claimer.releaseClaims();

    // The other model's copy waits for a run of that model, with the lock file it needs.
    EXPECT_EQ(files().size(), 4) << files().join(QLatin1Char(' ')).toStdString(); // + the claimer's lock
    RecoveryCopies laterW3(folder());
    EXPECT_TRUE(laterW3.findLeftCopies(9).offered.empty());
    laterW3.releaseClaims();
    RecoveryCopies laterW(folder());
    const LeftRecoveryCopies forW = laterW.findLeftCopies(2);
    ASSERT_EQ(forW.offered.size(), 1u);
    EXPECT_EQ(forW.offered[0].info->title, QStringLiteral("QXPC2"));
    EXPECT_TRUE(laterW.load(forW.offered[0], m_w, model::OperatorSettings::defaultsFor(m_w)));
    laterW.discard(forW.offered[0]);
    laterW.releaseClaims();
    // Nothing of the ended run is left; the living runs keep their locks.
    for (const QString& name : files()) {
        EXPECT_TRUE(name.endsWith(QStringLiteral(".lock"))) << name.toStdString();
    }
}

TEST_F(RecoveryFolderTest, RunsKilledBeforeTheirFirstCopyLeaveNothingBehind) {
    RecoveryCopies living(folder());
    // What a run killed while starting leaves: its lock file, named or not yet, with no lock held;
    // killed between naming and renaming the temporary file of its first sidecar, that file too.
    for (const QString& name :
         {QStringLiteral("4242-00ab12cd.lock"), QStringLiteral(".4243-00ab12ce.lock"),
          QStringLiteral("4244-00ab12cf.lock"), QStringLiteral(".4244-00ab12cf-1.info.4244-894537.tmp")}) {
        QFile lock(folder() + QLatin1Char('/') + name);
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(files().size(), 5);
    RecoveryCopies next(folder());
    EXPECT_TRUE(next.findLeftCopies(9).offered.empty());
    next.releaseClaims();
    // Only the living runs' locks stay.
    QStringList livingLocks = {recoveryLockFileName(living.nameOf(0).pid, living.nameOf(0).token),
                               recoveryLockFileName(next.nameOf(0).pid, next.nameOf(0).token)};
    livingLocks.sort();
    EXPECT_EQ(files(), livingLocks) << files().join(QLatin1Char(' ')).toStdString();
}

TEST_F(RecoveryFolderTest, DamagedCopiesAndSidecarsAreToldApart) {
    const std::vector<std::uint8_t> image = imageOf(sampleDocument(m_w3, 2, 0x2341), m_w3);
    RecoveryCopyName run;
    {
        RecoveryCopies crashed(folder());
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(crashed.write(crashed.newSerial(), {9, {}, QStringLiteral("QXPC%1").arg(i + 1)}, image).ok);
        }
        run = crashed.nameOf(0);
    }
    const auto pathOf = [&](int serial, bool sidecar) {
        const RecoveryCopyName name{run.pid, run.token, serial};
        return folder() + QLatin1Char('/') + (sidecar ? recoveryInfoFileName(name) : recoveryCopyFileName(name));
    };
    const auto overwrite = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    // 1 stays whole; 2 lost its sidecar; 3's sidecar is garbage; 4's image is cut short; 5's image
    // is empty (which the decoder would open as a blank document).
    QFile::remove(pathOf(2, true));
    overwrite(pathOf(3, true), QByteArray("QX recovery 1\nmodel=9\n\0\0", 25));
    overwrite(pathOf(4, false), QByteArray(reinterpret_cast<const char*>(image.data()), 20000));
    overwrite(pathOf(5, false), QByteArray());
    // A sidecar whose image was never written is simply gone.
    overwrite(pathOf(6, true), QByteArray::fromStdString(formatRecoveryInfo({9, {}, QStringLiteral("QXPC6")})));

    RecoveryCopies claimer(folder());
    const LeftRecoveryCopies left = claimer.findLeftCopies(9);
    std::vector<int> unreadable;
    for (const LeftRecoveryCopy& copy : left.unreadable) {
        unreadable.push_back(copy.name.serial);
    }
    EXPECT_EQ(unreadable, (std::vector<int>{2, 3}));
    std::vector<int> opens;
    std::vector<int> refused;
    for (const LeftRecoveryCopy& copy : left.offered) {
        (claimer.load(copy, m_w3, model::OperatorSettings::defaultsFor(m_w3)) ? opens : refused)
            .push_back(copy.name.serial);
    }
    EXPECT_EQ(opens, std::vector<int>{1});
    EXPECT_EQ(refused, (std::vector<int>{4, 5}));
    EXPECT_FALSE(QFile::exists(pathOf(6, true)));
}

TEST_F(RecoveryFolderTest, AFolderClearedByHandIsMadeAgainWithTheRunsLock) {
    RecoveryCopies run(folder());
    const int serial = run.newSerial();
    const std::vector<std::uint8_t> image = imageOf(sampleDocument(m_w3, 2, 0x2341), m_w3);
    ASSERT_TRUE(run.write(serial, {9, {}, QStringLiteral("QXPC1")}, image).ok);
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    ASSERT_TRUE(run.write(serial, {9, {}, QStringLiteral("QXPC1")}, image).ok);
    // Still a running editor's copy: nobody else takes it.
    RecoveryCopies other(folder());
    EXPECT_TRUE(other.findLeftCopies(9).offered.empty());
    other.releaseClaims();
    EXPECT_TRUE(QFile::exists(folder() + QLatin1Char('/') + recoveryCopyFileName(run.nameOf(serial))));
}

TEST(RecoveryCopies, AFolderThatCannotBeMadeMeansNoRecovery) {
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    RecoveryCopies copies(dir.filePath(QStringLiteral("file/recovery")));
    EXPECT_FALSE(copies.isActive());
    EXPECT_FALSE(copies.write(copies.newSerial(), {9, {}, QStringLiteral("QXPC1")}, {}).ok);
    EXPECT_TRUE(copies.findLeftCopies(9).offered.empty());
}

} // namespace
} // namespace qx::app
