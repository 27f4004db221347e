#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qx::output {
class Prompter;
}

namespace qx::app {

/// No document or CSV file the editor reads comes near this; anything bigger is not one of ours.
inline constexpr std::size_t MaxReadFileBytes = std::size_t{64} * 1024 * 1024;

/// The whole contents of a file, or why it could not be read.
struct FileBytes {
    bool ok = false;
    int errorNumber = 0;   ///< the system's error number when !ok and !tooLarge
    bool tooLarge = false; ///< larger than the limit: not read at all
    std::vector<std::uint8_t> bytes;
};

/// Reads a regular file whole (a folder or device is refused with EISDIR or EINVAL).
FileBytes readFileBytes(const std::string& path, std::size_t limit = MaxReadFileBytes);

/// What was being done with a file when it failed.
enum class FileOperation {
    Open,  ///< opening or reading a file for a document
    Write, ///< creating or writing the file of a save
};

/// The framework's file message for a system error: the specific cause when the system names one
/// (not found 61729, disk full 61730, in use or no access 61731 when reading and 61732 when
/// writing, an input/output error 61733 or 61734, a bad name 61696), otherwise the operation's
/// default (61697 opening, 61698 writing).
int fileErrorMessageId(FileOperation operation, int errorNumber);

/// The message's text with the file's path in place of %1 (UTF-8).
std::string fileErrorText(FileOperation operation, int errorNumber, const QString& path);

/// Shows the file message with the exclamation icon.
void reportFileError(output::Prompter& prompter, FileOperation operation, int errorNumber, const QString& path);

} // namespace qx::app
