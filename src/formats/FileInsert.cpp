#include "FileInsert.h"

#include "CsvMerge.h"
#include "DocumentFile.h"
#include "ExtensionKind.h"

namespace qx::formats {

FileInsertResult insertFile(const model::EditData& current, std::string_view path,
                            std::span<const std::uint8_t> bytes, int position, const model::Catalogue& catalogue,
                            const model::OperatorSettings& settings) {
    FileInsertResult merged;
    switch (extensionKind(path)) {
    case ExtensionKind::Csv: {
        MergeResult result = mergeCsv(current, bytes, position, catalogue, settings);
        merged.ok = result.ok;
        merged.messageIds = std::move(result.report.messageIds);
        merged.data = std::move(result.data);
        return merged;
    }
    case ExtensionKind::DocumentFile: {
        MergeDocumentResult result = mergeDocumentFile(current, bytes, position, catalogue, settings);
        merged.ok = result.ok;
        merged.messageIds = result.ok ? std::move(result.messageIds) : std::vector<int>{result.messageId};
        merged.data = std::move(result.data);
        return merged;
    }
    case ExtensionKind::Other:
        break;
    }
    merged.messageIds = {CodecMessage::CannotOpen};
    return merged;
}

} // namespace qx::formats
