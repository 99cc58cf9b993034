// The job line's parts: database names, customer names of any length, numbers.
#include "app/job_description.hpp"

#include <gtest/gtest.h>

namespace ls::app {
namespace {

TEST(JobDescription, NamesTheDatabaseWithoutSecrets) {
    EXPECT_EQ(describeDatabase("Provider=SQLite;Data Source=/srv/daten/forst.db"), "forst.db");
    EXPECT_EQ(describeDatabase("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security "
                               "Info=False;Initial Catalog=TNV;Data Source=SRV01"),
              "Server SRV01, Datenbank TNV");
    EXPECT_EQ(describeDatabase("Driver={FreeTDS};Server=db;Database=forst;UID=sa;PWD=geheim"),
              "Server db, Datenbank forst");
    EXPECT_EQ(describeDatabase("DSN=Forst;PWD=geheim"), "DSN Forst");
    EXPECT_EQ(describeDatabase("Provider=SQLOLEDB.1;Initial Catalog=;Data Source="),
              "Server (leer), Datenbank (leer)");
    EXPECT_EQ(describeDatabase("Data Source='offen"), "");
}

TEST(JobDescription, LongOrOddCustomerNamesAreShortenedNeverSplit) {
    JobDescription job{"A3", "77", "", "Lieferschein.xltx", "forst.db"};
    EXPECT_EQ(jobLine(job), "Rechnung A3 77 · Vorlage Lieferschein.xltx · forst.db");

    job.customer = std::string(500, 'x');
    const auto line = jobLine(job, 10);
    EXPECT_EQ(line, "Rechnung A3 77 · xxxxxxxxx… · Vorlage Lieferschein.xltx · forst.db");

    // Umlauts count as one character each and are not cut in half; line breaks become blanks.
    job.customer = "Müller\nÖkoholz";
    EXPECT_EQ(jobLine(job, 9), "Rechnung A3 77 · Müller Ö… · Vorlage Lieferschein.xltx · forst.db");
    EXPECT_EQ(elideUtf8("äöü", 3), "äöü");
    EXPECT_EQ(elideUtf8("äöüß", 3), "äö…");
    EXPECT_EQ(elideUtf8("abc", 0), "");

    job.rechNr.clear();
    job.customer.clear();
    EXPECT_EQ(jobLine(job), "Rechnung aus den Optionen · Vorlage Lieferschein.xltx · forst.db");
}

}  // namespace
}  // namespace ls::app
