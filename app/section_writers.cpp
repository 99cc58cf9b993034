// Wiring the section writers into the report run.
#include "app/section_writers.hpp"

#include "sections/aggregated/verdichtet.hpp"
#include "sections/header/kunden_adresse.hpp"
#include "sections/header/listen_kopf.hpp"
#include "sections/positions/positionen.hpp"
#include "sections/single/einzeln.hpp"
#include "sections/totals/gesamtsummen.hpp"

namespace ls::app {

run::SectionWriters deliveryNoteWriters() {
    return run::SectionWriters{
        .WriteKundenAdresse = sections::WriteKundenAdresse,
        .WriteListenKopf = sections::WriteListenKopf,
        .WriteEinzeln = sections::WriteEinzeln,
        .WriteVerdichtet = sections::WriteVerdichtet,
        .WritePositionen = sections::WritePositionen,
        .WriteGesamtsummen = sections::WriteGesamtsummen,
    };
}

}  // namespace ls::app
