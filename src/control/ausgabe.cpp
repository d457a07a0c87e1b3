// Opening the output file and writing its header record.
#include <cerrno>
#include <cstdio>

#include "context/dateien.h"
#include "context/zeichentabellen.h"
#include "control/konvertierlauf.h"
#include "formats/v3/kopfsatz_v3.h"
#include "formats/v4/kopfsatz_v4.h"
#include "formats/v5/kopfsatz_v5.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan {

std::string KopfsatzBauen(Kontext& k, Fenster& f) {
  std::string datum = f.Text("Lab_Datum");
  // An empty header date is written as today's date rather than as blanks.
  if (IstLeer(datum)) datum = HeutigesDatum();
  if (datum.size() < 10) datum += std::string(10, ' ');
  switch (k.lauf.ausgabeversion) {
    case 3: return v3::Kopfsatz(k.kz, datum);
    case 4: return v4::Kopfsatz(k.kz, datum, k.lauf.ausgabewaehrung);
    case 5: return v5::Kopfsatz(k.kz, datum, k.lauf.ausgabewaehrung);
    default: return {};
  }
}

void AusgabeOeffnen(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  kz.AusgabeNichtBereit = -1;
  const std::string ausgabe = f.Text("Tex_Ausgabe");
  try {
    if (!kz.EingabeDateiNr.Oeffnen(kz.Eingabedateiname)) throw SystemFehler(errno ? errno : ENOENT);
    kz.Eingabezeichensatz = ZeichensatzName(kz.EingabeDateiNr.ErkannterZeichensatz());
    if (kz.EingabeDateiNr.AmEnde()) {
      f.Meldung(Ansi("Fehler in der Verarbeitung, kann Datei nicht mehr öffnen"), "", Knoepfe::Ok, Symbol::Kein);
      kz.Ergebnis = 1;
      kz.EingabeDateiNr.Schliessen();
      return;
    }
    if (DateiVorhanden(ausgabe)) {
      // Replacing a file cannot be undone: the default answer is No.
      Antwort a = f.Meldung(Ansi("Datei ") + ausgabe + "\n\n" + Ansi(" ist bereits vorhanden überschreiben?"),
                            "Ausgabedatei ", Knoepfe::JaNeinVorgabeNein, Symbol::Frage);
      if (a != Antwort::Ja) {
        kz.AusgabeDateiNr.Verwerfen();
        kz.EingabeDateiNr.Schliessen();
        return;
      }
    }
    // The run writes into a new temporary file; the existing file is replaced only when the run
    // has finished (a device or pipe is written directly).
    kz.AusgabeDateiNr.Verwerfen();
    if (!kz.AusgabeDateiNr.Erstellen(ausgabe)) throw SystemFehler(errno ? errno : EIO);
    std::string datum = f.Text("Lab_Datum");
    if (datum.size() < 10) f.SetzeText("Lab_Datum", datum + std::string(10, ' '));
    kz.Ausgabezeile = KopfsatzBauen(k, f);
    kz.AusgabeSatzzahl = 1;
    kz.AusgabeNichtBereit = 0;
    ZeichenNachOem(kz.Ausgabezeile.data(), kz.Ausgabezeile.size(), kz.Ausgabeversion);
    kz.AusgabeDateiNr.ZeileSchreiben(kz.Ausgabezeile);
  } catch (const Laufzeitfehler& fehler) {
    kz.AusgabeNichtBereit = -1;
    f.Meldung(Ansi("Es ist ein Fehler beim Öffnen der Datei: ") + ausgabe + " aufgetreten!\n\n" + fehler.Text(),
              "Fehler: " + FormatierenGanz(fehler.Nummer(), "######"), Knoepfe::Ok, Symbol::Kein);
    kz.AusgabeDateiNr.Verwerfen();
    kz.EingabeDateiNr.Schliessen();
  }
}

}  // namespace korvelan
