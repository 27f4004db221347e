#include "DriveRules.h"

#include "model/StringTable.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace qx::output {

namespace fs = std::filesystem;

namespace {

// Message numbers of the removable-drive save.
constexpr int DriveNotReady = 42014;
constexpr int CardRootRefused = 42015;
constexpr int CardDepthRefused = 42016;
constexpr int BadFolderName = 42017;
constexpr int BadFileName = 42018;
constexpr int OverwriteQuestion = 42019;
constexpr int FolderCreateFailed = 42022;
constexpr int FolderRenameFailed = 42024;
constexpr int FolderDeleteQuestion = 42025;
constexpr int FolderDeleteFailed = 42026;
constexpr int FolderExists = 42027;
constexpr int FolderNotFound = 42028;
constexpr int UsbRootRefused = 42048;
constexpr int UsbDepthRefused = 42049;

constexpr std::size_t MaxNameLength = 8;

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isDirectory(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool lessIgnoringCase(const std::string& a, const std::string& b) {
    const auto cmp = [](char x, char y) { return lowerAscii(x) < lowerAscii(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), cmp)) {
        return true;
    }
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), cmp)) {
        return false;
    }
    return a < b; // a stable order for names that differ only in case
}

std::string withoutTrailingSlash(std::string_view folder) {
    std::string path(folder);
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

Answer tell(Prompter& prompter, int id, Icon icon = Icon::Default) {
    return prompter.prompt(Prompt{id, {}, Buttons::Ok, icon});
}

Answer ask(Prompter& prompter, int id, std::string_view argument, Buttons buttons, Icon icon) {
    return prompter.prompt(Prompt{id, model::formatMessage(id, {argument}), buttons, icon});
}

bool parseInt(std::string_view text, int& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

bool passesNameRule(std::string_view name) {
    if (name.empty() || name.size() > MaxNameLength) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
    });
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string withLeadingDot(std::string_view extension) {
    if (extension.empty() || extension.front() == '.') {
        return std::string(extension);
    }
    return "." + std::string(extension);
}

std::vector<FileType> parseFileTypes(std::string_view filter) {
    std::vector<std::string_view> parts;
    std::size_t pos = 0;
    while (pos <= filter.size()) {
        const std::size_t bar = std::min(filter.find('|', pos), filter.size());
        parts.push_back(filter.substr(pos, bar - pos));
        pos = bar + 1;
    }
    std::vector<FileType> types;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) {
            break; // the "||" that ends the filter
        }
        FileType type{std::string(parts[i]), std::string(parts[i + 1]), {}};
        if (type.pattern.starts_with('*')) {
            type.extension = type.pattern.substr(1);
        }
        types.push_back(std::move(type));
    }
    return types;
}

std::vector<std::string> typeExtensions(std::span<const FileType> types) {
    std::vector<std::string> extensions;
    for (const FileType& type : types) {
        extensions.push_back(type.extension);
    }
    return extensions;
}

std::string applyTypeExtension(std::string_view name, std::string_view extension,
                               std::span<const std::string> typeExtensions) {
    if (name.empty() || extension.empty() || endsWithIgnoringCase(name, extension)) {
        return std::string(name);
    }
    for (const std::string& other : typeExtensions) {
        if (!other.empty() && name.size() > other.size() && endsWithIgnoringCase(name, other)) {
            return std::string(name.substr(0, name.size() - other.size())) + std::string(extension);
        }
    }
    return std::string(name) + std::string(extension);
}

std::string formatFileSize(std::uintmax_t bytes) {
    const std::string digits = std::to_string(bytes);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            out += ',';
        }
        out += digits[i];
    }
    return out;
}

std::string formatModifiedTime(int year, int month, int day, int hour, int minute) {
    char text[64];
    std::snprintf(text, sizeof text, "%d/%02d/%02d %02d:%02d", year, month, day, hour, minute);
    return text;
}

std::string formatModifiedTime(std::time_t time) {
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return {};
    }
    return formatModifiedTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                              local.tm_min);
}

std::optional<std::string> volumeRootOf(std::string_view path, std::span<const RemovableVolume> volumes) {
    const std::string folder = asFolder(path);
    std::optional<std::string> best;
    for (const RemovableVolume& volume : volumes) {
        const std::string root = asFolder(volume.root);
        if (folder.starts_with(root) && (!best || root.size() > best->size())) {
            best = root;
        }
    }
    return best;
}

int folderDepth(std::string_view folder, std::string_view root) {
    const std::string path = asFolder(folder);
    const std::string base = asFolder(root);
    if (base.empty() || !path.starts_with(base)) {
        return -1;
    }
    // Every level below the root adds one "/" (a UTF-8 byte sequence never contains one).
    return static_cast<int>(
        std::count(path.begin() + static_cast<std::ptrdiff_t>(base.size()), path.end(), '/'));
}

std::string folderName(std::string_view folder) {
    const std::string path = withoutTrailingSlash(folder);
    const std::size_t slash = path.find_last_of('/');
    if (path == "/" || slash == std::string::npos) {
        return path == "/" ? std::string() : path;
    }
    return path.substr(slash + 1);
}

std::string parentFolder(std::string_view folder) {
    const std::string path = withoutTrailingSlash(folder);
    const std::size_t slash = path.find_last_of('/');
    if (path == "/" || slash == std::string::npos) {
        return {};
    }
    return path.substr(0, slash + 1);
}

std::string asFolder(std::string_view path) {
    if (path.empty()) {
        return {};
    }
    std::string folder = withoutTrailingSlash(path);
    if (folder != "/") {
        folder += '/';
    }
    return folder;
}

std::string initialDriveFolder(std::string_view defaultCfDrive, std::span<const RemovableVolume> volumes) {
    if (defaultCfDrive.empty() || defaultCfDrive.front() != '/') {
        return {};
    }
    const std::string tidy = asFolder(fs::path(defaultCfDrive).lexically_normal().generic_string());
    return volumeRootOf(tidy, volumes) ? tidy : std::string();
}

int rootRefusalMessage(model::ModelType model) {
    return model == model::models::QX780 ? CardRootRefused : UsbRootRefused;
}

int depthRefusalMessage(model::ModelType model) {
    return model == model::models::QX780 ? CardDepthRefused : UsbDepthRefused;
}

std::optional<DialogRect> parseDialogRect(std::string_view text) {
    int values[4] = {};
    std::size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',', pos) : text.size();
        if (comma == std::string_view::npos || !parseInt(text.substr(pos, comma - pos), values[i])) {
            return std::nullopt;
        }
        pos = comma + 1;
    }
    const DialogRect rect{values[0], values[1], values[2], values[3]};
    if (rect.right < rect.left || rect.bottom < rect.top) {
        return std::nullopt;
    }
    return rect;
}

std::string formatDialogRect(const DialogRect& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom);
}

std::vector<ListedFile> listFiles(const std::string& folder, std::string_view extension) {
    std::vector<ListedFile> files;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!endsWithIgnoringCase(name, extension)) {
            continue;
        }
        std::error_code statusError;
        if (!it->is_regular_file(statusError) || statusError) {
            continue;
        }
        const std::uintmax_t size = it->file_size(statusError);
        if (statusError) {
            continue;
        }
        const fs::file_time_type written = it->last_write_time(statusError);
        if (statusError) {
            continue;
        }
        const auto systemTime = fs::file_time_type::clock::to_sys(written);
        files.push_back({name, size, std::chrono::system_clock::to_time_t(systemTime)});
    }
    std::sort(files.begin(), files.end(),
              [](const ListedFile& a, const ListedFile& b) { return lessIgnoringCase(a.name, b.name); });
    return files;
}

std::vector<std::string> listSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code statusError;
        if (it->is_symlink(statusError) || !it->is_directory(statusError)) {
            continue;
        }
        names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

bool waitForDrive(DriveProvider* drives, std::string_view root, Prompter& prompter) {
    while (drives == nullptr || !drives->isReady(root)) {
        if (ask(prompter, DriveNotReady, root, Buttons::RetryCancel, Icon::Error) != Answer::Retry) {
            return false;
        }
    }
    return true;
}

SaveOutcome decideSave(const SaveRequest& request, Prompter& prompter) {
    SaveOutcome outcome;
    outcome.fileName = request.fileName;
    if (request.currentFolder.empty()) {
        outcome.step = SaveStep::FocusFolders;
        return outcome;
    }
    if (request.fileName.empty()) {
        outcome.step = SaveStep::FocusFileName;
        return outcome;
    }
    const std::string folder = asFolder(request.currentFolder);
    const int depth = folderDepth(folder, request.volumeRoot);
    if (depth < 0 || !isDirectory(folder)) {
        const std::string root = depth < 0 ? folder : asFolder(request.volumeRoot);
        ask(prompter, DriveNotReady, root, Buttons::Ok, Icon::Error);
        return outcome;
    }
    if (depth == 0) {
        tell(prompter, rootRefusalMessage(request.model));
        return outcome;
    }
    if (depth >= 2) {
        tell(prompter, depthRefusalMessage(request.model));
        return outcome;
    }
    if (!passesNameRule(folderName(folder))) {
        tell(prompter, BadFolderName);
        return outcome;
    }
    if (!endsWithIgnoringCase(outcome.fileName, request.extension)) {
        outcome.fileName += request.extension;
    }
    const std::string_view stem =
        std::string_view(outcome.fileName).substr(0, outcome.fileName.size() - request.extension.size());
    if (!passesNameRule(stem)) {
        tell(prompter, BadFileName);
        return outcome;
    }
    const std::string path = folder + outcome.fileName;
    if (exists(path) &&
        ask(prompter, OverwriteQuestion, path, Buttons::YesNo, Icon::Warning) != Answer::Yes) {
        return outcome;
    }
    outcome.step = SaveStep::Accept;
    outcome.path = path;
    return outcome;
}

FolderOutcome createFolder(std::string_view currentFolder, std::string_view name, Prompter& prompter) {
    if (!passesNameRule(name)) {
        tell(prompter, BadFolderName);
        return {FolderResult::Refused, {}};
    }
    const std::string folder = asFolder(currentFolder) + std::string(name);
    if (exists(folder)) {
        tell(prompter, FolderExists, Icon::Error);
        return {FolderResult::Refused, {}};
    }
    std::error_code error;
    if (!fs::create_directory(folder, error) || error) {
        tell(prompter, FolderCreateFailed);
        return {FolderResult::Refused, {}};
    }
    return {FolderResult::Done, asFolder(folder)};
}

FolderOutcome renameFolder(std::string_view currentFolder, std::string_view volumeRoot,
                           std::string_view newName, Prompter& prompter) {
    const std::string folder = asFolder(currentFolder);
    if (folderDepth(folder, volumeRoot) <= 0 || equalsIgnoringCase(folderName(folder), newName)) {
        return {FolderResult::Unchanged, {}};
    }
    if (!passesNameRule(newName)) {
        tell(prompter, BadFolderName);
        return {FolderResult::Refused, {}};
    }
    if (!isDirectory(folder)) {
        tell(prompter, FolderNotFound);
        return {FolderResult::Vanished, {}};
    }
    const std::string target = parentFolder(folder) + std::string(newName);
    if (exists(target)) {
        tell(prompter, FolderExists, Icon::Error);
        return {FolderResult::Refused, {}};
    }
    std::error_code error;
    fs::rename(withoutTrailingSlash(folder), target, error);
    if (error) {
        tell(prompter, FolderRenameFailed);
        return {FolderResult::Refused, {}};
    }
    return {FolderResult::Done, asFolder(target)};
}

FolderOutcome deleteFolder(std::string_view currentFolder, std::string_view volumeRoot, Prompter& prompter) {
    const std::string folder = asFolder(currentFolder);
    // Deleting a volume's root would empty the whole card and still fail on the mount point.
    if (folderDepth(folder, volumeRoot) <= 0) {
        return {FolderResult::Unchanged, {}};
    }
    if (!isDirectory(folder)) {
        tell(prompter, FolderNotFound);
        return {FolderResult::Vanished, {}};
    }
    const std::string shown = withoutTrailingSlash(folder);
    if (ask(prompter, FolderDeleteQuestion, shown, Buttons::YesNo, Icon::Warning) != Answer::Yes) {
        return {FolderResult::Unchanged, {}};
    }
    std::error_code error;
    fs::remove_all(shown, error); // does not follow symbolic links out of the folder
    if (exists(shown)) {
        tell(prompter, FolderDeleteFailed);
        return {FolderResult::Refused, {}};
    }
    return {FolderResult::Done, {}};
}

} // namespace qx::output
