#pragma once

// The string table's texts of the wire-list import.

namespace qx::wirelist::WireListMessage {

// A row that gives no piece, with its row number (%d).
inline constexpr int EmptyWire = 43230;
inline constexpr int NothingMapped = 43231;
inline constexpr int RepeatedHeader = 43232;
inline constexpr int Footer = 43233;
inline constexpr int ZeroCount = 43234;
// A row read with a change, with its row number.
inline constexpr int CountNotNumber = 43235; ///< %d row, %s the cell
inline constexpr int LinesCut = 43236;       ///< %d row, %d the line limit
inline constexpr int CharactersReplaced = 43237;
inline constexpr int BlocksOverLimit = 43238; ///< %d first row left out, %d pieces, %d the block limit
// Why the rows cannot be mapped at all.
inline constexpr int NoColumns = 43239;
inline constexpr int UnknownColumnToken = 43240; ///< %s template, %s token
inline constexpr int UnbalancedBraces = 43241;   ///< %s template
inline constexpr int RoleNotAssigned = 43242;    ///< %s template, %s token
inline constexpr int ColumnNotFound = 43243;     ///< %s the column named in the profile
inline constexpr int SheetNotFound = 43244;      ///< %s
inline constexpr int TooManyTemplates = 43245;   ///< %d
inline constexpr int EmptySheet = 43246;
// Profiles.
inline constexpr int ProfileUnreadable = 43247; ///< %s file, %s the system's reason
inline constexpr int ProfileTooLarge = 43248;   ///< %s file, %d the limit in bytes
inline constexpr int ProfileBadLine = 43249;    ///< %s file, %d line
inline constexpr int ProfileNotUtf8 = 43250;    ///< %s file
inline constexpr int ProfileNotSaved = 43251;   ///< %s file, %s the system's reason
inline constexpr int ProfileSaved = 43252;      ///< %s file
// Figures of the result.
inline constexpr int BlocksUsed = 43253;  ///< %d blocks, %d limit
inline constexpr int RowsSkipped = 43254; ///< %d rows
inline constexpr int ReplacedCount = 43255; ///< %d characters
/// The names of the roles, in the order of Role (8 ids).
inline constexpr int RoleNames = 43256;

} // namespace qx::wirelist::WireListMessage
