#include "Command.h"
#include "DocumentIo.h"
#include "ExitStatus.h"
#include "ToolContext.h"

#include "wirelist/ImportProfileStore.h"
#include "wirelist/ReadContext.h"
#include "wirelist/TableReader.h"
#include "wirelist/TextDecoding.h"
#include "wirelist/WireListImport.h"
#include "wirelist/WireListMessages.h"

#include "model/StringTable.h"

#include <ostream>

namespace qx::cli {

namespace {

using wirelist::messages::UnknownEncoding;
using wirelist::messages::UnknownSeparator;

constexpr OptionSpec OutputOption{"--output", "-o", "OUT", "the document written (.QXF or .CSV)"};
constexpr OptionSpec SheetOption{"--sheet", "", "NAME|N", "the sheet of a workbook, by name or number from 1"};
constexpr OptionSpec ProfileOption{"--profile", "", "FILE", "an import profile saved by the editor"};
constexpr OptionSpec EndsOption{"--ends", "", "source|target|both", "the ends of a wire that become pieces"};
constexpr OptionSpec LineOption{"--line", "", "TEMPLATE",
                                "a line of each piece, up to four times: {wire} {here} {there} {Header} …"};
constexpr OptionSpec CountOption{"--count", "", "COLUMN", "the column that holds the count of each piece"};
constexpr OptionSpec RoleOption{"--role", "", "ROLE=COLUMN",
                                "a role's column by hand, roles named as in a profile ('-': none)"};
constexpr OptionSpec MergeOption{"--merge", "", "", "identical pieces one after the other become one block"};
constexpr OptionSpec EncodingOption{"--encoding", "", "NAME", "of a text file: UTF-8, UTF-16LE, UTF-16BE, CP932, CP1252"};
constexpr OptionSpec SeparatorOption{"--separator", "", "C", "of a text file: , ; | or tab"};
constexpr OptionSpec DryRunOption{"--dry-run", "", "", "print the pieces and the skipped rows, write nothing"};
constexpr OptionSpec Options[] = {OutputOption,  SheetOption,     ProfileOption,   EndsOption,     LineOption,
                                  CountOption,   RoleOption,      MergeOption,     EncodingOption, SeparatorOption,
                                  DryRunOption,  TargetKindOption, TargetSizeOption, PrintLengthModeOption};

/// The command line's choices over those of the profile; false after reporting a usage error.
bool applyOptions(const ToolContext& context, const Invocation& invocation, wirelist::ImportProfile& profile) {
    std::vector<std::string> lines;
    for (const auto& [name, value] : invocation.options) {
        if (name == LineOption.name) {
            lines.push_back(value);
        } else if (name == RoleOption.name) {
            const std::size_t equals = value.find('=');
            const std::optional<wirelist::Role> role =
                equals == std::string::npos ? std::nullopt : wirelist::roleFromKey(value.substr(0, equals));
            if (!role || equals + 1 == value.size()) {
                context.error("--role needs ROLE=COLUMN, not '" + value + "'");
                return false;
            }
            profile.role(*role) = value.substr(equals + 1);
        }
    }
    if (lines.size() > static_cast<std::size_t>(wirelist::MaxTemplates)) {
        context.error("--line may be given at most " + std::to_string(wirelist::MaxTemplates) + " times");
        return false;
    }
    if (!lines.empty()) {
        profile.lines = std::move(lines);
    }
    if (const std::optional<std::string> sheet = invocation.value(SheetOption.name)) {
        profile.sheet = *sheet;
    }
    if (const std::optional<std::string> ends = invocation.value(EndsOption.name)) {
        profile.ends = wirelist::endsFromKey(*ends);
        if (!profile.ends) {
            context.error("--ends takes source, target or both, not '" + *ends + "'");
            return false;
        }
    }
    if (const std::optional<std::string> count = invocation.value(CountOption.name)) {
        profile.role(wirelist::Role::Count) = *count;
    }
    if (invocation.has(MergeOption.name)) {
        profile.merge = true;
    }
    // The reader's own messages tell what it takes.
    if (const std::optional<std::string> encoding = invocation.value(EncodingOption.name)) {
        profile.encoding = wirelist::canonicalEncoding(*encoding);
        if (profile.encoding.empty()) {
            context.showMessage(UnknownEncoding, model::formatMessage(UnknownEncoding, {*encoding}));
            return false;
        }
    }
    if (const std::optional<std::string> separator = invocation.value(SeparatorOption.name)) {
        const std::optional<char> c = wirelist::separatorChar(*separator);
        if (!c) {
            context.showMessage(UnknownSeparator, model::formatMessage(UnknownSeparator, {*separator}));
            return false;
        }
        profile.separator = *c;
    }
    return true;
}

int runImport(ToolContext& context, const Invocation& invocation) {
    if (invocation.arguments.size() != 1) {
        context.error("import needs one FILE");
        return ExitStatus::Usage;
    }
    const bool dryRun = invocation.has(DryRunOption.name);
    const std::optional<std::string> output = invocation.value(OutputOption.name);
    if (!dryRun && !output) {
        context.error("import needs -o OUT, or --dry-run");
        return ExitStatus::Usage;
    }
    if (output && !isWritableKind(context, *output)) {
        return ExitStatus::Usage;
    }
    const std::optional<NewDocumentOptions> documentOptions = newDocumentOptions(context, invocation);
    if (!documentOptions) {
        return ExitStatus::Usage;
    }
    wirelist::ImportProfile profile;
    if (const std::optional<std::string> path = invocation.value(ProfileOption.name)) {
        wirelist::ProfileReadResult read = wirelist::readImportProfileFile(*path);
        if (!read.ok) {
            context.showMessage(read.messageId, read.message);
            return ExitStatus::FileFailure;
        }
        profile = std::move(read.profile);
    }
    if (!applyOptions(context, invocation, profile)) {
        return ExitStatus::Usage;
    }

    const wirelist::TableReadResult read =
        wirelist::readTableFile(invocation.arguments[0], {profile.encoding, profile.separator});
    if (!read.ok) {
        context.showMessage(read.messageId, read.message);
        return ExitStatus::FileFailure;
    }
    const std::optional<std::size_t> sheet = wirelist::findSheet(read.table, profile.sheet);
    if (!sheet) {
        const int id = read.table.sheets.empty() ? wirelist::WireListMessage::EmptySheet
                                                 : wirelist::WireListMessage::SheetNotFound;
        context.showMessage(id, model::formatMessage(id, {profile.sheet}));
        return read.table.sheets.empty() ? ExitStatus::FileFailure : ExitStatus::Usage;
    }
    const wirelist::SheetMapping mapping = wirelist::mapSheet(read.table.sheets[*sheet], profile);
    if (!mapping.ok) {
        context.showMessage(mapping.messageId, mapping.message);
        return ExitStatus::Usage;
    }
    if (dryRun) {
        context.out() << wirelist::listPieces(mapping);
        return ExitStatus::Success;
    }
    for (const wirelist::RowNote& note : mapping.skipped) {
        context.showMessage(note.messageId, note.text);
    }
    for (const wirelist::RowNote& note : mapping.notices) {
        context.showMessage(note.messageId, note.text);
    }
    if (mapping.pieces.empty()) {
        context.showMessage(wirelist::WireListMessage::EmptySheet);
        return ExitStatus::FileFailure;
    }
    const model::EditData document = newDocument(context, *documentOptions);
    const wirelist::PieceInsert inserted =
        wirelist::insertPieces(document, -1, mapping.pieces, context.catalogue(), context.settings());
    for (const wirelist::RowNote& note : inserted.notices) {
        context.showMessage(note.messageId, note.text);
    }
    context.showMessages(inserted.merge.report.messageIds);
    if (!inserted.merge.ok) {
        return ExitStatus::FileFailure;
    }
    return writeDocument(context, *output, inserted.merge.data);
}

} // namespace

const Command& importCommand() {
    static constexpr Command command{
        "import",
        "FILE -o OUT",
        "make a document from a wire list (CSV, TSV, TXT, XLSX or ODS)",
        "Reads the wire list FILE, finds its header row and the roles of its columns (wire number,\n"
        "source and target device and terminal, count), makes a piece for the source end, the\n"
        "target end or both ends of every wire, and writes the pieces as the blocks of a new\n"
        "document to OUT (.QXF or .CSV). A profile saved by the editor's wire-list import sets\n"
        "everything at once; the options override it. Rows without a wire number or with nothing\n"
        "to print are skipped and reported on standard error with their row numbers, as are pieces\n"
        "beyond the model's block limit. --dry-run prints the pieces instead, one a line with their\n"
        "lines joined by tabs, then the skipped rows as '# ' lines.",
        Options,
        runImport};
    return command;
}

} // namespace qx::cli
