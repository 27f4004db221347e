#pragma once

#include <filesystem>

class QSettings;

namespace qx::model {
class Catalogue;
struct OperatorSettings;
} // namespace qx::model

namespace qx::output {
struct PrintOptions;
class Prompter;
class DriveProvider;
class Spooler;
} // namespace qx::output

namespace qx::render {
class SymbolCatalogue;
class SymbolPictures;
} // namespace qx::render

namespace qx::ui {

class ForbiddenCharNotice;

/// What every window, view and dialog of a running editor works with. The application object owns
/// all of it for the whole run and hands this out; nothing below it reaches for a global.
struct EditorContext {
    const model::Catalogue& catalogue;
    model::OperatorSettings& settings;   ///< the operator's defaults and print parameters
    output::PrintOptions& printOptions;  ///< the options of the next print or send job
    output::Prompter& prompter;          ///< every message box goes through it
    QSettings& store;                    ///< the settings store (window layouts, dialog values)
    output::DriveProvider* drives = nullptr; ///< removable volumes for saving to memory cards
    /// The run's forbidden-character notice: ticking its box in one window silences every window.
    ForbiddenCharNotice* forbiddenCharNotice = nullptr;
    /// The spooler print and send jobs go to; null: the desktop's CUPS server.
    output::Spooler* spooler = nullptr;
    /// Where the model's named print settings (PrintSettings.ini) live.
    std::filesystem::path printSettingsFolder{};
    /// The model's symbol groups and the pictures of every printer symbol, made once for the run;
    /// null: whoever needs them makes their own.
    const render::SymbolCatalogue* symbolCatalogue = nullptr;
    const render::SymbolPictures* symbolPictures = nullptr;
    /// Where the wire-list import keeps its profiles; empty: beside the settings store.
    std::filesystem::path wireListProfileFolder{};
};

} // namespace qx::ui
