#include "PrintRequest.h"

#include "DocumentIo.h"
#include "ExitStatus.h"
#include "ToolContext.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TargetKind.h"
#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"
#include "output/PrintJob.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string_view>

namespace qx::cli {

namespace {

using model::SettingRow;

constexpr int MsgIntegerRange = 42040;
constexpr int MsgDecimalRange = 42041;
constexpr int MsgStartAfterEnd = 42050;
constexpr int MsgTotalLength = 42051;
constexpr int MsgCopiesTotalLength = 42053;

/// A number typed as the dialogs take it ("^-?[0-9]+(\.[0-9]*)?$"): its tenths, truncated toward
/// zero, and whether digits beyond the tenths make the value larger in magnitude.
struct Decimal {
    long long tenths = 0;
    bool beyondTenths = false;
};

std::optional<Decimal> parseDecimal(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    // Far beyond every range; keeps the arithmetic clear of overflow.
    if (whole.empty() || whole.size() > 9 || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    Decimal d;
    for (const char c : whole)
        d.tenths = d.tenths * 10 + (c - '0');
    d.tenths = d.tenths * 10 + (fraction.empty() ? 0 : fraction.front() - '0');
    d.beyondTenths = fraction.size() > 1 && fraction.find_first_not_of('0', 1) != std::string_view::npos;
    if (negative)
        d.tenths = -d.tenths;
    return d;
}

void refuseIntegerRange(const ToolContext& context, std::string_view option, const std::string& value,
                        int lower, int upper) {
    context.err() << MsgIntegerRange << ' ' << model::formatMessage(MsgIntegerRange, {lower, upper}) << '\n';
    context.error(std::string(option) + " " + value + " is refused");
}

void refuseDecimalRange(const ToolContext& context, std::string_view option, const std::string& value,
                        long long lowerTenths, long long upperTenths) {
    context.err() << MsgDecimalRange << ' '
                  << model::formatMessage(MsgDecimalRange, {static_cast<double>(lowerTenths) / 10.0,
                                                            static_cast<double>(upperTenths) / 10.0})
                  << '\n';
    context.error(std::string(option) + " " + value + " is refused");
}

/// The integer value of an option within [lower, upper]; reports and gives nothing otherwise.
/// `present` tells whether the option was given at all.
struct IntegerOption {
    bool present = false;
    bool ok = true;
    int value = 0;
};

IntegerOption integerOption(const ToolContext& context, const Invocation& invocation, const OptionSpec& entry,
                            int lower, int upper) {
    IntegerOption result;
    const std::optional<std::string> text = invocation.value(entry.name);
    if (!text)
        return result;
    result.present = true;
    const std::optional<int> value = parseInteger(*text);
    if (!value || *value < lower || *value > upper) {
        refuseIntegerRange(context, entry.name, *text, lower, upper);
        result.ok = false;
        return result;
    }
    result.value = *value;
    return result;
}

IntegerOption rowOption(const ToolContext& context, const Invocation& invocation, const OptionSpec& entry,
                        SettingRow row) {
    const model::SettingRange& range = context.catalogue().settingRange(row);
    return integerOption(context, invocation, entry, range.lower, range.upper);
}

std::int16_t narrow(long long value) {
    return static_cast<std::int16_t>(std::clamp<long long>(value, INT16_MIN, INT16_MAX));
}

/// A block's continuous count as the print dialog counts it: the rotated pattern prints every
/// piece twice.
int effectiveCount(const model::EditBlock& block, int printType) {
    return printType == 1 ? block.count * 2 : block.count;
}

/// Total length of the chosen blocks [first, end) in tenths of a millimetre, and their pieces.
struct RunTotal {
    std::int64_t tenths = 0;
    std::int64_t pieces = 0;
};

std::int64_t dotsToTenthsRounded(std::int64_t dots) {
    return (dots * 845 + 500) / 1000;
}

RunTotal runTotal(const ToolContext& context, const model::EditData& data, int first, int end,
                  int printType) {
    const model::Catalogue& catalogue = context.catalogue();
    const model::TargetSettings& target = data.target;
    RunTotal total;
    if (target.pitchAuto != 1) {
        for (int b = first; b < end; ++b) {
            const model::EditBlock& block = data.block(b);
            const std::int64_t pieces =
                std::int64_t{model::blockPieceCount(block)} * effectiveCount(block, printType);
            total.tenths += pieces * block.pitch;
            total.pieces += pieces;
        }
        return total;
    }
    // AUTO pitch: every piece is as long as its text with margins, at least the default pitch.
    const int minimumTenths =
        model::isTubeTarget(target) ? context.settings().pitchLenTube : context.settings().pitchLenTape;
    const std::int64_t minimum = model::tenthsToDotsRounded(minimumTenths);
    std::int64_t dots = 0;
    for (int b = first; b < end; ++b) {
        model::EditBlock resolved = data.block(b);
        output::ResolveAutoCharSize(catalogue, target, resolved, output::NoPiece);
        const output::BlockExtent margins = output::autoPitchMargins(catalogue, target, resolved);
        std::int64_t blockDots = 0;
        for (const output::PieceRun& run : output::measurePieceRuns(catalogue, target, resolved)) {
            const std::int64_t piece = std::max<std::int64_t>(run.extent.length + margins.length, minimum);
            blockDots += piece * run.pieceCount;
        }
        dots += blockDots * effectiveCount(resolved, printType);
        total.pieces += std::int64_t{model::blockPieceCount(resolved)} * effectiveCount(resolved, printType);
    }
    total.tenths = dotsToTenthsRounded(dots);
    return total;
}

/// The longest run that one print job may repeat over its copies, in millimetres.
int copiesLimit(const ToolContext& context, const model::TargetSettings& target) {
    if (model::isLabel(target.targetKind))
        return 1000;
    if (model::isTubeTarget(target))
        return context.model() == model::models::QX790 ? 50000 : 100000;
    return 7000;
}

bool refuseOption(const ToolContext& context, const Invocation& invocation, const OptionSpec& entry,
                  std::string_view reason) {
    if (!invocation.has(entry.name))
        return false;
    context.error(std::string(entry.name) + " is not used " + std::string(reason));
    return true;
}

std::optional<output::PrintOptions> sendOptions(const ToolContext& context, const Invocation& invocation,
                                                int& status) {
    status = ExitStatus::Usage;
    for (const OptionSpec* entry :
         {&CopiesOption, &StartOption, &EndOption, &RevisionOption, &HeatOption, &CutOption, &OffsetOption,
          &FrontFeedOption, &LowSpeedOption, &SeqOrderOption, &TypeOption}) {
        if (refuseOption(context, invocation, *entry, "by send jobs"))
            return std::nullopt;
    }
    // A transfer carries no machine parameters: the zeroed record, with the document memory.
    output::PrintOptions options;
    const IntegerOption memory = rowOption(context, invocation, MemoryOption, SettingRow::MemoryNumber);
    if (!memory.ok)
        return std::nullopt;
    options.memorySelect = narrow(memory.present ? memory.value : 0);
    status = ExitStatus::Success;
    return options;
}

} // namespace

output::ValidationResult validateAsPrintCommand(const ToolContext& context, const model::EditData& data) {
    model::EditData copy = data;
    const int blocks = output::usedBlockCount(copy);
    // The editor keeps these results current on every change; a copy of the document has none.
    output::ComputeBlockResults(copy, context.catalogue(), context.settings(), 0, blocks);
    output::ComputeDocumentResult(copy, context.catalogue());
    for (int b = 0; b < blocks; ++b)
        output::ResolveAutoCharSize(context.catalogue(), copy.target, copy.block(b), output::NoPiece);
    return output::ValidateForOutput(copy, context.catalogue());
}

std::vector<std::pair<int, output::OutputError>> blockErrors(const ToolContext& context,
                                                             const model::EditData& data) {
    std::vector<std::pair<int, output::OutputError>> errors;
    if (!data.target.isPitchLengthMode())
        return errors;
    const int blocks = output::usedBlockCount(data);
    for (int b = 0; b < blocks; ++b) {
        const output::OutputError error =
            output::checkBlock(context.catalogue(), context.settings(), data, b);
        if (error != output::OutputError::None)
            errors.emplace_back(b, error);
    }
    return errors;
}

void reportValidation(const ToolContext& context, const output::ValidationResult& result,
                      std::ostream& blockStream) {
    context.showMessage(result.messageId);
    blockStream << "block " << result.block + 1 << '\n';
}

std::optional<output::PrintOptions> jobOptions(const ToolContext& context, const Invocation& invocation,
                                               const model::EditData& data, bool send, int& status) {
    if (send)
        return sendOptions(context, invocation, status);
    status = ExitStatus::Usage;
    if (context.model() == model::models::QX780) {
        context.error("the " + std::string(modelDisplayName(context.model())) +
                      " takes no print jobs; give --send to store the document in it");
        return std::nullopt;
    }
    if (refuseOption(context, invocation, MemoryOption, "by print jobs"))
        return std::nullopt;

    const model::Catalogue& catalogue = context.catalogue();
    const model::TargetSettings& target = data.target;
    const bool pitchLength = target.isPitchLengthMode();
    const bool tube = model::isTubeTarget(target);
    const int blocks = std::max(output::usedBlockCount(data), 1);

    // As the print dialog opens for a fresh settings store.
    output::PrintOptions o = output::withPrintParameters(output::PrintOptions{}, context.settings().print);
    o.printSelect = 1;
    o.startBlock = 1;
    o.endBlock = narrow(blocks);
    o.copies = 1;
    o.revision = output::storedRevision(catalogue.settingRange(SettingRow::LengthRevision).defaultValue);
    if (context.model() >= 2 && !tube)
        o.lowTempMode = 0;

    if (!pitchLength) {
        for (const OptionSpec* entry : {&CopiesOption, &StartOption, &EndOption, &RevisionOption}) {
            if (refuseOption(context, invocation, *entry, "in print-length mode"))
                return std::nullopt;
        }
    } else if (target.pitchAuto == 1 &&
               refuseOption(context, invocation, RevisionOption, "with AUTO pitch")) {
        return std::nullopt;
    }
    if (model::isLabel(target.targetKind) &&
        refuseOption(context, invocation, CopiesOption, "on label targets (one copy)"))
        return std::nullopt;
    if (context.model() >= 2 && !tube && refuseOption(context, invocation, LowSpeedOption, "on this target"))
        return std::nullopt;
    if (!model::isLaterGeneration(context.model()) &&
        refuseOption(context, invocation, TypeOption,
                     "by the " + std::string(modelDisplayName(context.model()))))
        return std::nullopt;

    // The fields, in the order the dialog checks them.
    const IntegerOption copies = rowOption(context, invocation, CopiesOption, SettingRow::Copies);
    if (!copies.ok)
        return std::nullopt;
    const int firstBlock = catalogue.settingRange(SettingRow::FirstBlock).lower;
    const IntegerOption start = integerOption(context, invocation, StartOption, firstBlock, blocks);
    if (!start.ok)
        return std::nullopt;
    const int lastBlock = catalogue.settingRange(SettingRow::LastBlock).lower;
    const IntegerOption end = integerOption(context, invocation, EndOption, lastBlock, blocks);
    if (!end.ok)
        return std::nullopt;
    if (copies.present)
        o.copies = narrow(copies.value);
    if (start.present)
        o.startBlock = narrow(start.value);
    if (end.present)
        o.endBlock = narrow(end.value);

    if (const std::optional<std::string> text = invocation.value(CutOption.name)) {
        const model::SettingRange& range = catalogue.settingRange(SettingRow::CutPosition);
        const std::optional<Decimal> cut = parseDecimal(*text);
        const bool inside =
            cut && cut->tenths >= range.lower && cut->tenths <= range.upper &&
            !(cut->beyondTenths && (cut->tenths == range.lower || cut->tenths == range.upper));
        if (!inside) {
            refuseDecimalRange(context, CutOption.name, *text, range.lower, range.upper);
            return std::nullopt;
        }
        o.cutPosAdjust = output::storedCutPosition(static_cast<int>(cut->tenths));
    }
    const IntegerOption offset = rowOption(context, invocation, OffsetOption, SettingRow::PrintOffsetY);
    if (!offset.ok)
        return std::nullopt;
    if (offset.present)
        o.prnOffsetY = output::storedPrintOffsetY(offset.value);
    const IntegerOption heat = rowOption(context, invocation, HeatOption, SettingRow::HeatVolume);
    if (!heat.ok)
        return std::nullopt;
    if (heat.present)
        o.heatVol = narrow(heat.value);
    // Two radio buttons: the settings row holds only the default.
    const IntegerOption order = integerOption(context, invocation, SeqOrderOption, 0, 1);
    if (!order.ok)
        return std::nullopt;
    if (order.present)
        o.seqOrder = narrow(order.value);
    // The dialog offers the normal and the rotated pattern; the cross-ferrule ones stay hidden.
    const IntegerOption type = integerOption(context, invocation, TypeOption, 0, 1);
    if (!type.ok)
        return std::nullopt;
    if (type.present && type.value != 0 && !(pitchLength && tube)) {
        context.error("--type " + std::to_string(type.value) + " needs a tube target in pitch-length mode");
        return std::nullopt;
    }
    if (type.present)
        o.printType = narrow(type.value);
    if (invocation.has(FrontFeedOption.name))
        o.frontFeed = 1;
    if (invocation.has(LowSpeedOption.name))
        o.lowTempMode = 1;

    if (pitchLength) {
        if (o.startBlock > o.endBlock) {
            context.showMessage(MsgStartAfterEnd);
            return std::nullopt;
        }
        const int first = o.startBlock - 1;
        const int last = o.endBlock;
        model::EditData counted = data;
        for (int b = first; b < last; ++b)
            counted.block(b).count = narrow(effectiveCount(counted.block(b), o.printType));
        if (output::checkRunLength(catalogue, context.settings(), counted, first, last).error !=
            output::OutputError::None) {
            context.showMessage(MsgTotalLength);
            status = ExitStatus::Invalid;
            return std::nullopt;
        }
        const RunTotal total = runTotal(context, data, first, last, o.printType);
        if (std::int64_t{copiesLimit(context, target)} * 10 < total.tenths * o.copies) {
            context.showMessage(MsgCopiesTotalLength);
            status = ExitStatus::Invalid;
            return std::nullopt;
        }
        if (target.pitchAuto != 1) {
            const model::SettingRange& range = catalogue.settingRange(SettingRow::LengthRevision);
            const long long upper = std::min<long long>(range.upper, total.tenths * 5 / 100);
            const long long lower = std::max<long long>(range.lower, -3 * total.pieces);
            if (const std::optional<std::string> text = invocation.value(RevisionOption.name)) {
                const std::optional<Decimal> revision = parseDecimal(*text);
                if (!revision || revision->tenths < lower || revision->tenths > upper) {
                    refuseDecimalRange(context, RevisionOption.name, *text, lower, upper);
                    return std::nullopt;
                }
                o.revision = output::storedRevision(static_cast<int>(revision->tenths));
            }
        }
    }
    status = ExitStatus::Success;
    return o;
}

std::optional<PreparedJob> prepareJob(const ToolContext& context, const Invocation& invocation, int& status) {
    status = ExitStatus::Usage;
    const std::optional<NewDocumentOptions> options = newDocumentOptions(context, invocation);
    if (!options)
        return std::nullopt;
    PreparedJob job;
    status = readDocument(context, invocation.arguments.at(0), *options, job.data);
    if (status != ExitStatus::Success)
        return std::nullopt;
    job.send = invocation.has(SendOption.name);
    std::optional<output::PrintOptions> chosen = jobOptions(context, invocation, job.data, job.send, status);
    if (!chosen)
        return std::nullopt;
    job.options = *chosen;
    if (!job.send) {
        const output::ValidationResult result = validateAsPrintCommand(context, job.data);
        if (!result.ok()) {
            reportValidation(context, result, context.err());
            status = ExitStatus::Invalid;
            return std::nullopt;
        }
    }
    status = ExitStatus::Success;
    return job;
}

int reportRefusedJob(const ToolContext& context, const output::PrintJobResult& job) {
    switch (job.refusal) {
    case output::PrintJobRefusal::Encoder:
        context.showMessage(job.messageId);
        context.err() << "block " << job.failedBlock + 1 << '\n';
        return ExitStatus::Invalid;
    case output::PrintJobRefusal::UnsupportedModel:
        context.error("the selected model takes no jobs");
        break;
    case output::PrintJobRefusal::VersionMismatch:
        context.error("the image version does not suit the selected model");
        break;
    case output::PrintJobRefusal::OutOfMemory:
        context.error("out of memory");
        break;
    case output::PrintJobRefusal::None:
        break;
    }
    return ExitStatus::FileFailure;
}

std::string documentTitle(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    return name.empty() ? path : name;
}

} // namespace qx::cli
