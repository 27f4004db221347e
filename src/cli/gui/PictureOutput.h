#pragma once

#include "cli/Invocation.h"
#include "model/EditData.h"

#include <QImage>

#include <optional>
#include <string>

namespace qx::cli {

class ToolContext;

inline constexpr OptionSpec OutputOption{"--output", "-o", "OUT", "the picture to write (.png, or .pdf where offered)"};
inline constexpr OptionSpec ScaleOption{"--scale", "", "S", "pixels per printer dot (default 1; 0.1 to 16)"};

/// The --scale value, or nothing after reporting a bad one.
std::optional<double> scaleOption(const ToolContext& context, const Invocation& invocation);

/// Reads FILE and fills the cached block and document checks the pictures show.
int readCheckedDocument(const ToolContext& context, const Invocation& invocation, model::EditData& data);

/// Writes a PNG through the atomic save; the exit status.
int writePng(const ToolContext& context, const std::string& path, const QImage& image);

/// Whether the path ends in the extension (letter case ignored).
bool hasExtension(const std::string& path, const char* extension);

} // namespace qx::cli
