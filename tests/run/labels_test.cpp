// Label texts: the installation's own wording before the standard one, blanks trimmed.
#include "run/labels.hpp"

#include <gtest/gtest.h>

#include "tests/support/test_database.hpp"

namespace ls::run {
namespace {

TEST(Labels, OwnWordingFirstBlankWordingCountsAsNone) {
    test::TestDatabase database;
    database.exec(
        "INSERT INTO STRINGS (ID_STRING, GERMAN, CUSTOM_GERMAN) VALUES "
        "(1, 'Los ', NULL), (2, 'Los ', '   '), (3, 'Los', ' Partie '), (4, NULL, NULL), "
        "(-5, 'negativ', NULL);");
    Labels labels(database.connection());
    EXPECT_EQ(labels.GetStringText(1), "Los");
    EXPECT_EQ(labels.GetStringText(2), "Los");
    EXPECT_EQ(labels.GetStringText(3), "Partie");
    EXPECT_EQ(labels.GetStringText(4), "");
    EXPECT_EQ(labels.GetStringText(99), "");
    EXPECT_EQ(labels.GetStringText(-5), "negativ");
}

}  // namespace
}  // namespace ls::run
