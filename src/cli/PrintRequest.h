#pragma once

#include "Invocation.h"
#include "model/EditData.h"
#include "output/OutputValidation.h"
#include "output/PrintJob.h"
#include "output/PrintOptions.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qx::cli {

class ToolContext;

// The job options of the job and print commands, in the operator's shown form.
inline constexpr OptionSpec SendOption{
    "--send", "", "", "a send job: store the document in the printer instead of printing it"};
inline constexpr OptionSpec CopiesOption{"--copies", "", "N", "print: number of copies (default 1)"};
inline constexpr OptionSpec StartOption{"--start", "", "N", "print: first block, from 1 (default 1)"};
inline constexpr OptionSpec EndOption{"--end", "", "N", "print: last block (default the last block)"};
inline constexpr OptionSpec RevisionOption{"--revision", "", "MM",
                                           "print: total-length correction in mm, one decimal (default 0.0)"};
inline constexpr OptionSpec MemoryOption{"--memory", "", "N",
                                         "send: store in document memory N instead of the input document"};
inline constexpr OptionSpec HeatOption{"--heat", "", "N", "print: print density, 1 to 8 (default 4)"};
inline constexpr OptionSpec CutOption{"--cut", "", "MM",
                                      "print: cut position in mm, -2.0 to 2.0 (default 0.0)"};
inline constexpr OptionSpec OffsetOption{"--offset", "", "N", "print: vertical print position (default 0)"};
inline constexpr OptionSpec FrontFeedOption{"--front-feed", "", "", "print: blank feed at the head"};
inline constexpr OptionSpec LowSpeedOption{"--low-speed", "", "", "print: low-speed mode (tube targets)"};
inline constexpr OptionSpec SeqOrderOption{"--seq-order", "", "0|1",
                                           "print: 0 count first (11 22 33), 1 sequence first (123 123)"};
inline constexpr OptionSpec TypeOption{"--type", "", "N",
                                       "print, QX-900W2 and later: 0 normal, 1 rotated 180 degrees"};

/// The document as the print command validates it: the block and document results computed as
/// the editor keeps them current, every block's automatic size resolved, then ValidateForOutput.
output::ValidationResult validateAsPrintCommand(const ToolContext& context, const model::EditData& data);

/// The blocks (0-based) whose own check finds an error (pitch-length mode), in block order.
std::vector<std::pair<int, output::OutputError>> blockErrors(const ToolContext& context,
                                                             const model::EditData& data);

/// Prints the message line of a failed validation and "block N" (1-based) on `blockStream`.
void reportValidation(const ToolContext& context, const output::ValidationResult& result,
                      std::ostream& blockStream);

/// The PrintOptions of a print or send job, starting as the print dialog starts them for a fresh
/// settings store and checked as the dialog checks its fields. Nothing after a report; `status` is
/// then the exit status (a usage error for a value out of range, a validation failure for a run
/// too long to print).
std::optional<output::PrintOptions> jobOptions(const ToolContext& context, const Invocation& invocation,
                                               const model::EditData& data, bool send, int& status);

/// A document made ready for its print or send job.
struct PreparedJob {
    model::EditData data;
    output::PrintOptions options;
    bool send = false; ///< --send: a send job
};

/// Reads the one document argument (a CSV one with the new-document options), takes the job
/// options and, for a print job, validates the document as the print command does; only a send
/// job skips the check, since storing a document only has to fit the encoder's limits. Nothing
/// after a report; `status` is then the exit status.
std::optional<PreparedJob> prepareJob(const ToolContext& context, const Invocation& invocation, int& status);

/// Reports a job that was not built: the encoder's message and the failed block, or the reason.
/// Returns the exit status.
int reportRefusedJob(const ToolContext& context, const output::PrintJobResult& job);

/// The title a document read from `path` has in the editor: its file name.
std::string documentTitle(const std::string& path);

} // namespace qx::cli
