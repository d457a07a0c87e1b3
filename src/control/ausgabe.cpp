// Opening the output file and writing its header record.
#include <cerrno>
#include <cstdio>

#include "context/dateien.h"
#include "control/konvertierlauf.h"
#include "context/zeichentabellen.h"
#include "record/festkomma.h"
#include "record/text.h"
#include "formats/zeilenausgabe.h"

namespace korvelan {

namespace {

// Date "DD.MM.YYYY" as DDMMYY (characters 1-2, 4-5, 9-10) and as YYYYMMDD (7-10, 4-5, 1-2).
std::string DatumKurz(const std::string& d) {
  return std::string(Mitte(d, 1, 2)) + std::string(Mitte(d, 4, 2)) + std::string(Mitte(d, 9, 2));
}
std::string DatumLang(const std::string& d) {
  return std::string(Mitte(d, 7, 4)) + std::string(Mitte(d, 4, 2)) + std::string(Mitte(d, 1, 2));
}

}  // namespace

std::string KopfsatzBauen(Kontext& k, Fenster& f) {
  const auto& info = k.kz.Infotexte;
  std::string datum = f.Text("Lab_Datum");
  // An empty header date is written as today's date rather than as blanks.
  if (IstLeer(datum)) datum = HeutigesDatum();
  if (datum.size() < 10) datum += std::string(10, ' ');
  const std::string version = Trimmen(f.Text("Com_Version"));
  const std::int16_t ausgabe = k.kz.Ausgabeversion;
  std::string zeile;
  if (version == "3") {
    zeile = "V " + DatumKurz(datum) + Auffuellen(info[0], 40) + Auffuellen(info[1], 40) + Auffuellen(info[3], 40);
    ZeichenNachOem(zeile, ausgabe);
  } else if (version == "4") {
    zeile = "V " + DatumKurz(datum) + Auffuellen(info[0], 40) + Auffuellen(info[1], 40) + Auffuellen(info[3], 35);
    ZeichenNachOem(zeile, ausgabe);
    zeile = Auffuellen(zeile, 123) + "04" + Auffuellen(f.Text("Com_WaehrungsKz"), 3);
  } else if (version == "5") {
    static const int Breiten[10] = {40, 40, 13, 30, 30, 30, 30, 30, 30, 30};
    zeile = "V;050;" + k.kz.Datenkennzeichen + ";" + DatumLang(datum) + ";" +
            Auffuellen(f.Text("Com_WaehrungsKz"), 3) + ";";
    for (int i = 0; i < 10; ++i) zeile += Kuerzen(info[i], Breiten[i]) + ";";
    ZeichenNachOem(zeile, ausgabe);
    LeerfelderKuerzen(zeile);
  }
  return zeile;
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
