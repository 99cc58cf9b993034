// Describing the job of a window.
#include "app/job_description.hpp"

#include <filesystem>
#include <optional>

#include "host/db/connection_string.hpp"
#include "host/db/db_error.hpp"
#include "platform/utf8_path.hpp"

namespace ls::app {

std::string describeDatabase(std::string_view connectString) {
    std::optional<db::ConnectionString> cs;
    try {
        cs.emplace(connectString);
    } catch (const db::DbError&) {
        return {};
    }
    const auto value = [&](std::string_view key) { return cs->get(key).value_or(""); };
    const std::string provider = value("Provider");
    if (provider.starts_with("SQLite") || provider.starts_with("sqlite")) {
        return platform::utf8(platform::pathFromUtf8(value("Data Source")).filename());
    }
    std::string server = value("Data Source");
    if (server.empty()) server = value("Server");
    std::string database = value("Initial Catalog");
    if (database.empty()) database = value("Database");
    if (db::isSqlServerProvider(provider)) {
        // Built from the INI file: an empty part is what went wrong.
        return "Server " + (server.empty() ? "(leer)" : server) + ", Datenbank " +
               (database.empty() ? "(leer)" : database);
    }
    if (!server.empty() || !database.empty()) {
        std::string text;
        if (!server.empty()) text = "Server " + server;
        if (!database.empty()) text += (text.empty() ? "" : ", ") + ("Datenbank " + database);
        return text;
    }
    if (const auto dsn = value("DSN"); !dsn.empty()) return "DSN " + dsn;
    return value("Driver");
}

std::string elideUtf8(std::string_view text, std::size_t maxChars) {
    const auto isLead = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; };
    std::size_t chars = 0;
    for (const char c : text)
        chars += isLead(c) ? 1 : 0;
    if (chars <= maxChars) return std::string(text);
    if (maxChars == 0) return {};
    // Cut before the lead byte of character maxChars, so no character is split.
    std::size_t seen = 0;
    std::size_t cut = 0;
    for (; cut < text.size(); ++cut) {
        if (isLead(text[cut]) && seen++ == maxChars - 1) break;
    }
    return std::string(text.substr(0, cut)) + "…";
}

namespace {

void addPart(std::string& line, const std::string& part) {
    if (part.empty()) return;
    if (!line.empty()) line += " · ";
    line += part;
}

}  // namespace

std::string jobInvoice(const JobDescription& job, std::size_t maxCustomer) {
    std::string line;
    if (!job.rechNr.empty()) {
        addPart(line, "Rechnung " + job.rechArt + (job.rechArt.empty() ? "" : " ") + job.rechNr);
    } else {
        addPart(line, "Rechnung aus den Optionen");
    }
    std::string customer;
    for (const char c : job.customer)
        customer += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    addPart(line, elideUtf8(customer, maxCustomer));
    return line;
}

std::string jobSource(const JobDescription& job) {
    std::string line;
    if (!job.templateName.empty()) addPart(line, "Vorlage " + job.templateName);
    addPart(line, job.database);
    return line;
}

std::string jobLine(const JobDescription& job, std::size_t maxCustomer) {
    std::string line = jobInvoice(job, maxCustomer);
    addPart(line, jobSource(job));
    return line;
}

}  // namespace ls::app
