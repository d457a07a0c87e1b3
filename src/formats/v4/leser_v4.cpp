#include "formats/v4/leser_v4.h"

#include <string>
#include <string_view>

#include "context/protokoll.h"
#include "formats/zeilenfolge.h"
#include "record/feldholen.h"
#include "record/festkomma.h"
#include "record/text.h"

// Version 4 lines are ";"-separated: field 1 is the record letter, field 2 the processing flag.
// Each reader call assembles one logical record in the Neutralsatz: the lines of one article
// (A, B, D, Z, C with the same article number), the lines of one long text (T or E with the
// same text number), the lines of one SET, or a single K, S, R or P line. The line that ends
// a record stays in Eingabezeile (ZeileVorgelesen = -1) and opens the next call.

namespace korvelan::v4 {

namespace {

const std::string SchluesselKunde = "KundennummerSatz";
const std::string SchluesselWarengruppe = "Waren-Gr. Satz";
const std::string SchluesselRabattgruppe = "Rabatt-Gr. Satz";
// Key after a one-line delete or renumber record: no following article line matches it.
const std::string SchluesselEinzeilig = "XXXXXXXXXXXXXXX";

constexpr char Dateiende = '\x1A';

enum class Schritt { Weiter, SatzEnde };

// The fields of the line being processed: the line, read as if its fill followed it, and a cursor. Fields 1 and 2
// are taken on construction, so the cursor stands on field 3 whatever the width of field 2
// (real files write K;;018988; ; with an empty second field as well as A;N;4711;...).
class Felder {
 public:
  // The line is not copied: Eingabezeile stays unchanged while its fields are taken.
  Felder(Lesezustand& lz, Fuellart fuellung) : lz_(lz), zeile_{lz.Eingabezeile, fuellung} {
    if (KurzerAnfang(zeile_)) {
      // What the walk gives: a blank flag is held as one blank.
      cursor_ = 5;
      lz.FeldStatus = 0;
      feld2_ = lz.Eingabezeile[2] == ' ' ? std::string_view(" ") : lz.Eingabezeile.substr(2, 1);
      return;
    }
    Text(1);
    feld2_ = Text(1);
  }
  // Goes on from a cursor found before on the same line (fields 1 and 2 and the key taken).
  Felder(Lesezustand& lz, Fuellart fuellung, int cursor) : lz_(lz), zeile_{lz.Eingabezeile, fuellung}, cursor_(cursor) {}

  int Cursor() const { return cursor_; }

  std::string_view Feld2() const { return feld2_; }

  KORVELAN_SCHNELLWEG std::string_view Text(int breite) { return FeldHolenAnsicht(zeile_, cursor_, breite, lz_.FeldStatus); }
  // A text field that reads as "@" when it was empty in the line.
  KORVELAN_SCHNELLWEG std::string_view TextOderKeineAngabe(int breite) {
    std::string_view t = Text(breite);
    return Leer() ? std::string_view(KeineAngabe) : t;
  }
  // Article, text and SET numbers: trimmed, in capitals.
  KORVELAN_SCHNELLWEG Schluesseltext Nummer(int breite) { return Schluesseltext(Text(breite)); }
  Festkomma Zahl(int breite) { return FeldHolenZahl(zeile_, cursor_, breite, lz_.FeldStatus); }
  // A number field as its text, for the fields kept as text: Leer() as after Zahl (also when
  // the field is blank), and Val of the text is the value Zahl reads.
  std::string_view Zahltext(int breite) {
    const std::string_view t = Text(breite);
    if (!t.empty() && IstLeer(t)) lz_.FeldStatus = 9;
    return t;
  }
  Festkomma Zahl(int breite, std::int64_t teiler) { return Teilen(Zahl(breite), teiler); }
  std::int16_t Kurzzahl(int breite) { return AlsKurzzahl(Zahl(breite)); }
  KORVELAN_SCHNELLWEG void Ueberspringen(int breite) { FeldUeberspringen(zeile_, cursor_, breite, lz_.FeldStatus); }
  bool Leer() const { return lz_.FeldStatus == 9; }

 private:
  Lesezustand& lz_;
  GefuellteZeile zeile_;
  int cursor_ = 1;
  std::string_view feld2_;
};

// The keyed line ends the record: its key and the walk up to it are kept for the next call.
Schritt SatzEndeMitSchluessel(Lesezustand& lz, const Felder& z, char satzart, const Schluesseltext& schluessel) {
  SchluesselVormerken(lz, satzart, schluessel, z.Cursor());
  return Schritt::SatzEnde;
}

char Satzart(std::string_view zeile) { return zeile.empty() ? '\0' : GrossZeichen(zeile[0]); }

// The processing flag is the third character of the line (a one-character flag), in capitals;
// empty when the line is shorter.
Schluesseltext Kennzeichen(std::string_view zeile) {
  Schluesseltext kz;
  if (zeile.size() >= 3) kz.ZeichenAnfuegen(zeile[2]);
  return kz;
}

// The flag of a line as one character ("" gives a blank).
char Kennzeichenzeichen(std::string_view kz) { return kz.empty() ? ' ' : kz[0]; }

// A line of an article or long text belongs to the record being assembled when its key is the
// record's key or nothing keyed has been assembled yet. Nothing joins a delete or renumber
// record, whatever the key of the line after it.
bool Gehoert(const Neutralsatz& ns, Lesezustand& lz, std::string_view schluessel) {
  return ns.NummerAltKz.empty() && (TexteGleich(schluessel, lz.SatzSchluessel) || IstLeer(lz.SatzSchluessel));
}

// The first A, B, D or Z line of an article sets its flag and number.
void ArtikelBeginnen(Neutralsatz& ns, std::string_view kennzeichen, std::string_view nummer) {
  VerarbeitungskzBeginnen(ns, Kennzeichenzeichen(kennzeichen));
  FeldZuweisen(ns.ArtikelNr, nummer);
}

// Number field normalised to its digits without leading zeros; "@" when the line left it empty.
void NormalzahlZuweisen(std::string& ziel, Felder& z, int breite, std::string_view stattNull) {
  const std::string_view feld = z.Zahltext(breite);
  if (z.Leer())
    FeldUeberschreiben(ziel, KeineAngabe);
  else
    OhneNullenAusFeldZuweisen(ziel, feld, stattNull);
}

// Surcharge code of Z lines: 3 / 4 amount surcharge +/-, 1 / 2 percentage surcharge +/-.
void ZuAbCode(std::int16_t code, std::int16_t& art, std::string& vorzeichen) {
  switch (code) {
    case 3: art = 2, vorzeichen = "+"; break;
    case 4: art = 2, vorzeichen = "-"; break;
    case 1: art = 3, vorzeichen = "+"; break;
    case 2: art = 3, vorzeichen = "-"; break;
    default: break;
  }
}

// Stores a row in the first free row of a table; a full table drops it.
template <typename Tabelle, typename Zeile>
void Eintragen(Tabelle& tabelle, int frei, const Zeile& zeile) {
  if (frei >= 0) tabelle[static_cast<std::size_t>(frei)] = zeile;
}

// ---- Article lines -------------------------------------------------------------------------

// geschrieben: set when the line wrote the texts of part A.
Schritt ZeileA(Neutralsatz& ns, Lesezustand& lz, bool& geschrieben) {
  const Lesezustand::Schluesselfund* fund = SchluesselVorgefunden(lz, 'A');
  Felder z = fund ? Felder(lz, MitSemikolon, fund->cursor) : Felder(lz, MitSemikolon);
  const Schluesseltext nummer = fund ? fund->schluessel : z.Nummer(15);
  if (!Gehoert(ns, lz, nummer)) return SatzEndeMitSchluessel(lz, z, 'A', nummer);
  const Schluesseltext kennzeichen = Kennzeichen(lz.Eingabezeile);
  const std::string_view kz = kennzeichen;
  if (kz == "L" || kz == "X") {
    // Delete or renumber: a record of its own, no further article field. It also ends lines of
    // the same article before it: joined to them, its new number would be read as a short text
    // and the renumbering lost.
    if (!lz.SatzSchluessel.empty()) return SatzEndeMitSchluessel(lz, z, 'A', nummer);
    FeldZuweisen(ns.ArtikelNr, nummer);
    ns.NummerAltKz = kz == "L" ? "L" : "A";
    ns.NeueArtikelNr.clear();
    ns.NummerAltZusatz.clear();
    if (kz == "X") {
      z.Ueberspringen(2);
      FeldZuweisen(ns.NeueArtikelNr, z.Nummer(15));
    }
    FeldZuweisen(ns.Verarbeitungskz, kz);
    lz.SatzSchluessel = SchluesselEinzeilig;
    return Schritt::Weiter;
  }
  if (ns.ArtikelNr.empty()) ArtikelBeginnen(ns, kz, nummer);
  geschrieben = true;
  FeldUeberschreiben(ns.Textkz, z.TextOderKeineAngabe(2));
  FeldUeberschreiben(ns.Kurztext1, z.TextOderKeineAngabe(40));
  FeldUeberschreiben(ns.Kurztext2, z.TextOderKeineAngabe(40));
  FeldUeberschreiben(ns.Preiskz, z.TextOderKeineAngabe(1));
  const Festkomma einheit = z.Zahl(1);
  if (z.Leer())
    FeldUeberschreiben(ns.Preiseinheit, KeineAngabe);
  else if (einheit == 0)
    FeldUeberschreiben(ns.Preiseinheit, "0");
  else if (einheit == 1 * FestkommaEins)
    FeldUeberschreiben(ns.Preiseinheit, "10");
  else if (einheit == 2 * FestkommaEins)
    FeldUeberschreiben(ns.Preiseinheit, "100");
  else if (einheit == 3 * FestkommaEins)
    FeldUeberschreiben(ns.Preiseinheit, "1000");
  else
    ns.Preiseinheit.clear();
  FeldUeberschreiben(ns.Mengeneinheit, z.TextOderKeineAngabe(4));
  const std::string_view preis = z.Zahltext(10);
  if (z.Leer())
    FeldUeberschreiben(ns.Preis, KeineAngabe);
  else
    GanzAusFeldZuweisen(ns.Preis, preis, 10);
  FeldUeberschreiben(ns.Rabattgruppe, z.TextOderKeineAngabe(4));
  FeldUeberschreiben(ns.Warenhauptgruppe, z.TextOderKeineAngabe(3));
  FeldUeberschreiben(ns.Langtextschluessel, z.TextOderKeineAngabe(8));
  FeldUeberschreiben(lz.SatzSchluessel, ns.ArtikelNr);
  return Schritt::Weiter;
}

// geschrieben: set when the line wrote the texts of part B.
Schritt ZeileB(Neutralsatz& ns, Lesezustand& lz, bool& geschrieben) {
  const Lesezustand::Schluesselfund* fund = SchluesselVorgefunden(lz, 'B');
  Felder z = fund ? Felder(lz, MitBlank, fund->cursor) : Felder(lz, MitBlank);
  const Schluesseltext nummer = fund ? fund->schluessel : z.Nummer(15);
  if (!Gehoert(ns, lz, nummer)) return SatzEndeMitSchluessel(lz, z, 'B', nummer);
  if (ns.ArtikelNr.empty()) {
    // An article that begins with its B line has the defaults of an A line's absence.
    ns.Verpackungsmenge = "1";
    ns.Kostenart = "90";
    ArtikelBeginnen(ns, Kennzeichen(lz.Eingabezeile), nummer);
  }
  geschrieben = true;
  FeldUeberschreiben(ns.Matchcode, z.TextOderKeineAngabe(15));
  FeldUeberschreiben(ns.AlternativArtikelNr, z.TextOderKeineAngabe(15));
  FeldUeberschreiben(ns.Katalogseite, z.TextOderKeineAngabe(8));
  // Copper data: flag 1 per 100 units, 2 per 1000 units. Any other flag carries no quantity
  // base, so it is read like "0": base and weight are passed over.
  const std::string_view kupfer = TrimmenAnsicht(z.Text(1));
  if (kupfer == "1" || kupfer == "2") {
    Staffelzeile s;
    s.StaffelArt = 3;
    s.RohstoffMerker = "CU";
    s.RohstoffKz = 2;
    s.RohstoffMengenbasis = kupfer == "1" ? 100 : 1000;
    s.RohstoffBasis = z.Zahl(3);
    s.RohstoffFaktor = FestkommaEins / 100;
    s.RohstoffGewicht = z.Zahl(6, 100);
    s.RohstoffWert4 = kupfer == "1" ? FestkommaEins / 100 : FestkommaEins / 1000;
    Eintragen(ns.Staffeltabelle, FreieStaffelzeile(ns), s);
  } else {
    z.Ueberspringen(3);
    z.Ueberspringen(6);
  }
  FeldUeberschreiben(ns.EanNr, z.TextOderKeineAngabe(13));
  FeldUeberschreiben(ns.Anbindungsnummer, z.TextOderKeineAngabe(12));
  // Real files write a blank for "no connection number"; only a number marks the connection.
  if (!z.Leer() && !IstLeer(ns.Anbindungsnummer)) ns.AnbindungKz = -1;
  FeldUeberschreiben(ns.Warengruppe, z.TextOderKeineAngabe(10));
  NormalzahlZuweisen(ns.Kostenart, z, 2, "90");
  NormalzahlZuweisen(ns.Verpackungsmenge, z, 5, "1");
  FeldUeberschreiben(ns.ReferenzKuerzel, z.TextOderKeineAngabe(4));
  FeldUeberschreiben(ns.ReferenzNr, z.TextOderKeineAngabe(17));
  FeldUeberschreiben(lz.SatzSchluessel, ns.ArtikelNr);
  return Schritt::Weiter;
}

// One dimension row. An empty sub-flag is held as a blank: the sub-flag marks the row as used,
// and an empty one would leave the row's text behind as a free row.
void DimensionLesen(Neutralsatz& ns, Felder& z, bool speichern) {
  const std::string_view unterkz = z.Text(1);
  const std::string_view langtextNr = z.Text(8);
  const std::string_view text = z.Text(40);
  const int frei = speichern ? FreieDimensionszeile(ns) : -1;
  if (frei < 0) return;
  // Written into the free row directly: every field of the row is set.
  Dimensionszeile& d = ns.Dimensionstabelle[static_cast<std::size_t>(frei)];
  FeldZuweisen(d.DimUnterkz, unterkz.empty() ? std::string_view(" ") : unterkz);
  FeldZuweisen(d.DimLangtextNr, langtextNr);
  FeldZuweisen(d.DimText, text);
}

Schritt ZeileD(Neutralsatz& ns, Lesezustand& lz) {
  const Lesezustand::Schluesselfund* fund = SchluesselVorgefunden(lz, 'D');
  Felder z = fund ? Felder(lz, MitBlank, fund->cursor) : Felder(lz, MitBlank);
  const Schluesseltext nummer = fund ? fund->schluessel : z.Nummer(15);
  if (!Gehoert(ns, lz, nummer)) return SatzEndeMitSchluessel(lz, z, 'D', nummer);
  if (ns.ArtikelNr.empty()) ArtikelBeginnen(ns, Kennzeichen(lz.Eingabezeile), nummer);
  z.Ueberspringen(2);
  DimensionLesen(ns, z, true);
  const Festkomma zeile2 = z.Zahl(2);
  DimensionLesen(ns, z, zeile2 != 0);
  FeldUeberschreiben(lz.SatzSchluessel, ns.ArtikelNr);
  return Schritt::Weiter;
}

// A long-text row into the first free row, written in place; a full table drops it.
void LangtextzeileEintragen(Neutralsatz& ns, std::string_view text) {
  const int frei = FreieLangtextzeile(ns);
  if (frei < 0) return;
  Langtextzeile& t = ns.Langtexttabelle[static_cast<std::size_t>(frei)];
  FeldZuweisen(t.LangtextMarke, "X");
  FeldZuweisen(t.LangtextZeile, text);
}

// T (long text) and E (insert text): two text rows per line.
Schritt ZeileTE(Neutralsatz& ns, Lesezustand& lz, char satzart) {
  const Lesezustand::Schluesselfund* fund = SchluesselVorgefunden(lz, satzart);
  Felder z = fund ? Felder(lz, MitBlank, fund->cursor) : Felder(lz, MitBlank);
  // The key is the letter and the text number, in capitals; the number is its part after the letter.
  const Schluesseltext schluessel = fund ? fund->schluessel : Schluesseltext(satzart, z.Text(8));
  const std::string_view textnr = schluessel.Ansicht().substr(1);
  if (!Gehoert(ns, lz, schluessel)) return SatzEndeMitSchluessel(lz, z, satzart, schluessel);
  if (ns.LangtextNr.empty()) {
    VerarbeitungskzBeginnen(ns, Kennzeichenzeichen(Kennzeichen(lz.Eingabezeile)));
    // A text without number is held as a blank number, so that the next record's reset still
    // clears its rows (the long-text rows are cleared only while a number is held).
    FeldZuweisen(ns.LangtextNr, textnr.empty() ? std::string_view(" ") : textnr);
  }
  ns.LangtextArt = satzart == 'T' ? 1 : 2;
  z.Ueberspringen(7);
  z.Ueberspringen(2);
  z.Ueberspringen(9);
  LangtextzeileEintragen(ns, z.Text(40));
  const Festkomma zeile2 = z.Zahl(2);
  z.Ueberspringen(9);
  const std::string_view text2 = z.Text(40);
  if (zeile2 != 0) LangtextzeileEintragen(ns, text2);
  FeldUeberschreiben(lz.SatzSchluessel, schluessel);
  return Schritt::Weiter;
}

// The fields of a Z line from its mark on, into an empty row. The kind is set first, so that a
// number that raises an error still leaves a used row, which the next reset empties; other
// marks leave the row free.
void StaffelLesen(Staffelzeile& s, Felder& z, std::string_view marke) {
  if (marke == "1" || marke == "2") {
    s.StaffelArt = 1;
    s.StaffelBasismerker = z.Kurzzahl(1);
    FeldZuweisen(s.StaffelBasistext1, z.Text(28));
    s.StaffelBasistext2 = s.StaffelBasistext1;
    if (marke == "1") {
      s.StaffelMerker = z.Kurzzahl(1);
      s.StaffelZuAbArt = 1;
      s.StaffelVorzeichen = "+";
    } else {
      s.StaffelMerker = 1;
      ZuAbCode(z.Kurzzahl(1), s.StaffelZuAbArt, s.StaffelVorzeichen);
    }
    s.StaffelPreis = z.Zahl(8, 100);
    s.VonBasis = z.Zahl(8);
    s.BisBasis = z.Zahl(8);
    s.StaffelEndeA = 999;
    s.StaffelEndeB = 999;
  } else if (marke == "3" || marke == "6") {
    s.StaffelArt = 2;
    FeldZuweisen(s.RohVBMerker, z.Text(2));
    ZuAbCode(z.Kurzzahl(1), s.RohVBZuAbArt, s.RohVBVorzeichen);
    // A version-4 raw-material line carries no price unit: it is the article's (999). Mark 6
    // gets the same, as a price unit of 0 would be written out as a meaningless value.
    s.RohVBEnde = 999;
    if (marke == "3") {
      s.RohVBKz = 2;
    } else {
      s.RohVBKz = z.Kurzzahl(1);
    }
    s.RohVBPreis = z.Zahl(8, 100);
    s.VonBasis = z.Zahl(6);
    s.BisBasis = z.Zahl(6);
    s.RohVBFaktor = z.Zahl(6, 1000);
    if (marke == "6") {
      s.RohVBWert5 = z.Zahl(6, 100);
      s.RohVBWert6 = z.Zahl(6, 1000);
    }
  } else if (marke == "4") {
    s.StaffelArt = 3;
    FeldZuweisen(s.RohstoffMerker, z.Text(2));
    s.RohstoffBasis = z.Zahl(6);
    s.RohstoffFaktor = z.Zahl(6, 1000);
    s.RohstoffGewicht = z.Zahl(6, 100);
    s.RohstoffWert4 = z.Zahl(6, 1000);
    s.RohstoffKz = 2;
    s.RohstoffMengenbasis = 999;
  }
}

// Z: price scales (marks 1, 2), raw-material from/to entries (3, 6), raw-material calculation (4).
Schritt ZeileZ(Neutralsatz& ns, Lesezustand& lz) {
  const Lesezustand::Schluesselfund* fund = SchluesselVorgefunden(lz, 'Z');
  Felder z = fund ? Felder(lz, MitBlank, fund->cursor) : Felder(lz, MitBlank);
  const Schluesseltext nummer = fund ? fund->schluessel : z.Nummer(15);
  if (!Gehoert(ns, lz, nummer)) return SatzEndeMitSchluessel(lz, z, 'Z', nummer);
  if (ns.ArtikelNr.empty()) ArtikelBeginnen(ns, Kennzeichen(lz.Eingabezeile), nummer);
  z.Ueberspringen(2);
  const std::string_view marke = z.Text(1);
  // Written into the first free row, which is empty; a full table drops the row, its fields
  // still read (into a row of its own).
  const int frei = FreieStaffelzeile(ns);
  if (frei >= 0) {
    StaffelLesen(ns.Staffeltabelle[static_cast<std::size_t>(frei)], z, marke);
  } else {
    Staffelzeile verworfen;
    StaffelLesen(verworfen, z, marke);
  }
  FeldUeberschreiben(lz.SatzSchluessel, ns.ArtikelNr);
  return Schritt::Weiter;
}

// The date of a C TERMIN-1 line, held as YYYYMMDD: eight digits DDMMYYYY, or six digits DDMMYY
// with the century of the header dates (years below 60 are 20xx). A date of any other form is
// not taken; the date held so far stays.
void Termin1Lesen(Neutralsatz& ns, Felder& z) {
  const std::string d = Trimmen(z.Text(8));
  if (!IstNumerisch(d)) return;
  if (d.size() == 8)
    ns.Termin1 = d.substr(4, 4) + d.substr(2, 2) + d.substr(0, 2);
  else if (d.size() == 6)
    ns.Termin1 = (d.substr(4, 2) < "60" ? "20" : "19") + d.substr(4, 2) + d.substr(2, 2) + d.substr(0, 2);
}

// C lines: the file-wide date TERMIN-1 (part of no record), material and labour data of an
// article. The fields are taken after the fill, so a date not closed by ";" keeps its last digit.
Schritt ZeileC(Neutralsatz& ns, Lesezustand& lz) {
  Felder z(lz, MitBlank);
  const Schluesseltext kz(z.Feld2());
  const Schluesseltext art = z.Nummer(15);
  if (art.Ansicht() == "TERMIN-1") {
    // The date line carries no article; its (usually empty) flag leaves the record's flag alone.
    Termin1Lesen(ns, z);
    return Schritt::Weiter;
  }
  const Schluesseltext nummer = z.Nummer(15);
  if (!Gehoert(ns, lz, nummer)) return Schritt::SatzEnde;
  // The flag is set only once the line belongs to this record, and a blank flag keeps the one
  // the article's own lines gave.
  if (!kz.empty()) FeldZuweisen(ns.Verarbeitungskz, kz);
  lz.GezeigteZeile = lz.Eingabezeile;
  // The C line keys the record by its own article number, also when it comes before the
  // article's first line: a following line of another article then starts a record of its own
  // instead of taking over this line's data.
  FeldZuweisen(lz.SatzSchluessel, nummer);
  if (art.Ansicht() == "WERKSTOFF-1") {
    ns.WerkstoffWert1 = z.Zahl(8, 1000);
    ns.WerkstoffWert2 = z.Zahl(8, 1000);
    ns.WerkstoffWert3 = z.Zahl(10, 1000);
    ns.WerkstoffWert4 = z.Zahl(10, 1000);
    ns.WerkstoffKz = z.Kurzzahl(1);
    // Lines written by earlier outputs of this program carry a fifth value (always 0) before
    // the text; when a field follows field 10, that field is the text.
    FeldZuweisen(ns.WerkstoffText, z.Text(10));
    const std::string_view danach = z.Text(10);
    if (!IstLeer(danach)) ns.WerkstoffText = danach;
  } else if (art.Ansicht() == "ARBEIT-1") {
    ns.ArbeitKz1 = z.Kurzzahl(1);
    ns.ArbeitKz2 = z.Kurzzahl(1);
    ns.ArbeitWert = z.Zahl(6, 10);
  }
  return Schritt::Weiter;
}

// ---- One-line records ----------------------------------------------------------------------

Schritt ZeileK(Neutralsatz& ns, Lesezustand& lz) {
  if (!lz.SatzSchluessel.empty()) return Schritt::SatzEnde;
  lz.GezeigteZeile = lz.Eingabezeile;
  Felder z(lz, MitSemikolon);
  FeldZuweisen(ns.Kundennummer, z.Nummer(10));
  FeldZuweisen(ns.Preispflege, z.Nummer(1));
  lz.SatzSchluessel = SchluesselKunde;
  return Schritt::Weiter;
}

Schritt ZeileS(Neutralsatz& ns, Lesezustand& lz) {
  if (!lz.SatzSchluessel.empty()) return Schritt::SatzEnde;
  lz.GezeigteZeile = lz.Eingabezeile;
  Felder z(lz, MitSemikolon);
  FeldZuweisen(ns.Hauptwarengruppe, z.Nummer(3));
  const std::string_view hauptbezeichnung = z.Text(40);
  FeldZuweisen(ns.WgNummer, z.Nummer(10));
  const std::string_view bezeichnung = z.Text(40);
  if (!ns.WgNummer.empty()) {
    // A group line carries both descriptions: each keeps its own place.
    FeldZuweisen(ns.HwgBezeichnung, hauptbezeichnung);
    FeldZuweisen(ns.WgBezeichnung, bezeichnung);
  } else {
    // A main group alone: its description, or the one of the group field when that is the
    // only one given.
    FeldZuweisen(ns.WgBezeichnung, IstLeer(bezeichnung) ? hauptbezeichnung : bezeichnung);
  }
  lz.SatzSchluessel = SchluesselWarengruppe;
  return Schritt::Weiter;
}

Schritt ZeileR(Neutralsatz& ns, Lesezustand& lz) {
  if (!lz.SatzSchluessel.empty()) return Schritt::SatzEnde;
  lz.GezeigteZeile = lz.Eingabezeile;
  Felder z(lz, MitSemikolon);
  FeldZuweisen(ns.RgNummer, z.Nummer(4));
  ns.RabattKz = z.Kurzzahl(1);
  ns.Rabatt = z.Zahl(4, ns.RabattKz == 1 ? 100 : 1000);
  // A description of blanks only is no description.
  const std::string_view bezeichnung = z.Text(40);
  FeldZuweisen(ns.RgBezeichnung, IstLeer(bezeichnung) ? std::string_view() : bezeichnung);
  lz.SatzSchluessel = SchluesselRabattgruppe;
  return Schritt::Weiter;
}

// J: one SET row per line; the lines of one SET number form one record.
Schritt ZeileJ(Neutralsatz& ns, Lesezustand& lz) {
  Felder j(lz, MitSemikolonUndBlank);
  const std::string_view feld3 = j.Text(15);
  const Schluesseltext setnr(feld3);
  if (!lz.SatzSchluessel.empty() && setnr.Ansicht() != lz.SatzSchluessel) return Schritt::SatzEnde;
  FeldZuweisen(lz.SatzSchluessel, setnr);
  FeldZuweisen(ns.Verarbeitungskz, Kennzeichen(lz.Eingabezeile));
  Setzeile s;
  s.SetNr = Gross(feld3);
  j.Ueberspringen(2);
  s.SetMerker = Gross(j.Text(1));
  FeldZuweisen(s.SetKurztext, j.Text(15));
  FeldZuweisen(s.SetBeschreibung, j.Text(28));
  s.SetAufrufmerker = j.Kurzzahl(1);
  s.SetArtikelNr = Gross(j.Text(15));
  s.SetMenge = j.Zahl(7, 1000);
  Eintragen(ns.SetTabelle, FreieSetzeile(ns), s);
  return Schritt::Weiter;
}

// One discount pair of a price row: flag and value.
void Rabattpaar(Preiszeile& p, int j, Felder& z) {
  const std::string_view kz = TrimmenAnsicht(z.Text(1));
  const std::string_view wert = TrimmenAnsicht(z.Text(4));
  // A blank flag marks the pair as not given, unless discount 1 names a discount group.
  if (kz.empty() && !(j == 1 && !wert.empty())) p.ZuAbMarke(j) = KeineAngabe;
  const std::int16_t art = AlsKurzzahl(Val(kz));
  if (art != 0) {
    p.ZuAbKz(j) = art;
    p.ZuAbWert(j) = Teilen(Val(wert), art == 2 ? 1000 : 100);
    if (j == 1) p.PRabattgruppe.clear();
  } else if (j == 1 && !wert.empty()) {
    // Flag 0 or no flag with a value: the value names a discount group instead of a discount.
    p.PZuAbKz1 = 0;
    FeldZuweisen(p.PRabattgruppe, wert);
    p.PZuAbWert1 = 0;
  }
}

// P: up to three articles per line; a blank article number ends the line's articles.
Schritt ZeileP(Neutralsatz& ns, Lesezustand& lz) {
  if (!lz.SatzSchluessel.empty()) return Schritt::SatzEnde;
  FeldZuweisen(ns.Verarbeitungskz, Kennzeichen(lz.Eingabezeile));
  Felder z(lz, MitBlank);
  for (std::size_t r = 0; r < ns.Preistabelle.size(); ++r) {
    const Schluesseltext nummer = z.Nummer(15);
    if (r > 0 && nummer.empty()) break;
    Preiszeile& p = ns.Preistabelle[r];
    p = Preiszeile{};
    FeldZuweisen(p.PArtikelNr, nummer);
    p.PPreiskz = z.Kurzzahl(1);
    p.PPreis = z.Zahl(8, 100);
    for (int j = 1; j <= 3; ++j) Rabattpaar(p, j, z);
  }
  // A blank first number still keys the record, so that the next line starts a record of its own.
  lz.SatzSchluessel = ns.Preistabelle[0].PArtikelNr.empty() ? std::string(" ") : ns.Preistabelle[0].PArtikelNr;
  return Schritt::Weiter;
}

// ---- The common loop -----------------------------------------------------------------------

// Reads lines until the handler ends the record (0) or the input is exhausted (-1). Every line
// is data, the last one included; an empty line and a line beginning with the end-of-file
// byte 0x1A are passed over.
template <typename Behandler>
std::int16_t Leseschleife(Kontext& k, Behandler behandeln) {
  Lesezustand& lz = k.lz;
  for (;;) {
    if (!NaechsteZeile(k)) return -1;
    if (IstLeer(lz.Eingabezeile) || lz.Eingabezeile[0] == Dateiende) continue;
    const char satzart = Satzart(lz.Eingabezeile);
    if (behandeln(satzart) == Schritt::SatzEnde) {
      SatzBeenden(lz);
      return 0;
    }
    if (satzart == 'A') lz.GezeigteZeile = lz.Eingabezeile;
  }
}

}  // namespace

std::int16_t Artikelleser(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Lesezustand& lz = k.lz;
  NeutralsatzLeerenAusserArtikeltexten(ns);
  bool aFelder = false, bFelder = false;
  lz.SatzSchluessel.clear();
  const std::int16_t ergebnis = Leseschleife(k, [&](char satzart) {
    switch (satzart) {
      case 'A': return ZeileA(ns, lz, aFelder);
      case 'B': return ZeileB(ns, lz, bFelder);
      case 'D': return ZeileD(ns, lz);
      case 'T':
      case 'E': return ZeileTE(ns, lz, satzart);
      case 'Z': return ZeileZ(ns, lz);
      case 'C': return ZeileC(ns, lz);
      case 'K': return ZeileK(ns, lz);
      case 'S': return ZeileS(ns, lz);
      case 'R': return ZeileR(ns, lz);
      default: return Schritt::Weiter;  // header and unknown lines
    }
  });
  ArtikeltexteLeeren(ns, ArtikelteilNur5 | (aFelder ? 0u : ArtikelteilA) | (bFelder ? 0u : ArtikelteilB));
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Artikel);
  return ergebnis;
}

std::int16_t SetLeser(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Lesezustand& lz = k.lz;
  SetTabelleLeeren(ns);
  lz.SatzSchluessel.clear();
  const std::int16_t ergebnis = Leseschleife(k, [&](char satzart) {
    switch (satzart) {
      case 'K': return ZeileK(ns, lz);
      case 'J': return ZeileJ(ns, lz);
      default: return Schritt::Weiter;
    }
  });
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Set);
  return ergebnis;
}

std::int16_t Preisleser(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Lesezustand& lz = k.lz;
  PreistabelleLeeren(ns);
  lz.SatzSchluessel.clear();
  const std::int16_t ergebnis = Leseschleife(k, [&](char satzart) {
    switch (satzart) {
      case 'V': return Schritt::Weiter;
      case 'K': return ZeileK(ns, lz);
      case 'P': return ZeileP(ns, lz);
      case 'C': {
        // Only the date is taken from a price file's C lines. A date applies to the price lines
        // after it: a price line read before it ends its record first, so that it is written
        // under the date it was read with (the next call takes the date).
        Felder z(lz, MitBlank);
        if (z.Nummer(15).Ansicht() != "TERMIN-1") return Schritt::Weiter;
        if (!lz.SatzSchluessel.empty() && lz.SatzSchluessel != SchluesselKunde) return Schritt::SatzEnde;
        Termin1Lesen(ns, z);
        return Schritt::Weiter;
      }
      default:
        ProtokollEintrag(k,
                         "in DATPREIS-Datei darf keine Satzart " + std::string(1, satzart) + Ansi(" geführt werden"));
        lz.GezeigteZeile = lz.Eingabezeile;
        return Schritt::Weiter;
    }
  });
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Preis);
  return ergebnis;
}

}  // namespace korvelan::v4
