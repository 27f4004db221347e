#include "wirelist/ColumnRoles.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace qx::wirelist {
namespace {

struct HeaderCase {
    const char* program;
    std::vector<std::string> header;
    std::map<Role, int> roles; ///< every role not listed must stay without a column
};

// Header rows as the exporting programs write them, with the columns that must not be taken for a
// role (colour, cross-section, cable, location) left among them.
const HeaderCase HeaderCases[] = {
    {"connection list, German",
     {"Verbindungsbezeichnung", "Betriebsmittel (Quelle)", "Anschluss (Quelle)", "Betriebsmittel (Ziel)",
      "Anschluss (Ziel)", "Querschnitt", "Farbe"},
     {{Role::Wire, 0}, {Role::SourceDevice, 1}, {Role::SourceTerminal, 2}, {Role::TargetDevice, 3},
      {Role::TargetTerminal, 4}}},
    {"from/to report with 1/2 suffixes",
     {"INST1", "LOC1", "CMP1", "PIN1", "INST2", "LOC2", "CMP2", "PIN2", "WIRENO"},
     {{Role::SourceDevice, 2}, {Role::SourceTerminal, 3}, {Role::TargetDevice, 6}, {Role::TargetTerminal, 7},
      {Role::Wire, 8}}},
    {"wiring plan, numbered words",
     {"Component 1", "Terminal 1", "Component 2", "Terminal 2", "Wire color", "Wire section", "Cable"},
     {{Role::SourceDevice, 0}, {Role::SourceTerminal, 1}, {Role::TargetDevice, 2}, {Role::TargetTerminal, 3}}},
    {"from-to list",
     {"Wire", "From Device", "From Pin", "To Device", "To Pin", "Color", "CSA"},
     {{Role::Wire, 0}, {Role::SourceDevice, 1}, {Role::SourceTerminal, 2}, {Role::TargetDevice, 3},
      {Role::TargetTerminal, 4}}},
    {"harness list, camel case",
     {"Wire ID", "RefDes1", "Pin1", "RefDes2", "Pin2", "Length"},
     {{Role::Wire, 0}, {Role::SourceDevice, 1}, {Role::SourceTerminal, 2}, {Role::TargetDevice, 3},
      {Role::TargetTerminal, 4}}},
    {"terminal list, _A/_B",
     {"WIRE_NO", "DEV_TBLK_A", "TERM_A", "DEV_TBLK_B", "TERM_B", "GAUGE"},
     {{Role::Wire, 0}, {Role::SourceDevice, 1}, {Role::SourceTerminal, 2}, {Role::TargetDevice, 3},
      {Role::TargetTerminal, 4}}},
    {"Japanese, marks written on",
     {"線番", "接続元機器", "接続元端子", "接続先機器", "接続先端子", "色", "本数"},
     {{Role::Wire, 0}, {Role::SourceDevice, 1}, {Role::SourceTerminal, 2}, {Role::TargetDevice, 3},
      {Role::TargetTerminal, 4}, {Role::Count, 6}}},
    {"Japanese, marks in brackets and full-width letters",
     {"ＮＯ", "機器（接続元）", "端子（接続元）", "機器（接続先）", "端子（接続先）", "線番"},
     {{Role::SourceDevice, 1}, {Role::SourceTerminal, 2}, {Role::TargetDevice, 3}, {Role::TargetTerminal, 4},
      {Role::Wire, 5}}},
    {"Japanese, one column per end",
     {"線番", "接続元", "接続先", "本数"},
     {{Role::Wire, 0}, {Role::Source, 1}, {Role::Target, 2}, {Role::Count, 3}}},
    {"German, one column per end",
     {"Quelle", "Ziel", "Verbindung", "Anzahl"},
     {{Role::Source, 0}, {Role::Target, 1}, {Role::Wire, 2}, {Role::Count, 3}}},
    {"English, one column per end",
     {"Source", "Target", "Qty"},
     {{Role::Source, 0}, {Role::Target, 1}, {Role::Count, 2}}},
    {"one row per wire end, unmarked",
     {"機器", "端子", "線番", "備考"},
     {{Role::SourceDevice, 0}, {Role::SourceTerminal, 1}, {Role::Wire, 2}}},
    {"unmarked device and terminal twice: source, then target",
     {"Device", "Terminal", "Device", "Terminal", "Wire No."},
     {{Role::SourceDevice, 0}, {Role::SourceTerminal, 1}, {Role::TargetDevice, 2}, {Role::TargetTerminal, 3},
      {Role::Wire, 4}}},
    {"umlauts and case",
     {"GERÄT VON", "klemme von", "Gerät nach", "Klemme nach", "Stück"},
     {{Role::SourceDevice, 0}, {Role::SourceTerminal, 1}, {Role::TargetDevice, 2}, {Role::TargetTerminal, 3},
      {Role::Count, 4}}},
    {"nothing a wire list would name",
     {"Farbe", "Querschnitt", "Länge", "Datum", "1", "A"},
     {}},
};

TEST(ColumnRoles, FoundFromTheHeadersOfEveryKindOfExport) {
    for (const HeaderCase& c : HeaderCases) {
        SCOPED_TRACE(c.program);
        const ColumnRoles roles = ColumnRoles::fromHeader(c.header);
        for (int r = 0; r < RoleCount; ++r) {
            const Role role = static_cast<Role>(r);
            const auto expected = c.roles.find(role);
            EXPECT_EQ(roles.column(role), expected == c.roles.end() ? -1 : expected->second) << roleKey(role);
        }
    }
}

TEST(ColumnRoles, FirstColumnForARoleWins) {
    const std::vector<std::string> header{"Wire", "Wire No", "From", "Quelle"};
    const ColumnRoles roles = ColumnRoles::fromHeader(header);
    EXPECT_EQ(roles.column(Role::Wire), 0);
    EXPECT_EQ(roles.column(Role::Source), 2);
    EXPECT_FALSE(roles.hasTargetEnd());
}

TEST(ColumnRoles, KeysReadBackAndFoldingIgnoresCaseWidthAndBlanks) {
    for (int r = 0; r < RoleCount; ++r) {
        EXPECT_EQ(roleFromKey(roleKey(static_cast<Role>(r))), static_cast<Role>(r));
    }
    EXPECT_FALSE(roleFromKey("Wire").has_value());
    EXPECT_EQ(foldHeaderText("  Ｗｉｒｅ\u3000 No. "), "wire no.");
    EXPECT_EQ(foldHeaderText("Größe"), "groesse");
}

} // namespace
} // namespace qx::wirelist
