// The main window on the offscreen platform: options from the template, OK, the template
// dialog and the stored position.
#include "app/gui/main_window.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "app/gui/instance_channel.hpp"
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
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    void processEvents() override {
        MainWindow::processEvents();
        if (onEvents) onEvents();
    }
    std::vector<std::string> messages;
    std::function<void()> onEvents;  // what the user does while a run lets events through
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
    // The form's controls moved down by the job line and keep their places to each other.
    EXPECT_EQ(child<QPushButton>(w, "B_OK")->geometry(), QRect(8, 248, 89, 17));
    EXPECT_EQ(child<QPushButton>(w, "ButAbbrech")->geometry(), QRect(144, 248, 89, 17));
    auto* job = child<QLabel>(w, "LbAuftrag");
    EXPECT_EQ(job->toolTip(),
              "Rechnung R 1001 · Sägewerk Mustermann GmbH · Vorlage "
              "Lieferschein_Test.xltx · demo.db");
    // Nothing reaches past the window's edge.
    for (auto* widget : w.findChildren<QWidget*>()) {
        if (widget->parentWidget() != &w || !widget->isVisibleTo(&w)) continue;
        EXPECT_TRUE(w.rect().contains(widget->geometry())) << widget->objectName().toStdString();
    }
    // Each line of the job fits, shortened where it must be.
    for (const auto& line : job->text().split('\n')) {
        EXPECT_LE(job->fontMetrics().horizontalAdvance(line), job->width()) << line.toStdString();
    }
    EXPECT_TRUE(job->text().contains("Vorlage Lieferschein_Test.xltx"));
    EXPECT_FALSE(child<QPushButton>(w, "ButOeffnen")->isEnabled());
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
    auto* status = child<QLabel>(w, "LbStatus");
    EXPECT_EQ(status->text().left(12), "Gespeichert:");
    // However long the path, the tooltip holds all of it.
    EXPECT_EQ(status->toolTip(),
              QString::fromStdString("Gespeichert: " +
                                     (dir.path() / "Lieferschein_R_1001.xlsx").string()));
    EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->width());
    EXPECT_TRUE(child<QPushButton>(w, "ButOeffnen")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "ButOrdnerOeffnen")->isEnabled());
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

TEST_F(MainWindowTest, EnterPressesOkFromAnyControlAndEscapeAbbrechen) {
    TestWindow w(commandLine);
    ASSERT_TRUE(w.load());
    w.show();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(child<QCheckBox>(w, "CbEinzeln"), &enter);
    EXPECT_EQ(w.lastReport().status, RunStatus::Saved);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Lieferschein_R_1001.xlsx"));

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(child<QRadioButton>(w, "RadEing"), &escape);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, DuringARunOnlyAbbrechenIsUsable) {
    TestWindow w(commandLine);
    ASSERT_TRUE(w.load());
    w.showRunning(true);
    EXPECT_FALSE(child<QPushButton>(w, "B_OK")->isEnabled());
    EXPECT_FALSE(child<QRadioButton>(w, "RadEing")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(w, "CbLosweise")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(w, "CbDruck")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(w, "ButAbbrech")->isEnabled());
    // Enter does nothing while OK is disabled.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    EXPECT_NE(w.lastReport().status, RunStatus::Saved);
    w.showRunning(false);
    EXPECT_TRUE(child<QPushButton>(w, "B_OK")->isEnabled());
}

TEST_F(MainWindowTest, AVeryLongStatusIsElidedInTheMiddle) {
    TestWindow w(commandLine);
    const std::string path = "/srv/" + std::string(300, 'x') + "/Lieferschein_R_1001.xlsx";
    w.showStatus("Gespeichert: " + path);
    auto* status = child<QLabel>(w, "LbStatus");
    EXPECT_TRUE(status->text().startsWith("Gespeichert: /srv/"));
    EXPECT_TRUE(status->text().endsWith("Lieferschein_R_1001.xlsx"));
    EXPECT_TRUE(status->text().contains(QChar(0x2026)));
    EXPECT_EQ(status->toolTip().toStdString(), "Gespeichert: " + path);
}

TEST(TemplateDialog, EnterAndEscapeBothChooseTheSelectedEntry) {
    for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
        TemplateDialog dialog({"Lieferschein_A.xltx", "Lieferschein_B.xltx"});
        auto* list = dialog.findChild<QListWidget*>("lbVorlagen");
        list->setCurrentRow(1);
        dialog.show();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(list, &press);
        EXPECT_FALSE(dialog.isVisible()) << key;
        EXPECT_EQ(dialog.chosenIndex(), 1);
    }
}

// The running window's side of a second start, in one process: the asking side runs in a
// thread of its own while this thread serves the window's events.
std::optional<std::string> askRunningWindow() {
    std::optional<std::string> answer;
    std::atomic<bool> done = false;
    std::thread second([&] {
        answer = InstanceChannel::requestHandover(3000);
        done = true;
    });
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done && std::chrono::steady_clock::now() < until) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    second.join();
    return answer;
}

TEST_F(MainWindowTest, ASecondStartIsHandedOverWhenIdleAndRefusedWhenBusy) {
    std::string refusal;
    int agreed = 0;
    InstanceChannel channel([&] { return refusal; });
    QObject::connect(&channel, &InstanceChannel::handoverAgreed, [&] { ++agreed; });
    ASSERT_TRUE(channel.listen());

    EXPECT_EQ(askRunningWindow(), std::string());
    EXPECT_EQ(agreed, 1);

    refusal = "Lieferschein läuft bereits für R 1001; bitte warten oder abbrechen.";
    EXPECT_EQ(askRunningWindow(), refusal);
    EXPECT_EQ(agreed, 1);
}

// Pictures of the real window under a virtual X server: after start-up, and after a run
// with a long result path.
class Screenshot : public MainWindowTest {};

TEST_F(Screenshot, MainWindowUnderARealDisplay) {
    const char* out = std::getenv("LS_SCREENSHOT_DIR");
    if (!out || QGuiApplication::platformName() == "offscreen") {
        GTEST_SKIP() << "runs under xvfb-run with LS_SCREENSHOT_DIR";
    }
    std::filesystem::create_directories(out);
    TestWindow w(commandLine);
    w.show();
    ASSERT_TRUE(w.load());
    QApplication::processEvents();
    const auto loaded = std::filesystem::path(out) / "main_window.png";
    ASSERT_TRUE(w.grab().save(QString::fromStdString(loaded.string())));
    EXPECT_GT(std::filesystem::file_size(loaded), 1000u);

    child<QPushButton>(w, "B_OK")->click();
    QApplication::processEvents();
    const auto after = std::filesystem::path(out) / "main_window_after_run.png";
    ASSERT_TRUE(w.grab().save(QString::fromStdString(after.string())));

    // A long run: its progress, then Abbrechen pressed in the middle of it.
    demo::writeDemoDatabase(dir.path() / "gross.db", {.extraLogs = 50000});
    commandLine.connectString = "Provider=SQLite;Data Source=" + (dir.path() / "gross.db").string();
    TestWindow big(commandLine);
    big.show();
    ASSERT_TRUE(big.load());
    auto* status = child<QLabel>(big, "LbStatus");
    bool pictured = false;
    int otherEvents = 0;
    big.onEvents = [&] {
        // The count of logs shows while single-log rows are written; on a quiet machine the
        // events may all fall between them, so after a few the picture is taken anyway.
        if (pictured || (!status->text().contains(" von ") && ++otherEvents < 4)) return;
        pictured = true;
        const auto running = std::filesystem::path(out) / "main_window_running.png";
        EXPECT_TRUE(big.grab().save(QString::fromStdString(running.string())));
        EXPECT_FALSE(child<QPushButton>(big, "B_OK")->isEnabled());
        child<QPushButton>(big, "ButAbbrech")->click();
    };
    child<QPushButton>(big, "B_OK")->click();
    EXPECT_TRUE(pictured);
    EXPECT_EQ(status->text(), "Abgebrochen.");
    EXPECT_TRUE(big.isVisible());
    const auto cancelled = std::filesystem::path(out) / "main_window_cancelled.png";
    ASSERT_TRUE(big.grab().save(QString::fromStdString(cancelled.string())));
}

}  // namespace
}  // namespace ls::app::gui
