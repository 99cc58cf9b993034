// The default template's settings: what the office's standard delivery note shows.
#include "demo/default_settings.hpp"

namespace ls::demo {
namespace {

constexpr SettingRow kRows[] = {
    {"StartZeile", "12", true, "Erste Zeile des Ausgabebereichs auf dem Blatt Holzliste"},
    {"SpaltenBreite", "12", true, "Breite der Spalten A bis J in jedem Block"},
    {"LetztenTage", "0", true, "Wird gelesen, aber nicht ausgewertet"},
    {"nZoom", "100", true,
     "Druckzoom des Blatts Holzliste in Prozent (10 bis 400, 0: unverändert)"},
    {"lKopfFuss", "1", true, "Kopf- und Fußzeile der Vorlage nach dem Lauf wieder setzen"},
    {"lEinzeln", "1", true, "Einzelliste ausgeben"},
    {"lVerdichtet", "1", true, "Verdichtete Liste ausgeben"},
    {"lZuerstVerdichtet", "1", true, "Verdichtete Liste vor der Einzelliste"},
    {"EinzSort", "6", true,
     "Sortierung der Einzelliste: 1 Waldort/Eingabe, 2 Liste/Polter/Los/Stamm, "
     "3 Liste/Polter/Los/Waldort, 4 Eingabe, 5 Sortiment, 6 Stammnummer"},
    {"lLosweise", "0", true, "Jedes Los als eigener Block"},
    {"lGesamt", "0", true, "Gesamtblock je Liste bei losweiser Ausgabe"},
    {"lSofortDruck", "0", true, "Nach dem Lauf sofort drucken"},
    {"lStatistik", "1", true, "Durchschnitte je Sortiment unter der verdichteten Liste"},
    {"lProzent", "1", true, "Prozentanteile in der verdichteten Liste"},
    {"lDMSZ", "1", true, "Durchschnittliche MSZ (F-MSZ) in der verdichteten Liste"},
    {"lHolzsorteLangBeiVerdichtung", "0", true, "Langname der Holzsorte in der verdichteten Liste"},
    {"lKubGesamt", "1", true, "Gesamtsummen der Rechnung am Ende"},
    {"lPolterKoordinaten", "1", true, "Polterzeilen mit Summen in der Einzelliste"},
    {"lHöhen", "1", true, "Höhenvermessung bei Schichtholz ausgeben"},
    {"lWaldortLang", "1", true, "Waldort mit Stufen und Langname"},
    {"lZusKopf", "1", true, "Felder des Listenkopfs im Kopfblock"},
    {"lZInfo", "1", true, "Zusatztexte und Koordinaten im Kopfblock"},
    {"lWagNrStammbemerkung", "1", true, "Wagennummer und Stammbemerkung im Kopfblock"},
    {"lVerkaufsart", "1", true, "Verkaufsart im Kopfblock"},
    {"lReltable(1)", "1", true, "Zuordnung 1 im Kopfblock"},
    {"lReltable(2)", "0", true, "Zuordnung 2 im Kopfblock"},
    {"lReltable(3)", "0", true, "Zuordnung 3 im Kopfblock"},
    {"lReltable(4)", "0", true, "Zuordnung 4 im Kopfblock"},
    {"lReltable(5)", "0", true, "Zuordnung 5 im Kopfblock"},
    {"lReltable(6)", "0", true, "Zuordnung 6 im Kopfblock"},
    {"lReltable(7)", "0", true, "Zuordnung 7 im Kopfblock"},
    {"lReltable(8)", "0", true, "Zuordnung 8 im Kopfblock"},
    {"lReltable(9)", "0", true, "Zuordnung 9 im Kopfblock"},
    {"lReltable(10)", "0", true, "Zuordnung 10 im Kopfblock"},
    {"lAdressformat", "1", true, "Adresszeilen als Name, Vorname (0: Vorname, Name)"},
    {"lAdresse(0)", "1", true, "Adresse des Rechnungskunden im Kopfblock"},
    {"lAdresse(1)", "0", true, "Adresse des Kunden der Rechnung A1 im Kopfblock"},
    {"lAdresse(2)", "0", true, "Adresse des Kunden der Rechnung A2 im Kopfblock"},
    {"lAdresse(3)", "0", true, "Adresse des Kunden der Rechnung A3 im Kopfblock"},
    {"lAdresse(4)", "0", true, "Adresse des Kunden der Rechnung A4 im Kopfblock"},
    {"lAdresse(5)", "0", true, "Adresse des Kunden der Rechnung A5 im Kopfblock"},
    {"lAdresse(6)", "0", true, "Adresse des Kunden der Rechnung A6 im Kopfblock"},
    {"lAdresse(7)", "0", true, "Adresse des Kunden der Rechnung A7 im Kopfblock"},
    {"lAdresse(8)", "0", true, "Adresse des Kunden der Rechnung A8 im Kopfblock"},
    // Extra columns of the single-log list: the value is the column heading.
    {"FARBE", "Farbe", false, "Zusatzspalte der Einzelliste: Farbmarkierung des Stamms"},
    {"TL.LKW_NR", "LKW", false, "Zusatzspalte der Einzelliste: Kennzeichen des Abfuhr-LKW"},
};

}  // namespace

std::span<const SettingRow> defaultSettings() {
    return kRows;
}

}  // namespace ls::demo
