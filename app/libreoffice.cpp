// Headless LibreOffice conversions.
#include "app/libreoffice.hpp"

#include <system_error>

#include "app/private_folder.hpp"
#include "app/process.hpp"

namespace ls::app {

std::optional<std::filesystem::path> findLibreOffice() {
    for (const char* name : {"soffice", "libreoffice"}) {
        if (auto found = findProgram(name)) return found;
    }
    return std::nullopt;
}

std::filesystem::path convertWithLibreOffice(const std::filesystem::path& file,
                                             const std::filesystem::path& outDir,
                                             const std::string& target) {
    const auto office = findLibreOffice();
    if (!office) {
        throw LibreOfficeError("LibreOffice ist nicht installiert; \"" + file.filename().string() +
                               "\" kann nicht umgewandelt werden.");
    }
    const auto extension = target.substr(0, target.find(':'));
    auto converted = outDir / file.filename();
    converted.replace_extension("." + extension);
    // The first start on a machine, with caches still to be built, can end without a
    // result (or with LibreOffice's restart status); a second start then converts.
    ProcessResult result;
    for (int attempt = 0; attempt < 2; ++attempt) {
        // A profile of its own per conversion: a LibreOffice the user has open, or another
        // conversion running at the same time, would otherwise take the job or lock the
        // profile. It lies in a private folder: a profile another user prepared could run
        // their macros.
        std::optional<PrivateFolder> profile;
        try {
            profile.emplace("lieferschein-libreoffice");
        } catch (const std::system_error& e) {
            throw LibreOfficeError("Kein privater Ordner für LibreOffice: " +
                                   std::string(e.what()));
        }
        result = runProcess({office->string(),
                             "-env:UserInstallation=file://" + profile->path().string(),
                             "--headless", "--norestore", "--convert-to", target, "--outdir",
                             outDir.string(), file.string()});
        if (result.exitCode == 0 && std::filesystem::exists(converted)) return converted;
    }
    throw LibreOfficeError("LibreOffice konnte \"" + file.filename().string() +
                           "\" nicht umwandeln: " + result.output);
}

}  // namespace ls::app
