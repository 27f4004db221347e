#include "SettingsStore.h"

#include "model/Catalogue.h"
#include "ui/frames/WindowLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>
#include <cstdint>

namespace qx::app {

namespace {

using model::SettingRow;

const QString Config = QStringLiteral("Config");
const QString Print = QStringLiteral("Print");
const QString Directory = QStringLiteral("Directory");
const QString RecentFiles = QStringLiteral("Recent File List");

std::optional<QString> textOf(QSettings& store, const QString& section, const QString& key) {
    store.beginGroup(section);
    const QVariant value = store.value(key);
    store.endGroup();
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

std::optional<int> integerOf(QSettings& store, const QString& section, const QString& key) {
    const std::optional<QString> text = textOf(store, section, key);
    return text ? ui::parseStoredInteger(text->toStdString()) : std::nullopt;
}

int clampInto(int value, int lower, int upper) {
    // The lower bound first: a row whose bounds cross still gives its upper bound.
    value = std::max(value, lower);
    return std::min(value, upper);
}

int clampedToRow(std::optional<int> stored, const model::Catalogue& catalogue, SettingRow row) {
    const model::SettingRange& range = catalogue.settingRange(row);
    return clampInto(stored.value_or(range.defaultValue), range.lower, range.upper);
}

std::uint8_t lowByte(int value) { return static_cast<std::uint8_t>(value & 0xFF); }
std::int16_t lowWord(int value) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF)); }

} // namespace

model::ModelType storedModelType(const StoredConfig& stored) { return stored.modelType.value_or(model::models::Default); }

model::OperatorSettings settingsFromStore(const StoredConfig& config, const output::StoredPrintValues& print,
                                          const model::Catalogue& catalogue) {
    const auto defaultOf = [&](SettingRow row) { return catalogue.settingRange(row).defaultValue; };
    model::OperatorSettings s;
    s.modelType = catalogue.model();
    s.textSize = lowByte(config.textSize.value_or(defaultOf(SettingRow::TextSize)));
    s.textWidth = lowByte(config.textWidth.value_or(defaultOf(SettingRow::TextWidth)));
    s.numberTube = lowWord(clampedToRow(config.numberTube, catalogue, SettingRow::CountTube));
    s.numberTape = lowWord(clampedToRow(config.numberTape, catalogue, SettingRow::CountOther));
    s.pitchLenTube = lowWord(clampedToRow(config.pitchLenTube, catalogue, SettingRow::PitchTube));

    // From the W models on, the tape pitch also stays within the plate pitch bounds.
    const model::SettingRange& tape = catalogue.settingRange(SettingRow::PitchTape);
    int lower = tape.lower;
    int upper = tape.upper;
    if (catalogue.model() >= 2) {
        const model::SettingRange& plate = catalogue.settingRange(SettingRow::PitchPlate);
        lower = std::max(lower, plate.lower);
        upper = std::min(upper, plate.upper);
    }
    s.pitchLenTape = lowWord(clampInto(config.pitchLenTape.value_or(tape.defaultValue), lower, upper));

    s.defaultCfDrive = config.defaultCfDrive.value_or(QString()).toStdString();
    s.frameGap = lowByte(config.frameGap.value_or(defaultOf(SettingRow::FrameGap)));

    // -1 stands for "never stored": the font's default, and a slashed zero only with the clear font.
    const int font = config.printFont.value_or(-1);
    s.printFont = (font & 0xFF) == 0xFF ? lowByte(defaultOf(SettingRow::PrintFont)) : lowByte(font);
    const int slash = config.zeroSlash.value_or(-1);
    s.zeroSlash = (slash & 0xFFFF) == 0xFFFF ? static_cast<std::int16_t>(s.printFont == 2 ? 1 : 0) : lowWord(slash);

    s.print = output::printParametersFromStore(print, catalogue);
    return s;
}

StoredConfig readStoredConfig(QSettings& store) {
    StoredConfig c;
    c.textSize = integerOf(store, Config, QStringLiteral("TextSize"));
    c.textWidth = integerOf(store, Config, QStringLiteral("TextWidth"));
    c.numberTube = integerOf(store, Config, QStringLiteral("NumberTube"));
    c.numberTape = integerOf(store, Config, QStringLiteral("NumberTape"));
    c.pitchLenTube = integerOf(store, Config, QStringLiteral("PitchLenTube"));
    c.pitchLenTape = integerOf(store, Config, QStringLiteral("PitchLenTape"));
    c.defaultCfDrive = textOf(store, Config, QStringLiteral("DefaultCfDrive"));
    c.modelType = integerOf(store, Config, QStringLiteral("ModelType"));
    c.frameGap = integerOf(store, Config, QStringLiteral("FrameGap"));
    c.printFont = integerOf(store, Config, QStringLiteral("PrintFont"));
    c.zeroSlash = integerOf(store, Config, QStringLiteral("ZeroSlash"));
    return c;
}

output::StoredPrintValues readStoredPrintValues(QSettings& store) {
    output::StoredPrintValues values;
    for (std::size_t i = 0; i < output::PrintValueNames.size(); ++i) {
        const std::string_view name = output::PrintValueNames[i];
        values[i] = integerOf(store, Print, QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    }
    return values;
}

void writeSettings(QSettings& store, const model::OperatorSettings& s) {
    store.beginGroup(Config);
    store.setValue(QStringLiteral("TextSize"), static_cast<int>(s.textSize));
    store.setValue(QStringLiteral("TextWidth"), static_cast<int>(s.textWidth));
    store.setValue(QStringLiteral("NumberTube"), static_cast<int>(s.numberTube));
    store.setValue(QStringLiteral("NumberTape"), static_cast<int>(s.numberTape));
    store.setValue(QStringLiteral("PitchLenTube"), static_cast<int>(s.pitchLenTube));
    store.setValue(QStringLiteral("PitchLenTape"), static_cast<int>(s.pitchLenTape));
    store.setValue(QStringLiteral("DefaultCfDrive"), QString::fromStdString(s.defaultCfDrive));
    store.setValue(QStringLiteral("ModelType"), s.modelType);
    store.setValue(QStringLiteral("FrameGap"), static_cast<int>(s.frameGap));
    store.setValue(QStringLiteral("PrintFont"), static_cast<int>(s.printFont));
    store.setValue(QStringLiteral("ZeroSlash"), static_cast<int>(s.zeroSlash));
    store.endGroup();
    store.beginGroup(Print);
    for (const auto& [name, value] : output::printValuesForStore(s.print)) {
        store.setValue(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())), value);
    }
    store.endGroup();
}

void storeDirectoryPath(QSettings& store, const QString& chosenFile) {
    store.beginGroup(Directory);
    store.setValue(QStringLiteral("DirectoryPath"), QFileInfo(chosenFile).absolutePath());
    store.endGroup();
}

QStringList withRecentFile(QStringList list, const QString& path) {
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > RecentFileCount) {
        list.removeLast();
    }
    return list;
}

QStringList readRecentFiles(QSettings& store) {
    QStringList list;
    for (int i = 1; i <= RecentFileCount; ++i) {
        const std::optional<QString> path = textOf(store, RecentFiles, QStringLiteral("File%1").arg(i));
        if (path && !path->isEmpty()) {
            list.push_back(*path);
        }
    }
    return list;
}

void writeRecentFiles(QSettings& store, const QStringList& list) {
    store.beginGroup(RecentFiles);
    store.remove(QString());
    for (int i = 0; i < list.size() && i < RecentFileCount; ++i) {
        store.setValue(QStringLiteral("File%1").arg(i + 1), list[i]);
    }
    store.endGroup();
}

} // namespace qx::app
