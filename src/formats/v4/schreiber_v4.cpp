#include "formats/v4/schreiber_v4.h"

#include <string>
#include <string_view>

#include "formats/zeilenausgabe.h"
#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan::v4 {

namespace {

// Every line is built by appending to Ausgabezeile; each field is followed by ";". A neutral
// field holding "@" (present but empty) is written as an empty field, never as "@".

// The text with its trailing blanks removed, as a view into the text.
std::string_view OhneEndblanks(std::string_view t) {
  std::size_t e = t.size();
  while (e > 0 && t[e - 1] == ' ') --e;
  return t.substr(0, e);
}

// Field as stored.
void Feld(Zeilenpuffer& z, const std::string& text) { FeldAnfuegen(z, OhneKeineAngabe(text)); }

// Field right-trimmed.
void FeldRechts(Zeilenpuffer& z, const std::string& text) { FeldAnfuegen(z, OhneEndblanks(OhneKeineAngabe(text))); }

// Field cut to n characters: at most n, no trailing blanks.
void FeldGekuerzt(Zeilenpuffer& z, const std::string& text, std::size_t n) {
  FeldAnfuegen(z, OhneEndblanks(OhneKeineAngabe(text).substr(0, n)));
}

// Fixed-point value with a number pattern.
void Zahl(Zeilenpuffer& z, Festkomma wert, const Zahlmuster& muster) { ZahlfeldAnfuegen(z, wert, muster); }

// Whole number with a number pattern.
void Ganz(Zeilenpuffer& z, std::int64_t wert, const Zahlmuster& muster) { GanzfeldAnfuegen(z, wert, muster); }

// The date of the C TERMIN-1 line. Termin1 is held as YYYYMMDD and written as DDMMYYYY: its
// characters 7 and 8, 5 and 6, then 1 to 4, the date padded with blanks to eight characters
// first (a date "2025" gives "    2025").
std::string DatumFuerTermin(const std::string& termin) {
  const std::string t = Auffuellen(termin, 8);
  return t.substr(6, 2) + t.substr(4, 2) + t.substr(0, 4);
}

// C TERMIN-1 line before the first line of a record whose date differs from the one last
// written in this run.
void Termin1Schreiben(Kontext& k) {
  const std::string& termin = k.ns.Termin1;
  if (IstLeer(OhneKeineAngabe(termin))) return;
  if (k.kz.Termin1Geschrieben && k.kz.Termin1GeschriebenWert == termin) return;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  z = "C;;TERMIN-1;";
  z += DatumFuerTermin(termin);
  z += ';';
  ZeileAusgeben(k, false);
  k.kz.Termin1Geschrieben = true;
  k.kz.Termin1GeschriebenWert = termin;
}

// K line (customer number); the record is written once.
void KZeileSchreiben(Kontext& k) {
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  z = "K;;";
  Feld(z, k.ns.Kundennummer);
  Feld(z, k.ns.Preispflege);
  z += ';';
  ZeileAusgeben(k, false);
  k.ns.Kundennummer.clear();
}

void SZeileSchreiben(Kontext& k) {
  const Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  z = "S;;";
  Feld(z, ns.Hauptwarengruppe);
  if (OhneKeineAngabe(ns.WgNummer).empty()) {
    Feld(z, ns.WgBezeichnung);
    z += ";;;";
  } else {
    Feld(z, ns.HwgBezeichnung);
    Feld(z, ns.WgNummer);
    Feld(z, ns.WgBezeichnung);
    z += ';';
  }
  ZeileAusgeben(k, false);
}

void RZeileSchreiben(Kontext& k) {
  const Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  z = "R;;";
  Feld(z, ns.RgNummer);
  Ganz(z, ns.RabattKz, muster::N1);
  if (ns.RabattKz == 1) {
    Zahl(z, Mal(ns.Rabatt, 100), muster::R3N1);
  } else {
    // A multiplier of zero would price every article at nothing; it stands for "no multiplier",
    // that is 1.
    Festkomma multiplikator = ns.Rabatt == 0 ? FestkommaEins : ns.Rabatt;
    Zahl(z, Mal(multiplikator, 1000), muster::R3N1);
  }
  Feld(z, ns.RgBezeichnung);
  z += ';';
  ZeileAusgeben(k, false);
}

// "A;" flag ";" article number ";": the start of every article line.
void Artikelkopf(Zeilenpuffer& z, char satzart, const Neutralsatz& ns) {
  z.clear();
  z += satzart;
  z += ';';
  Feld(z, ns.Verarbeitungskz);
  FeldRechts(z, ns.ArtikelNr);
}

// artikelkopf takes the line's head, which the article's further lines begin with.
void AZeileSchreiben(Kontext& k, Zeilenanfang& artikelkopf) {
  const Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  Artikelkopf(z, 'A', ns);
  artikelkopf.Merken();

  // Text flag and short texts. Without a text flag the flag field stays empty, but the short
  // texts are still written: they are the article's name and must not be lost.
  if (!IstKeineAngabe(ns.Textkz) && !ns.Textkz.empty()) {
    z += TrimmenAnsicht(ns.Textkz);
  }
  z += ';';
  Feld(z, ns.Kurztext1);
  Feld(z, ns.Kurztext2);

  const Zahltext preis(ns.Preis);
  const bool hatPreis = !preis.IstNull();

  // A digit is written as it is: the reader takes any, and a flag of version 4 stays as it was.
  if (PreiskennzeichenZiffer(ns.Preiskz)) {
    z += ns.Preiskz;
  } else if (!IstKeineAngabe(ns.Preiskz) && hatPreis) {
    z += '1';
  }
  z += ';';

  const std::string& pe = ns.Preiseinheit;
  if (TexteGleich(pe, "0") || TexteGleich(pe, "1")) {
    z += '0';
  } else if (TexteGleich(pe, "10")) {
    z += '1';
  } else if (TexteGleich(pe, "100")) {
    z += '2';
  } else if (TexteGleich(pe, "1000")) {
    z += '3';
  } else if (!IstKeineAngabe(pe) && hatPreis) {
    z += '0';
  }
  z += ';';

  Feld(z, ns.Mengeneinheit);

  if (!IstKeineAngabe(ns.Preis)) {
    if (hatPreis) {
      z.Vorruecken(preis.Schreiben(z.Platz(muster::R7N1.Hoechstlaenge()), muster::R7N1));
    } else if (TexteGleich(ns.Verarbeitungskz, "N")) {
      z += '0';
    }
  }
  z += ';';

  Feld(z, ns.Rabattgruppe);
  Feld(z, ns.Warenhauptgruppe);
  // The key of the text's T lines, which have 8 characters.
  FeldGekuerzt(z, ns.Langtextschluessel, 8);
  ZeileAusgeben(k, false);
}

void BZeileSchreiben(Kontext& k, Zeilenanfang& artikelkopf, const Staffelzeile* kupfer) {
  Neutralsatz& ns = k.ns;
  // A field holding "@" counts as present here: the line that carried it existed. Copper data
  // alone make a B line as well.
  if (ns.Matchcode.empty() && ns.AlternativArtikelNr.empty() && ns.EanNr.empty() && ns.Katalogseite.empty() &&
      ns.Anbindungsnummer.empty() && ns.Warengruppe.empty() && ns.ReferenzKuerzel.empty() &&
      ns.ReferenzNr.empty() && ns.Kostenart.empty() && kupfer == nullptr)
    return;
  Zeilenpuffer& z = artikelkopf.Wiederholen('B');
  Feld(z, ns.Matchcode);
  Feld(z, ns.AlternativArtikelNr);
  Feld(z, ns.Katalogseite);
  if (kupfer != nullptr) {
    Ganz(z, kupfer->RohstoffMengenbasis == 100 ? 1 : 2, muster::N1);
    Zahl(z, kupfer->RohstoffBasis, muster::N3);
    Zahl(z, Mal(kupfer->RohstoffGewicht, 100), muster::N6);
  } else {
    z += "0;;;";  // no copper data on this line
  }
  Feld(z, ns.EanNr);
  Feld(z, ns.Anbindungsnummer);
  Feld(z, ns.Warengruppe);
  ZahltextfeldAnfuegen(z, Zahltext(ns.Kostenart), muster::R2);
  // Packing quantity: a zero, or none in the record, means 1; a field the input line gave empty
  // ("@") stays empty.
  const Zahltext menge(ns.Verpackungsmenge);
  if (!menge.IstNull()) {
    ZahltextfeldAnfuegen(z, menge, muster::R4N1);
  } else if (IstKeineAngabe(ns.Verpackungsmenge)) {
    z += ';';
  } else {
    ns.Verpackungsmenge = "1";
    z += "1;";
  }
  Feld(z, ns.ReferenzKuerzel);
  Feld(z, ns.ReferenzNr);
  ZeileAusgeben(k, false);
}

// D lines, two dimension rows per line.
void DZeilenSchreiben(Kontext& k, Zeilenanfang& artikelkopf) {
  const Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  bool gehalten = false;
  for (int i = 0; i < Tabellenzeilen; ++i) {
    const Dimensionszeile& d = ns.Dimensionstabelle[i];
    if (d.DimUnterkz.empty()) break;
    if (!gehalten) artikelkopf.Wiederholen('D');
    Ganz(z, i + 1, muster::R1N1);
    const std::string_view unterkz = OhneKeineAngabe(d.DimUnterkz);
    FeldAnfuegen(z, unterkz.empty() ? std::string_view(" ") : unterkz.substr(0, 1));
    FeldGekuerzt(z, d.DimLangtextNr, 8);
    FeldGekuerzt(z, d.DimText, 40);
    if (gehalten) ZeileAusgeben(k, false);
    gehalten = !gehalten;
  }
  if (gehalten) {
    z += ";;;;";
    ZeileAusgeben(k, false);
  }
}

// Version-4 surcharge code from sign and surcharge kind; any other combination keeps the code
// of the previous row of the record.
void ZuAbCodeSetzen(std::int16_t& code, const std::string& vorzeichen, std::int16_t art) {
  std::string_view v = OhneEndblanks(vorzeichen);
  while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
  if (art == 2) {
    if (v == "+") code = 3;
    if (v == "-") code = 4;
  } else if (art == 3) {
    if (v == "+") code = 1;
    if (v == "-") code = 2;
  }
}

// Z lines: price scales, surcharges and raw-material data. The line number counts every row
// examined, whether or not it produced a line; the copper row of the B line (kupfer) is no Z row.
void ZZeilenSchreiben(Kontext& k, Zeilenanfang& artikelkopf, const Staffelzeile* kupfer) {
  const Neutralsatz& ns = k.ns;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  std::int16_t zuAbCode = 0;
  int nummer = 0;
  for (int i = 0; i < Tabellenzeilen; ++i) {
    const Staffelzeile& s = ns.Staffeltabelle[i];
    if (s.StaffelArt == 0) break;
    if (&s == kupfer) continue;
    ++nummer;
    bool zeile = true;
    auto kopf = [&](char marke) {
      artikelkopf.Wiederholen('Z');
      Ganz(z, nummer, muster::R1N1);
      z += marke;
      z += ';';
    };
    if (s.StaffelArt == 1 && s.StaffelZuAbArt == 1) {
      kopf('1');
      Ganz(z, s.StaffelBasismerker, muster::N1);
      FeldRechts(z, s.StaffelBasistext1);
      Ganz(z, s.StaffelMerker, muster::N1);
      Zahl(z, Mal(s.StaffelPreis, 100), muster::R7N1);
      Zahl(z, s.VonBasis, muster::R7N1);
      Zahl(z, s.BisBasis, muster::R7N1);
    } else if (s.StaffelArt == 1 && s.StaffelZuAbArt > 1) {
      ZuAbCodeSetzen(zuAbCode, s.StaffelVorzeichen, s.StaffelZuAbArt);
      kopf('2');
      Ganz(z, s.StaffelBasismerker, muster::N1);
      FeldRechts(z, s.StaffelBasistext1);
      Ganz(z, zuAbCode, muster::N1);
      Zahl(z, Mal(s.StaffelPreis, 100), muster::R7N1);
      Zahl(z, s.VonBasis, muster::R7N1);
      Zahl(z, s.BisBasis, muster::R7N1);
    } else if (s.StaffelArt == 2 && s.RohVBKz == 2) {
      ZuAbCodeSetzen(zuAbCode, s.RohVBVorzeichen, s.RohVBZuAbArt);
      kopf('3');
      Feld(z, s.RohVBMerker);
      Ganz(z, zuAbCode, muster::N1);
      Zahl(z, Mal(s.RohVBPreis, 100), muster::R7N1);
      Zahl(z, s.VonBasis, muster::R7N1);
      Zahl(z, s.BisBasis, muster::R7N1);
      Zahl(z, Mal(s.RohVBFaktor, 1000), muster::R5N1);
    } else if (s.StaffelArt == 2 && s.RohVBKz == 1) {
      ZuAbCodeSetzen(zuAbCode, s.RohVBVorzeichen, s.RohVBZuAbArt);
      kopf('6');
      Feld(z, s.RohVBMerker);
      Ganz(z, zuAbCode, muster::N1);
      Ganz(z, s.RohVBKz, muster::N1);
      Zahl(z, Mal(s.RohVBPreis, 100), muster::R7N1);
      Zahl(z, s.VonBasis, muster::R7N1);
      Zahl(z, s.BisBasis, muster::R7N1);
      Zahl(z, Mal(s.RohVBFaktor, 1000), muster::R5N1);
      Zahl(z, Mal(s.RohVBWert5, 100), muster::R5N1);
      Zahl(z, Mal(s.RohVBWert6, 1000), muster::R5N1);
    } else if (s.StaffelArt == 3) {
      kopf('4');
      Feld(z, s.RohstoffMerker);
      Zahl(z, s.RohstoffBasis, muster::R5N1);
      Zahl(z, Mal(s.RohstoffFaktor, 1000), muster::R5N1);
      Zahl(z, Mal(s.RohstoffGewicht, 100), muster::R5N1);
      Zahl(z, Mal(s.RohstoffWert4, 1000), muster::R5N1);
    } else {
      zeile = false;
    }
    if (zeile) ZeileAusgeben(k, false);
  }
}

void WerkstoffZeileSchreiben(Kontext& k) {
  const Neutralsatz& ns = k.ns;
  if (IstLeer(OhneKeineAngabe(ns.WerkstoffText)) && ns.WerkstoffWert1 == 0 && ns.WerkstoffWert2 == 0 &&
      ns.WerkstoffWert3 == 0 && ns.WerkstoffWert4 == 0 && ns.WerkstoffKz == 0 && ns.WerkstoffWert5 == 0)
    return;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  z = "C;";
  Feld(z, ns.Verarbeitungskz);
  z += "WERKSTOFF-1;";
  FeldRechts(z, ns.ArtikelNr);
  Zahl(z, Mal(ns.WerkstoffWert1, 1000), muster::R7N1);
  Zahl(z, Mal(ns.WerkstoffWert2, 1000), muster::R7N1);
  Zahl(z, Mal(ns.WerkstoffWert3, 1000), muster::R7N1);
  Zahl(z, Mal(ns.WerkstoffWert4, 1000), muster::R7N1);
  Ganz(z, ns.WerkstoffKz, muster::N1);
  // The text is field 10, where the readers take it; no reader fills a fifth value.
  FeldRechts(z, ns.WerkstoffText);
  ZeileAusgeben(k, false);
}

void ArbeitZeileSchreiben(Kontext& k) {
  const Neutralsatz& ns = k.ns;
  if (ns.ArbeitWert == 0) return;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  z = "C;";
  Feld(z, ns.Verarbeitungskz);
  z += "ARBEIT-1;";
  FeldRechts(z, ns.ArtikelNr);
  Ganz(z, ns.ArbeitKz1, muster::N1);
  Ganz(z, ns.ArbeitKz2, muster::N1);
  Zahl(z, Mal(ns.ArbeitWert, 10), muster::R6N1);
  ZeileAusgeben(k, false);
}

// T lines (LangtextArt 1) or E lines (insert text), two text rows per line.
void LangtextZeilenSchreiben(Kontext& k) {
  const Neutralsatz& ns = k.ns;
  if (IstLeer(ns.LangtextNr) || ns.LangtextArt == 0) return;
  Zeilenpuffer& z = k.kz.Ausgabezeile;
  const char satzart = ns.LangtextArt == 1 ? 'T' : 'E';
  Zeilenanfang kopf(z);
  bool gehalten = false;
  for (int i = 0; i < Tabellenzeilen; ++i) {
    const Langtextzeile& l = ns.Langtexttabelle[i];
    if (l.LangtextMarke.empty()) break;
    if (i == 0) {
      z.clear();
      z += satzart;
      z += ';';
      Feld(z, ns.Verarbeitungskz);
      FeldGekuerzt(z, ns.LangtextNr, 8);
      z += ';';
      kopf.Merken();
    }
    if (!gehalten) kopf.Wiederholen();
    Ganz(z, i + 1, muster::R1N1);
    z += ';';
    FeldGekuerzt(z, l.LangtextZeile, 40);
    if (gehalten) ZeileAusgeben(k, false);
    gehalten = !gehalten;
  }
  if (gehalten) {
    z += ";;;";
    ZeileAusgeben(k, false);
  }
}

// Value of a discount or surcharge of a P line by its kind: a multiplier (2) in thousandths,
// every other kind in hundredths, as the readers hold them.
void ZuAbWert(Zeilenpuffer& z, std::int16_t art, Festkomma wert) {
  Zahl(z, Mal(wert, art == 2 ? 1000 : 100), muster::R4);
}

}  // namespace

std::int16_t Artikelschreiber(Kontext& k) {
  return SchreiberAusfuehren(k, [&] {
    Neutralsatz& ns = k.ns;
    Zeilenpuffer& z = k.kz.Ausgabezeile;
    z.clear();
    Termin1Schreiben(k);
    switch (ns.Art) {
      case Satzart::Kunde: return KZeileSchreiben(k);
      case Satzart::Warengruppe: return SZeileSchreiben(k);
      case Satzart::Rabattgruppe: return RZeileSchreiben(k);
      case Satzart::Loeschen:
        // A delete line ("L") ends after the number, a renumber line ("X") names the new number.
        Artikelkopf(z, 'A', ns);
        if (TexteGleich(ns.Verarbeitungskz, "L")) {
          z += ";;;;;;;;;;";
        } else {
          z += ';';
          FeldRechts(z, ns.NeueArtikelNr);
          z += ";;;;;;;;";
        }
        return ZeileAusgeben(k, false);
      case Satzart::Artikel: {
        // The A, B, D and Z lines follow each other and share their head.
        Zeilenanfang kopf(z);
        AZeileSchreiben(k, kopf);
        const Staffelzeile* kupfer = KupferzeileDerBZeile(ns, true);
        BZeileSchreiben(k, kopf, kupfer);
        DZeilenSchreiben(k, kopf);
        ZZeilenSchreiben(k, kopf, kupfer);
        WerkstoffZeileSchreiben(k);
        ArbeitZeileSchreiben(k);
        return LangtextZeilenSchreiben(k);
      }
      default: return LangtextZeilenSchreiben(k);
    }
  });
}

std::int16_t Setschreiber(Kontext& k) {
  return SchreiberAusfuehren(k, [&] {
    const Neutralsatz& ns = k.ns;
    Zeilenpuffer& z = k.kz.Ausgabezeile;
    z.clear();
    if (ns.Art == Satzart::Kunde) return KZeileSchreiben(k);
    for (int i = 0; i < Tabellenzeilen; ++i) {
      const Setzeile& s = ns.SetTabelle[i];
      if (s.SetNr.empty()) break;
      z = "J;";
      Feld(z, ns.Verarbeitungskz);
      FeldGekuerzt(z, s.SetNr, 15);
      Ganz(z, i + 1, muster::R1N1);
      Feld(z, s.SetMerker);
      if (SetTexteSchreiben(ns, i)) {
        FeldGekuerzt(z, s.SetKurztext, 15);
        FeldGekuerzt(z, s.SetBeschreibung, 28);
      } else {
        z += ";;";
      }
      if (s.SetAufrufmerker >= 1 && s.SetAufrufmerker <= 4) {
        Ganz(z, s.SetAufrufmerker, muster::N1);
        FeldGekuerzt(z, s.SetArtikelNr, 15);
        Zahl(z, Mal(s.SetMenge, 1000), muster::R6N1);
      } else {
        z += ";;;";
      }
      ZeileAusgeben(k, false);
    }
  });
}

std::int16_t Preisschreiber(Kontext& k) {
  return SchreiberAusfuehren(k, [&] {
    Neutralsatz& ns = k.ns;
    Zeilenpuffer& z = k.kz.Ausgabezeile;
    z.clear();
    Termin1Schreiben(k);
    if (ns.Art == Satzart::Kunde) return KZeileSchreiben(k);
    bool belegt = false;
    for (const Preiszeile& p : ns.Preistabelle) belegt = belegt || !IstLeer(p.PArtikelNr);
    if (!belegt) return;  // a record without rows writes no bare "P;" line

    z = "P;";
    Feld(z, ns.Verarbeitungskz);
    for (Preiszeile& p : ns.Preistabelle) {
      if (IstLeer(p.PArtikelNr)) continue;
      if (!PreiskennzeichenZiffer(p.PPreiskz)) p.PPreiskz = 1;
      FeldGekuerzt(z, p.PArtikelNr, 15);
      Ganz(z, p.PPreiskz, muster::R1);
      Zahl(z, Mal(p.PPreis, 100), muster::R8);
      if (IstKeineAngabe(p.PZuAbMarke1)) {
        z += ";;";
      } else {
        Ganz(z, p.PZuAbKz1, muster::N1);
        if (p.PZuAbKz1 == 0) {
          FeldGekuerzt(z, p.PRabattgruppe, 4);
        } else {
          ZuAbWert(z, p.PZuAbKz1, p.PZuAbWert1);
        }
      }
      for (int j = 2; j <= 3; ++j) {
        if (!IstKeineAngabe(p.ZuAbMarke(j)) && p.ZuAbKz(j) != 0) {
          Ganz(z, p.ZuAbKz(j), muster::R1);
          ZuAbWert(z, p.ZuAbKz(j), p.ZuAbWert(j));
        } else {
          z += ";;";
        }
      }
    }
    ZeileAusgeben(k, false);
  });
}

}  // namespace korvelan::v4
