// The workbook engine against libxlsxwriter: 100,000 rows of 12 columns with the formats
// of the delivery note (numbers, texts, number formats, bold rows, rule lines), each side
// in a child process of its own so that time and peak memory are its alone.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"

namespace {

constexpr int kRows = 100'000;
constexpr int kColumns = 12;
constexpr int kSubtotalEvery = 20;  // every twentieth row is a bold subtotal between lines

constexpr std::array<const char*, 6> kSorts = {"Fichte", "Kiefer", "Buche",
                                               "Eiche",  "Lärche", "Douglasie"};
// Number formats of columns C to L; A and B hold texts.
constexpr std::array<const char*, 10> kFormats = {"0.0",  "0",    "0.000", "0.0%", "dd.mm.yyyy",
                                                  "0.00", "0.00", "0.00",  "0.00", "0.000"};

std::string stemNumber(int row) {
    return "S-" + std::to_string(100000 + row);
}

double cellNumber(int row, int column) {
    switch (column) {
        case 2:
            return 1 + (row % 30) / 2.0;
        case 3:
            return 10 + row % 60;
        case 4:
            return row * 0.001;
        case 5:
            return (row % 100) / 100.0;
        case 6:
            return 46000 + row % 365;
        default:
            return row * 0.25 + column;
    }
}

bool subtotal(int row) {
    return row % kSubtotalEvery == 0;
}

void writeWithEngine(const std::filesystem::path& file) {
    using namespace ls::sheet;
    ls::text::setUserLocale(ls::text::UserLocale{});
    auto book = Workbook::blank({"Holzliste"});
    auto& sheet = book.sheet(0);
    for (int r = 1; r <= kRows; ++r) {
        // As the report writes a row: texts as typed entries, numbers, a format per cell.
        sheet.setText(Range::cell(r, 1), stemNumber(r));
        sheet.setText(Range::cell(r, 2), kSorts[static_cast<std::size_t>(r) % kSorts.size()]);
        for (int c = 3; c <= kColumns; ++c) {
            const Range cell = Range::cell(r, c);
            sheet.setNumberFormat(cell, kFormats[static_cast<std::size_t>(c - 3)]);
            sheet.setNumber(cell, cellNumber(r, c - 1));
        }
        if (subtotal(r)) {
            const Range row(r, 1, r, kColumns);
            sheet.setBold(row, true);
            sheet.setBorder(row, Edge::DiagonalDown, LineStyle::None);
            sheet.setBorder(row, Edge::DiagonalUp, LineStyle::None);
            sheet.setBorder(row, Edge::Left, LineStyle::None);
            sheet.setBorder(row, Edge::Top, LineStyle::Thin);
            sheet.setBorder(row, Edge::Bottom, LineStyle::Thin);
            sheet.setBorder(row, Edge::Right, LineStyle::None);
            sheet.setBorder(row, Edge::InsideVertical, LineStyle::None);
        }
    }
    book.save(file);
}

void writeWithXlsxwriter(const std::filesystem::path& file) {
    lxw_workbook* book = workbook_new(file.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Holzliste");
    // The same look: a format per column, and a bold one between lines for subtotal rows.
    std::array<lxw_format*, kColumns> plain{};
    std::array<lxw_format*, kColumns> bold{};
    for (int c = 0; c < kColumns; ++c) {
        plain[static_cast<std::size_t>(c)] = workbook_add_format(book);
        bold[static_cast<std::size_t>(c)] = workbook_add_format(book);
        lxw_format* b = bold[static_cast<std::size_t>(c)];
        format_set_bold(b);
        format_set_top(b, LXW_BORDER_THIN);
        format_set_bottom(b, LXW_BORDER_THIN);
        if (c >= 2) {
            format_set_num_format(plain[static_cast<std::size_t>(c)],
                                  kFormats[static_cast<std::size_t>(c - 2)]);
            format_set_num_format(b, kFormats[static_cast<std::size_t>(c - 2)]);
        }
    }
    // The line below a subtotal row is also the top line of the next row.
    std::array<lxw_format*, kColumns> below{};
    for (int c = 0; c < kColumns; ++c) {
        below[static_cast<std::size_t>(c)] = workbook_add_format(book);
        format_set_top(below[static_cast<std::size_t>(c)], LXW_BORDER_THIN);
        if (c >= 2) {
            format_set_num_format(below[static_cast<std::size_t>(c)],
                                  kFormats[static_cast<std::size_t>(c - 2)]);
        }
    }
    std::array<lxw_format*, kColumns> above{};
    for (int c = 0; c < kColumns; ++c) {
        above[static_cast<std::size_t>(c)] = workbook_add_format(book);
        format_set_bottom(above[static_cast<std::size_t>(c)], LXW_BORDER_THIN);
        if (c >= 2) {
            format_set_num_format(above[static_cast<std::size_t>(c)],
                                  kFormats[static_cast<std::size_t>(c - 2)]);
        }
    }
    for (int r = 1; r <= kRows; ++r) {
        const auto& formats = subtotal(r)       ? bold
                              : subtotal(r + 1) ? above
                              : subtotal(r - 1) ? below
                                                : plain;
        const auto row = static_cast<lxw_row_t>(r - 1);
        worksheet_write_string(sheet, row, 0, stemNumber(r).c_str(), formats[0]);
        worksheet_write_string(sheet, row, 1, kSorts[static_cast<std::size_t>(r) % kSorts.size()],
                               formats[1]);
        for (int c = 2; c < kColumns; ++c) {
            worksheet_write_number(sheet, row, static_cast<lxw_col_t>(c), cellNumber(r, c),
                                   formats[static_cast<std::size_t>(c)]);
        }
    }
    if (workbook_close(book) != LXW_NO_ERROR) std::exit(2);
}

struct Measure {
    double seconds = 0;
    double peakMiB = 0;
    bool ok = false;
};

template <class Work>
Measure inChild(Work work) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        try {
            work();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            _exit(1);
        }
        _exit(0);
    }
    Measure m;
    if (pid < 0) return m;
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return m;
}

}  // namespace

int main() {
    const auto folder =
        std::filesystem::temp_directory_path() / ("sheet-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto ours = folder / "engine.xlsx";
    const auto theirs = folder / "xlsxwriter.xlsx";

    const Measure engine = inChild([&] { writeWithEngine(ours); });
    const Measure reference = inChild([&] { writeWithXlsxwriter(theirs); });
    if (!engine.ok || !reference.ok) {
        std::fprintf(stderr, "a side failed (engine %d, libxlsxwriter %d)\n", engine.ok,
                     reference.ok);
        std::filesystem::remove_all(folder);
        return 1;
    }
    const double ratio = engine.seconds / reference.seconds;
    std::printf("%d rows x %d columns\n", kRows, kColumns);
    std::printf("engine:        %6.2f s  %7.1f MiB peak  %6.1f MiB file\n", engine.seconds,
                engine.peakMiB, std::filesystem::file_size(ours) / 1048576.0);
    std::printf("libxlsxwriter: %6.2f s  %7.1f MiB peak  %6.1f MiB file\n", reference.seconds,
                reference.peakMiB, std::filesystem::file_size(theirs) / 1048576.0);
    std::printf("time ratio engine / libxlsxwriter: %.2f (limit 2.00)\n", ratio);
    std::filesystem::remove_all(folder);
    const bool fast = ratio <= 2.0;
    const bool small = engine.peakMiB <= 1024.0;
    if (!fast || !small) {
        std::printf("LIMIT EXCEEDED:%s%s\n", fast ? "" : " time", small ? "" : " memory");
        return 1;
    }
    return 0;
}
