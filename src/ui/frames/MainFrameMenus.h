#pragma once

#include "model/ModelType.h"

#include <span>
#include <string_view>
#include <vector>

namespace qx::ui {

/// One entry of a menu: a command with its text (a tab separates the shortcut shown), a
/// separator (command 0, no text) or a submenu (command 0, its text and items).
struct MenuItem {
    int command = 0;
    std::string_view text;
    std::span<const MenuItem> submenu{};

    bool isSeparator() const { return command == 0 && submenu.empty(); }
    bool isSubmenu() const { return !submenu.empty(); }
};

/// One menu of the menu bar.
struct MenuBarEntry {
    std::string_view title;
    std::span<const MenuItem> items;
};

/// Menu resource 128, shown while no document window is open.
std::span<const MenuBarEntry> menuBarWithoutDocument();

/// Menu resource 129, shown while a document window is active, adjusted for the model: on the
/// QX-780 the send item, which sends without a dialog there, reads "送信(&T)\tCtrl+T" and stands
/// right before the print item; up to index 4 the bulk-change submenu has no underline item.
struct AdjustedMenu {
    std::string_view title;
    std::vector<MenuItem> items;
};
std::vector<AdjustedMenu> menuBarWithDocument(model::ModelType modelType);

/// One row of accelerator table 128: the key in QKeySequence portable text and its command.
struct Accelerator {
    std::string_view keys;
    int command;
};
std::span<const Accelerator> acceleratorTable();

/// The tool bar's buttons in order; 0 is a separator.
std::span<const int> toolBarCommands();

/// A command's texts besides its menu text: the prompt the status bar shows while the command is
/// highlighted in a menu or under the mouse on the tool bar, then its tool tip, separated by a line
/// feed. Empty for commands without a prompt.
std::string_view commandPrompt(int command);

/// The indicators of the status bar after the message pane.
std::span<const std::string_view> statusIndicators();

} // namespace qx::ui
