// The rows of a sheet in memory: found and inserted in order wherever they are written,
// at the end, a few rows above it or far above.
#include "host/sheet/cell_store.hpp"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace ls::sheet {
namespace {

std::vector<std::int32_t> numbers(const CellStore& store) {
    std::vector<std::int32_t> out;
    for (const Row& row : store.rows())
        out.push_back(row.index);
    return out;
}

TEST(CellStore, RowsWrittenInAnyOrderStaySortedAndAreFoundWhereverTheyAre) {
    CellStore store;
    std::set<std::int32_t> reference;
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) {
        // Mostly the next rows, sometimes a few above the last, sometimes far above.
        const std::int32_t last = reference.empty() ? 0 : *reference.rbegin();
        const int pick = static_cast<int>(random() % 10);
        const std::int32_t r = pick < 6 ? last + 1 + static_cast<std::int32_t>(random() % 3)
                               : pick < 9
                                   ? std::max(1, last - static_cast<std::int32_t>(random() % 12))
                                   : 1 + static_cast<std::int32_t>(random() % (last + 1));
        store.row(r).cell(1, 0);
        reference.insert(r);
        ASSERT_EQ(store.rows().size(), reference.size());
        const std::int32_t probe = 1 + static_cast<std::int32_t>(random() % (last + 3));
        const auto expected = static_cast<std::size_t>(
            std::distance(reference.begin(), reference.lower_bound(probe)));
        ASSERT_EQ(store.lowerBound(probe), expected) << "row " << probe;
        ASSERT_EQ(store.find(probe) != nullptr, reference.count(probe) == 1);
    }
    EXPECT_EQ(numbers(store), std::vector<std::int32_t>(reference.begin(), reference.end()));
}

TEST(CellStore, AWalkOverRowsVisitsEachInOrderAndFillsTheGaps) {
    CellStore store;
    for (const std::int32_t r : {2, 5, 6, 40})
        store.row(r).cell(3, 7);
    std::vector<std::int32_t> visited;
    store.eachRow(4, 8, [&](Row& row) {
        visited.push_back(row.index);
        row.cell(1, 0);
    });
    EXPECT_EQ(visited, (std::vector<std::int32_t>{4, 5, 6, 7, 8}));
    EXPECT_EQ(numbers(store), (std::vector<std::int32_t>{2, 4, 5, 6, 7, 8, 40}));
    // The rows that were there keep their cells.
    ASSERT_NE(store.find(5), nullptr);
    EXPECT_EQ(store.find(5)->cells.size(), 2u);
    store.eachRow(41, 42, [](Row& row) { row.cell(1, 0); });
    EXPECT_EQ(numbers(store).back(), 42);
}

}  // namespace
}  // namespace ls::sheet
