#include "PrintSettingsStore.h"

#include "PrintOptions.h"
#include "ProfileIni.h"

#include "formats/AtomicFile.h"
#include "model/Catalogue.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <set>
#include <unistd.h>

namespace qx::output {

namespace {

using model::SettingRange;
using model::SettingRow;

constexpr std::size_t ProfileBufferSize = 128;             // the read buffer of every profile value
constexpr std::uintmax_t LongestProfileFile = 1024 * 1024; // far beyond six sets; a bigger file is not ours

constexpr std::string_view IndexSection = "Index";
constexpr std::string_view CountKey = "Count";
constexpr std::string_view SectionPrefix = "Section";

int clampTo(int value, int lower, int upper) {
    // Lower bound first, then the upper one, so a row with lower > upper ends at its upper bound.
    value = std::max(value, lower);
    return std::min(value, upper);
}

std::int16_t low16(int value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<unsigned>(value) & 0xFFFFu));
}

std::int16_t storedValue(const std::optional<int>& stored, const SettingRange& row, int lower, int upper) {
    if (!stored) {
        return static_cast<std::int16_t>(row.defaultValue);
    }
    return static_cast<std::int16_t>(clampTo(low16(*stored), lower, upper));
}

/// A whole decimal integer (one optional sign, at least one digit, nothing else), saturated far
/// outside every setting row.
std::optional<int> wholeDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        number = std::min(number * 10 + (c - '0'), 1000000);
    }
    return negative ? -number : number;
}

/// "Section%d" with i as printf writes it: the names the loader can reach. Returns the index.
std::optional<int> sectionIndex(std::string_view name) {
    if (name.size() <= SectionPrefix.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < SectionPrefix.size(); ++i) {
        const char c = name[i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        const char expected = SectionPrefix[i] >= 'A' && SectionPrefix[i] <= 'Z'
                                  ? static_cast<char>(SectionPrefix[i] - 'A' + 'a')
                                  : SectionPrefix[i];
        if (lower != expected) {
            return std::nullopt;
        }
    }
    const std::string_view digits = name.substr(SectionPrefix.size());
    if (digits.size() > 9 || (digits.size() > 1 && digits.front() == '0')) {
        return std::nullopt;
    }
    int index = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        index = index * 10 + (c - '0');
    }
    return index;
}

/// Drops one leading "{" and one trailing "}"; a "}" that is the second byte of a double-byte
/// character belongs to that character and stays.
std::string withoutBraces(std::string name) {
    if (!name.empty() && name.front() == '{') {
        name.erase(0, 1);
    }
    if (!name.empty() && name.back() == '}') {
        std::size_t i = 0;
        bool trailByte = false;
        while (i < name.size()) {
            const bool lead = isShiftJisLeadByte(static_cast<unsigned char>(name[i]));
            trailByte = lead && i + 1 == name.size() - 1;
            i += lead ? 2 : 1;
        }
        if (!trailByte) {
            name.pop_back();
        }
    }
    return name;
}

std::int16_t readSetting(const ProfileIni& ini, const std::string& section, std::string_view key,
                         const SettingRange& row, int defaultValue) {
    const std::string text = ini.readString(section, key, "", ProfileBufferSize);
    const std::optional<int> number = wholeDecimal(text);
    return static_cast<std::int16_t>(number ? clampTo(*number, row.lower, row.upper) : defaultValue);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::string text(
        static_cast<std::size_t>(error ? LongestProfileFile : std::min(size, LongestProfileFile)), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

std::error_code lastError() {
    return std::error_code(errno, std::system_category());
}

/// A new file "kav…" in the temporary folder holding the text, or the reason there is none.
std::optional<std::filesystem::path> writeTemporary(const std::string& text, std::error_code& error) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (error) {
        return std::nullopt;
    }
    std::string pattern = (folder / "kavXXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error = lastError();
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            error = lastError();
            ::close(fd);
            ::unlink(pattern.c_str());
            return std::nullopt;
        }
        done += static_cast<std::size_t>(written);
    }
    if (::close(fd) != 0) {
        error = lastError();
        ::unlink(pattern.c_str());
        return std::nullopt;
    }
    return std::filesystem::path(pattern);
}

} // namespace

model::PrintParameters printParametersFromStore(const StoredPrintValues& stored,
                                                const model::Catalogue& catalogue) {
    const SettingRange& cut = catalogue.settingRange(SettingRow::CutPosition);
    const SettingRange& offsetY = catalogue.settingRange(SettingRow::PrintOffsetY);
    const SettingRange& heat = catalogue.settingRange(SettingRow::HeatVolume);
    const SettingRange& frontFeed = catalogue.settingRange(SettingRow::FrontFeed);
    const SettingRange& lowTemp = catalogue.settingRange(SettingRow::LowTempMode);
    const SettingRange& seqOrder = catalogue.settingRange(SettingRow::SeqOrder);

    // The cut position and the vertical position are read as stored: the print dialog shows them
    // in their fields and refuses a value outside the range when it is confirmed, rather than
    // printing a silently changed one. The switches and the density have controls that cannot
    // show a value outside their range; those are held within it. The rows of the low-speed mode
    // and the sequence order hold only their default (0 to 0); the stored form of all three
    // switches is 0 or 1, and clamping to those rows would throw away the operator's choice.
    model::PrintParameters p;
    p.cutPosition = stored[0] ? low16(*stored[0]) : static_cast<std::int16_t>(cut.defaultValue);
    p.printOffsetY = stored[1] ? low16(*stored[1]) : static_cast<std::int16_t>(offsetY.defaultValue);
    p.frontFeed = storedValue(stored[2], frontFeed, 0, 1);
    p.lowTempMode = storedValue(stored[3], lowTemp, 0, 1);
    p.seqOrder = storedValue(stored[4], seqOrder, 0, 1);
    p.heatVolume = storedValue(stored[5], heat, heat.lower, heat.upper);
    return p;
}

std::array<std::pair<std::string_view, int>, 6> printValuesForStore(const model::PrintParameters& p) {
    return {{
        {PrintValueNames[0], p.cutPosition},
        {PrintValueNames[1], p.printOffsetY},
        {PrintValueNames[2], p.frontFeed},
        {PrintValueNames[3], p.lowTempMode},
        {PrintValueNames[4], p.seqOrder},
        {PrintValueNames[5], p.heatVolume},
    }};
}

PrintSettingEntry PrintSettingEntry::defaults(const model::Catalogue& catalogue) {
    PrintSettingEntry entry;
    entry.heatVol = static_cast<std::int16_t>(catalogue.settingRange(SettingRow::HeatVolume).defaultValue);
    entry.cutPos = static_cast<std::int16_t>(catalogue.settingRange(SettingRow::CutPosition).defaultValue -
                                             CutPositionOffset);
    entry.offsetY = static_cast<std::int16_t>(catalogue.settingRange(SettingRow::PrintOffsetY).defaultValue -
                                              PrintOffsetYOffset);
    return entry;
}

std::vector<PrintSettingEntry> parsePrintSettings(std::string_view profileText,
                                                  const model::Catalogue& catalogue) {
    const ProfileIni ini = ProfileIni::parse(profileText);
    const int count = ini.readInt(IndexSection, CountKey, 0);

    // Only the sections present can carry a name, so the walk over 0 … Count - 1 visits just
    // those, in index order: a huge Count costs nothing.
    std::set<int> indexes;
    for (const std::string& name : ini.sectionNames()) {
        const std::optional<int> index = sectionIndex(name);
        if (index && *index < count) {
            indexes.insert(*index);
        }
    }

    const PrintSettingEntry fallback = PrintSettingEntry::defaults(catalogue);
    const SettingRange& heat = catalogue.settingRange(SettingRow::HeatVolume);
    const SettingRange& cut = catalogue.settingRange(SettingRow::CutPosition);
    const SettingRange& offsetY = catalogue.settingRange(SettingRow::PrintOffsetY);

    std::vector<PrintSettingEntry> entries;
    for (const int index : indexes) {
        if (entries.size() >= MaxPrintSettingEntries) {
            break; // later sets would be dropped anyway
        }
        const std::string section = std::string(SectionPrefix) + std::to_string(index);
        PrintSettingEntry entry;
        entry.name = withoutBraces(ini.readString(section, "Name", "", ProfileBufferSize));
        const bool repeated = std::any_of(entries.begin(), entries.end(),
                                          [&](const PrintSettingEntry& e) { return e.name == entry.name; });
        if (entry.name.empty() || repeated) {
            continue;
        }
        entry.heatVol = readSetting(ini, section, "HeatVol", heat, fallback.heatVol);
        entry.cutPos = readSetting(ini, section, "CutPos", cut, fallback.cutPos);
        entry.offsetY = readSetting(ini, section, "OffsetY", offsetY, fallback.offsetY);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string formatPrintSettings(std::span<const PrintSettingEntry> entries) {
    ProfileIni ini;
    ini.write(IndexSection, CountKey, std::to_string(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const PrintSettingEntry& entry = entries[i];
        const std::string section = std::string(SectionPrefix) + std::to_string(i);
        ini.write(section, "Name", "{" + entry.name + "}");
        ini.write(section, "HeatVol", std::to_string(entry.heatVol));
        ini.write(section, "CutPos", std::to_string(entry.cutPos));
        ini.write(section, "OffsetY", std::to_string(entry.offsetY));
    }
    return ini.text();
}

std::vector<PrintSettingEntry> LoadPrintSettings(const std::filesystem::path& folder,
                                                 const model::Catalogue& catalogue) {
    if (folder.empty()) {
        return {};
    }
    const std::optional<std::string> text = readWholeFile(folder / PrintSettingsFileName);
    return text ? parsePrintSettings(*text, catalogue) : std::vector<PrintSettingEntry>{};
}

PrintSettingsSaveResult SavePrintSettings(const std::filesystem::path& folder,
                                          std::span<const PrintSettingEntry> entries) {
    using Status = PrintSettingsSaveResult::Status;
    if (folder.empty()) {
        return {Status::FolderFailed, std::make_error_code(std::errc::no_such_file_or_directory)};
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error && !std::filesystem::is_directory(folder, error) && !error) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        return {Status::FolderFailed, error};
    }

    const std::optional<std::filesystem::path> temporary =
        writeTemporary(formatPrintSettings(entries), error);
    if (!temporary) {
        return {Status::NotWritten, error};
    }
    // Copying the temporary file over the real one goes through a file beside it that is renamed
    // into place, so an interrupted copy never leaves a cut-off set list behind.
    PrintSettingsSaveResult result{Status::Saved, {}};
    const std::optional<std::string> copy = readWholeFile(*temporary);
    if (!copy) {
        result = {Status::NotWritten, std::make_error_code(std::errc::io_error)};
    } else {
        const formats::FileWriteResult written =
            formats::saveFileAtomically((folder / PrintSettingsFileName).string(), std::string_view(*copy));
        if (!written.ok) {
            result = {Status::NotWritten, std::error_code(written.errorNumber, std::system_category())};
        }
    }
    std::filesystem::remove(*temporary, error);
    return result;
}

void showSaveFailure(const PrintSettingsSaveResult& result, Prompter& prompter) {
    if (result.status == PrintSettingsSaveResult::Status::FolderFailed) {
        prompter.showText(SystemMessage, result.reason(), Icon::Error);
    }
}

namespace {

/// One "$HOME/…" or "/…" value of a user-dirs line between its double quotes, with the shell's
/// backslash escapes; nothing when the quoting is broken or the value has control characters.
std::optional<std::string> userDirValue(std::string_view value, const std::filesystem::path& home) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"')
        return std::nullopt;
    value = value.substr(1, value.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c == '\\') {
            if (++i == value.size())
                return std::nullopt;
            c = value[i];
        } else if (c == '"' || c == '`') {
            return std::nullopt; // a second quoted word or a command: not a plain path
        }
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return std::nullopt;
        text += c;
    }
    constexpr std::string_view Home = "$HOME";
    if (text.starts_with(Home) && (text.size() == Home.size() || text[Home.size()] == '/')) {
        if (home.empty())
            return std::nullopt;
        return home.string() + text.substr(Home.size());
    }
    if (!text.starts_with('/') || text.find('$') != std::string::npos)
        return std::nullopt;
    return text;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::optional<std::filesystem::path> documentsFolderFromUserDirs(std::string_view text,
                                                                 const std::filesystem::path& home) {
    constexpr std::string_view Key = "XDG_DOCUMENTS_DIR=";
    std::optional<std::filesystem::path> found;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        if (!line.starts_with(Key))
            continue;
        if (const std::optional<std::string> value = userDirValue(line.substr(Key.size()), home))
            found = std::filesystem::path(*value);
    }
    return found;
}

std::filesystem::path userDocumentsFolder() {
    if (const std::string documents = environment("XDG_DOCUMENTS_DIR"); !documents.empty())
        return documents;
    const std::string home = environment("HOME");
    if (home.empty())
        return {};
    std::filesystem::path config = environment("XDG_CONFIG_HOME");
    if (config.empty() || config.is_relative())
        config = std::filesystem::path(home) / ".config";
    // The file is the user's, but read no more of it than a user-dirs file ever holds.
    constexpr std::size_t MaxUserDirsBytes = 64 * 1024;
    std::ifstream in(config / "user-dirs.dirs", std::ios::binary);
    if (in) {
        std::string text(MaxUserDirsBytes, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        if (const std::optional<std::filesystem::path> named = documentsFolderFromUserDirs(text, home))
            return *named;
    }
    return std::filesystem::path(home) / "Documents";
}

std::filesystem::path printSettingsFolder(const std::filesystem::path& documents,
                                          const model::Catalogue& catalogue) {
    std::filesystem::path folder = documents / "KAV";
    for (const model::Choice& choice : catalogue.choiceList(0)) {
        if (choice.value == catalogue.model()) {
            folder /= std::string(choice.text);
            break;
        }
    }
    return folder;
}

std::filesystem::path defaultPrintSettingsFolder(const model::OperatorSettings& settings,
                                                 const model::Catalogue& catalogue) {
    const std::filesystem::path documents = settings.documentsFolder.empty()
                                                ? userDocumentsFolder()
                                                : std::filesystem::path(settings.documentsFolder);
    return documents.empty() ? std::filesystem::path() : printSettingsFolder(documents, catalogue);
}

} // namespace qx::output
