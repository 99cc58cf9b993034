// Further logs for benchmarks: many lists of mixed assortments on one invoice.
#pragma once

#include <cstdint>

namespace ls::demo {

class SqliteWriter;

struct BenchmarkLayout {
    std::int64_t firstLogId = 0;     // ids from here on are free
    std::int64_t firstMantelId = 0;  // shell group ids from here on are free
    static constexpr std::int64_t kLogsPerList = 2000;
    static constexpr std::int64_t kLogsPerPile = 20;
    static constexpr std::int64_t kMaxLogs = 10'000'000;
};

// Adds `count` logs of invoice R 1001 in lists "900001", "900002", ... of at most
// kLogsPerList logs, two lots per list and piles of kLogsPerPile logs. Runs inside the
// caller's transaction.
void addBenchmarkLogs(SqliteWriter& db, std::int64_t count, const BenchmarkLayout& layout);

}  // namespace ls::demo
