#pragma once

// The numeric command ids of the editor's menus, tool bar and shortcuts, and the update hints of a
// document's change notification. Menus, enabling rules and tests refer to commands by these.

namespace qx::ui {

namespace Command {
// File
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrint = 57607;
inline constexpr int AppExit = 57665;
inline constexpr int FileInsert = 32771;
inline constexpr int TargetSettings = 32772;
inline constexpr int Send = 32773;
inline constexpr int EnvironmentSettings = 32774;
inline constexpr int WholeImage = 32797;
inline constexpr int WireListImport = 32810; ///< 配線リスト読込
inline constexpr int RecentFileFirst = 57616;
// Edit
inline constexpr int Clear = 57632;
inline constexpr int Copy = 57634;
inline constexpr int Cut = 57635;
inline constexpr int Paste = 57637;
inline constexpr int Undo = 57643;
inline constexpr int Redo = 57644;
inline constexpr int BeginEdit = 32775;
inline constexpr int FormatPaste = 32776;
inline constexpr int Sequence = 32777;
inline constexpr int Frame = 32778;
inline constexpr int PeriodAdd = 32779;
inline constexpr int PeriodRemove = 32780;
inline constexpr int Symbol = 32781;
inline constexpr int PitchSort = 32782;
inline constexpr int BulkCharSize = 32783;
inline constexpr int BulkCharWidth = 32784;
inline constexpr int BulkCount = 32785;
inline constexpr int BulkPitch = 32786;
inline constexpr int BulkReverse = 32787;
inline constexpr int BulkUnderline = 32796;
// Block
inline constexpr int BlockInsert = 32788;
inline constexpr int BlockDelete = 32789;
// Window and help
inline constexpr int WindowNew = 57648;
inline constexpr int WindowTile = 57651;
inline constexpr int AppAbout = 57664;
inline constexpr int HelpIndex = 57667;
inline constexpr int ContextHelp = 57669;
inline constexpr int Help = 57670;
inline constexpr int HelpFinder = 57671;
inline constexpr int NextPane = 57680;
inline constexpr int PreviousPane = 57681;
// Start-up
inline constexpr int DeferredStartup = 32795;
// The whole-image preview's own
inline constexpr int PreviewLevel25 = 32798; ///< 32798 … 32804: the fixed levels 25 % … 1600 %
inline constexpr int PreviewLevel1600 = 32804;
inline constexpr int ZoomIn = 32805;
inline constexpr int ZoomOut = 32806;
inline constexpr int ZoomAtPoint = 32807;
inline constexpr int FitLength = 32808; ///< 全体表示
inline constexpr int FitHeight = 32809; ///< 高さ基準
} // namespace Command

/// What a change notification tells the views about the change.
namespace UpdateHint {
inline constexpr int Everything = 0;
inline constexpr int FocusCell = 1;
inline constexpr int FocusRow = 2; ///< e.g. a sequence number or symbol of the focus row changed
inline constexpr int Attributes = 4; ///< attributes cleared or bulk-changed
inline constexpr int BlocksFromFocusRow = 8; ///< blocks inserted or deleted from the focus row on
inline constexpr int OneCell = 16;
} // namespace UpdateHint

} // namespace qx::ui
