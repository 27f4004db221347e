// The operator's manual lists every qxtool command: a command added to the tool without its row
// in the manual's table would be one an operator cannot find.
#include "cli/Command.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace qx::cli {
namespace {

/// The rows of the table in the manual's qxtool chapter: the lines from its heading to the next
/// chapter that start with "| qxtool ".
std::string qxtoolTable(const std::string& manual) {
    const std::size_t chapter = manual.find("qxtool（");
    if (chapter == std::string::npos)
        return {};
    const std::size_t end = manual.find("\n## ", chapter);
    std::istringstream lines(manual.substr(chapter, end == std::string::npos ? std::string::npos : end - chapter));
    std::string rows;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("| qxtool ", 0) == 0)
            rows += line + "\n";
    }
    return rows;
}

TEST(ManualCommands, EveryCommandOfTheToolHasItsRow) {
    const std::string table = qxtoolTable(qx::testing::fileText(QX_MANUAL_SOURCE));
    ASSERT_FALSE(table.empty()) << "no qxtool table in " << QX_MANUAL_SOURCE;
    for (const Command* command : commandTable()) {
        const std::string row = "| qxtool " + std::string(command->name) + " ";
        EXPECT_NE(table.find(row), std::string::npos) << "the manual has no row for qxtool " << command->name;
    }
}

} // namespace
} // namespace qx::cli
