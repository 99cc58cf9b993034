// Field values, their conversions, and walking a result.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/db/db_error.hpp"
#include "host/db/recordset.hpp"
#include "host/text/convert.hpp"

namespace ls::db {
namespace {

class GermanLocale : public ::testing::Test {
  protected:
    GermanLocale() : saved_(text::userLocale()) { text::setUserLocale({}); }
    ~GermanLocale() override { text::setUserLocale(saved_); }

  private:
    text::UserLocale saved_;
};

using ValueTest = GermanLocale;

TEST_F(ValueTest, NumbersFromEveryKindOfValue) {
    EXPECT_EQ(Value().toDouble(), 0);
    EXPECT_EQ(Value(7).toDouble(), 7);
    EXPECT_EQ(Value("2,5").toDouble(), 2.5);  // as the user types it
    EXPECT_EQ(Value("2.5").toDouble(), 2.5);  // as a database writes it
    EXPECT_EQ(Value(" -1e3 ").toDouble(), -1000);
    EXPECT_EQ(Value(text::DateTime{2024, 1, 1, 12, 0, 0}).toDouble(), 45292.5);
    for (const char* notANumber : {"abc", "", "nan", "inf", "1,2.3", "12 m"}) {
        try {
            Value(notANumber).toDouble();
            ADD_FAILURE() << notANumber;
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find('"' + std::string(notANumber) + '"'),
                      std::string::npos);
        }
    }
}

TEST_F(ValueTest, WholeNumbersRoundHalfToEvenAndCheckTheirRange) {
    EXPECT_EQ(Value(2.5).toInt64(), 2);
    EXPECT_EQ(Value(3.5).toInt64(), 4);
    EXPECT_EQ(Value("7").toInt32(), 7);
    EXPECT_EQ(Value(std::int64_t{9007199254740993}).toInt64(), 9007199254740993);  // not via double
    EXPECT_EQ(Value(-2147483648.0).toInt32(), INT32_MIN);
    EXPECT_THROW(Value(2147483648.0).toInt32(), DbError);
    EXPECT_THROW(Value(9.3e18).toInt64(), DbError);
    EXPECT_THROW(Value(std::nan("")).toInt64(), DbError);
}

TEST_F(ValueTest, DefaultTextForms) {
    EXPECT_EQ(Value().toText(), "");
    EXPECT_EQ(Value(std::int64_t{-12345678901234}).toText(), "-12345678901234");
    EXPECT_EQ(Value(23.5).toText(), "23,5");
    EXPECT_EQ(Value("O'Brien").toText(), "O'Brien");
    EXPECT_EQ(Value(text::DateTime{2026, 3, 5}).toText(), "05.03.2026");
}

TEST(ValueStorage, TextsInsideAndOnTheHeapSurviveCopiesAndMovesWhole) {
    // 14 bytes are kept inside the value, 15 and more on the heap; a NUL byte is text.
    const std::string inside = "Fichte Abschn.";
    const std::string outside = "Fichte Abschnitt 7";
    const std::string withNul("A\0B", 3);
    ASSERT_EQ(inside.size(), 14u);
    std::vector<Value> values = {Value(inside), Value(outside), Value(""), Value(withNul),
                                 Value(std::string(100'000, 'x'))};
    // Growing the vector moves them; copies of copies keep their own texts.
    for (int i = 0; i < 200; ++i)
        values.push_back(values[static_cast<std::size_t>(i % 5)]);
    EXPECT_EQ(values[0].text(), inside);
    EXPECT_EQ(values[201].text(), outside);
    EXPECT_EQ(values[202].text(), "");
    EXPECT_TRUE(values[202].isText());  // an empty text is no NULL
    EXPECT_EQ(values[203].text(), withNul);
    EXPECT_EQ(values[204].text().size(), 100'000u);

    Value a(outside);
    Value b = a;
    a = Value(7);  // the old heap text goes, b keeps its copy
    EXPECT_EQ(b.text(), outside);
    const Value& same = b;
    b = same;  // assigning to itself changes nothing
    EXPECT_EQ(b.text(), outside);
    Value c = std::move(b);
    EXPECT_EQ(c.text(), outside);
    c = Value(inside);
    EXPECT_EQ(c, Value(inside));
    EXPECT_NE(c, Value(outside));
    EXPECT_NE(Value(1), Value(1.0));  // kinds differ, as the database gave them
    EXPECT_NE(Value(""), Value());
}

TEST(ValueStorage, DatesKeepEveryField) {
    const text::DateTime d{2026, 12, 31, 23, 59, 58};
    const Value v(d);
    EXPECT_EQ(v.date(), d);
    EXPECT_EQ(Value(v).date(), d);
    EXPECT_NE(v, Value(text::DateTime{2026, 12, 31, 23, 59, 57}));
    EXPECT_EQ(Value(text::DateTime{}).date(), text::DateTime{});
}

Recordset threeRows() {
    return Recordset({"ID", "Name", "id"}, {1, "a", 10, 2, "b", 20, 3, Value(), 30});
}

TEST(RecordsetTest, WalksForwardAndOneStepBack) {
    Recordset rs = threeRows();
    ASSERT_EQ(rs.rowCount(), 3u);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs["id"], Value(1));  // by name without letter case: the first of that name
    EXPECT_EQ(rs[2], Value(10));
    rs.moveNext();
    rs.moveNext();
    EXPECT_TRUE(rs["NAME"].isNull());
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveNext();  // stays on EOF
    rs.movePrevious();
    EXPECT_EQ(rs["ID"], Value(3));  // a look ahead can step back from the end
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    rs.movePrevious();
    rs.moveNext();
    EXPECT_EQ(rs["ID"], Value(1));
}

TEST(RecordsetTest, FieldsResolvedOnceFollowTheRowAndTheCopy) {
    Recordset rs = threeRows();
    EXPECT_EQ(rs["Name"], Value("a"));
    Recordset copy = rs;
    copy.moveNext();
    EXPECT_EQ(copy["Name"], Value("b"));
    EXPECT_EQ(rs["Name"], Value("a"));
    rs.moveNext();
    rs.moveNext();
    EXPECT_TRUE(rs["nAmE"].isNull());
    EXPECT_EQ(rs["id"], Value(3));
    EXPECT_EQ(rs["Id"], Value(3));
    EXPECT_THROW((void)rs["Laenge"], DbError);
    EXPECT_THROW((void)rs["Laenge"], DbError);  // a missing field is not remembered as found
}

TEST(RecordsetTest, NamesFindTheirFieldsWhereverTheirTextLives) {
    Recordset rs({"A", "B", "C"}, {1, 2, 3, 4, 5, 6});
    for (int row = 0; row < 2; ++row, rs.moveNext()) {
        EXPECT_EQ(rs["A"], Value(1 + 3 * row));
        EXPECT_EQ(rs["B"], Value(2 + 3 * row));
        EXPECT_EQ(rs["C"], Value(3 + 3 * row));
    }
    rs.moveFirst();
    // A name rewritten in the same place is another name.
    char name[] = "A";
    EXPECT_EQ(rs[std::string_view(name)], Value(1));
    name[0] = 'C';
    EXPECT_EQ(rs[std::string_view(name)], Value(3));
    name[0] = 'b';
    EXPECT_EQ(rs[std::string_view(name)], Value(2));
    // Many names at once, spelled otherwise, asked again: each its own field.
    std::vector<std::string> names;
    std::vector<Value> values;
    for (int i = 0; i < 300; ++i) {
        names.push_back("F" + std::to_string(i));
        values.emplace_back(i);
    }
    const Recordset wide(names, values);
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 300; ++i)
            ASSERT_EQ(wide["f" + std::to_string(i)], Value(i));
    EXPECT_THROW((void)rs["D"], DbError);
}

TEST(RecordsetTest, RecordsetsOfOneShapeShareTheirFieldsButNotTheirRows) {
    const Recordset shape({"ID", "KUB"}, {});
    Recordset a = shape.withValues({1, 2.5, 2, 3.5});
    Recordset b = shape.withValues({7, 0.5});
    EXPECT_EQ(a["KUB"], Value(2.5));
    EXPECT_EQ(b["KUB"], Value(0.5));
    a.moveNext();
    EXPECT_EQ(a["ID"], Value(2));
    EXPECT_EQ(b["ID"], Value(7));
    EXPECT_EQ(b.rowCount(), 1u);
    EXPECT_EQ(shape.withValues({}).fieldNames(), (std::vector<std::string>{"ID", "KUB"}));
    EXPECT_THROW(shape.withValues({1}), DbError);  // half a row
}

TEST(RecordsetTest, LargeResultsKeepTheirRowsAcrossBlocksAndLetGoOfThoseBehind) {
    const std::size_t rows = 2 * Recordset::kBlockRows + 5;
    std::vector<Value> values;
    for (std::size_t i = 0; i < rows; ++i) {
        values.emplace_back(static_cast<std::int64_t>(i));
        values.emplace_back("Stamm Nummer " + std::to_string(i));  // on the heap
    }
    Recordset rs({"N", "T"}, values);
    ASSERT_EQ(rs.rowCount(), rows);
    for (std::size_t i = 0; i < rows; ++i, rs.moveNext()) {
        ASSERT_EQ(rs["N"], Value(static_cast<std::int64_t>(i)));
        ASSERT_EQ(rs[1], Value("Stamm Nummer " + std::to_string(i)));
    }
    EXPECT_TRUE(rs.eof());
    // Handed over whole, in order, across the blocks.
    EXPECT_EQ(Recordset({"N", "T"}, values).takeValues(), values);

    // A walk that lets go behind it keeps its row and the rows ahead; a row let go throws.
    Recordset walk({"N", "T"}, values);
    for (std::size_t i = 0; i < Recordset::kBlockRows + 3; ++i)
        walk.moveNext();
    walk.releaseBefore(Recordset::kBlockRows + 3);
    EXPECT_EQ(walk["N"], Value(static_cast<std::int64_t>(Recordset::kBlockRows + 3)));
    walk.movePrevious();
    walk.movePrevious();
    walk.movePrevious();
    EXPECT_EQ(walk["N"], Value(static_cast<std::int64_t>(Recordset::kBlockRows)));
    walk.movePrevious();
    EXPECT_THROW((void)walk["N"], DbError);
    walk.moveFirst();
    EXPECT_THROW((void)walk[0], DbError);
    // Blocks that do not fit the fields are refused.
    EXPECT_THROW(Recordset::fromBlocks({"N"}, {std::vector<Value>(3), std::vector<Value>(1)}),
                 DbError);
}

TEST(RecordsetTest, EmptyResultIsBofAndEof) {
    const Recordset rs({"A"}, {});
    EXPECT_TRUE(rs.empty());
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.fieldNames(), std::vector<std::string>{"A"});
}

TEST(RecordsetTest, ErrorsNameTheField) {
    Recordset rs = threeRows();
    const auto message = [&](auto access) {
        try {
            access();
        } catch (const DbError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_NE(message([&] { (void)rs["LAENGE"]; }).find("LAENGE"), std::string::npos);
    EXPECT_NE(message([&] { (void)rs[3]; }).find("3"), std::string::npos);
    rs.moveNext();
    rs.moveNext();
    rs.moveNext();
    EXPECT_NE(message([&] { (void)rs["Name"]; }).find("Name"), std::string::npos);
    EXPECT_THROW(Recordset({"A", "B"}, {1, 2, 3}), DbError);
}

TEST(RecordsetTest, TakenValuesLeaveAnEmptyRecordset) {
    Recordset rs({"A", "B"}, {1, "eins", 2, "zwei"});
    rs.moveNext();
    const auto values = std::move(rs).takeValues();
    EXPECT_EQ(values, (std::vector<Value>{1, "eins", 2, "zwei"}));
    EXPECT_EQ(rs.rowCount(), 0u);
    EXPECT_TRUE(rs.eof());
    EXPECT_THROW(rs["A"], DbError);
}

}  // namespace
}  // namespace ls::db
