// The workbook's shared texts: the template's entries keep their numbers, new texts are
// added once each.
#include "host/sheet/string_pool.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ls::sheet {
namespace {

constexpr const char* kTemplateStrings =
    R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="5" uniqueCount="4">)"
    R"(<si><t>Fichte</t></si>)"
    R"(<si><r><rPr><b/></rPr><t>Kiefer</t></r></si>)"
    R"(<si><t>Fichte</t></si>)"
    R"(<si><t>Kiefer</t></si></sst>)";

TEST(StringPool, TemplateEntriesKeepTheirNumbersAndNewTextsComeOnceEach) {
    StringPool pool;
    pool.load(kTemplateStrings, "xl/sharedStrings.xml");
    ASSERT_EQ(pool.size(), 4u);
    EXPECT_FALSE(pool.grown());
    // A text the template holds twice is found as its first entry; a formatted entry is
    // no plain text, the plain one after it is.
    EXPECT_EQ(pool.intern("Fichte"), 0u);
    EXPECT_EQ(pool.intern("Kiefer"), 3u);
    EXPECT_EQ(pool.intern(""), 4u);
    EXPECT_TRUE(pool.grown());

    // Enough new texts to make the index grow several times: each keeps the number it got
    // first, and texts that differ only in case stay apart.
    std::vector<std::uint32_t> ids;
    for (int i = 0; i < 20000; ++i)
        ids.push_back(pool.intern("Stamm " + std::to_string(i)));
    for (int i = 0; i < 20000; ++i) {
        ASSERT_EQ(pool.intern("Stamm " + std::to_string(i)), ids[static_cast<std::size_t>(i)]);
        EXPECT_EQ(pool.text(ids[static_cast<std::size_t>(i)]), "Stamm " + std::to_string(i));
    }
    EXPECT_NE(pool.intern("stamm 1"), pool.intern("Stamm 1"));
    EXPECT_EQ(pool.intern("Fichte"), 0u);
    EXPECT_EQ(pool.size(), 4u + 1u + 20000u + 1u);
}

}  // namespace
}  // namespace ls::sheet
