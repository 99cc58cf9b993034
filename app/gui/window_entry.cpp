// Starting the main window: one instance, the start-up, and opening each saved result.
#include "app/window_entry.hpp"

#include <QApplication>
#include <QProcess>
#include <cstdlib>
#include <iostream>

#include "app/exit_codes.hpp"
#include "app/gui/instance_channel.hpp"
#include "app/gui/main_window.hpp"
#include "app/ini_file.hpp"
#include "app/single_instance.hpp"

namespace ls::app {
namespace {

bool displayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (const char* v = std::getenv(name); v && *v) return true;
    }
    return false;
}

// The desktop's spreadsheet application, or the program the INI file names.
void openInSpreadsheet(const QString& file, const std::string& iniPfad) {
    const auto command = GetIniWert("SpreadsheetCommand", iniPfad).value_or("");
    const QString program = command.empty() ? "xdg-open" : QString::fromStdString(command);
    QProcess::startDetached(program, {file});
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

    const SingleInstance instance;
    if (instance.otherInstanceRunning()) {
        gui::InstanceChannel::knock();
        return kExitOk;
    }

    gui::MainWindow window(commandLine);
    gui::InstanceChannel channel;
    QObject::connect(&channel, &gui::InstanceChannel::activationRequested, &window, [&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    channel.listen();
    QObject::connect(
        &window, &gui::MainWindow::resultSaved, &window,
        [&commandLine](const QString& file) { openInSpreadsheet(file, commandLine.iniPfad); });

    window.show();
    if (!window.load()) return kExitConfiguration;
    return application.exec();
}

}  // namespace ls::app
