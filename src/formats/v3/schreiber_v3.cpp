#include "formats/v3/schreiber_v3.h"

#include <optional>
#include <string>
#include <string_view>

#include "formats/zeilenausgabe.h"
#include "record/bytebloecke.h"
#include "record/festkomma.h"
#include "record/neutralsatz.h"
#include "record/text.h"

// Version 3 lines are fixed-position records of exactly 128 characters without separators.
// Positions that carry no value are either blanks or the filler character (code 0); the
// filler survives the character conversion of version-3 output, and a field consisting of
// filler reads back as "present but empty".

namespace korvelan::v3 {

namespace {

constexpr char Fueller = '\0';
constexpr std::size_t Zeilenlaenge = 128;

// A line built in place in Ausgabezeile. Every line has exactly 128 positions: they are blanks
// from the start, and each field is written over them at the cursor, so that a field needs no
// test for room and a text field no padding of its own. Nothing is written beyond position 128.
class Zeile {
 public:
  explicit Zeile(Kontext& k) : k_(k) {
    Zeilenpuffer& z = k.kz.Ausgabezeile;
    z.clear();
    anfang_ = p_ = z.Platz(Zeilenlaenge);
    for (std::size_t i = 0; i < Zeilenlaenge; i += 16) BlockSpeichern(anfang_ + i, BlockAus(' '));
  }

  std::size_t Position() const { return static_cast<std::size_t>(p_ - anfang_); }

  // Characters written as they are (the line's letters).
  void Text(std::string_view t) {
    BytesKopieren(p_, t.data(), t.size());
    p_ += t.size();
  }
  void Zeichen(char c) { *p_++ = c; }
  // n positions left blank.
  void Leer(std::size_t n) { p_ += n; }
  void Fuellen(std::size_t n, char c = Fueller) {
    BytesFuellen(p_, c, n);
    p_ += n;
  }

  // A text field of width n: the value padded with blanks or cut to n (leading blanks stay);
  // a value "@" (present but empty) fills the whole width with filler.
  void Feld(const std::string& wert, std::size_t n) {
    // "@" compared by hand: this runs for every field written.
    if (wert.size() == 1 && wert[0] == '@') return Fuellen(n);
    BytesKopieren(p_, wert.data(), wert.size() < n ? wert.size() : n);
    p_ += n;
  }

  // A one-character field taken from the first character of a text, a blank when it is empty.
  void Zeichenfeld(const std::string& wert) {
    if (wert.size() == 1 && wert[0] == '@')
      *p_ = Fueller;
    else if (!wert.empty())
      *p_ = wert[0];
    ++p_;
  }

  // A whole number in exactly `breite` digits with leading zeros. A value that needs more
  // positions (or a sign) would push every later field out of place and make the line longer
  // than 128, so the reader would misread this and all following records; such a value is
  // written as filler over the field's width instead, which reads back as "no value" (the
  // record check names it, see ZahlenPassen).
  void Ganzzahl(std::int64_t wert, std::size_t breite) {
    if (!StellenSchreiben(p_, wert, breite)) BytesFuellen(p_, Fueller, breite);
    p_ += breite;
  }
  // The same for a number held as text.
  void Zahl(const Zahltext& zahl, std::size_t breite) {
    if (!zahl.StellenSchreiben(p_, breite)) BytesFuellen(p_, Fueller, breite);
    p_ += breite;
  }

  // Fills the positions after the cursor with c (they are blanks otherwise) and writes the line.
  // Lines of version 3 are never counted.
  void Ausgeben(char rest = ' ') {
    if (rest != ' ') BytesFuellen(p_, rest, Zeilenlaenge - Position());
    k_.kz.Ausgabezeile.Vorruecken(Zeilenlaenge);
    ZeileAusgeben(k_, false);
  }

 private:
  Kontext& k_;
  char* anfang_;
  char* p_;
};

// ---- Number fields ---------------------------------------------------------------------------
// The value each number field holds as written, and its width: the writer writes a value that
// does not fit (PasstInStellen) as filler, and the tests of the record check at the end of this
// file name it.

constexpr std::size_t RabattStellen = 4;
constexpr std::size_t PreisStellen = 8;
constexpr std::size_t KupferbasisStellen = 3;
constexpr std::size_t KupfergewichtStellen = 6;
constexpr std::size_t SetmengeStellen = 7;
constexpr std::size_t ZuAbStellen = 4;

// Discount of an R line: hundredths for kind 1, thousandths otherwise. A multiplier of zero would
// make every price of the group zero; 1 (no change) is used.
std::int64_t Rabattwert(const Neutralsatz& ns) {
  if (ns.RabattKz == 1) return Runden(Mal(ns.Rabatt, 100));
  return Runden(Mal(ns.Rabatt == 0 ? FestkommaEins : ns.Rabatt, 1000));
}
std::int64_t Kupferbasis(const Staffelzeile& s) { return Runden(s.RohstoffBasis); }
std::int64_t Kupfergewicht(const Staffelzeile& s) { return Runden(Mal(s.RohstoffGewicht, 100)); }
std::int64_t Setmenge(const Setzeile& s) { return Runden(Mal(s.SetMenge, 1000)); }
std::int64_t Preiswert(const Preiszeile& p) { return Runden(Mal(p.PPreis, 100)); }
// Discount or surcharge j of a price row: a multiplier (kind 2) in thousandths, every other kind
// in hundredths, as the readers hold them.
std::int64_t Zuschlagswert(const Preiszeile& p, int j) {
  return Runden(Mal(p.ZuAbWert(j), p.ZuAbKz(j) == 2 ? 1000 : 100));
}
// True when discount j of a price row is written with its kind and value (group 1 of kind 0
// writes the discount group instead, a pair not given or of kind 0 writes filler).
bool ZuschlagGeschrieben(const Preiszeile& p, int j) { return !IstKeineAngabe(p.ZuAbMarke(j)) && p.ZuAbKz(j) != 0; }

// K line (customer number); empties Kundennummer afterwards.
void KZeile(Kontext& k) {
  auto& ns = k.ns;
  Zeile z(k);
  z.Text("K ");
  z.Feld(ns.Kundennummer, 10);
  z.Zeichenfeld(ns.Preispflege);
  z.Ausgeben();
  ns.Kundennummer.clear();
}

void SZeile(Kontext& k) {
  auto& ns = k.ns;
  Zeile z(k);
  z.Text("S ");
  z.Feld(ns.Hauptwarengruppe, 3);
  // A group line: the main group's description in the place of a main group's, then the group.
  if (!ns.WgNummer.empty()) {
    z.Feld(ns.HwgBezeichnung, 40);
    z.Feld(ns.WgNummer, 10);
  }
  z.Feld(ns.WgBezeichnung, 40);
  z.Ausgeben();
}

void RZeile(Kontext& k) {
  auto& ns = k.ns;
  Zeile z(k);
  z.Text("R ");
  z.Feld(ns.RgNummer, 4);
  z.Ganzzahl(ns.RabattKz, 1);
  z.Ganzzahl(Rabattwert(ns), RabattStellen);
  // The description has no width of its own here; the line is cut at 128.
  if (IstKeineAngabe(ns.RgBezeichnung)) {
    z.Fuellen(40);
  } else {
    z.Feld(ns.RgBezeichnung, Zeilenlaenge - z.Position());
  }
  z.Ausgeben();
}

// Price-unit code of the A line for a stored price unit; empty when there is none.
char Preiseinheitcode(const std::string& pe) {
  // By length first: this runs for every article.
  switch (pe.size()) {
    case 1:
      if (pe[0] == '0' || pe[0] == '1') return '0';
      break;
    case 2:
      if (TexteGleich(pe, "10")) return '1';
      break;
    case 3:
      if (TexteGleich(pe, "100")) return '2';
      break;
    case 4:
      if (TexteGleich(pe, "1000")) return '3';
      break;
    default:
      break;
  }
  return Fueller;
}

void AZeile(Kontext& k) {
  auto& ns = k.ns;
  Zeile z(k);
  z.Zeichen('A');
  z.Feld(ns.Verarbeitungskz, 1);
  z.Feld(ns.ArtikelNr, 15);
  z.Feld(ns.Textkz, 2);
  z.Feld(ns.Kurztext1, 40);
  z.Feld(ns.Kurztext2, 40);
  // A digit is written as it is (the reader takes any), an empty flag as a blank; anything else
  // ("@" among it) is filler.
  if (ns.Preiskz.empty() || ns.Preiskz == " " || PreiskennzeichenZiffer(ns.Preiskz)) {
    z.Zeichenfeld(ns.Preiskz);
  } else {
    z.Zeichen(Fueller);
  }
  z.Zeichen(Preiseinheitcode(ns.Preiseinheit));
  z.Feld(ns.Mengeneinheit, 4);
  if (IstKeineAngabe(ns.Preis)) {
    z.Fuellen(8);
  } else {
    z.Zahl(Zahltext(ns.Preis), PreisStellen);
  }
  z.Feld(ns.Rabattgruppe, 4);
  z.Feld(ns.Warenhauptgruppe, 3);
  z.Feld(ns.Langtextschluessel, 8);
  z.Ausgeben();
}

bool HatWert(const std::string& feld) { return !feld.empty() && !IstKeineAngabe(feld); }

void BZeile(Kontext& k) {
  auto& ns = k.ns;
  const Staffelzeile* cu = KupferzeileDerBZeile(ns, false);
  // The B line is also written for copper data alone: without it the copper data of an article
  // that has no match code, alternative number, catalogue page or EAN would be lost.
  if (!HatWert(ns.Matchcode) && !HatWert(ns.AlternativArtikelNr) && !HatWert(ns.EanNr) &&
      !HatWert(ns.Katalogseite) && cu == nullptr) {
    return;
  }
  Zeile z(k);
  z.Zeichen('B');
  z.Feld(ns.Verarbeitungskz, 1);
  z.Feld(ns.ArtikelNr, 15);
  z.Feld(ns.Matchcode, 15);
  z.Feld(ns.AlternativArtikelNr, 15);
  z.Feld(ns.Katalogseite, 6);
  if (cu != nullptr) {
    // Copper mark: 1 for the weight per 100 units, 2 per 1000 units.
    z.Ganzzahl(cu->RohstoffWert4 == FestkommaEins / 100 ? 1 : 2, 1);
    z.Ganzzahl(Kupferbasis(*cu), KupferbasisStellen);
    z.Ganzzahl(Kupfergewicht(*cu), KupfergewichtStellen);
  } else {
    z.Fuellen(10, '0');
  }
  z.Feld(ns.EanNr, 13);
  z.Ausgeben(Fueller);
}

// Rows written two to a line, numbered 01, 02, ... over the whole table: `kopf` opens a line,
// `reihe` adds the row numbered n. A line is written after its second row, or with the last row.
template <typename Tabelle, typename Belegt, typename Kopf, typename Reihe>
void Zeilenpaare(Kontext& k, const Tabelle& tabelle, Belegt belegt, Kopf kopf, Reihe reihe) {
  std::optional<Zeile> z;  // the line holding its first row
  int n = 0;
  for (const auto& r : tabelle) {
    if (!belegt(r)) break;
    ++n;
    const bool zweite = z.has_value();
    if (!zweite) {
      z.emplace(k);
      kopf(*z);
    }
    z->Ganzzahl(n, 2);
    reihe(*z, r);
    if (zweite) {
      z->Ausgeben(Fueller);
      z.reset();
    }
  }
  if (z) z->Ausgeben(Fueller);
}

// D lines: two dimension rows per line.
void DZeilen(Kontext& k) {
  auto& ns = k.ns;
  Zeilenpaare(
      k, ns.Dimensionstabelle, [](const Dimensionszeile& d) { return !d.DimUnterkz.empty(); },
      [&](Zeile& z) {
        z.Zeichen('D');
        z.Feld(ns.Verarbeitungskz, 1);
        z.Feld(ns.ArtikelNr, 15);
      },
      [](Zeile& z, const Dimensionszeile& d) {
        z.Zeichenfeld(d.DimUnterkz);
        z.Feld(d.DimLangtextNr, 8);
        z.Feld(d.DimText, 40);
      });
}

// T or E lines: two text rows per line.
void Langtextzeilen(Kontext& k) {
  auto& ns = k.ns;
  if (ns.LangtextNr.empty() || ns.LangtextArt == 0) return;
  const char buchstabe = ns.LangtextArt == 1 ? 'T' : 'E';
  Zeilenpaare(
      k, ns.Langtexttabelle, [](const Langtextzeile& t) { return !t.LangtextMarke.empty(); },
      [&](Zeile& z) {
        z.Zeichen(buchstabe);
        z.Feld(ns.Verarbeitungskz, 1);
        z.Feld(ns.LangtextNr, 8);
        z.Leer(7);
      },
      [](Zeile& z, const Langtextzeile& t) {
        z.Leer(9);
        z.Feld(t.LangtextZeile, 40);
      });
}

void Preisteil(Zeile& z, const Preiszeile& p) {
  z.Feld(p.PArtikelNr, 15);
  z.Ganzzahl(p.PPreiskz, 1);
  z.Ganzzahl(Preiswert(p), PreisStellen);
  for (int j = 1; j <= 3; ++j) {
    if (ZuschlagGeschrieben(p, j)) {
      z.Ganzzahl(p.ZuAbKz(j), 1);
      z.Ganzzahl(Zuschlagswert(p, j), ZuAbStellen);
    } else if (j == 1 && !IstKeineAngabe(p.PZuAbMarke1)) {
      // Kind 0 in group 1: the discount group.
      z.Ganzzahl(0, 1);
      z.Feld(p.PRabattgruppe, 4);
    } else {
      z.Fuellen(5);
    }
  }
}

}  // namespace

std::int16_t Artikelschreiber(Kontext& k) {
  return SchreiberAusfuehren(k, [&k] {
    auto& ns = k.ns;
    k.kz.Ausgabezeile.clear();
    switch (ns.Art) {
      case Satzart::Kunde: return KZeile(k);
      case Satzart::Warengruppe: return SZeile(k);
      case Satzart::Rabattgruppe: return RZeile(k);
      case Satzart::Loeschen: {
        // A delete line ("AL") ends after the number, a renumber line ("AX") names the new number.
        Zeile z(k);
        const bool loeschen = TexteGleich(ns.Verarbeitungskz, "L");
        z.Text(loeschen ? "AL" : "AX");
        z.Feld(ns.ArtikelNr, 15);
        if (!loeschen) {
          z.Fuellen(2);
          z.Feld(Rechtstrimmen(ns.NeueArtikelNr), 15);
        }
        return z.Ausgeben(Fueller);
      }
      case Satzart::Artikel:
        AZeile(k);
        BZeile(k);
        DZeilen(k);
        return Langtextzeilen(k);
      default: return Langtextzeilen(k);
    }
  });
}

std::int16_t Setschreiber(Kontext& k) {
  return SchreiberAusfuehren(k, [&k] {
    auto& ns = k.ns;
    k.kz.Ausgabezeile.clear();
    if (ns.Art == Satzart::Kunde) return KZeile(k);
    // Up to four positions per J line; the head comes from the row that opens the line.
    std::optional<Zeile> z;
    int positionen = 0;
    for (const auto& s : ns.SetTabelle) {
      if (s.SetNr.empty()) break;
      if (positionen == 0) {
        z.emplace(k);
        z->Zeichen('J');
        z->Feld(ns.Verarbeitungskz, 1);
        z->Feld(s.SetNr, 15);
        z->Feld(s.SetKurztext, 15);
      }
      z->Feld(s.SetArtikelNr, 15);
      z->Ganzzahl(Setmenge(s), SetmengeStellen);
      if (++positionen == 4) {
        z->Ausgeben(Fueller);
        z.reset();
        positionen = 0;
      }
    }
    if (z) z->Ausgeben(Fueller);
  });
}

std::int16_t Preisschreiber(Kontext& k) {
  return SchreiberAusfuehren(k, [&k] {
    auto& ns = k.ns;
    k.kz.Ausgabezeile.clear();
    if (ns.Art == Satzart::Kunde) return KZeile(k);
    // Only rows with an article number are written, side by side; a table without such a row
    // writes no line. A blank first row is skipped like the others: written, it would end the
    // price table on reading and take the rows after it with it. A row whose price or discount
    // does not fit its field is left out as well: its filler price would read back as 0.
    bool benutzt[Preiszeilen];
    bool irgendeine = false;
    for (int i = 0; i < Preiszeilen; ++i) {
      benutzt[i] = !IstLeer(ns.Preistabelle[i].PArtikelNr) && PreiszeilePasst(ns.Preistabelle[i]);
      irgendeine = irgendeine || benutzt[i];
    }
    if (!irgendeine) return;
    // Version 3 knows the price flags 1 to 3 only.
    for (int i = 0; i < Preiszeilen; ++i)
      if (benutzt[i] && !PreiskennzeichenZiffer(ns.Preistabelle[i].PPreiskz)) ns.Preistabelle[i].PPreiskz = 1;
    Zeile z(k);
    z.Zeichen('P');
    z.Feld(ns.Verarbeitungskz, 1);
    for (int i = 0; i < Preiszeilen; ++i) {
      if (benutzt[i]) Preisteil(z, ns.Preistabelle[i]);
    }
    z.Ausgeben(Fueller);
  });
}

bool PreiszeilePasst(const Preiszeile& p) {
  if (!PasstInStellen(Preiswert(p), PreisStellen)) return false;
  for (int j = 1; j <= 3; ++j)
    if (ZuschlagGeschrieben(p, j) && !PasstInStellen(Zuschlagswert(p, j), ZuAbStellen)) return false;
  return true;
}

// Follows the writers: a customer record is its K line alone, a product group has no number.
bool ZahlenPassen(const Neutralsatz& ns) {
  if (!ns.Kundennummer.empty() || !ns.Hauptwarengruppe.empty() || !ns.WgNummer.empty()) return true;
  if (!ns.RgNummer.empty()) return PasstInStellen(Rabattwert(ns), RabattStellen);
  if (!IstLeer(ns.ArtikelNr) && !TexteGleich(ns.Verarbeitungskz, "L") && !TexteGleich(ns.Verarbeitungskz, "X")) {
    if (!IstKeineAngabe(ns.Preis) && !Zahltext(ns.Preis).PasstIn(PreisStellen)) return false;
    const Staffelzeile* cu = ns.Staffeltabelle[0].StaffelArt == 0 ? nullptr : KupferzeileDerBZeile(ns, false);
    if (cu != nullptr && (!PasstInStellen(Kupferbasis(*cu), KupferbasisStellen) ||
                          !PasstInStellen(Kupfergewicht(*cu), KupfergewichtStellen)))
      return false;
  }
  for (const Setzeile& s : ns.SetTabelle) {
    if (s.SetNr.empty()) break;
    if (!PasstInStellen(Setmenge(s), SetmengeStellen)) return false;
  }
  return true;
}

}  // namespace korvelan::v3
