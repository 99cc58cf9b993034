// Saves killed before their rename, and names near the file system's limit.
#include "host/sheet/save_temporary.hpp"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <set>
#include <thread>

#include "host/sheet/workbook.hpp"
#include "tests/support/test_database.hpp"

namespace ls::sheet {
namespace {

std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

Workbook largeWorkbook() {
    auto book = Workbook::blank({"Holzliste"});
    auto& s = book.sheet(0);
    for (int row = 1; row <= 40000; ++row) {
        for (int column = 1; column <= 10; ++column)
            s.setNumber(Range::cell(row, column), row * 10.0 + column + 0.125);
    }
    return book;
}

TEST(SaveTemporaries, TheNextSaveRemovesWhatKilledSavesLeftAndNothingElse) {
    test::TempDir dir;
    const auto folder = dir.path();
    const auto target = folder / "Lieferschein_R_1001.xlsx";
    const auto book = largeWorkbook();

    // Killed in the middle of writing, as a user or a service manager would kill the run.
    const auto killedSave = [&] {
        const auto before = namesIn(folder);
        std::thread watch([&] {
            for (;;) {
                for (const auto& name : namesIn(folder))
                    if (name.front() == '.' && !before.count(name)) std::raise(SIGKILL);
                std::this_thread::yield();
            }
        });
        book.save(target);
        std::_Exit(0);  // saved before the watcher saw the temporary file
    };
    EXPECT_EXIT(killedSave(), ::testing::KilledBySignal(SIGKILL), "");
    EXPECT_EXIT(killedSave(), ::testing::KilledBySignal(SIGKILL), "");
    const auto left = namesIn(folder);
    ASSERT_FALSE(left.empty());
    EXPECT_FALSE(left.count(target.filename().string()));

    // Files that are not leftovers of ended processes of this user on this machine.
    const auto running = temporaryFileIn(folder);  // this process, still saving
    const auto otherMachine = folder / ".lieferschein-zzzzzzzz-1-0.tmp";
    const auto ownFile = folder / ".lieferschein-notizen.tmp";
    for (const auto& file : {running, otherMachine, ownFile})
        std::ofstream(file) << "x";

    book.save(target);
    std::set<std::string> expected = {target.filename().string(), running.filename().string(),
                                      otherMachine.filename().string(),
                                      ownFile.filename().string()};
    EXPECT_EQ(namesIn(folder), expected);
    EXPECT_EQ(Workbook::fromTemplate(target).sheet(0).value(40000, 10).number, 400010.125);
}

TEST(SaveTemporaries, AFinalNameOfTheLongestLengthSaves) {
    test::TempDir dir;
    auto book = Workbook::blank({"Holzliste"});
    book.sheet(0).setText("A1", "lang");
    const std::string name = "Lieferschein_R_" + std::string(235, '9') + ".xlsx";
    ASSERT_EQ(name.size(), 255u);
    ASSERT_NO_THROW(book.save(dir.path() / name));
    EXPECT_EQ(Workbook::fromTemplate(dir.path() / name).sheet(0).text(1, 1), "lang");
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{name});
    // The temporary name does not grow with the target's.
    EXPECT_LT(temporaryFileIn(dir.path()).filename().string().size(), 64u);
}

}  // namespace
}  // namespace ls::sheet
