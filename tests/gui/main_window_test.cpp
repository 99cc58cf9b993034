// The main window on the offscreen platform: options from the template, OK, the template
// dialog and the stored position.
#include "app/gui/main_window.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <cstdlib>
#include <fstream>

#include "app/gui/template_dialog.hpp"
#include "app/gui/window_position.hpp"
#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "host/sheet/workbook.hpp"
#include "host/text/convert.hpp"
#include "tests/support/test_database.hpp"

namespace ls::app::gui {
namespace {

// Messages are collected instead of shown, so that no modal box waits for a click.
class TestWindow : public MainWindow {
  public:
    using MainWindow::MainWindow;
    void message(std::string_view text) override { messages.emplace_back(text); }
    std::vector<std::string> messages;
};

class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        text::setUserLocale(text::UserLocale{});
        ::setenv("LIEFERSCHEIN_LOCK", (dir.path() / "lock").c_str(), 1);
        demo::writeDemoDatabase(dir.path() / "demo.db");
        std::filesystem::create_directory(dir.path() / "vorlagen");
        // The options of this template: single logs by stem number, no aggregated list.
        writeTemplate("Lieferschein_Test.xltx", 6, 0, "");
        std::ofstream(dir.path() / "tannova.ini")
            << "PathTemplates=" << (dir.path() / "vorlagen").string()
            << "\nPathOutput=" << dir.path().string() << "\n";
        commandLine.connectString =
            "Provider=SQLite;Data Source=" + (dir.path() / "demo.db").string();
        commandLine.rechNr = "1001";
        commandLine.rechArt = "R";
        commandLine.iniPfad = (dir.path() / "tannova.ini").string();
    }

    // The default template with its own order and aggregated-list options, and a mark in
    // the letterhead that the run leaves standing.
    void writeTemplate(const std::string& name, int einzSort, int lVerdichtet,
                       const std::string& mark) {
        const auto file = dir.path() / "vorlagen" / name;
        demo::writeDefaultTemplate(file);
        auto workbook = sheet::Workbook::fromTemplate(file);
        auto& settings = workbook.sheet("Einstellungen");
        for (std::int32_t row = 2; row <= 101; ++row) {
            const auto key = text::toUpper(settings.text(row, 1));
            if (key == "EINZSORT") settings.setNumber(sheet::Range::cell(row, 2), einzSort);
            if (key == "LEINZELN") settings.setNumber(sheet::Range::cell(row, 2), 1);
            if (key == "LVERDICHTET") settings.setNumber(sheet::Range::cell(row, 2), lVerdichtet);
        }
        if (!mark.empty()) workbook.sheet("Holzliste").setText("A10", mark);
        workbook.save(file);
    }

    template <typename T>
    T* child(TestWindow& w, const char* name) {
        auto* found = w.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    test::TempDir dir;
    CommandLine commandLine;
};

TEST_F(MainWindowTest, ShowsTheRunOptionsOfTheTemplate) {
    TestWindow w(commandLine);
    ASSERT_TRUE(w.load()) << (w.messages.empty() ? "" : w.messages.front());
    EXPECT_EQ(w.windowTitle(), "TNV32-Lieferschein V 1.0.0");
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(child<QRadioButton>(w, "RadStammNummer")->isChecked());
    EXPECT_EQ(child<QCheckBox>(w, "CbEinzeln")->checkState(), Qt::Checked);
    EXPECT_EQ(child<QCheckBox>(w, "CbVerdichtet")->checkState(), Qt::Unchecked);
    // A click toggles between cleared and set; grey is only shown, never clicked to.
    child<QCheckBox>(w, "CbVerdichtet")->click();
    EXPECT_EQ(child<QCheckBox>(w, "CbVerdichtet")->checkState(), Qt::Checked);
    child<QCheckBox>(w, "CbVerdichtet")->click();
    EXPECT_EQ(child<QCheckBox>(w, "CbVerdichtet")->checkState(), Qt::Unchecked);
    RunOptions greyed;
    greyed.lSofortDruck = CheckState::Greyed;
    w.ShowOptionen(greyed);
    auto* druck = child<QCheckBox>(w, "CbDruck");
    EXPECT_EQ(druck->checkState(), Qt::PartiallyChecked);
    druck->click();
    druck->click();
    EXPECT_EQ(druck->checkState(), Qt::Unchecked);
    EXPECT_EQ(child<QLabel>(w, "LbStatus")->text(), "Bereit!");
    EXPECT_EQ(child<QPushButton>(w, "B_OK")->geometry(), QRect(8, 208, 89, 17));
    EXPECT_TRUE(w.messages.empty());
}

TEST_F(MainWindowTest, OkStoresTheOptionsRunsTheReportAndSavesIt) {
    TestWindow w(commandLine);
    ASSERT_TRUE(w.load());
    child<QRadioButton>(w, "RadSortiment")->setChecked(true);
    child<QCheckBox>(w, "CbVerdichtet")->setCheckState(Qt::Checked);
    child<QPushButton>(w, "B_OK")->click();

    ASSERT_EQ(w.lastReport().status, RunStatus::Saved)
        << (w.messages.empty() ? "" : w.messages.front());
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Lieferschein_R_1001.xlsx"));
    EXPECT_EQ(w.session().settings().EinzSort, 5);
    EXPECT_EQ(w.session().settings().lVerdichtet, 1);
    EXPECT_EQ(child<QLabel>(w, "LbStatus")->text().left(12), "Gespeichert:");
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    // A second OK writes the next result over the first.
    child<QPushButton>(w, "B_OK")->click();
    EXPECT_EQ(w.lastReport().status, RunStatus::Saved);
}

TEST_F(MainWindowTest, TheTemplatePickedInTheDialogIsTheOneTheRunFills) {
    writeTemplate("Lieferschein_Zweite.xltx", 3, 1, "Zweite Vorlage");
    TestWindow w(commandLine);
    // The dialog is modal: the second entry is picked once it shows.
    int offered = 0;
    QTimer picker;
    QObject::connect(&picker, &QTimer::timeout, [&] {
        auto* dialog = w.findChild<TemplateDialog*>();
        if (!dialog || !dialog->isVisible()) return;
        picker.stop();
        auto* list = dialog->findChild<QListWidget*>("lbVorlagen");
        offered = list->count();
        list->setCurrentRow(1);
        dialog->findChild<QPushButton*>("OKButton")->click();
    });
    picker.start(10);
    ASSERT_TRUE(w.load()) << (w.messages.empty() ? "" : w.messages.front());
    EXPECT_EQ(offered, 2);
    EXPECT_EQ(w.session().templateName(), "Lieferschein_Zweite.xltx");
    EXPECT_TRUE(child<QRadioButton>(w, "RadListeLosWaldort")->isChecked());
    EXPECT_EQ(child<QCheckBox>(w, "CbVerdichtet")->checkState(), Qt::Checked);

    child<QPushButton>(w, "B_OK")->click();
    ASSERT_EQ(w.lastReport().status, RunStatus::Saved)
        << (w.messages.empty() ? "" : w.messages.front());
    auto result = sheet::Workbook::fromTemplate(w.lastReport().savedFile);
    EXPECT_EQ(result.sheet("Holzliste").text(10, 1), "Zweite Vorlage");
}

TEST(TemplateDialog, OffersEveryTemplateWithTheFirstSelected) {
    TemplateDialog dialog({"Lieferschein_A.xltx", "Lieferschein_B.xltx", "Lieferschein_C.xlt"});
    EXPECT_EQ(dialog.windowTitle(), "TNV32-Listenausdruck");
    auto* list = dialog.findChild<QListWidget*>("lbVorlagen");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(dialog.chosenIndex(), 0);
    list->setCurrentRow(2);
    // Closing the dialog in any way takes the selected template.
    dialog.reject();
    EXPECT_EQ(dialog.chosenIndex(), 2);
}

TEST(WindowPosition, IsStoredInTwipsOnlyWhenBothCoordinatesAreSet) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Lieferschein_exe").clear();
    SaveFormPos(QPoint(100, 0));
    EXPECT_FALSE(loadFormPosCoordinate("X").has_value());
    SaveFormPos(QPoint(100, 50));
    EXPECT_EQ(loadFormPosCoordinate("X"), 1500);
    EXPECT_EQ(loadFormPosCoordinate("Y"), 750);
    EXPECT_EQ(LoadFormPos(QPoint(1, 1)), QPoint(100, 50));
    SaveFormPos(QPoint(3000, 50));  // beyond 16 bits in twips: not stored
    EXPECT_EQ(loadFormPosCoordinate("X"), 1500);
}

TEST(Screenshot, MainWindowUnderARealDisplay) {
    const char* out = std::getenv("LS_SCREENSHOT_DIR");
    if (!out || QGuiApplication::platformName() == "offscreen") {
        GTEST_SKIP() << "runs under xvfb-run with LS_SCREENSHOT_DIR";
    }
    TestWindow w(CommandLine{});
    w.show();
    QApplication::processEvents();
    std::filesystem::create_directories(out);
    const auto file = std::filesystem::path(out) / "main_window.png";
    ASSERT_TRUE(w.grab().save(QString::fromStdString(file.string())));
    EXPECT_GT(std::filesystem::file_size(file), 1000u);
}

}  // namespace
}  // namespace ls::app::gui
