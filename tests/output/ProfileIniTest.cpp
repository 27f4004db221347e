#include "output/ProfileIni.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace qx::output {
namespace {

TEST(ProfileIni, ReadsLikeTheProfileFunctions) {
    const ProfileIni ini = ProfileIni::parse("Orphan=1\n"
                                             "[Index]\r\n"
                                             "  Count = 3  \r\n"
                                             "; a comment line\r\n"
                                             "[ SECTION0 ]\n"
                                             "name={ A }\n"
                                             "Quoted=\"x y\"\n"
                                             "Single='z'\n"
                                             "Mixed=\"q'\n"
                                             "Bare\n"
                                             "Name=second\n"
                                             "[Section0]\n"
                                             "Extra=hidden\n"
                                             "[Last]\n"
                                             "Key=no line end");
    EXPECT_EQ(ini.value("index", "COUNT"), "3");
    EXPECT_EQ(ini.value("Section0", "Name"), "{ A }"); // the first of repeated keys
    EXPECT_EQ(ini.value("Section0", "Quoted"), "x y");
    EXPECT_EQ(ini.value("Section0", "Single"), "z");
    EXPECT_EQ(ini.value("Section0", "Mixed"), "\"q'");
    EXPECT_EQ(ini.value("Section0", "Bare"), "");
    EXPECT_FALSE(ini.value("Section0", "Extra")); // only the first of repeated sections counts
    EXPECT_EQ(ini.value("Last", "Key"), "no line end");
    EXPECT_FALSE(ini.value("", "Orphan"));
    EXPECT_FALSE(ini.value("Index", "Missing"));
    EXPECT_FALSE(ini.value("Missing", "Count"));
    EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"Index", "SECTION0", "Section0", "Last"}));
}

TEST(ProfileIni, ReadStringFitsTheBufferWithoutSplittingACharacter) {
    const std::string ascii(200, 'a');
    // 63 double-byte characters fill 126 bytes; the 64th would need bytes 127 and 128.
    std::string wide;
    for (int i = 0; i < 70; ++i) {
        wide += "\x83\x41";
    }
    const ProfileIni ini = ProfileIni::parse("[S]\nA=" + ascii + "\nW=" + wide + "\nX=x" + wide + "\n");
    EXPECT_EQ(ini.readString("S", "A", "", 128), std::string(127, 'a'));
    EXPECT_EQ(ini.readString("S", "W", "", 128), wide.substr(0, 126));
    EXPECT_EQ(ini.readString("S", "X", "", 128), "x" + wide.substr(0, 126));
    EXPECT_EQ(ini.readString("S", "Missing", "dflt", 128), "dflt");
    EXPECT_EQ(ini.readString("S", "A", "", 0), "");
}

TEST(ProfileIni, ReadIntTakesTheLeadingNumber) {
    const ProfileIni ini =
        ProfileIni::parse("[S]\n"
                          "Plain=42\nSigned=-7\nPlus=+5\nTrailing=12abc\nWord=abc\nEmpty=\n"
                          "Huge=99999999999999999999\nHugeNegative=-99999999999999999999\n");
    EXPECT_EQ(ini.readInt("S", "Plain", 9), 42);
    EXPECT_EQ(ini.readInt("S", "Signed", 9), -7);
    EXPECT_EQ(ini.readInt("S", "Plus", 9), 5);
    EXPECT_EQ(ini.readInt("S", "Trailing", 9), 12);
    EXPECT_EQ(ini.readInt("S", "Word", 9), 0);
    EXPECT_EQ(ini.readInt("S", "Empty", 9), 9);
    EXPECT_EQ(ini.readInt("S", "Missing", 9), 9);
    EXPECT_EQ(ini.readInt("S", "Huge", 9), INT_MAX);
    EXPECT_EQ(ini.readInt("S", "HugeNegative", 9), INT_MIN);
}

TEST(ProfileIni, WriteReplacesAppendsAndKeepsOrder) {
    ProfileIni ini = ProfileIni::parse("[A]\r\nk=1\r\n[B]\r\nx=2\r\n");
    ini.write("a", "K", "one"); // replaces, keeping the stored spelling of the names
    ini.write("A", "new", "3");
    ini.write("C", "y", "line\r\nbreak");
    EXPECT_EQ(ini.text(), "[A]\r\nk=one\r\nnew=3\r\n[B]\r\nx=2\r\n[C]\r\ny=line  break\r\n");
    EXPECT_EQ(ProfileIni::parse(ini.text()).value("C", "y"), "line  break");
}

TEST(ProfileIni, GarbageNeverFails) {
    const std::string garbage("\0\xFF[\n]=\n[[x\n=\n\x83", 15);
    const ProfileIni ini = ProfileIni::parse(garbage);
    EXPECT_FALSE(ini.value("x", "y"));
    EXPECT_EQ(ProfileIni::parse("\xEF\xBB\xBF[S]\nk=v\n").value("S", "k"), "v"); // a UTF-8 mark is skipped
}

} // namespace
} // namespace qx::output
