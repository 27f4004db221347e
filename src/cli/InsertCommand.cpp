#include "Command.h"
#include "DocumentIo.h"
#include "ExitStatus.h"
#include "ToolContext.h"
#include "formats/FileInsert.h"

namespace qx::cli {

namespace {

constexpr OptionSpec AtOption{"--at", "", "N", "insert before block N (0-based; the block count appends)"};
constexpr OptionSpec OutputOption{"--output", "-o", "OUT", "where the merged document is written"};
constexpr OptionSpec Options[] = {AtOption, OutputOption, TargetKindOption, TargetSizeOption,
                                  PrintLengthModeOption};

int runInsert(ToolContext& context, const Invocation& invocation) {
    if (invocation.arguments.size() != 2) {
        context.error("insert needs DOC and FILE");
        return ExitStatus::Usage;
    }
    const std::optional<std::string> atText = invocation.value(AtOption.name);
    const std::optional<std::string> output = invocation.value(OutputOption.name);
    if (!atText || !output) {
        context.error("insert needs --at N and -o OUT");
        return ExitStatus::Usage;
    }
    const std::optional<int> at = parseInteger(*atText);
    if (!at) {
        context.error("--at needs a block number, not '" + *atText + "'");
        return ExitStatus::Usage;
    }
    if (!isWritableKind(context, *output)) {
        return ExitStatus::Usage;
    }
    const std::optional<NewDocumentOptions> options = newDocumentOptions(context, invocation);
    if (!options) {
        return ExitStatus::Usage;
    }
    model::EditData document;
    int status = readDocument(context, invocation.arguments[0], *options, document);
    if (status != ExitStatus::Success) {
        return status;
    }
    if (*at < 0 || *at > document.blockCount) {
        context.error("--at " + std::to_string(*at) + " is outside the document: it has " +
                      std::to_string(document.blockCount) + " blocks (0 to " +
                      std::to_string(document.blockCount) + " allowed)");
        return ExitStatus::Usage;
    }
    const std::string& path = invocation.arguments[1];
    const std::optional<std::vector<std::uint8_t>> bytes = context.readFile(path);
    if (!bytes) {
        return ExitStatus::FileFailure;
    }
    const formats::FileInsertResult merged =
        formats::insertFile(document, path, *bytes, *at, context.catalogue(), context.settings());
    context.showMessages(merged.messageIds);
    if (!merged.ok) {
        return ExitStatus::FileFailure;
    }
    return writeDocument(context, *output, merged.data);
}

} // namespace

const Command& insertCommand() {
    static constexpr Command command{
        "insert",
        "DOC FILE --at N -o OUT",
        "file insert: merge a .QXF or .CSV file into a document",
        "Reads DOC as dump does, inserts the blocks of FILE (.QXF or .CSV) before block N and writes the\n"
        "result to OUT (.QXF or .CSV). Blocks beyond the model's block limit are dropped (42005); a\n"
        "result with more sequence numbers than the model allows is refused (42007) and nothing is\n"
        "written. From CSV, counts and pitches are read in pitch-length mode only.",
        Options,
        runInsert};
    return command;
}

} // namespace qx::cli
