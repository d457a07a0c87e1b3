#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "control/konvertierlauf.h"
#include "control/skriptfenster.h"
#include "formats/v3/leser_v3.h"
#include "record/text.h"
#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const std::string NUL1(1, '\0');
std::string Nul(std::size_t n) { return std::string(n, '\0'); }

// A version-3 record: 128 columns of fill with the pieces placed at their 1-based columns,
// followed by CR LF.
std::string Satz(std::vector<std::pair<std::size_t, std::string>> teile, char fuellung = ' ') {
  std::string z(128, fuellung);
  for (const auto& [spalte, text] : teile) z.replace(spalte - 1, text.size(), text);
  z.resize(128);
  return z + "\r\n";
}

const std::string Kopf = Satz({{1, "V 010125"}, {9, "Testlieferant"}});

class LeserV3 : public ::testing::Test {
 protected:
  void Oeffnen(const std::string& inhalt) {
    k.lauf.setFrage = [this] { return SetFrageStellen(f); };
    EingabeOeffnen(k, dir, inhalt);
    k.lz.ZeileVorgelesen = 0;
  }
  void DateiOeffnen(const std::string& name) { Oeffnen(DateiLesen(Testdaten(name))); }
  std::int16_t Artikel() { return v3::Artikelleser(k); }
  std::int16_t Set() { return v3::SetLeser(k); }
  std::int16_t Preis() { return v3::Preisleser(k); }

  TempVerzeichnis dir;
  Kontext k;
  SkriptFenster f;
};

// ---- Articles --------------------------------------------------------------------------------

TEST_F(LeserV3, HeaderIsSkippedAndArticleLinesAreGrouped) {
  Oeffnen(Kopf + Satz({{1, "AN4711"}, {20, "Kurz eins"}}) + Satz({{1, "bn4711"}, {18, "MATCH"}}) +
          Satz({{1, "AN4712"}, {20, "Zweiter"}}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.ArtikelNr, "4711");
  EXPECT_EQ(k.ns.Verarbeitungskz, "N");
  EXPECT_EQ(k.ns.Kurztext1, "Kurz eins");
  EXPECT_EQ(k.ns.Matchcode, "MATCH");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "4711");
  EXPECT_EQ(k.lz.ZeileVorgelesen, -1);
  // The last full block is data: the second article arrives together with the end of the input.
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "4712");
  EXPECT_EQ(k.ns.Kurztext1, "Zweiter");
  EXPECT_EQ(k.ns.Matchcode, "");
  EXPECT_EQ(Artikel(), -1);
}

TEST_F(LeserV3, ArticleFieldsNulMarkersAndOemBytes) {
  std::string kurz1 = "Gr\x94\xE1" "e gr\x81n";  // OEM ö, ß, ü stay as read
  Oeffnen(Satz({{1, "aa 4711"}, {18, NUL1 + "1"}, {20, kurz1}, {60, Nul(40)}, {100, NUL1}, {101, "2"},
                {102, "m\xFD"}, {106, "00012345"}, {114, Nul(4)}, {118, "12" + NUL1}, {121, "LT" + Nul(6)}}));
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "4711");
  EXPECT_EQ(k.ns.Verarbeitungskz, "A");
  EXPECT_EQ(k.ns.Textkz, "@");
  EXPECT_EQ(k.ns.Kurztext1, kurz1);
  EXPECT_EQ(k.ns.Kurztext2, "@");
  EXPECT_EQ(k.ns.Preiskz, "@");
  EXPECT_EQ(k.ns.Preiseinheit, "100");
  EXPECT_EQ(k.ns.Mengeneinheit, "m\xFD");
  EXPECT_EQ(k.ns.Preis, "0000012345");
  EXPECT_EQ(k.ns.Rabattgruppe, "@");
  EXPECT_EQ(k.ns.Warenhauptgruppe, "12");  // filler after a value is not part of it
  EXPECT_EQ(k.ns.Langtextschluessel, "LT");
  // B fields stay empty without a B line.
  EXPECT_EQ(k.ns.Verpackungsmenge, "");
  EXPECT_EQ(k.ns.Kostenart, "");
  // The record is shown as read, in the file's code (the window shows it in its letters, the
  // filler as blanks).
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigteZeile)).size(), 128u);
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigteZeile)).substr(19, 9), "Gr\x94\xE1" "e gr\x81");
}

// Text fields end at their last character other than blank or filler, and filler inside reads as
// a blank, whatever the length of the text and wherever the filler stands.
TEST_F(LeserV3, TextEndsAndFillerInsideAtEveryPosition) {
  std::string inhalt;
  std::vector<std::string> erwartet;
  for (std::size_t laenge = 1; laenge <= 40; ++laenge) {
    for (std::size_t nul : {std::size_t{0}, laenge / 2, laenge - 1}) {
      std::string text;
      for (std::size_t i = 0; i < laenge; ++i) text += static_cast<char>('a' + i % 26);
      text[nul] = '\0';
      // Behind the text: blanks and filler mixed, up to the end of the 40 columns.
      for (std::size_t i = laenge; i < 40; ++i) text += i % 3 == 0 ? '\0' : ' ';
      std::string gelesen = text;
      for (char& c : gelesen)
        if (c == '\0') c = ' ';
      erwartet.push_back(text[0] == '\0' ? "@" : Rechtstrimmen(gelesen));  // filler first: present but empty
      inhalt += Satz({{1, "AN" + std::to_string(erwartet.size())}, {20, "x"}, {60, text}});
    }
  }
  Oeffnen(inhalt);
  for (const std::string& e : erwartet) {
    Artikel();
    ASSERT_EQ(k.ns.Kurztext2, e);
  }
}

TEST_F(LeserV3, PriceUnitCodes) {
  const std::vector<std::pair<std::string, std::string>> faelle = {
      {"0", "0"}, {"1", "10"}, {"2", "100"}, {"3", "1000"}, {"7", ""}, {" ", "0"}, {NUL1, "@"}};
  std::string inhalt;
  for (std::size_t i = 0; i < faelle.size(); ++i)
    inhalt += Satz({{1, std::string("AN10") + static_cast<char>('0' + i)}, {101, faelle[i].first}, {106, NUL1}});
  Oeffnen(inhalt);
  for (std::size_t i = 0; i < faelle.size(); ++i) {
    Artikel();
    EXPECT_EQ(k.ns.Preiseinheit, faelle[i].second) << "code " << i;
    EXPECT_EQ(k.ns.Preis, "@");
  }
}

TEST_F(LeserV3, DeleteAndRenumberTakeNothingElse) {
  Oeffnen(Satz({{1, "AL4712"}, {18, Nul(111)}}) + Satz({{1, "AN4712"}, {20, "neu"}}) +
          Satz({{1, "AX4713"}, {18, Nul(2)}, {20, "neu-4714"}, {35, Nul(94)}}) + Satz({{1, "TN1"}, {18, "01"}}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Verarbeitungskz, "L");
  EXPECT_EQ(k.ns.NummerAltKz, "L");
  EXPECT_EQ(k.ns.ArtikelNr, "4712");
  EXPECT_EQ(k.ns.Kurztext1, "");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "XXXXXXXXXXXXXXX");
  // Even a line of the same article starts a new record after a delete.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Kurztext1, "neu");
  EXPECT_EQ(k.ns.NummerAltKz, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Verarbeitungskz, "X");
  EXPECT_EQ(k.ns.NummerAltKz, "A");
  EXPECT_EQ(k.ns.NeueArtikelNr, "NEU-4714");
  EXPECT_EQ(k.ns.Kurztext1, "");
}

// A record after a delete or renumber record whose own flag is none of N, A, L must not inherit
// that flag: it would be written as a delete and its data lost.
TEST_F(LeserV3, UnknownFlagAfterDeleteOrRenumberIsAChange) {
  Oeffnen(Satz({{1, "AL4712"}, {18, Nul(111)}}) + Satz({{1, "A 4713"}, {20, "Rohr"}, {106, "00001000"}}) +
          Satz({{1, "AX4714"}, {20, "4715"}}) + Satz({{1, "D?4716"}, {18, "01A"}, {29, "Breite"}}) +
          Satz({{1, "AL4717"}}) + Satz({{1, "T LT1"}, {18, "01"}, {29, "Text"}}) + Satz({{1, "AN4718"}}) +
          Satz({{1, "A 4719"}}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Verarbeitungskz, "L");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.ArtikelNr, "4713");
  EXPECT_EQ(k.ns.Verarbeitungskz, "A");
  EXPECT_EQ(k.ns.NummerAltKz, "");
  EXPECT_EQ(k.ns.Kurztext1, "Rohr");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Verarbeitungskz, "X");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.ArtikelNr, "4716");
  EXPECT_EQ(k.ns.Verarbeitungskz, "A");
  ASSERT_EQ(Artikel(), 0);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.LangtextNr, "LT1");
  EXPECT_EQ(k.ns.Verarbeitungskz, "A");
  // A flag that is neither delete nor renumber is kept as before.
  ASSERT_EQ(Artikel(), 0);
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "4719");
  EXPECT_EQ(k.ns.Verarbeitungskz, "N");
}

TEST_F(LeserV3, BFirstAndCopperData) {
  Oeffnen(Satz({{1, "BA4711"}, {18, NUL1}, {33, "ALT-1"}, {48, Nul(6)}, {54, "2150001234"}, {64, "4012345678901"}}) +
          Satz({{1, "BN4712"}, {54, "1150000000"}}) + Satz({{1, "BN4713"}, {54, "0150001234"}}) +
          Satz({{1, "BN4714"}, {54, "1080000050"}}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Verarbeitungskz, "A");
  EXPECT_EQ(k.ns.ArtikelNr, "4711");
  EXPECT_EQ(k.ns.Verpackungsmenge, "1");
  EXPECT_EQ(k.ns.Kostenart, "90");
  EXPECT_EQ(k.ns.Matchcode, "@");
  EXPECT_EQ(k.ns.AlternativArtikelNr, "ALT-1");
  EXPECT_EQ(k.ns.Katalogseite, "@");
  EXPECT_EQ(k.ns.EanNr, "4012345678901");
  EXPECT_EQ(k.ns.Kurztext1, "");
  const auto& cu = k.ns.Staffeltabelle[0];
  EXPECT_EQ(cu.StaffelArt, 3);
  EXPECT_EQ(cu.RohstoffMerker, "CU");
  EXPECT_EQ(cu.RohstoffKz, 2);
  EXPECT_EQ(cu.RohstoffMengenbasis, 1000);
  EXPECT_EQ(cu.RohstoffBasis, 150 * FestkommaEins);
  EXPECT_EQ(cu.RohstoffFaktor, 100);   // 0.01
  EXPECT_EQ(cu.RohstoffGewicht, 123400);  // 12.34
  EXPECT_EQ(cu.RohstoffWert4, 10);     // 0.001
  EXPECT_EQ(k.ns.Staffeltabelle[1].StaffelArt, 0);
  // Weight 0 and flag "0" give no copper row.
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Staffeltabelle[0].StaffelArt, 0);
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Staffeltabelle[0].StaffelArt, 0);
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.Staffeltabelle[0].RohstoffMengenbasis, 100);
  EXPECT_EQ(k.ns.Staffeltabelle[0].RohstoffWert4, 100);
  EXPECT_EQ(k.ns.Staffeltabelle[0].RohstoffGewicht, 5000);
}

TEST_F(LeserV3, DimensionRowsOnlyWithLineNumber) {
  Oeffnen(Satz({{1, "DN4711"}, {18, "011LT000001Breite 20"}, {69, "02 " + Nul(8) + "Hoehe 30"}}) +
          Satz({{1, "DN4711"}, {18, "00"}, {20, "9"}, {29, "verworfen"}, {69, "03X"}, {80, "Tiefe"}, {120, Nul(9)}}) +
          Satz({{1, "DN4711"}, {18, "04Y"}, {69, Nul(60)}}));
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "4711");
  EXPECT_EQ(k.ns.Verarbeitungskz, "N");
  const auto& d = k.ns.Dimensionstabelle;
  EXPECT_EQ(d[0].DimUnterkz, "1");
  EXPECT_EQ(d[0].DimLangtextNr, "LT000001");
  EXPECT_EQ(d[0].DimText, "Breite 20");
  EXPECT_EQ(d[1].DimUnterkz, " ");
  EXPECT_EQ(d[1].DimLangtextNr, "");
  EXPECT_EQ(d[1].DimText, "Hoehe 30");
  EXPECT_EQ(d[2].DimUnterkz, "X");
  EXPECT_EQ(d[2].DimText, "Tiefe");
  EXPECT_EQ(d[3].DimUnterkz, "Y");
  EXPECT_EQ(d[4].DimUnterkz, "");
}

TEST_F(LeserV3, LongAndInsertTextsAreRecordsOfTheirOwn) {
  Oeffnen(Satz({{1, "AN4711"}}) + Satz({{1, "TNlt1"}, {18, "01"}, {29, "  eingerueckt"}, {69, "00"}, {80, "weg"}}) +
          Satz({{1, "TALT1"}, {18, "02"}, {29, "zwei"}, {69, "03"}, {80, "drei"}, {120, Nul(9)}}) +
          Satz({{1, "ENLT1"}, {18, "01"}, {29, "Einfuegetext"}, {69, Nul(60)}}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.LangtextNr, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "TLT1");
  EXPECT_EQ(k.ns.LangtextNr, "LT1");
  EXPECT_EQ(k.ns.LangtextArt, 1);
  EXPECT_EQ(k.ns.Verarbeitungskz, "N");
  EXPECT_EQ(k.ns.ArtikelNr, "");
  const auto& t = k.ns.Langtexttabelle;
  EXPECT_EQ(t[0].LangtextZeile, "  eingerueckt");
  EXPECT_EQ(t[1].LangtextZeile, "zwei");
  EXPECT_EQ(t[2].LangtextZeile, "drei");
  EXPECT_EQ(t[2].LangtextMarke, "X");
  EXPECT_EQ(t[3].LangtextMarke, "");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.LangtextArt, 2);
  EXPECT_EQ(t[0].LangtextZeile, "Einfuegetext");
  EXPECT_EQ(t[1].LangtextMarke, "");
}

TEST_F(LeserV3, LongTextWithoutNumberDoesNotLeakIntoTheNext) {
  Oeffnen(Satz({{1, "TN"}, {18, "01"}, {29, "ohne Nummer"}}) + Satz({{1, "AN4711"}}) +
          Satz({{1, "TNLT2"}, {18, "01"}, {29, "richtig"}}));
  ASSERT_EQ(Artikel(), 0);
  ASSERT_EQ(Artikel(), 0);
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.Langtexttabelle[0].LangtextZeile, "richtig");
  EXPECT_EQ(k.ns.Langtexttabelle[1].LangtextMarke, "");
}

TEST_F(LeserV3, OneLineRecordsAndSkippedLetters) {
  Oeffnen(Satz({{1, "AN4711"}}) + Satz({{1, "ZN4711"}, {20, "1"}}) + Satz({{1, "PN4711"}, {18, "1"}}) +
          Satz({{1, "k abc1234   1"}}) + Satz({{1, "S 12 Armaturen"}}) + Satz({{1, "R rg011" "2500Rabatt eins"}}) +
          Satz({{1, "R RG022" "1250Faktor"}}));
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.ArtikelNr, "4711");
  EXPECT_EQ(k.ns.Kundennummer, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Kundennummer, "ABC1234");
  EXPECT_EQ(k.ns.Preispflege, "1");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "KundennummerSatz");
  EXPECT_EQ(k.ns.ArtikelNr, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.Hauptwarengruppe, "12");
  EXPECT_EQ(k.ns.WgBezeichnung, "Armaturen");
  EXPECT_EQ(k.ns.Kundennummer, "");
  ASSERT_EQ(Artikel(), 0);
  EXPECT_EQ(k.ns.RgNummer, "RG01");
  EXPECT_EQ(k.ns.RabattKz, 1);
  EXPECT_EQ(k.ns.Rabatt, 25 * FestkommaEins);
  EXPECT_EQ(k.ns.RgBezeichnung, "Rabatt eins");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "Rabatt-Gr. Satz");
  ASSERT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.RabattKz, 2);
  EXPECT_EQ(k.ns.Rabatt, 12500);  // 1.25
}

// ---- End of input ------------------------------------------------------------------------------

TEST_F(LeserV3, EndMarkers) {
  const std::string a1 = Satz({{1, "AN1"}}), a2 = Satz({{1, "AN2"}});
  // A block beginning with 0x1A ends the input; what follows it is never read.
  Oeffnen(a1 + Satz({{1, "\x1A"}}) + a2);
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "1");
  EXPECT_EQ(k.lz.Eingabezeile, "");
  // A short last block (a lone end-of-file byte, or a cut record) ends it too.
  Oeffnen(a1 + "\x1A");
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "1");
  Oeffnen(a1 + a2.substr(0, 129));
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "1");
  Oeffnen("");
  EXPECT_EQ(Artikel(), -1);
  EXPECT_EQ(k.ns.ArtikelNr, "");
}

TEST_F(LeserV3, BlocksOfNulAndFFBytesDoNotCrash) {
  std::string roh;
  for (int i = 0; i < 130; ++i) roh += static_cast<char>(i % 2 ? 0xFF : 0x00);
  std::string inhalt;
  for (const char* art : {"A", "B", "D", "T", "E", "K", "S", "R", "J", "P"})
    inhalt += std::string(art) + std::string(127, '\xFF') + "\r\n" + std::string(art) + Nul(129);
  Oeffnen(roh + inhalt);
  int n = 0;
  while (Artikel() == 0 && n < 100) ++n;
  EXPECT_LT(n, 100);
  Oeffnen(inhalt);
  for (n = 0; Set() == 0 && n < 100;) ++n;
  EXPECT_LT(n, 100);
  Oeffnen(inhalt);
  for (n = 0; Preis() == 0 && n < 100;) ++n;
  EXPECT_LT(n, 100);
}

// ---- SET files ----------------------------------------------------------------------------

TEST_F(LeserV3, SetPositionsAndQuestionOncePerRun) {
  Oeffnen(Kopf + Satz({{1, "K 4711"}}) +
          Satz({{1, "jnset1"}, {18, "Badset"}, {33, "a-4711"}, {48, "0002000"}, {55, Nul(22)}, {77, "4712"},
                {92, "0000500"}, {99, "4713"}, {114, "00010" + Nul(2)}, {121, Nul(8)}}) +
          Satz({{1, "JASET1"}, {18, "Badset"}, {33, "4714"}, {48, "0010000"}, {55, Nul(74)}}) +
          Satz({{1, "JNSET2"}, {33, "4715"}, {48, "0000001"}}));
  f.antworten = {Antwort::Nein};
  ASSERT_EQ(Set(), 0);
  EXPECT_EQ(k.ns.Kundennummer, "4711");
  EXPECT_TRUE(f.fragen.empty());  // no question before the first J record
  ASSERT_EQ(Set(), 0);
  ASSERT_EQ(f.fragen.size(), 1u);
  EXPECT_EQ(f.fragen[0].text,
            Ansi("Eingabe = JA  wenn die SET-Blöcke als Aufruf-Folgen (Jumbo, Block, Faulenzer usw.) eingesetzt "
                 "werden\n\nEingabe = NEIN   bei Verwendung der SET-Blöcke als Stücklisten"));
  EXPECT_EQ(f.fragen[0].titel, "");
  EXPECT_EQ(f.fragen[0].knoepfe, Knoepfe::JaNein);
  EXPECT_EQ(f.fragen[0].symbol, Symbol::Frage);
  EXPECT_EQ(k.lauf.setVerwendung, "1");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "SET1");
  EXPECT_EQ(k.ns.Verarbeitungskz, "A");
  const auto& s = k.ns.SetTabelle;
  // Position 2 is blank: positions 1, 3 and 4 of the first line, then the second line.
  const std::vector<std::pair<std::string, Festkomma>> erwartet = {
      {"A-4711", 2 * FestkommaEins}, {"4712", 5000}, {"4713", FestkommaEins / 100}, {"4714", 10 * FestkommaEins}};
  for (std::size_t i = 0; i < erwartet.size(); ++i) {
    EXPECT_EQ(s[i].SetNr, "SET1");
    EXPECT_EQ(s[i].SetKurztext, "Badset");
    EXPECT_EQ(s[i].SetMerker, "1");
    EXPECT_EQ(s[i].SetAufrufmerker, 1);
    EXPECT_EQ(s[i].SetBeschreibung, "");
    EXPECT_EQ(s[i].SetArtikelNr, erwartet[i].first) << i;
    EXPECT_EQ(s[i].SetMenge, erwartet[i].second) << i;
  }
  EXPECT_EQ(s[4].SetNr, "");
  ASSERT_EQ(Set(), -1);
  EXPECT_EQ(f.fragen.size(), 1u);
  EXPECT_EQ(s[0].SetNr, "SET2");
  EXPECT_EQ(s[0].SetMenge, 10);
  EXPECT_EQ(s[0].SetMerker, "1");
  EXPECT_EQ(s[1].SetNr, "");
}

TEST_F(LeserV3, SetAnswerYesMarksCallSequencesAndANewRunAsksAgain) {
  const std::string inhalt = Satz({{1, "JNS1"}, {33, "1"}}) + Satz({{1, "JNS2"}, {33, "2"}});
  Oeffnen(inhalt);
  f.antworten = {Antwort::Ja};
  Set();
  Set();
  EXPECT_EQ(k.ns.SetTabelle[0].SetMerker, "L");
  EXPECT_EQ(f.fragen.size(), 1u);
  // The run clears the state at its start: the question comes again.
  k.lauf.setVerwendung.clear();
  Oeffnen(inhalt);
  f.antworten = {Antwort::Nein};
  Set();
  EXPECT_EQ(f.fragen.size(), 2u);
  EXPECT_EQ(k.ns.SetTabelle[0].SetMerker, "1");
}

// ---- Price files --------------------------------------------------------------------------

TEST_F(LeserV3, PriceLinesWithThreeArticlesAndDiscounts) {
  // Article blocks start at 3, 42 and 81.
  Oeffnen(Kopf + Satz({{1, "An4711"}}) +
          Satz({{1, "pa4711"}, {18, "1"}, {19, "00012345"}, {27, "10500"}, {32, Nul(5)}, {37, "32000"},
                {42, "4712"}, {57, "2"}, {58, "00000990"}, {66, "0RG07"}, {71, Nul(10)},
                {81, "4713"}, {96, "1"}, {97, "00100000"}, {105, "21250"}, {110, " 0000"}, {115, NUL1 + "0100"}},
               '\0') +
          Satz({{1, "PN4714"}, {18, "1"}, {19, "00000100"}, {27, "     "}, {42, std::string(39, ' ')}, {81, "4715"}},
               '\0'));
  ASSERT_EQ(Preis(), 0);
  EXPECT_EQ(k.ns.Verarbeitungskz, "A");
  EXPECT_EQ(std::string(std::string_view(k.lz.GezeigterSchluessel)), "4711");
  EXPECT_TRUE(k.kz.Fehlerprotokoll.empty());  // other letters are skipped without a log entry
  const auto& p = k.ns.Preistabelle;
  EXPECT_EQ(p[0].PArtikelNr, "4711");
  EXPECT_EQ(p[0].PPreiskz, 1);
  EXPECT_EQ(p[0].PPreis, 12345 * 100);
  EXPECT_EQ(p[0].PZuAbKz1, 1);
  EXPECT_EQ(p[0].PZuAbWert1, 5 * FestkommaEins);
  EXPECT_EQ(p[0].PZuAbMarke1, "");
  EXPECT_EQ(p[0].PZuAbMarke2, "@");
  EXPECT_EQ(p[0].PZuAbKz2, 0);
  EXPECT_EQ(p[0].PZuAbKz3, 3);
  EXPECT_EQ(p[0].PZuAbWert3, 20 * FestkommaEins);
  EXPECT_EQ(p[1].PArtikelNr, "4712");
  EXPECT_EQ(p[1].PPreiskz, 2);
  EXPECT_EQ(p[1].PPreis, 99000);
  EXPECT_EQ(p[1].PZuAbKz1, 0);
  EXPECT_EQ(p[1].PRabattgruppe, "RG07");
  EXPECT_EQ(p[1].PZuAbMarke1, "");
  EXPECT_EQ(p[1].PZuAbMarke2, "@");
  EXPECT_EQ(p[1].PZuAbMarke3, "@");
  EXPECT_EQ(p[2].PArtikelNr, "4713");
  EXPECT_EQ(p[2].PPreis, 1000 * FestkommaEins);
  EXPECT_EQ(p[2].PZuAbKz1, 2);
  EXPECT_EQ(p[2].PZuAbWert1, 12500);  // 1.25
  EXPECT_EQ(p[2].PZuAbMarke2, "");    // a blank flag is not the NUL marker
  EXPECT_EQ(p[2].PZuAbKz2, 0);
  EXPECT_EQ(p[2].PZuAbMarke3, "@");
  EXPECT_EQ(p[2].PZuAbKz3, 0);
  ASSERT_EQ(Preis(), -1);
  // A blank second article leaves no gap: the third moves up to row 2.
  EXPECT_EQ(p[0].PArtikelNr, "4714");
  EXPECT_EQ(p[0].PZuAbMarke1, "");
  EXPECT_EQ(p[0].PRabattgruppe, "");
  EXPECT_EQ(p[1].PArtikelNr, "4715");
  EXPECT_EQ(p[1].PZuAbMarke1, "@");
  EXPECT_EQ(p[2].PArtikelNr, "");
  EXPECT_EQ(k.ns.Verarbeitungskz, "N");
}

// ---- Whole files ---------------------------------------------------------------------------

// The data files hold what the writers of version 3 produce: NUL filler, OEM letters, a full last
// block (article file) and a closing 0x1A byte (price file).
TEST_F(LeserV3, DataFilesReadToTheirLastRecord) {
  DateiOeffnen("v3_artikel.dat");
  std::vector<std::string> schluessel;
  while (Artikel() == 0) schluessel.push_back(std::string(std::string_view(k.lz.GezeigterSchluessel)));
  EXPECT_EQ(schluessel, (std::vector<std::string>{"4711", "TLT000001", "XXXXXXXXXXXXXXX", "XXXXXXXXXXXXXXX",
                                                  "Waren-Gr. Satz", "Rabatt-Gr. Satz", "KundennummerSatz"}));
  EXPECT_EQ(k.ns.ArtikelNr, "4715");
  EXPECT_EQ(k.ns.Preis, "0000000099");

  DateiOeffnen("v3_set.dat");
  ASSERT_EQ(Set(), 0);
  EXPECT_EQ(k.ns.SetTabelle[3].SetArtikelNr, "4714");
  ASSERT_EQ(Set(), -1);
  EXPECT_EQ(k.ns.SetTabelle[0].SetKurztext, "K\x81" "chenset");

  DateiOeffnen("v3_preis.dat");
  ASSERT_EQ(Preis(), 0);
  EXPECT_EQ(k.ns.Preistabelle[2].PZuAbWert1, 12500);
  ASSERT_EQ(Preis(), -1);
  EXPECT_EQ(k.ns.Preistabelle[1].PArtikelNr, "4715");
}

}  // namespace
