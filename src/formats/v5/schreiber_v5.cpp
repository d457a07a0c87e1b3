#include "formats/v5/schreiber_v5.h"

#include <string>
#include <string_view>

#include "formats/zeilenausgabe.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan::v5 {

namespace {

// ---------------------------------------------------------------------------------------------
// Field appenders. Every field is followed by ";". Text fields go through OhneKeineAngabe, so a
// field held as "@" (present but empty) is written as an empty field.

// Trimming runs for most fields written: views are built from pointers, without the range
// checks of substr, and kept inline.
inline std::string_view OhneRechteBlanks(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return std::string_view(s.data(), e);
}

inline std::string_view OhneBlanks(std::string_view s) {
  std::size_t a = 0;
  while (a < s.size() && s[a] == ' ') ++a;
  return OhneRechteBlanks(std::string_view(s.data() + a, s.size() - a));
}

// The first n characters of a text (all when it is shorter).
inline std::string_view Anfang(std::string_view s, std::size_t n) {
  return std::string_view(s.data(), s.size() < n ? s.size() : n);
}

void Feld(Zeilenpuffer& z, std::string_view text) { FeldAnfuegen(z, text); }

// As stored.
void TextFeld(Zeilenpuffer& z, const std::string& feld) { Feld(z, OhneKeineAngabe(feld)); }
// Right-trimmed.
void RechtsFeld(Zeilenpuffer& z, const std::string& feld) { Feld(z, OhneRechteBlanks(OhneKeineAngabe(feld))); }
// Trimmed on both sides.
void GetrimmtFeld(Zeilenpuffer& z, const std::string& feld) { Feld(z, OhneBlanks(OhneKeineAngabe(feld))); }
// Cut to n: at most n characters, no trailing blanks.
void GekuerztFeld(Zeilenpuffer& z, const std::string& feld, std::size_t n) {
  Feld(z, OhneRechteBlanks(Anfang(OhneKeineAngabe(feld), n)));
}
// A fixed-point value scaled by an integer factor and formatted with a number pattern.
// Numbers are formatted straight into the line; a formatted number holds no ";".
void ZahlFeld(Zeilenpuffer& z, Festkomma wert, std::int64_t faktor, const Zahlmuster& muster) {
  ZahlfeldAnfuegen(z, Mal(wert, faktor), muster);
}
void GanzFeld(Zeilenpuffer& z, std::int64_t wert, const Zahlmuster& muster) { GanzfeldAnfuegen(z, wert, muster); }

// Starts a new line in Ausgabezeile.
Zeilenpuffer& NeueZeile(Kontext& k) {
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  z.clear();
  if (z.capacity() < 512) z.reserve(512);
  return z;
}

// Line that drops its run of empty trailing fields, then is written and counted.
void GekuerztAusgeben(Kontext& k) {
  LeerfelderKuerzen(k.kz.Ausgabezeile);
  ZeileAusgeben(k, true);
}

// ---------------------------------------------------------------------------------------------
// Single-line records.

void KZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += "K;";
  TextFeld(z, ns.Kundennummer);
  TextFeld(z, ns.KName1);
  TextFeld(z, ns.KName2);
  TextFeld(z, ns.KName3);
  TextFeld(z, ns.KName4);
  TextFeld(z, ns.KKz);
  TextFeld(z, ns.KFeld9);
  TextFeld(z, ns.KFeld30);
  GekuerztAusgeben(k);
  // The customer record is written once, not again with the next record.
  ns.Kundennummer.clear();
}

void SZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += "S;";
  TextFeld(z, ns.Hauptwarengruppe);
  TextFeld(z, ns.WgNummer);
  // One description: the group's, or the main group's when the group line gives none (the record
  // check names the main group's description as lost when both are given).
  TextFeld(z, IstLeer(ns.WgBezeichnung) ? ns.HwgBezeichnung : ns.WgBezeichnung);
  GekuerztAusgeben(k);
}

void RZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += "R;";
  TextFeld(z, ns.RgNummer);
  GanzFeld(z, ns.RabattKz, muster::N1);
  if (ns.RabattKz == 1) {
    ZahlFeld(z, ns.Rabatt, 100, muster::R3N1);
  } else {
    // A multiplier of zero would price every article of the group at nothing; it stands for a
    // multiplier that was not given, so the neutral multiplier 1 (written 1000) is used.
    Festkomma multiplikator = ns.Rabatt == 0 ? FestkommaEins : ns.Rabatt;
    ZahlFeld(z, multiplikator, 1000, muster::R3N1);
  }
  TextFeld(z, ns.RgBezeichnung);
  GekuerztAusgeben(k);
}

// ---------------------------------------------------------------------------------------------
// The A line and its shortening.

// One article field after Kurztext2: its width and the values that do not keep the line long.
// The line keeps every field up to the last significant one: its value, cut to the width and
// trimmed, is not blank and none of the default values.
struct Wichtigkeit {
  std::size_t breite;
  std::string_view ohne1, ohne2;  // values that count as "not given" besides blank ("" = none)
};

// The value of a whole number as a number pattern without fraction writes it: an optional "-"
// and digits (at most nineteen characters, so it fits). Read here instead of by Val, which would
// also look for blanks, a point and fraction digits, for a value read once per article.
std::int64_t GeschriebeneGanzzahl(std::string_view text) {
  const bool negativ = !text.empty() && text[0] == '-';
  std::int64_t wert = 0;
  for (std::size_t i = negativ ? 1 : 0; i < text.size(); ++i) wert = wert * 10 + (text[i] - '0');
  return negativ ? -wert : wert;
}

bool IstBedeutsam(std::string_view geschrieben, const Wichtigkeit& w) {
  std::string_view wert = OhneBlanks(Anfang(geschrieben, w.breite));
  // A value that is not empty never equals an empty default value.
  return !wert.empty() && !TexteGleich(wert, w.ohne1) && !TexteGleich(wert, w.ohne2);
}

// True when the text holds a character other than a blank within its first n: IstBedeutsam
// without default values.
bool HatZeichen(std::string_view text, std::size_t n) {
  const std::size_t e = text.size() < n ? text.size() : n;
  for (std::size_t i = 0; i < e; ++i)
    if (text[i] != ' ') return true;
  return false;
}

// Builds the A line and shortens it (ArtikelzeileKuerzen): after Kurztext2 every field that
// carries nothing but blanks or a default value is dropped from the end, so the line ends with
// the ";" of its last significant field. The cut position is recorded while each field is
// appended, rather than by splitting the finished line again: a ";" inside a stored text would
// shift a re-read and could cut off real content. Returns the price unit of the line (1 when the
// line carries none), which the Z lines of the same article fall back on. artikelkopf takes the
// line's head, which the article's further lines begin with.
std::int64_t AZeile(Kontext& k, Zeilenanfang& artikelkopf) {
  Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += "A;";
  TextFeld(z, ns.Verarbeitungskz);
  RechtsFeld(z, ns.ArtikelNr);
  artikelkopf.Merken();
  TextFeld(z, ns.Kurztext1);
  TextFeld(z, ns.Kurztext2);
  std::size_t schnitt = z.size();
  std::int64_t artikelpreiseinheit = 1;

  // Appends a field already formatted and moves the cut position behind it when it counts.
  auto anfuegen = [&](std::string_view text, const Wichtigkeit& w) {
    Feld(z, text);
    if (IstBedeutsam(text, w)) schnitt = z.size();
  };
  auto textAnfuegen = [&](const std::string& feld, std::size_t breite) {
    // Many article fields are not given: an empty field is its ";" alone.
    if (feld.empty()) return z.push_back(';');
    const std::string_view text = OhneKeineAngabe(feld);
    Feld(z, text);
    if (HatZeichen(text, breite)) schnitt = z.size();
  };
  // Formats a number straight into the line; returns the text written for it. A number holds no
  // blanks, so only its cut to the width is compared with the default values.
  auto zahlAnfuegen = [&](const Zahltext& zahl, const Zahlmuster& muster, const Wichtigkeit& w)
                          KORVELAN_SCHNELLWEG {
    const std::string_view text = ZahltextfeldAnfuegen(z, zahl, muster);
    const std::string_view vorn = Anfang(text, w.breite);
    if (!vorn.empty() && !TexteGleich(vorn, w.ohne1) && !TexteGleich(vorn, w.ohne2)) schnitt = z.size();
    return text;
  };

  textAnfuegen(ns.Mengeneinheit, 4);
  textAnfuegen(ns.Preiskz, 1);
  {
    // Price unit: "1" for a zero or for a record without one; a "1" does not keep the line long.
    // A field the input line gave empty ("@") stays empty.
    const Zahltext wert(ns.Preiseinheit);
    const std::size_t vorher = schnitt;
    const Wichtigkeit w{6, "0", "1"};
    if (!wert.IstNull()) {
      std::string_view text = zahlAnfuegen(wert, muster::R6N1, w);
      // The whole written value, as the A line states it (the Z lines repeat it).
      if (schnitt != vorher) artikelpreiseinheit = GeschriebeneGanzzahl(text);
    } else if (IstKeineAngabe(ns.Preiseinheit)) {
      z.push_back(';');
    } else {
      anfuegen("1", w);
    }
  }
  {
    const Zahltext wert(ns.Preis);
    if (!wert.IstNull())
      zahlAnfuegen(wert, muster::R9N1, Wichtigkeit{10, "0", {}});
    else
      z += ';';
  }
  textAnfuegen(ns.Rabattgruppe, 4);
  textAnfuegen(ns.Warenhauptgruppe, 3);
  textAnfuegen(ns.Warengruppe, 10);
  textAnfuegen(ns.Matchcode, 15);
  textAnfuegen(ns.A5Feld14, 13);
  textAnfuegen(ns.AlternativArtikelNr, 15);
  textAnfuegen(ns.A5Feld16, 13);
  textAnfuegen(ns.A5Feld17, 35);
  textAnfuegen(ns.A5Feld18, 35);
  textAnfuegen(ns.EanNr, 18);
  textAnfuegen(ns.Anbindungsnummer, 15);
  {
    // Packing quantity: a zero, or none in the record, means 1, also in the record. A field the
    // input line gave empty ("@") stays empty.
    const Zahltext wert(ns.Verpackungsmenge);
    if (!wert.IstNull()) {
      zahlAnfuegen(wert, muster::R4N1, Wichtigkeit{5, "0", "1"});
    } else if (IstKeineAngabe(ns.Verpackungsmenge)) {
      z.push_back(';');
    } else {
      ns.Verpackungsmenge = "1";
      anfuegen("1", Wichtigkeit{5, "0", "1"});
    }
  }
  textAnfuegen(ns.Katalogseite, 15);
  {
    // Text flag: its first character; a flag not given ("" or "@") is "0".
    const std::string_view textkz = OhneKeineAngabe(ns.Textkz);
    anfuegen(textkz.empty() ? std::string_view("0") : textkz.substr(0, 1), Wichtigkeit{1, "0", {}});
  }
  textAnfuegen(ns.Langtextschluessel, 15);
  zahlAnfuegen(Zahltext(ns.Kostenart), muster::R2, Wichtigkeit{2, "90", "0"});
  // Field 26 is carried through as it was read: read as a number, a "0" or a letter there would be
  // written as an empty field.
  textAnfuegen(ns.A5Feld26, 1);
  textAnfuegen(ns.ReferenzKuerzel, 13);
  textAnfuegen(ns.ReferenzNr, 17);
  textAnfuegen(ns.A5Zusatz, 21);

  z.resize(schnitt);
  ZeileAusgeben(k, true);
  return artikelpreiseinheit;
}

// ---------------------------------------------------------------------------------------------
// Lines of the article group after the A line.

// Start of a D, Z line: letter, processing flag, article number.
void Artikelkopf(Zeilenpuffer& z, const Neutralsatz& ns, std::string_view buchstabe) {
  z.append(buchstabe);
  z += ';';
  TextFeld(z, ns.Verarbeitungskz);
  RechtsFeld(z, ns.ArtikelNr);
}

// Lines of a table share their start (Zeilenanfang). Cutting empty fields never reaches into it,
// as the row number follows it.
// The A line is still in Ausgabezeile, beginning with artikelkopf.
void DZeilen(Kontext& k, Zeilenanfang& artikelkopf) {
  Neutralsatz& ns = k.ns;
  for (int n = 1; n <= Tabellenzeilen; ++n) {
    const Dimensionszeile& d = ns.Dimensionstabelle[n - 1];
    if (d.DimUnterkz.empty()) break;
    Zeilenpuffer& z = artikelkopf.Wiederholen('D');
    GanzFeld(z, n, muster::N2);
    const std::string_view unterkz = OhneKeineAngabe(d.DimUnterkz);
    Feld(z, unterkz.empty() ? std::string_view(" ") : unterkz.substr(0, 1));
    GekuerztFeld(z, d.DimText, 40);
    GekuerztFeld(z, d.DimLangtextNr, 15);
    GekuerztAusgeben(k);
  }
}

// Picture reference of an article whose connection number came from a version-3/4 B line.
// True when it wrote the line.
bool GZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  if (!TexteGleich(ns.Verarbeitungskz, "N") || ns.AnbindungKz != -1 || IstLeer(OhneKeineAngabe(ns.Anbindungsnummer)))
    return false;
  Zeilenpuffer& z = NeueZeile(k);
  z += "G;N;";
  TextFeld(z, ns.Anbindungsnummer);
  z += "01;1A;";
  GekuerztFeld(z, ns.Anbindungsnummer, 15);
  // The fixed text in the file's code: 0x81 is the "ü" of CP850.
  z += "BMP;Zeile aus Version 3 \x81" "bernommen;";
  GekuerztAusgeben(k);
  return true;
}

// Price unit of a Z line: 999 stands for "the price unit of the article".
std::int64_t ZPreiseinheit(std::int64_t wert, std::int64_t artikelpreiseinheit) {
  return wert == 999 ? artikelpreiseinheit : wert;
}

// artikelkopf: the head of the line in Ausgabezeile, unless that line has another head.
void ZZeilen(Kontext& k, std::int64_t artikelpreiseinheit, Zeilenanfang& artikelkopf) {
  Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  int nummer = 1;
  for (const Staffelzeile& s : ns.Staffeltabelle) {
    if (s.StaffelArt == 0) break;
    if (!artikelkopf.Gemerkt()) {
      NeueZeile(k);
      Artikelkopf(z, ns, "Z");
      artikelkopf.Merken();
    }
    artikelkopf.Wiederholen('Z');
    switch (s.StaffelArt) {
      case 1:  // price scale
        GanzFeld(z, nummer, muster::N2);
        z += "1;";
        RechtsFeld(z, s.StaffelBasistext1);
        RechtsFeld(z, s.StaffelBasistext2);
        GanzFeld(z, s.StaffelZuAbArt, muster::R1);
        RechtsFeld(z, s.StaffelVorzeichen);
        GanzFeld(z, s.StaffelMerker, muster::R1);
        GanzFeld(z, ZPreiseinheit(s.StaffelEndeA, artikelpreiseinheit), muster::R6N1);
        ZahlFeld(z, s.StaffelPreis, 100, muster::R9N1);
        if (s.StaffelEndeB != 0 && s.StaffelEndeB != 999)
          GanzFeld(z, s.StaffelEndeB, muster::R5N1);
        else
          z += ';';
        // The quantity range of the scale: base marker, from and to, whole numbers as held.
        if (s.StaffelBasismerker != 0 || s.VonBasis != 0 || s.BisBasis != 0) {
          GanzFeld(z, s.StaffelBasismerker, muster::R1);
          ZahlfeldAnfuegen(z, s.VonBasis, muster::R9N1);
          ZahlfeldAnfuegen(z, s.BisBasis, muster::R9N1);
        }
        break;
      case 2:  // raw material from/to
        GanzFeld(z, nummer, muster::N2);
        z += "2;";
        RechtsFeld(z, s.RohVBMerker);
        GanzFeld(z, s.RohVBZuAbArt, muster::R1);
        RechtsFeld(z, s.RohVBVorzeichen);
        GanzFeld(z, s.RohVBKz, muster::R1);
        GanzFeld(z, ZPreiseinheit(s.RohVBEnde, artikelpreiseinheit), muster::R5N1);
        ZahlFeld(z, s.RohVBPreis, 100, muster::R9N1);
        ZahlFeld(z, s.VonBasis, 100, muster::R9N1);
        ZahlFeld(z, s.BisBasis, 100, muster::R11N1);
        ZahlFeld(z, s.RohVBFaktor, 1000, muster::R6N1);
        // The two values go together: the sixth is written also when the fifth is zero.
        if (s.RohVBWert5 != 0 || s.RohVBWert6 != 0) {
          ZahlFeld(z, s.RohVBWert5, 100, muster::R7N1);
          ZahlFeld(z, s.RohVBWert6, 1000, muster::R5N1);
        }
        break;
      case 3:  // raw-material calculation, copper data
        GanzFeld(z, nummer, muster::N2);
        z += "3;";
        RechtsFeld(z, s.RohstoffMerker);
        GanzFeld(z, s.RohstoffKz, muster::R1);
        GanzFeld(z, ZPreiseinheit(s.RohstoffMengenbasis, artikelpreiseinheit), muster::R5N1);
        ZahlFeld(z, s.RohstoffBasis, 100, muster::R7N1);
        ZahlFeld(z, s.RohstoffFaktor, 1000, muster::R5N1);
        ZahlFeld(z, s.RohstoffGewicht, 100, muster::R7N1);
        ZahlFeld(z, s.RohstoffWert4, 1000, muster::R5N1);
        break;
      default:  // unknown kind: no line
        continue;
    }
    GekuerztAusgeben(k);
    ++nummer;
  }
}

// Material and labour C lines keep all their fields. The material line gives its values before
// its text, in the order the version-5 and version-4 readers take them; the readers fill no fifth
// value, so none is written.
void CWerkstoffZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  if (OhneRechteBlanks(ns.WerkstoffText).empty() && ns.WerkstoffWert1 == 0 && ns.WerkstoffWert2 == 0 &&
      ns.WerkstoffWert3 == 0 && ns.WerkstoffWert4 == 0 && ns.WerkstoffKz == 0 && ns.WerkstoffWert5 == 0)
    return;
  Zeilenpuffer& z = NeueZeile(k);
  z += "C;";
  TextFeld(z, ns.Verarbeitungskz);
  z += "WST1;";
  RechtsFeld(z, ns.ArtikelNr);
  ZahlFeld(z, ns.WerkstoffWert1, 1000, muster::R7N1);
  ZahlFeld(z, ns.WerkstoffWert2, 1000, muster::R7N1);
  ZahlFeld(z, ns.WerkstoffWert3, 1000, muster::R7N1);
  ZahlFeld(z, ns.WerkstoffWert4, 1000, muster::R7N1);
  GanzFeld(z, ns.WerkstoffKz, muster::N1);
  RechtsFeld(z, ns.WerkstoffText);
  // Counted like every other line: the end record states the number of lines in the file.
  ZeileAusgeben(k, true);
}

void CArbeitZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  if (ns.ArbeitWert == 0) return;
  Zeilenpuffer& z = NeueZeile(k);
  z += "C;";
  TextFeld(z, ns.Verarbeitungskz);
  z += "ARBA;";
  RechtsFeld(z, ns.ArtikelNr);
  GanzFeld(z, ns.ArbeitKz1, muster::N1);
  GanzFeld(z, ns.ArbeitKz2, muster::N1);
  ZahlFeld(z, ns.ArbeitWert, ns.ArbeitKz2 == 3 ? 1000 : 10, muster::R6N1);
  ZeileAusgeben(k, true);
}

// C lines of other kinds go out exactly as they were read: no character conversion, no
// shortening. They are counted, so that the end record's line count is the file's.
void BehalteneCZeilen(Kontext& k) {
  for (const std::string& c : k.ns.CZeilen) {
    if (c.empty()) break;
    ZeileUnveraendertAusgeben(k, c);
    ++k.kz.AusgabeSatzzahl;
  }
}

// ---------------------------------------------------------------------------------------------
// Delete / renumber and long text.

void BZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += "B;";
  RechtsFeld(z, ns.NummerAltKz);
  RechtsFeld(z, ns.ArtikelNr);
  GetrimmtFeld(z, ns.NeueArtikelNr);
  RechtsFeld(z, ns.NummerAltZusatz);
  GekuerztAusgeben(k);
}

// T lines, one text row of up to 70 characters each.
void TZeilen(Kontext& k) {
  Neutralsatz& ns = k.ns;
  if (IstLeer(ns.LangtextNr) || ns.LangtextArt == 0) return;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  Zeilenanfang kopf(z);
  for (int n = 1; n <= Tabellenzeilen; ++n) {
    const Langtextzeile& t = ns.Langtexttabelle[n - 1];
    if (t.LangtextMarke.empty()) break;
    if (n == 1) {
      NeueZeile(k);
      z += "T;";
      TextFeld(z, ns.Verarbeitungskz);
      GekuerztFeld(z, ns.LangtextNr, 15);
      GanzFeld(z, ns.LangtextArt, muster::R1);
      kopf.Merken();
    }
    kopf.Wiederholen();
    GanzFeld(z, n, muster::N2);
    GekuerztFeld(z, t.LangtextZeile, 70);
    GekuerztAusgeben(k);
  }
}

// ---------------------------------------------------------------------------------------------
// SET and price lines.

void JZeilen(Kontext& k) {
  Neutralsatz& ns = k.ns;
  for (int n = 1; n <= Tabellenzeilen; ++n) {
    const Setzeile& s = ns.SetTabelle[n - 1];
    if (s.SetNr.empty()) break;
    Zeilenpuffer& z = NeueZeile(k);
    z += "J;";
    TextFeld(z, ns.Verarbeitungskz);
    GekuerztFeld(z, s.SetNr, 15);
    TextFeld(z, s.SetMerker);
    GanzFeld(z, n, muster::N2);
    bool position = true;
    if (TexteGleich(s.SetMerker, "L")) {
      if (SetTexteSchreiben(ns, n - 1)) {
        GekuerztFeld(z, s.SetKurztext, 15);
        GekuerztFeld(z, s.SetBeschreibung, 40);
      } else {
        z += ";;";
      }
      position = s.SetAufrufmerker == 1 || s.SetAufrufmerker == 2;
    }
    if (position) {
      GanzFeld(z, s.SetAufrufmerker, muster::N1);
      GekuerztFeld(z, s.SetArtikelNr, 15);
      ZahlFeld(z, s.SetMenge, 1000, muster::R6N1);
    }
    GekuerztAusgeben(k);
  }
}

void PZeilen(Kontext& k) {
  for (Preiszeile& p : k.ns.Preistabelle) {
    // A blank row is skipped; the rows after it are still written.
    if (IstLeer(p.PArtikelNr)) continue;
    if (p.PPreiseinheit == 0) p.PPreiseinheit = 1;
    Zeilenpuffer& z = NeueZeile(k);
    z += "P;";
    GekuerztFeld(z, p.PArtikelNr, 15);
    GanzFeld(z, p.PPreiskz, muster::R1);
    GanzFeld(z, p.PPreiseinheit, muster::R1);
    ZahlFeld(z, p.PPreis, 100, muster::R8);
    GekuerztFeld(z, p.PRabattgruppe, 4);
    for (int j = 1; j <= 3; ++j) {
      const std::int16_t art = p.ZuAbKz(j);
      if (IstKeineAngabe(p.ZuAbMarke(j)) || art == 0) {
        z += ";;";
        continue;
      }
      GanzFeld(z, art, muster::R1);
      // A multiplier in thousandths; every other kind in hundredths, as the readers hold them.
      ZahlFeld(z, p.ZuAbWert(j), art == 2 ? 1000 : 100, muster::R4);
    }
    // The date of the price change, when the record holds one.
    GekuerztFeld(z, k.ns.Termin1, 8);
    GekuerztAusgeben(k);
  }
}

}  // namespace

std::int16_t Artikelschreiber(Kontext& k) {
  k.kz.Ausgabezeile.clear();
  return SchreiberAusfuehren(k, [&k] {
    switch (k.ns.Art) {
      case Satzart::Kunde: return KZeile(k);
      case Satzart::Warengruppe: return SZeile(k);
      case Satzart::Rabattgruppe: return RZeile(k);
      case Satzart::Loeschen: return BZeile(k);
      case Satzart::Artikel: {
        // The A, D and Z lines share their head; a G line between them has another.
        Zeilenanfang kopf(k.kz.Ausgabezeile);
        std::int64_t artikelpreiseinheit = AZeile(k, kopf);
        DZeilen(k, kopf);
        if (GZeile(k)) kopf.Vergessen();
        ZZeilen(k, artikelpreiseinheit, kopf);
        CWerkstoffZeile(k);
        CArbeitZeile(k);
        BehalteneCZeilen(k);
        return TZeilen(k);
      }
      default: return TZeilen(k);
    }
  });
}

namespace {

// A SET or price record: the customer line when the record is the customer record, else its own lines.
std::int16_t KundeOderZeilen(Kontext& k, void (*zeilen)(Kontext&)) {
  k.kz.Ausgabezeile.clear();
  return SchreiberAusfuehren(k, [&k, zeilen] {
    if (k.ns.Art == Satzart::Kunde)
      KZeile(k);
    else
      zeilen(k);
  });
}

}  // namespace

std::int16_t Setschreiber(Kontext& k) { return KundeOderZeilen(k, JZeilen); }

std::int16_t Preisschreiber(Kontext& k) { return KundeOderZeilen(k, PZeilen); }

}  // namespace korvelan::v5
