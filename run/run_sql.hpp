// The statements of the report run itself and the selection conditions it hands the writers.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "host/db/bound_statement.hpp"

namespace ls::run {

// The configuration numbers that place the additional texts.
std::string formsConfigSql();
// The lists and lots of the invoice, in ascending order.
std::string listenSql(std::string_view rechArt, std::string_view rechNr);
// Whether the invoice has its head (customer, date): the column ANZAHL counts the rows.
std::string invoiceHeadSql(std::string_view rechArt, std::string_view rechNr);
// The logs of the invoice, counted in the column ANZAHL.
std::string invoiceLogCountSql(std::string_view rechArt, std::string_view rechNr);
// The invoice the main application left for printing.
std::string rechnungOptionSql();
// The number of decimal places for volumes.
std::string kubaturPlaceSql();
// One label text.
db::BoundStatement stringTextSql(std::int32_t id);
// The label texts of several numbers in one statement.
std::string stringTextsSql(std::span<const std::int32_t> ids);

// The selection conditions, L = list, N = invoice number, A = invoice kind; lots are the
// pieces lotPiece() makes. Text values are quoted here.
std::string lotPiece(const std::string* lot, bool first);  // nullptr: a NULL lot
std::string invoiceCondition(std::string_view rechArt, std::string_view rechNr);
std::string wholeListCondition(std::string_view liste, std::string_view losBedingung,
                               std::string_view rechArt, std::string_view rechNr);
std::string lotCondition(std::string_view liste, std::string_view lot, std::string_view rechArt,
                         std::string_view rechNr);
std::string listTotalCondition(std::string_view liste, std::string_view losBedingung,
                               std::string_view rechArt, std::string_view rechNr);

}  // namespace ls::run
