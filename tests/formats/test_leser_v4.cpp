#include <gtest/gtest.h>

#include <vector>

#include "control/skriptfenster.h"
#include "formats/v4/leser_v4.h"
#include "formats/v4/schreiber_v4.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const std::string Kopf = "V 010125Testdaten" + std::string(104, ' ') + "04EUR";

constexpr Festkomma E = FestkommaEins;

// Reads a whole input with one reader and keeps every record it returned.
struct Leselauf {
  void Lesen(Lesefunktion leser, const std::string& inhalt) {
    EingabeOeffnen(k, v, inhalt);
    Alle(leser);
  }
  void DateiLesen(Lesefunktion leser, const std::string& pfad) {
    ASSERT_TRUE(k.kz.EingabeDateiNr.Oeffnen(pfad));
    Alle(leser);
  }
  void Alle(Lesefunktion leser) {
    for (int i = 0; i < 10000; ++i) {
      std::int16_t rc = leser(k);
      ergebnisse.push_back(rc);
      saetze.push_back(k.ns);
      zustaende.push_back(k.lz);
      schluessel.push_back(std::string(std::string_view(k.lz.GezeigterSchluessel)));
      if (rc == -1) return;
    }
    FAIL() << "reader never reported the end of the input";
  }
  // The record with the given article number (the first one).
  const Neutralsatz& Artikel(const std::string& nr) {
    for (const auto& s : saetze)
      if (s.ArtikelNr == nr) return s;
    ADD_FAILURE() << "no record for " << nr;
    return saetze.front();
  }

  TempVerzeichnis v;
  Kontext k;
  std::vector<std::int16_t> ergebnisse;
  std::vector<Lesezustand> zustaende;  // the reader's state after each call
  std::vector<Neutralsatz> saetze;
  std::vector<std::string> schluessel;
};

class LeserV4 : public ::testing::Test, public Leselauf {};

}  // namespace

// ---- Record loop and grouping --------------------------------------------------------------

TEST_F(LeserV4, ZeilenEinesArtikelsBildenEinenSatzDieFolgezeileBleibtVorgelesen) {
  Lesen(v4::Artikelleser, Zeilen({Kopf, "A;N;4711;00;Schraube;;1;0;Stk;1990;;;;", "", "b;n; 4711 ;SCHRAUBE;;;0;;;;;;;;;;",
                                  "A;A;4712;00;Mutter;;1;0;Stk;500;;;;"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, -1}));
  const Neutralsatz& a = saetze[0];
  EXPECT_EQ(a.ArtikelNr, "4711");
  EXPECT_EQ(a.Verarbeitungskz, "N");
  EXPECT_EQ(a.Kurztext1, "Schraube");
  EXPECT_EQ(a.Matchcode, "SCHRAUBE");  // lower-case letter, padded number: same article
  EXPECT_EQ(zustaende[0].ZeileVorgelesen, -1);
  EXPECT_EQ(zustaende[0].Eingabezeile.substr(0, 8), "A;A;4712");
  EXPECT_EQ(schluessel[0], "4711");
  // The held line opens the second call; being the last line, it is data.
  EXPECT_EQ(saetze[1].ArtikelNr, "4712");
  EXPECT_EQ(saetze[1].Verarbeitungskz, "A");
  EXPECT_EQ(saetze[1].Kurztext1, "Mutter");
  EXPECT_EQ(saetze[1].Matchcode, "");  // reset between records
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigteZeile)), "A;A;4712;00;Mutter;;1;0;Stk;500;;;;");
}

TEST_F(LeserV4, LetzteZeileIstDatenNurLeereZeileUndDateiendeZeichenWerdenUebergangen) {
  {
    SCOPED_TRACE("no line end after the last line");
    Leselauf t;
    t.Lesen(v4::Artikelleser, Kopf + "\nA;N;1;00;eins;;1;0;St;1;;;;\nB;N;1;MC;;;0;;;;;;;;;;");
    ASSERT_EQ(t.ergebnisse, (std::vector<std::int16_t>{-1}));
    EXPECT_EQ(t.saetze[0].Matchcode, "MC");
  }
  {
    SCOPED_TRACE("end-of-file byte and empty lines");
    Leselauf t;
    t.Lesen(v4::Artikelleser, Zeilen({Kopf, "A;N;1;00;eins;;1;0;St;1;;;;", "", "A;N;2;00;zwei;;1;0;St;1;;;;", "\x1A", ""}));
    ASSERT_EQ(t.ergebnisse, (std::vector<std::int16_t>{0, -1}));
    EXPECT_EQ(t.saetze[1].ArtikelNr, "2");
  }
  {
    SCOPED_TRACE("header only");
    Leselauf t;
    t.Lesen(v4::Artikelleser, Zeilen({Kopf}));
    ASSERT_EQ(t.ergebnisse, (std::vector<std::int16_t>{-1}));
    EXPECT_EQ(t.zustaende[0].SatzSchluessel, "");
    EXPECT_EQ(t.zustaende[0].Eingabezeile, "");
  }
}

TEST_F(LeserV4, GemischteArtikeldateiLiefertJedenSatzBisZumLetzten) {
  DateiLesen(v4::Artikelleser, Testdaten("v4_artikel.001"));
  EXPECT_EQ(schluessel, (std::vector<std::string>{"KundennummerSatz", "Waren-Gr. Satz", "Rabatt-Gr. Satz", "TTXT1", "4711",
                                                  "XXXXXXXXXXXXXXX", "XXXXXXXXXXXXXXX", "EEIN1", "EEIN1"}));
  EXPECT_EQ(ergebnisse.back(), -1);
  ASSERT_EQ(saetze.size(), 9u);
  EXPECT_EQ(saetze[1].WgBezeichnung, "Installationsger\x84te");  // 8-bit code kept as read
  const Neutralsatz& a = saetze[4];
  EXPECT_EQ(a.Langtextschluessel, "TXT1");
  EXPECT_EQ(a.LangtextNr, "");  // the long text is a record of its own
  EXPECT_EQ(a.Staffeltabelle[0].RohstoffMerker, "CU");
  EXPECT_EQ(a.Staffeltabelle[1].StaffelBasistext1, "ab 100 St\x81" "ck");
  EXPECT_EQ(a.Dimensionstabelle[1].DimText, "DIN 912");
  EXPECT_EQ(a.WerkstoffText, "Messing");
  EXPECT_EQ(a.ArbeitWert, 125 * E / 10);
  EXPECT_EQ(saetze[5].NummerAltKz, "L");
  EXPECT_EQ(saetze[6].NeueArtikelNr, "4714");
  EXPECT_EQ(saetze[8].ArtikelNr, "4715");  // last record, returned with the end of the input
  EXPECT_EQ(saetze[8].LangtextNr, "");
}

TEST_F(LeserV4, EigeneVersion4AusgabeWirdVollstaendigZurueckgelesen) {
  DateiLesen(v4::Artikelleser, Testdaten("v4_artikel.001"));
  Leselauf zurueck;
  {
    Leselauf schreiben;
    ASSERT_TRUE(schreiben.k.kz.EingabeDateiNr.Oeffnen(Testdaten("v4_artikel.001")));
    AusgabeErstellen(schreiben.k, schreiben.v, 4);
    for (;;) {
      std::int16_t rc = v4::Artikelleser(schreiben.k);
      ASSERT_EQ(v4::Artikelschreiber(schreiben.k), 0);
      if (rc == -1) break;
    }
    zurueck.Lesen(v4::Artikelleser, AusgabeLesen(schreiben.k, schreiben.v));
  }
  ASSERT_EQ(zurueck.saetze.size(), saetze.size());
  for (std::size_t i = 0; i < saetze.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(zurueck.saetze[i].ArtikelNr, saetze[i].ArtikelNr);
    EXPECT_EQ(zurueck.saetze[i].Verarbeitungskz, saetze[i].Verarbeitungskz);
    EXPECT_EQ(zurueck.saetze[i].Kundennummer, saetze[i].Kundennummer);
    EXPECT_EQ(zurueck.saetze[i].LangtextNr, saetze[i].LangtextNr);
    EXPECT_EQ(zurueck.saetze[i].WerkstoffText, saetze[i].WerkstoffText);
    EXPECT_EQ(zurueck.saetze[i].Dimensionstabelle[1].DimText, saetze[i].Dimensionstabelle[1].DimText);
  }
  EXPECT_EQ(zurueck.saetze.back().ArtikelNr, "4715");
}

// ---- A and B lines -------------------------------------------------------------------------

TEST_F(LeserV4, AZeileFelderKeineAngabeUndPreiseinheit) {
  Lesen(v4::Artikelleser,
        Zeilen({Kopf, "A;A;x-1;20;Kurz 1;;P;2;Stk;19900;RG;;LT00001;",
                "A;N;X-2;00;" + std::string(45, 'k') + "; ;1;0;St;;;;;", "A;N;X-3;00;a;b;1;1;St;1;;;;",
                "A;N;X-4;00;a;b;1;3;St;1;;;;", "A;N;X-5;00;a;b;1;7;St;1;;;;", "A;N;X-6;00;a;b;1;;St;1"}));
  const Neutralsatz& a = Artikel("X-1");
  EXPECT_EQ(a.Verarbeitungskz, "A");
  EXPECT_EQ(a.Textkz, "20");
  EXPECT_EQ(a.Kurztext1, "Kurz 1");
  EXPECT_EQ(a.Kurztext2, "@");
  EXPECT_EQ(a.Preiskz, "P");
  EXPECT_EQ(a.Preiseinheit, "100");
  EXPECT_EQ(a.Mengeneinheit, "Stk");
  EXPECT_EQ(a.Preis, "0000019900");
  EXPECT_EQ(a.Rabattgruppe, "RG");
  EXPECT_EQ(a.Warenhauptgruppe, "@");
  EXPECT_EQ(a.Langtextschluessel, "LT00001");
  // An article of one A line leaves the B fields empty, not "@".
  EXPECT_EQ(a.Verpackungsmenge, "");
  EXPECT_EQ(a.Kostenart, "");
  EXPECT_EQ(a.Matchcode, "");
  const Neutralsatz& b = Artikel("X-2");
  EXPECT_EQ(b.Kurztext1, std::string(40, 'k'));
  EXPECT_EQ(b.Kurztext2, " ");  // a blank field stays one blank
  EXPECT_EQ(b.Preiseinheit, "0");
  EXPECT_EQ(b.Preis, "@");
  EXPECT_EQ(Artikel("X-3").Preiseinheit, "10");
  EXPECT_EQ(Artikel("X-4").Preiseinheit, "1000");
  EXPECT_EQ(Artikel("X-5").Preiseinheit, "");
  EXPECT_EQ(Artikel("X-6").Preiseinheit, "@");
  EXPECT_EQ(Artikel("X-6").Preis, "0000000001");  // last field not closed by ";" keeps its digit
}

TEST_F(LeserV4, AZeileMitLoeschUndNummernwechselIstEinSatzFuerSich) {
  Lesen(v4::Artikelleser, Zeilen({Kopf, "A;L;4711;00;Text;;1;0;St;1;;;;", "B;N;4711;MC;;;0;;;;;;;;;;",
                                  "A;X;4712;;4799;", "A;N;4712;00;Neu;;1;0;St;1;;;;"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, 0, 0, -1}));
  const Neutralsatz& l = saetze[0];
  EXPECT_EQ(l.Verarbeitungskz, "L");
  EXPECT_EQ(l.NummerAltKz, "L");
  EXPECT_EQ(l.ArtikelNr, "4711");
  EXPECT_EQ(l.Kurztext1, "");
  EXPECT_EQ(l.NeueArtikelNr, "");
  EXPECT_EQ(schluessel[0], "XXXXXXXXXXXXXXX");
  // The B line of the same number starts a new record.
  EXPECT_EQ(saetze[1].Verarbeitungskz, "N");
  EXPECT_EQ(saetze[1].Matchcode, "MC");
  EXPECT_EQ(saetze[1].NummerAltKz, "");
  const Neutralsatz& x = saetze[2];
  EXPECT_EQ(x.Verarbeitungskz, "X");
  EXPECT_EQ(x.NummerAltKz, "A");
  EXPECT_EQ(x.ArtikelNr, "4712");
  EXPECT_EQ(x.NeueArtikelNr, "4799");
  EXPECT_EQ(saetze[3].Kurztext1, "Neu");
}

TEST_F(LeserV4, BZeileAlsErsteZeileUndZahlenfelder) {
  Lesen(v4::Artikelleser, Zeilen({Kopf, "B;A;0815;MC;ALT;S. 12;0;;;4012345678901;;WG 1;07;00010;REF;R-1;",
                                  "B;N;0816;;;;0;;;;;;0;0;;;", "B;N;0817;;;;0;;;;;;;;;;", "B;N;0818"}));
  const Neutralsatz& b = Artikel("0815");
  EXPECT_EQ(b.Verarbeitungskz, "A");
  EXPECT_EQ(b.Matchcode, "MC");
  EXPECT_EQ(b.Katalogseite, "S. 12");
  EXPECT_EQ(b.EanNr, "4012345678901");
  EXPECT_EQ(b.Anbindungsnummer, "@");
  EXPECT_EQ(b.AnbindungKz, 0);
  EXPECT_EQ(b.Warengruppe, "WG 1");
  EXPECT_EQ(b.Kostenart, "7");
  EXPECT_EQ(b.Verpackungsmenge, "10");
  EXPECT_EQ(b.ReferenzNr, "R-1");
  EXPECT_EQ(b.Kurztext1, "");  // no A line
  EXPECT_EQ(b.Staffeltabelle[0].StaffelArt, 0);
  EXPECT_EQ(Artikel("0816").Kostenart, "90");
  EXPECT_EQ(Artikel("0816").Verpackungsmenge, "1");
  EXPECT_EQ(Artikel("0817").Kostenart, "@");
  EXPECT_EQ(Artikel("0817").Verpackungsmenge, "@");
  EXPECT_EQ(Artikel("0818").Matchcode, "@");
}

TEST_F(LeserV4, BZeileMitKupferdaten) {
  Lesen(v4::Artikelleser, Zeilen({Kopf, "B;N;1;;;;2;150;001234;4000000000001;AN-1;;;;;;", "B;N;2;;;;1;200;000500;;;;;;;;",
                                  "B;N;3;;;;0;999;999999;4000000000003; ;;;;;;", "B;N;4;;;; ;999;999999;EAN4;;;;;;;"}));
  const Staffelzeile& s = Artikel("1").Staffeltabelle[0];
  EXPECT_EQ(s.StaffelArt, 3);
  EXPECT_EQ(s.RohstoffMerker, "CU");
  EXPECT_EQ(s.RohstoffMengenbasis, 1000);
  EXPECT_EQ(s.RohstoffBasis, 150 * E);
  EXPECT_EQ(s.RohstoffFaktor, E / 100);
  EXPECT_EQ(s.RohstoffGewicht, 1234 * E / 100);
  EXPECT_EQ(s.RohstoffWert4, E / 1000);
  EXPECT_EQ(Artikel("1").EanNr, "4000000000001");
  EXPECT_EQ(Artikel("1").Anbindungsnummer, "AN-1");
  EXPECT_EQ(Artikel("1").AnbindungKz, -1);
  const Staffelzeile& s2 = Artikel("2").Staffeltabelle[0];
  EXPECT_EQ(s2.RohstoffMengenbasis, 100);
  EXPECT_EQ(s2.RohstoffWert4, E / 100);
  EXPECT_EQ(s2.RohstoffGewicht, 5 * E);
  // Without copper flag base and weight are passed over.
  EXPECT_EQ(Artikel("3").Staffeltabelle[0].StaffelArt, 0);
  EXPECT_EQ(Artikel("3").EanNr, "4000000000003");
  EXPECT_EQ(Artikel("3").Anbindungsnummer, " ");
  EXPECT_EQ(Artikel("3").AnbindungKz, 0);
  EXPECT_EQ(Artikel("4").Staffeltabelle[0].StaffelArt, 0);
  EXPECT_EQ(Artikel("4").EanNr, "EAN4");
}

// ---- D, T, E, Z, C lines ------------------------------------------------------------------

TEST_F(LeserV4, DZeilenZweiZeilenJeZeileUndVolleTabelle) {
  std::vector<std::string> zeilen{Kopf, "D;N;4711;01;T;TX000001;Erste Zeile;02;;;Zweite Zeile;",
                                  "D;N;4711;03;T;;Dritte;00;T;;nicht gespeichert;"};
  for (int n = 1; n <= 50; ++n)
    zeilen.push_back("D;N;4712;01;T;;Zeile " + GanzAlsText(2 * n - 1) + ";02;T;;Zeile " + GanzAlsText(2 * n) + ";");
  std::string inhalt;
  for (const auto& z : zeilen) inhalt += z + "\r\n";
  Lesen(v4::Artikelleser, inhalt);
  const Neutralsatz& d = Artikel("4711");
  EXPECT_EQ(d.Verarbeitungskz, "N");
  EXPECT_EQ(d.Dimensionstabelle[0].DimUnterkz, "T");
  EXPECT_EQ(d.Dimensionstabelle[0].DimLangtextNr, "TX000001");
  EXPECT_EQ(d.Dimensionstabelle[0].DimText, "Erste Zeile");
  // An empty sub-flag keeps its row (as a blank).
  EXPECT_EQ(d.Dimensionstabelle[1].DimUnterkz, " ");
  EXPECT_EQ(d.Dimensionstabelle[1].DimText, "Zweite Zeile");
  EXPECT_EQ(d.Dimensionstabelle[2].DimText, "Dritte");
  EXPECT_EQ(d.Dimensionstabelle[3].DimUnterkz, "");
  // 100 rows: the first 99 are kept, the 100th is dropped.
  const Neutralsatz& voll = Artikel("4712");
  EXPECT_EQ(voll.Dimensionstabelle[0].DimText, "Zeile 1");
  EXPECT_EQ(voll.Dimensionstabelle[98].DimText, "Zeile 99");
}

TEST_F(LeserV4, LangtexteUndEinfuegetexteSindEigeneSaetze) {
  Lesen(v4::Artikelleser,
        Zeilen({Kopf, "A;N;4711;00;Text;;1;0;St;1;;;TXT1;", "T;A;txt1;;01;;Zeile eins;00;;nicht;",
                "T;N;TXT1;;02;;Zeile zwei;03;;Zeile drei;", "E;N;TXT1;;01;;Einfuegen;00;;;", "T;N;;;01;;ohne Nummer;00;;;",
                "T;N;TX2;;01;;mit Nummer;00;;;"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, 0, 0, 0, -1}));
  EXPECT_EQ(saetze[0].LangtextNr, "");
  const Neutralsatz& t = saetze[1];
  EXPECT_EQ(schluessel[1], "TTXT1");
  EXPECT_EQ(t.ArtikelNr, "");
  EXPECT_EQ(t.Verarbeitungskz, "A");  // flag of the first line
  EXPECT_EQ(t.LangtextNr, "TXT1");
  EXPECT_EQ(t.LangtextArt, 1);
  EXPECT_EQ(t.Langtexttabelle[0].LangtextZeile, "Zeile eins");
  EXPECT_EQ(t.Langtexttabelle[0].LangtextMarke, "X");
  EXPECT_EQ(t.Langtexttabelle[1].LangtextZeile, "Zeile zwei");
  EXPECT_EQ(t.Langtexttabelle[2].LangtextZeile, "Zeile drei");
  EXPECT_EQ(t.Langtexttabelle[3].LangtextMarke, "");
  EXPECT_EQ(saetze[2].LangtextArt, 2);
  EXPECT_EQ(saetze[2].Langtexttabelle[0].LangtextZeile, "Einfuegen");
  EXPECT_EQ(saetze[2].Langtexttabelle[1].LangtextMarke, "");
  // A text without number is still cleared before the next text.
  EXPECT_EQ(saetze[3].Langtexttabelle[0].LangtextZeile, "ohne Nummer");
  EXPECT_EQ(saetze[4].LangtextNr, "TX2");
  EXPECT_EQ(saetze[4].Langtexttabelle[0].LangtextZeile, "mit Nummer");
  EXPECT_EQ(saetze[4].Langtexttabelle[1].LangtextMarke, "");
}

TEST_F(LeserV4, ZZeilenMitAllenMarken) {
  Lesen(v4::Artikelleser,
        Zeilen({Kopf, "Z;A;4711;01;1;2;Staffel ab 10;1;00012345;00000010;00000099;",
                "Z;N;4711;02;2;1;Zuschlag;4;00000500;00000001;00000009;", "Z;N;4711;03;3;CU;1;00001500;000100;000200;001500;",
                "Z;N;4711;04;4;CU;000150;001000;001234;000010;",
                "Z;N;4711;05;6;MS;2;3;00000250;000010;000020;000500;000150;002000;", "Z;N;4711;06;5;1;nichts;1;1;1;1;"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{-1}));
  const Neutralsatz& z = saetze[0];
  EXPECT_EQ(z.ArtikelNr, "4711");
  EXPECT_EQ(z.Verarbeitungskz, "A");
  const auto& s1 = z.Staffeltabelle[0];
  EXPECT_EQ(s1.StaffelArt, 1);
  EXPECT_EQ(s1.StaffelBasismerker, 2);
  EXPECT_EQ(s1.StaffelBasistext1, "Staffel ab 10");
  EXPECT_EQ(s1.StaffelMerker, 1);
  EXPECT_EQ(s1.StaffelZuAbArt, 1);
  EXPECT_EQ(s1.StaffelVorzeichen, "+");
  EXPECT_EQ(s1.StaffelPreis, 12345 * E / 100);
  EXPECT_EQ(s1.VonBasis, 10 * E);
  EXPECT_EQ(s1.BisBasis, 99 * E);
  EXPECT_EQ(s1.StaffelEndeA, 999);
  const auto& s2 = z.Staffeltabelle[1];
  EXPECT_EQ(s2.StaffelMerker, 1);
  EXPECT_EQ(s2.StaffelZuAbArt, 2);
  EXPECT_EQ(s2.StaffelVorzeichen, "-");
  EXPECT_EQ(s2.StaffelPreis, 5 * E);
  const auto& s3 = z.Staffeltabelle[2];
  EXPECT_EQ(s3.StaffelArt, 2);
  EXPECT_EQ(s3.RohVBMerker, "CU");
  EXPECT_EQ(s3.RohVBZuAbArt, 3);
  EXPECT_EQ(s3.RohVBVorzeichen, "+");
  EXPECT_EQ(s3.RohVBKz, 2);
  EXPECT_EQ(s3.RohVBEnde, 999);
  EXPECT_EQ(s3.RohVBPreis, 15 * E);
  EXPECT_EQ(s3.RohVBFaktor, 15 * E / 10);
  EXPECT_EQ(s3.RohVBWert5, 0);
  const auto& s4 = z.Staffeltabelle[3];
  EXPECT_EQ(s4.StaffelArt, 3);
  EXPECT_EQ(s4.RohstoffBasis, 150 * E);
  EXPECT_EQ(s4.RohstoffFaktor, E);
  EXPECT_EQ(s4.RohstoffGewicht, 1234 * E / 100);
  EXPECT_EQ(s4.RohstoffWert4, E / 100);
  EXPECT_EQ(s4.RohstoffKz, 2);
  EXPECT_EQ(s4.RohstoffMengenbasis, 999);
  const auto& s6 = z.Staffeltabelle[4];
  EXPECT_EQ(s6.StaffelArt, 2);
  EXPECT_EQ(s6.RohVBMerker, "MS");
  EXPECT_EQ(s6.RohVBZuAbArt, 3);
  EXPECT_EQ(s6.RohVBVorzeichen, "-");
  EXPECT_EQ(s6.RohVBKz, 3);
  EXPECT_EQ(s6.RohVBEnde, 999);  // the article's price unit, like mark 3
  EXPECT_EQ(s6.RohVBPreis, 25 * E / 10);
  EXPECT_EQ(s6.RohVBFaktor, 5 * E / 10);
  EXPECT_EQ(s6.RohVBWert5, 15 * E / 10);
  EXPECT_EQ(s6.RohVBWert6, 2 * E);
  // Mark 5 adds nothing.
  EXPECT_EQ(z.Staffeltabelle[5].StaffelArt, 0);
}

TEST_F(LeserV4, CZeilenTerminWerkstoffArbeit) {
  Lesen(v4::Artikelleser,
        Zeilen({Kopf, "A;A;4711;00;Text;;1;0;St;1;;;;", "C;;TERMIN-1;01082025;",
                "C;;WERKSTOFF-1;4711;00001500;00002500;0000003500;0000004500;2;Messing   ;", "C; ;ARBEIT-1;4711;1;2;000125;",
                "C;;SONST-1;4711;irgendwas;", "A;A;4712;00;Text;;1;0;St;1;;;;",
                "C;n;werkstoff-1;4713;00001000;;;;;0;Kupfer;",
                "B;N;4714;MC;;;0;;;;;;;;;;", "c;;termin-1;311299"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, 0, 0, -1}));
  const Neutralsatz& a = saetze[0];
  EXPECT_EQ(a.Termin1, "20250801");
  EXPECT_EQ(a.Verarbeitungskz, "A");  // blank flags of C lines leave the article's flag alone
  EXPECT_EQ(a.WerkstoffWert1, 15 * E / 10);
  EXPECT_EQ(a.WerkstoffWert4, 45 * E / 10);
  EXPECT_EQ(a.WerkstoffKz, 2);
  EXPECT_EQ(a.WerkstoffText, "Messing");
  EXPECT_EQ(a.ArbeitKz1, 1);
  EXPECT_EQ(a.ArbeitKz2, 2);
  EXPECT_EQ(a.ArbeitWert, 125 * E / 10);
  // A C line of another article ends the record without touching its flag.
  EXPECT_EQ(saetze[1].ArtikelNr, "4712");
  EXPECT_EQ(saetze[1].Verarbeitungskz, "A");
  EXPECT_EQ(saetze[1].WerkstoffWert1, 0);
  EXPECT_EQ(saetze[1].Termin1, "20250801");  // the date stays for the rest of the file
  // The C line opens a record keyed by its own article, so the next article is not merged in.
  EXPECT_EQ(schluessel[2], "4713");
  EXPECT_EQ(saetze[2].WerkstoffWert1, E);
  EXPECT_EQ(saetze[2].WerkstoffText, "Kupfer");  // with a fifth value before the text
  EXPECT_EQ(saetze[2].Verarbeitungskz, "N");
  EXPECT_EQ(saetze[2].ArtikelNr, "");
  EXPECT_EQ(saetze[3].ArtikelNr, "4714");
  EXPECT_EQ(saetze[3].WerkstoffWert1, 0);
  // Six digits with the century rule; a date not closed by ";" keeps its last digit.
  EXPECT_EQ(saetze[3].Termin1, "19991231");
}

TEST_F(LeserV4, TerminSechsstelligUndUngueltig) {
  Lesen(v4::Artikelleser, Zeilen({Kopf, "C;;TERMIN-1;010105;", "A;N;1;00;a;;1;0;St;1;;;;", "C;;TERMIN-1;1.1.2025;",
                                  "A;N;2;00;a;;1;0;St;1;;;;", "C;;TERMIN-1;;"}));
  EXPECT_EQ(Artikel("1").Termin1, "20050101");
  EXPECT_EQ(Artikel("1").Verarbeitungskz, "N");  // the date line carries no article flag
  EXPECT_EQ(Artikel("2").Termin1, "20050101");  // a date of another form is not taken
}

// ---- One-line records ----------------------------------------------------------------------

TEST_F(LeserV4, KundenWarengruppenUndRabattgruppensaetze) {
  Lesen(v4::Artikelleser,
        Zeilen({Kopf, "A;N;4711;00;Text;;1;0;St;1;;;;", "K;;018988; ;", "K;N;12345;j;", "S;;01;Installation;;;",
                "S;;01;;12;Automaten   ;", "R;;rg1;1;1250;Rabatt eins;", "R;N;RG2;2;1250;Rabatt zwei"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, 0, 0, 0, 0, 0, -1}));
  EXPECT_EQ(saetze[1].Kundennummer, "018988");  // empty second field: the number keeps its first digit
  EXPECT_EQ(saetze[1].Preispflege, "");
  EXPECT_EQ(saetze[1].ArtikelNr, "");
  EXPECT_EQ(schluessel[1], "KundennummerSatz");
  EXPECT_EQ(saetze[2].Kundennummer, "12345");
  EXPECT_EQ(saetze[2].Preispflege, "J");
  EXPECT_EQ(saetze[3].Hauptwarengruppe, "01");
  EXPECT_EQ(saetze[3].WgBezeichnung, "Installation");
  EXPECT_EQ(saetze[3].WgNummer, "");
  EXPECT_EQ(schluessel[3], "Waren-Gr. Satz");
  EXPECT_EQ(saetze[4].WgNummer, "12");
  EXPECT_EQ(saetze[4].WgBezeichnung, "Automaten");
  EXPECT_EQ(saetze[5].RgNummer, "RG1");
  EXPECT_EQ(saetze[5].RabattKz, 1);
  EXPECT_EQ(saetze[5].Rabatt, 125 * E / 10);
  EXPECT_EQ(schluessel[5], "Rabatt-Gr. Satz");
  EXPECT_EQ(saetze[6].RabattKz, 2);
  EXPECT_EQ(saetze[6].Rabatt, 125 * E / 100);
  EXPECT_EQ(saetze[6].RgBezeichnung, "Rabatt zwei");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigteZeile)), "R;N;RG2;2;1250;Rabatt zwei");
}

TEST_F(LeserV4, SetLeserGruppiertNachSetNummer) {
  Lesen(v4::SetLeser, Zeilen({Kopf, "K;;018988; ;", "J;N;SET1;01;l;Kopf;Beschreibung   ;1;art-1;0002500;",
                              "A;N;4711;00;Text;;1;0;St;1;;;;", "J;n;set1;02;P;;Position;0;ART-2;0001000",
                              "J;A;SET2;01;P;;;0;ART-3;;"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, 0, -1}));
  EXPECT_EQ(saetze[0].Kundennummer, "018988");
  const Neutralsatz& s = saetze[1];
  EXPECT_EQ(schluessel[1], "SET1");
  EXPECT_EQ(s.Verarbeitungskz, "N");
  const Setzeile& r1 = s.SetTabelle[0];
  EXPECT_EQ(r1.SetNr, "SET1");
  EXPECT_EQ(r1.SetMerker, "L");
  EXPECT_EQ(r1.SetKurztext, "Kopf");
  EXPECT_EQ(r1.SetBeschreibung, "Beschreibung");
  EXPECT_EQ(r1.SetAufrufmerker, 1);
  EXPECT_EQ(r1.SetArtikelNr, "ART-1");
  EXPECT_EQ(r1.SetMenge, 25 * E / 10);
  const Setzeile& r2 = s.SetTabelle[1];
  EXPECT_EQ(r2.SetBeschreibung, "Position");
  EXPECT_EQ(r2.SetMenge, E);  // last field not closed by ";"
  EXPECT_EQ(s.SetTabelle[2].SetNr, "");
  EXPECT_EQ(saetze[2].Verarbeitungskz, "A");
  EXPECT_EQ(saetze[2].SetTabelle[0].SetArtikelNr, "ART-3");
  EXPECT_EQ(saetze[2].SetTabelle[1].SetNr, "");
}

TEST_F(LeserV4, PreisdateiMitDreiArtikelnRabattpaarenUndFremderSatzart) {
  DateiLesen(v4::Preisleser, Testdaten("v4_preise.001"));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, 0, 0, -1}));
  EXPECT_EQ(saetze[0].Kundennummer, "018988");
  EXPECT_EQ(saetze[0].Termin1, "20250801");
  const Neutralsatz& p = saetze[1];
  EXPECT_EQ(p.Verarbeitungskz, "A");
  EXPECT_EQ(schluessel[1], "RG1");
  const Preiszeile& r1 = p.Preistabelle[0];
  EXPECT_EQ(r1.PArtikelNr, "RG1");
  EXPECT_EQ(r1.PPreiskz, 1);
  EXPECT_EQ(r1.PPreis, 857 * E);
  EXPECT_EQ(r1.PZuAbKz1, 1);
  EXPECT_EQ(r1.PZuAbWert1, 55 * E);
  EXPECT_EQ(r1.PZuAbKz2, 2);
  EXPECT_EQ(r1.PZuAbWert2, 125 * E / 100);
  EXPECT_EQ(r1.PZuAbKz3, 3);
  EXPECT_EQ(r1.PZuAbWert3, E);
  EXPECT_EQ(r1.PRabattgruppe, "");
  const Preiszeile& r2 = p.Preistabelle[1];
  EXPECT_EQ(r2.PArtikelNr, "RG2");
  EXPECT_EQ(r2.PPreiskz, 2);
  EXPECT_EQ(r2.PPreis, 1073 * E);
  EXPECT_EQ(r2.PZuAbKz1, 0);
  EXPECT_EQ(r2.PRabattgruppe, "RB12");  // flag 0 with a value: discount group
  EXPECT_EQ(r2.PZuAbMarke1, "");
  EXPECT_EQ(r2.PZuAbMarke2, "@");
  EXPECT_EQ(r2.PZuAbMarke3, "@");
  const Preiszeile& r3 = p.Preistabelle[2];
  EXPECT_EQ(r3.PArtikelNr, "RG3");
  EXPECT_EQ(r3.PZuAbMarke1, "@");
  // A blank second article number ends the line's articles.
  EXPECT_EQ(saetze[2].Verarbeitungskz, "N");
  EXPECT_EQ(saetze[2].Preistabelle[0].PArtikelNr, "RG4");
  EXPECT_EQ(saetze[2].Preistabelle[1].PArtikelNr, "");
  // The A line is logged and skipped; the last P line (no line end) arrives.
  EXPECT_EQ(k.kz.Fehlerzahl, 1);
  if (!k.kz.Fehlerprotokoll.empty()) {
    EXPECT_NE(k.kz.Fehlerprotokoll.find(Ansi("in DATPREIS-Datei darf keine Satzart A geführt werden")), std::string::npos);
  }
  EXPECT_EQ(saetze[3].Preistabelle[0].PArtikelNr, "RG5");
  EXPECT_EQ(saetze[3].Preistabelle[0].PPreis, E);
}

// A second date between price lines belongs to the lines after it, not to the line before it.
TEST_F(LeserV4, PreisdateiNeuesDatumGiltErstFuerDieFolgendenPreiszeilen) {
  Lesen(v4::Preisleser, Zeilen({Kopf, "K;;018988; ;", "C;;TERMIN-1;150426;", "P;A;1;1;100;;;;;;;",
                                "P;A;2;1;200;;;;;;;", "C;;TERMIN-1;01052026;", "P;A;3;1;300;;;;;;;"}));
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{0, 0, 0, -1}));
  EXPECT_EQ(saetze[0].Kundennummer, "018988");
  EXPECT_EQ(saetze[1].Preistabelle[0].PArtikelNr, "1");
  EXPECT_EQ(saetze[1].Termin1, "20260415");
  EXPECT_EQ(saetze[2].Preistabelle[0].PArtikelNr, "2");
  EXPECT_EQ(saetze[2].Termin1, "20260415");
  EXPECT_EQ(saetze[3].Preistabelle[0].PArtikelNr, "3");
  EXPECT_EQ(saetze[3].Termin1, "20260501");
}

// ---- Real files ----------------------------------------------------------------------------

TEST_F(LeserV4, EchteArtikeldateiOhneZeilenendeLiefertIhreLetzteZeile) {
  std::string pfad = Korpusdatei("fahrjo__datanorm_test.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  DateiLesen(v4::Artikelleser, pfad);
  ASSERT_EQ(ergebnisse, (std::vector<std::int16_t>{-1}));
  const Neutralsatz& a = saetze[0];
  EXPECT_EQ(a.ArtikelNr, "899977");
  EXPECT_EQ(a.Kurztext2, "MCS316 415V 3TE 50Hz Zusatzeinr.m\x94gl");  // code-page byte kept
  EXPECT_EQ(a.Preiseinheit, "0");
  EXPECT_EQ(a.Preis, "0000010000");
  EXPECT_EQ(a.Rabattgruppe, "HB86");
  EXPECT_EQ(a.EanNr, "3250614315336");  // from the B line, the last line of the file
  EXPECT_EQ(a.Kostenart, "90");
  EXPECT_EQ(a.Verpackungsmenge, "1");
}

TEST_F(LeserV4, EchteDateienMitLangtextenLeerzeilenUndDateiendeZeichen) {
  {
    std::string pfad = Korpusdatei("halo__v4_with_texts.001");
    if (pfad.empty()) GTEST_SKIP() << "corpus absent";
    Leselauf t;
    t.DateiLesen(v4::Artikelleser, pfad);
    EXPECT_EQ(t.schluessel, (std::vector<std::string>{"100033152", "TTNT6841", "100033162", "100033162"}));
    ASSERT_EQ(t.ergebnisse, (std::vector<std::int16_t>{0, 0, 0, -1}));
    const Neutralsatz& text = t.saetze[3];  // returned with the end of the input (^Z line)
    EXPECT_EQ(text.LangtextNr, "TNT6842");
    EXPECT_EQ(text.Langtexttabelle[27].LangtextZeile, "Technik vorgesehen.");
    EXPECT_EQ(text.Langtexttabelle[28].LangtextMarke, "");
    EXPECT_EQ(t.saetze[1].Langtexttabelle[16].LangtextZeile, "Temperatur (z.\xFF" "B.");
  }
  {
    std::string pfad = Korpusdatei("halo__v4_with_empty_lines_and_invalid_tags.001");
    Leselauf t;
    t.DateiLesen(v4::Artikelleser, pfad);
    ASSERT_EQ(t.ergebnisse, (std::vector<std::int16_t>{0, -1}));
    EXPECT_EQ(t.saetze[0].Langtexttabelle[5].LangtextZeile, "lieferbar. Lieferung inkl.");
    EXPECT_EQ(t.saetze[0].Langtexttabelle[6].LangtextMarke, "");  // the X line is skipped
    EXPECT_EQ(t.saetze[1].ArtikelNr, "Z-0159");
    EXPECT_EQ(t.saetze[1].Verpackungsmenge, "1");
    EXPECT_EQ(t.saetze[1].Katalogseite, "250");
  }
}

TEST_F(LeserV4, EchteWarengruppendatei) {
  std::string pfad = Korpusdatei("fahrjo__datanorm_test.WRG");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  DateiLesen(v4::Artikelleser, pfad);
  ASSERT_EQ(saetze.size(), 4u);
  EXPECT_EQ(saetze[0].Hauptwarengruppe, "01");
  // The file is in Windows-1252 and is read in CP850: its "ä" (0xE4) arrives as 0x84.
  EXPECT_EQ(saetze[0].WgBezeichnung, "Installationsger\x84te & -systeme");
  EXPECT_EQ(saetze[1].WgNummer, "12");
  EXPECT_EQ(saetze[1].WgBezeichnung, "Sicherungsautomaten & Hauptschalter");
  EXPECT_EQ(saetze[3].Hauptwarengruppe, "03");  // last line, no line end
  EXPECT_EQ(saetze[3].WgBezeichnung, "Gummileitungen");
}

TEST_F(LeserV4, EchtePreisdateien) {
  {
    std::string pfad = Korpusdatei("halo__v4_datpreis.001");
    if (pfad.empty()) GTEST_SKIP() << "corpus absent";
    Leselauf t;
    t.DateiLesen(v4::Preisleser, pfad);
    ASSERT_EQ(t.ergebnisse, (std::vector<std::int16_t>{0, -1}));
    EXPECT_EQ(t.saetze[0].Kundennummer, "018988");
    EXPECT_EQ(t.saetze[1].Termin1, "20250801");
    const auto& p = t.saetze[1].Preistabelle;  // the P line is the file's last line
    EXPECT_EQ(p[0].PArtikelNr, "RG6040640U1");
    EXPECT_EQ(p[0].PPreis, 857 * E);
    EXPECT_EQ(p[0].PZuAbKz1, 1);
    EXPECT_EQ(p[0].PZuAbWert1, 55 * E);
    EXPECT_EQ(p[2].PPreis, 1612 * E);
    EXPECT_EQ(t.k.kz.Fehlerzahl, 0);
  }
  {
    Leselauf t;
    t.DateiLesen(v4::Preisleser, Korpusdatei("fahrjo__datpreis_test.001"));
    ASSERT_EQ(t.saetze.size(), 4u);
    const auto& p = t.saetze[3].Preistabelle;
    EXPECT_EQ(p[2].PArtikelNr, "996835");
    EXPECT_EQ(p[2].PPreiskz, 2);
    EXPECT_EQ(p[2].PZuAbKz3, 1);
    EXPECT_EQ(p[2].PZuAbWert3, 0);
    EXPECT_EQ(t.saetze[0].Preistabelle[0].PZuAbMarke1, "@");
  }
  {
    // Articles, texts and dimensions in a price file are logged, the prices converted.
    Leselauf t;
    t.DateiLesen(v4::Preisleser, Korpusdatei("halo__v4_products_before_texts.001"));
    EXPECT_EQ(t.k.kz.Fehlerzahl, 9 + 4 + 2 + 2);
    ASSERT_EQ(t.saetze.size(), 11u);
    EXPECT_EQ(t.saetze[10].Preistabelle[2].PArtikelNr, "QBMK20208");
  }
}

TEST_F(LeserV4, EchteGemischteDateiMitDemArtikelleser) {
  std::string pfad = Korpusdatei("halo__v4_products_before_texts.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  DateiLesen(v4::Artikelleser, pfad);
  EXPECT_EQ(schluessel, (std::vector<std::string>{"KundennummerSatz", "T00021057", "T00022923", "QBMK10208R",
                                                  "QATA207569016", "QATA207569016"}));
  ASSERT_EQ(saetze.size(), 6u);
  EXPECT_EQ(saetze[1].Langtexttabelle[1].LangtextZeile, "Wilo Zubeh\x94r");
  EXPECT_EQ(saetze[3].Dimensionstabelle[6].DimText, "\x81r die Verwendung in Brandmeldeanlagen");
  EXPECT_EQ(saetze[3].Dimensionstabelle[7].DimUnterkz, "");
  const Neutralsatz& letzter = saetze[5];
  EXPECT_EQ(letzter.ArtikelNr, "QBMK10208R");
  EXPECT_EQ(letzter.Matchcode, "HAGER");
  EXPECT_EQ(letzter.Kurztext2, "LF-Kanal, PVC, verkehrswei\xE1");
}

// The A and B line fields are kept from record to record and overwritten in place: each record
// holds only what its own lines wrote, whatever the record before held (an article without its
// B line, one without its A line, a delete line, a long text).
TEST_F(LeserV4, AUndBFelderJedesSatzesOhneReste) {
  const std::string a = "A;N;1;00;Rohr lang;Zweiter;1;2;Stk;4941716;R522;784;T1;";
  const std::string b = "B;N;1;M1;ALT1;378;0;;;4061863376737;9;WG70;33;1;RK;RN;";
  Lesen(v4::Artikelleser, Zeilen({Kopf, a, b, "A;N;2;1;Ro;;0;1;m;12;R5;7;;", "B;N;3;M;A;3;0;;;40;;W;0;0;R;N;", a,
                                   b, "A;L;4;", "T;N;T1;;01;;Text;00;;;"}));
  ASSERT_EQ(saetze.size(), 6u);
  auto a_felder = [](const Neutralsatz& n) {
    return n.Textkz + "|" + n.Kurztext1 + "|" + n.Kurztext2 + "|" + n.Preiskz + "|" + n.Preiseinheit + "|" +
           n.Mengeneinheit + "|" + n.Preis + "|" + n.Rabattgruppe + "|" + n.Warenhauptgruppe + "|" +
           n.Langtextschluessel;
  };
  auto b_felder = [](const Neutralsatz& n) {
    return n.Matchcode + "|" + n.AlternativArtikelNr + "|" + n.Katalogseite + "|" + n.EanNr + "|" +
           n.Anbindungsnummer + "|" + n.Warengruppe + "|" + n.Kostenart + "|" + n.Verpackungsmenge + "|" +
           n.ReferenzKuerzel + "|" + n.ReferenzNr;
  };
  const std::string keinA = "|||||||||", keinB = "|||||||||";
  EXPECT_EQ(a_felder(saetze[0]), "00|Rohr lang|Zweiter|1|100|Stk|0004941716|R522|784|T1");
  EXPECT_EQ(b_felder(saetze[0]), "M1|ALT1|378|4061863376737|9|WG70|33|1|RK|RN");
  EXPECT_EQ(saetze[1].ArtikelNr, "2");
  EXPECT_EQ(a_felder(saetze[1]), "1|Ro|@|0|10|m|0000000012|R5|7|@");
  EXPECT_EQ(b_felder(saetze[1]), keinB);
  EXPECT_EQ(saetze[2].ArtikelNr, "3");
  EXPECT_EQ(a_felder(saetze[2]), keinA);
  EXPECT_EQ(b_felder(saetze[2]), "M|A|3|40|@|W|90|1|R|N");
  EXPECT_EQ(a_felder(saetze[3]), a_felder(saetze[0]));
  EXPECT_EQ(b_felder(saetze[3]), b_felder(saetze[0]));
  EXPECT_EQ(saetze[4].NummerAltKz, "L");
  EXPECT_EQ(a_felder(saetze[4]) + b_felder(saetze[4]), keinA + keinB);
  EXPECT_EQ(saetze[5].LangtextNr, "T1");
  EXPECT_EQ(a_felder(saetze[5]) + b_felder(saetze[5]), keinA + keinB);
}
