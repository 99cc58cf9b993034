// Lock files on a shared machine: a private folder per user, and no lock file of another user.
#include "app/user_runtime_folder.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "app/output_lock.hpp"
#include "app/single_instance.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app {
namespace {

// Runs with TMPDIR pointing at a folder of the test and no XDG_RUNTIME_DIR.
class UserRuntimeFolder : public ::testing::Test {
  protected:
    UserRuntimeFolder() {
        saveEnv("TMPDIR");
        saveEnv("XDG_RUNTIME_DIR");
        saveEnv("LIEFERSCHEIN_LOCK");
        ::setenv("TMPDIR", dir.path().c_str(), 1);
        ::unsetenv("XDG_RUNTIME_DIR");
        ::unsetenv("LIEFERSCHEIN_LOCK");
    }
    ~UserRuntimeFolder() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }
    void saveEnv(const char* name) {
        const char* v = std::getenv(name);
        saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
    }
    std::filesystem::path expected() const {
        return dir.path() / ("lieferschein-" + std::to_string(::getuid()));
    }

    test::TempDir dir;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(UserRuntimeFolder, IsMadeForTheUserAloneAndHoldsTheLock) {
    EXPECT_EQ(privateRuntimeFolder(), expected());
    struct stat info {};
    ASSERT_EQ(::stat(expected().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(SingleInstance::lockFile(), expected() / "lieferschein.lock");

    const SingleInstance first;
    EXPECT_TRUE(first.refusal().empty());
    EXPECT_FALSE(first.otherInstanceRunning());
    const SingleInstance second;
    EXPECT_TRUE(second.otherInstanceRunning());
}

TEST_F(UserRuntimeFolder, AFolderOpenToOthersOrALinkIsRefused) {
    std::filesystem::create_directory(expected());
    ::chmod(expected().c_str(), 0777);
    EXPECT_THROW(privateRuntimeFolder(), PrivateFolderError);
    const SingleInstance refused;
    EXPECT_NE(refused.refusal().find("für andere Benutzer offen"), std::string::npos)
        << refused.refusal();
    EXPECT_FALSE(refused.otherInstanceRunning());

    std::filesystem::remove(expected());
    std::filesystem::create_directory(dir.path() / "woanders");
    std::filesystem::create_directory_symlink(dir.path() / "woanders", expected());
    EXPECT_THROW(privateRuntimeFolder(), PrivateFolderError);
}

TEST_F(UserRuntimeFolder, ALockFileOrFolderOfAnotherUserIsRefusedWithAMessage) {
    if (::getuid() != 0) GTEST_SKIP() << "needs root to make a file of another user";
    std::filesystem::create_directory(expected());
    ::chmod(expected().c_str(), 0700);
    const auto lock = expected() / "lieferschein.lock";
    std::ofstream(lock) << "";
    ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
    const SingleInstance refused;
    EXPECT_NE(refused.refusal().find("gehört einem anderen Benutzer"), std::string::npos);
    EXPECT_NE(refused.refusal().find(lock.string()), std::string::npos);

    std::filesystem::remove(lock);
    ASSERT_EQ(::chown(expected().c_str(), 65534, 65534), 0);
    const SingleInstance foreignFolder;
    EXPECT_NE(foreignFolder.refusal().find("gehört einem anderen Benutzer"), std::string::npos);
}

TEST_F(UserRuntimeFolder, RunsForOneOutputFileTakeTurnsAndOthersDoNotWait) {
    const auto file = dir.path() / "Lieferschein_R_1.xlsx";
    auto first = OutputLock::acquire(file, std::chrono::milliseconds(0));
    ASSERT_TRUE(first.has_value());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(OutputLock::acquire(file, std::chrono::milliseconds(300)).has_value());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    // The same file named another way is the same file.
    EXPECT_FALSE(OutputLock::acquire(dir.path() / "." / "Lieferschein_R_1.xlsx",
                                     std::chrono::milliseconds(0))
                     .has_value());
    EXPECT_TRUE(
        OutputLock::acquire(dir.path() / "Lieferschein_R_2.xlsx", std::chrono::milliseconds(0))
            .has_value());
    first.reset();
    EXPECT_TRUE(OutputLock::acquire(file, std::chrono::milliseconds(0)).has_value());
}

}  // namespace
}  // namespace ls::app
