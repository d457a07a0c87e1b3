// The conversion run: the two drivers and their shared record loop.
#include "control/konvertierlauf.h"

#include <algorithm>
#include <charconv>
#include <new>

#include "context/dateien.h"
#include "context/zeichentabellen.h"
#include "control/analyse.h"
#include "control/parameter.h"
#include "control/satzpruefung.h"
#include "control/textschluessel.h"
#include "formats/v3/leser_v3.h"
#include "formats/v3/schreiber_v3.h"
#include "formats/v4/leser_v4.h"
#include "formats/v4/schreiber_v4.h"
#include "formats/v5/kopfsatz_v5.h"
#include "formats/v5/leser_v5.h"
#include "formats/v5/schreiber_v5.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan {

namespace {

template <typename Funktion>
struct Dispatch {
  Funktion artikel, set, preis;
};

const Dispatch<Lesefunktion> Leser[3] = {{v3::Artikelleser, v3::SetLeser, v3::Preisleser},
                                         {v4::Artikelleser, v4::SetLeser, v4::Preisleser},
                                         {v5::Artikelleser, v5::SetLeser, v5::Preisleser}};
const Dispatch<Schreibfunktion> Schreiber[3] = {{v3::Artikelschreiber, v3::Setschreiber, v3::Preisschreiber},
                                                {v4::Artikelschreiber, v4::Setschreiber, v4::Preisschreiber},
                                                {v5::Artikelschreiber, v5::Setschreiber, v5::Preisschreiber}};

template <typename Funktion>
Funktion Waehlen(const Dispatch<Funktion> (&tabelle)[3], const std::string& version, const std::string& dk) {
  if (version != "3" && version != "4" && version != "5") return nullptr;
  const Dispatch<Funktion>& d = tabelle[version[0] - '3'];
  if (dk == "A" || dk == "S" || dk == "R") return d.artikel;
  if (dk == "J") return d.set;
  if (dk == "P") return d.preis;
  return nullptr;
}

// Error stage of a run: selects the message of the error handler.
enum Stufe { StufeOeffnen = 1, StufeVerarbeitung = 3, StufeSchreiben = 4 };

// A writer result -1: ends the run with the stage-4 message.
struct Schreibfehler {};

const char* const Abbruchtitel = "Abbruch";
// Said when a cancelled or failed run left no output file behind (after an error, below its
// message).
const char* const KeineAusgabe = "Es wurde keine Ausgabedatei geschrieben.";

// Currency codes the command-line run accepts for its output.
bool WaehrungZulaessig(const std::string& w) {
  static const char* const Codes[] = {"DEM", "LUF", "BEF", "PTE", "FRF", "NLG", "ITL", "ATS", "CHF", "EUR"};
  for (const char* c : Codes)
    if (w == c) return true;
  return false;
}

// The input was not recognised: nothing may be written.
bool EingabeUngeeignet(Kontext& k, Fenster& f) {
  if (k.kz.Analysestatus == 1) return false;
  f.Meldung(Ansi("Fehler beim laden der Datei: ") + k.kz.Eingabedateiname + "\n\n" +
                Ansi("Keine bzw. fehlerhafte DATANORM - Datei"),
            Ansi("DATANORM-Prüfung"), Knoepfe::Ok, Symbol::Kritisch);
  return true;
}

// A data kind without reader and writer (version 5 "T" and "O") is refused before anything is
// asked or written.
bool DatenkennzeichenOhneUmsetzung(Kontext& k, Fenster& f) {
  const std::string& dk = k.kz.Datenkennzeichen;
  if (k.kz.Analysestatus != 1 ||
      (Waehlen(Leser, k.lauf.eingabeversionText, dk) && Waehlen(Schreiber, k.lauf.ausgabeversionText, dk)))
    return false;
  f.Meldung("Datenkennzeichen " + dk + Ansi(" wird nicht konvertiert\n\nkeine Verarbeitung möglich!"),
            Ansi("DATANORM-Prüfung"), Knoepfe::Ok, Symbol::Kritisch);
  return true;
}

// Equal names, or two names of the same existing file, may not be input and output at once;
// a blank output name is refused as well.
bool NamenFalsch(Fenster& f) {
  const std::string ein = f.Text("Tex_Eingabe");
  const std::string aus = f.Text("Tex_Ausgabe");
  const std::string titel = Ansi("Namen/Pfad/Lfw. ändern");
  if (ein == aus || DieselbeDatei(ein, aus)) {
    f.Meldung(Ansi("Name/Pfad/Lfw. der Eingabedatei ist Name/Pfad/Lfw. der Ausgabedatei\n\nkeine Verarbeitung möglich!"),
              titel, Knoepfe::Ok, Symbol::Kein);
    return true;
  }
  if (IstLeer(aus)) {
    f.Meldung(Ansi("Dateiname/Pfad/Lfw. für die Ausgabedatei vorgeben\n\nkeine Verarbeitung möglich!"), titel,
              Knoepfe::Ok, Symbol::Kein);
    return true;
  }
  return false;
}

// The record loop shared by both drivers. Returns true when the run was cancelled.
bool Satzschleife(Kontext& k, Fenster& f, bool interaktiv, Stufe& stufe) {
  auto& kz = k.kz;
  const Lesefunktion leser = Waehlen(Leser, k.lauf.eingabeversionText, kz.Datenkennzeichen);
  const Schreibfunktion schreiber = Waehlen(Schreiber, k.lauf.ausgabeversionText, kz.Datenkennzeichen);
  const bool umrechnen = interaktiv && k.lauf.umrechnungsfaktor != 0;
  // Unit mappings and written text keys are remembered for this loop only: the next run may have
  // other tables or another output version.
  struct NurFuerDieseSchleife {
    Konvertierzustand& kz;
    explicit NurFuerDieseSchleife(Konvertierzustand& z) : kz(z) {
      kz.Einheiten = {};
      kz.Einheiten.aktiv = true;
      kz.Textschluessel = {};
    }
    ~NurFuerDieseSchleife() {
      kz.Einheiten = {};
      kz.Textschluessel = {};
    }
  } schleifenwerte(kz);
  // Version-5 long-text keys have up to 15 characters, those of versions 3 and 4 have 8: the keys
  // of such a run are given out anew, one per distinct key. Only the article writers write keys.
  const bool textschluesselVergeben =
      k.lauf.eingabeversion == 5 && (schreiber == v3::Artikelschreiber || schreiber == v4::Artikelschreiber);
  // The state reported before every record: the reader's texts are views of its state, the
  // counts numbers, so a report costs a few stores and one call.
  Fortschritt stand;
  stand.zeile = k.lz.GezeigteZeile;
  stand.schluessel = k.lz.GezeigterSchluessel;
  stand.gesamt = kz.EingabeDateiNr.Groesse();
  auto zustandNehmen = [&] {
    stand.zeile = k.lz.GezeigteZeile;
    stand.schluessel = k.lz.GezeigterSchluessel;
    stand.bearbeitet = kz.SaetzeGelesen;
    stand.fehler = kz.Fehlerzahl;
    stand.gelesen = kz.EingabeDateiNr.Position();
  };
  bool ende = false;
  kz.SaetzeGelesen = 0;
  for (;;) {
    if (f.Melden(stand)) {
      if (!interaktiv) return true;
      Antwort a = f.Meldung(Ansi("Möchten Sie den Konvertiervorgang abbrechen?"), "Abbruch?", Knoepfe::JaNein,
                            Symbol::Frage);
      if (a == Antwort::Ja) return true;
    }
    const std::uint64_t zeilenVorher = kz.AusgabeDateiNr.Zeilen();
    kz.Ergebnis = -1;
    // Without a reader nothing more can be read: the pass ends the loop instead of repeating the
    // same record for ever.
    if (leser) kz.Ergebnis = leser(k);
    if (kz.Ergebnis == -1) ende = true;
    EinheitUmsetzen(k);
    // Prices are converted before the record check, so that it judges the prices the writer
    // will write (a converted price may no longer fit a version-3 field).
    if (umrechnen) WaehrungUmrechnen(k);
    if (textschluesselVergeben) TextschluesselVergeben(k);
    SatzPruefen(k);
    if (schreiber) kz.Ergebnis = schreiber(k);
    if (kz.Ergebnis == -1) {
      stufe = StufeSchreiben;
      throw Schreibfehler{};
    }
    if (ende) {
      // The end shows every record: the last pass counts when it carried one (its writer wrote),
      // and the whole input is read even where the reader stopped before a last byte (the end
      // of file mark after the end record).
      if (kz.AusgabeDateiNr.Zeilen() > zeilenVorher) ++kz.SaetzeGelesen;
      zustandNehmen();
      stand.gesamt = std::max<std::uint64_t>(stand.gesamt, 1);
      stand.gelesen = stand.gesamt;
      stand.ende = true;
      f.Melden(stand);
      return false;
    }
    // Shown before the next record: the records done before this one (one behind the count).
    zustandNehmen();
    ++kz.SaetzeGelesen;
  }
}

// The end record of a version-5 output; it counts itself. A cancelled run writes none: its
// output is removed, or (a device, a pipe) ends without one and so reads as incomplete.
void Endesatz(Kontext& k) {
  auto& kz = k.kz;
  kz.Ausgabezeile = v5::Endesatz(kz, k.lauf.eingabeversionText, HeutigesDatum());
  kz.AusgabeDateiNr.ZeileSchreiben(kz.Ausgabezeile);
}

// The driver's one error handler.
void Fehlerbehandlung(Kontext& k, Fenster& f, bool interaktiv, Stufe stufe, int nummer, const std::string& text) {
  auto& kz = k.kz;
  f.Sanduhr(false);
  if (interaktiv) f.SetzeText("Lab_Hilfe", "");
  // The temporary output goes and an existing output file stays as it was; a device or pipe
  // keeps what was written so far, without an end record.
  const std::string zusatz = kz.AusgabeDateiNr.Vorlaeufig() ? std::string("\n\n") + KeineAusgabe : std::string();
  kz.EingabeDateiNr.Schliessen();
  kz.AusgabeDateiNr.Verwerfen();
  const std::string titelNr = "Fehler: " + FormatierenGanz(nummer, "######");
  switch (stufe) {
    case StufeOeffnen:
      f.Meldung(Ansi("Es ist ein Fehler beim Öffnen der Datei ") + f.Text("Tex_Eingabe") + " aufgetreten!\n\n" + text +
                    zusatz,
                titelNr, Knoepfe::Ok, Symbol::Kein);
      break;
    case StufeVerarbeitung:
      f.Meldung("Es ist ein allgemeiner Fehler bei der Verarbeitung aufgetreten!\n\n" + text + zusatz, titelNr,
                Knoepfe::Ok, Symbol::Kein);
      break;
    case StufeSchreiben:
      f.Meldung("Es ist ein Fehler beim Schreiben der Daten aufgetreten!\n\n" + kz.Ausgabefehlertext + zusatz,
                "Fehler bei Datenausgabe", Knoepfe::Ok, Symbol::Kein);
      break;
  }
}

// Runs one step of a driver under the error handler; false when the handler took over.
template <typename Schritt>
bool Bewacht(Kontext& k, Fenster& f, bool interaktiv, Stufe& stufe, Schritt schritt) {
  try {
    schritt();
    return true;
  } catch (const Schreibfehler&) {
    Fehlerbehandlung(k, f, interaktiv, StufeSchreiben, 0, "");
  } catch (const Laufzeitfehler& fehler) {
    // A failure while writing the end record or closing the output is a write error.
    if (stufe == StufeSchreiben) k.kz.Ausgabefehlertext = fehler.Text();
    Fehlerbehandlung(k, f, interaktiv, stufe, fehler.Nummer(), fehler.Text());
  } catch (const std::bad_alloc&) {
    Fehlerbehandlung(k, f, interaktiv, stufe, 7, "Nicht genügend Speicher");
  }
  return false;
}

// Start of every run: what a previous run may have left behind.
void LaufVorbereiten(Kontext& k) {
  auto& kz = k.kz;
  kz.Fehlerprotokoll.clear();
  kz.Fehlerzahl = 0;
  kz.SaetzeGelesen = 0;
  kz.Satzverluste.Leeren();
  kz.Verlustzaehler = {};
  kz.EingabeDateiNr.Schliessen();
  // A run that ended in an error may have left a line read ahead; each run starts at line 1 and
  // shows nothing of the input until its first record.
  k.lz.ZeileVorgelesen = 0;
  k.lz.GezeigteZeile.clear();
  k.lz.GezeigterSchluessel.clear();
}

// The run's description, filled once from the driving window when a driver starts: the analysis
// has shown the input version, the user or the command line has chosen the output version.
void LaufBeschreiben(Kontext& k, Fenster& f, bool interaktiv) {
  k.lauf = {};
  k.lauf.VersionenSetzen(f.Text("Lab_Version"), f.Text("Com_Version"));
  k.lauf.interaktiv = interaktiv;
  // Asked once per run, when the first SET record of a version-3 input is read.
  k.lauf.setFrage = [&f] { return SetFrageStellen(f); };
}

void LoopStarten(Kontext& k, Fenster& f) {
  f.Sanduhr(true);
  k.ns.Termin1.clear();
  k.kz.Termin1Geschrieben = false;
}

// Reads the leading number of a text as a double ("," already replaced); 0 when there is none.
double ZahlLesen(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  std::size_t e = i;
  if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
  bool punkt = false;
  while (e < text.size() && ((text[e] >= '0' && text[e] <= '9') || (text[e] == '.' && !punkt))) {
    if (text[e] == '.') punkt = true;
    ++e;
  }
  std::string zahl = text.substr(i, e - i);
  if (!zahl.empty() && zahl[0] == '+') zahl.erase(0, 1);
  if (!zahl.empty() && zahl[0] == '.') zahl.insert(0, "0");
  if (zahl.size() > 1 && zahl[0] == '-' && zahl[1] == '.') zahl.insert(1, "0");
  double wert = 0;
  std::from_chars(zahl.data(), zahl.data() + zahl.size(), wert);
  return wert;
}

// A cancelled run: the temporary output goes and an existing output file stays as it was, and
// the user is told so. A device or pipe has taken what was written, without an end record.
void AbbruchMelden(Kontext& k, Fenster& f) {
  const bool vorlaeufig = k.kz.AusgabeDateiNr.Vorlaeufig();
  k.kz.AusgabeDateiNr.Verwerfen();
  f.Meldung(vorlaeufig ? std::string("Die Konvertierung wurde abgebrochen. ") + KeineAusgabe
                       : std::string("Konvertiervorgang wurde abgebrochen!"),
            Abbruchtitel, Knoepfe::Ok, Symbol::Kein);
}

// The record loop and the end of the output: the version-5 end record, then the output is
// closed and takes its name (a failure there is a write error); a cancelled run leaves no output.
// False when the error handler took over.
bool LaufAusfuehren(Kontext& k, Fenster& f, bool interaktiv, bool& abgebrochen) {
  Stufe stufe = StufeVerarbeitung;
  return Bewacht(k, f, interaktiv, stufe, [&] {
    abgebrochen = Satzschleife(k, f, interaktiv, stufe);
    VerlustzusammenfassungAnfuegen(k);
    f.Sanduhr(false);
    stufe = StufeSchreiben;
    if (abgebrochen) {
      AbbruchMelden(k, f);
      return;
    }
    if (k.lauf.ausgabeversion == 5) Endesatz(k);
    k.kz.AusgabeDateiNr.Schliessen();
  });
}

// After the loop: the error log when anything was logged (placed below the driving window's top),
// the input closed, two beeps unless cancelled.
void LaufBeenden(Kontext& k, Fenster& f, bool interaktiv, bool abgebrochen) {
  if (k.kz.Fehlerzahl != 0) f.ProtokollZeigen(k.kz.Fehlerprotokoll, interaktiv ? 800 : 700, 150);
  k.lz.ZeileVorgelesen = 0;
  k.kz.EingabeDateiNr.Schliessen();
  if (!abgebrochen) {
    f.Piepton();
    f.Piepton();
  }
}

}  // namespace

bool SetFrageStellen(Fenster& f) {
  static const std::string Frage =
      Ansi("Eingabe = JA  wenn die SET-Blöcke als Aufruf-Folgen (Jumbo, Block, Faulenzer usw.) eingesetzt werden") +
      "\n\n" + Ansi("Eingabe = NEIN   bei Verwendung der SET-Blöcke als Stücklisten");
  return f.Meldung(Frage, "", Knoepfe::JaNein, Symbol::Frage) == Antwort::Ja;
}

Lesefunktion LeserFuer(const std::string& version, const std::string& dk) { return Waehlen(Leser, version, dk); }
Schreibfunktion SchreiberFuer(const std::string& version, const std::string& dk) {
  return Waehlen(Schreiber, version, dk);
}

int Rueckgabewert(Laufergebnis ergebnis, std::int64_t fehlerzahl) {
  switch (ergebnis) {
    case Laufergebnis::Konvertiert: return fehlerzahl != 0 ? 1 : 0;
    case Laufergebnis::NichtsKonvertiert: return 2;
    case Laufergebnis::Fehler: return 3;
    case Laufergebnis::Abgebrochen: return 4;
  }
  return 3;
}

Laufergebnis AutomatikLauf(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  LaufBeschreiben(k, f, false);
  Stufe stufe = StufeOeffnen;
  LaufVorbereiten(k);
  bool weiter = false;
  bool ok = Bewacht(k, f, false, stufe, [&] {
    f.SetzeText("Com_WaehrungsKz", f.Text("Lab_WaehrungKz"));
    f.SetzeText("Lab_VersionEin", "Vers." + FormatierenGanz(kz.AufrufEingabeversion, "0"));
    if (EingabeUngeeignet(k, f) || DatenkennzeichenOhneUmsetzung(k, f)) return;
    if (k.lauf.ausgabeversionText != "3" &&
        (IstLeer(f.Text("Com_WaehrungsKz")) || k.lauf.eingabeversionText == "3")) {
      auto antwort = f.Eingabe(Ansi("Für die Ausgabedatei wird ein Währungskennzeichen erwartet. Bitte geben Sie "
                                    "zum Beispiel DEM für DM vor"),
                               "", "DEM");
      std::string waehrung = Gross(antwort.value_or(""));
      f.SetzeText("Com_WaehrungsKz", waehrung);
      if (!WaehrungZulaessig(waehrung)) {
        kz.Aufruffehler = -1;
        if (antwort)
          f.Meldung(Ansi("Das Währungskennzeichen ") + waehrung +
                        Ansi(" ist für die Ausgabedatei nicht zulässig\n\nkeine Verarbeitung möglich!"),
                    Ansi("Währungskennzeichen"), Knoepfe::Ok, Symbol::Kein);
        return;
      }
    }
    if (NamenFalsch(f)) return;
    k.lauf.ausgabewaehrung = f.Text("Com_WaehrungsKz");
    AusgabeOeffnen(k, f);
    if (kz.AusgabeNichtBereit == -1) return;
    LoopStarten(k, f);
    weiter = true;
  });
  if (!ok) return Laufergebnis::Fehler;
  if (!weiter) return Laufergebnis::NichtsKonvertiert;

  bool abgebrochen = false;
  if (!LaufAusfuehren(k, f, false, abgebrochen)) return Laufergebnis::Fehler;
  LaufBeenden(k, f, false, abgebrochen);
  return abgebrochen ? Laufergebnis::Abgebrochen : Laufergebnis::Konvertiert;
}

Laufergebnis KommandozeilenLauf(Kontext& k, Fenster& f, const std::function<void()>& fensterZeigen) {
  auto& kz = k.kz;
  AutomatikFensterFuellen(k, f);
  ParameterPruefen(k, f);
  kz.Eingabedateiname = kz.AufrufEingabe;
  if (kz.Aufruffehler != 0) return Laufergebnis::NichtsKonvertiert;
  EingabeAnalysieren(k, f);
  kz.AufrufEingabeversion = kz.Eingabeversion;
  if (fensterZeigen) fensterZeigen();
  return AutomatikLauf(k, f);
}

Laufergebnis InteraktivLauf(Kontext& k, Fenster& f) {
  auto& kz = k.kz;
  LaufBeschreiben(k, f, true);
  if (IstLeer(f.Text("Tex_Ausgabe"))) {
    f.Meldung(Ansi("Bitte zuerst Laufwerk, Pfad und Dateinamen für die Ausgabe vorgeben"),
              "Laufwerk/Pfad/Dateiname falsch", Knoepfe::Ok, Symbol::Kein);
    return Laufergebnis::NichtsKonvertiert;
  }
  if (DatenkennzeichenOhneUmsetzung(k, f)) return Laufergebnis::NichtsKonvertiert;
  std::string faktor = f.Text("Tex_Faktor");
  std::size_t komma = faktor.find(',');
  if (komma != std::string::npos) faktor[komma] = '.';
  k.lauf.umrechnungsfaktor = IstLeer(faktor) ? 0 : ZahlLesen(faktor);
  k.lauf.umrechnungsrichtung = UmrechnungTeilt(f.Text("Lab_Version"), f.Text("Com_Version"),
                                               f.Text("Lab_WaehrungKz"), f.Text("Com_WaehrungsKz"));
  if (f.Sichtbar("Tex_Faktor") && k.lauf.umrechnungsfaktor == 0) {
    f.Meldung("Bitte zuerst den Umrechnungskurs in den Grunddaten vorgeben", "", Knoepfe::Ok, Symbol::Kein);
    return Laufergebnis::NichtsKonvertiert;
  }
  if (k.lauf.umrechnungsfaktor != 0) {
    const std::string ein = f.Text("Lab_WaehrungKz");
    const std::string aus = f.Text("Com_WaehrungsKz");
    std::string beispiel = Formatieren(Umrechnen(100 * FestkommaEins, k.lauf.umrechnungsfaktor, k.lauf.umrechnungsrichtung),
                                       "#####0.00 ");
    for (char& c : beispiel)
      if (c == '.') c = f.Dezimalzeichen();
    Antwort a = f.Meldung("Achtung!\r\n\r\nAlle Preise werden von  " + ein + "  in  " + aus + " umgerechnet.\r\n\r\n" +
                              "Beispiel: 100 " + ein + " = " + beispiel + aus,
                          Ansi("Währungsumrechnung"), Knoepfe::OkAbbrechen, Symbol::Frage);
    if (a != Antwort::Ok) return Laufergebnis::NichtsKonvertiert;
  }
  Stufe stufe = StufeOeffnen;
  LaufVorbereiten(k);
  if (EingabeUngeeignet(k, f)) return Laufergebnis::NichtsKonvertiert;
  static const char* const Bereiche[] = {"Fra_Einlesen", "Fra_Auslesen", "Fra_Arbeit", "Com_Laden", "Com_Konvertieren"};
  auto freigeben = [&](bool an) {
    for (const char* b : Bereiche) f.Aktivieren(b, an);
  };
  bool weiter = false;
  bool ok = Bewacht(k, f, true, stufe, [&] {
    if (k.lauf.ausgabeversionText != "3" && IstLeer(f.Text("Com_WaehrungsKz"))) {
      f.Meldung(Ansi("kein Währungskennzeichen angegeben"), "", Knoepfe::Ok, Symbol::Kein);
      return;
    }
    if (NamenFalsch(f)) return;
    kz.Ausgabeversion = static_cast<std::int16_t>(k.lauf.ausgabeversion);
    k.lauf.ausgabewaehrung = f.Text("Com_WaehrungsKz");
    AusgabeOeffnen(k, f);
    if (kz.AusgabeNichtBereit == -1) return;
    f.SetzeText("Lab_Hilfe", "Daten werden bearbeitet - Unterbrechung mit Taste 'Beenden'");
    freigeben(false);
    LoopStarten(k, f);
    weiter = true;
  });
  if (!ok) return Laufergebnis::Fehler;
  if (!weiter) return Laufergebnis::NichtsKonvertiert;

  bool abgebrochen = false;
  if (!LaufAusfuehren(k, f, true, abgebrochen)) {
    // After an error the window must stay usable.
    freigeben(true);
    return Laufergebnis::Fehler;
  }
  LaufBeenden(k, f, true, abgebrochen);
  freigeben(true);
  f.SetzeText("Lab_Hilfe", "");
  if (!abgebrochen && kz.Fehlerzahl == 0)
    f.Meldung("Daten konvertiert", "DATANORM Konvertierung", Knoepfe::Ok, Symbol::Kein);
  return abgebrochen ? Laufergebnis::Abgebrochen : Laufergebnis::Konvertiert;
}

}  // namespace korvelan
