#include "output/PrintJob.h"

#include "formats/ImageCodec.h"
#include "formats/ImageConvert.h"
#include "formats/PrinterImage.h"
#include "model/Catalogue.h"
#include "model/EditData.h"
#include "model/OperatorSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

using namespace qx;
using namespace qx::output;

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string UEL = "\x1B%-12345X";
const std::string Trailer = "\n~END_QXDATA\n";

std::string hexAround(const Bytes& bytes, std::size_t at) {
    std::string out;
    const std::size_t from = at < 16 ? 0 : at - 16;
    const std::size_t to = std::min(bytes.size(), at + 16);
    char cell[8];
    for (std::size_t i = from; i < to; ++i) {
        std::snprintf(cell, sizeof cell, i == at ? "[%02X]" : " %02X", bytes[i]);
        out += cell;
    }
    return out;
}

/// Byte-for-byte comparison that names the first differing offset and shows the bytes around it.
::testing::AssertionResult sameBytes(const Bytes& expected, const Bytes& actual) {
    const std::size_t n = std::min(expected.size(), actual.size());
    const auto diff =
        std::mismatch(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(n), actual.begin());
    const auto at = static_cast<std::size_t>(diff.first - expected.begin());
    if (at == n && expected.size() == actual.size())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "first difference at offset " << at << " (sizes " << expected.size() << " expected, "
           << actual.size() << " actual)\n  expected:" << hexAround(expected, at)
           << "\n  actual:  " << hexAround(actual, at);
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

/// A two-block document: "A" at pitch 200 and "BC" at pitch 300, on a target kind whose code differs
/// from the default so that the image's first word shows whether it was copied.
model::EditData sampleDocument(const model::Catalogue& catalogue) {
    model::EditData data = model::createEditData(catalogue, 1);
    data.target.targetKind = 2;
    data.blockCount = 2;
    data.line(0, 0).chars = {0x2341};
    data.block(0).pitch = 200;
    data.line(1, 0).chars = {0x2342, 0x2343};
    data.block(1).pitch = 300;
    return data;
}

/// The payload a job must carry, worked out independently of the builder: the encoded image with
/// the target kind in its first word, in the generation's layout.
Bytes expectedPayload(const model::EditData& data, const model::Catalogue& catalogue) {
    formats::PrinterImage image;
    const auto encoded =
        formats::encodeImage(data, catalogue, model::OperatorSettings::defaultsFor(catalogue), image);
    EXPECT_TRUE(encoded.ok);
    image.setByte(0, image.byte(26022));
    image.setByte(1, image.byte(26023));
    const int m = catalogue.model();
    if (m <= 1)
        return formats::convertToLayout(image, formats::ImageLayoutId::Layout13790);
    if (m <= 4)
        return formats::convertToLayout(image, formats::ImageLayoutId::Layout13852);
    return Bytes(image.bytes().begin(), image.bytes().end());
}

PrintOptions printing() {
    PrintOptions o;
    o.printSelect = 1;
    o.memorySelect = 7;
    o.heatVol = 4;
    o.cutPosAdjust = 20;
    o.frontFeed = 1;
    o.lowTempMode = 0;
    o.seqOrder = 1;
    o.prnOffsetY = 10;
    o.startBlock = 5;
    o.endBlock = 12;
    o.copies = 3;
    o.revision = 300;
    o.printType = 2;
    return o;
}

PrintOptions sending() {
    PrintOptions o = printing();
    o.printSelect = 0;
    return o;
}

enum class Mode { PitchSpecified, PitchAuto, PrintLength };

struct GoldenCase {
    const char* name;
    model::ModelType model;
    Mode mode;
    PrintOptions options;
    const char* header; ///< from the MACHINE line to "~BEGIN_QXDATA", each line with its LF
};

// clang-format off
const GoldenCase GoldenCases[] = {
    {"QX780_IgnoresOptions", 0, Mode::PitchSpecified, printing(),
     "@PJL SET MACHINE=QX780\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700   3.00 JPN\n"
     "~DATASIZE=13790\n"
     "~BEGIN_QXDATA\n"},
    {"QX790_PrintPitchLength", 1, Mode::PitchSpecified, printing(),
     "@PJL SET MACHINE=QX790\n"
     "@PJL SET HEATVOL=4\n"
     "@PJL SET CUTPOSADJUST=20\n"
     "@PJL SET FRONTFEED=1\n"
     "@PJL SET LOWTEMPMODE=0\n"
     "@PJL SET SEQORDER=1\n"
     "@PJL SET PRNOFFSETY=10\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=1\n"
     "@PJL SET PRINT STARTBLK=005\n"
     "@PJL SET PRINT ENDBLK=012\n"
     "@PJL SET PRINT COPIES=03\n"
     "@PJL SET PRINT REVISION=300\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700   6.00 JPN\n"
     "~DATASIZE=13790\n"
     "~BEGIN_QXDATA\n"},
    {"QX790_Send", 1, Mode::PitchSpecified, sending(),
     "@PJL SET MACHINE=QX790\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=0\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700   6.00 JPN\n"
     "~DATASIZE=13790\n"
     "~BEGIN_QXDATA\n"},
    {"QX900W_PrintPitchAuto", 2, Mode::PitchAuto, printing(),
     "@PJL SET MACHINE=QX950\n"
     "@PJL SET HEATVOL=4\n"
     "@PJL SET CUTPOSADJUST=20\n"
     "@PJL SET FRONTFEED=1\n"
     "@PJL SET LOWTEMPMODE=0\n"
     "@PJL SET SEQORDER=1\n"
     "@PJL SET PRNOFFSETY=10\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=1\n"
     "@PJL SET PRINT STARTBLK=005\n"
     "@PJL SET PRINT ENDBLK=012\n"
     "@PJL SET PRINT COPIES=03\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700   8.00 JPN\n"
     "~DATASIZE=13852\n"
     "~BEGIN_QXDATA\n"},
    {"QX950W_PrintPrintLength", 3, Mode::PrintLength, printing(),
     "@PJL SET MACHINE=QX950\n"
     "@PJL SET HEATVOL=4\n"
     "@PJL SET CUTPOSADJUST=20\n"
     "@PJL SET FRONTFEED=1\n"
     "@PJL SET LOWTEMPMODE=0\n"
     "@PJL SET SEQORDER=1\n"
     "@PJL SET PRNOFFSETY=10\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=1\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700   9.00 JPN\n"
     "~DATASIZE=13852\n"
     "~BEGIN_QXDATA\n"},
    {"QX950W_Send", 3, Mode::PitchSpecified, sending(),
     "@PJL SET MACHINE=QX950\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=0\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700   9.00 JPN\n"
     "~DATASIZE=13852\n"
     "~BEGIN_QXDATA\n"},
    {"QX900W2_Send", 5, Mode::PitchSpecified, sending(),
     "@PJL SET MACHINE=QX950_2\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=0\n"
     "@PJL SET PRINT TYPE=2\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700  11.00 JPN\n"
     "~DATASIZE=28476\n"
     "~BEGIN_QXDATA\n"},
    {"QX950W2_PrintPitchAuto", 6, Mode::PitchAuto, printing(),
     "@PJL SET MACHINE=QX950_2\n"
     "@PJL SET HEATVOL=4\n"
     "@PJL SET CUTPOSADJUST=20\n"
     "@PJL SET FRONTFEED=1\n"
     "@PJL SET LOWTEMPMODE=0\n"
     "@PJL SET SEQORDER=1\n"
     "@PJL SET PRNOFFSETY=10\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=1\n"
     "@PJL SET PRINT STARTBLK=005\n"
     "@PJL SET PRINT ENDBLK=012\n"
     "@PJL SET PRINT COPIES=03\n"
     "@PJL SET PRINT TYPE=2\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700  12.00 JPN\n"
     "~DATASIZE=28476\n"
     "~BEGIN_QXDATA\n"},
    {"QX900W3_PrintPrintLength", 8, Mode::PrintLength, printing(),
     "@PJL SET MACHINE=QX950_3\n"
     "@PJL SET HEATVOL=4\n"
     "@PJL SET CUTPOSADJUST=20\n"
     "@PJL SET FRONTFEED=1\n"
     "@PJL SET LOWTEMPMODE=0\n"
     "@PJL SET SEQORDER=1\n"
     "@PJL SET PRNOFFSETY=10\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=1\n"
     "@PJL SET PRINT TYPE=2\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700  14.00 JPN\n"
     "~DATASIZE=28476\n"
     "~BEGIN_QXDATA\n"},
    {"QX950W3_PrintPitchLength", 9, Mode::PitchSpecified, printing(),
     "@PJL SET MACHINE=QX950_3\n"
     "@PJL SET HEATVOL=4\n"
     "@PJL SET CUTPOSADJUST=20\n"
     "@PJL SET FRONTFEED=1\n"
     "@PJL SET LOWTEMPMODE=0\n"
     "@PJL SET SEQORDER=1\n"
     "@PJL SET PRNOFFSETY=10\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=1\n"
     "@PJL SET PRINT STARTBLK=005\n"
     "@PJL SET PRINT ENDBLK=012\n"
     "@PJL SET PRINT COPIES=03\n"
     "@PJL SET PRINT REVISION=300\n"
     "@PJL SET PRINT TYPE=2\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700  14.00 JPN\n"
     "~DATASIZE=28476\n"
     "~BEGIN_QXDATA\n"},
    {"QX950W3_Send", 9, Mode::PitchSpecified, sending(),
     "@PJL SET MACHINE=QX950_3\n"
     "@PJL SET MEMORYSELECT=07\n"
     "@PJL SET PRINTSELECT=0\n"
     "@PJL SET PRINT TYPE=2\n"
     "@PJL ENTER LANGUAGE=BIN\n"
     "~FILE_VERSION=QX700  14.00 JPN\n"
     "~DATASIZE=28476\n"
     "~BEGIN_QXDATA\n"},
};
// clang-format on

void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.name;
}

class PrintJobGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(PrintJobGolden, IsByteExact) {
    const GoldenCase& c = GetParam();
    const model::Catalogue catalogue(c.model);
    model::EditData data = sampleDocument(catalogue);
    if (c.mode == Mode::PitchAuto)
        data.target.pitchAuto = 1;
    if (c.mode == Mode::PrintLength)
        data.target.printMode = model::codes::Line1Marker;
    const model::EditData before = data;

    const PrintJobResult job = BuildPrintJob(data, catalogue, model::OperatorSettings::defaultsFor(catalogue),
                                             c.options, "Untitled1");
    ASSERT_TRUE(job.ok);
    EXPECT_EQ(job.refusal, PrintJobRefusal::None);
    EXPECT_EQ(job.jobName, "Untitled1");
    EXPECT_EQ(data.target, before.target);
    EXPECT_TRUE(data.blocks == before.blocks);

    const Bytes payload = expectedPayload(data, catalogue);
    Bytes expected = bytesOf(UEL + c.header);
    expected.insert(expected.end(), payload.begin(), payload.end());
    const std::string tail = Trailer + UEL;
    expected.insert(expected.end(), tail.begin(), tail.end());
    EXPECT_TRUE(sameBytes(expected, job.bytes));

    // The printer reads the target kind from the first word as well as from the settings part.
    const std::size_t settingsPart = payload.size() == 28476 ? 26022 : 13634;
    ASSERT_GT(payload.size(), settingsPart + 1);
    EXPECT_EQ(payload[0], payload[settingsPart]);
    EXPECT_EQ(payload[1], payload[settingsPart + 1]);
    EXPECT_EQ(payload[1], 2);
}

INSTANTIATE_TEST_SUITE_P(Models, PrintJobGolden, ::testing::ValuesIn(GoldenCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& p) {
                             return std::string(p.param.name);
                         });

std::string headerText(const PrintJobResult& job) {
    const std::string all(job.bytes.begin(), job.bytes.end());
    const auto end = all.find("~BEGIN_QXDATA\n");
    return end == std::string::npos ? std::string() : all.substr(0, end);
}

TEST(PrintJob, FirstGenerationJobIsAlwaysTheSameLength) {
    const model::Catalogue catalogue(0);
    const auto settings = model::OperatorSettings::defaultsFor(catalogue);
    model::EditData data = sampleDocument(catalogue);
    PrintOptions extreme;
    extreme.printSelect = -32768;
    extreme.memorySelect = 32767;
    extreme.revision = -1;
    for (const PrintOptions& o : {PrintOptions{}, printing(), sending(), extreme}) {
        for (int pitchAuto : {0, 1}) {
            data.target.pitchAuto = static_cast<std::int16_t>(pitchAuto);
            const PrintJobResult job = BuildPrintJob(data, catalogue, settings, o, "a");
            ASSERT_TRUE(job.ok);
            EXPECT_EQ(job.bytes.size(), 13929u);
            EXPECT_EQ(headerText(job).find("SET HEATVOL"), std::string::npos);
        }
    }
}

TEST(PrintJob, NegativeNumbersKeepTheirSignInsideTheWidth) {
    const model::Catalogue catalogue(9);
    PrintOptions o = printing();
    o.cutPosAdjust = -5;
    o.prnOffsetY = -3;
    o.memorySelect = -1;
    o.startBlock = -2;
    o.endBlock = -120;
    o.copies = 0;
    o.revision = -7;
    o.printType = -1;
    const PrintJobResult job = BuildPrintJob(sampleDocument(catalogue), catalogue,
                                             model::OperatorSettings::defaultsFor(catalogue), o, "t");
    ASSERT_TRUE(job.ok);
    const std::string header = headerText(job);
    for (const char* line :
         {"\n@PJL SET CUTPOSADJUST=-5\n", "\n@PJL SET PRNOFFSETY=-3\n", "\n@PJL SET MEMORYSELECT=-1\n",
          "\n@PJL SET PRINT STARTBLK=-02\n", "\n@PJL SET PRINT ENDBLK=-120\n", "\n@PJL SET PRINT COPIES=00\n",
          "\n@PJL SET PRINT REVISION=-07\n", "\n@PJL SET PRINT TYPE=-1\n"})
        EXPECT_NE(header.find(line), std::string::npos) << line;
}

TEST(PrintJob, DataSizeIsFollowedByExactlyThatManyBytes) {
    for (model::ModelType m : {0, 1, 2, 3, 5, 6, 8, 9}) {
        const model::Catalogue catalogue(m);
        const PrintJobResult job =
            BuildPrintJob(sampleDocument(catalogue), catalogue,
                          model::OperatorSettings::defaultsFor(catalogue), printing(), "t");
        ASSERT_TRUE(job.ok) << m;
        const std::string all(job.bytes.begin(), job.bytes.end());
        const std::string key = "~DATASIZE=";
        const auto at = all.find(key);
        ASSERT_NE(at, std::string::npos);
        const std::size_t size = std::stoul(all.substr(at + key.size()));
        const auto data = all.find("\n~BEGIN_QXDATA\n", at) + 15;
        EXPECT_EQ(all.substr(data + size), Trailer + UEL) << m;
        EXPECT_EQ(size, m <= 1 ? 13790u : m <= 4 ? 13852u : 28476u) << m;
    }
}

TEST(PrintJob, EncoderRefusalReportsTheFailedCell) {
    // Six alternating pitches need six pitch entries; the first generation has five.
    const model::Catalogue catalogue(0);
    model::EditData data = model::createEditData(catalogue, 1);
    data.blockCount = 6;
    for (int b = 0; b < 6; ++b) {
        data.block(b).pitch = static_cast<std::int16_t>(b % 2 == 0 ? 100 : 200);
        data.line(b, 0).chars = {0x2341};
    }
    const PrintJobResult job =
        BuildPrintJob(data, catalogue, model::OperatorSettings::defaultsFor(catalogue), printing(), "t");
    EXPECT_FALSE(job.ok);
    EXPECT_EQ(job.refusal, PrintJobRefusal::Encoder);
    EXPECT_EQ(job.messageId, 42004);
    EXPECT_EQ(job.failedBlock, 5);
    EXPECT_TRUE(job.bytes.empty());
    EXPECT_TRUE(job.jobName.empty());

    // Under a later model the same document goes through.
    const model::Catalogue later(9);
    EXPECT_TRUE(BuildPrintJob(data, later, model::OperatorSettings::defaultsFor(later), printing(), "t").ok);
}

formats::PrinterImage encodedFor(model::ModelType m) {
    const model::Catalogue catalogue(m);
    formats::PrinterImage image;
    EXPECT_TRUE(formats::encodeImage(sampleDocument(catalogue), catalogue,
                                     model::OperatorSettings::defaultsFor(catalogue), image)
                    .ok);
    return image;
}

TEST(PrintJob, ModelsAcceptOnlyTheirGenerationsVersions) {
    struct Row {
        model::ModelType imageOf; // the model whose encoder wrote the image (its version)
        model::ModelType jobFor;
        bool accepted;
    };
    const Row rows[] = {
        {0, 0, true}, {1, 0, false}, {0, 1, false}, {1, 1, true},  {2, 3, true},  {3, 2, true},
        {3, 4, true}, {1, 2, false}, {5, 6, true},  {6, 5, true},  {6, 7, true},  {9, 6, false},
        {9, 8, true}, {9, 10, true}, {6, 9, false}, {3, 9, false}, {9, 0, false},
    };
    const model::TargetSettings target;
    for (const Row& r : rows) {
        const PrintJobResult job =
            BuildPrintJobFromImage(encodedFor(r.imageOf), r.jobFor, target, printing(), "t");
        EXPECT_EQ(job.ok, r.accepted) << r.imageOf << " -> " << r.jobFor;
        EXPECT_EQ(job.refusal, r.accepted ? PrintJobRefusal::None : PrintJobRefusal::VersionMismatch);
        EXPECT_EQ(job.messageId, 0);
    }
}

TEST(PrintJob, ReservedModelsUseTheirGroupsHeader) {
    const model::TargetSettings target;
    struct Row {
        model::ModelType model;
        model::ModelType imageOf;
        const char* machine;
    };
    for (const Row& r : {Row{4, 3, "@PJL SET MACHINE=QX950\n"}, Row{7, 6, "@PJL SET MACHINE=QX950_2\n"},
                         Row{10, 9, "@PJL SET MACHINE=QX950_3\n"}}) {
        const PrintJobResult job =
            BuildPrintJobFromImage(encodedFor(r.imageOf), r.model, target, sending(), "t");
        ASSERT_TRUE(job.ok) << r.model;
        EXPECT_EQ(headerText(job).substr(UEL.size(), std::string(r.machine).size()), r.machine);
    }
}

TEST(PrintJob, ModelsOutsideTheRangeGiveNoJob) {
    const model::TargetSettings target;
    for (model::ModelType m : {-1, 11, 12, 1000}) {
        const PrintJobResult fromImage = BuildPrintJobFromImage(encodedFor(9), m, target, printing(), "t");
        EXPECT_FALSE(fromImage.ok) << m;
        EXPECT_EQ(fromImage.refusal, PrintJobRefusal::UnsupportedModel);
        EXPECT_TRUE(fromImage.bytes.empty());
        EXPECT_TRUE(fromImage.jobName.empty());

        const model::Catalogue catalogue(m);
        const PrintJobResult built =
            BuildPrintJob(model::createEditData(catalogue, 1), catalogue,
                          model::OperatorSettings::defaultsFor(catalogue), printing(), "t");
        EXPECT_EQ(built.refusal, PrintJobRefusal::UnsupportedModel) << m;
    }
}

TEST(PrintJob, ModelTableAgreesWithTheImageFormats) {
    for (const PrintJobModel& row : PrintJobModels) {
        EXPECT_EQ(row.imageVersion, formats::imageVersionFor(row.model)) << row.model;
        EXPECT_GE(row.imageVersion, row.lowestAccepted);
        EXPECT_LE(row.imageVersion, row.highestAccepted);
        EXPECT_EQ(formats::imageLayout(row.layout).size, row.dataSize) << row.model;
        EXPECT_EQ(printJobModel(row.model), &row);
    }
}

} // namespace
