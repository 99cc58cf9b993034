// The demo database: a deterministic forestry office with invoices that show every part of
// the delivery note, optionally scaled up for benchmarks.
#pragma once

#include <cstdint>
#include <filesystem>

namespace ls::demo {

struct DemoOptions {
    // Further logs of mixed assortments added to invoice R 1001, spread over lists of at
    // most 2,000 logs and piles of about 20 logs.
    std::int64_t extraLogs = 0;
};

// Writes a new SQLite database file (an existing file is replaced).
void writeDemoDatabase(const std::filesystem::path& file, const DemoOptions& options = {});

}  // namespace ls::demo
