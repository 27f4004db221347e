#pragma once

// The numbers of the grid's operations, notifications and child windows. The grid itself offers
// methods and Qt signals; these numbers stay because other parts of the editor (the block grid, the
// edit commands, saved layouts) name operations and sources by them.

namespace qx::ui {

namespace TableMessage {
inline constexpr int UserBase = 0x400;

// Operations of CTableCtrl (each has a method of the same meaning).
inline constexpr int GetColumnCount = 0x465;      ///< TBL_GETCOLUMNCOUNT: columnCount()
inline constexpr int GetRowCount = 0x466;         ///< TBL_GETROWCOUNT: rowCount()
inline constexpr int GetColumnWidth = 0x467;      ///< TBL_GETCOLUMNWIDTH: columnWidth()
inline constexpr int SetColumnWidth = 0x468;      ///< TBL_SETCOLUMNWIDTH: setColumnWidth()
inline constexpr int GetRowHeight = 0x469;        ///< TBL_GETROWHEIGHT: rowHeight()
inline constexpr int SetRowHeight = 0x46A;        ///< TBL_SETROWHEIGHT: setRowHeight()
inline constexpr int GetFocusRow = 0x46B;         ///< TBL_GETFOCUSROW: focusRow()
inline constexpr int GetFocusColumn = 0x46C;      ///< TBL_GETFOCUSCOLUMN: focusColumn()
inline constexpr int GetSelection = 0x46F;        ///< TBL_GETSELECTION: selection()
inline constexpr int SetSelection = 0x470;        ///< TBL_SETSELECTION: setSelection()
inline constexpr int GetVisibleColumns = 0x471;   ///< TBL_GETVISIBLECOLUMNS: visibleColumns()
inline constexpr int GetVisibleRows = 0x472;      ///< TBL_GETVISIBLEROWS: visibleRows()
inline constexpr int GetFirstColumn = 0x473;      ///< TBL_GETFIRSTCOLUMN: firstColumn()
inline constexpr int GetFirstRow = 0x474;         ///< TBL_GETFIRSTROW: firstRow()
inline constexpr int SetFocusCell = 0x476;        ///< TBL_SETFOCUSCELL: setFocusCell()
inline constexpr int GetColumnResizable = 0x477;  ///< TBL_GETCOLUMNRESIZABLE
inline constexpr int SetColumnResizable = 0x478;  ///< TBL_SETCOLUMNRESIZABLE
inline constexpr int GetColumnLineWidth = 0x479;  ///< TBL_GETCOLUMNLINEWIDTH
inline constexpr int SetColumnLineWidth = 0x47A;  ///< TBL_SETCOLUMNLINEWIDTH
inline constexpr int GetColumnSelectable = 0x47B; ///< TBL_GETCOLUMNSELECTABLE
inline constexpr int SetColumnSelectable = 0x47C; ///< TBL_SETCOLUMNSELECTABLE
inline constexpr int BeginEdit = 0x47D;           ///< TBL_BEGINEDIT: beginEdit()
inline constexpr int GetColumnEditable = 0x47E;   ///< TBL_GETCOLUMNEDITABLE
inline constexpr int SetColumnEditable = 0x47F;   ///< TBL_SETCOLUMNEDITABLE
inline constexpr int GetDataModel = 0x4C7;        ///< TBL_GETDATAMODEL: dataModel()

// Notifications from the grid to its owner (Qt signals of CTableCtrl).
inline constexpr int FocusChanged = 0x4C9;    ///< TBLN_FOCUSCHANGED: focusCellChanged(), queued
inline constexpr int SelChanged = 0x4CC;      ///< TBLN_SELCHANGED: selectionChanged()
inline constexpr int AdjustSelection = 0x4CD; ///< TBLN_ADJUSTSELECTION: the selection adjuster
} // namespace TableMessage

/// Where a proposed selection comes from (the first argument of the selection adjuster).
namespace SelectionSource {
inline constexpr int Cells = 0xE900;        ///< SEL_SOURCE_CELLS: the cells area and the keyboard
inline constexpr int ColumnHeader = 0xEA01; ///< SEL_SOURCE_COLUMNHEADER: dragging in the column header
inline constexpr int RowHeader = 0xEA11;    ///< SEL_SOURCE_ROWHEADER: dragging in the row header
} // namespace SelectionSource

/// Child-window ids of the grid's editor and bars, for callers that keep the numbers.
namespace TableChildId {
inline constexpr int Editor = 0xE900;
inline constexpr int HorizontalBar = 0xEA00;
inline constexpr int VerticalBar = 0xEA10;
inline constexpr int SizeBox = 0xEA20;
} // namespace TableChildId

/// The cell editors' protocol numbers (each is a method of CTableCellEditor or of the editor classes,
/// or a call on CTableCellEditorSink).
namespace CellEditorMessage {
inline constexpr int SetText = 0x52E;           ///< CEM_SETTEXT: CTableCellEditor::setEditorText()
inline constexpr int GetTextLength = 0x52F;     ///< CEM_GETTEXTLENGTH
inline constexpr int GetText = 0x530;           ///< CEM_GETTEXT: CTableCellEditor::editorText()
inline constexpr int GetModify = 0x531;         ///< CEM_GETMODIFY
inline constexpr int SetModify = 0x532;         ///< CEM_SETMODIFY
inline constexpr int CanInsertSequence = 0x533; ///< CEM_CANINSERTSEQUENCE
inline constexpr int SetRect = 0x534;           ///< CEM_SETRECT: CTableCellEditor::setEditorRect()
inline constexpr int GetSequences = 0x536;      ///< CEM_GETSEQUENCES: CTableCellEditor::editorSequences()
inline constexpr int GetSequenceCount = 0x537;  ///< CEM_GETSEQUENCECOUNT
inline constexpr int SequenceSelected = 0x538;  ///< CEN_SEQUENCESELECTED (editor to the frame)
inline constexpr int CommitMove = 0x591;        ///< CEN_COMMITMOVE: CTableCellEditorSink::editorCommitMove()
inline constexpr int Cancel = 0x592;            ///< CEN_CANCEL: CTableCellEditorSink::editorCancel()
inline constexpr int Commit = 0x593;            ///< CEN_COMMIT: CTableCellEditorSink::editorCommit()
} // namespace CellEditorMessage

/// The keys that CEN_COMMITMOVE carries.
namespace CommitKey {
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
} // namespace CommitKey

/// Notify codes of the platform's standard notification.
namespace TableNotifyCode {
inline constexpr int Click = -2;       ///< left button down in the cells area: CTableCtrl::cellsClicked()
inline constexpr int DoubleClick = -3; ///< double click in the column header: columnHeaderDoubleClicked()
} // namespace TableNotifyCode

} // namespace qx::ui
