// Headless LibreOffice conversions.
#include "app/libreoffice.hpp"

#include <unistd.h>

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
    // A profile of its own per conversion: a LibreOffice the user has open, or another
    // conversion running at the same time, would otherwise take the job or lock the profile.
    const auto profile = std::filesystem::temp_directory_path() /
                         ("lieferschein-libreoffice-" + std::to_string(::getuid()) + "-" +
                          std::to_string(::getpid()));
    const auto result = runProcess(
        {office->string(), "-env:UserInstallation=file://" + profile.string(), "--headless",
         "--norestore", "--convert-to", target, "--outdir", outDir.string(), file.string()});
    std::error_code ignored;
    std::filesystem::remove_all(profile, ignored);
    const auto extension = target.substr(0, target.find(':'));
    auto converted = outDir / file.filename();
    converted.replace_extension("." + extension);
    if (result.exitCode != 0 || !std::filesystem::exists(converted)) {
        throw LibreOfficeError("LibreOffice konnte \"" + file.filename().string() +
                               "\" nicht umwandeln: " + result.output);
    }
    return converted;
}

}  // namespace ls::app
