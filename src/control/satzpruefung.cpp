#include "control/satzpruefung.h"

#include "control/konvertierlauf.h"
#include "control/zeichentabellen.h"
#include "record/festkomma.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"

namespace korvelan {

int VersionAusText(const std::string& text) {
  try {
    return static_cast<int>(Runden(Val(text)));
  } catch (const Laufzeitfehler&) {
    return 0;
  }
}

namespace {

constexpr std::size_t Protokollgrenze = 60000;

std::string Protokollkopf(Fenster& f) {
  // "DD.MM.YYYY" -> "DD.MM.YY"
  std::string heute = HeutigesDatum();
  std::string datum = heute.size() >= 10 ? heute.substr(0, 6) + heute.substr(8, 2) : heute;
  std::string kopf = "F E H L E R P R O T O K O L L   vom " + datum + "\r\n";
  kopf += "Konvertierung von Vers." + f.Text("Lab_Version") + " in Vers." + f.Text("Com_Version") + "\r\n";
  kopf += std::string(45, '_') + "\r\n\r\n";
  return kopf;
}

// Runs one step of the record check; a run-time error leaves that step without effect.
template <typename Schritt>
void Versuchen(Schritt schritt) {
  try {
    schritt();
  } catch (const Laufzeitfehler&) {
  }
}

bool HatWerkstoffOderArbeit(const Neutralsatz& ns) {
  return !IstLeer(ns.WerkstoffText) || ns.WerkstoffWert1 != 0 || ns.WerkstoffWert2 != 0 || ns.WerkstoffWert3 != 0 ||
         ns.WerkstoffWert4 != 0 || ns.WerkstoffKz != 0 || ns.WerkstoffWert5 != 0 || ns.ArbeitKz1 != 0;
}

// A character of a unit as it is compared: in capitals, and "²" and "³" (Windows-1252) as the
// digits "2" and "3". Version 3 and 4 outputs write "m²" as "m2", and it must map back to the
// same code when read again.
inline char EinheitenZeichen(char c) {
  if (c == '\xB2') return '2';
  if (c == '\xB3') return '3';
  return GrossZeichen(c);
}

// True when the slot, trimmed and compared by EinheitenZeichen, equals u (trimmed, already
// compared form). Runs once per table slot and record, so it compares in place instead of
// building strings.
bool SlotGleich(std::string_view slot, const std::string& u) {
  std::size_t a = 0, e = slot.size();
  while (a < e && slot[a] == ' ') ++a;
  while (e > a && slot[e - 1] == ' ') --e;
  if (e - a != u.size()) return false;
  for (std::size_t i = 0; i < u.size(); ++i)
    if (EinheitenZeichen(slot[a + i]) != u[i]) return false;
  return true;
}

void WertUmrechnen(Festkomma& wert, const Konvertierzustand& kz) {
  if (wert != 0) wert = Umrechnen(wert, kz.Umrechnungsfaktor, kz.Umrechnungsrichtung);
}

}  // namespace

void ProtokollEintrag(Kontext& k, Fenster& f, const std::string& eintrag) {
  auto& kz = k.kz;
  if (kz.Fehlerzahl == 0) kz.Fehlerprotokoll += Protokollkopf(f);
  if (kz.Fehlerprotokoll.size() < Protokollgrenze) {
    kz.Fehlerprotokoll += eintrag;
    kz.Fehlerprotokoll += "\r\n";
  }
  ++kz.Fehlerzahl;
}

namespace {

// The entry of the unit tables for u: the same search with the settings' spelling as it is.
bool EinheitInTabelle(const Grunddaten& gd, const std::string& version, const std::string& u, std::string& ergebnis) {
  // A record without a unit keeps it empty: a blank slot or a blank code must not give it one.
  if (u.empty()) return false;
  if (version == "5") {
    for (int i = 0; i < Grunddateneintraege; ++i) {
      const std::string& liste = gd.EinhTab[i];
      if (IstLeer(liste)) continue;
      for (std::size_t p = 0; p < liste.size(); p += 5) {
        if (SlotGleich(std::string_view(liste).substr(p, 4), u)) {
          ergebnis = gd.EinhV5Tab[i].substr(0, 4);
          return true;
        }
      }
    }
  } else if (version == "3" || version == "4") {
    for (int i = 0; i < Grunddateneintraege; ++i) {
      if (SlotGleich(std::string_view(gd.EinhV5Tab[i]).substr(0, 4), u)) {
        ergebnis = gd.EinhTab[i].substr(0, 4);
        return true;
      }
    }
  }
  return false;
}

// The mapped unit for u (converted, trimmed, in the compared form) and the output version, in the
// file's code; false when the unit stays as it is.
bool EinheitSuchen(const Grunddaten& gd, const std::string& version, const std::string& u, std::string& ergebnis) {
  if (!EinheitInTabelle(gd, version, u, ergebnis)) return false;
  // The spelling comes from the settings (Windows-1252); the record holds the file's code.
  ZeichenNachOem(ergebnis, static_cast<std::int16_t>(VersionAusText(version)));
  return true;
}

std::string EinheitNormal(const std::string& einheit) {
  std::string u = einheit;
  ZeichenNachAnsi(u);
  u = Trimmen(u);
  for (char& c : u) c = EinheitenZeichen(c);
  return u;
}

}  // namespace

void EinheitUmsetzen(Kontext& k, Fenster& f) {
  auto& ns = k.ns;
  auto& gedaechtnis = k.kz.Einheiten;
  if (!gedaechtnis.aktiv) {
    std::string ergebnis;
    if (EinheitSuchen(k.gd, Trimmen(f.Text("Com_Version")), EinheitNormal(ns.Mengeneinheit), ergebnis))
      ns.Mengeneinheit = ergebnis;
    return;
  }
  for (std::size_t i = 0; i < gedaechtnis.belegt; ++i) {
    const auto& e = gedaechtnis.eintraege[i];
    // Compared inline: units are a few bytes, a library compare per entry and record costs more.
    if (TexteGleich(e.einheit, ns.Mengeneinheit)) {
      if (e.umgesetzt) ns.Mengeneinheit = e.ergebnis;
      return;
    }
  }
  // A new unit takes a free entry, or the oldest one when all are used.
  std::size_t platz;
  if (gedaechtnis.belegt < gedaechtnis.eintraege.size()) {
    platz = gedaechtnis.belegt++;
  } else {
    platz = gedaechtnis.naechster;
    gedaechtnis.naechster = (gedaechtnis.naechster + 1) % gedaechtnis.eintraege.size();
  }
  auto& e = gedaechtnis.eintraege[platz];
  e.einheit = ns.Mengeneinheit;
  e.umgesetzt = EinheitSuchen(k.gd, gedaechtnis.ausgabeversion, EinheitNormal(ns.Mengeneinheit), e.ergebnis);
  if (e.umgesetzt) ns.Mengeneinheit = e.ergebnis;
}

void SatzPruefen(Kontext& k, Fenster& f) {
  auto& ns = k.ns;
  if (ns.ArtikelNr.empty()) return;

  // Short texts: an empty first line takes the second.
  if (IstLeer(ns.Kurztext1) || (ns.Kurztext1 == KeineAngabe && !IstLeer(ns.Kurztext2))) {
    ns.Kurztext1 = ns.Kurztext2;
    ns.Kurztext2.clear();
  }

  // Text flag: two digits, the first one 0 to 6.
  Versuchen([&] {
    std::string& kz = ns.Textkz;
    // "00", the flag of most records, passes every step below unchanged.
    if (kz.size() == 2 && kz[0] == '0' && kz[1] == '0') return;
    if (IstLeer(kz)) kz = "00";
    if (kz.size() == 1) kz = "0" + kz;
    if (Val(kz) == 0) kz = "00";
    if (kz[0] < '0' || kz[0] > '6') {
      kz = "00";
      ProtokollEintrag(k, f, Auffuellen(DateitextNachAnsi(ns.ArtikelNr), 18) + "\tTextkennzeichen falsch");
    }
  });

  // What the output version cannot hold.
  // Within the record loop the versions were read once, when it started.
  const auto& schleife = k.kz.Schleife;
  const int aus = schleife.aktiv ? schleife.ausgabe : VersionAusText(f.Text("Com_Version"));
  const int ein = schleife.aktiv ? schleife.eingabe : VersionAusText(f.Text("Lab_Version"));
  std::string verlust;
  if (aus < 5 && ein == 5) {
    for (const std::string& c : ns.CZeilen) {
      if (c.empty()) break;
      verlust += DateitextNachAnsi(std::string_view(c).substr(0, 15));
      verlust += ' ';
    }
  }
  if (aus == 3 && ein > 3 && HatWerkstoffOderArbeit(ns)) verlust += "Werkstoff/Arbeit ";
  if (aus == 3 && ein > 3) {
    for (const Staffelzeile& z : ns.Staffeltabelle) {
      if (z.StaffelArt == 0) break;
      if (!TexteGleich(z.RohstoffMerker, "CU")) {
        static const std::string Zuschlagsaetze = Ansi("Zuschlagsätze");
        verlust += Zuschlagsaetze;
        break;
      }
    }
  }
  if (!verlust.empty())
    ProtokollEintrag(k, f,
                     Auffuellen(DateitextNachAnsi(ns.ArtikelNr), 16) + "\tDatenverlust: \t" + verlust.substr(0, 35));
}

void WaehrungUmrechnen(Kontext& k) {
  auto& kz = k.kz;
  auto& ns = k.ns;
  if (kz.Umrechnungsfaktor == 0) return;
  // The price is a whole number of hundredths; it is converted as a whole number and rounded
  // once. A price that holds no number ("@") is left as it is rather than turned into zeros.
  if (!ns.Preis.empty() && HatZahl(ns.Preis)) {
    std::int64_t ganz = Runden(Val(ns.Preis));
    // Umrechnen rounds to a whole unit of the value it is given: here a whole hundredth.
    std::int64_t neu = Umrechnen(ganz, kz.Umrechnungsfaktor, kz.Umrechnungsrichtung);
    ns.Preis = FormatierenGanz(neu, "0000000000");
  }
  for (Staffelzeile& z : ns.Staffeltabelle) {
    if (z.StaffelArt == 0) break;
    WertUmrechnen(z.StaffelPreis, kz);
    WertUmrechnen(z.RohVBPreis, kz);
    WertUmrechnen(z.VonBasis, kz);
    WertUmrechnen(z.BisBasis, kz);
    WertUmrechnen(z.RohstoffBasis, kz);
  }
  for (Preiszeile& p : ns.Preistabelle) WertUmrechnen(p.PPreis, kz);
}

}  // namespace korvelan
