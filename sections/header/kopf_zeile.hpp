// The lines of the head block: a label in column A, bold, and its value in column D.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/db/value.hpp"
#include "run/report.hpp"

namespace ls::sections {

// A Zeile: the label text number textNr, bold.
void WriteKopfLabel(run::Report& r, std::int32_t textNr);
// D Zeile: formatted as text before the value is written, so a text stays as it is.
void WriteKopfWert(run::Report& r, const db::Value& value);
// Label and value on row Zeile, then Zeile += 1.
void WriteKopfWertZeile(run::Report& r, std::int32_t textNr, const db::Value& value);

// The values of column feld of the statement's result under label textNr: all on one line,
// joined by commas (jeWertEineZeile off), or one line per non-empty value with the label
// beside the first (on). Nothing and Zeile unchanged when there is no value.
void WriteKopfZeile(run::Report& r, std::string_view feld, const std::string& sql,
                    std::int32_t textNr, bool jeWertEineZeile);

// One line in column spalte per person that the block's logs name as invoice customer
// (index 0) or further customer 1 .. 8: the columns of felder (comma-separated names of
// PERSONAL) joined by blanks.
void WriteAdressZeilen(run::Report& r, int index, std::string_view felder, const char* spalte);

}  // namespace ls::sections
