#pragma once

#include "model/ModelType.h"
#include "model/OperatorSettings.h"
#include "output/PrintSettingsStore.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QSettings;

namespace qx::model {
class Catalogue;
}

namespace qx::app {

/// The organisation and application names of the settings store.
inline constexpr const char* StoreOrganisation = "KAV";
inline constexpr const char* StoreApplication = "コルビンタ PCエディタ";

/// The "Config" values as found in the settings store; nothing for an absent or unreadable one.
struct StoredConfig {
    std::optional<int> textSize;
    std::optional<int> textWidth;
    std::optional<int> numberTube;
    std::optional<int> numberTape;
    std::optional<int> pitchLenTube;
    std::optional<int> pitchLenTape;
    std::optional<QString> defaultCfDrive;
    std::optional<int> modelType;
    std::optional<int> frameGap;
    std::optional<int> printFont;
    std::optional<int> zeroSlash;
};

/// The model the model dialog starts with: the stored one, else the QX-950W3 (9).
model::ModelType storedModelType(const StoredConfig& stored);

/// The operator's settings of this run from the stored values, with the defaults and bounds of the
/// catalogue's model: counts and pitches clamped into their setting rows (lower bound first), the
/// byte-wide values keeping their low 8 bits and the 16-bit ones their low 16 bits; an absent print
/// font takes row 58's default, an absent zero slash follows the font (on with the clear font 2).
model::OperatorSettings settingsFromStore(const StoredConfig& config, const output::StoredPrintValues& print,
                                          const model::Catalogue& catalogue);

/// Reading and writing the "Config" and "Print" sections.
StoredConfig readStoredConfig(QSettings& store);
output::StoredPrintValues readStoredPrintValues(QSettings& store);
/// What the application writes at exit: "Config" (every value an integer but the text
/// "DefaultCfDrive"), then "Print".
void writeSettings(QSettings& store, const model::OperatorSettings& settings);

/// Stores the folder of a file the operator chose as "DirectoryPath".
void storeDirectoryPath(QSettings& store, const QString& chosenFile);

/// The framework's recent-file list: at most five paths, newest first, in "Recent File List".
inline constexpr int RecentFileCount = 5;
QStringList withRecentFile(QStringList list, const QString& path);
QStringList readRecentFiles(QSettings& store);
void writeRecentFiles(QSettings& store, const QStringList& list);

} // namespace qx::app
