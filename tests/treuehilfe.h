#pragma once
// Field-by-field audit of whole conversions. A file is converted through the command-line road;
// input and output are read back into records (with the program's own readers, as the neutral
// record they fill) and into raw fields (every field of every line as the file holds it, so that
// a value a reader drops on both sides still shows). The two are compared and every difference
// is listed with the field, the record key, both values and whether the error log named it.
//
// What counts as the same value (the normalisations of the comparison; everything else must be
// equal):
//  - text fields: trailing blanks; "@" (line present, field empty) and "" (no line) both mean
//    "no value"; CR, LF and NUL inside a text read as blanks;
//  - keys (article, text, SET, customer and discount-group numbers): trimmed, in capitals;
//  - numbers: leading zeros; a fixed-point value rounded to the places the target holds;
//  - defaults a reader or writer puts in for "not given": price unit "" / "0" = 1, packing
//    quantity "" / "0" = 1 (not "@": that is item A1), cost type "" / "0" = 90, text flag
//    "" / "@" / "0" / one digit d = "00" / "0d", a price-scale or raw-material price unit 999 =
//    the article's price unit;
//  - the quantity unit: through the unit tables of the settings (as the run maps it, when the
//    version changes and in a same-version conversion alike), and the version-5 code field's
//    trailing blank;
//  - an empty first short text takes the second (the record check does so before writing);
//  - the end record (its count and text), the running line numbers of D, T, Z and J lines, and
//    whether two rows share a line (versions 3 and 4) or each has its own (version 5);
//  - empty trailing fields (raw fields compare only fields that hold something);
//  - the input's character set: a UTF-8 or Windows-1252 file is compared as the program reads it,
//    in CP850; the error log shows keys and kept C lines in Windows-1252.
#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../bench/erzeuger.h"
#include "context/zeichentabellen.h"
#include "control/analyse.h"
#include "control/konvertierlauf.h"
#include "control/satzpruefung.h"
#include "konvertierhilfe.h"
#include "settings/grunddaten.h"

namespace korvelan::test::treue {

using Felder = std::map<std::string, std::string>;

// One logical record as the readers give it: its kind, its key and every field that holds
// something. Table rows are named with their row number ("D#01.DimText").
struct Satzbild {
  std::string art;  // A article, L delete/renumber, T long text, K, S, R, J, P (one price row)
  std::string schluessel;
  Felder felder;
};

struct Dateibild {
  std::string version, datenkennzeichen;
  std::vector<Satzbild> saetze;
};

// ---- Reading records ----------------------------------------------------------------------

inline std::string Dezimal(Festkomma v) {
  const bool neg = v < 0;
  std::uint64_t a = neg ? static_cast<std::uint64_t>(-v) : static_cast<std::uint64_t>(v);
  std::string s = std::to_string(a / 10000);
  std::uint64_t bruch = a % 10000;
  if (bruch) {
    std::string b = std::to_string(bruch);
    b = std::string(4 - b.size(), '0') + b;
    while (!b.empty() && b.back() == '0') b.pop_back();
    s += "." + b;
  }
  return neg ? "-" + s : s;
}

inline std::string Nr(int i) { return (i < 9 ? "#0" : "#") + std::to_string(i + 1); }

inline void Setzen(Felder& f, const std::string& name, const std::string& wert) {
  if (!wert.empty()) f[name] = wert;
}
inline void SetzenZahl(Felder& f, const std::string& name, Festkomma v) {
  if (v != 0) f[name] = Dezimal(v);
}
inline void SetzenGanz(Felder& f, const std::string& name, std::int64_t v) {
  if (v != 0) f[name] = std::to_string(v);
}

struct Textfeld {
  const char* name;
  std::string Neutralsatz::*feld;
};

const Textfeld Artikelfelder[] = {
    {"Textkz", &Neutralsatz::Textkz},
    {"Kurztext1", &Neutralsatz::Kurztext1},
    {"Kurztext2", &Neutralsatz::Kurztext2},
    {"Mengeneinheit", &Neutralsatz::Mengeneinheit},
    {"Preiskz", &Neutralsatz::Preiskz},
    {"Preiseinheit", &Neutralsatz::Preiseinheit},
    {"Preis", &Neutralsatz::Preis},
    {"Rabattgruppe", &Neutralsatz::Rabattgruppe},
    {"Warenhauptgruppe", &Neutralsatz::Warenhauptgruppe},
    {"Warengruppe", &Neutralsatz::Warengruppe},
    {"Matchcode", &Neutralsatz::Matchcode},
    {"A5Feld14", &Neutralsatz::A5Feld14},
    {"AlternativArtikelNr", &Neutralsatz::AlternativArtikelNr},
    {"A5Feld16", &Neutralsatz::A5Feld16},
    {"A5Feld17", &Neutralsatz::A5Feld17},
    {"A5Feld18", &Neutralsatz::A5Feld18},
    {"EanNr", &Neutralsatz::EanNr},
    {"Anbindungsnummer", &Neutralsatz::Anbindungsnummer},
    {"Verpackungsmenge", &Neutralsatz::Verpackungsmenge},
    {"Katalogseite", &Neutralsatz::Katalogseite},
    {"Langtextschluessel", &Neutralsatz::Langtextschluessel},
    {"Kostenart", &Neutralsatz::Kostenart},
    {"A5Feld26", &Neutralsatz::A5Feld26},
    {"ReferenzKuerzel", &Neutralsatz::ReferenzKuerzel},
    {"ReferenzNr", &Neutralsatz::ReferenzNr},
};

// Rows are numbered within their kind: a version that drops the rows of one kind (version 3
// keeps copper rows only) does not shift the rows of another.
inline void StaffelAbbilden(const Staffelzeile& z, int i, Felder& f) {
  const std::string p = "Z" + std::to_string(z.StaffelArt) + Nr(i) + ".";
  f[p + "StaffelArt"] = std::to_string(z.StaffelArt);
  SetzenGanz(f, p + "StaffelBasismerker", z.StaffelBasismerker);
  Setzen(f, p + "StaffelBasistext1", z.StaffelBasistext1);
  Setzen(f, p + "StaffelBasistext2", z.StaffelBasistext2);
  SetzenGanz(f, p + "StaffelMerker", z.StaffelMerker);
  SetzenGanz(f, p + "StaffelZuAbArt", z.StaffelZuAbArt);
  Setzen(f, p + "StaffelVorzeichen", z.StaffelVorzeichen);
  SetzenZahl(f, p + "StaffelPreis", z.StaffelPreis);
  SetzenGanz(f, p + "StaffelEndeA", z.StaffelEndeA);
  SetzenGanz(f, p + "StaffelEndeB", z.StaffelEndeB);
  Setzen(f, p + "RohVBMerker", z.RohVBMerker);
  SetzenGanz(f, p + "RohVBZuAbArt", z.RohVBZuAbArt);
  Setzen(f, p + "RohVBVorzeichen", z.RohVBVorzeichen);
  SetzenGanz(f, p + "RohVBKz", z.RohVBKz);
  SetzenGanz(f, p + "RohVBEnde", z.RohVBEnde);
  SetzenZahl(f, p + "RohVBPreis", z.RohVBPreis);
  SetzenZahl(f, p + "VonBasis", z.VonBasis);
  SetzenZahl(f, p + "BisBasis", z.BisBasis);
  SetzenZahl(f, p + "RohVBFaktor", z.RohVBFaktor);
  SetzenZahl(f, p + "RohVBWert5", z.RohVBWert5);
  SetzenZahl(f, p + "RohVBWert6", z.RohVBWert6);
  Setzen(f, p + "RohstoffMerker", z.RohstoffMerker);
  SetzenGanz(f, p + "RohstoffKz", z.RohstoffKz);
  SetzenGanz(f, p + "RohstoffMengenbasis", z.RohstoffMengenbasis);
  SetzenZahl(f, p + "RohstoffBasis", z.RohstoffBasis);
  SetzenZahl(f, p + "RohstoffFaktor", z.RohstoffFaktor);
  SetzenZahl(f, p + "RohstoffGewicht", z.RohstoffGewicht);
  SetzenZahl(f, p + "RohstoffWert4", z.RohstoffWert4);
}

inline void LangtextAbbilden(const Neutralsatz& ns, Felder& f) {
  SetzenGanz(f, "LangtextArt", ns.LangtextArt);
  for (int i = 0; i < Tabellenzeilen && !ns.Langtexttabelle[i].LangtextMarke.empty(); ++i)
    f["T" + Nr(i)] = Rechtstrimmen(ns.Langtexttabelle[i].LangtextZeile);
}

// The record the reader has just filled, as one or more records of the audit (a price record
// gives one per row). A customer number is emptied afterwards, as the writer does: the SET and
// price readers do not reset it.
inline void Abbilden(Neutralsatz& ns, const std::string& dk, std::vector<Satzbild>& aus) {
  if (!ns.Kundennummer.empty()) {
    Satzbild s{"K", Gross(Trimmen(ns.Kundennummer)), {}};
    Setzen(s.felder, "Kundennummer", ns.Kundennummer);
    Setzen(s.felder, "Preispflege", ns.Preispflege);
    Setzen(s.felder, "KName1", ns.KName1);
    Setzen(s.felder, "KName2", ns.KName2);
    Setzen(s.felder, "KName3", ns.KName3);
    Setzen(s.felder, "KName4", ns.KName4);
    Setzen(s.felder, "KKz", ns.KKz);
    Setzen(s.felder, "KFeld9", ns.KFeld9);
    Setzen(s.felder, "KFeld30", ns.KFeld30);
    aus.push_back(std::move(s));
    ns.Kundennummer.clear();
    return;
  }
  if (dk != "J" && dk != "P" && (!ns.Hauptwarengruppe.empty() || !ns.WgNummer.empty())) {
    Satzbild s{"S", Gross(Trimmen(ns.Hauptwarengruppe)) + "/" + Gross(Trimmen(ns.WgNummer)), {}};
    Setzen(s.felder, "Hauptwarengruppe", ns.Hauptwarengruppe);
    Setzen(s.felder, "HwgBezeichnung", ns.HwgBezeichnung);
    Setzen(s.felder, "WgNummer", ns.WgNummer);
    Setzen(s.felder, "WgBezeichnung", ns.WgBezeichnung);
    aus.push_back(std::move(s));
    return;
  }
  if (dk != "J" && dk != "P" && !ns.RgNummer.empty()) {
    Satzbild s{"R", Gross(Trimmen(ns.RgNummer)), {}};
    Setzen(s.felder, "RgNummer", ns.RgNummer);
    SetzenGanz(s.felder, "RabattKz", ns.RabattKz);
    SetzenZahl(s.felder, "Rabatt", ns.Rabatt);
    Setzen(s.felder, "RgBezeichnung", ns.RgBezeichnung);
    aus.push_back(std::move(s));
    return;
  }
  if (dk == "J") {
    if (ns.SetTabelle[0].SetNr.empty()) return;
    Satzbild s{"J", Gross(Trimmen(ns.SetTabelle[0].SetNr)), {}};
    Setzen(s.felder, "Verarbeitungskz", ns.Verarbeitungskz);
    for (int i = 0; i < Tabellenzeilen && !ns.SetTabelle[i].SetNr.empty(); ++i) {
      const Setzeile& z = ns.SetTabelle[i];
      const std::string p = "J" + Nr(i) + ".";
      Setzen(s.felder, p + "SetMerker", z.SetMerker);
      Setzen(s.felder, p + "SetKurztext", z.SetKurztext);
      SetzenGanz(s.felder, p + "SetAufrufmerker", z.SetAufrufmerker);
      Setzen(s.felder, p + "SetArtikelNr", z.SetArtikelNr);
      Setzen(s.felder, p + "SetBeschreibung", z.SetBeschreibung);
      SetzenZahl(s.felder, p + "SetMenge", z.SetMenge);
    }
    aus.push_back(std::move(s));
    return;
  }
  if (dk == "P") {
    for (Preiszeile& p : ns.Preistabelle) {
      if (IstLeer(p.PArtikelNr)) continue;
      Satzbild s{"P", Gross(Trimmen(p.PArtikelNr)), {}};
      Setzen(s.felder, "Verarbeitungskz", ns.Verarbeitungskz);
      Setzen(s.felder, "Termin1", Trimmen(ns.Termin1));
      SetzenGanz(s.felder, "PPreiskz", p.PPreiskz);
      SetzenGanz(s.felder, "PPreiseinheit", p.PPreiseinheit);
      SetzenZahl(s.felder, "PPreis", p.PPreis);
      Setzen(s.felder, "PRabattgruppe", p.PRabattgruppe);
      for (int j = 1; j <= 3; ++j) {
        // A pair marked "not given" or of kind 0 carries nothing (kind 0 names the group).
        if (p.ZuAbMarke(j) == KeineAngabe || p.ZuAbKz(j) == 0) continue;
        s.felder["Zuschlag" + std::to_string(j)] = std::to_string(p.ZuAbKz(j)) + ":" + Dezimal(p.ZuAbWert(j));
      }
      aus.push_back(std::move(s));
    }
    return;
  }
  if (!IstLeer(ns.ArtikelNr)) {
    const bool nummernsatz = ns.Verarbeitungskz == "L" || ns.Verarbeitungskz == "X";
    Satzbild s{nummernsatz ? "L" : "A", Gross(Trimmen(ns.ArtikelNr)), {}};
    Felder& f = s.felder;
    Setzen(f, "Verarbeitungskz", ns.Verarbeitungskz);
    Setzen(f, "ArtikelNr", ns.ArtikelNr);
    if (nummernsatz) {
      Setzen(f, "NummerAltKz", ns.NummerAltKz);
      Setzen(f, "NeueArtikelNr", ns.NeueArtikelNr);
      Setzen(f, "NummerAltZusatz", ns.NummerAltZusatz);
      aus.push_back(std::move(s));
      return;
    }
    for (const Textfeld& t : Artikelfelder) Setzen(f, t.name, ns.*t.feld);
    Setzen(f, "Termin1", Trimmen(ns.Termin1));
    int jeArt[4] = {0, 0, 0, 0};
    for (int i = 0; i < Tabellenzeilen && ns.Staffeltabelle[i].StaffelArt != 0; ++i) {
      const Staffelzeile& z = ns.Staffeltabelle[i];
      StaffelAbbilden(z, jeArt[z.StaffelArt >= 1 && z.StaffelArt <= 3 ? z.StaffelArt : 0]++, f);
    }
    for (int i = 0; i < Tabellenzeilen && !ns.Dimensionstabelle[i].DimUnterkz.empty(); ++i) {
      const Dimensionszeile& d = ns.Dimensionstabelle[i];
      Setzen(f, "D" + Nr(i) + ".DimUnterkz", d.DimUnterkz);
      Setzen(f, "D" + Nr(i) + ".DimText", d.DimText);
      Setzen(f, "D" + Nr(i) + ".DimLangtextNr", d.DimLangtextNr);
    }
    for (int i = 0; i < Tabellenzeilen && !ns.CZeilen[i].empty(); ++i) f["C" + Nr(i)] = Rechtstrimmen(ns.CZeilen[i]);
    SetzenZahl(f, "WerkstoffWert1", ns.WerkstoffWert1);
    SetzenZahl(f, "WerkstoffWert2", ns.WerkstoffWert2);
    SetzenZahl(f, "WerkstoffWert3", ns.WerkstoffWert3);
    SetzenZahl(f, "WerkstoffWert4", ns.WerkstoffWert4);
    SetzenGanz(f, "WerkstoffKz", ns.WerkstoffKz);
    Setzen(f, "WerkstoffText", Rechtstrimmen(ns.WerkstoffText));
    SetzenGanz(f, "ArbeitKz1", ns.ArbeitKz1);
    SetzenGanz(f, "ArbeitKz2", ns.ArbeitKz2);
    SetzenZahl(f, "ArbeitWert", ns.ArbeitWert);
    if (!ns.LangtextNr.empty()) LangtextAbbilden(ns, f);
    aus.push_back(std::move(s));
    return;
  }
  if (!ns.LangtextNr.empty()) {
    Satzbild s{"T", Gross(Trimmen(ns.LangtextNr)), {}};
    Setzen(s.felder, "Verarbeitungskz", ns.Verarbeitungskz);
    LangtextAbbilden(ns, s.felder);
    aus.push_back(std::move(s));
  }
}

// Reads a DATANORM file with the program's analysis and readers into records.
inline Dateibild Einlesen(const std::string& pfad) {
  Kontext k;
  SkriptFenster f;
  f.eingaben.push_back(std::string("DEM"));
  StandardwerteAnwenden(k.gd);
  k.kz.Eingabedateiname = pfad;
  EingabeAnalysieren(k, f);
  Dateibild d;
  d.version = Trimmen(f.Text("Lab_Version"));
  d.datenkennzeichen = k.kz.Datenkennzeichen;
  const Lesefunktion leser = LeserFuer(d.version, d.datenkennzeichen);
  if (!leser || !k.kz.EingabeDateiNr.Oeffnen(pfad)) return d;
  k.lz.ZeileVorgelesen = 0;
  k.ns.Termin1.clear();
  k.lauf.setFrage = [&f] { return SetFrageStellen(f); };
  for (;;) {
    const std::int16_t e = leser(k);
    Abbilden(k.ns, d.datenkennzeichen, d.saetze);
    if (e == -1) break;
  }
  k.kz.EingabeDateiNr.Schliessen();
  return d;
}

// ---- Raw fields ---------------------------------------------------------------------------

// Every field of every line that holds something, by line kind, key and field place:
// "A|4711|12" -> values. Running line numbers are left out; the second row of a D or T line
// (versions 3 and 4) and of a version-5 D line counts under the places of the first row, so that
// rows compare however they share lines. Digits lose their leading zeros, texts their trailing
// blanks; a number zero counts as an empty field. The processing flag, and a SET's short text
// and description, count once per key (a writer that splits or joins lines repeats the flag, and
// the SET writers give the texts on the first row only). Lines of a kind the format does not have
// are not compared.
using Rohfelder = std::map<std::string, std::multiset<std::string>>;

inline std::string RohNormal(std::string w) {
  for (char& c : w)
    if (c == '\0' || c == '\r' || c == '\n') c = ' ';
  w = Rechtstrimmen(w);
  if (!w.empty() && std::all_of(w.begin(), w.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    std::size_t a = w.find_first_not_of('0');
    w = a == std::string::npos ? "0" : w.substr(a);
  }
  return w;
}

// What a reader puts in for a value of a field (version, line kind, place, read, stored): the
// writer writes the stored value.
struct Rohgleich {
  int version;
  char art;
  int stelle;
  const char* von;
  const char* zu;
};
const Rohgleich Rohgleichwertig[] = {
    {5, 'A', 8, "0", "1"}, {5, 'A', 21, "0", "1"}, {5, 'A', 25, "0", "90"}, {5, 'P', 4, "0", "1"},
    {4, 'B', 13, "0", "90"}, {4, 'B', 14, "0", "1"},
};
// Default values a version-5 A line leaves off at its end (a field cut off reads back as its
// default): such a value lost is no loss. The same value added is.
const Rohgleich Rohvorgabe[] = {
    {5, 'A', 7, "1", ""}, {5, 'A', 8, "1", ""}, {5, 'A', 21, "1", ""}, {5, 'A', 25, "90", ""},
};

inline bool Einmalig(int version, char art, int stelle) {
  if (stelle == 2) return true;
  if (art != 'J') return false;
  return version == 3 ? stelle == 18 : (stelle == 6 || stelle == 7);
}

inline bool BekannteSatzart(int version, char art) {
  const std::string arten = version == 3 ? "VABDTEKSRJP" : version == 4 ? "VABDTEZCKSRJP" : "VABDTEZCKSRJPG";
  return arten.find(art) != std::string::npos;
}

inline std::vector<std::string> Zeilenliste(const std::string& text) {
  std::vector<std::string> z;
  std::size_t a = 0;
  while (a < text.size()) {
    std::size_t e = text.find_first_of("\r\n", a);
    if (e == std::string::npos) e = text.size();
    z.push_back(text.substr(a, e - a));
    if (e < text.size() && text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n') ++e;
    a = e + 1;
  }
  return z;
}

inline std::vector<std::string> Teilen(const std::string& zeile) {
  std::vector<std::string> f;
  std::size_t a = 0;
  for (;;) {
    std::size_t e = zeile.find(';', a);
    if (e == std::string::npos) {
      f.push_back(zeile.substr(a));
      break;
    }
    f.push_back(zeile.substr(a, e - a));
    a = e + 1;
  }
  return f;
}

struct Fest {
  int von, laenge;
  int als;  // place it counts under (0: its own)
};

// Fixed places of version-3 records (start, length; the second row of D and T lines and the
// positions of J and P lines count under the first).
inline const std::vector<Fest>& Festfelder(char art) {
  static const std::map<char, std::vector<Fest>> t = {
      {'V', {{3, 6, 0}, {9, 40, 0}, {49, 40, 0}, {89, 40, 0}}},
      {'A', {{2, 1, 0}, {18, 2, 0}, {20, 40, 0}, {60, 40, 0}, {100, 1, 0}, {101, 1, 0}, {102, 4, 0}, {106, 8, 0},
             {114, 4, 0}, {118, 3, 0}, {121, 8, 0}}},
      {'B', {{2, 1, 0}, {18, 15, 0}, {33, 15, 0}, {48, 6, 0}, {54, 1, 0}, {55, 3, 0}, {58, 6, 0}, {64, 13, 0}, {77, 52, 0}}},
      {'D', {{2, 1, 0}, {20, 1, 0}, {21, 8, 0}, {29, 40, 0}, {71, 1, 20}, {72, 8, 21}, {80, 40, 29}, {120, 9, 0}}},
      {'T', {{2, 1, 0}, {11, 7, 0}, {20, 9, 0}, {29, 40, 0}, {71, 9, 20}, {80, 40, 29}, {120, 9, 0}}},
      {'E', {{2, 1, 0}, {11, 7, 0}, {20, 9, 0}, {29, 40, 0}, {71, 9, 20}, {80, 40, 29}, {120, 9, 0}}},
      {'K', {{3, 10, 0}, {13, 1, 0}, {14, 115, 0}}},
      {'S', {{3, 3, 0}, {6, 40, 0}, {46, 10, 0}, {56, 40, 0}, {96, 33, 0}}},
      {'R', {{3, 4, 0}, {7, 1, 0}, {8, 4, 0}, {12, 40, 0}, {52, 77, 0}}},
      {'J', {{2, 1, 0}, {18, 15, 0}, {33, 15, 0}, {48, 7, 0}, {55, 15, 33}, {70, 7, 48}, {77, 15, 33}, {92, 7, 48},
             {99, 15, 33}, {114, 7, 48}, {121, 8, 0}}},
      {'P', {{2, 1, 0},   {3, 15, 0},  {18, 1, 0},  {19, 8, 0},  {27, 1, 0},  {28, 4, 0},  {32, 1, 0},   {33, 4, 0},
             {37, 1, 0},  {38, 4, 0},  {42, 15, 3}, {57, 1, 18}, {58, 8, 19}, {66, 1, 27}, {67, 4, 28}, {71, 1, 32},
             {72, 4, 33}, {76, 1, 37}, {77, 4, 38}, {81, 15, 3}, {96, 1, 18}, {97, 8, 19}, {105, 1, 27}, {106, 4, 28},
             {110, 1, 32}, {111, 4, 33}, {115, 1, 37}, {116, 4, 38}}},
  };
  static const std::vector<Fest> leer;
  auto i = t.find(art);
  return i == t.end() ? leer : i->second;
}

inline Rohfelder RohLesen(const std::string& text, int version) {
  Rohfelder r;
  auto ablegen = [&](char art, const std::string& schluessel, int stelle, const std::string& wert) {
    std::string w = RohNormal(wert);
    for (const Rohgleich& g : Rohgleichwertig)
      if (g.version == version && g.art == art && g.stelle == stelle && w == g.von) w = g.zu;
    if (w.empty() || w == "0" || !BekannteSatzart(version, art)) return;
    auto& werte = r[std::string(1, art) + "|" + schluessel + "|" + std::to_string(stelle)];
    if (!Einmalig(version, art, stelle) || !werte.count(w)) werte.insert(w);
  };
  if (version == 3) {
    for (std::size_t a = 0; a + 128 <= text.size(); a += 130) {
      const std::string z = text.substr(a, 128);
      if (z[0] == '\x1A') break;
      const char art = GrossZeichen(z[0]);
      std::string schluessel;
      if (art == 'A' || art == 'B' || art == 'D' || art == 'J') schluessel = Gross(Trimmen(RohNormal(z.substr(2, 15))));
      if (art == 'T' || art == 'E') schluessel = Gross(Trimmen(RohNormal(z.substr(2, 8))));
      for (const Fest& f : Festfelder(art)) ablegen(art, schluessel, f.als ? f.als : f.von, z.substr(f.von - 1, f.laenge));
    }
    return r;
  }
  for (const std::string& z : Zeilenliste(text)) {
    if (z.empty() || z[0] == '\x1A') continue;
    const char art = GrossZeichen(z[0]);
    if (art == 'V' && version == 4) {
      // The version-4 header has fixed places.
      const std::string v = Auffuellen(z, 128);
      for (Fest f : {Fest{3, 6, 0}, Fest{9, 40, 0}, Fest{49, 40, 0}, Fest{89, 35, 0}, Fest{124, 2, 0}, Fest{126, 3, 0}})
        ablegen(art, "", f.von, v.substr(f.von - 1, f.laenge));
      continue;
    }
    const std::vector<std::string> f = Teilen(z);
    auto feld = [&](std::size_t i) { return i <= f.size() ? f[i - 1] : std::string(); };
    if (art == 'E' && version == 5 && IstNumerisch(Trimmen(feld(2)))) continue;  // end record
    std::size_t schluesselstelle = 0;
    std::set<std::size_t> zeilennummern;
    std::map<std::size_t, std::size_t> als;
    switch (art) {
      case 'A': case 'B': schluesselstelle = 3; break;
      case 'D':
        schluesselstelle = 3;
        zeilennummern = {4, 8};
        als = {{9, 5}, {10, 6}, {11, 7}};
        break;
      case 'Z': schluesselstelle = 3; zeilennummern = {4}; break;
      case 'T': case 'E':
        schluesselstelle = 3;
        if (version == 4) {
          zeilennummern = {5, 8};
          als = {{9, 6}, {10, 7}};
        } else {
          zeilennummern = {5};
        }
        break;
      case 'J': schluesselstelle = 3; zeilennummern = {version == 4 ? std::size_t(4) : std::size_t(5)}; break;
      case 'C': schluesselstelle = Gross(Trimmen(feld(3))) == "TERMIN-1" ? 0 : 4; break;
      case 'P': schluesselstelle = version == 5 ? 2 : 0; break;
      default: break;
    }
    const std::string schluessel = schluesselstelle ? Gross(Trimmen(feld(schluesselstelle))) : std::string();
    std::vector<std::string> felder = f;
    if (art == 'C' && schluesselstelle == 0 && felder.size() >= 4) {
      // A six-digit TERMIN-1 date (DDMMYY) is read and written with its century.
      const std::string d = Trimmen(felder[3]);
      if (d.size() == 6 && IstNumerisch(d)) felder[3] = d.substr(0, 4) + (d.substr(4) < "60" ? "20" : "19") + d.substr(4);
    }
    for (std::size_t i = 2; i <= f.size(); ++i) {
      if (i == schluesselstelle || zeilennummern.count(i)) continue;
      auto a = als.find(i);
      ablegen(art, schluessel, static_cast<int>(a == als.end() ? i : a->second), felder[i - 1]);
    }
  }
  return r;
}

// ---- What each version holds, and the words of the error log ------------------------------

constexpr int Frei = -1;        // held without a width of its own
constexpr int Ganzzahlig = 99;  // a fixed-point value the version holds as a whole number

enum class Vergleich {
  Text,           // right-trimmed, cut to the width
  Schluessel,     // trimmed, capitals, cut to the width
  Zahl,           // a number held as text: compared by value; the width counts digits
  Festkomma,      // a fixed-point value: rounded to the target's places (the width is the places)
  Ganz,           // a small whole number
  Einheit,        // quantity unit: mapped through the unit tables between versions
  Preiseinheit,   // 1, 10, 100, 1000 in versions 3 and 4; any number in version 5
  Textkz,         // two digits in versions 3 and 4; version 5 holds the first one
  Verpackung,     // number, default 1
  Kostenart,      // number, default 90
};

// A loss word of the error log: the ones that exist today and those item C of the open work adds.
struct Verlustwort {
  const char* wort;  // UTF-8
  bool vorhanden;    // the program writes it today
};

const Verlustwort Zuschlagsaetze{"Zuschlagsätze", true};
const Verlustwort WerkstoffArbeit{"Werkstoff/Arbeit", true};
// One short word per loss, from the program's table of losses. Those marked false are not named
// by the program yet (their items are open).
const Verlustwort Warengruppe{"Warengruppe", true};
const Verlustwort Kostenart{"Kostenart", true};
const Verlustwort Verpackung{"VPE", true};
const Verlustwort Referenz{"Referenz", true};
const Verlustwort Anbindung{"Anbindung", true};
const Verlustwort Katalogseite{"Katalogseite", true};
const Verlustwort Ean{"EAN", true};
const Verlustwort Zusatzfelder{"Zusatzfelder", true};
const Verlustwort Kundendaten{"Kundendaten", true};
const Verlustwort Preispflege{"Preispflege", true};
const Verlustwort SetDaten{"SET-Daten", true};
const Verlustwort Zahlbreite{"Zahlbreite", true};
const Verlustwort Langtext{"Langtext", true};
const Verlustwort Preisdatum{"Preisdatum", true};
const Verlustwort Setbeschreibung{"SET-Text", true};
const Verlustwort Hauptgruppentext{"Hauptgruppentext", true};
const Verlustwort Textschluessel{"Textschlüssel", true};
const Verlustwort Preiseinheit{"Preiseinheit", true};
const Verlustwort Rabattgruppe{"Rabattgruppe", true};
// A loss that no item names a word for yet: the audit reports it as a gap of the loss table.
const Verlustwort OhneWort{nullptr, false};

struct Regel {
  const char* muster;  // field name without row numbers; '*' matches any text
  Vergleich vergleich;
  int halt[3];                  // versions 3, 4, 5: width (Frei: held; 0: not held)
  const char* konstante[3];     // not held, but the reader of that version gives this value
  const Verlustwort* wort[3];   // the word naming the loss when the version cannot hold the value
};

#define KEIN {nullptr, nullptr, nullptr}
#define WORTE(a, b, c) {&a, &b, &c}

// Every field of the records and what each version holds of it (the width the readers take).
inline const std::vector<Regel>& Regeln() {
  static const std::vector<Regel> r = {
      // Article.
      {"Verarbeitungskz", Vergleich::Text, {Frei, Frei, Frei}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"ArtikelNr", Vergleich::Schluessel, {15, 15, 15}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Textkz", Vergleich::Textkz, {2, 2, 1}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Kurztext1", Vergleich::Text, {40, 40, 40}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Kurztext2", Vergleich::Text, {40, 40, 40}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Mengeneinheit", Vergleich::Einheit, {4, 4, 4}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Preiskz", Vergleich::Text, {1, 1, 1}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Preiseinheit", Vergleich::Preiseinheit, {Frei, Frei, 6}, KEIN, WORTE(Preiseinheit, Preiseinheit, OhneWort)},
      {"Preis", Vergleich::Zahl, {8, 10, 10}, KEIN, WORTE(Zahlbreite, OhneWort, OhneWort)},
      {"Rabattgruppe", Vergleich::Text, {4, 4, 4}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Warenhauptgruppe", Vergleich::Text, {3, 3, 3}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Warengruppe", Vergleich::Text, {0, 10, 10}, KEIN, WORTE(Warengruppe, OhneWort, OhneWort)},
      {"Matchcode", Vergleich::Text, {15, 15, 15}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"A5Feld1?", Vergleich::Text, {0, 0, 35}, KEIN, WORTE(Zusatzfelder, Zusatzfelder, OhneWort)},
      {"A5Feld26", Vergleich::Text, {0, 0, 1}, KEIN, WORTE(Zusatzfelder, Zusatzfelder, OhneWort)},
      {"AlternativArtikelNr", Vergleich::Text, {15, 15, 15}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"EanNr", Vergleich::Text, {13, 13, 18}, KEIN, WORTE(Ean, Ean, OhneWort)},
      {"Anbindungsnummer", Vergleich::Text, {0, 12, 15}, KEIN, WORTE(Anbindung, Anbindung, OhneWort)},
      {"Verpackungsmenge", Vergleich::Verpackung, {0, 5, 5}, KEIN, WORTE(Verpackung, OhneWort, OhneWort)},
      {"Katalogseite", Vergleich::Text, {6, 8, 15}, KEIN, WORTE(Katalogseite, Katalogseite, OhneWort)},
      {"Langtextschluessel", Vergleich::Text, {8, 8, 15}, KEIN, WORTE(Textschluessel, Textschluessel, OhneWort)},
      {"Kostenart", Vergleich::Kostenart, {0, 2, 2}, KEIN, WORTE(Kostenart, OhneWort, OhneWort)},
      {"ReferenzKuerzel", Vergleich::Text, {0, 4, 13}, KEIN, WORTE(Referenz, Referenz, OhneWort)},
      {"ReferenzNr", Vergleich::Text, {0, 17, 17}, KEIN, WORTE(Referenz, OhneWort, OhneWort)},
      {"Termin1", Vergleich::Text, {0, Frei, Frei}, KEIN, WORTE(Preisdatum, OhneWort, OhneWort)},
      // Delete and renumber.
      {"NummerAltKz", Vergleich::Text, {Frei, Frei, Frei}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"NeueArtikelNr", Vergleich::Schluessel, {15, 15, 15}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"NummerAltZusatz", Vergleich::Text, {0, 0, 8}, KEIN, WORTE(Zusatzfelder, Zusatzfelder, OhneWort)},
      // Dimension rows.
      {"D.DimUnterkz", Vergleich::Text, {1, 1, 1}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"D.DimText", Vergleich::Text, {40, 40, 40}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"D.DimLangtextNr", Vergleich::Text, {8, 8, 15}, KEIN, WORTE(Textschluessel, Textschluessel, OhneWort)},
      // Long texts.
      {"LangtextArt", Vergleich::Ganz, {Frei, Frei, Frei}, KEIN, WORTE(Langtext, Langtext, OhneWort)},
      {"T", Vergleich::Text, {40, 40, 70}, KEIN, WORTE(Langtext, Langtext, OhneWort)},
      // Kept C lines, material and labour.
      {"C", Vergleich::Text, {0, 0, Frei}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Werkstoff*", Vergleich::Text, {0, Frei, Frei}, KEIN, WORTE(WerkstoffArbeit, OhneWort, OhneWort)},
      // The labour value: tenths in version 4, tenths or (second code 3) thousandths in version 5.
      {"ArbeitWert", Vergleich::Festkomma, {0, 1, 3}, KEIN, WORTE(WerkstoffArbeit, WerkstoffArbeit, WerkstoffArbeit)},
      {"Arbeit*", Vergleich::Text, {0, Frei, Frei}, KEIN, WORTE(WerkstoffArbeit, OhneWort, OhneWort)},
      // Price scales (kind 1): version 3 holds none, version 4 one text of 28, the from/to bases
      // and the base marker, but not the scale's price unit and end; version 5 all of them.
      {"Z1.StaffelArt", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelBasismerker", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelBasistext1", Vergleich::Text, {0, 28, 40}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelBasistext2", Vergleich::Text, {0, 0, 40}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelMerker", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelZuAbArt", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelVorzeichen", Vergleich::Text, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelPreis", Vergleich::Festkomma, {0, 2, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelEndeA", Vergleich::Ganz, {0, 0, Frei}, {nullptr, "999", nullptr}, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.StaffelEndeB", Vergleich::Ganz, {0, 0, Frei}, {nullptr, "999", nullptr}, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z1.*Basis", Vergleich::Festkomma, {0, Ganzzahlig, Ganzzahlig}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      // Raw-material from/to (kind 2).
      {"Z2.StaffelArt", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBMerker", Vergleich::Text, {0, 2, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBZuAbArt", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBVorzeichen", Vergleich::Text, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBKz", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBEnde", Vergleich::Ganz, {0, 0, Frei}, {nullptr, "999", nullptr}, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBPreis", Vergleich::Festkomma, {0, 2, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.*Basis", Vergleich::Festkomma, {0, Ganzzahlig, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBFaktor", Vergleich::Festkomma, {0, 3, 3}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBWert5", Vergleich::Festkomma, {0, 2, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z2.RohVBWert6", Vergleich::Festkomma, {0, 3, 3}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      // Raw-material calculation and copper (kind 3). Version 3 holds copper only (see below).
      {"Z3.StaffelArt", Vergleich::Ganz, {0, Frei, Frei}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z3.RohstoffMerker", Vergleich::Text, {0, 2, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z3.RohstoffKz", Vergleich::Ganz, {0, 0, Frei}, {nullptr, "2", nullptr}, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z3.RohstoffMengenbasis", Vergleich::Ganz, {0, 0, Frei}, {nullptr, "999", nullptr},
       WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z3.RohstoffBasis", Vergleich::Festkomma, {0, Ganzzahlig, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z3.RohstoffFaktor", Vergleich::Festkomma, {0, 3, 3}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z3.RohstoffGewicht", Vergleich::Festkomma, {0, 2, 2}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      {"Z3.RohstoffWert4", Vergleich::Festkomma, {0, 3, 3}, KEIN, WORTE(Zuschlagsaetze, Zuschlagsaetze, OhneWort)},
      // Customer.
      {"Kundennummer", Vergleich::Schluessel, {10, 10, 10}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Preispflege", Vergleich::Text, {1, 1, 0}, KEIN, WORTE(OhneWort, OhneWort, Preispflege)},
      {"KName?", Vergleich::Text, {0, 0, 30}, KEIN, WORTE(Kundendaten, Kundendaten, OhneWort)},
      {"KKz", Vergleich::Text, {0, 0, 1}, KEIN, WORTE(Kundendaten, Kundendaten, OhneWort)},
      {"KFeld9", Vergleich::Text, {0, 0, 9}, KEIN, WORTE(Kundendaten, Kundendaten, OhneWort)},
      {"KFeld30", Vergleich::Text, {0, 0, 30}, KEIN, WORTE(Kundendaten, Kundendaten, OhneWort)},
      // Product and discount groups.
      {"Hauptwarengruppe", Vergleich::Schluessel, {3, 3, 3}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      // The main group's description on a group line: versions 3 and 4 hold it beside the group's.
      {"HwgBezeichnung", Vergleich::Text, {40, 40, 0}, KEIN, WORTE(OhneWort, OhneWort, Hauptgruppentext)},
      {"WgNummer", Vergleich::Schluessel, {10, 10, 10}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"WgBezeichnung", Vergleich::Text, {40, 40, 40}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"RgNummer", Vergleich::Schluessel, {4, 4, 4}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"RabattKz", Vergleich::Ganz, {Frei, Frei, Frei}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"Rabatt", Vergleich::Festkomma, {3, 3, 3}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"RgBezeichnung", Vergleich::Text, {40, 40, 40}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      // SET rows. Version 3 knows neither marker nor call marker (its reader gives the answer of
      // the SET question, "L" here, and 1) nor a description.
      {"J.SetMerker", Vergleich::Text, {0, 1, 1}, {"L", nullptr, nullptr}, WORTE(SetDaten, OhneWort, OhneWort)},
      {"J.SetKurztext", Vergleich::Text, {15, 15, 15}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"J.SetAufrufmerker", Vergleich::Ganz, {0, Frei, Frei}, {"1", nullptr, nullptr}, WORTE(SetDaten, OhneWort, OhneWort)},
      {"J.SetArtikelNr", Vergleich::Schluessel, {15, 15, 15}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"J.SetBeschreibung", Vergleich::Text, {0, 28, 40}, KEIN, WORTE(SetDaten, Setbeschreibung, OhneWort)},
      {"J.SetMenge", Vergleich::Festkomma, {3, 3, 3}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      // Price rows. Version-5 price lines carry no processing flag (the reader gives "A").
      {"PPreiskz", Vergleich::Ganz, {Frei, Frei, Frei}, KEIN, WORTE(OhneWort, OhneWort, OhneWort)},
      {"PPreiseinheit", Vergleich::Preiseinheit, {0, 0, Frei}, KEIN, WORTE(Preiseinheit, Preiseinheit, OhneWort)},
      {"PPreis", Vergleich::Festkomma, {2, 2, 2}, KEIN, WORTE(Zahlbreite, OhneWort, OhneWort)},
      {"PRabattgruppe", Vergleich::Text, {4, 4, 4}, KEIN, WORTE(Rabattgruppe, Rabattgruppe, OhneWort)},
      {"Zuschlag?", Vergleich::Text, {Frei, Frei, Frei}, KEIN, WORTE(Zahlbreite, OhneWort, OhneWort)},
  };
  return r;
}

#undef KEIN
#undef WORTE

// Simple wildcard match: '*' any text, '?' one character.
inline bool Passt(const char* m, const char* t) {
  if (*m == '\0') return *t == '\0';
  if (*m == '*') return Passt(m + 1, t) || (*t && Passt(m, t + 1));
  if (*t && (*m == '?' || *m == *t)) return Passt(m + 1, t + 1);
  return false;
}

// The field name without its row number: "Z1#03.StaffelPreis" -> "Z1.StaffelPreis".
inline std::string Gattung(const std::string& name) {
  std::string g;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '#') {
      while (i + 1 < name.size() && name[i + 1] >= '0' && name[i + 1] <= '9') ++i;
      continue;
    }
    g += name[i];
  }
  return g;
}

inline const Regel* RegelFuer(const std::string& gattung) {
  for (const Regel& r : Regeln())
    if (Passt(r.muster, gattung.c_str())) return &r;
  return nullptr;
}

// ---- The comparison -----------------------------------------------------------------------

struct Abweichung {
  std::string datei, paar, art, feld, schluessel, ein, aus;
  std::string klasse;  // Wert, Verlust, Kuerzung, Satz fehlt, Satz neu, Roh
  std::string wort;    // the loss word expected (Verlust, Kuerzung)
  char protokoll = '-';  // 'j' named in the log, 'n' not named, '-' no loss to name
};

// True when the row of a field of the name "Z3#nn.field" is the first copper row of the record and
// gives its weight by 100 or by 1000 units: the one copper row a version-3 B line holds.
inline bool ErsteKupferzeileMitEinheit(const Satzbild& s, const std::string& name) {
  const std::string zeile = name.substr(0, name.find('.'));
  for (const auto& [n, w] : s.felder) {
    if (n.rfind("Z3#", 0) != 0 || n.size() < 16 || n.compare(n.size() - 15, 15, ".RohstoffMerker") != 0 || w != "CU")
      continue;
    const std::string erste = n.substr(0, n.find('.'));
    if (erste != zeile) return false;
    auto e = s.felder.find(zeile + ".RohstoffWert4");
    return e != s.felder.end() && (e->second == "0.01" || e->second == "0.001");
  }
  return false;
}

// True when the row of a field of the name "Z3#nn.field" is the copper row a version-4 B line holds:
// the first copper row of the record, of factor 0.01, by 100 units (quantity base 100, value 4
// 0.01) or by 1000 (1000, 0.001), with a base of at most three digits. Other copper rows stay Z
// lines of mark 4, which hold no quantity base.
inline bool KupferzeileDerBZeile4(const Satzbild& s, const std::string& name) {
  const std::string zeile = name.substr(0, name.find('.'));
  for (const auto& [n, w] : s.felder) {
    if (n.rfind("Z3#", 0) != 0 || n.size() < 16 || n.compare(n.size() - 15, 15, ".RohstoffMerker") != 0 || w != "CU")
      continue;
    if (n.substr(0, n.find('.')) != zeile) return false;
    auto feld = [&](const char* f) {
      auto i = s.felder.find(zeile + f);
      return i == s.felder.end() ? std::string() : i->second;
    };
    const std::string basis = feld(".RohstoffMengenbasis"), wert4 = feld(".RohstoffWert4");
    const bool einheit = (basis == "100" && wert4 == "0.01") || (basis == "1000" && wert4 == "0.001");
    return einheit && feld(".RohstoffFaktor") == "0.01" && Val(feld(".RohstoffBasis")) < 1000 * FestkommaEins;
  }
  return false;
}

// The error log: the loss lists of the data-loss entries by key (trimmed), and what it says about
// long-text keys written into versions 3 and 4.
struct Protokoll {
  std::map<std::string, std::string> verluste;
  bool voll = false;  // the log reached its cap: a missing entry proves nothing
  std::string text;
  // Keys written in another form than their first 8 characters: the key written for each.
  std::map<std::string, std::string> textschluessel;
  // Written keys that more than one key of the input got.
  std::set<std::string> geteilteSchluessel;

  explicit Protokoll(const std::string& t) : text(t) {
    voll = false;  // the run's sink gave the whole log
    std::size_t a = t.find("\r\n\r\n");
    if (a == std::string::npos) return;
    a += 4;
    for (std::size_t e; (e = t.find("\r\n", a)) != std::string::npos; a = e + 2) {
      const std::string z = t.substr(a, e - a);
      static const std::string geaendert = "\t" + Ansi("Textschlüssel geändert in: ") + "\t";
      static const std::string vergeben = "\t" + Ansi("Textschlüssel schon vergeben an: ") + "\t";
      if (const std::size_t g = z.find(geaendert); g != std::string::npos)
        textschluessel[Rechtstrimmen(z.substr(0, g))] = z.substr(g + geaendert.size());
      // The entry's key is the shared one, or one written as its first 8 characters.
      if (const std::size_t g = z.find(vergeben); g != std::string::npos)
        geteilteSchluessel.insert(Rechtstrimmen(z.substr(0, std::min<std::size_t>(g, 8))));
      const std::size_t tab = z.find("\tDatenverlust: \t");
      if (tab == std::string::npos) continue;
      verluste[Trimmen(z.substr(0, tab))] += z.substr(tab + 16) + "\n";
    }
  }
  // The key written into version 3 or 4 for a version-5 long-text key: the one the log names (in
  // Windows-1252: the characters the key keeps are taken from the key, the digits from the log),
  // else its first 8 characters.
  std::string GeschriebenerSchluessel(const std::string& schluessel) const {
    auto i = textschluessel.find(Rechtstrimmen(DateitextNachAnsi(schluessel)));
    if (i == textschluessel.end()) return Rechtstrimmen(schluessel.substr(0, 8));
    std::string geschrieben = i->second;
    for (std::size_t p = 0; p < geschrieben.size() && p < schluessel.size(); ++p)
      if (DateitextNachAnsi(schluessel.substr(p, 1))[0] == geschrieben[p]) geschrieben[p] = schluessel[p];
    return geschrieben;
  }
  // The entry of a record: the log shows file text (keys, C lines) in Windows-1252.
  std::map<std::string, std::string>::const_iterator Eintrag(const std::string& schluessel) const {
    return verluste.find(Trimmen(DateitextNachAnsi(Trimmen(schluessel).substr(0, 16))));
  }
  // True when the entry of the record names the word (a word the 35 characters of the entry cut
  // off counts when the entry is full and the closing count lists the word).
  bool Nennt(const std::string& schluessel, const std::string& wort) const {
    auto i = Eintrag(schluessel);
    if (i == verluste.end()) return false;
    if (i->second.find(wort) != std::string::npos) return true;
    return i->second.size() >= 36 && text.find("\r\nDatenverlust " + wort + ": ") != std::string::npos;
  }
  // The same for a kept C line: shown by its first 15 characters, counted as "C-Zeilen".
  bool NenntCZeile(const std::string& schluessel, const std::string& zeile) const {
    auto i = Eintrag(schluessel);
    if (i == verluste.end()) return false;
    if (i->second.find(DateitextNachAnsi(zeile)) != std::string::npos) return true;
    return i->second.size() >= 36 && text.find("\r\nDatenverlust C-Zeilen: ") != std::string::npos;
  }
};

// Values compared, normalised by the field's rule; `v` is the version that holds the value.
struct Vergleicher {
  const Kontext* einheiten = nullptr;  // settings with the unit tables
  int von = 0, nach = 0;

  static std::string ZahlNormal(const std::string& w) {
    if (w.empty() || w == KeineAngabe) return "";
    if (!HatZahl(w)) return w;
    return Dezimal(Val(w));
  }

  static std::string Gerundet(const std::string& w, int stellen) {
    if (w.empty()) return w;
    Festkomma v = Val(w);
    Festkomma teiler = 1;
    for (int i = stellen; i < 4; ++i) teiler *= 10;
    const Festkomma r = (v >= 0 ? v + teiler / 2 : v - teiler / 2) / teiler * teiler;
    return r == 0 ? std::string() : Dezimal(r);
  }

  // The value as the field's rule compares it; breite cuts it to what version v holds.
  std::string Normal(const Regel& r, const std::string& wert, int breite) const {
    std::string w = wert == KeineAngabe ? std::string() : wert;
    switch (r.vergleich) {
      case Vergleich::Text:
        w = Rechtstrimmen(w);
        if (breite > 0 && static_cast<int>(w.size()) > breite) w = Rechtstrimmen(w.substr(0, breite));
        if (IstLeer(w)) w.clear();
        return w;
      case Vergleich::Schluessel:
        w = Gross(Trimmen(w));
        if (breite > 0 && static_cast<int>(w.size()) > breite) w = Trimmen(w.substr(0, breite));
        return w;
      case Vergleich::Zahl:
        return ZahlNormal(w);
      case Vergleich::Festkomma:
        return breite == Ganzzahlig ? Gerundet(w, 0) : breite >= 0 ? Gerundet(w, breite) : w;
      case Vergleich::Ganz:
        return Trimmen(w);
      case Vergleich::Einheit:
        return Gross(Trimmen(w));
      case Vergleich::Preiseinheit: {
        w = ZahlNormal(w);
        return w.empty() || w == "0" ? "1" : w;
      }
      case Vergleich::Textkz: {
        w = Trimmen(w);
        if (w.empty() || Val(w) == 0) w = "00";
        if (w.size() == 1) w = "0" + w;
        if (breite == 1) w = w.substr(0, 1) + "0";
        return w;
      }
      // "@" counts as the default as well: a version-5 A line ends after its last field that
      // is not a default, and a field cut off that way reads back as "@". Item A1 ("@" written
      // as "1") shows in the raw fields.
      case Vergleich::Verpackung:
        w = ZahlNormal(w);
        return w.empty() || w == "0" ? "1" : w;
      case Vergleich::Kostenart:
        w = ZahlNormal(w);
        return w.empty() || w == "0" ? "90" : w;
    }
    return w;
  }

  // The unit the run writes for the input's unit, read back (in capitals, trimmed).
  std::string EinheitErwartet(const std::string& einheit) const { return Gross(Trimmen(EinheitGeschrieben(einheit))); }

  // The unit the run writes for the input's unit: mapped through the unit tables, in a
  // same-version conversion as well.
  std::string EinheitGeschrieben(const std::string& einheit) const {
    if (!einheiten) return einheit;
    Kontext k;
    k.gd = einheiten->gd;
    k.ns.Mengeneinheit = einheit;
    k.lauf.VersionenSetzen("", std::to_string(nach));
    EinheitUmsetzen(k);
    std::string u = k.ns.Mengeneinheit;
    if (u != einheit) ZeichenNachOem(u, static_cast<std::int16_t>(nach));
    return u;
  }
};

// Prepares a record for the comparison: what the record check does before every writer (an empty
// first short text takes the second), and a scale's price unit 999 as the article's.
inline void Vorbereiten(Satzbild& s) {
  Felder& f = s.felder;
  if (s.art == "A") {
    auto k1 = f.find("Kurztext1");
    const std::string t1 = k1 == f.end() ? std::string() : k1->second;
    const std::string t2 = f.count("Kurztext2") ? f["Kurztext2"] : std::string();
    if (IstLeer(t1) || (t1 == KeineAngabe && !IstLeer(t2))) {
      if (t2.empty()) f.erase("Kurztext1"); else f["Kurztext1"] = t2;
      f.erase("Kurztext2");
    }
    std::string pe = f.count("Preiseinheit") ? Vergleicher::ZahlNormal(f["Preiseinheit"]) : std::string();
    if (pe.empty() || pe == "0") pe = "1";
    for (auto& [name, wert] : f) {
      const std::string g = Gattung(name);
      if ((g == "Z1.StaffelEndeA" || g == "Z2.RohVBEnde" || g == "Z3.RohstoffMengenbasis") && wert == "999") wert = pe;
      // A second end of 999 (version 4 gives it to every scale) is no end.
      if (g == "Z1.StaffelEndeB" && wert == "999") wert.clear();
    }
    for (auto i = f.begin(); i != f.end();) i = i->second.empty() ? f.erase(i) : std::next(i);
  }
  if (s.art == "J") {
    // The short text and the description of a SET stand once, on its first row: a later row
    // that repeats the texts of the row before says nothing new.
    const Felder vorher = f;
    for (const char* spalte : {".SetKurztext", ".SetBeschreibung"}) {
      for (int i = 1; i < Tabellenzeilen; ++i) {
        auto z = f.find("J" + Nr(i) + spalte);
        auto v = vorher.find("J" + Nr(i - 1) + spalte);
        if (z != f.end() && v != vorher.end() && z->second == v->second) f.erase(z);
      }
    }
  }
  if (s.art == "S") {
    // A group line without a description of its own shows its main group's in that place (the
    // version-5 writer, which has one description, puts it there).
    auto h = f.find("HwgBezeichnung");
    if (h != f.end() && IstLeer(f.count("WgBezeichnung") ? f["WgBezeichnung"] : std::string())) {
      f["WgBezeichnung"] = h->second;
      f.erase(h);
    }
    for (auto i = f.begin(); i != f.end();) i = IstLeer(i->second) ? f.erase(i) : std::next(i);
  }
}

struct Auditergebnis {
  std::vector<Abweichung> abweichungen;
  std::size_t saetzeEin = 0, saetzeAus = 0, felder = 0;
};

// Compares the records of input and output of one conversion.
inline void SaetzeVergleichen(const Dateibild& ein, const Dateibild& aus, const Protokoll& log, const Vergleicher& v,
                              const std::string& datei, Auditergebnis& e) {
  const std::string paar = std::to_string(v.von) + ">" + std::to_string(v.nach);
  auto neu = [&](const std::string& art, const std::string& feld, const std::string& schluessel, const std::string& a,
                 const std::string& b, const std::string& klasse) {
    Abweichung x{datei, paar, art, feld, schluessel, a, b, klasse, "", '-'};
    e.abweichungen.push_back(x);
    return &e.abweichungen.back();
  };
  e.saetzeEin += ein.saetze.size();
  e.saetzeAus += aus.saetze.size();
  // Output records by kind and key, matched in order; a text key changed on the way (it was too
  // long for the target) is matched by the first four characters.
  std::map<std::string, std::deque<std::size_t>> frei;
  std::vector<bool> benutzt(aus.saetze.size(), false);
  for (std::size_t i = 0; i < aus.saetze.size(); ++i)
    frei[aus.saetze[i].art + "|" + aus.saetze[i].schluessel].push_back(i);
  std::vector<std::pair<std::size_t, std::size_t>> paare;
  std::vector<std::size_t> offen;
  // Version-5 long-text keys are written into versions 3 and 4 with 8 characters: the texts are
  // matched by the key written for them, and a key written shorter is a loss to name.
  const bool schluesselKuerzer = v.von == 5 && v.nach < 5;
  for (std::size_t i = 0; i < ein.saetze.size(); ++i) {
    const Satzbild& s = ein.saetze[i];
    std::string schluessel = s.schluessel;
    if (schluesselKuerzer && s.art == "T") schluessel = Gross(Trimmen(log.GeschriebenerSchluessel(s.schluessel)));
    auto& q = frei[s.art + "|" + schluessel];
    while (!q.empty() && benutzt[q.front()]) q.pop_front();
    if (!q.empty()) {
      if (schluessel != s.schluessel && !log.Nennt(s.schluessel, Ansi(Textschluessel.wort))) {
        Abweichung* a = neu(s.art, "(Schluessel)", s.schluessel, s.schluessel, schluessel, "Kuerzung");
        a->wort = Textschluessel.wort;
        a->protokoll = 'n';
      }
      paare.push_back({i, q.front()});
      benutzt[q.front()] = true;
      q.pop_front();
    } else {
      offen.push_back(i);
    }
  }
  for (std::size_t i : offen) {
    const Satzbild& s = ein.saetze[i];
    std::size_t treffer = aus.saetze.size();
    const std::size_t n = s.art == "S" ? s.schluessel.find('/') : 4;
    for (std::size_t j = 0; j < aus.saetze.size(); ++j) {
      if (benutzt[j] || aus.saetze[j].art != s.art) continue;
      if (aus.saetze[j].schluessel.substr(0, n) == s.schluessel.substr(0, n)) {
        treffer = j;
        break;
      }
    }
    if (treffer == aus.saetze.size()) {
      neu(s.art, "(Satz)", s.schluessel, s.schluessel, "", "Satz fehlt");
      continue;
    }
    benutzt[treffer] = true;
    if (aus.saetze[treffer].schluessel != s.schluessel && s.art == "T") {
      const Verlustwort& w = Textschluessel;
      Abweichung* a = neu(s.art, "(Schluessel)", s.schluessel, s.schluessel, aus.saetze[treffer].schluessel, "Wert");
      a->wort = w.wort;
      a->protokoll = log.Nennt(s.schluessel, Ansi(w.wort)) ? 'j' : 'n';
    }
    paare.push_back({i, treffer});
  }
  for (std::size_t j = 0; j < aus.saetze.size(); ++j)
    if (!benutzt[j]) neu(aus.saetze[j].art, "(Satz)", aus.saetze[j].schluessel, "", aus.saetze[j].schluessel, "Satz neu");

  const int iv = v.nach - 3;
  for (auto [i, j] : paare) {
    Satzbild a = ein.saetze[i];
    Satzbild b = aus.saetze[j];
    Vorbereiten(a);
    Vorbereiten(b);
    // The key the error log shows for the record: a product group's is its group number, or its
    // main group's number when it names no group.
    std::string eintrag = a.schluessel;
    if (a.art == "S") {
      const std::size_t strich = eintrag.find('/');
      eintrag = strich + 1 < eintrag.size() ? eintrag.substr(strich + 1) : eintrag.substr(0, strich);
    }
    // Version 3 holds copper rows only, as the copper part of its B line: their kind-3 fields
    // compare like those of a version that holds them.
    auto kupferzeile = [&](const std::string& name) {
      const std::size_t punkt = name.find('.');
      if (name.rfind("Z3#", 0) != 0 || punkt == std::string::npos) return false;
      auto m = a.felder.find(name.substr(0, punkt) + ".RohstoffMerker");
      return m != a.felder.end() && m->second == "CU";
    };
    std::set<std::string> namen;
    for (auto& [n, w] : a.felder) namen.insert(n);
    for (auto& [n, w] : b.felder) namen.insert(n);
    bool verlustGenannt = false, verlustGeprueft = false;
    for (const std::string& name : namen) {
      ++e.felder;
      const std::string g = Gattung(name);
      const Regel* r = RegelFuer(g);
      const std::string wa = a.felder.count(name) ? a.felder.at(name) : std::string();
      const std::string wb = b.felder.count(name) ? b.felder.at(name) : std::string();
      if (!r) {
        if (wa != wb) neu(a.art, g, a.schluessel, wa, wb, "Wert");
        continue;
      }
      int halt = r->halt[iv];
      const char* konstante = r->konstante[iv];
      if (v.nach == 4 && kupferzeile(name) && g == "Z3.RohstoffMengenbasis" && KupferzeileDerBZeile4(a, name)) {
        // Version 4 holds the copper quantity base of 100 or 1000 units on its B line.
        halt = Frei;
        konstante = nullptr;
      }
      if (v.nach < 5 && g == "LangtextArt" && wa != "1" && wa != "2") {
        // Versions 3 and 4 know two kinds of text, T (1) and E (2) lines.
        halt = 0;
      }
      if (v.nach < 5 && g == "PRabattgruppe" && a.felder.count("Zuschlag1")) {
        // Versions 3 and 4 carry a discount group in place of discount 1 only.
        halt = 0;
      }
      if (v.nach == 4 && (g == "Z2.RohVBWert5" || g == "Z2.RohVBWert6")) {
        // A raw-material row of code 2 is a version-4 line of mark 3, which has no fifth and sixth value.
        auto kz = a.felder.find(name.substr(0, name.find('.')) + ".RohVBKz");
        if (kz != a.felder.end() && kz->second == "2") halt = 0;
      }
      if (v.nach == 3 && kupferzeile(name) && !ErsteKupferzeileMitEinheit(a, name)) {
        // A second copper row, or one by another weight unit: version 3 has no place for it.
        halt = 0;
        konstante = nullptr;
      } else if (v.nach == 3 && kupferzeile(name)) {
        // The copper part of the B line: mark (from RohstoffWert4), base and weight; the reader
        // puts in the rest (kind, quantity base, factor), which follow from the mark.
        if (g == "Z3.RohstoffBasis" || g == "Z3.RohstoffMerker" || g == "Z3.StaffelArt")
          halt = Frei;
        else if (g == "Z3.RohstoffGewicht")
          halt = 2;
        else if (g == "Z3.RohstoffWert4")
          halt = 3;
        else
          continue;
        konstante = nullptr;
      }
      if (v.von == v.nach) {
        // A same-version conversion keeps every value the format holds: the reader's widths on
        // both sides are the same.
        const int vb = r->halt[v.von - 3];
        if (vb == 0 && (!konstante || wa == konstante)) {
          // Not held by this version: the reader left it empty or set its constant.
          if (Vergleicher{}.Normal(*r, wa, Frei) != Vergleicher{}.Normal(*r, wb, Frei))
            neu(a.art, g, a.schluessel, wa, wb, "Wert");
          continue;
        }
        std::string na = v.Normal(*r, wa, Frei), nb = v.Normal(*r, wb, Frei);
        // The unit as the run maps it, in the same version as well.
        if (r->vergleich == Vergleich::Einheit && nb != na)
          na = v.EinheitErwartet(wa == KeineAngabe ? std::string() : wa);
        if (na != nb) neu(a.art, g, a.schluessel, wa, wb, "Wert");
        continue;
      }
      const std::string na = v.Normal(*r, wa, Frei);
      const bool konstant = konstante && (na.empty() || na == konstante);
      if (halt == 0) {
        // The target cannot hold it: a value the input had must be named in the log (unless it
        // came through all the same, as a value the reader there puts in).
        if (na.empty() || konstant || v.Normal(*r, wb, Frei) == na) continue;
        if (konstante && wb == konstante && na.empty()) continue;
        // The text of a field the target does not hold is named once per record by its word.
        const Verlustwort* w = r->wort[iv];
        if (g == "C") {
          const std::string zeile = wa.substr(0, 15);
          const bool genannt = log.NenntCZeile(a.schluessel, zeile);
          if (!genannt) {
            Abweichung* x = neu(a.art, g, a.schluessel, wa, wb, "Verlust");
            x->wort = "(die ersten 15 Zeichen der Zeile)";
            x->protokoll = 'n';
          }
          continue;
        }
        const bool genannt = w && w->wort && log.Nennt(eintrag, Ansi(w->wort));
        verlustGeprueft = true;
        verlustGenannt = verlustGenannt || genannt;
        if (!genannt && !(log.voll && !log.verluste.count(Trimmen(eintrag)))) {
          Abweichung* x = neu(a.art, g, a.schluessel, wa, wb, "Verlust");
          x->wort = w && w->wort ? w->wort : "(kein Wort)";
          x->protokoll = 'n';
        }
        continue;
      }
      // The target holds it: the value with the width the target holds.
      std::string erwartet = v.Normal(*r, wa, halt);
      if (schluesselKuerzer && (g == "Langtextschluessel" || g == "D.DimLangtextNr") && wa != KeineAngabe)
        erwartet = v.Normal(*r, log.GeschriebenerSchluessel(Rechtstrimmen(wa)), halt);
      std::string bekommen = v.Normal(*r, wb, Frei);
      if (r->vergleich == Vergleich::Einheit) {
        erwartet = v.EinheitErwartet(wa == KeineAngabe ? std::string() : wa);
        if (bekommen == erwartet || bekommen == Gross(Trimmen(wa == KeineAngabe ? std::string() : wa))) continue;
      }
      if (r->vergleich == Vergleich::Preiseinheit && v.nach < 5) {
        // Versions 3 and 4 hold 1, 10, 100 and 1000 only.
        if (erwartet != "1" && erwartet != "10" && erwartet != "100" && erwartet != "1000") {
          const Verlustwort* w = r->wort[iv];
          const bool genannt = w && w->wort && log.Nennt(eintrag, Ansi(w->wort));
          if (!genannt) {
            Abweichung* x = neu(a.art, g, a.schluessel, wa, wb, "Verlust");
            x->wort = w && w->wort ? w->wort : "(kein Wort)";
            x->protokoll = 'n';
          }
          continue;
        }
      }
      if (r->vergleich == Vergleich::Zahl && halt > 0) {
        // A number with more digits than the target holds.
        std::string ziffern = erwartet;
        if (!ziffern.empty() && ziffern[0] == '-') ziffern.erase(0, 1);
        if (static_cast<int>(ziffern.size()) > halt || (!erwartet.empty() && erwartet[0] == '-' && v.nach == 3)) {
          const Verlustwort* w = r->wort[iv];
          if (!(w && w->wort && log.Nennt(eintrag, Ansi(w->wort)))) {
            Abweichung* x = neu(a.art, g, a.schluessel, wa, wb, "Verlust");
            x->wort = w && w->wort ? w->wort : "(kein Wort)";
            x->protokoll = 'n';
          }
          continue;
        }
      }
      if (erwartet != bekommen) {
        neu(a.art, g, a.schluessel, wa, wb, "Wert");
        continue;
      }
      // Kept, but cut to the target's width (or rounded to its places): the cut is a loss to name.
      if (halt > 0 &&
          (r->vergleich == Vergleich::Text || r->vergleich == Vergleich::Schluessel ||
           r->vergleich == Vergleich::Festkomma) &&
          v.Normal(*r, wa, Frei) != erwartet) {
        const Verlustwort* w = r->wort[iv];
        const bool genannt = w && w->wort && log.Nennt(eintrag, Ansi(w->wort));
        if (!genannt) {
          Abweichung* x = neu(a.art, g, a.schluessel, wa, wb, "Kuerzung");
          x->wort = w && w->wort ? w->wort : "(kein Wort)";
          x->protokoll = 'n';
        }
      }
    }
    (void)verlustGenannt;
    (void)verlustGeprueft;
  }
}

// Compares the raw fields of input and output of a same-version conversion; the quantity units
// of the input as the run maps them (vg).
inline void RohVergleichen(const std::string& ein, const std::string& aus, int version, const std::string& datei,
                           const std::string& protokoll, const Vergleicher& vg, Auditergebnis& e) {
  Rohfelder a = RohLesen(ein, version);
  const Rohfelder b = RohLesen(aus, version);
  const std::string einheitstelle = "|" + std::to_string(version == 3 ? 102 : version == 4 ? 9 : 6);
  for (auto& [k, werte] : a) {
    if (k[0] != 'A' || k.size() < einheitstelle.size() ||
        k.compare(k.size() - einheitstelle.size(), einheitstelle.size(), einheitstelle) != 0)
      continue;
    std::multiset<std::string> abgebildet;
    for (const std::string& w : werte) abgebildet.insert(RohNormal(vg.EinheitGeschrieben(w)));
    werte = abgebildet;
  }
  const std::string paar = std::to_string(version) + ">" + std::to_string(version);
  std::set<std::string> schluessel;
  for (auto& [k, w] : a) schluessel.insert(k);
  for (auto& [k, w] : b) schluessel.insert(k);
  static const std::multiset<std::string> leer;
  for (const std::string& k : schluessel) {
    const auto& wa = a.count(k) ? a.at(k) : leer;
    const auto& wb = b.count(k) ? b.at(k) : leer;
    if (wa == wb) continue;
    std::multiset<std::string> weg, dazu;
    std::set_difference(wa.begin(), wa.end(), wb.begin(), wb.end(), std::inserter(weg, weg.end()));
    std::set_difference(wb.begin(), wb.end(), wa.begin(), wa.end(), std::inserter(dazu, dazu.end()));
    const char satzart = k[0];
    const int stelle = std::stoi(k.substr(k.rfind('|') + 1));
    for (const Rohgleich& g : Rohvorgabe)
      if (g.version == version && g.art == satzart && g.stelle == stelle) weg.erase(g.von);
    // A line a price file may not hold is named in the log and left out.
    if (protokoll.find(Ansi("darf keine Satzart ") + satzart + " ") != std::string::npos) weg.clear();
    if (weg.empty() && dazu.empty()) continue;
    auto verbinden = [](const std::multiset<std::string>& m) {
      std::string t;
      int n = 0;
      for (const std::string& s : m) {
        if (++n > 3) {
          t += " (+" + std::to_string(m.size() - 3) + ")";
          break;
        }
        t += (t.empty() ? "" : " | ") + s;
      }
      return t;
    };
    const std::size_t s1 = k.find('|'), s2 = k.rfind('|');
    const std::string art = k.substr(0, s1);
    const std::string feld = "roh " + art + "." + k.substr(s2 + 1);
    e.abweichungen.push_back({datei, paar, art, feld, k.substr(s1 + 1, s2 - s1 - 1), verbinden(weg), verbinden(dazu),
                              "Roh", "", '-'});
  }
}

// ---- Running conversions ------------------------------------------------------------------

struct Umwandlung {
  std::string ausgabe;  // path
  std::string protokoll;
  std::int64_t fehlerzahl = 0;
};

inline Umwandlung Umwandeln(const std::string& eingabe, int version, const TempVerzeichnis& v, const std::string& name) {
  Kontext k;
  SkriptFenster f;
  f.eingaben.push_back(std::string("DEM"));
  StandardwerteAnwenden(k.gd);
  Umwandlung u;
  u.ausgabe = v.Datei(name);
  // The whole log, also what the window's cap keeps out.
  k.kz.Protokollsenke = [&u](std::string_view text) { u.protokoll += text; };
  Kommandozeile(k, f, eingabe, u.ausgabe, version);
  u.fehlerzahl = k.kz.Fehlerzahl;
  return u;
}

// A generated file (bench/erzeuger.h): version, data kind, number of articles.
inline std::string Erzeugen(const TempVerzeichnis& v, int version, char dk, std::uint64_t artikel, std::uint64_t seed) {
  bench::Erzeugerauftrag a;
  a.version = version;
  a.datenkennzeichen = dk;
  a.artikel = artikel;
  a.seed = seed;
  const std::string pfad = v.Datei(std::string("erzeugt_v") + std::to_string(version) + dk + ".dat");
  bench::Erzeugerergebnis e;
  bench::DateiErzeugen(pfad, a, e);
  return pfad;
}

// A file as the program reads it: a UTF-8 or Windows-1252 file taken into CP850.
inline std::string InCp850Lesen(const std::string& pfad) {
  Eingabedatei d;
  std::string inhalt, block;
  if (!d.Oeffnen(pfad)) return inhalt;
  while (d.BlockLesen(block, 1 << 16) > 0) inhalt += block;
  return inhalt;
}

// Converts one input to each target version and audits every conversion.
inline Auditergebnis Pruefen(const std::string& eingabe, const std::string& datei, std::initializer_list<int> ziele) {
  Auditergebnis e;
  TempVerzeichnis v;
  const Dateibild ein = Einlesen(eingabe);
  const int von = static_cast<int>(Runden(Val(ein.version)));
  Kontext einheiten;
  StandardwerteAnwenden(einheiten.gd);
  for (int nach : ziele) {
    const Umwandlung u = Umwandeln(eingabe, nach, v, "aus" + std::to_string(nach) + ".dat");
    const Dateibild aus = Einlesen(u.ausgabe);
    Vergleicher vg;
    vg.einheiten = &einheiten;
    vg.von = von;
    vg.nach = nach;
    SaetzeVergleichen(ein, aus, Protokoll(u.protokoll), vg, datei, e);
    if (von == nach) RohVergleichen(InCp850Lesen(eingabe), DateiLesen(u.ausgabe), von, datei, u.protokoll, vg, e);
  }
  return e;
}

}  // namespace korvelan::test::treue
