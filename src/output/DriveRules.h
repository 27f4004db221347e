#pragma once

#include "model/ModelType.h"
#include "output/DriveProvider.h"
#include "output/Prompter.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The printer's file-system rules for documents on removable memory and the decisions of the
// removable-drive save dialog. Paths are UTF-8 with "/" between folders; a folder path always ends
// in "/". The dialog only forwards the operator's actions here and shows the outcome.
namespace qx::output {

/// The printer's rule for folder and file names: 1 to 8 characters, each a digit, an ASCII letter
/// or "-". Double-byte characters and every other sign are refused.
bool passesNameRule(std::string_view name);

bool equalsIgnoringCase(std::string_view a, std::string_view b); ///< ASCII letters only
bool endsWithIgnoringCase(std::string_view text, std::string_view suffix);

/// ".QXF" for "QXF" or ".QXF"; "" stays "".
std::string withLeadingDot(std::string_view extension);

/// One type of a file-type filter ("text|pattern|text|pattern||").
struct FileType {
    std::string text;      ///< shown in the type list
    std::string pattern;   ///< "*.QXF"
    std::string extension; ///< the pattern after its "*": ".QXF"; "" when it has no "*" in front

    friend bool operator==(const FileType&, const FileType&) = default;
};

/// The filter split at its vertical bars into (text, pattern) pairs; a trailing text without a
/// pattern is dropped.
std::vector<FileType> parseFileTypes(std::string_view filter);

/// The extensions of the types in filter order ("" for a pattern without "*" in front).
std::vector<std::string> typeExtensions(std::span<const FileType> types);

/// The name after the operator picked the type of `extension`: unchanged when it already ends in
/// it (letter case ignored), the other type's extension replaced when it ends in one of
/// `typeExtensions`, else `extension` appended. An empty name stays empty.
std::string applyTypeExtension(std::string_view name, std::string_view extension,
                               std::span<const std::string> typeExtensions);

/// "13,929": the decimal digits grouped by three from the right.
std::string formatFileSize(std::uintmax_t bytes);
/// "2024/03/05 09:07".
std::string formatModifiedTime(int year, int month, int day, int hour, int minute);
/// The local time of a file's modification in the form above.
std::string formatModifiedTime(std::time_t time);

/// The root of the volume that holds `path` (the longest root that is a folder prefix of it), or
/// nothing when it lies on none of them.
std::optional<std::string> volumeRootOf(std::string_view path, std::span<const RemovableVolume> volumes);

/// Levels of `folder` below `root`: 0 for the root itself, 1 for a folder directly in it; -1 when
/// `folder` does not lie below `root`.
int folderDepth(std::string_view folder, std::string_view root);

/// "DATA" for "/media/card/DATA/"; "" for "/".
std::string folderName(std::string_view folder);
/// "/media/card/" for "/media/card/DATA/"; "" for "/" or a relative name.
std::string parentFolder(std::string_view folder);
/// A folder path with exactly one "/" at its end.
std::string asFolder(std::string_view path);

/// The folder where the removable-drive save starts: the remembered `DefaultCfDrive`, tidied,
/// when it lies on one of the removable volumes; "" otherwise (a fixed disk, a pulled card, a
/// path of another system).
std::string initialDriveFolder(std::string_view defaultCfDrive, std::span<const RemovableVolume> volumes);

/// The messages that refuse a save into the root, or two or more levels down: the QX-780 reads a
/// CF card, every later model a USB memory.
int rootRefusalMessage(model::ModelType model);
int depthRefusalMessage(model::ModelType model);

/// A remembered window rectangle, stored as "left,top,right,bottom" (right and bottom exclusive).
struct DialogRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

/// Four integers separated by commas (blanks around them allowed); nothing when malformed or when
/// right or bottom lie before left or top.
std::optional<DialogRect> parseDialogRect(std::string_view text);
std::string formatDialogRect(const DialogRect& rect);

/// One file of the current folder's listing.
struct ListedFile {
    std::string name;
    std::uintmax_t size = 0;
    std::time_t modified = 0;
};

/// The files of `folder` whose names end in `extension` (letter case ignored) and whose status can
/// be read, sorted by name.
std::vector<ListedFile> listFiles(const std::string& folder, std::string_view extension);

/// The names of the folders inside `folder`, sorted by name (letter case ignored); symbolic links
/// are not followed.
std::vector<std::string> listSubfolders(const std::string& folder);

/// The readiness test before using a volume: while it is not ready, asks 42014 (Retry, Cancel).
/// True once it is ready, false when the operator cancels. No provider means no volume is ready.
bool waitForDrive(DriveProvider* drives, std::string_view root, Prompter& prompter);

/// What the operator asked to save.
struct SaveRequest {
    std::string currentFolder; ///< "" when no folder is chosen
    std::string volumeRoot;    ///< the root of the volume the current folder lies on
    std::string fileName;      ///< as typed, without folder
    std::string extension;     ///< of the selected type (".QXF")
    model::ModelType model = model::models::Default;
};

enum class SaveStep {
    FocusFolders,  ///< no folder chosen: the folder tree takes the focus
    FocusFileName, ///< no name typed: the file name edit takes the focus
    Stay,          ///< refused with a message, or the operator would not overwrite
    Accept,        ///< save to `path`
};

struct SaveOutcome {
    SaveStep step = SaveStep::Stay;
    std::string fileName; ///< the name with the type's extension once it was added
    std::string path;     ///< the full path on Accept
};

/// The save button's checks in their order: folder chosen, name typed, folder exists (42014),
/// depth exactly one (42015/42048, 42016/42049), folder name (42017), extension and file name
/// (42018), and the overwrite question (42019).
SaveOutcome decideSave(const SaveRequest& request, Prompter& prompter);

enum class FolderResult {
    Unchanged, ///< nothing to do, or the operator declined
    Done,      ///< the folder was created, renamed or deleted
    Refused,   ///< a message was shown; the tree stays as it is (reload the item after a deletion)
    Vanished,  ///< the folder no longer exists (42028 shown): remove its item
};

struct FolderOutcome {
    FolderResult result = FolderResult::Unchanged;
    std::string folder; ///< the created or renamed folder (ending in "/")
};

/// Creates the folder `name` (already through the name rule) in `currentFolder`: 42027 when it
/// exists, 42022 when it cannot be created.
FolderOutcome createFolder(std::string_view currentFolder, std::string_view name, Prompter& prompter);

/// Renames `currentFolder` to `newName` in its parent folder: nothing for the same name in other
/// letter case, 42028 when the folder is gone, 42027 when the new name exists, 42024 on failure.
/// A volume root is never renamed.
FolderOutcome renameFolder(std::string_view currentFolder, std::string_view volumeRoot,
                           std::string_view newName, Prompter& prompter);

/// Asks 42025 and deletes `currentFolder` with everything inside it: 42028 when the folder is
/// gone, 42026 when something could not be deleted. A volume root is never deleted.
FolderOutcome deleteFolder(std::string_view currentFolder, std::string_view volumeRoot, Prompter& prompter);

} // namespace qx::output
