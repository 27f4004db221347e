#include "TableReader.h"

#include "model/StringTable.h"
#include "wirelist/CsvTable.h"
#include "wirelist/OdsReader.h"
#include "wirelist/ReadContext.h"
#include "wirelist/TextDecoding.h"
#include "wirelist/XlsxReader.h"
#include "wirelist/ZipArchive.h"

#include <fstream>
#include <system_error>

namespace qx::wirelist {

namespace {

constexpr std::string_view ZipSignature = "PK\x03\x04";
constexpr std::string_view EmptyZipSignature = "PK\x05\x06";
constexpr std::string_view CompoundFileSignature = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

// A password-protected XLSX travels inside a compound file, like an old binary workbook; its
// stream names tell the two apart.
bool isEncryptedPackage(std::string_view bytes) {
    constexpr std::string_view Name{"E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32};
    return bytes.find(Name) != std::string_view::npos;
}

TableReadResult finish(ReadContext& context, Table&& table) {
    TableReadResult result;
    if (context.failed()) {
        result.messageId = context.messageId();
        result.message = context.message();
        return result;
    }
    result.ok = true;
    result.table = std::move(table);
    return result;
}

TableReadResult refuse(int messageId, std::string message) {
    TableReadResult result;
    result.messageId = messageId;
    result.message = std::move(message);
    return result;
}

void readWorkbook(std::string_view bytes, ReadContext& context, Table& table) {
    std::optional<ZipArchive> archive = ZipArchive::open(bytes);
    if (!archive) {
        context.failDamaged("zip");
        return;
    }
    if (archive->anyEncrypted()) {
        context.fail(messages::EncryptedWorkbook, model::formatMessage(messages::EncryptedWorkbook));
        return;
    }
    if (isXlsx(*archive)) {
        readXlsx(*archive, context, table);
    } else if (isOds(*archive, context)) {
        readOds(*archive, context, table);
    } else if (!context.failed()) {
        context.fail(messages::UnknownFormat, model::formatMessage(messages::UnknownFormat));
    }
}

void readText(std::string_view bytes, const TextReadOptions& options, ReadContext& context, Table& table) {
    if (!context.spendUnpacked(bytes.size())) {
        return;
    }
    std::string encoding;
    std::size_t mark = 0;
    if (options.encoding.empty()) {
        encoding = detectEncoding(bytes, mark);
    } else {
        encoding = canonicalEncoding(options.encoding);
        if (encoding.empty()) {
            context.fail(messages::UnknownEncoding,
                         model::formatMessage(messages::UnknownEncoding, {options.encoding}));
            return;
        }
        mark = markLengthOf(bytes, encoding);
    }
    if (options.separator != 0 && options.separator != ',' && options.separator != ';' &&
        options.separator != '\t' && options.separator != '|') {
        context.fail(messages::UnknownSeparator,
                     model::formatMessage(messages::UnknownSeparator, {std::string(1, options.separator)}));
        return;
    }
    const std::string text = decodeToUtf8(bytes.substr(mark), encoding);
    Sheet sheet;
    if (readDelimitedText(text, options.separator, context, sheet, table.separator)) {
        table.encoding = std::move(encoding);
        table.sheets.push_back(std::move(sheet));
    }
}

} // namespace

TableReadResult readTableBytes(std::string_view bytes, const TextReadOptions& options,
                               const TableLimits& limits) {
    ReadContext context(limits);
    Table table;
    if (bytes.starts_with(CompoundFileSignature)) {
        if (isEncryptedPackage(bytes)) {
            return refuse(messages::EncryptedWorkbook, model::formatMessage(messages::EncryptedWorkbook));
        }
        return refuse(messages::LegacyWorkbook, model::formatMessage(messages::LegacyWorkbook));
    }
    if (bytes.starts_with(ZipSignature) || bytes.starts_with(EmptyZipSignature)) {
        readWorkbook(bytes, context, table);
    } else {
        readText(bytes, options, context, table);
    }
    return finish(context, std::move(table));
}

TableReadResult readTableFile(const std::filesystem::path& path, const TextReadOptions& options,
                              const TableLimits& limits) {
    const std::string shown = path.string();
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return refuse(messages::FileNotFound, model::formatMessage(messages::FileNotFound, {shown}));
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error) {
        return refuse(messages::FileReadError, model::formatMessage(messages::FileReadError, {shown}));
    }
    if (size > limits.maxUnpackedBytes) {
        ReadContext context(limits);
        context.failTooLarge();
        return refuse(context.messageId(), context.message());
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        return refuse(messages::FileReadError, model::formatMessage(messages::FileReadError, {shown}));
    }
    TableReadResult result = readTableBytes(bytes, options, limits);
    // A text file has one sheet, named as the file is.
    if (result.ok && !result.table.encoding.empty() && result.table.sheets.size() == 1) {
        result.table.sheets[0].name = path.stem().string();
    }
    return result;
}

} // namespace qx::wirelist
