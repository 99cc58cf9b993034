// One log of the demo database with the invoices it is billed on, and its prepared inserts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "demo/sqlite_writer.hpp"

namespace ls::demo {

template <typename T>
using Opt = std::optional<T>;
using OptText = std::optional<std::string>;

// The LOGS columns the demo fills; everything else stays NULL.
struct LogRow {
    std::int64_t id = 0;
    std::string liste;
    OptText los;
    int dsart = 1;
    OptText zustxt, poltnr, coordinate1, coordinate2;
    Opt<std::int64_t> blnr, klst;
    OptText ha, hs, gkl, stkl;
    Opt<double> laenge, stapellange, korrektur, durch;
    Opt<std::int64_t> stk;
    Opt<double> kubatur, ufaktRm, ufaktStk, ufaktAto, kubrm, kubluto, ufaktLut, kubatro;
    Opt<std::int64_t> masseinheit, waldort;
    OptText dWaldort;
    Opt<std::int64_t> mantel, kklasse, rindenkennz, listenart, rindeprozent;
    Opt<double> rindeWert;
    OptText listdatum, listzustxt;
    Opt<double> msz;
    OptText farbe, wagnr, frei1, angebot, mefverf, zustext1, zustext2, zustext3;
    Opt<std::int64_t> transportlogistik, verkaufsart, reltable1, reltable2, reltable7;
};

// The invoices of a log (LOGS_RECH): the sale and up to three further invoices.
struct InvoiceRow {
    OptText rName{}, a1Name{}, a2Name{}, a3Name{};
    Opt<std::int64_t> rKunde{}, a1Kunde{}, a2Kunde{}, a3Kunde{};
    Opt<double> rPreis{}, a1Preis{}, a2Preis{}, a3Preis{};
};

class LogWriter {
  public:
    explicit LogWriter(SqliteWriter& db);
    void add(const LogRow& log, const InvoiceRow& invoices);

  private:
    Statement log_;
    Statement invoices_;
};

}  // namespace ls::demo
