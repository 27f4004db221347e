#pragma once

#include "Invocation.h"
#include "model/EditData.h"

#include <optional>
#include <string>

namespace qx::cli {

class ToolContext;

// Options that set up the new document a CSV file is read into (the editor's target dialog).
inline constexpr OptionSpec TargetKindOption{"--target-kind", "", "K",
                                             "target kind of a document read from CSV (a TargetKind code)"};
inline constexpr OptionSpec TargetSizeOption{"--target-size", "", "S",
                                             "target size of a document read from CSV (a size of that kind)"};
inline constexpr OptionSpec PrintLengthModeOption{"--print-length-mode", "", "",
                                                  "read CSV into a print-length-mode document"};

/// How a new document from CSV is set up.
struct NewDocumentOptions {
    int targetKind = 0;
    int targetSize = 0;
    bool printLengthMode = false;
};

/// The new-document options of the command line, checked against the model's target list; an
/// error has been reported when nothing is returned (a usage error).
std::optional<NewDocumentOptions> newDocumentOptions(const ToolContext& context,
                                                     const Invocation& invocation);

/// The record of a new document with that target: the record a CSV file is opened into.
model::EditData newDocument(const ToolContext& context, const NewDocumentOptions& options);

/// Reads a document as the editor opens it: a .CSV file by merging it at position −1 into a new
/// document, anything else as a document file. Prints the messages; returns the exit status and
/// fills `data` on success.
int readDocument(const ToolContext& context, const std::string& path, const NewDocumentOptions& options,
                 model::EditData& data);

/// Whether the path names a kind of file that can be written (.QXF or .CSV); reports it if not.
bool isWritableKind(const ToolContext& context, const std::string& path);

/// Writes the document by the path's extension: .QXF as a document file in the model's layout,
/// .CSV as CSV, both through the atomic save. Returns the exit status.
int writeDocument(const ToolContext& context, const std::string& path, const model::EditData& data);

} // namespace qx::cli
