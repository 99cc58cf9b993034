// The job of a window in words: which invoice, for whom, from which template and database.
#pragma once

#include <string>
#include <string_view>

namespace ls::app {

struct JobDescription {
    std::string rechArt;
    std::string rechNr;
    std::string customer;      // empty when the invoice has no head
    std::string templateName;  // file name only
    std::string database;      // describeDatabase()
};

// "demo.db" for a database file; "Server SRV, Datenbank DB" for SQL Server; the DSN or the
// driver otherwise. Never the password.
std::string describeDatabase(std::string_view connectString);

// What is written: "Rechnung R 1001 · Müller Holz". A customer name longer than maxCustomer
// characters is shortened with "…"; an invoice without head has none.
std::string jobInvoice(const JobDescription& job, std::size_t maxCustomer = 40);
// From what: "Vorlage Lieferschein_Standard.xltx · demo.db"; unknown parts are left out.
std::string jobSource(const JobDescription& job);
// Both in one line, joined by " · ".
std::string jobLine(const JobDescription& job, std::size_t maxCustomer = 40);

// At most maxChars characters of UTF-8 text, the last one "…" when it was cut.
std::string elideUtf8(std::string_view text, std::size_t maxChars);

}  // namespace ls::app
