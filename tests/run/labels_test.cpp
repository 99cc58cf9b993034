// Label texts: the installation's own wording before the standard one, blanks trimmed.
#include "run/labels.hpp"

#include <gtest/gtest.h>

#include "host/db/db_error.hpp"
#include "tests/support/counting_connection.hpp"
#include "tests/support/test_database.hpp"

namespace ls::run {
namespace {

using test::CountingConnection;

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

// On a network database every label number asked on its own was a round trip.
TEST(Labels, TheNotesNumbersComeInOneStatementWithTheSameTexts) {
    test::TestDatabase database;
    // 726 twice: the first row counts, as the statement of one number gives it first.
    database.exec(
        "INSERT INTO STRINGS (ID_STRING, GERMAN, CUSTOM_GERMAN) VALUES "
        "(726, 'Liste ', NULL), (726, 'Zweite', NULL), (1135, 'Los', '  '), "
        "(5945, 'Polter', ' Stapel '), (6371, NULL, NULL), (42, ' Frei ', NULL);");
    CountingConnection counting(database.connection());
    Labels labels(counting);
    for (const auto n : Labels::noteNumbers())
        labels.GetStringText(n);
    EXPECT_EQ(counting.statements, 1);
    EXPECT_EQ(labels.GetStringText(726), "Liste");
    EXPECT_EQ(labels.GetStringText(1135), "Los");
    EXPECT_EQ(labels.GetStringText(5945), "Stapel");
    EXPECT_EQ(labels.GetStringText(6371), "");
    EXPECT_EQ(labels.GetStringText(41), "");  // no row
    EXPECT_EQ(counting.statements, 1);
    // A number the note does not use is read on its own, once.
    EXPECT_EQ(labels.GetStringText(42), "Frei");
    EXPECT_EQ(labels.GetStringText(42), "Frei");
    EXPECT_EQ(counting.statements, 2);
}

// A table the statement of many numbers cannot read fails each label as before, not the
// first one silently.
TEST(Labels, ATableWithoutOwnWordingStillFailsPerLabel) {
    test::TestDatabase database(
        "CREATE TABLE STRINGS (ID_STRING INTEGER, GERMAN TEXT);"
        "INSERT INTO STRINGS VALUES (726, 'Liste');");
    Labels labels(database.connection());
    EXPECT_THROW(labels.GetStringText(726), db::DbError);
    EXPECT_EQ(labels.GetStringText(41), "");
}

}  // namespace
}  // namespace ls::run
