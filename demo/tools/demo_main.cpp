// lieferschein-demo: writes the demo database and the default delivery-note template.
#include <charconv>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "demo/default_template.hpp"
#include "demo/demo_database.hpp"
#include "platform/program_arguments.hpp"
#include "platform/utf8_path.hpp"

namespace {

constexpr std::string_view kUsage =
    "Aufruf: lieferschein-demo [--database DATEI [--scale N]] [--template DATEI]\n"
    "\n"
    "  --database DATEI   schreibt die Demo-Datenbank (SQLite) mit den Rechnungen\n"
    "                     R 1001, R 1002 und A1 815; eine vorhandene Datei wird ersetzt\n"
    "  --scale N          fügt der Rechnung R 1001 N weitere Stämme hinzu\n"
    "                     (Listen zu höchstens 2000 Stämmen, Polter zu etwa 20)\n"
    "  --template DATEI   schreibt die Standardvorlage (z. B. Lieferschein_Standard.xltx)\n"
    "  --help             zeigt diese Hilfe\n";

struct Options {
    std::optional<std::filesystem::path> database;
    std::optional<std::filesystem::path> templateFile;
    std::int64_t scale = 0;
    bool scaleGiven = false;
    bool help = false;
};

struct UsageError {
    std::string message;
};

std::int64_t parseCount(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        throw UsageError{"--scale erwartet eine ganze Zahl ab 0, nicht \"" + std::string(text) +
                         "\""};
    }
    return value;
}

Options parse(const std::vector<std::string_view>& args) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        auto value = [&]() -> std::string_view {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                throw UsageError{std::string(arg) + " erwartet einen Wert"};
            }
            return args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--database") {
            options.database = ls::platform::pathFromUtf8(value());
        } else if (arg == "--template") {
            options.templateFile = ls::platform::pathFromUtf8(value());
        } else if (arg == "--scale") {
            options.scale = parseCount(value());
            options.scaleGiven = true;
        } else {
            throw UsageError{"Unbekannte Option \"" + std::string(arg) + "\""};
        }
    }
    if (options.help) return options;
    if (!options.database && !options.templateFile) {
        throw UsageError{"Nichts zu tun: --database oder --template angeben"};
    }
    if (options.scaleGiven && !options.database) {
        throw UsageError{"--scale gilt nur zusammen mit --database"};
    }
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const auto arguments = ls::platform::programArguments(argc, argv);
    try {
        options = parse(std::vector<std::string_view>(arguments.begin(), arguments.end()));
    } catch (const UsageError& e) {
        std::cerr << "lieferschein-demo: " << e.message << "\n\n" << kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    try {
        if (options.database) {
            ls::demo::writeDemoDatabase(*options.database, {.extraLogs = options.scale});
            std::cout << "Demo-Datenbank geschrieben: " << options.database->string() << "\n";
        }
        if (options.templateFile) {
            ls::demo::writeDefaultTemplate(*options.templateFile);
            std::cout << "Vorlage geschrieben: " << options.templateFile->string() << "\n";
        }
    } catch (const std::exception& e) {
        std::cerr << "lieferschein-demo: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
