#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace qx::cli {

/// qxtool with its arguments (without the program name); returns the exit status.
int runQxtool(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace qx::cli
