// sheet_dump FILE: prints the canonical dump of a saved workbook, one line per cell, so that
// two notes (two builds, two platforms) can be compared with diff.
#include <cstdio>
#include <exception>

#include "tests/support/sheet_dump.hpp"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: sheet_dump ARBEITSMAPPE.xlsx\n");
        return 2;
    }
    try {
        const std::string dump = ls::test::dumpWorkbookFile(argv[1]);
        std::fwrite(dump.data(), 1, dump.size(), stdout);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
