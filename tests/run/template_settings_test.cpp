// Reading settings rows: conversions, flags, field list.
#include "run/template_settings.hpp"

#include <gtest/gtest.h>

namespace ls::run {
namespace {

TEST(SetEinstellung, NumbersTakeTheLeadingNumericPartRoundedHalfToEven) {
    TemplateSettings s;
    SetEinstellung(s, "STARTZEILE", "12");
    SetEinstellung(s, "EINZSORT", "3.5");
    SetEinstellung(s, "SPALTENBREITE", "14ABC");
    SetEinstellung(s, "NZOOM", "2,5");
    SetEinstellung(s, "LEINZELN", "");
    SetEinstellung(s, "LVERDICHTET", "JA");
    EXPECT_EQ(s.StartZeile, 12);
    EXPECT_EQ(s.EinzSort, 4);
    EXPECT_EQ(s.SpaltenBreite, 14);
    EXPECT_EQ(s.nZoom, 2);
    EXPECT_EQ(s.lEinzeln, 0);
    EXPECT_EQ(s.lVerdichtet, 0);
}

TEST(SetEinstellung, FlagsAreSetOnlyByOne) {
    TemplateSettings s;
    for (const char* value : {"WAHR", "TRUE", "-1", "2", "1.0"}) {
        SetEinstellung(s, "LSTATISTIK", value);
        EXPECT_FALSE(s.lStatistik) << value;
    }
    SetEinstellung(s, "LSTATISTIK", "1");
    EXPECT_TRUE(s.lStatistik);
    SetEinstellung(s, "LHÖHEN", "1");
    EXPECT_TRUE(s.lHöhen);
    SetEinstellung(s, "LRELTABLE(7)", "1");
    SetEinstellung(s, "LADRESSE(0)", "1");
    SetEinstellung(s, "LRELTABLE(10)", "1");
    SetEinstellung(s, "LADRESSE(8)", "1");
    EXPECT_TRUE(s.lReltable[7]);
    EXPECT_FALSE(s.lReltable[1]);
    EXPECT_TRUE(s.lAdresse[0]);
    // The last of each numbered row.
    EXPECT_TRUE(s.lReltable[10]);
    EXPECT_TRUE(s.lAdresse[8]);
    EXPECT_FALSE(s.lAdresse[7]);
}

TEST(SetEinstellung, ANumberBeyondItsTypeNamesKeyAndValue) {
    TemplateSettings s;
    s.EinzSort = 2;
    try {
        SetEinstellung(s, "EINZSORT", "40000");
        FAIL() << "no error";
    } catch (const SettingsError& e) {
        EXPECT_NE(std::string(e.what()).find("EINZSORT"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("40000"), std::string::npos);
    }
    EXPECT_EQ(s.EinzSort, 2);
    SetEinstellung(s, "STARTZEILE", "40000");  // fits 32 bits
    EXPECT_EQ(s.StartZeile, 40000);
}

TEST(SetEinstellung, FieldRowsFillTheFieldListBetweenEmptyEnds) {
    TemplateSettings s;
    s.beginReading();
    SetEinstellung(s, "LISTE", "LISTE NR");
    SetEinstellung(s, "RINDE_WERT", "RINDE");
    SetEinstellung(s, "A3_PREIS", "PREIS");
    SetEinstellung(s, "TL.LKW_NR", "LKW");
    SetEinstellung(s, "KOMMENTAR", "IRGENDWAS");
    ASSERT_EQ(s.Felder.size(), 6u);
    EXPECT_EQ(s.felderUpperBound(), 5u);
    EXPECT_TRUE(s.Felder[0].heading.empty() && s.Felder[0].expression.empty());
    EXPECT_EQ(s.Felder[1].heading, "LISTE NR");
    EXPECT_EQ(s.Felder[1].expression, "LOGS.LISTE");
    EXPECT_EQ(s.Felder[2].expression, "ISNULL(LOGS.RINDE_WERT,0)");
    EXPECT_EQ(s.Felder[3].expression, "LOGS_RECH.A3_PREIS");
    EXPECT_EQ(s.Felder[4].expression, "TL.LKW_NR");
    EXPECT_TRUE(s.Felder[5].heading.empty() && s.Felder[5].expression.empty());
}

TEST(SetEinstellung, ReadingAnewResetsFieldsAndAddressFormatOnly) {
    TemplateSettings s;
    SetEinstellung(s, "LADRESSFORMAT", "0");
    SetEinstellung(s, "STARTZEILE", "9");
    SetEinstellung(s, "FARBE", "FARBE");
    EXPECT_FALSE(s.lAdressformat);
    s.beginReading();
    EXPECT_TRUE(s.lAdressformat);
    EXPECT_EQ(s.Felder.size(), 2u);
    EXPECT_EQ(s.StartZeile, 9);
}

}  // namespace
}  // namespace ls::run
