#include "cli/Tool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qx::cli {
namespace {

namespace fs = std::filesystem;

[[maybe_unused]] std::string head(const fs::path& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

int run(std::vector<std::string> args, std::string* err = nullptr) {
    std::ostringstream out;
    std::ostringstream errors;
    const int status = runQxtool(args, out, errors);
    if (err != nullptr)
        *err = errors.str();
    return status;
}

TEST(QxtoolPictures, RenderPreviewAndSymbolSheet) {
    const fs::path dir = fs::temp_directory_path() / ("qxtool-pictures-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path csv = dir / "doc.csv";
    std::ofstream(csv, std::ios::binary) << "AB-1,,,,2,300\r\nCD,EF,,,1,250\r\n";
#if QX_CLI_PICTURES
    EXPECT_EQ(run({"render", csv.string(), "--block", "2", "--scale", "2", "-o", (dir / "b.png").string()}), 0);
    EXPECT_EQ(head(dir / "b.png", 4), "\x89PNG");
    EXPECT_EQ(run({"preview", csv.string(), "--order", "1", "-o", (dir / "run.pdf").string()}), 0);
    EXPECT_EQ(head(dir / "run.pdf", 5), "%PDF-");
    EXPECT_EQ(run({"preview", csv.string(), "-o", (dir / "run.png").string()}), 0);
    EXPECT_EQ(run({"symbols", "-o", (dir / "sheet.png").string()}), 0);
    EXPECT_GT(fs::file_size(dir / "sheet.png"), 10000u);
    // Usage errors: a block the document lacks, a piece its block lacks, a bad scale, a picture
    // kind it cannot write.
    EXPECT_EQ(run({"render", csv.string(), "--block", "3", "-o", (dir / "x.png").string()}), 1);
    EXPECT_EQ(run({"render", csv.string(), "--block", "1", "--piece", "2", "-o", (dir / "x.png").string()}), 1);
    EXPECT_EQ(run({"render", csv.string(), "--block", "1", "--scale", "0", "-o", (dir / "x.png").string()}), 1);
    EXPECT_EQ(run({"preview", csv.string(), "-o", (dir / "x.bmp").string()}), 1);
    EXPECT_FALSE(fs::exists(dir / "x.png"));
#else
    std::string err;
    EXPECT_EQ(run({"render", csv.string(), "--block", "1", "-o", (dir / "b.png").string()}, &err), 1);
    EXPECT_NE(err.find("not built"), std::string::npos);
#endif
    fs::remove_all(dir);
}

} // namespace
} // namespace qx::cli
