// The test runner of the main window: one QApplication for all tests, a settings store of
// its own, and the offscreen platform unless a display was given on purpose.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // The window position is stored per user; the tests must not touch the real store.
    std::string config = (std::filesystem::temp_directory_path() / "ls-gui-test-XXXXXX").string();
    if (::mkdtemp(config.data())) ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    QApplication application(argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return result;
}
