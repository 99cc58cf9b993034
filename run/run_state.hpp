// The state of the report run that the driver and every section writer share.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ls::run {

// Positions in RunState::ZusText of the configuration numbers that place the additional
// texts: 0 or 1 in the head block, 2 or 4 in the pile line.
enum ZusTextIndex : std::size_t {
    kZustext1 = 0,
    kZustext2,
    kZustext3,
    kZustext4,
    kZustext5,
    kCoordinate1,
    kCoordinate2,
    kZusatztext,
};

struct RunState {
    // The job, from the command line, the INI file or the options table.
    std::string RechNr;
    std::string RechArt;
    std::string ConnectString;
    std::string IniPfad;
    std::string Modus;

    // Rows are 32-bit: the sheet's own row limit is what stops a run.
    std::int32_t Zeile = 0;
    std::int32_t StartBlock = 0;
    std::string Bedingung;
    std::string AktListe;
    std::string LosBedingung;
    std::int32_t AnzLose = 0;
    std::vector<std::string> Lose;
    std::int32_t KopfVon = 0;
    std::int32_t KopfBis = 0;
    std::array<std::int16_t, 8> ZusText{};

    std::string KubFormat = "0.000";
    std::int16_t KubStellen = 3;
};

}  // namespace ls::run
