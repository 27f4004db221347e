#include "cli/DocumentJson.h"
#include "cli/Invocation.h"
#include "cli/JsonWriter.h"
#include "cli/Tool.h"

#include "model/Catalogue.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qx::cli {
namespace {

TEST(JsonWriter, EscapesStrings) {
    EXPECT_EQ(JsonWriter::quoted("plain"), "\"plain\"");
    EXPECT_EQ(JsonWriter::quoted("\"0x2A21\""), "\"\\\"0x2A21\\\"\"");
    EXPECT_EQ(JsonWriter::quoted("a\\b\n\t\r\b\f"), "\"a\\\\b\\n\\t\\r\\b\\f\"");
    EXPECT_EQ(JsonWriter::quoted(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001F\x7f\"");
    EXPECT_EQ(JsonWriter::quoted(std::string("\0", 1)), "\"\\u0000\"");
    EXPECT_EQ(JsonWriter::quoted("漢字"), "\"漢字\"");
    // Bytes that are no UTF-8 must not reach the output as they are.
    EXPECT_EQ(JsonWriter::quoted("a\xff"
                                 "b\xe6\xbc"),
              "\"a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD\xEF\xBF\xBD\"");
    EXPECT_EQ(JsonWriter::quoted("\xed\xa0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(JsonWriter, IndentsAndInlines) {
    JsonWriter json;
    json.beginObject();
    json.field("a", -1);
    json.key("list");
    json.beginArray(true);
    json.value(1LL);
    json.value(2LL);
    json.endArray();
    json.key("empty");
    json.beginArray();
    json.endArray();
    json.key("objects");
    json.beginArray();
    json.beginObject(true);
    json.field("x", "y");
    json.endObject();
    json.endArray();
    json.endObject();
    EXPECT_EQ(json.text(), "{\n"
                           "  \"a\": -1,\n"
                           "  \"list\": [1, 2],\n"
                           "  \"empty\": [],\n"
                           "  \"objects\": [\n"
                           "    {\"x\": \"y\"}\n"
                           "  ]\n"
                           "}\n");
}

TEST(DocumentJson, SymbolsAppearAsTokensAndUnsignedFieldsStayUnsigned) {
    const model::Catalogue catalogue(model::models::QX950W3);
    model::EditData data = model::createEditData(catalogue, 1);
    data.line(0, 0).chars = {0x2341, 0x2A21};
    model::tagSEQ_V900 sequence;
    sequence.start = 65535;
    sequence.end = 1;
    sequence.mode = 2;
    data.block(0).appendSequence(sequence);
    const std::string json = documentJson(data);
    EXPECT_NE(json.find("\"codes\": [9025, 10785], \"text\": \"Ａ\\\"0x2A21\\\"\""), std::string::npos)
        << json;
    EXPECT_NE(json.find("{\"mode\": 2, \"digits\": 0, \"start\": 65535, \"end\": 1, \"output\": 0}"),
              std::string::npos);
    EXPECT_NE(json.find("\"printMode\": 12065,"), std::string::npos);
}

TEST(Invocation, OptionsBeforeAndAfterArguments) {
    constexpr OptionSpec global[] = {{"--model", "", "NAME", ""}};
    constexpr OptionSpec command[] = {
        {"--at", "", "N", ""}, {"--output", "-o", "OUT", ""}, {"--flag", "", "", ""}};
    const std::vector<std::string> args{"--at",           "3",      "doc", "-o",  "out.QXF", "file",
                                        "--model=QX-780", "--flag", "--",  "--at"};
    const ParseOutcome parsed = parseArguments(args, global, command);
    ASSERT_TRUE(parsed.ok) << parsed.error;
    EXPECT_EQ(parsed.invocation.arguments, (std::vector<std::string>{"doc", "file", "--at"}));
    EXPECT_EQ(parsed.invocation.value("--at"), "3");
    EXPECT_EQ(parsed.invocation.value("--output"), "out.QXF");
    EXPECT_EQ(parsed.invocation.value("--model"), "QX-780");
    EXPECT_TRUE(parsed.invocation.has("--flag"));

    EXPECT_FALSE(parseArguments(std::vector<std::string>{"--at"}, global, command).ok);
    EXPECT_FALSE(parseArguments(std::vector<std::string>{"--flag=1"}, global, command).ok);
    EXPECT_FALSE(parseArguments(std::vector<std::string>{"--nope"}, global, command).ok);
}

TEST(Qxtool, CommandHelpAndUsageErrors) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runQxtool(std::vector<std::string>{"insert", "--help"}, out, err), 0);
    EXPECT_NE(out.str().find("--at N"), std::string::npos);
    EXPECT_EQ(runQxtool(std::vector<std::string>{"--model", "QX-950A", "dump", "x.csv"}, out, err), 1);
    // The reserved indexes name no model the catalogue offers.
    EXPECT_EQ(runQxtool(std::vector<std::string>{"dump", "x.csv", "--model", "10"}, out, err), 1);
    EXPECT_EQ(runQxtool(std::vector<std::string>{"insert", "a.csv", "b.csv", "-o", "c.CSV"}, out, err), 1);
    EXPECT_EQ(
        runQxtool(std::vector<std::string>{"insert", "a.csv", "b.csv", "--at", "x", "-o", "c.CSV"}, out, err),
        1);
}

} // namespace
} // namespace qx::cli
