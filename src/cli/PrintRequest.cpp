#include "PrintRequest.h"

#include "DocumentIo.h"
#include "ExitStatus.h"
#include "ToolContext.h"
#include "model/Sequences.h"
#include "model/StringTable.h"
#include "model/TargetKind.h"
#include "output/AutoCharSize.h"
#include "output/BlockMeasure.h"
#include "output/NumberField.h"
#include "output/PrintFieldCheck.h"
#include "output/PrintJob.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string_view>

namespace qx::cli {

namespace {

using model::SettingRow;

void refuseRange(const ToolContext& context, std::string_view option, const std::string& value, int messageId,
                 const std::string& message) {
    context.err() << messageId << ' ' << message << '\n';
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
    // An option is a word, not a typed field: "2.5" is no count.
    const std::optional<int> value = parseInteger(*text);
    if (!value || *value < lower || *value > upper) {
        refuseRange(context, entry.name, *text, output::MsgIntegerRange,
                    output::integerRangeMessage(lower, upper));
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

const OptionSpec& optionOf(output::PrintField field) {
    switch (field) {
    case output::PrintField::Copies:
        return CopiesOption;
    case output::PrintField::StartBlock:
        return StartOption;
    case output::PrintField::EndBlock:
        return EndOption;
    case output::PrintField::Revision:
        return RevisionOption;
    case output::PrintField::CutPosition:
        return CutOption;
    case output::PrintField::PrintOffsetY:
    case output::PrintField::None:
        break;
    }
    return OffsetOption;
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
    return output::checkForPrint(data, context.catalogue(), context.settings()).validation;
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

    // As the print dialog opens for a fresh settings store.
    output::PrintOptions o = output::printDialogStart(
        catalogue, context.model(), data,
        output::withPrintParameters(output::PrintOptions{}, context.settings().print));

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

    // The controls that are no typed fields.
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

    // The typed fields, checked as the model's print dialog checks them on OK.
    output::PrintFieldTexts typed;
    typed.copies = invocation.value(CopiesOption.name);
    typed.startBlock = invocation.value(StartOption.name);
    typed.endBlock = invocation.value(EndOption.name);
    typed.revision = invocation.value(RevisionOption.name);
    typed.cutPosition = invocation.value(CutOption.name);
    typed.printOffsetY = invocation.value(OffsetOption.name);
    const output::PrintFieldCheck check =
        output::checkPrintFields(catalogue, context.settings(), data, o, typed);
    if (!check.ok) {
        if (check.messageId == output::MsgIntegerRange || check.messageId == output::MsgDecimalRange) {
            const OptionSpec& option = optionOf(check.field);
            refuseRange(context, option.name, invocation.value(option.name).value_or(""), check.messageId,
                        check.message);
        } else {
            context.showMessage(check.messageId);
            if (check.runTooLong)
                status = ExitStatus::Invalid;
        }
        return std::nullopt;
    }
    o = check.options;
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
