// The default template: a well-formed package with the list sheet, settings and logo.
#include "demo/default_template.hpp"

#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <iterator>
#include <map>
#include <pugixml.hpp>
#include <string>

#include "tests/support/test_database.hpp"

namespace ls::test {
namespace {

// All entries of a zip file, by name.
std::map<std::string, std::string> readZip(const std::filesystem::path& file) {
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!archive) throw std::runtime_error("not a zip: " + file.string());
    std::map<std::string, std::string> entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(archive, i, 0, &st);
        std::string data(st.size, '\0');
        zip_file_t* f = zip_fopen_index(archive, i, 0);
        zip_fread(f, data.data(), st.size);
        zip_fclose(f);
        entries[st.name] = std::move(data);
    }
    zip_close(archive);
    return entries;
}

std::string slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DefaultTemplate : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::make_unique<TempDir>();
        demo::writeDefaultTemplate(file());
        parts_ = readZip(file());
    }
    static void TearDownTestSuite() { dir_.reset(); }
    static std::filesystem::path file() { return dir_->path() / "Lieferschein_Standard.xltx"; }
    static pugi::xml_document xml(const std::string& part) {
        pugi::xml_document doc;
        const auto it = parts_.find(part);
        if (it == parts_.end()) throw std::runtime_error("missing part " + part);
        const auto result = doc.load_buffer(it->second.data(), it->second.size());
        if (!result) throw std::runtime_error(part + ": " + result.description());
        return doc;
    }
    static inline std::unique_ptr<TempDir> dir_;
    static inline std::map<std::string, std::string> parts_;
};

TEST_F(DefaultTemplate, IsATemplatePackageWithConsistentRelationships) {
    const auto types = xml("[Content_Types].xml");
    EXPECT_STREQ(types.select_node("//Override[@PartName='/xl/workbook.xml']")
                     .node()
                     .attribute("ContentType")
                     .value(),
                 "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml");
    // Every part has a content type, every relationship target exists.
    for (const auto& [name, data] : parts_) {
        const auto dot = name.rfind('.');
        const std::string ext = name.substr(dot + 1);
        const bool typed = types.select_node(("//Override[@PartName='/" + name + "']").c_str()) ||
                           types.select_node(("//Default[@Extension='" + ext + "']").c_str());
        EXPECT_TRUE(typed) << name;
        if (ext != "rels") continue;
        // "xl/_rels/workbook.xml.rels" describes "xl/workbook.xml"; targets are relative to "xl/".
        const auto relsDir = name.find("_rels/");
        const std::string base = name.substr(0, relsDir);
        const auto rels = xml(name);
        for (const auto& rel : rels.select_nodes("//Relationship")) {
            std::string target = base + rel.node().attribute("Target").value();
            for (auto up = target.find("/../"); up != std::string::npos; up = target.find("/../")) {
                const auto parent = target.rfind('/', up - 1);
                target.erase(parent + 1, up + 4 - parent - 1);
            }
            EXPECT_TRUE(parts_.contains(target)) << name << " -> " << target;
        }
    }
}

TEST_F(DefaultTemplate, HolzlisteFirstAndActiveWithLetterhead) {
    const auto workbook = xml("xl/workbook.xml");
    const auto sheets = workbook.select_nodes("//sheets/sheet");
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_STREQ(sheets[0].node().attribute("name").value(), "Holzliste");
    EXPECT_STREQ(sheets[1].node().attribute("name").value(), "Einstellungen");
    EXPECT_EQ(workbook.select_node("//workbookView").node().attribute("activeTab").as_int(-1), 0);

    const auto sheet = xml("xl/worksheets/sheet1.xml");
    // The head stays above the start row 12, where the program's output begins.
    for (const auto& row : sheet.select_nodes("//sheetData/row")) {
        EXPECT_LT(row.node().attribute("r").as_int(), 12);
    }
    EXPECT_EQ(sheet.select_node("//pageSetup").node().attribute("paperSize").as_int(), 9);
    EXPECT_STREQ(sheet.select_node("//pageSetup").node().attribute("orientation").value(),
                 "portrait");
    EXPECT_TRUE(sheet.select_node("//drawing"));
    const std::string& logo = parts_.at("xl/media/logo.png");
    EXPECT_EQ(logo.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(DefaultTemplate, SettingsRowsFromRowTwo) {
    const auto shared = xml("xl/sharedStrings.xml");
    std::vector<std::string> strings;
    for (const auto& si : shared.select_nodes("//si"))
        strings.push_back(si.node().child_value("t"));
    auto text = [&](const pugi::xml_node& c) -> std::string {
        if (!c) return "";
        const std::string v = c.child_value("v");
        return std::string(c.attribute("t").value()) == "s" ? strings.at(std::stoul(v)) : v;
    };
    const auto sheet = xml("xl/worksheets/sheet2.xml");
    std::map<std::string, std::string> settings;
    std::vector<std::pair<std::string, std::string>> fields;
    for (const auto& r : sheet.select_nodes("//sheetData/row")) {
        const int row = r.node().attribute("r").as_int();
        const std::string a =
            text(r.node().find_child_by_attribute("c", "r", ("A" + std::to_string(row)).c_str()));
        const std::string b =
            text(r.node().find_child_by_attribute("c", "r", ("B" + std::to_string(row)).c_str()));
        if (row == 1) {
            EXPECT_EQ(a, "Schlüssel");
            EXPECT_EQ(b, "Wert");
            continue;
        }
        ASSERT_LE(row, 101) << "the program reads rows 2 to 101 only";
        if (a == "FARBE" || a.starts_with("TL.")) {
            fields.emplace_back(a, b);
        } else {
            EXPECT_TRUE(settings.emplace(a, b).second) << "twice: " << a;
        }
    }
    const std::map<std::string, std::string> on = {
        {"StartZeile", "12"},          {"lEinzeln", "1"},           {"lVerdichtet", "1"},
        {"lZuerstVerdichtet", "1"},    {"EinzSort", "6"},           {"SpaltenBreite", "12"},
        {"lStatistik", "1"},           {"lProzent", "1"},           {"lDMSZ", "1"},
        {"lKubGesamt", "1"},           {"lPolterKoordinaten", "1"}, {"lHöhen", "1"},
        {"lWaldortLang", "1"},         {"lAdresse(0)", "1"},        {"lReltable(1)", "1"},
        {"lVerkaufsart", "1"},         {"lZusKopf", "1"},           {"lZInfo", "1"},
        {"lWagNrStammbemerkung", "1"}, {"lAdressformat", "1"},      {"lKopfFuss", "1"}};
    for (const auto& [key, value] : on)
        EXPECT_EQ(settings[key], value) << key;
    // The keys switched off are there too, so template authors see them all.
    for (const char* key : {"lLosweise", "lGesamt", "lSofortDruck", "lHolzsorteLangBeiVerdichtung",
                            "lReltable(10)", "lAdresse(8)", "nZoom", "LetztenTage"}) {
        EXPECT_TRUE(settings.contains(key)) << key;
    }
    EXPECT_EQ(settings.size(), 44u);
    EXPECT_EQ(fields, (std::vector<std::pair<std::string, std::string>>{{"FARBE", "Farbe"},
                                                                        {"TL.LKW_NR", "LKW"}}));
}

TEST_F(DefaultTemplate, ReproducibleByteForByte) {
    const auto again = dir_->path() / "again.xltx";
    demo::writeDefaultTemplate(again);
    EXPECT_EQ(slurp(again), slurp(file()));
}

TEST(DefaultTemplateFile, UnwritableTargetIsReported) {
    TempDir dir;
    const auto file = dir.path() / "fehlt" / "Lieferschein_Standard.xltx";
    try {
        demo::writeDefaultTemplate(file);
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Vorlage"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace ls::test
