#include "ImportProfileStore.h"

#include "HeaderRow.h"
#include "WireListMessages.h"

#include "formats/AtomicFile.h"
#include "model/StringTable.h"
#include "model/TextConversion.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace qx::wirelist {

namespace {

constexpr std::size_t MaxProfileFiles = 500;
constexpr std::size_t MaxFileNameBytes = 60;
constexpr std::string_view Extension = ".ini";
constexpr std::string_view DefaultFileName = "配線リスト";

} // namespace

ProfileReadResult readImportProfileFile(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    ProfileReadResult result;
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(path, error);
    const std::uintmax_t size = regular ? std::filesystem::file_size(path, error) : 0;
    if (error || !regular) {
        result.messageId = WireListMessage::ProfileUnreadable;
        result.message = model::formatMessage(result.messageId,
                                              {name, error ? error.message() : std::strerror(EISDIR)});
        return result;
    }
    if (size > MaxProfileBytes) {
        result.messageId = WireListMessage::ProfileTooLarge;
        result.message = model::formatMessage(result.messageId, {name, static_cast<int>(MaxProfileBytes)});
        return result;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(MaxProfileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || (!in && !in.eof())) {
        result.messageId = WireListMessage::ProfileUnreadable;
        result.message = model::formatMessage(result.messageId, {name, std::strerror(errno)});
        return result;
    }
    // The file may have grown since its size was asked; the text's own bound decides.
    text.resize(static_cast<std::size_t>(in.gcount()));
    return readImportProfile(text, name);
}

std::string profileFileName(std::string_view name) {
    std::string out;
    for (std::size_t pos = 0; pos < name.size();) {
        const std::size_t length = std::max<std::size_t>(1, model::wellFormedUtf8Length(name, pos));
        if (out.size() + length > MaxFileNameBytes) {
            break;
        }
        const auto c = static_cast<unsigned char>(name[pos]);
        const bool bad = model::wellFormedUtf8Length(name, pos) == 0 || c < 0x20 || c == 0x7F ||
                         std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos;
        if (bad) {
            out.push_back('_');
        } else {
            out.append(name.substr(pos, length));
        }
        pos += length;
    }
    // Blanks and dots at the ends make names other systems refuse or hide.
    while (!out.empty() && (out.back() == ' ' || out.back() == '.')) {
        out.pop_back();
    }
    while (!out.empty() && (out.front() == ' ' || out.front() == '.')) {
        out.erase(out.begin());
    }
    if (out.empty()) {
        out = DefaultFileName;
    }
    return out + std::string(Extension);
}

std::vector<ImportProfileStore::Entry> ImportProfileStore::list(std::vector<std::string>* problems) const {
    std::vector<std::filesystem::path> paths;
    std::error_code error;
    std::filesystem::directory_iterator it(m_folder, error);
    for (; !error && it != std::filesystem::directory_iterator() && paths.size() < MaxProfileFiles;
         it.increment(error)) {
        if (it->path().extension() == Extension) {
            paths.push_back(it->path());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<Entry> entries;
    for (const std::filesystem::path& path : paths) {
        ProfileReadResult read = readImportProfileFile(path);
        if (read.ok) {
            entries.push_back({path, std::move(read.profile)});
        } else if (problems != nullptr) {
            problems->push_back(std::move(read.message));
        }
    }
    return entries;
}

std::optional<ImportProfileStore::Entry> ImportProfileStore::findFor(std::span<const std::string> header) const {
    const std::vector<std::string> signature = headerSignature(header);
    if (signature.empty()) {
        return std::nullopt;
    }
    for (Entry& entry : list()) {
        if (headerSignature(entry.profile.header) == signature) {
            return std::move(entry);
        }
    }
    return std::nullopt;
}

ImportProfileStore::SaveResult ImportProfileStore::save(const ImportProfile& profile) const {
    SaveResult result;
    result.path = m_folder / profileFileName(profile.name);
    const std::string shown = result.path.filename().string();
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    if (error) {
        result.messageId = WireListMessage::ProfileNotSaved;
        result.message = model::formatMessage(result.messageId, {shown, error.message()});
        return result;
    }
    const formats::FileWriteResult written =
        formats::saveFileAtomically(result.path.string(), writeImportProfile(profile));
    if (!written.ok) {
        result.messageId = WireListMessage::ProfileNotSaved;
        result.message = model::formatMessage(result.messageId, {shown, written.reason});
        return result;
    }
    result.ok = true;
    result.messageId = WireListMessage::ProfileSaved;
    result.message = model::formatMessage(result.messageId, {shown});
    return result;
}

} // namespace qx::wirelist
