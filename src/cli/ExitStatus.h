#pragma once

namespace qx::cli {

/// The exit statuses of qxtool, stable for scripts.
namespace ExitStatus {
inline constexpr int Success = 0;     ///< informational messages (42005, 42045 …) may have been printed
inline constexpr int Usage = 1;       ///< bad command line
inline constexpr int FileFailure = 2; ///< a file could not be read or written, or was refused
inline constexpr int Invalid = 3;     ///< the document failed a validation (reserved for checking commands)
} // namespace ExitStatus

} // namespace qx::cli
