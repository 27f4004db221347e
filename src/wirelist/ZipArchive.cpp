#include "ZipArchive.h"

#include <zip.h>

#include <array>

namespace qx::wirelist {

namespace {

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
struct ArchiveDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct FileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

constexpr std::size_t ChunkBytes = 64 * 1024;

} // namespace

struct ZipArchive::Handles {
    std::unique_ptr<zip_t, ArchiveDiscard> archive; // owns its source once open
};

ZipArchive::ZipArchive(std::unique_ptr<Handles> handles) : m_handles(std::move(handles)) {}
ZipArchive::ZipArchive(ZipArchive&&) noexcept = default;
ZipArchive& ZipArchive::operator=(ZipArchive&&) noexcept = default;
ZipArchive::~ZipArchive() = default;

std::optional<ZipArchive> ZipArchive::open(std::string_view bytes) {
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceFree> source(
        zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error));
    zip_error_fini(&error);
    if (!source) {
        return std::nullopt;
    }
    zip_error_init(&error);
    zip_t* archive = zip_open_from_source(source.get(), ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        return std::nullopt;
    }
    (void)source.release(); // the archive frees it now
    auto handles = std::make_unique<Handles>();
    handles->archive.reset(archive);
    return ZipArchive(std::move(handles));
}

std::optional<std::string> ZipArchive::find(std::string_view name) const {
    const std::string key(name);
    zip_int64_t index = zip_name_locate(m_handles->archive.get(), key.c_str(), 0);
    if (index < 0) {
        index = zip_name_locate(m_handles->archive.get(), key.c_str(), ZIP_FL_NOCASE);
    }
    if (index < 0) {
        return std::nullopt;
    }
    const char* stored = zip_get_name(m_handles->archive.get(), static_cast<zip_uint64_t>(index), 0);
    return stored != nullptr ? std::optional<std::string>(stored) : std::nullopt;
}

bool ZipArchive::anyEncrypted() const {
    zip_t* archive = m_handles->archive.get();
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) == 0 &&
            (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && stat.encryption_method != ZIP_EM_NONE) {
            return true;
        }
    }
    return false;
}

bool ZipArchive::read(std::string_view name, ReadContext& context,
                      const std::function<bool(std::string_view)>& sink) const {
    const std::string key(name);
    zip_t* archive = m_handles->archive.get();
    const zip_int64_t index = zip_name_locate(archive, key.c_str(), 0);
    if (index < 0) {
        return context.failDamaged(name);
    }
    std::unique_ptr<zip_file_t, FileClose> file(
        zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
    if (!file) {
        return context.failDamaged(name);
    }
    std::array<char, ChunkBytes> buffer;
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) {
            return context.failDamaged(name); // a bad checksum or a broken deflate stream
        }
        if (got == 0) {
            return !context.failed();
        }
        const auto size = static_cast<std::size_t>(got);
        if (!context.spendUnpacked(size) || !sink(std::string_view(buffer.data(), size))) {
            return false;
        }
    }
}

bool ZipArchive::readAll(std::string_view name, ReadContext& context, std::string& out) const {
    out.clear();
    return read(name, context, [&out](std::string_view chunk) {
        out.append(chunk);
        return true;
    });
}

} // namespace qx::wirelist
