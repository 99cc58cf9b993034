// The program's entry: support commands, unattended runs, or the main window.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/exit_codes.hpp"
#include "app/query_tool.hpp"
#include "app/settings_sheet.hpp"
#include "app/template_choice.hpp"
#include "app/unattended.hpp"
#include "app/window_entry.hpp"
#include "platform/program_arguments.hpp"

namespace {

int showSettings(const std::string& file) {
    try {
        auto workbook = ls::app::openTemplate(file);
        ls::run::TemplateSettings settings;
        for (const auto& problem : ls::app::readTemplateSettings(workbook, settings)) {
            std::cerr << problem << '\n';
        }
        std::cout << ls::app::describeSettings(settings);
        return ls::app::kExitOk;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return ls::app::kExitConfiguration;
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = ls::platform::programArguments(argc, argv);
    ls::app::CommandLine commandLine;
    try {
        commandLine = ls::app::parseCommandLine(arguments);
    } catch (const std::invalid_argument& e) {
        std::cerr << e.what() << '\n';
        return ls::app::kExitConfiguration;
    }
    if (commandLine.help) {
        std::cout << ls::app::usageText();
        return ls::app::kExitOk;
    }
    if (commandLine.version) {
        std::cout << "lieferschein " << LS_VERSION << '\n';
        return ls::app::kExitOk;
    }
    if (commandLine.query) {
        return ls::app::runQuery(commandLine.query->first, commandLine.query->second, std::cout,
                                 std::cerr);
    }
    if (commandLine.settingsFile) return showSettings(*commandLine.settingsFile);
    if (const auto fault = ls::app::callFault(commandLine); !fault.empty()) {
        std::cerr << "Lieferschein: " << fault << '\n';
        return ls::app::kExitConfiguration;
    }
    if (commandLine.unattended()) return ls::app::runUnattended(commandLine);
    return ls::app::runWindow(commandLine, argc, argv);
}
