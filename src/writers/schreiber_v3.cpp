#include "writers/schreiber_v3.h"

#include <string>
#include <string_view>

#include "record/festkomma.h"
#include "record/neutralsatz.h"
#include "record/text.h"
#include "writers/zeilenausgabe.h"

// Version 3 lines are fixed-position records of exactly 128 characters without separators.
// Positions that carry no value are either blanks or the filler character (code 0); the
// filler survives the character conversion of version-3 output, and a field consisting of
// filler reads back as "present but empty".

namespace korvelan::v3 {

namespace {

constexpr char Fueller = '\0';
constexpr std::size_t Zeilenlaenge = 128;

// A text field of width n: the value padded with blanks or cut to n (leading blanks stay);
// a value "@" (present but empty) fills the whole width with filler.
void Feld(Zeilenpuffer& z, const std::string& wert, std::size_t n) {
  char* p = z.Platz(n);
  z.Vorruecken(n);
  // "@" compared by hand: this runs for every field written.
  if (wert.size() == 1 && wert[0] == '@') {
    BytesFuellen(p, Fueller, n);
    return;
  }
  const std::size_t l = wert.size() < n ? wert.size() : n;
  BytesKopieren(p, wert.data(), l);
  BytesFuellen(p + l, ' ', n - l);
}

// A one-character field taken from the first character of a text, a blank when it is empty.
void Zeichenfeld(Zeilenpuffer& z, const std::string& wert) {
  if (wert.size() == 1 && wert[0] == '@') {
    z += Fueller;
  } else {
    z += wert.empty() ? ' ' : wert[0];
  }
}

// A number written with a pattern of "0"s into exactly as many positions. A value that needs
// more positions (or a sign) would push every later field out of place and make the line longer
// than 128, so the reader would misread this and all following records; such a value is
// written as filler over the field's width instead, which reads back as "no value".
// The number is formatted straight into the line and replaced by filler when its width is wrong.
void Zahlfeld(Zeilenpuffer& z, std::size_t anfang, std::size_t breite) {
  if (z.size() - anfang != breite) {
    z.resize(anfang);
    z.append(breite, Fueller);
  }
}
// The patterns here consist of "0" only: the width is their count.
void Zahl(Zeilenpuffer& z, Festkomma wert, const Zahlmuster& muster) {
  const std::size_t anfang = z.size();
  FormatiertAnfuegen(z, wert, muster);
  Zahlfeld(z, anfang, static_cast<std::size_t>(muster.ganzNullen));
}
void Ganzzahl(Zeilenpuffer& z, std::int64_t wert, const Zahlmuster& muster) {
  const std::size_t anfang = z.size();
  GanzFormatiertAnfuegen(z, wert, muster);
  Zahlfeld(z, anfang, static_cast<std::size_t>(muster.ganzNullen));
}

// Brings a line to 128 characters: appends the fill character, cuts what is beyond.
void Abschliessen(Zeilenpuffer& z, char fuellung) {
  if (z.size() < Zeilenlaenge) {
    z.append(Zeilenlaenge - z.size(), fuellung);
  } else {
    z.resize(Zeilenlaenge);
  }
}

// Starts a new line in Ausgabezeile, keeping its buffer.
Zeilenpuffer& NeueZeile(Kontext& k) {
  k.kz.Ausgabezeile.clear();
  return k.kz.Ausgabezeile;
}

// Lines of version 3 are never counted.
void Ausgeben(Kontext& k) { ZeileAusgeben(k, false); }

// K line (customer number); empties Kundennummer afterwards.
void KZeile(Kontext& k) {
  auto& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += "K ";
  Feld(z, ns.Kundennummer, 10);
  Zeichenfeld(z, ns.Preispflege);
  Abschliessen(z, ' ');
  Ausgeben(k);
  ns.Kundennummer.clear();
}

void SZeile(Kontext& k) {
  auto& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += "S ";
  Feld(z, ns.Hauptwarengruppe, 3);
  if (!ns.WgNummer.empty()) {
    z.append(40, ' ');
    Feld(z, ns.WgNummer, 10);
  }
  Feld(z, ns.WgBezeichnung, 40);
  Abschliessen(z, ' ');
  Ausgeben(k);
}

void RZeile(Kontext& k) {
  auto& ns = k.ns;
  std::int64_t faktor = 100;
  Festkomma rabatt = ns.Rabatt;
  if (ns.RabattKz != 1) {
    faktor = 1000;
    // A multiplier of zero would make every price of the group zero; 1 (no change) is used.
    if (rabatt == 0) rabatt = FestkommaEins;
  }
  Zeilenpuffer& z = NeueZeile(k);
  z += "R ";
  Feld(z, ns.RgNummer, 4);
  Ganzzahl(z, ns.RabattKz, muster::N1);
  Zahl(z, Mal(rabatt, faktor), muster::N4);
  // The description has no width of its own here; the line is cut at 128.
  if (ns.RgBezeichnung == KeineAngabe) {
    z.append(40, Fueller);
  } else {
    z += ns.RgBezeichnung;
  }
  Abschliessen(z, ' ');
  Ausgeben(k);
}

// Price-unit code of the A line for a stored price unit; empty when there is none.
char Preiseinheitcode(const std::string& pe) {
  if (pe == "0" || pe == "1") return '0';
  if (pe == "10") return '1';
  if (pe == "100") return '2';
  if (pe == "1000") return '3';
  return Fueller;
}

void AZeile(Kontext& k) {
  auto& ns = k.ns;
  Zeilenpuffer& z = NeueZeile(k);
  z += 'A';
  Feld(z, ns.Verarbeitungskz, 1);
  Feld(z, ns.ArtikelNr, 15);
  Feld(z, ns.Textkz, 2);
  Feld(z, ns.Kurztext1, 40);
  Feld(z, ns.Kurztext2, 40);
  // Only the price flags that sort before "4" exist in version 3 ("1", "2", "3"; empty is a blank).
  if (std::string_view(ns.Preiskz) < std::string_view("4")) {
    Zeichenfeld(z, ns.Preiskz);
  } else {
    z += Fueller;
  }
  z += Preiseinheitcode(ns.Preiseinheit);
  Feld(z, ns.Mengeneinheit, 4);
  if (ns.Preis == KeineAngabe) {
    z.append(8, Fueller);
  } else {
    Zahl(z, Val(ns.Preis), muster::N8);
  }
  Feld(z, ns.Rabattgruppe, 4);
  Feld(z, ns.Warenhauptgruppe, 3);
  Feld(z, ns.Langtextschluessel, 8);
  Ausgeben(k);
}

// The first copper row (kind 3, marker "CU") of the surcharge table, or nullptr.
const Staffelzeile* Kupferzeile(const Neutralsatz& ns) {
  for (const auto& s : ns.Staffeltabelle) {
    if (s.StaffelArt == 0) break;
    if (s.StaffelArt == 3 && s.RohstoffMerker == "CU") return &s;
  }
  return nullptr;
}

// Copper mark: 1 for the weight per 100 units, 2 per 1000 units, 0 when there is none.
int Kupfermarke(const Staffelzeile* s) {
  if (s == nullptr) return 0;
  if (s->RohstoffWert4 == FestkommaEins / 100) return 1;
  if (s->RohstoffWert4 == FestkommaEins / 1000) return 2;
  return 0;
}

bool HatWert(const std::string& feld) { return !feld.empty() && feld != KeineAngabe; }

void BZeile(Kontext& k) {
  auto& ns = k.ns;
  const Staffelzeile* cu = Kupferzeile(ns);
  const int marke = Kupfermarke(cu);
  // The B line is also written for copper data alone: without it the copper data of an article
  // that has no match code, alternative number, catalogue page or EAN would be lost.
  if (!HatWert(ns.Matchcode) && !HatWert(ns.AlternativArtikelNr) && !HatWert(ns.EanNr) &&
      !HatWert(ns.Katalogseite) && marke == 0) {
    return;
  }
  Zeilenpuffer& z = NeueZeile(k);
  z += 'B';
  Feld(z, ns.Verarbeitungskz, 1);
  Feld(z, ns.ArtikelNr, 15);
  Feld(z, ns.Matchcode, 15);
  Feld(z, ns.AlternativArtikelNr, 15);
  Feld(z, ns.Katalogseite, 6);
  if (marke != 0) {
    Ganzzahl(z, marke, muster::N1);
    Zahl(z, cu->RohstoffBasis, muster::N3);
    Zahl(z, Mal(cu->RohstoffGewicht, 100), muster::N6);
  } else {
    z.append(10, '0');
  }
  Feld(z, ns.EanNr, 13);
  z.append(52, Fueller);
  Ausgeben(k);
}

// D lines: two dimension rows per line, numbered 01, 02, ... over the whole article.
void DZeilen(Kontext& k) {
  auto& ns = k.ns;
  bool gehalten = false;
  int n = 0;
  for (const auto& d : ns.Dimensionstabelle) {
    if (d.DimUnterkz.empty()) break;
    ++n;
    Zeilenpuffer& z = k.kz.Ausgabezeile;
    if (!gehalten) {
      z.clear();
      z += 'D';
      Feld(z, ns.Verarbeitungskz, 1);
      Feld(z, ns.ArtikelNr, 15);
    }
    Ganzzahl(z, n, muster::N2);
    Zeichenfeld(z, d.DimUnterkz);
    Feld(z, d.DimLangtextNr, 8);
    Feld(z, d.DimText, 40);
    if (gehalten) {
      z.append(9, Fueller);
      Ausgeben(k);
    }
    gehalten = !gehalten;
  }
  if (gehalten) {
    k.kz.Ausgabezeile.append(60, Fueller);
    Ausgeben(k);
  }
}

// T or E lines: two text rows per line, numbered 01, 02, ...
void Langtextzeilen(Kontext& k) {
  auto& ns = k.ns;
  if (ns.LangtextNr.empty() || ns.LangtextArt == 0) return;
  const char buchstabe = ns.LangtextArt == 1 ? 'T' : 'E';
  bool gehalten = false;
  int n = 0;
  for (const auto& t : ns.Langtexttabelle) {
    if (t.LangtextMarke.empty()) break;
    ++n;
    Zeilenpuffer& z = k.kz.Ausgabezeile;
    if (!gehalten) {
      z.clear();
      z += buchstabe;
      Feld(z, ns.Verarbeitungskz, 1);
      Feld(z, ns.LangtextNr, 8);
      z.append(7, ' ');
    }
    Ganzzahl(z, n, muster::N2);
    z.append(9, ' ');
    Feld(z, t.LangtextZeile, 40);
    if (gehalten) {
      z.append(9, Fueller);
      Ausgeben(k);
    }
    gehalten = !gehalten;
  }
  if (gehalten) {
    k.kz.Ausgabezeile.append(60, Fueller);
    Ausgeben(k);
  }
}

// Discount or surcharge value of a P line group by its kind.
void Zuschlagswert(Zeilenpuffer& z, std::int16_t art, Festkomma wert) {
  switch (art) {
    case 1:
    case 3:
      Zahl(z, Mal(wert, 100), muster::N4);
      break;
    case 2:
      Zahl(z, Mal(wert, 1000), muster::N4);
      break;
    default:
      // Kinds outside 0 to 3 carry no value; the positions stay filled.
      z.append(4, Fueller);
      break;
  }
}

void Preisteil(Zeilenpuffer& z, Preiszeile& p) {
  Feld(z, p.PArtikelNr, 15);
  Ganzzahl(z, p.PPreiskz, muster::N1);
  Zahl(z, Mal(p.PPreis, 100), muster::N8);
  if (p.PZuAbMarke1 == KeineAngabe) {
    z.append(5, Fueller);
  } else {
    Ganzzahl(z, p.PZuAbKz1, muster::N1);
    if (p.PZuAbKz1 == 0) {
      Feld(z, p.PRabattgruppe, 4);
    } else {
      Zuschlagswert(z, p.PZuAbKz1, p.PZuAbWert1);
    }
  }
  for (int j = 2; j <= 3; ++j) {
    if (p.ZuAbMarke(j) == KeineAngabe || p.ZuAbKz(j) == 0) {
      z.append(5, Fueller);
    } else {
      Ganzzahl(z, p.ZuAbKz(j), muster::N1);
      Zuschlagswert(z, p.ZuAbKz(j), p.ZuAbWert(j));
    }
  }
}

}  // namespace

std::int16_t Artikelschreiber(Kontext& k, Fenster&) {
  return SchreiberAusfuehren(k, [&k] {
    auto& ns = k.ns;
    k.kz.Ausgabezeile.clear();
    if (!ns.Kundennummer.empty()) {
      KZeile(k);
      return;
    }
    if (!ns.Hauptwarengruppe.empty() || !ns.WgNummer.empty()) {
      SZeile(k);
      return;
    }
    if (!ns.RgNummer.empty()) {
      RZeile(k);
      return;
    }
    if (!IstLeer(ns.ArtikelNr)) {
      if (ns.Verarbeitungskz == "L") {
        Zeilenpuffer& z = NeueZeile(k);
        z += "AL";
        Feld(z, ns.ArtikelNr, 15);
        z.append(111, Fueller);
        Ausgeben(k);
        return;
      }
      if (ns.Verarbeitungskz == "X") {
        Zeilenpuffer& z = NeueZeile(k);
        z += "AX";
        Feld(z, ns.ArtikelNr, 15);
        z.append(2, Fueller);
        Feld(z, Rechtstrimmen(ns.NeueArtikelNr), 15);
        z.append(94, Fueller);
        Ausgeben(k);
        return;
      }
      AZeile(k);
      BZeile(k);
      DZeilen(k);
    }
    Langtextzeilen(k);
  });
}

std::int16_t Setschreiber(Kontext& k, Fenster&) {
  return SchreiberAusfuehren(k, [&k] {
    auto& ns = k.ns;
    k.kz.Ausgabezeile.clear();
    if (!ns.Kundennummer.empty()) {
      KZeile(k);
      return;
    }
    // Up to four positions per J line; the head comes from the row that opens the line.
    int positionen = 0;
    for (const auto& s : ns.SetTabelle) {
      if (s.SetNr.empty()) break;
      Zeilenpuffer& z = k.kz.Ausgabezeile;
      if (positionen == 0) {
        z.clear();
        z += 'J';
        Feld(z, ns.Verarbeitungskz, 1);
        Feld(z, s.SetNr, 15);
        Feld(z, s.SetKurztext, 15);
      }
      Feld(z, s.SetArtikelNr, 15);
      Zahl(z, Mal(s.SetMenge, 1000), muster::N7);
      if (++positionen == 4) {
        Abschliessen(z, Fueller);
        Ausgeben(k);
        positionen = 0;
      }
    }
    if (positionen > 0) {
      Abschliessen(k.kz.Ausgabezeile, Fueller);
      Ausgeben(k);
    }
  });
}

std::int16_t Preisschreiber(Kontext& k, Fenster&) {
  return SchreiberAusfuehren(k, [&k] {
    auto& ns = k.ns;
    k.kz.Ausgabezeile.clear();
    if (!ns.Kundennummer.empty()) {
      KZeile(k);
      return;
    }
    // Only rows with an article number are written, side by side; a table without such a row
    // writes no line. A blank first row is skipped like the others: written, it would end the
    // price table on reading and take the rows after it with it.
    bool benutzt[Preiszeilen];
    bool irgendeine = false;
    for (int i = 0; i < Preiszeilen; ++i) {
      benutzt[i] = !IstLeer(ns.Preistabelle[i].PArtikelNr);
      irgendeine = irgendeine || benutzt[i];
    }
    if (!irgendeine) return;
    // Version 3 knows the price flags 1 to 3 only.
    if (benutzt[0] && ns.Preistabelle[0].PPreiskz > 3) ns.Preistabelle[0].PPreiskz = 1;
    Zeilenpuffer& z = NeueZeile(k);
    z += 'P';
    Feld(z, ns.Verarbeitungskz, 1);
    for (int i = 0; i < Preiszeilen; ++i) {
      if (benutzt[i]) Preisteil(z, ns.Preistabelle[i]);
    }
    Abschliessen(z, Fueller);
    Ausgeben(k);
  });
}

}  // namespace korvelan::v3
