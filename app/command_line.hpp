// The program's command line: the caller's five "|"-separated fields and the "--" options.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ls::app {

struct CommandLine {
    // The five fields of the caller's job text.
    std::string connectString;  // field 0
    std::string rechNr;         // field 1
    std::string rechArt;        // field 2
    std::string iniPfad;        // field 3
    std::string modus;          // field 4

    bool help = false;
    bool version = false;
    std::optional<std::string> output;        // --output FILE
    bool keepPdf = false;                     // --pdf
    std::optional<std::string> settingsFile;  // --settings TEMPLATE
    // --query "<connection string>" "<SQL>"
    std::optional<std::pair<std::string, std::string>> query;

    // PRINT or SILENT in any letter case: a run without window and without dialogs.
    bool unattended() const;
};

// Recognises the "--" options anywhere, then joins the remaining arguments with one blank,
// splits that text at every "|" and trims the fields. Throws std::invalid_argument with a
// German message for an unknown option or a missing option value.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// What makes a call wrong before any work is done: a mode word other than PRINT or SILENT,
// an invoice kind other than R and A1 to A8. Empty when the call is fine; else the German
// message naming the fault.
std::string callFault(const CommandLine& commandLine);

std::string usageText();

}  // namespace ls::app
