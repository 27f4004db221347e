#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace qx::testing {

/// The whole content of a file; empty when it cannot be read.
inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace qx::testing
