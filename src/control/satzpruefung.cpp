#include "control/satzpruefung.h"

#include "context/protokoll.h"
#include "context/zeichentabellen.h"
#include "formats/v3/schreiber_v3.h"
#include "record/festkomma.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"

namespace korvelan {

namespace {

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

void WertUmrechnen(Festkomma& wert, const Laufbeschreibung& lauf) {
  if (wert != 0) wert = Umrechnen(wert, lauf.umrechnungsfaktor, lauf.umrechnungsrichtung);
}

}  // namespace


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

void EinheitUmsetzen(Kontext& k) {
  auto& ns = k.ns;
  auto& gedaechtnis = k.kz.Einheiten;
  if (!gedaechtnis.aktiv) {
    std::string ergebnis;
    if (EinheitSuchen(k.gd, k.lauf.ausgabeversionText, EinheitNormal(ns.Mengeneinheit), ergebnis))
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
  e.umgesetzt = EinheitSuchen(k.gd, k.lauf.ausgabeversionText, EinheitNormal(ns.Mengeneinheit), e.ergebnis);
  if (e.umgesetzt) ns.Mengeneinheit = e.ergebnis;
}

namespace {

// A text field that holds a value: neither empty, nor blank, nor "@" (present but empty). Asked
// for many fields of every record, so the short cases come first.
inline bool HatWert(const std::string& feld) {
  if (feld.size() <= 1) return !feld.empty() && feld[0] != ' ' && feld[0] != '@';
  return !IstLeer(feld);
}

// An article line that deletes or renumbers (processing flag "L" or "X") carries no article data.
inline bool LoeschtOderNummeriertUm(const Neutralsatz& ns) {
  const std::string& kz = ns.Verarbeitungskz;
  return kz.size() == 1 && (kz[0] == 'L' || kz[0] == 'X');
}

// A value without its trailing blanks, as a view; empty for "@".
inline std::string_view OhneEndblanks(const std::string& feld) {
  if (feld.size() == 1 && feld[0] == '@') return {};
  std::size_t e = feld.size();
  while (e > 0 && feld[e - 1] == ' ') --e;
  return std::string_view(feld.data(), e);
}

// Length of a value without its trailing blanks; 0 for "@".
inline std::size_t Wertlaenge(const std::string& feld) { return OhneEndblanks(feld).size(); }

// The price units the versions 3 and 4 can code (0 stands for 1).
bool PreiseinheitKodierbar(std::string_view pe) {
  return pe == "0" || pe == "1" || pe == "10" || pe == "100" || pe == "1000";
}

bool LangtextLaengerAls(const Neutralsatz& ns, std::size_t breite) {
  for (const Langtextzeile& z : ns.Langtexttabelle) {
    if (z.LangtextMarke.empty()) break;
    if (Wertlaenge(z.LangtextZeile) > breite) return true;
  }
  return false;
}

bool HatPreiszeile(const Neutralsatz& ns) {
  for (const Preiszeile& p : ns.Preistabelle)
    if (!IstLeer(p.PArtikelNr)) return true;
  return false;
}

// True for an article (not a delete or renumber) with a price or with price scales, surcharges or
// raw-material data.
bool HatArtikelpreis(const Neutralsatz& ns) {
  if (IstLeer(ns.ArtikelNr) || LoeschtOderNummeriertUm(ns)) return false;
  return HatWert(ns.Preis) || ns.Staffeltabelle[0].StaffelArt != 0;
}

// The price unit of the article as a number (none stands for 1), which a scale row of version 4
// takes as its own (999).
std::int64_t ArtikelpreiseinheitVon(const Neutralsatz& ns) {
  const std::int64_t pe = HatWert(ns.Preiseinheit) && HatZahl(ns.Preiseinheit) ? Runden(Val(ns.Preiseinheit)) : 0;
  return pe == 0 ? 1 : pe;
}

// True when a value is a whole number of at most `stellen` digits, not negative.
bool GanzInStellen(Festkomma wert, int stellen) {
  if (wert < 0 || wert % FestkommaEins != 0) return false;
  std::int64_t grenze = 1;
  for (int i = 0; i < stellen; ++i) grenze *= 10;
  return wert / FestkommaEins < grenze;
}

// True when a version-4 Z line gives the scale row back as it is: its kind has a mark there, the
// price unit is the article's (version 4 has none of its own), texts and numbers fit the fields
// of the version-4 reader, the second text and the end value of version 5 are not needed.
bool InVersion4Haltbar(const Staffelzeile& z, std::int64_t artikelpreiseinheit) {
  auto preiseinheit = [&](std::int64_t pe) { return pe == 999 || pe == artikelpreiseinheit; };
  auto zuAbCode = [](std::int16_t art, const std::string& vorzeichen) {
    const std::string_view vz = TrimmenAnsicht(vorzeichen);
    return (art == 2 || art == 3) && (vz == "+" || vz == "-");
  };
  switch (z.StaffelArt) {
    case 1:
      return z.StaffelBasismerker >= 0 && z.StaffelBasismerker <= 9 && Wertlaenge(z.StaffelBasistext1) <= 28 &&
             OhneEndblanks(z.StaffelBasistext2) == OhneEndblanks(z.StaffelBasistext1) &&
             (z.StaffelZuAbArt == 1 ? z.StaffelMerker >= 0 && z.StaffelMerker <= 9 && TrimmenAnsicht(z.StaffelVorzeichen) == "+"
                                    : z.StaffelMerker == 1 && zuAbCode(z.StaffelZuAbArt, z.StaffelVorzeichen)) &&
             preiseinheit(z.StaffelEndeA) && (z.StaffelEndeB == 0 || z.StaffelEndeB == 999) &&
             GanzInStellen(z.VonBasis, 8) && GanzInStellen(z.BisBasis, 8);
    case 2:
      return (z.RohVBKz == 1 || z.RohVBKz == 2) && zuAbCode(z.RohVBZuAbArt, z.RohVBVorzeichen) &&
             preiseinheit(z.RohVBEnde) && GanzInStellen(z.VonBasis, 6) && GanzInStellen(z.BisBasis, 6) &&
             (z.RohVBKz == 1 || (z.RohVBWert5 == 0 && z.RohVBWert6 == 0));
    case 3:
      return z.RohstoffKz == 2 && preiseinheit(z.RohstoffMengenbasis) && GanzInStellen(z.RohstoffBasis, 6);
    default:
      return false;
  }
}

// Names what the output version `aus` cannot hold of the record read from version `ein`.
void VerlusteFinden(const Neutralsatz& ns, int ein, int aus, Verlustliste& v) {
  if (aus < 5 && ein == 5 && !ns.CZeilen[0].empty()) v.Nennen(Verlust::CZeilen);
  // Versions 3 and 4 hold rows of 40 characters and two kinds of text (T and E lines); only
  // version 5 has longer rows and more kinds.
  if (aus < 5 && ein == 5 && ((!ns.LangtextNr.empty() && ns.LangtextArt > 2) || LangtextLaengerAls(ns, 40)))
    v.Nennen(Verlust::Langtext);
  // The customer fields stay in the record after its K line (the SET and price readers reset their
  // tables only): they belong to the record only while it is the customer record.
  const bool kunde = !ns.Kundennummer.empty();
  if (aus < 5 && ein == 5) {
    if (kunde && (HatWert(ns.KName1) || HatWert(ns.KName2) || HatWert(ns.KName3) || HatWert(ns.KName4) ||
                  HatWert(ns.KKz) || HatWert(ns.KFeld9) || HatWert(ns.KFeld30)))
      v.Nennen(Verlust::Kundendaten);
    if (HatWert(ns.NummerAltZusatz)) v.Nennen(Verlust::Zusatzfelder);
  }
  if (kunde && aus == 5 && ein < 5 && HatWert(ns.Preispflege)) v.Nennen(Verlust::Preispflege);
  // A group line of versions 3 and 4 may describe its main group as well; version 5 writes one
  // description, the group's (the main group's stands in for a group without one).
  if (aus == 5 && HatWert(ns.HwgBezeichnung) && HatWert(ns.WgBezeichnung)) v.Nennen(Verlust::Hauptgruppentext);
  // The date of a price change (Termin1) holds from its line on for every record after it. It is
  // named for each record holding prices read under it (each article, each row of a price
  // record): not only for the first, so that the count at the end of the log is the number of
  // articles whose prices lost their date; not for a customer, SET or text record, which has no
  // prices. Version 3 has no place for it; the version-5 article lines have none either (its
  // price lines carry it).
  if (!IstLeer(ns.Termin1) && (aus == 3 ? HatPreiszeile(ns) || HatArtikelpreis(ns) : aus == 5 && HatArtikelpreis(ns)))
    v.Nennen(Verlust::Preisdatum);
  for (const Setzeile& s : ns.SetTabelle) {
    if (s.SetNr.empty()) break;
    // Version 3 holds neither the SET marker (its reader takes it from the SET question), nor the
    // call marker, nor a description.
    if (aus == 3 && ein > 3) v.Nennen(Verlust::SetDaten);
    if (aus == 4 && Wertlaenge(s.SetBeschreibung) > 28) v.Nennen(Verlust::SetText);
  }

  if (IstLeer(ns.ArtikelNr) || LoeschtOderNummeriertUm(ns)) return;
  // Article data.
  if (aus == 3 && ein > 3) {
    if (HatWerkstoffOderArbeit(ns) || ns.ArbeitWert != 0) v.Nennen(Verlust::WerkstoffArbeit);
    // The version-3 B line holds one copper row; every other row of the table is lost, and so are
    // a factor other than 0.01 and a quantity base other than the unit's of the row it holds.
    const Staffelzeile* kupfer = ns.Staffeltabelle[0].StaffelArt == 0 ? nullptr : KupferzeileDerBZeile(ns, false);
    if (kupfer != nullptr && (kupfer->RohstoffFaktor != FestkommaEins / 100 ||
                              kupfer->RohstoffMengenbasis != (kupfer->RohstoffWert4 == FestkommaEins / 100 ? 100 : 1000)))
      v.Nennen(Verlust::Zuschlagsaetze);
    for (const Staffelzeile& z : ns.Staffeltabelle) {
      if (z.StaffelArt == 0) break;
      if (&z != kupfer) {
        v.Nennen(Verlust::Zuschlagsaetze);
        break;
      }
    }
    if (HatWert(ns.Warengruppe)) v.Nennen(Verlust::Warengruppe);
    if (HatWert(ns.Kostenart) && TrimmenAnsicht(ns.Kostenart) != "90") v.Nennen(Verlust::Kostenart);
    if (HatWert(ns.Verpackungsmenge) && TrimmenAnsicht(ns.Verpackungsmenge) != "1")
      v.Nennen(Verlust::Verpackungsmenge);
    if (HatWert(ns.ReferenzKuerzel) || HatWert(ns.ReferenzNr)) v.Nennen(Verlust::Referenz);
    if (HatWert(ns.Anbindungsnummer)) v.Nennen(Verlust::Anbindung);
  }
  if (aus > 3 && ns.ArbeitWert != 0) {
    // The labour value as the output's line holds it: six characters, in tenths, or in
    // thousandths in a version-5 line whose second code is 3. Finer places or more characters
    // are not carried.
    const Festkomma wert = Mal(ns.ArbeitWert, aus == 5 && ns.ArbeitKz2 == 3 ? 1000 : 10);
    if (wert % FestkommaEins != 0 || wert > 999999 * FestkommaEins || wert < -99999 * FestkommaEins)
      v.Nennen(Verlust::WerkstoffArbeit);
  }
  if (aus == 4 && ein == 5) {
    const Staffelzeile* kupfer = KupferzeileDerBZeile(ns, true);
    for (const Staffelzeile& z : ns.Staffeltabelle) {
      if (z.StaffelArt == 0) break;
      if (&z != kupfer && !InVersion4Haltbar(z, ArtikelpreiseinheitVon(ns))) {
        v.Nennen(Verlust::Zuschlagsaetze);
        break;
      }
    }
    if (Wertlaenge(ns.Anbindungsnummer) > 12) v.Nennen(Verlust::Anbindung);
    if (Wertlaenge(ns.ReferenzKuerzel) > 4) v.Nennen(Verlust::Referenz);
  }
  if (aus < 5) {
    if (Wertlaenge(ns.Katalogseite) > (aus == 3 ? 6u : 8u)) v.Nennen(Verlust::Katalogseite);
    if (Wertlaenge(ns.EanNr) > 13) v.Nennen(Verlust::Ean);
    if (HatWert(ns.Preiseinheit) && !PreiseinheitKodierbar(TrimmenAnsicht(ns.Preiseinheit)))
      v.Nennen(Verlust::Preiseinheit);
    if (ein == 5 && (HatWert(ns.A5Feld14) || HatWert(ns.A5Feld16) || HatWert(ns.A5Feld17) || HatWert(ns.A5Feld18) ||
                     HatWert(ns.A5Feld26)))
      v.Nennen(Verlust::Zusatzfelder);
    // Versions 3 and 4 hold a price flag of one digit.
    if (HatWert(ns.Preiskz) && !PreiskennzeichenZiffer(ns.Preiskz))
      v.Nennen(Verlust::Preiskennzeichen);
  }
}

// Names what the output version cannot hold of one row of a price record.
void PreiszeileVerlusteFinden(const Preiszeile& p, int ein, int aus, Verlustliste& v) {
  if (aus < 5 && ein == 5 && p.PPreiseinheit > 1) v.Nennen(Verlust::Preiseinheit);
  if (aus < 5 && !PreiskennzeichenZiffer(p.PPreiskz)) v.Nennen(Verlust::Preiskennzeichen);
  // Versions 3 and 4 carry the discount group in place of discount 1 (kind 0): beside a discount
  // 1 of its own, or with that pair not given, it has no place.
  if (aus < 5 && HatWert(p.PRabattgruppe) && (p.PZuAbMarke1 == KeineAngabe || p.PZuAbKz1 != 0))
    v.Nennen(Verlust::Rabattgruppe);
}

// The key an entry shows for a record: the article number, else the key of what the record holds
// (a text by its key in the input, also when a shorter key is written for it).
const std::string& Satzkennung(const Kontext& k) {
  const Neutralsatz& ns = k.ns;
  if (!ns.ArtikelNr.empty()) return ns.ArtikelNr;
  if (!ns.LangtextNr.empty()) {
    const std::string& ur = k.kz.Textschluessel.urLangtextNr;
    return ur.empty() ? ns.LangtextNr : ur;
  }
  if (!ns.SetTabelle[0].SetNr.empty()) return ns.SetTabelle[0].SetNr;
  if (!ns.Preistabelle[0].PArtikelNr.empty()) return ns.Preistabelle[0].PArtikelNr;
  if (!ns.Kundennummer.empty()) return ns.Kundennummer;
  if (!ns.WgNummer.empty()) return ns.WgNummer;
  if (!ns.Hauptwarengruppe.empty()) return ns.Hauptwarengruppe;
  return ns.RgNummer;
}

}  // namespace

void VerlusteEintragen(Kontext& k, const std::string& schluessel) {
  auto& kz = k.kz;
  Verlustliste& v = kz.Satzverluste;
  if (v.Leer()) return;
  v.JedeArt([&](Verlust art) { ++kz.Verlustzaehler[static_cast<std::size_t>(art)]; });
  if (!EintragWirdGelesen(kz)) {
    ++kz.Fehlerzahl;
    v.Leeren();
    return;
  }
  std::string liste;
  v.JedeArt([&](Verlust art) {
    if (!liste.empty() && liste.back() != ' ') liste += ' ';
    if (art != Verlust::CZeilen) {
      liste += Verlustwort(art);
      return;
    }
    // Kept C lines are shown by their first 15 characters, each followed by a blank.
    for (const std::string& c : k.ns.CZeilen) {
      if (c.empty()) break;
      liste += DateitextNachAnsi(std::string_view(c).substr(0, 15));
      liste += ' ';
    }
  });
  v.Leeren();
  ProtokollEintrag(k, Auffuellen(DateitextNachAnsi(schluessel), 16) + "\tDatenverlust: \t" + liste.substr(0, 35));
}

void VerlustzusammenfassungAnfuegen(Kontext& k) {
  auto& kz = k.kz;
  bool erste = true;
  for (std::size_t i = 0; i < Verlustarten; ++i) {
    const std::int64_t n = kz.Verlustzaehler[i];
    if (n == 0) continue;
    if (erste) ProtokollAnfuegen(kz, "\r\n", false);
    erste = false;
    ProtokollAnfuegen(kz,
             "Datenverlust " + std::string(Verlustwort(static_cast<Verlust>(i))) + ": " +
                 FormatierenGanz(n, "#########0") + (n == 1 ? " Datensatz" : Ansi(" Datensätze")) + "\r\n",
             false);
  }
}

void SatzPruefen(Kontext& k) {
  auto& ns = k.ns;
  if (!ns.ArtikelNr.empty()) {
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
        ProtokollEintrag(k, Auffuellen(DateitextNachAnsi(ns.ArtikelNr), 18) + "\tTextkennzeichen falsch");
      }
    });
  }

  // What the output version cannot hold.
  const int aus = k.lauf.ausgabeversion;
  const int ein = k.lauf.eingabeversion;
  // A record keeps everything in its own version.
  Verlustliste& v = k.kz.Satzverluste;
  if (aus != ein) Versuchen([&] { VerlusteFinden(ns, ein, aus, v); });
  // Except numbers too wide for their version-3 fields, which the currency conversion may have
  // made so within version 3 as well (and a negative number fits no such field).
  if (aus == 3)
    Versuchen([&] {
      if (!v3::ZahlenPassen(ns)) v.Nennen(Verlust::Zahlbreite);
    });
  // The rows of a price record are articles of their own: each gets its entry under its number,
  // naming what the record loses as a whole as well.
  if (ns.ArtikelNr.empty() && ns.Kundennummer.empty()) {
    const Verlustliste satz = v;
    bool zeilen = false;
    for (const Preiszeile& p : ns.Preistabelle) {
      if (!HatWert(p.PArtikelNr)) continue;
      zeilen = true;
      v = satz;
      if (aus != ein) Versuchen([&] { PreiszeileVerlusteFinden(p, ein, aus, v); });
      // The version-3 writer leaves such a row out of its line.
      if (aus == 3)
        Versuchen([&] {
          if (!v3::PreiszeilePasst(p)) v.Nennen(Verlust::Zahlbreite);
        });
      if (!v.Leer()) VerlusteEintragen(k, p.PArtikelNr);
    }
    if (zeilen) return v.Leeren();
  }
  // Most records lose nothing: their key is looked up only for an entry.
  if (!v.Leer()) VerlusteEintragen(k, Satzkennung(k));
}

void WaehrungUmrechnen(Kontext& k) {
  const Laufbeschreibung& lauf = k.lauf;
  auto& ns = k.ns;
  if (lauf.umrechnungsfaktor == 0) return;
  // The price is a whole number of hundredths; it is converted as a whole number and rounded
  // once. A price that holds no number ("@") is left as it is rather than turned into zeros.
  if (!ns.Preis.empty() && HatZahl(ns.Preis)) {
    std::int64_t ganz = Runden(Val(ns.Preis));
    // Umrechnen rounds to a whole unit of the value it is given: here a whole hundredth.
    std::int64_t neu = Umrechnen(ganz, lauf.umrechnungsfaktor, lauf.umrechnungsrichtung);
    ns.Preis = FormatierenGanz(neu, "0000000000");
  }
  for (Staffelzeile& z : ns.Staffeltabelle) {
    if (z.StaffelArt == 0) break;
    WertUmrechnen(z.StaffelPreis, lauf);
    WertUmrechnen(z.RohVBPreis, lauf);
    // The from/to bases of a raw-material row are prices of the raw material; those of a price
    // scale are the quantities the scale price applies to ("45 to 899"), which no currency changes.
    if (z.StaffelArt != 1) {
      WertUmrechnen(z.VonBasis, lauf);
      WertUmrechnen(z.BisBasis, lauf);
    }
    WertUmrechnen(z.RohstoffBasis, lauf);
  }
  for (Preiszeile& p : ns.Preistabelle) WertUmrechnen(p.PPreis, lauf);
}

}  // namespace korvelan
