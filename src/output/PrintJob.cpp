#include "PrintJob.h"

#include "formats/ImageCodec.h"
#include "formats/ImageConvert.h"
#include "formats/PrinterImage.h"
#include "model/Catalogue.h"
#include "model/CharCode.h"
#include "model/EditData.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <new>

namespace qx::output {

namespace {

/// Appends one header line: the text as printf formats it, then a line feed.
[[gnu::format(printf, 2, 3)]] void appendLine(std::string& header, const char* format, ...) {
    char buffer[128];
    std::va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n > 0)
        header.append(buffer, std::min(static_cast<std::size_t>(n), sizeof buffer - 1));
    header.push_back('\n');
}

constexpr std::string_view TrailerText = "\n~END_QXDATA\n";

PrintJobResult refused(PrintJobRefusal why) {
    PrintJobResult result;
    result.refusal = why;
    return result;
}

/// The header from the MACHINE line to the "~BEGIN_QXDATA" line, each line ended by its line feed.
std::string jobHeader(const PrintJobModel& row, formats::ImageVersion version,
                      const model::TargetSettings& target, const PrintOptions& o, std::size_t dataSize) {
    const std::string machine(row.machineName);
    std::string header;
    appendLine(header, "@PJL SET MACHINE=%s", machine.c_str());
    if (row.header != JobHeader::Fixed) {
        const bool printing = o.printSelect != 0;
        // The image's own mode decides, as the printer reads it from the first stream word.
        const bool blockRange = printing && target.printMode == model::codes::PitchGroupMarker;
        if (printing) {
            appendLine(header, "@PJL SET HEATVOL=%d", o.heatVol);
            appendLine(header, "@PJL SET CUTPOSADJUST=%02d", o.cutPosAdjust);
            appendLine(header, "@PJL SET FRONTFEED=%d", o.frontFeed);
            appendLine(header, "@PJL SET LOWTEMPMODE=%d", o.lowTempMode);
            appendLine(header, "@PJL SET SEQORDER=%d", o.seqOrder);
            appendLine(header, "@PJL SET PRNOFFSETY=%02d", o.prnOffsetY);
        }
        appendLine(header, "@PJL SET MEMORYSELECT=%02d", o.memorySelect);
        appendLine(header, "@PJL SET PRINTSELECT=%d", o.printSelect);
        if (blockRange) {
            appendLine(header, "@PJL SET PRINT STARTBLK=%03d", o.startBlock);
            appendLine(header, "@PJL SET PRINT ENDBLK=%03d", o.endBlock);
            appendLine(header, "@PJL SET PRINT COPIES=%02d", o.copies);
            // With AUTO pitch the printer works out the length itself: no correction to apply.
            if (target.pitchAuto == 0)
                appendLine(header, "@PJL SET PRINT REVISION=%03d", o.revision);
        }
        if (row.header == JobHeader::OptionsAndPrintType)
            appendLine(header, "@PJL SET PRINT TYPE=%01d", o.printType);
    }
    appendLine(header, "@PJL ENTER LANGUAGE=BIN");
    // One- and two-digit versions end in the same column: "QX700" and the number fill eight places.
    appendLine(header, "~FILE_VERSION=QX700  %2d.00 JPN", version);
    appendLine(header, "~DATASIZE=%zu", dataSize);
    appendLine(header, "~BEGIN_QXDATA");
    return header;
}

} // namespace

const PrintJobModel* printJobModel(model::ModelType model) {
    const auto it = std::find_if(PrintJobModels.begin(), PrintJobModels.end(),
                                 [model](const PrintJobModel& row) { return row.model == model; });
    return it == PrintJobModels.end() ? nullptr : &*it;
}

PrintJobResult BuildPrintJobFromImage(const formats::PrinterImage& image, model::ModelType model,
                                      const model::TargetSettings& target, const PrintOptions& options,
                                      std::string_view title) {
    const PrintJobModel* row = printJobModel(model);
    if (row == nullptr)
        return refused(PrintJobRefusal::UnsupportedModel);
    try {
        formats::PrinterImage sent = image;
        // The printer finds the target kind in the image's first word as well.
        const std::size_t targetKindAt =
            formats::PrinterImage::settingsOffset(formats::newest::settings::TargetKind);
        sent.setWord(formats::newest::FirstWord, sent.word(targetKindAt));

        const formats::VersionText text = sent.versionText();
        const formats::ImageVersion version = formats::versionFromText(text);
        if (version < row->lowestAccepted || version > row->highestAccepted)
            return refused(PrintJobRefusal::VersionMismatch);

        const std::vector<std::uint8_t> payload = formats::convertToLayout(sent, row->layout);
        const std::string header = jobHeader(*row, version, target, options, payload.size());

        // One block of exactly the job's length, filled front to back.
        const std::size_t length =
            2 * UniversalExit.size() + header.size() + payload.size() + TrailerText.size();
        PrintJobResult result;
        result.bytes.assign(length, 0);
        auto at = result.bytes.begin();
        at = std::copy(UniversalExit.begin(), UniversalExit.end(), at);
        at = std::copy(header.begin(), header.end(), at);
        at = std::copy(payload.begin(), payload.end(), at);
        at = std::copy(TrailerText.begin(), TrailerText.end(), at);
        std::copy(UniversalExit.begin(), UniversalExit.end(), at);
        result.ok = true;
        result.jobName = std::string(title);
        return result;
    } catch (const std::bad_alloc&) {
        return refused(PrintJobRefusal::OutOfMemory);
    }
}

PrintJobResult BuildPrintJob(const model::EditData& data, const model::Catalogue& catalogue,
                             const model::OperatorSettings& settings, const PrintOptions& options,
                             std::string_view title) {
    if (printJobModel(catalogue.model()) == nullptr)
        return refused(PrintJobRefusal::UnsupportedModel);
    try {
        formats::PrinterImage image;
        const formats::EncodeResult encoded = formats::encodeImage(data, catalogue, settings, image);
        if (!encoded.ok) {
            PrintJobResult result = refused(PrintJobRefusal::Encoder);
            result.messageId = encoded.messageId;
            result.failedBlock = encoded.failedBlock;
            result.failedLine = encoded.failedLine;
            return result;
        }
        return BuildPrintJobFromImage(image, catalogue.model(), data.target, options, title);
    } catch (const std::bad_alloc&) {
        return refused(PrintJobRefusal::OutOfMemory);
    }
}

} // namespace qx::output
