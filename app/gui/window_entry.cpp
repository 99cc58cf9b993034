// Starting the main window: one window per user, the hand-over from a running idle window,
// the start-up, and opening each saved result.
#include "app/window_entry.hpp"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/exit_codes.hpp"
#include "app/gui/instance_channel.hpp"
#include "app/gui/main_window.hpp"
#include "app/window_claim.hpp"

namespace ls::app {
namespace {

bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (const char* v = std::getenv(name); v && *v) return true;
    }
    return false;
}

void showMessage(const std::string& text) {
    std::cerr << "Lieferschein: " << text << std::endl;
    QMessageBox box(QMessageBox::NoIcon, "Lieferschein", QString::fromStdString(text),
                    QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

}  // namespace

int runWindow(const CommandLine& commandLine, int argc, char** argv) {
    if (!displayAvailable()) {
        std::cerr << "Lieferschein: Kein Bildschirm gefunden. Ohne Fenster arbeitet das Programm "
                     "mit dem Modus PRINT oder SILENT (siehe --help)."
                  << std::endl;
        return kExitConfiguration;
    }
    QApplication application(argc, argv);
    application.setApplicationName("Lieferschein");

    auto claim = claimWindow([] { return gui::InstanceChannel::requestHandover(); }, showMessage);
    if (const auto* exitCode = std::get_if<int>(&claim)) return *exitCode;
    const auto instance = std::move(std::get<std::unique_ptr<SingleInstance>>(claim));

    gui::MainWindow window(commandLine);
    window.model().setOpenAfterRun(true);
    gui::InstanceChannel channel([&window] { return window.model().answerSecondStart(); });
    QObject::connect(&channel, &gui::InstanceChannel::handoverAgreed, &window,
                     [&window] { window.close(); });
    channel.listen();

    window.show();
    if (!window.load()) return kExitConfiguration;
    return application.exec();
}

}  // namespace ls::app
