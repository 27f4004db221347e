#include "DocumentIo.h"

#include "ExitStatus.h"
#include "ToolContext.h"
#include "formats/CsvFile.h"
#include "formats/CsvMerge.h"
#include "formats/DocumentFile.h"
#include "formats/ExtensionKind.h"
#include "model/TargetChoice.h"
#include "model/TargetKind.h"

#include <string_view>

namespace qx::cli {

std::optional<NewDocumentOptions> newDocumentOptions(const ToolContext& context,
                                                     const Invocation& invocation) {
    const model::EditData defaults = model::createEditData(context.catalogue(), context.settings().frameGap);
    NewDocumentOptions options;
    options.targetKind = defaults.target.targetKind;
    options.targetSize = defaults.target.targetSize;
    options.printLengthMode = invocation.has(PrintLengthModeOption.name);

    const std::optional<std::string> kindText = invocation.value(TargetKindOption.name);
    const std::optional<std::string> sizeText = invocation.value(TargetSizeOption.name);
    if (kindText) {
        const std::optional<int> kind = parseInteger(*kindText);
        if (!kind) {
            context.error("--target-kind needs a number, not '" + *kindText + "'");
            return std::nullopt;
        }
        options.targetKind = *kind;
    }
    const std::optional<int> position = context.catalogue().findTarget(options.targetKind);
    if (!position) {
        context.error("target kind " + std::to_string(options.targetKind) + " is not offered by " +
                      std::string(modelDisplayName(context.model())));
        return std::nullopt;
    }
    if (options.printLengthMode && model::isLabel(options.targetKind)) {
        context.error("--print-length-mode: a label target prints only in pitch-length mode");
        return std::nullopt;
    }
    const model::TargetEntry& entry = context.catalogue().targets()[static_cast<std::size_t>(*position)];
    if (sizeText) {
        const std::optional<int> size = parseInteger(*sizeText);
        if (!size) {
            context.error("--target-size needs a number, not '" + *sizeText + "'");
            return std::nullopt;
        }
        options.targetSize = *size;
    } else if (!context.catalogue().findTargetSize(*position, options.targetSize) && !entry.sizes.empty()) {
        // A kind chosen without a size starts with its first size, as the target dialog offers it.
        options.targetSize = entry.sizes.front().value;
    }
    if (!entry.sizes.empty() && !context.catalogue().findTargetSize(*position, options.targetSize)) {
        std::string sizes;
        for (const model::TargetSize& size : entry.sizes) {
            sizes += (sizes.empty() ? "" : ", ") + std::to_string(size.value);
        }
        context.error("target size " + std::to_string(options.targetSize) +
                      " is not offered for target kind " + std::to_string(options.targetKind) +
                      " (sizes: " + sizes + ")");
        return std::nullopt;
    }
    return options;
}

model::EditData newDocument(const ToolContext& context, const NewDocumentOptions& options) {
    model::EditData data = model::createEditData(context.catalogue(), context.settings().frameGap);
    model::TargetSettings chosen = data.target;
    chosen.targetKind = static_cast<std::int16_t>(options.targetKind);
    chosen.targetSize = static_cast<std::int16_t>(options.targetSize);
    if (options.printLengthMode) {
        chosen.printMode = model::codes::Line1Marker;
    }
    model::applyChosenTarget(data, chosen, context.catalogue(), context.settings(), true);
    return data;
}

int readDocument(const ToolContext& context, const std::string& path, const NewDocumentOptions& options,
                 model::EditData& data) {
    const std::optional<std::vector<std::uint8_t>> bytes = context.readFile(path);
    if (!bytes) {
        return ExitStatus::FileFailure;
    }
    if (formats::extensionKind(path) == formats::ExtensionKind::Csv) {
        formats::MergeResult merged = formats::mergeCsv(newDocument(context, options), *bytes, -1,
                                                        context.catalogue(), context.settings());
        context.showMessages(merged.report.messageIds);
        if (!merged.ok) {
            return ExitStatus::FileFailure;
        }
        data = std::move(merged.data);
        return ExitStatus::Success;
    }
    // Like the editor, any other extension is read as a document file.
    const formats::DecodeResult loaded =
        formats::loadDocumentFile(*bytes, context.catalogue(), context.settings(), data);
    if (!loaded.ok) {
        context.showMessage(loaded.messageId);
        return ExitStatus::FileFailure;
    }
    context.showMessages(loaded.messageIds);
    return ExitStatus::Success;
}

bool isWritableKind(const ToolContext& context, const std::string& path) {
    if (formats::extensionKind(path) != formats::ExtensionKind::Other) {
        return true;
    }
    context.error("'" + path + "': the output's extension must be .QXF or .CSV");
    return false;
}

int writeDocument(const ToolContext& context, const std::string& path, const model::EditData& data) {
    switch (formats::extensionKind(path)) {
    case formats::ExtensionKind::DocumentFile: {
        const formats::SaveDocumentResult saved =
            formats::saveDocumentFile(data, context.catalogue(), context.settings());
        if (!saved.ok) {
            context.showMessage(saved.messageId);
            context.error("'" + path + "' not written: block " + std::to_string(saved.failedBlock + 1) +
                          " does not fit " + std::string(modelDisplayName(context.model())));
            return ExitStatus::FileFailure;
        }
        return context.writeFile(path, saved.bytes) ? ExitStatus::Success : ExitStatus::FileFailure;
    }
    case formats::ExtensionKind::Csv: {
        const std::string csv = formats::writeCsv(data, context.model());
        const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(csv.data()),
                                                  csv.size());
        return context.writeFile(path, bytes) ? ExitStatus::Success : ExitStatus::FileFailure;
    }
    case formats::ExtensionKind::Other:
        break;
    }
    isWritableKind(context, path);
    return ExitStatus::Usage;
}

} // namespace qx::cli
