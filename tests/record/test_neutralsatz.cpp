#include <gtest/gtest.h>

#include <tuple>

#include "record/neutralsatz.h"

using namespace korvelan;

namespace {

// A record with every single field set and rows 1, 2 and 4 of each table used (row 3 free).
Neutralsatz GefuellterSatz() {
  Neutralsatz ns;
  ns.Verarbeitungskz = "N";
  ns.ArtikelNr = "4711";
  ns.Kurztext1 = "Rohr";
  ns.Kurztext2 = "@";
  ns.Mengeneinheit = "St";
  ns.Preis = "0000000100";
  ns.Textkz = "00";
  ns.ReferenzNr = "R1";
  ns.A5Zusatz = "Z";
  ns.AnbindungKz = -1;
  ns.Termin1 = "250801";
  ns.NummerAltKz = "L";
  ns.NeueArtikelNr = "4712";
  ns.WerkstoffText = "MS";
  ns.WerkstoffWert1 = ns.WerkstoffWert5 = 5;
  ns.WerkstoffKz = 1;
  ns.ArbeitKz1 = ns.ArbeitKz2 = 2;
  ns.ArbeitWert = 3;
  ns.Kundennummer = "K1";
  ns.KName4 = "Name";
  ns.RgNummer = "HB86";
  ns.RabattKz = 1;
  ns.Rabatt = 100;
  ns.RgBezeichnung = "Rabatt";
  ns.WgBezeichnung = "Gruppe";
  for (int i : {0, 1, 3}) {
    ns.Staffeltabelle[i].StaffelArt = 1;
    ns.Staffeltabelle[i].StaffelPreis = 10;
    ns.Dimensionstabelle[i].DimUnterkz = "F";
    ns.Dimensionstabelle[i].DimText = "Breite";
    ns.Langtexttabelle[i].LangtextMarke = "X";
    ns.Langtexttabelle[i].LangtextZeile = "Text";
    ns.CZeilen[i] = "C;N;ES01;";
    ns.SetTabelle[i].SetNr = "SET1";
    ns.SetTabelle[i].SetMenge = 5;
  }
  ns.Preistabelle[0].PArtikelNr = "1";
  ns.Preistabelle[0].PPreis = 7;
  ns.Preistabelle[2].PArtikelNr = "3";
  ns.Preistabelle[2].PPreis = 9;
  return ns;
}

TEST(NeutralsatzLeeren, EinzelfelderUndTermin1) {
  Neutralsatz ns = GefuellterSatz();
  NeutralsatzLeeren(ns);
  for (const std::string* f : {&ns.ArtikelNr, &ns.Kurztext1, &ns.Kurztext2, &ns.Mengeneinheit, &ns.Preis, &ns.Textkz,
                               &ns.ReferenzNr, &ns.A5Zusatz, &ns.NummerAltKz, &ns.NeueArtikelNr, &ns.WerkstoffText,
                               &ns.Kundennummer, &ns.KName4, &ns.RgNummer, &ns.RgBezeichnung, &ns.WgBezeichnung})
    EXPECT_EQ(*f, "");
  EXPECT_EQ(ns.AnbindungKz, 0);
  EXPECT_EQ(ns.WerkstoffWert1, 0);
  EXPECT_EQ(ns.WerkstoffWert5, 0);
  EXPECT_EQ(ns.WerkstoffKz, 0);
  EXPECT_EQ(ns.ArbeitKz1 + ns.ArbeitKz2, 0);
  EXPECT_EQ(ns.ArbeitWert, 0);
  EXPECT_EQ(ns.RabattKz, 0);
  EXPECT_EQ(ns.Rabatt, 0);
  // Each reader sets the processing flag itself; the TERMIN-1 date holds for the whole file.
  EXPECT_EQ(ns.Verarbeitungskz, "N");
  EXPECT_EQ(ns.Termin1, "250801");
}

TEST(NeutralsatzLeeren, TabellenBisZurErstenFreienZeile) {
  Neutralsatz ns = GefuellterSatz();
  ns.LangtextNr = "TX1";
  ns.LangtextArt = 1;
  NeutralsatzLeeren(ns);
  for (int i : {0, 1}) {
    EXPECT_EQ(ns.Staffeltabelle[i].StaffelArt, 0);
    EXPECT_EQ(ns.Staffeltabelle[i].StaffelPreis, 0);
    EXPECT_EQ(ns.Dimensionstabelle[i].DimText, "");
    EXPECT_EQ(ns.Langtexttabelle[i].LangtextZeile, "");
    EXPECT_EQ(ns.CZeilen[i], "");
    EXPECT_EQ(ns.SetTabelle[i].SetMenge, 0);
  }
  // Clearing stops at the first free row: row 4 is not reached.
  EXPECT_EQ(ns.Staffeltabelle[3].StaffelPreis, 10);
  EXPECT_EQ(ns.Dimensionstabelle[3].DimText, "Breite");
  EXPECT_EQ(ns.Langtexttabelle[3].LangtextZeile, "Text");
  EXPECT_EQ(ns.CZeilen[3], "C;N;ES01;");
  EXPECT_EQ(ns.SetTabelle[3].SetNr, "SET1");
  EXPECT_EQ(ns.LangtextNr, "");
  EXPECT_EQ(ns.LangtextArt, 0);
  // The price table as well: row 1 cleared, row 3 behind the free row 2 kept.
  EXPECT_EQ(ns.Preistabelle[0].PPreis, 0);
  EXPECT_EQ(ns.Preistabelle[2].PArtikelNr, "3");
  EXPECT_EQ(FreieStaffelzeile(ns), 0);
}

// Long-text rows go with the record whether or not it held a text number: left behind, they
// would slip in front of the next record's long text.
TEST(NeutralsatzLeeren, LangtexteAuchOhneLangtextNr) {
  Neutralsatz ns = GefuellterSatz();
  ns.LangtextArt = 2;
  NeutralsatzLeeren(ns);
  EXPECT_EQ(ns.Langtexttabelle[0].LangtextZeile, "");
  EXPECT_EQ(ns.LangtextArt, 0);
}

TEST(NeutralsatzLeeren, SetUndPreistabelleAllein) {
  Neutralsatz ns = GefuellterSatz();
  SetTabelleLeeren(ns);
  EXPECT_EQ(ns.SetTabelle[0].SetNr, "");
  EXPECT_EQ(ns.SetTabelle[3].SetNr, "SET1");
  EXPECT_EQ(ns.ArtikelNr, "4711");
  EXPECT_EQ(ns.Preistabelle[0].PPreis, 7);
  PreistabelleLeeren(ns);
  for (const auto& p : ns.Preistabelle) {
    EXPECT_EQ(p.PArtikelNr, "");
    EXPECT_EQ(p.PPreis, 0);
  }
  EXPECT_EQ(ns.Staffeltabelle[0].StaffelArt, 1);
}

// Rows are emptied field by field: every field of a used row ends as in a new row.
TEST(NeutralsatzLeeren, JedesFeldEinerZeile) {
  Neutralsatz ns;
  Staffelzeile& s = ns.Staffeltabelle[0];
  s.StaffelArt = s.StaffelBasismerker = s.StaffelMerker = s.StaffelZuAbArt = s.StaffelEndeA = s.StaffelEndeB = 1;
  s.RohVBZuAbArt = s.RohVBKz = s.RohVBEnde = s.RohstoffKz = s.RohstoffMengenbasis = 1;
  s.StaffelPreis = s.RohVBPreis = s.VonBasis = s.BisBasis = s.RohVBFaktor = s.RohVBWert5 = s.RohVBWert6 = 1;
  s.RohstoffBasis = s.RohstoffFaktor = s.RohstoffGewicht = s.RohstoffWert4 = 1;
  for (std::string* t : {&s.StaffelBasistext1, &s.StaffelBasistext2, &s.StaffelVorzeichen, &s.RohVBMerker,
                         &s.RohVBVorzeichen, &s.RohstoffMerker})
    *t = "eine Angabe, die ihren Speicher nicht im Text selbst hat";
  ns.Dimensionstabelle[0] = {"F", "Breite", "T1"};
  ns.Langtexttabelle[0] = {"X", "Text"};
  ns.SetTabelle[0] = {"S", "L", "Kurz", 1, "4711", "Besch", 5};
  Preiszeile& p = ns.Preistabelle[0];
  p.PArtikelNr = p.PZuAbMarke1 = p.PZuAbMarke2 = p.PZuAbMarke3 = p.PRabattgruppe = "1";
  p.PPreiskz = p.PPreiseinheit = p.PZuAbKz1 = p.PZuAbKz2 = p.PZuAbKz3 = 1;
  p.PPreis = p.PZuAbWert1 = p.PZuAbWert2 = p.PZuAbWert3 = 1;
  ns.LangtextNr = "T1";
  NeutralsatzLeeren(ns);

  const Staffelzeile neu;
  EXPECT_EQ(std::tie(s.StaffelArt, s.StaffelBasismerker, s.StaffelMerker, s.StaffelZuAbArt, s.StaffelEndeA,
                     s.StaffelEndeB, s.RohVBZuAbArt, s.RohVBKz, s.RohVBEnde, s.RohstoffKz, s.RohstoffMengenbasis),
            std::tie(neu.StaffelArt, neu.StaffelBasismerker, neu.StaffelMerker, neu.StaffelZuAbArt, neu.StaffelEndeA,
                     neu.StaffelEndeB, neu.RohVBZuAbArt, neu.RohVBKz, neu.RohVBEnde, neu.RohstoffKz,
                     neu.RohstoffMengenbasis));
  for (Festkomma w : {s.StaffelPreis, s.RohVBPreis, s.VonBasis, s.BisBasis, s.RohVBFaktor, s.RohVBWert5, s.RohVBWert6,
                      s.RohstoffBasis, s.RohstoffFaktor, s.RohstoffGewicht, s.RohstoffWert4})
    EXPECT_EQ(w, 0);
  for (const std::string* t : {&s.StaffelBasistext1, &s.StaffelBasistext2, &s.StaffelVorzeichen, &s.RohVBMerker,
                               &s.RohVBVorzeichen, &s.RohstoffMerker})
    EXPECT_EQ(*t, "");
  const Dimensionszeile& d = ns.Dimensionstabelle[0];
  EXPECT_EQ(d.DimUnterkz + d.DimText + d.DimLangtextNr, "");
  EXPECT_EQ(ns.Langtexttabelle[0].LangtextMarke + ns.Langtexttabelle[0].LangtextZeile, "");
  const Setzeile& j = ns.SetTabelle[0];
  EXPECT_EQ(j.SetNr + j.SetMerker + j.SetKurztext + j.SetArtikelNr + j.SetBeschreibung, "");
  EXPECT_EQ(j.SetAufrufmerker, 0);
  EXPECT_EQ(j.SetMenge, 0);
  EXPECT_EQ(p.PArtikelNr + p.PZuAbMarke1 + p.PZuAbMarke2 + p.PZuAbMarke3 + p.PRabattgruppe, "");
  EXPECT_EQ(p.PPreiskz + p.PPreiseinheit + p.PZuAbKz1 + p.PZuAbKz2 + p.PZuAbKz3, 0);
  EXPECT_EQ(p.PPreis + p.PZuAbWert1 + p.PZuAbWert2 + p.PZuAbWert3, 0);
}

TEST(NeutralsatzLeeren, FreieZeilen) {
  Neutralsatz ns;
  EXPECT_EQ(FreieCZeile(ns), 0);
  for (auto& c : ns.CZeilen) c = "C";
  EXPECT_EQ(FreieCZeile(ns), -1);
  ns.Dimensionstabelle[0].DimUnterkz = "F";
  EXPECT_EQ(FreieDimensionszeile(ns), 1);
}

}  // namespace

// The reset without the article texts and the reset of those texts make the whole reset.
TEST(NeutralsatzLeeren, OhneArtikeltexteUndArtikeltexteZusammenAlles) {
  Neutralsatz ganz = GefuellterSatz();
  NeutralsatzLeeren(ganz);
  Neutralsatz teile = GefuellterSatz();
  NeutralsatzLeerenAusserArtikeltexten(teile);
  EXPECT_EQ(teile.ArtikelNr, "");
  EXPECT_EQ(teile.A5Zusatz, "");
  EXPECT_EQ(teile.Kurztext1, "Rohr");
  EXPECT_EQ(teile.Preis, "0000000100");
  EXPECT_EQ(teile.ReferenzNr, "R1");
  EXPECT_EQ(teile.Dimensionstabelle[0].DimUnterkz, "");
  ArtikeltexteLeeren(teile, AlleArtikelteile);
  for (const std::string* f : {&teile.Kurztext1, &teile.Kurztext2, &teile.Mengeneinheit, &teile.Preis,
                               &teile.Textkz, &teile.ReferenzNr})
    EXPECT_EQ(*f, "");
  EXPECT_EQ(teile.AnbindungKz, ganz.AnbindungKz);
  EXPECT_EQ(teile.Termin1, ganz.Termin1);
  EXPECT_EQ(teile.Verarbeitungskz, ganz.Verarbeitungskz);
}
