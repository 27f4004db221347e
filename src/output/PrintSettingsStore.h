#pragma once

#include "Prompter.h"

#include "model/OperatorSettings.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace qx::model {
class Catalogue;
}

namespace qx::output {

// ---- The six "Print" values of the application's settings store ------------------------------

/// The value names of the "Print" section, in the order they are read and written.
inline constexpr std::array<std::string_view, 6> PrintValueNames{
    "CutPotision", "Prnoffsety", "FrontFeed", "LowTempMode", "SeqOrder", "HeatVolume",
};

/// The "Print" values as found in the settings store, in PrintValueNames order; nothing for a
/// value that is absent.
using StoredPrintValues = std::array<std::optional<int>, 6>;

/// The print parameters from the stored values: an absent value takes its setting row's default,
/// a present one keeps its low 16 bits and is then brought into the range of its stored form
/// (cut position 0 to 40, vertical position 0 to 22, density 1 to 8, the three switches 0 or 1).
/// A stored cut position of 25 stays 25 (shown 0.5 mm).
model::PrintParameters printParametersFromStore(const StoredPrintValues& stored,
                                                const model::Catalogue& catalogue);

/// The values to write back at exit, in PrintValueNames order.
std::array<std::pair<std::string_view, int>, 6> printValuesForStore(const model::PrintParameters& parameters);

// ---- Named print settings (PrintSettings.ini) --------------------------------------------------

/// One named set of the three most adjusted print parameters, in shown form.
struct PrintSettingEntry {
    std::string name;         ///< registration name, Shift_JIS
    std::int16_t heatVol = 4; ///< print density, 1 to 8
    std::int16_t cutPos = 0;  ///< cut position in tenths of a millimetre as shown, -20 to 20
    std::int16_t offsetY = 0; ///< vertical print position as shown, -10 to 12

    /// An unnamed set with the defaults of the catalogue's setting rows.
    static PrintSettingEntry defaults(const model::Catalogue& catalogue);

    friend bool operator==(const PrintSettingEntry&, const PrintSettingEntry&) = default;
};

inline constexpr std::size_t MaxPrintSettingEntries = 6;
inline constexpr std::string_view PrintSettingsFileName = "PrintSettings.ini";

/// The named sets of a profile text: sections "Section0" … up to the "Count" of "Index"; nameless
/// and repeated names (exact comparison) are dropped, numbers that are not whole decimal integers
/// give the defaults, others are clamped to their setting rows, and the first six sets are kept.
std::vector<PrintSettingEntry> parsePrintSettings(std::string_view profileText,
                                                  const model::Catalogue& catalogue);

/// The profile text of a list of sets: "Count" in "Index", then per set "Name" = "{name}",
/// "HeatVol", "CutPos" and "OffsetY", every value written as given.
std::string formatPrintSettings(std::span<const PrintSettingEntry> entries);

/// The sets stored in `folder`/PrintSettings.ini; a missing or unreadable file gives none.
std::vector<PrintSettingEntry> LoadPrintSettings(const std::filesystem::path& folder,
                                                 const model::Catalogue& catalogue);

/// What became of a save.
struct PrintSettingsSaveResult {
    enum class Status {
        Saved,
        FolderFailed, ///< the folder could not be created: the operator is told the system's reason
        NotWritten,   ///< no temporary file could be made or the file could not be replaced
    };
    Status status = Status::Saved;
    std::error_code error;

    bool saved() const { return status == Status::Saved; }
    /// The system's own wording of the error.
    std::string reason() const { return error.message(); }
};

/// Replaces `folder`/PrintSettings.ini by the list: creates every missing folder of the path,
/// writes the text into a temporary file "kav…" of the temporary folder and copies that over the
/// real file (which is replaced whole or not at all), then deletes the temporary file. On any
/// failure the real file is left as it was.
PrintSettingsSaveResult SavePrintSettings(const std::filesystem::path& folder,
                                          std::span<const PrintSettingEntry> entries);

/// Tells the operator why a save failed when the failure is theirs to know: a folder that cannot
/// be created shows the system's reason. The other failures stay silent.
void showSaveFailure(const PrintSettingsSaveResult& result, Prompter& prompter);

/// The documents folder named in the text of a user-dirs file ("XDG_DOCUMENTS_DIR=\"$HOME/…\""),
/// with "$HOME" expanded to `home`; nothing when the text names none or names it in a form the
/// desktop would not accept (unquoted, relative, with control characters). The last valid line
/// wins, as when the file is sourced.
std::optional<std::filesystem::path> documentsFolderFromUserDirs(std::string_view text,
                                                                 const std::filesystem::path& home);

/// The user's documents folder as the desktop knows it: $XDG_DOCUMENTS_DIR, else the one named in
/// $XDG_CONFIG_HOME/user-dirs.dirs (~/.config/user-dirs.dirs), else $HOME/Documents; empty
/// without a home folder.
std::filesystem::path userDocumentsFolder();

/// The folder of a model's named sets: `documents`/KAV/<model name>/; the model name is the
/// model's entry in the model list, nothing when the list has none.
std::filesystem::path printSettingsFolder(const std::filesystem::path& documents,
                                          const model::Catalogue& catalogue);

/// printSettingsFolder of the documents folder the application passed down in the settings, or of
/// userDocumentsFolder when it passed none; empty when neither is known.
std::filesystem::path defaultPrintSettingsFolder(const model::OperatorSettings& settings,
                                                 const model::Catalogue& catalogue);

} // namespace qx::output
