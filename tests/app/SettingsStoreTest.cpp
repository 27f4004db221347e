#include "app/SettingsStore.h"
#include "model/Catalogue.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qx::app {
namespace {

model::OperatorSettings read(const StoredConfig& config, model::ModelType model) {
    return settingsFromStore(config, output::StoredPrintValues{}, model::Catalogue(model));
}

TEST(SettingsStore, EmptyStoreGivesTheFirstRunDefaults) {
    EXPECT_EQ(storedModelType(StoredConfig{}), 9);
    const model::OperatorSettings s = read(StoredConfig{}, 9);
    EXPECT_EQ(s.textSize, 3);
    EXPECT_EQ(s.textWidth, 0);
    EXPECT_EQ(s.numberTube, 2);
    EXPECT_EQ(s.numberTape, 1);
    EXPECT_EQ(s.pitchLenTube, 200);
    EXPECT_EQ(s.pitchLenTape, 100);
    EXPECT_EQ(s.frameGap, 1);
    EXPECT_EQ(s.printFont, 0);
    EXPECT_EQ(s.zeroSlash, 0);
    EXPECT_EQ(s.modelType, 9);
    EXPECT_TRUE(s.defaultCfDrive.empty());
}

TEST(SettingsStore, ZeroSlashFollowsTheClearFontOnlyWhenNeverStored) {
    StoredConfig config;
    config.printFont = 2;
    EXPECT_EQ(read(config, 9).zeroSlash, 1);
    config.zeroSlash = 0;
    EXPECT_EQ(read(config, 9).zeroSlash, 0);
    config = {};
    config.printFont = 0xFF; // the low byte of "absent"
    EXPECT_EQ(read(config, 9).printFont, 0);
}

struct ClampRow {
    const char* name;
    model::ModelType model;
    std::optional<int> StoredConfig::*field;
    int stored;
    std::int16_t model::OperatorSettings::*result;
    int expected;
};

class SettingsClamp : public ::testing::TestWithParam<ClampRow> {};

TEST_P(SettingsClamp, BringsStoredValuesIntoTheModelsRange) {
    const ClampRow& row = GetParam();
    StoredConfig config;
    config.*row.field = row.stored;
    EXPECT_EQ(read(config, row.model).*row.result, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsClamp,
    ::testing::Values(
        ClampRow{"TubeCountEarly", 0, &StoredConfig::numberTube, 500, &model::OperatorSettings::numberTube, 100},
        ClampRow{"TubeCountW3", 9, &StoredConfig::numberTube, 500, &model::OperatorSettings::numberTube, 300},
        ClampRow{"TubeCountZero", 9, &StoredConfig::numberTube, 0, &model::OperatorSettings::numberTube, 1},
        ClampRow{"TapeCountW2", 5, &StoredConfig::numberTape, 301, &model::OperatorSettings::numberTape, 300},
        ClampRow{"TubePitchLow", 9, &StoredConfig::pitchLenTube, 99, &model::OperatorSettings::pitchLenTube, 100},
        ClampRow{"TubePitchHigh", 1, &StoredConfig::pitchLenTube, 601, &model::OperatorSettings::pitchLenTube, 600},
        ClampRow{"TapePitchQx790", 1, &StoredConfig::pitchLenTape, 30, &model::OperatorSettings::pitchLenTape, 40},
        ClampRow{"TapePitchW2", 5, &StoredConfig::pitchLenTape, 30, &model::OperatorSettings::pitchLenTape, 35},
        ClampRow{"TapePitchW", 2, &StoredConfig::pitchLenTape, 30, &model::OperatorSettings::pitchLenTape, 40},
        ClampRow{"HugeCount", 9, &StoredConfig::numberTube, 65536 + 50, &model::OperatorSettings::numberTube, 300}),
    [](const ::testing::TestParamInfo<ClampRow>& row) { return std::string(row.param.name); });

TEST(SettingsStore, UnclampedValuesKeepTheirLowBits) {
    StoredConfig config;
    config.textSize = 0x105;
    config.frameGap = 7;
    EXPECT_EQ(read(config, 9).textSize, 5);
    EXPECT_EQ(read(config, 9).frameGap, 7);
}

TEST(SettingsStore, WrittenValuesReadBackUnderTheirNames) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("store.ini"));
    model::OperatorSettings s = model::OperatorSettings::defaultsFor(model::Catalogue(5));
    s.numberTube = 12;
    s.defaultCfDrive = "/media/card/QX/";
    s.print.heatVolume = 6;
    {
        QSettings store(path, QSettings::IniFormat);
        writeSettings(store, s);
    }
    QSettings raw(path, QSettings::IniFormat);
    for (const char* key : {"Config/TextSize", "Config/TextWidth", "Config/NumberTube", "Config/NumberTape",
                            "Config/PitchLenTube", "Config/PitchLenTape", "Config/DefaultCfDrive", "Config/ModelType",
                            "Config/FrameGap", "Config/PrintFont", "Config/ZeroSlash", "Print/CutPotision",
                            "Print/Prnoffsety", "Print/FrontFeed", "Print/LowTempMode", "Print/SeqOrder",
                            "Print/HeatVolume"}) {
        EXPECT_TRUE(raw.contains(QString::fromLatin1(key))) << key;
    }
    const StoredConfig config = readStoredConfig(raw);
    EXPECT_EQ(config.modelType, 5);
    EXPECT_EQ(settingsFromStore(config, readStoredPrintValues(raw), model::Catalogue(5)), s);
}

TEST(SettingsStore, GarbageCountsAsAbsent) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
    store.setValue(QStringLiteral("Config/NumberTube"), QStringLiteral("lots"));
    store.setValue(QStringLiteral("Config/ModelType"), QStringLiteral("4"));
    const StoredConfig config = readStoredConfig(store);
    EXPECT_FALSE(config.numberTube);
    EXPECT_EQ(storedModelType(config), 4);
}

TEST(SettingsStore, StoresTheFolderOfTheChosenFile) {
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("store.ini")), QSettings::IniFormat);
    storeDirectoryPath(store, dir.filePath(QStringLiteral("a.QXF")));
    EXPECT_EQ(QDir(store.value(QStringLiteral("Directory/DirectoryPath")).toString()), QDir(dir.path()));
}

TEST(SettingsStore, RecentFilesKeepFiveNewestFirst) {
    QStringList list;
    for (int i = 1; i <= 7; ++i) {
        list = withRecentFile(list, QStringLiteral("/f%1.QXF").arg(i));
    }
    list = withRecentFile(list, QStringLiteral("/f5.QXF"));
    EXPECT_EQ(list, (QStringList{"/f5.QXF", "/f7.QXF", "/f6.QXF", "/f4.QXF", "/f3.QXF"}));
}

} // namespace
} // namespace qx::app
