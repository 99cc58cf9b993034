// The stand-in for the template's header/footer macro.
#include "run/kopf_fuss.hpp"

namespace ls::run {

KopfFussVorlage KopfFussLesen(const sheet::Worksheet& sheet) {
    return sheet.pageSetup().headerFooter;
}

void WriteKopfFuss(sheet::Worksheet& sheet, const KopfFussVorlage& vorlage, bool lKopfFuss,
                   std::int16_t nZoom, const StatusSink& status) {
    auto& p = sheet.pageSetup();
    if (lKopfFuss) p.headerFooter = vorlage;
    // 0 is the setting's "no zoom of its own".
    if (nZoom == 0) return;
    if (nZoom < 10 || nZoom > 400) {
        status("Warnung: nZoom " + std::to_string(nZoom) +
               " liegt außerhalb von 10 bis 400; der Druckzoom bleibt bei " +
               std::to_string(p.zoom) + " %.");
        return;
    }
    p.zoom = nZoom;
}

}  // namespace ls::run
