// Headless LibreOffice conversions.
#include "app/libreoffice.hpp"

#include <cctype>
#include <system_error>

#include <cstdlib>
#include <fstream>

#include "app/private_folder.hpp"
#include "app/process.hpp"
#include "host/text/convert.hpp"
#include "platform/open_document.hpp"
#include "platform/utf8_path.hpp"

namespace ls::app {
namespace {

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isLetterOrDigit(char c) {
    return isLetter(c) || (c >= '0' && c <= '9');
}

// A fresh profile follows the environment's locale; a C locale would make LibreOffice show
// "0.190" beside the German texts of the note. The profile's locale setting decides instead.
void presetProfileLocale(const std::filesystem::path& profile, const std::string& tag) {
    const auto user = profile / "user";
    std::error_code ec;
    std::filesystem::create_directories(user, ec);
    std::ofstream out(user / "registrymodifications.xcu", std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\" "
           "xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
           "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "<item oor:path=\"/org.openoffice.Setup/L10N\"><prop oor:name=\"ooSetupSystemLocale\" "
           "oor:op=\"fuse\"><value>"
        << tag
        << "</value></prop></item>\n"
           "</oor:items>\n";
}

}  // namespace

std::string officeLocale(std::string_view name) {
    constexpr const char* kGerman = "de-DE";
    // "language[_territory][.codeset][@modifier]"
    const auto end = name.find_first_of(".@");
    const std::string_view base = name.substr(0, end);
    if (base.empty() || base == "C" || base == "POSIX") return kGerman;
    const auto underscore = base.find('_');
    const std::string_view language = base.substr(0, underscore);
    if (language.size() < 2 || language.size() > 3) return kGerman;
    for (const char c : language)
        if (!isLetter(c)) return kGerman;
    std::string tag(language);
    if (underscore != std::string_view::npos) {
        const std::string_view territory = base.substr(underscore + 1);
        if (territory.size() < 2 || territory.size() > 3) return kGerman;
        for (const char c : territory)
            if (!isLetterOrDigit(c)) return kGerman;
        tag += '-';
        tag += territory;
    }
    return tag;
}

std::optional<std::filesystem::path> findLibreOffice() {
    for (const char* name : {"soffice", "libreoffice"}) {
        if (auto found = findProgram(name)) return found;
    }
    return platform::installedOffice();
}

std::string fileUrl(const std::filesystem::path& absolute) {
    const auto generic = absolute.generic_u8string();
    const std::string path(generic.begin(), generic.end());
    std::string url = "file://";
    // A drive letter path needs the empty host's third slash: file:///C:/...
    if (!path.starts_with('/')) url += '/';
    constexpr char kHex[] = "0123456789ABCDEF";
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        const bool plain =
            std::isalnum(u) || c == '-' || c == '.' || c == '_' || c == '~' || c == '/' || c == ':';
        if (plain && u < 0x80) {
            url += c;
        } else {
            url += '%';
            url += kHex[u >> 4];
            url += kHex[u & 0xF];
        }
    }
    return url;
}

OfficeResult runLibreOffice(const std::filesystem::path& office,
                            const std::vector<std::string>& arguments) {
    // A profile of its own per job: a LibreOffice the user has open, or another job running
    // at the same time, would otherwise take the job or lock the profile. It lies in a
    // private folder: a profile another user prepared could run their macros.
    std::optional<PrivateFolder> profile;
    try {
        profile.emplace("lieferschein-libreoffice");
    } catch (const std::system_error& e) {
        throw LibreOfficeError("Kein privater Ordner für LibreOffice: " + std::string(e.what()));
    }
    presetProfileLocale(profile->path(), officeLocale(text::userLocaleName("LC_NUMERIC")));
    std::vector<std::string> argv = {platform::utf8(office),
                                     "-env:UserInstallation=" + fileUrl(profile->path()),
                                     "--headless", "--norestore"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    auto result = runProcess(argv);
    return {result.exitCode, std::move(result.output)};
}

std::filesystem::path convertWithLibreOffice(const std::filesystem::path& file,
                                             const std::filesystem::path& outDir,
                                             const std::string& target) {
    return convertWithLibreOffice(findLibreOffice(), file, outDir, target);
}

std::filesystem::path convertWithLibreOffice(const std::optional<std::filesystem::path>& office,
                                             const std::filesystem::path& file,
                                             const std::filesystem::path& outDir,
                                             const std::string& target) {
    if (!office) {
        throw LibreOfficeError("LibreOffice ist nicht installiert; \"" + file.filename().string() +
                               "\" kann nicht umgewandelt werden.");
    }
    const auto extension = target.substr(0, target.find(':'));
    auto converted = outDir / file.filename();
    converted.replace_extension("." + extension);
    // The first start on a machine, with caches still to be built, can end without a
    // result (or with LibreOffice's restart status); a second start then converts.
    OfficeResult result;
    for (int attempt = 0; attempt < 2; ++attempt) {
        result = runLibreOffice(*office, {"--convert-to", target, "--outdir",
                                          platform::utf8(outDir), platform::utf8(file)});
        if (result.exitCode == 0 && std::filesystem::exists(converted)) return converted;
    }
    throw LibreOfficeError("LibreOffice konnte \"" + file.filename().string() +
                           "\" nicht umwandeln: " + result.output);
}

}  // namespace ls::app
