#include "app/KorvintaApp.h"
#include "app/KorvintaDoc.h"
#include "app/RecoveryCopies.h"
#include "app/RecoveryWriter.h"
#include "formats/DocumentFile.h"
#include "model/OperatorSettings.h"
#include "support/ScriptedPrompter.h"
#include "ui/CommandIds.h"
#include "ui/frames/MainFrame.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace qx::app {
namespace {

using output::Answer;
using output::testing::ScriptedPrompter;
namespace Command = ui::Command;

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray asBytes(const std::vector<std::uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

model::EditData sampleDocument(const model::Catalogue& catalogue, int blocks, model::CharCode letter) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = static_cast<std::int16_t>(blocks);
    for (int b = 0; b < blocks; ++b) {
        data.line(b, 0).chars = {letter, static_cast<model::CharCode>(letter + 1)};
        data.block(b).lineCount = 1;
    }
    return data;
}

QByteArray imageOf(const model::EditData& data, const model::Catalogue& catalogue) {
    formats::SaveDocumentResult saved =
        formats::saveDocumentFile(data, catalogue, model::OperatorSettings::defaultsFor(catalogue));
    EXPECT_TRUE(saved.ok);
    return asBytes(saved.bytes);
}

/// An editor with its recovery folder in a temporary folder and a short interval.
class RecoveryWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        ASSERT_TRUE(m_dir.isValid());
        qputenv("QX_RECOVERY_INTERVAL_MS", m_interval);
    }

    void TearDown() override {
        m_app.reset();
        settle();
        qunsetenv("QX_RECOVERY_INTERVAL_MS");
    }

    QString folder() const { return m_dir.filePath(QStringLiteral("recovery")); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    /// The editor's own files in the recovery folder, without the run locks.
    QStringList copies() const {
        QStringList names = QDir(folder()).entryList({QStringLiteral("*.QXF"), QStringLiteral("*.info")}, QDir::Files,
                                                     QDir::Name);
        return names;
    }

    CKorvintaApp& startApp(StartupOptions options = {}) {
        m_store = std::make_unique<QSettings>(m_dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
        m_app = std::make_unique<CKorvintaApp>(*m_store, &m_prompter);
        m_app->setRecoveryFolder(folder());
        CKorvintaApp::Dialogs& d = m_app->dialogs();
        d.selectModel = [this](QWidget*, model::ModelType) { return m_model; };
        d.targetSettings = [this](QWidget*, const ui::EditorContext&, model::EditData&, bool) {
            ++m_targetDialogs;
            return true;
        };
        d.saveTarget = [this](QWidget*, const ui::EditorContext&, const QString&, const QString&)
            -> std::optional<ui::SaveTarget> { return ui::SaveTarget{m_savePath, false, {}}; };
        options.splash = false;
        EXPECT_TRUE(m_app->initialise(options));
        for (int i = 0; i < 50 && !m_app->isStarted(); ++i) {
            QTest::qWait(5);
        }
        EXPECT_TRUE(m_app->isStarted());
        return *m_app;
    }

    static RecoveryWriter& writerOf(CKorvintaDoc& document) {
        auto* writer = document.findChild<RecoveryWriter*>();
        EXPECT_NE(writer, nullptr);
        return *writer;
    }

    QTemporaryDir m_dir;
    QByteArray m_interval = "150";
    std::unique_ptr<QSettings> m_store;
    ScriptedPrompter m_prompter;
    std::unique_ptr<CKorvintaApp> m_app;
    model::ModelType m_model = 9;
    int m_targetDialogs = 0;
    QString m_savePath;
};

TEST_F(RecoveryWriterTest, AChangedDocumentIsCopiedOnceAnIntervalAndTheCopyGoesWithTheSave) {
    CKorvintaApp& app = startApp();
    const model::Catalogue& catalogue = app.editorContext()->catalogue;
    CKorvintaDoc& document = *app.documents().front();
    RecoveryWriter& writer = writerOf(document);
    EXPECT_EQ(writer.copiesWritten(), 0); // not at once: the interval runs from the first change
    document.data() = sampleDocument(catalogue, 3, 0x2341);
    document.notifyChanged(0);
    QTest::qWait(450);
    EXPECT_EQ(writer.copiesWritten(), 1); // two changes, one interval
    EXPECT_EQ(fileContents(writer.copyPath()), imageOf(document.data(), catalogue));
    const QByteArray sidecar = fileContents(folder() + QStringLiteral("/") +
                                            QFileInfo(writer.copyPath()).completeBaseName() + QStringLiteral(".info"));
    const std::optional<RecoveryInfo> info = parseRecoveryInfo(
        std::span(reinterpret_cast<const std::uint8_t*>(sidecar.constData()), std::size_t(sidecar.size())));
    ASSERT_TRUE(info);
    EXPECT_EQ(*info, (RecoveryInfo{9, QString(), QStringLiteral("QXPC1")}));
    QTest::qWait(400);
    EXPECT_EQ(writer.copiesWritten(), 1); // nothing changed since

    m_savePath = path("saved.QXF");
    ASSERT_TRUE(app.saveDocument(document, true));
    EXPECT_TRUE(copies().isEmpty()) << copies().join(QLatin1Char(' ')).toStdString();
    document.notifyChanged(16);
    QTest::qWait(450);
    EXPECT_EQ(writer.copiesWritten(), 2);
    // The copy of a saved document names its file.
    const QByteArray named = fileContents(folder() + QStringLiteral("/") +
                                          QFileInfo(writer.copyPath()).completeBaseName() + QStringLiteral(".info"));
    EXPECT_NE(named.indexOf(QFileInfo(m_savePath).absoluteFilePath().toUtf8()), -1) << named.toStdString();
}

TEST_F(RecoveryWriterTest, ACopyThatCannotBeWrittenIsShownInTheStatusBarUntilOneIsWrittenAgain) {
    m_interval = "3600000";
    CKorvintaApp& app = startApp();
    CKorvintaDoc& document = *app.documents().front();
    RecoveryWriter& writer = writerOf(document);
    document.data() = sampleDocument(app.editorContext()->catalogue, 2, 0x2341);
    document.notifyChanged(0);
    ASSERT_TRUE(writer.writeNow());
    EXPECT_TRUE(app.mainFrame()->statusWarning().isEmpty());

    // The folder becomes a file (as a full or failing disk would refuse it, but for root too).
    ASSERT_TRUE(QDir(folder()).removeRecursively());
    {
        QFile blocker(folder());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    EXPECT_FALSE(writer.writeNow());
    EXPECT_EQ(app.mainFrame()->statusWarning(),
              QStringLiteral("復元用データを書き込めません。文書をこまめに保存してください。"));

    ASSERT_TRUE(QFile::remove(folder()));
    EXPECT_TRUE(writer.writeNow());
    EXPECT_TRUE(app.mainFrame()->statusWarning().isEmpty());
}

TEST_F(RecoveryWriterTest, ARecoveryFolderThatCannotBeMadeIsShownFromTheStart) {
    {
        QFile blocker(folder());
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    CKorvintaApp& app = startApp();
    EXPECT_EQ(app.documents().front()->findChild<RecoveryWriter*>(), nullptr);
    EXPECT_FALSE(app.mainFrame()->statusWarning().isEmpty());
}

TEST_F(RecoveryWriterTest, EveryFiftiethChangeIsCopiedAtOnce) {
    m_interval = "3600000";
    CKorvintaApp& app = startApp();
    CKorvintaDoc& document = *app.documents().front();
    RecoveryWriter& writer = writerOf(document);
    ASSERT_TRUE(writer.writeNow());
    for (int i = 1; i < RecoveryWriter::ChangesPerCopy; ++i) {
        document.notifyChanged(16);
    }
    EXPECT_EQ(writer.copiesWritten(), 1);
    document.data() = sampleDocument(app.editorContext()->catalogue, 7, 0x2341);
    document.notifyChanged(16);
    EXPECT_EQ(writer.copiesWritten(), 2);
    EXPECT_EQ(fileContents(writer.copyPath()), imageOf(document.data(), app.editorContext()->catalogue));
}

TEST_F(RecoveryWriterTest, TheOperatorsFileIsNeverTouchedAndDiscardingRemovesTheCopy) {
    const model::Catalogue catalogue(9);
    const QByteArray original = imageOf(sampleDocument(catalogue, 2, 0x2341), catalogue);
    {
        QFile file(path("own.QXF"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    StartupOptions options;
    options.documentPath = path("own.QXF");
    CKorvintaApp& app = startApp(options);
    ASSERT_EQ(app.documents().size(), 1u);
    CKorvintaDoc& document = *app.documents().front();
    RecoveryWriter& writer = writerOf(document);
    QTest::qWait(300);
    EXPECT_EQ(writer.copiesWritten(), 0); // an unchanged document needs no copy
    document.data() = sampleDocument(catalogue, 9, 0x2350);
    document.notifyChanged(0);
    QTest::qWait(450);
    EXPECT_EQ(writer.copiesWritten(), 1);
    EXPECT_EQ(QFileInfo(writer.copyPath()).absolutePath(), QFileInfo(folder()).absoluteFilePath());
    EXPECT_EQ(fileContents(path("own.QXF")), original);
    // Nothing beside it either: no temporary file, no copy.
    QStringList beside = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    beside.removeAll(QStringLiteral("store.ini"));
    EXPECT_EQ(beside, QStringList{QStringLiteral("own.QXF")});

    m_prompter = ScriptedPrompter({Answer::No});
    ASSERT_TRUE(app.closeDocument(document));
    settle();
    EXPECT_EQ(m_prompter.shownIds(), std::vector<int>{61699});
    EXPECT_TRUE(copies().isEmpty());
    EXPECT_EQ(fileContents(path("own.QXF")), original);
}

/// What an editor killed with unsaved documents leaves: copies and an unlocked lock file.
class RecoveryOfferTest : public RecoveryWriterTest {
protected:
    void leaveCopies(const std::vector<std::pair<RecoveryInfo, QByteArray>>& documents) {
        RecoveryCopies crashed(folder());
        ASSERT_TRUE(crashed.isActive());
        for (const auto& [info, image] : documents) {
            const int serial = crashed.newSerial();
            ASSERT_TRUE(crashed.write(serial, info, std::span(reinterpret_cast<const std::uint8_t*>(image.constData()),
                                                              std::size_t(image.size())))
                            .ok);
            m_left.push_back(folder() + QLatin1Char('/') + recoveryCopyFileName(crashed.nameOf(serial)));
        }
    }

    model::Catalogue m_w3{9};
    model::Catalogue m_w{2};
    std::vector<QString> m_left;
};

TEST_F(RecoveryOfferTest, AcceptedCopiesOpenAsUntitledDocumentsNamedAfterTheirOriginals) {
    const QByteArray panel = imageOf(sampleDocument(m_w3, 5, 0x2341), m_w3);
    const QByteArray untitled = imageOf(sampleDocument(m_w3, 2, 0x2350), m_w3);
    const QByteArray otherModel = imageOf(sampleDocument(m_w, 1, 0x2341), m_w);
    leaveCopies({{{9, QStringLiteral("/d/盤A.QXF"), QStringLiteral("盤A.QXF")}, panel},
                 {{9, {}, QStringLiteral("QXPC4")}, untitled},
                 {{2, {}, QStringLiteral("QXPC1")}, otherModel},
                 {{9, {}, QStringLiteral("QXPC5")}, panel.left(20000)}});
    m_prompter = ScriptedPrompter({Answer::Yes});
    CKorvintaApp& app = startApp();

    ASSERT_EQ(m_prompter.shownIds(), (std::vector<int>{42080, 42081}));
    EXPECT_EQ(m_prompter.shown()[0].buttons, output::Buttons::YesNo);
    EXPECT_EQ(m_prompter.shown()[0].text,
              "前回、保存されないまま終了した文書が 2 件あります。\n盤A.QXF\nQXPC4\n\n"
              "これらの文書を復元して開きますか?\n[いいえ] を選ぶと、復元用のデータは削除されます。");
    EXPECT_EQ(m_prompter.shown()[1].text,
              "次の復元用のデータは壊れているため開けません。\nQXPC5\n\nこのデータは削除されます。");
    // The recovered documents take the place of the new one.
    EXPECT_EQ(m_targetDialogs, 0);
    const std::vector<CKorvintaDoc*> documents = app.documents();
    ASSERT_EQ(documents.size(), 2u);
    EXPECT_EQ(documents[0]->title(), QStringLiteral("盤A.QXF (復元)"));
    EXPECT_EQ(documents[1]->title(), QStringLiteral("QXPC4 (復元)"));
    EXPECT_EQ(app.mainFrame()->documentWindows().size(), 2u);
    for (CKorvintaDoc* document : documents) {
        EXPECT_TRUE(document->isModified());
        EXPECT_TRUE(document->pathName().isEmpty());
    }
    EXPECT_EQ(imageOf(documents[0]->data(), m_w3), panel);
    EXPECT_EQ(imageOf(documents[1]->data(), m_w3), untitled);

    // The old run's copies of this model are gone, each replaced by one of this run; the other
    // model's copy stays for its own run.
    EXPECT_FALSE(QFile::exists(m_left[0]));
    EXPECT_FALSE(QFile::exists(m_left[1]));
    EXPECT_EQ(fileContents(m_left[2]), otherModel);
    EXPECT_FALSE(QFile::exists(m_left[3]));
    EXPECT_EQ(fileContents(writerOf(*documents[0]).copyPath()), panel);
    // Killed again, it would still come back under the original's name.
    const QByteArray sidecar = fileContents(writerOf(*documents[0]).copyPath().chopped(4) + QStringLiteral(".info"));
    EXPECT_EQ(parseRecoveryInfo(std::span(reinterpret_cast<const std::uint8_t*>(sidecar.constData()),
                                          std::size_t(sidecar.size()))),
              (RecoveryInfo{9, QStringLiteral("/d/盤A.QXF"), QStringLiteral("盤A.QXF")}));
    EXPECT_EQ(copies().size(), 6); // two new copies, the kept one, and their sidecars

    // A closed recovered document asks, and gives up its copy when the operator says No.
    m_prompter = ScriptedPrompter({Answer::No});
    ASSERT_TRUE(app.closeDocument(*documents[1]));
    settle();
    EXPECT_EQ(m_prompter.shown().at(0).text, "QXPC4 (復元) への変更を保存しますか?");
    EXPECT_EQ(copies().size(), 4);
}

TEST_F(RecoveryOfferTest, DeclinedCopiesAreDiscardedAndTheStartGoesOnAsUsual) {
    leaveCopies({{{9, {}, QStringLiteral("QXPC1")}, imageOf(sampleDocument(m_w3, 5, 0x2341), m_w3)}});
    m_prompter = ScriptedPrompter({Answer::No});
    CKorvintaApp& app = startApp();
    EXPECT_EQ(m_prompter.shownIds(), std::vector<int>{42080});
    EXPECT_FALSE(QFile::exists(m_left[0]));
    EXPECT_TRUE(copies().isEmpty());
    ASSERT_EQ(app.documents().size(), 1u);
    EXPECT_EQ(m_targetDialogs, 1);
    EXPECT_EQ(app.documents().front()->title(), QStringLiteral("QXPC1"));

    // Nothing is offered twice.
    m_app.reset();
    settle();
    m_prompter = ScriptedPrompter();
    startApp();
    EXPECT_TRUE(m_prompter.shownIds().empty());
}

} // namespace
} // namespace qx::app
