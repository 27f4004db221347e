#pragma once

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

class QSettings;

namespace qx::ui {

/// The section of the settings store that holds window and dialog layouts.
inline constexpr const char* LayoutSection = "Settings";

/// Show states of a stored window placement.
namespace ShowState {
inline constexpr unsigned Hidden = 0;
inline constexpr unsigned Normal = 1;
inline constexpr unsigned Minimised = 2;
inline constexpr unsigned Maximised = 3;
inline constexpr unsigned MinimisedInactive = 7;
} // namespace ShowState

/// The main window's placement as "WndMainPosition" stores it.
struct WindowPlacement {
    unsigned flags = 0;
    unsigned showState = ShowState::Normal;
    int minimisedX = -1;
    int minimisedY = -1;
    int maximisedX = -1;
    int maximisedY = -1;
    /// The normal rectangle: left, top, right, bottom (right and bottom exclusive).
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    QRect normalRect() const { return QRect(left, top, right - left, bottom - top); }
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};

/// A whole decimal integer, blanks around it allowed; nothing for any other text.
std::optional<int> parseStoredInteger(std::string_view text);

/// "WndMainPosition": exactly ten integers "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", else nothing. A hidden
/// or minimised show state reads as normal, so a window closed while minimised comes back. A
/// normal rectangle without area counts as absent.
std::optional<WindowPlacement> parseMainPosition(std::string_view text);
/// The stored text; a hidden or minimised show state is written as normal.
QString formatMainPosition(const WindowPlacement& placement);

/// "WndChildSize": exactly two integers "%d,%d", both positive, else nothing.
std::optional<QSize> parseChildSize(std::string_view text);
QString formatChildSize(QSize size);

/// The main window's first rectangle without a stored placement: 85 % of the work area's width and
/// of its height plus the menu bar, centred in the work area.
QRect defaultMainRect(const QRect& workArea, int menuHeight);

/// A document window's first size without a stored one: 80 % of the main window's normal size.
QSize defaultChildSize(QSize mainNormalSize);

inline constexpr int DefaultPaneRatio = 70;
inline constexpr int DefaultColumnWidth = 94;

/// A stored pane ratio in percent, brought into 0 to 100; 70 when absent.
int paneRatioFrom(std::optional<int> stored);
/// A stored text-line column width in pixels; 94 when absent or not a usable width.
int columnWidthFrom(std::optional<int> stored);

/// The value name of the width of text-line column `index` ("ColumnSize00" …).
QString columnSizeKey(int index);

/// Pane sizes of a document window of the given client size: the grid column is what the property
/// pane leaves, the grid row is the stored ratio of the height; each at least 11 pixels.
struct PaneSizes {
    int gridWidth = 0;
    int upperHeight = 0;
    friend bool operator==(const PaneSizes&, const PaneSizes&) = default;
};
PaneSizes paneSizesFor(QSize client, int propertyPaneWidth, int paneRatioV);

/// The ratios after a splitter drag, in percent of the client size (0 when the client is empty).
int ratioPercent(int part, int whole);

// Reading and writing the "Settings" section.
std::optional<int> readStoredInteger(QSettings& store, const QString& key);
std::optional<QString> readStoredText(QSettings& store, const QString& key);
void writeStoredInteger(QSettings& store, const QString& key, int value);
void writeStoredText(QSettings& store, const QString& key, const QString& value);

/// The widths of the text-line columns 0 to lineCount − 1 as stored.
std::vector<int> readColumnWidths(QSettings& store, int lineCount);
void writeColumnWidths(QSettings& store, const std::vector<int>& widths);

} // namespace qx::ui
