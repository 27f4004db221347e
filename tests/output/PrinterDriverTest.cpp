#include "output/PrinterDriver.h"
#include "output/SpoolerTransport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace qx::output {
namespace {

namespace fs = std::filesystem;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The value of a main keyword line such as `*NickName: "…"`, quotes kept; "" when absent or
/// given more than once.
std::string keyword(const std::string& ppd, const std::string& name) {
    const std::string key = "\n*" + name + ": ";
    const std::size_t at = ppd.find(key);
    if (at == std::string::npos || ppd.find(key, at + 1) != std::string::npos) {
        return {};
    }
    const std::size_t start = at + key.size();
    return ppd.substr(start, ppd.find('\n', start) - start);
}

// What CUPS, the desktop's printer settings and the spooler's queue lookup each read from a driver.
TEST(PrinterDriver, EachModelsDriverCarriesItsNameDeviceIdAndRawFilter) {
    struct Row {
        model::ModelType model;
        const char* file;
        const char* name;
    };
    const Row rows[] = {
        {0, "QX-780.ppd", "KAV QX-780"},     {1, "QX-790.ppd", "KAV QX-790"},
        {2, "QX-900W.ppd", "KAV QX-900W"},   {3, "QX-950W.ppd", "KAV QX-950W"},
        {5, "QX-900W2.ppd", "KAV QX-900W2"}, {6, "QX-950W2.ppd", "KAV QX-950W2"},
        {8, "QX-900W3.ppd", "KAV QX-900W3"}, {9, "QX-950W3.ppd", "KAV QX-950W3"},
    };
    std::vector<model::ModelType> expectedModels;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        expectedModels.push_back(row.model);
        const std::string ppd = driverPpd(row.model);
        const std::string model = std::string(row.name).substr(4);
        EXPECT_EQ(driverFileName(row.model), row.file);
        EXPECT_EQ(modelDriverName(row.model), row.name); // the queue the editor will look for
        EXPECT_EQ(keyword(ppd, "NickName"), '"' + std::string(row.name) + '"');
        EXPECT_EQ(keyword(ppd, "ModelName"), '"' + std::string(row.name) + '"');
        EXPECT_EQ(keyword(ppd, "Manufacturer"), "\"KAV\"");
        EXPECT_EQ(keyword(ppd, "1284DeviceID"), "\"MFG:KAV;MDL:" + model + ";\"");
        EXPECT_EQ(keyword(ppd, "cupsFilter2"), "\"application/vnd.cups-raw application/vnd.cups-raw 0 -\"");
        EXPECT_EQ(ppd.rfind("*PPD-Adobe: \"4.3\"\n", 0), 0u);
        EXPECT_EQ(ppd.find('\r'), std::string::npos);
    }
    // The reserved models have no printer and get no driver.
    EXPECT_EQ(driverModels(), expectedModels);
    for (const model::ModelType reserved : {4, 7, 10, -1, 11}) {
        EXPECT_EQ(driverPpd(reserved), "");
        EXPECT_EQ(driverFileName(reserved), "");
    }
}

TEST(PrinterDriver, Qx950W3DriverMatchesItsGoldenFile) {
    EXPECT_EQ(driverPpd(9), readText(fs::path(QX_TEST_DATA_DIR) / "output" / "drivers" / "QX-950W3.ppd"));
}

// CUPS's own checker must find no error in any driver (it may warn, as PPD drivers are deprecated).
TEST(PrinterDriver, CupsPpdCheckerPassesEveryDriver) {
    const char* checker = "/usr/bin/cupstestppd";
    if (::access(checker, X_OK) != 0) {
        GTEST_SKIP() << "cupstestppd is not installed (Debian package cups-client)";
    }
    char pattern[] = "/tmp/qx-ppd-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const fs::path folder = pattern;
    for (const model::ModelType model : driverModels()) {
        SCOPED_TRACE(model);
        const fs::path file = folder / driverFileName(model);
        std::ofstream(file, std::ios::binary) << driverPpd(model);
        const fs::path report = folder / "report.txt";
        const std::string command =
            std::string(checker) + " '" + file.string() + "' >'" + report.string() + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << readText(report);
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace qx::output
