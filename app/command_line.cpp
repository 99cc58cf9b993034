// Parsing the caller's command line.
#include "app/command_line.hpp"

#include <stdexcept>

#include "host/db/sql_server_driver.hpp"
#include "host/db/sql_text.hpp"
#include "host/text/convert.hpp"
#include "platform/settings_folders.hpp"

namespace ls::app {

bool CommandLine::unattended() const {
    const auto word = text::toUpper(modus);
    return word == "PRINT" || word == "SILENT";
}

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine cl;
    std::string job;
    const auto valueOf = [&](std::size_t& i, const std::string& option) -> const std::string& {
        if (i + 1 >= arguments.size()) {
            throw std::invalid_argument("Der Option " + option + " fehlt ihr Wert.");
        }
        return arguments[++i];
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const auto& arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            cl.help = true;
        } else if (arg == "--version") {
            cl.version = true;
        } else if (arg == "--output") {
            cl.output = valueOf(i, arg);
        } else if (arg == "--pdf") {
            cl.keepPdf = true;
        } else if (arg == "--settings") {
            cl.settingsFile = valueOf(i, arg);
        } else if (arg == "--query") {
            const auto connection = valueOf(i, arg);
            cl.query = std::make_pair(connection, valueOf(i, arg));
        } else if ((arg.starts_with("--") && arg.size() > 2) ||
                   (arg.starts_with("-") && arg.size() > 1 && arg.find('|') == std::string::npos &&
                    arg.find(' ') == std::string::npos)) {
            // A lone "-v" is a mistyped option, not part of the caller's job text.
            throw std::invalid_argument("Unbekannte Option \"" + arg +
                                        "\". Aufruf mit --help zeigt die Möglichkeiten.");
        } else {
            if (!job.empty()) job += ' ';
            job += arg;
        }
    }

    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto bar = job.find('|', start);
        fields.push_back(text::trim(std::string_view(job).substr(start, bar - start)));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    fields.resize(std::max<std::size_t>(fields.size(), 5));
    cl.connectString = fields[0];
    cl.rechNr = fields[1];
    cl.rechArt = fields[2];
    cl.iniPfad = fields[3];
    cl.modus = fields[4];
    return cl;
}

std::string callFault(const CommandLine& commandLine) {
    if (!commandLine.modus.empty() && !commandLine.unattended()) {
        return "Unbekannter Modus \"" + commandLine.modus +
               "\": erlaubt sind PRINT, SILENT oder ein leeres Feld (Fenster).";
    }
    if (!commandLine.rechArt.empty()) {
        try {
            db::checkedInvoiceKind(commandLine.rechArt);
        } catch (const std::invalid_argument& e) {
            return e.what();
        }
    }
    return {};
}

namespace {

void replaceFirst(std::string& text, std::string_view placeholder, const std::string& value) {
    text.replace(text.find(placeholder), placeholder.size(), value);
}

}  // namespace

std::string usageText() {
    std::string text =
        R"(Aufruf: lieferschein ["VERBINDUNG|RECHNUNG|ART|INI-DATEI|MODUS"] [Optionen]

Schreibt den Lieferschein einer Holzrechnung als Excel-Arbeitsmappe.

Der Auftrag ist ein Text aus fünf durch "|" getrennten Feldern:
  VERBINDUNG  Verbindungszeichenfolge der Datenbank; leer: aus DATABASENAME und SQLSERVER
              der INI-Datei. Formen: "Provider=SQLite;Data Source=<Datei>",
              "Provider=SQLOLEDB.1;...;Initial Catalog=<DB>;Data Source=<Server>",
              oder eine ODBC-Zeichenfolge mit "Driver=" oder "DSN=".
  RECHNUNG    Rechnungsnummer; leer: die Rechnung aus der Option EXCELRECHNUNG.
  ART         Rechnungsart: R oder A1 bis A8.
  INI-DATEI   Pfad der INI-Datei; leer: tannova.ini neben dem Programm@INI_FOLDERS@.
  MODUS       PRINT: ohne Fenster erstellen und drucken; SILENT: ohne Fenster erstellen.
              Leer: das Hauptfenster zeigen.

Optionen:
  --output DATEI   Ergebnis unter diesem Namen speichern (sonst im Ordner PathOutput der
                   INI-Datei oder im aktuellen Ordner als Lieferschein_<Art>_<Nummer>.xlsx).
                   Endung .xlsx, bei einer Vorlage mit Makros .xlsm.
  --pdf            Zusätzlich eine PDF-Datei neben der Arbeitsmappe ablegen.
  --settings VORLAGE
                   Die Einstellungen einer Vorlage so ausgeben, wie das Programm sie liest.
  --query VERBINDUNG SQL
                   Eine Abfrage wie beim Lieferschein ausführen und als Tabulatortext
                   ausgeben (NULL als \N).
  --version        Programmversion.
  --help           Diese Hilfe.

INI-Schlüssel: DATABASENAME, SQLSERVER, PathTemplates, PathOutput, Printer,
SqlServerDriver (ODBC-Treiber, Vorgabe @SQL_DRIVER@), SpreadsheetCommand.

Ausgabe ohne Fenster: Auf der Standardausgabe stehen nur die gespeicherten Dateien, eine
je Zeile (erst die Arbeitsmappe, dann die PDF-Datei, wenn eine entstand). Fortschritt,
Warnungen und Meldungen stehen auf der Standardfehlerausgabe.

Rückgabewerte:
  0  fertig, der Lieferschein ist gespeichert
  1  Fehler beim Erstellen (auch: Rechnung nicht gefunden, mehr Stämme als Zeilen im
     Tabellenblatt); nichts gespeichert
  2  falscher Aufruf (unbekannter Modus, unbekannte Rechnungsart, unbekannte Option,
     unpassende Endung von --output, fehlender Ordner PathOutput) oder Konfiguration
     (INI-Datei, Datenbank, Vorlage); geprüft, bevor gearbeitet wird
  3  das Programm läuft bereits (Fenster bei der Arbeit), oder ein anderer Lauf schreibt
     dieselbe Ausgabedatei länger als eine Minute
  4  gespeichert, aber Drucken fehlgeschlagen
)";
    const auto folders = platform::settingsFoldersText();
    replaceFirst(text, "@INI_FOLDERS@",
                 folders.empty() ? "" : ", sonst in\n              " + folders);
    replaceFirst(text, "@SQL_DRIVER@", db::defaultSqlServerDriverText());
    return text;
}

}  // namespace ls::app
