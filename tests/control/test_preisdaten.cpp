// Prices, price dates, discount groups and price scales through whole conversions (the
// command-line road): what the output version holds arrives, in the same version unchanged, and
// what it cannot hold is named in the error log of the record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/analyse.h"
#include "konvertierhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const std::string Kopf5Preise = "V;050;P;20250415;EUR;Preise;";
const std::string Kopf5Artikel = "V;050;A;20250415;EUR;Artikel;";

// A version-4 header of 128 characters.
std::string Kopf4(const std::string& text) { return "V 010825" + Auffuellen(text, 115) + "04EUR"; }

// A version-3 record: the text padded to 128 characters with blanks, or with filler (code 0).
std::string Satz3(const std::string& text, char fuellung = ' ') {
  return text + std::string(128 - text.size(), fuellung);
}
const std::string Fueller5(5, '\0');
// The start of a version-3 price row: article number, price flag, price (eight digits).
std::string Zeile3(const std::string& nummer, const std::string& kz, const std::string& preis) {
  return Auffuellen(nummer, 15) + kz + preis;
}

struct Lauf {
  std::string aus;
  std::vector<std::string> zeilen;    // the output's lines without the header
  std::vector<std::string> eintraege; // the error log's entries, its closing count lines included
};

std::vector<std::string> ZeilenVon(const std::string& text) {
  std::vector<std::string> zeilen;
  std::size_t a = 0;
  for (std::size_t e; (e = text.find("\r\n", a)) != std::string::npos; a = e + 2)
    zeilen.push_back(text.substr(a, e - a));
  return zeilen;
}

Lauf Umwandeln(const std::string& inhalt, int version) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("eingabe.dat");
  DateiSchreiben(ein, inhalt);
  SkriptFenster f;
  f.eingaben.push_back(std::string("EUR"));
  Kontext k;
  Lauf l;
  l.aus = Konvertieren(ein, version, v, &f, &k);
  l.zeilen = ZeilenVon(l.aus);
  if (!l.zeilen.empty()) l.zeilen.erase(l.zeilen.begin());
  // A version-5 output ends with its end record.
  if (version == 5 && !l.zeilen.empty()) l.zeilen.pop_back();
  const std::string& p = k.kz.Fehlerprotokoll;
  const std::size_t start = p.find("\r\n\r\n");
  if (start != std::string::npos) l.eintraege = ZeilenVon(p.substr(start + 4));
  return l;
}

std::string Eintrag(const std::string& schluessel, const std::string& woerter) {
  return Auffuellen(schluessel, 16) + "\tDatenverlust: \t" + woerter;
}

// The lines of a given letter.
std::vector<std::string> ZeilenMit(const std::vector<std::string>& zeilen, char buchstabe) {
  std::vector<std::string> auswahl;
  for (const std::string& z : zeilen)
    if (!z.empty() && z[0] == buchstabe) auswahl.push_back(z);
  return auswahl;
}

}  // namespace

// Version-5 scale lines carry base marker and quantities from and to after the price (and the
// second end value): 5->5 keeps them, 5->4 puts them into the from/to fields of the mark-1 line,
// and the from/to of version-4 scale lines reach version 5.
TEST(Staffelpreise, MengenbereichInAllenVersionenMitStaffeln) {
  const std::string fuenf = Zeilen({Kopf5Artikel, "A;N;4711;Rohr;;MTR;2;1;626;",
                                    "Z;N;4711;01;1;Staffelpr. 45 bis 899;Staffelpr. 45 bis 899;1;+;2;1;626;;1;45;899;",
                                    "Z;N;4711;02;1;ab 900;ab 900;1;+;2;1;581;;1;900;9999999999;",
                                    "Z;N;4711;03;1;Zuschlag;Zuschlag;2;-;1;1;100;500;"});
  EXPECT_EQ(ZeilenMit(Umwandeln(fuenf, 5).zeilen, 'Z'),
            (std::vector<std::string>{
                "Z;N;4711;01;1;Staffelpr. 45 bis 899;Staffelpr. 45 bis 899;1;+;2;1;626;;1;45;899;",
                "Z;N;4711;02;1;ab 900;ab 900;1;+;2;1;581;;1;900;9999999999;",
                "Z;N;4711;03;1;Zuschlag;Zuschlag;2;-;1;1;100;500;"}));
  const std::string nachVier =
      Zeilen({Kopf5Artikel, "A;N;4711;Rohr;;MTR;2;1;626;",
              "Z;N;4711;01;1;Staffelpr. 45 bis 899;Staffelpr. 45 bis 899;1;+;2;1;626;;1;45;899;"});
  EXPECT_EQ(ZeilenMit(Umwandeln(nachVier, 4).zeilen, 'Z'),
            std::vector<std::string>{"Z;N;4711;1;1;1;Staffelpr. 45 bis 899;2;626;45;899;"});

  const std::string vier = Zeilen({Kopf4("Artikel"), "A;N;4711;00;Rohr;;2;0;m;626;;;;",
                                   "Z;N;4711;1;1;1;ab 45;2;626;45;899;", "Z;N;4711;2;2;1;Mindermenge;3;500;1;9;"});
  EXPECT_EQ(ZeilenMit(Umwandeln(vier, 5).zeilen, 'Z'),
            (std::vector<std::string>{"Z;N;4711;01;1;ab 45;ab 45;1;+;2;1;626;;1;45;899;",
                                      "Z;N;4711;02;1;Mindermenge;Mindermenge;2;+;1;1;500;;1;1;9;"}));
  EXPECT_EQ(ZeilenMit(Umwandeln(vier, 4).zeilen, 'Z'),
            (std::vector<std::string>{"Z;N;4711;1;1;1;ab 45;2;626;45;899;", "Z;N;4711;2;2;1;Mindermenge;3;500;1;9;"}));
}

// A version-5 P line's date (field 13) holds from its line on. It reaches version 4 as C TERMIN-1
// lines (the rows before a line of another date keep their own date), survives 5->5, and is named
// for every price record in version 3, which has no place for it. A date of other than eight
// characters is written in version 4 as its characters 7-8, 5-6 and 1-4 of the date padded to
// eight. Only field 6 gives a discount group: an unused pair 0;0 in discount 1 is no group "0".
TEST(Preisdatum, Version5InAlleVersionen) {
  const std::string preise = Zeilen({Kopf5Preise, "P;4711;1;1;12345;AB12;0;0;;;;;20250601;",
                                     "P;4712;2;1;500;;0;0;1;150;;;20250601;", "P;4713;1;1;999;;;;;;;;20250701;",
                                     "P;4714;1;1;100;;;;;;;;2025;"});
  const Lauf fuenf = Umwandeln(preise, 5);
  EXPECT_EQ(fuenf.zeilen, (std::vector<std::string>{"P;4711;1;1;12345;AB12;;;;;;;20250601;",
                                                    "P;4712;2;1;500;;;;1;150;;;20250601;",
                                                    "P;4713;1;1;999;;;;;;;;20250701;", "P;4714;1;1;100;;;;;;;;2025;"}));
  EXPECT_TRUE(fuenf.eintraege.empty());

  const Lauf vier = Umwandeln(preise, 4);
  EXPECT_EQ(vier.zeilen, (std::vector<std::string>{"C;;TERMIN-1;01062025;",
                                                   "P;A;4711;1;12345;0;AB12;;;;;4712;2;500;0;;1;150;;;",
                                                   "C;;TERMIN-1;01072025;", "P;A;4713;1;999;;;;;;;",
                                                   "C;;TERMIN-1;    2025;", "P;A;4714;1;100;;;;;;;"}));
  EXPECT_TRUE(vier.eintraege.empty());

  const Lauf drei = Umwandeln(preise, 3);
  ASSERT_EQ(drei.zeilen.size(), 3u);
  // Discount 1 of 4712 is kind 0 without a group.
  EXPECT_EQ(drei.zeilen[0].substr(0, 75), "PA" + Zeile3("4711", "1", "00012345") + "0AB12" + Fueller5 + Fueller5 +
                                              Zeile3("4712", "2", "00000500") + "0    " + "10150");
  // Each row of a price record has its entry.
  EXPECT_EQ(drei.eintraege, (std::vector<std::string>{Eintrag("4711", "Preisdatum"), Eintrag("4712", "Preisdatum"),
                                                      Eintrag("4713", "Preisdatum"), Eintrag("4714", "Preisdatum"), "",
                                                      Ansi("Datenverlust Preisdatum: 4 Datensätze")}));
}

// A version-4 TERMIN-1 date reaches the P lines of version 5. A discount group given without a
// flag (;HB86) is kept as a group of kind 0 in every version; in version 3 such a flag is
// filler. Version 3 names the date it cannot hold.
TEST(Preisdatum, Version4UndRabattgruppeOhneKennzeichen) {
  const std::string preise = Zeilen({Kopf4("Preise"), "K;;018988; ;", "C;;TERMIN-1;01082025;",
                                     "P;A;4711;1;85700;;HB86;;;;;4712;1;107300;1;5500;;;;;"});
  const Lauf fuenf = Umwandeln(preise, 5);
  EXPECT_EQ(ZeilenMit(fuenf.zeilen, 'P'), (std::vector<std::string>{"P;4711;1;1;85700;HB86;;;;;;;20250801;",
                                                                      "P;4712;1;1;107300;;1;5500;;;;;20250801;"}));
  const Lauf vier = Umwandeln(preise, 4);
  EXPECT_EQ(ZeilenMit(vier.zeilen, 'P'),
            std::vector<std::string>{"P;A;4711;1;85700;0;HB86;;;;;4712;1;107300;1;5500;;;;;"});
  EXPECT_TRUE(vier.eintraege.empty());
  const Lauf drei = Umwandeln(preise, 3);
  const std::vector<std::string> p3 = ZeilenMit(drei.zeilen, 'P');
  ASSERT_EQ(p3.size(), 1u);
  EXPECT_EQ(p3[0].substr(0, 41), "PA" + Zeile3("4711", "1", "00085700") + "0HB86" + Fueller5 + Fueller5);
  EXPECT_EQ(drei.eintraege, (std::vector<std::string>{Eintrag("4711", "Preisdatum"), Eintrag("4712", "Preisdatum"), "",
                                                      Ansi("Datenverlust Preisdatum: 2 Datensätze")}));

  // Version 3: a filler flag before a group.
  const std::string drei3 = Satz3("V 010125Preise") + "\r\n" +
                            Satz3("PA" + Zeile3("4711", "1", "00085700") + '\0' + "HB86" + Fueller5 + Fueller5, '\0') +
                            "\r\n";
  const Lauf zurueck3 = Umwandeln(drei3, 3);
  ASSERT_EQ(zurueck3.zeilen.size(), 1u);
  EXPECT_EQ(zurueck3.zeilen[0].substr(0, 41), "PA" + Zeile3("4711", "1", "00085700") + "0HB86" + Fueller5 + Fueller5);
  EXPECT_EQ(ZeilenMit(Umwandeln(drei3, 4).zeilen, 'P'), std::vector<std::string>{"P;A;4711;1;85700;0;HB86;;;;;"});

  // A discount of a kind this program does not know keeps its value in every version.
  const std::string art5 = Zeilen({Kopf4("Preise"), "P;A;4713;1;100;5;250;;;;;"});
  EXPECT_EQ(ZeilenMit(Umwandeln(art5, 4).zeilen, 'P'), std::vector<std::string>{"P;A;4713;1;100;5;250;;;;;"});
  EXPECT_EQ(ZeilenMit(Umwandeln(art5, 5).zeilen, 'P'), std::vector<std::string>{"P;4713;1;1;100;;5;250;"});
  const std::vector<std::string> art5drei = ZeilenMit(Umwandeln(art5, 3).zeilen, 'P');
  ASSERT_EQ(art5drei.size(), 1u);
  EXPECT_EQ(art5drei[0].substr(0, 31), "PA" + Zeile3("4713", "1", "00000100") + "50250");
  EXPECT_EQ(ZeilenMit(Umwandeln(Zeilen({Kopf5Preise, "P;4713;1;1;100;;5;250;"}), 5).zeilen, 'P'),
            std::vector<std::string>{"P;4713;1;1;100;;5;250;"});
}

// Version 3 has fixed-width number fields. A value too wide for its field (or negative) is
// written as filler (lines stay 128 characters) and named Zahlbreite; a price row whose price or
// discount does not fit is left out of its P line, as its filler price would read back as 0.
TEST(Zahlbreite, Version3LaesstPreiszeileAusUndNenntZuBreiteZahlen) {
  const Lauf preise = Umwandeln(Zeilen({Kopf5Preise, "P;4711;1;1;1234567890;", "P;4712;1;1;100;;1;-500;",
                                        "P;4713;1;1;200;;1;500;"}),
                                3);
  ASSERT_EQ(preise.zeilen.size(), 1u);
  EXPECT_EQ(preise.zeilen[0].size(), 128u);
  EXPECT_EQ(preise.zeilen[0].substr(0, 41), "PA" + Zeile3("4713", "1", "00000200") + "10500" + Fueller5 + Fueller5);
  EXPECT_EQ(preise.eintraege, (std::vector<std::string>{Eintrag("4711", "Zahlbreite"), Eintrag("4712", "Zahlbreite"),
                                                        "", Ansi("Datenverlust Zahlbreite: 2 Datensätze")}));

  const Lauf artikel = Umwandeln(Zeilen({Kopf4("Artikel"), "A;N;4711;00;Rohr;;1;0;m;1234567890;;;;",
                                         "A;N;4712;00;Rohr;;1;0;m;12345678;;;;", "R;;RG1;1;-125;Minus;"}),
                                 3);
  ASSERT_EQ(artikel.zeilen.size(), 3u);
  for (const std::string& z : artikel.zeilen) EXPECT_EQ(z.size(), 128u);
  EXPECT_EQ(artikel.zeilen[0].substr(105, 8), std::string(8, '\0'));  // the price as filler
  EXPECT_EQ(artikel.zeilen[1].substr(105, 8), "12345678");
  EXPECT_EQ(artikel.zeilen[2].substr(0, 12), "R RG1 1" + std::string(4, '\0') + "M");
  EXPECT_EQ(artikel.eintraege, (std::vector<std::string>{Eintrag("4711", "Zahlbreite"), Eintrag("RG1", "Zahlbreite"),
                                                         "", Ansi("Datenverlust Zahlbreite: 2 Datensätze")}));
}

// The interactive run converts prices before the record check: a version-3 price that fits before
// the conversion but not after it is named, and its row left out, within version 3 as well.
TEST(Zahlbreite, NachWaehrungsumrechnungAuchVonVersion3NachVersion3) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("ein.dat");
  const std::string aus = v.Datei("aus.dat");
  DateiSchreiben(ein, Satz3("V 010125Preise") + "\r\n" +
                          Satz3("PA" + Zeile3("4711", "1", "50000000") + Fueller5 + Fueller5 + Fueller5 +
                                    Zeile3("4712", "1", "00001000"),
                                '\0') +
                          "\r\n");
  Kontext k;
  StandardwerteAnwenden(k.gd);
  SkriptFenster f;
  f.SetzeText("Tex_Eingabe", ein);
  k.kz.Eingabedateiname = ein;
  EingabeAnalysieren(k, f);
  f.SetzeText("Tex_Ausgabe", aus);
  f.SetzeText("Com_Version", "3");
  f.SetzeText("Tex_Faktor", "3");
  f.antworten.push_back(Antwort::Ok);  // the question before prices are converted
  DatumFestlegen(Testdatum);
  EXPECT_EQ(InteraktivLauf(k, f), Laufergebnis::Konvertiert);
  DatumFestlegen("");
  const std::vector<std::string> zeilen = ZeilenVon(DateiLesen(aus));
  ASSERT_EQ(zeilen.size(), 2u);
  EXPECT_EQ(zeilen[1].substr(0, 26), "PA" + Zeile3("4712", "1", "00003000"));
  EXPECT_NE(k.kz.Fehlerprotokoll.find(Eintrag("4711", "Zahlbreite")), std::string::npos);
}

// Real version-4 price files: the TERMIN-1 date of the one file that has it reaches every P line
// of version 5 and is named for each of its price rows in version 3; every price row of both files fits
// version 3 and arrives there.
TEST(KorpusPreise, DatumNachVersion5UndAlleZeilenInVersion3) {
  const std::string halo = Korpusdatei("halo__v4_datpreis.001");
  const std::string fahrjo = Korpusdatei("fahrjo__datpreis_test.001");
  if (halo.empty() || fahrjo.empty()) GTEST_SKIP() << "corpus absent";
  const std::string haloInhalt = DateiLesen(halo);
  EXPECT_EQ(ZeilenMit(Umwandeln(haloInhalt, 5).zeilen, 'P'),
            (std::vector<std::string>{"P;RG6040640U1;1;1;85700;;1;5500;;;;;20250801;",
                                      "P;RG6050840U1;1;1;107300;;1;5500;;;;;20250801;",
                                      "P;RG6060950U1;1;1;161200;;1;5500;;;;;20250801;"}));
  EXPECT_EQ(ZeilenMit(Umwandeln(haloInhalt, 4).zeilen, 'C'), std::vector<std::string>{"C;;TERMIN-1;01082025;"});
  const Lauf haloDrei = Umwandeln(haloInhalt, 3);
  EXPECT_EQ(haloDrei.eintraege,
            (std::vector<std::string>{Eintrag("RG6040640U1", "Preisdatum"), Eintrag("RG6050840U1", "Preisdatum"),
                                      Eintrag("RG6060950U1", "Preisdatum"), "",
                                      Ansi("Datenverlust Preisdatum: 3 Datensätze")}));

  const Lauf fahrjoDrei = Umwandeln(DateiLesen(fahrjo), 3);
  EXPECT_TRUE(fahrjoDrei.eintraege.empty());
  const std::vector<std::string> p = ZeilenMit(fahrjoDrei.zeilen, 'P');
  ASSERT_EQ(p.size(), 4u);
  // Each line carries its three rows.
  for (const std::string& z : p)
    for (std::size_t r = 0; r < 3; ++r) EXPECT_NE(z.substr(2 + 39 * r, 6), std::string(6, '\0')) << r;
  EXPECT_EQ(p[3].substr(2, 39), Zeile3("996833", "2", "00007000") + "10000" + "10000" + "10000");
}
