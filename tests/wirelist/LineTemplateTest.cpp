#include "wirelist/LineTemplate.h"

#include "wirelist/WireListMessages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qx::wirelist {
namespace {

const std::vector<std::string> Header{"Wire", "From Device", "From Pin", "To Device", "To Pin", "Farbe", "Ziel"};
const std::vector<std::string> Row{"W12", "-K1", "13", "-X2", "4", "BK", "=A1-X9:7"};

struct ExpandCase {
    const char* text;
    const char* sourcePiece;
    const char* targetPiece;
};

TEST(LineTemplate, HereAndThereSwapOnTheTargetEndsPiece) {
    const ColumnRoles roles = ColumnRoles::fromHeader(Header);
    const ExpandCase cases[] = {
        {"{wire}", "W12", "W12"},
        {"{here}", "-K1:13", "-X2:4"},
        {"{there}", "-X2:4", "-K1:13"},
        {"{here.device} {here.terminal} > {there.device}", "-K1 13 > -X2", "-X2 4 > -K1"},
        {"{wire} {Farbe}", "W12 BK", "W12 BK"},
        {"{ farbe }", "BK", "BK"},
        {"{#1}/{#6}", "W12/BK", "W12/BK"},
        {"{{{wire}}}", "{W12}", "{W12}"},
        {"no fields", "no fields", "no fields"},
        {"", "", ""},
    };
    for (const ExpandCase& c : cases) {
        SCOPED_TRACE(c.text);
        const LineTemplate::Parsed parsed = LineTemplate::parse(c.text, Header, roles);
        ASSERT_TRUE(parsed.ok) << parsed.message;
        EXPECT_EQ(parsed.line.expand({Row, roles, false}), c.sourcePiece);
        EXPECT_EQ(parsed.line.expand({Row, roles, true}), c.targetPiece);
    }
}

TEST(LineTemplate, AnEndInOneCellSplitsAtItsLastColon) {
    ColumnRoles roles;
    roles.set(Role::Wire, 0);
    roles.set(Role::Source, 6);
    roles.set(Role::TargetDevice, 3);
    const LineTemplate::Parsed parsed = LineTemplate::parse("{here.device}|{here.terminal}|{there}", Header, roles);
    ASSERT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.line.expand({Row, roles, false}), "=A1-X9|7|-X2");
    EXPECT_EQ(parsed.line.expand({Row, roles, true}), "-X2||=A1-X9:7");

    const std::vector<std::string> noColon{"W1", "", "", "", "", "", " TB3 "};
    EXPECT_EQ(parsed.line.expand({noColon, roles, false}), "TB3||");
}

TEST(LineTemplate, AListOfOneEndPerRowHasOnlyHere) {
    const std::vector<std::string> header{"機器", "端子", "線番"};
    const std::vector<std::string> row{"MC1", "A1", "101"};
    const ColumnRoles roles = ColumnRoles::fromHeader(header);
    const LineTemplate::Parsed here = LineTemplate::parse("{wire} {here}", header, roles);
    ASSERT_TRUE(here.ok);
    EXPECT_EQ(here.line.expand({row, roles, false}), "101 MC1:A1");

    const LineTemplate::Parsed there = LineTemplate::parse("{there}", header, roles);
    EXPECT_FALSE(there.ok);
    EXPECT_EQ(there.messageId, WireListMessage::RoleNotAssigned);
    EXPECT_EQ(there.message, "テンプレート「{there}」の {there} に当たる列が指定されていません。");
}

TEST(LineTemplate, RefusesFieldsWithoutAColumnAndStrayBraces) {
    const ColumnRoles roles = ColumnRoles::fromHeader(Header);
    const struct {
        const char* text;
        int messageId;
        const char* message;
    } cases[] = {
        {"{Querschnitt}", WireListMessage::UnknownColumnToken,
         "テンプレート「{Querschnitt}」の {Querschnitt} に当たる列がありません。"},
        {"{#0}", WireListMessage::UnknownColumnToken, nullptr},
        {"{wire", WireListMessage::UnbalancedBraces, "テンプレート「{wire」の { と } が対応していません。"},
        {"wire}", WireListMessage::UnbalancedBraces, nullptr},
        {"{a{wire}}", WireListMessage::UnbalancedBraces, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const LineTemplate::Parsed parsed = LineTemplate::parse(c.text, Header, roles);
        EXPECT_FALSE(parsed.ok);
        EXPECT_EQ(parsed.messageId, c.messageId);
        if (c.message != nullptr) {
            EXPECT_EQ(parsed.message, c.message);
        }
    }
    ColumnRoles none;
    EXPECT_EQ(LineTemplate::parse("{wire}", Header, none).messageId, WireListMessage::RoleNotAssigned);
}

TEST(LineTemplate, ColumnsAreFoundByHeaderTextOrNumber) {
    EXPECT_EQ(findColumn(Header, "Farbe"), 5);
    EXPECT_EQ(findColumn(Header, "ＦＡＲＢＥ"), 5);
    EXPECT_EQ(findColumn(Header, "#7"), 6);
    EXPECT_EQ(findColumn(Header, "#99"), 98); // beyond the header, still a column of longer rows
    EXPECT_EQ(findColumn(Header, "#"), -1);
    EXPECT_EQ(findColumn(Header, "#99999999999999999999"), -1);
    EXPECT_EQ(findColumn(Header, "Colour"), -1);
}

} // namespace
} // namespace qx::wirelist
