// Round-trip audit: every real file and generated files of every version and data kind are
// converted to versions 3, 4 and 5 through the command-line road, input and output are read back
// into records and compared field by field (tests/treuehilfe.h says what counts as the same
// value). A same-version conversion must keep every value; a conversion to another version every
// value the target holds, with the target's width, and the error log must name each value it
// cannot hold for that record.
//
// A difference that is known and accepted for a while would be listed once, in Bekannt below,
// under the work that mends it; today the list is empty and every check is strict. Setting
// KORVELAN_TREUE_BERICHT to a file name appends every difference found to that file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>

#include "treuehilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using namespace korvelan::test::treue;

namespace {

// A known difference. Every pattern may use '*' and '?', and '|' between alternatives; `paare`
// lists patterns of "from>to" separated by blanks, `feld` matches the field name without row
// numbers ("Z1.StaffelPreis", "roh Z.14" for the raw field 14 of Z lines).
struct Ausnahme {
  const char* punkt;   // the item of the open work that changes it; "neu-n": a fault no item names yet
  const char* paare;
  const char* art;     // record kind: A, L, T, K, S, R, J, P (raw fields: the line letter)
  const char* feld;
  const char* klasse;  // Wert, Verlust, Kuerzung, Satz fehlt, Satz neu, Roh
  const char* wort;    // the loss word expected ("(kein Wort)": no item gives one)
  const char* datei;
  const char* schluessel;
  const char* warum;
};

// The one list of what does not hold yet (empty: every check holds). Delete an entry when its
// work lands: the check is strict from then on. The first entry that matches a difference takes it.
const std::vector<Ausnahme> Bekannt = {};

bool PasstEines(const char* muster, const std::string& text) {
  std::string m(muster);
  std::size_t a = 0;
  for (;;) {
    std::size_t e = m.find('|', a);
    if (Passt(m.substr(a, e == std::string::npos ? std::string::npos : e - a).c_str(), text.c_str())) return true;
    if (e == std::string::npos) return false;
    a = e + 1;
  }
}

bool PasstPaar(const char* muster, const std::string& paar) {
  std::string m(muster);
  std::size_t a = 0;
  while (a <= m.size()) {
    std::size_t e = m.find(' ', a);
    if (e == std::string::npos) e = m.size();
    if (Passt(m.substr(a, e - a).c_str(), paar.c_str())) return true;
    a = e + 1;
  }
  return false;
}

const Ausnahme* Ausnahmefuer(const Abweichung& x) {
  for (const Ausnahme& a : Bekannt)
    if (PasstPaar(a.paare, x.paar) && PasstEines(a.art, x.art) && PasstEines(a.feld, x.feld) &&
        PasstEines(a.klasse, x.klasse) && PasstEines(a.wort, x.wort) && PasstEines(a.datei, x.datei) &&
        PasstEines(a.schluessel, x.schluessel))
      return &a;
  return nullptr;
}

std::string Zeile(const Abweichung& x) {
  std::string z = x.datei + " " + x.paar + " " + x.klasse + " " + x.art + " " + x.feld + " [" + x.schluessel +
                  "] ein=\"" + Utf8(x.ein) + "\" aus=\"" + Utf8(x.aus) + "\"";
  if (!x.wort.empty()) z += " Wort=" + x.wort;
  if (x.protokoll != '-') z += std::string(" Protokoll=") + x.protokoll;
  return z;
}

// Sorts the differences into known ones (counted per entry of Bekannt) and unknown ones, which
// fail the test. Both are summarised; the full list goes to the report file when one is named.
void Bewerten(const Auditergebnis& e, const std::string& titel) {
  std::map<const Ausnahme*, std::size_t> bekannt;
  std::map<std::string, std::vector<const Abweichung*>> unbekannt;
  const char* bericht = std::getenv("KORVELAN_TREUE_BERICHT");
  std::ofstream datei;
  if (bericht) datei.open(bericht, std::ios::app);
  for (const Abweichung& x : e.abweichungen) {
    const Ausnahme* a = Ausnahmefuer(x);
    if (datei) datei << (a ? a->punkt : "NEU") << "\t" << Zeile(x) << "\n";
    if (a)
      ++bekannt[a];
    else
      unbekannt[x.datei + " " + x.paar + " " + x.klasse + " " + x.art + " " + x.feld].push_back(&x);
  }
  std::cout << titel << ": " << e.saetzeEin << " records in, " << e.saetzeAus << " out, " << e.felder
            << " fields compared, " << e.abweichungen.size() << " differences\n";
  for (auto& [a, n] : bekannt) std::cout << "  known (" << a->punkt << ", " << a->warum << "): " << n << "\n";
  for (auto& [gruppe, liste] : unbekannt) {
    ADD_FAILURE() << liste.size() << " x " << gruppe << "\n  e.g. " << Zeile(*liste.front());
  }
}

}  // namespace

// ---- Generated files ------------------------------------------------------------------------

struct Erzeugt {
  char dk;
  std::uint64_t artikel;
};
void PrintTo(const Erzeugt& e, std::ostream* os) { *os << e.dk << " x " << e.artikel; }

class TreueErzeugt : public ::testing::TestWithParam<Erzeugt> {};

TEST_P(TreueErzeugt, JedeVersionInJedeVersion) {
  TempVerzeichnis v;
  Auditergebnis gesamt;
  for (int von : {3, 4, 5}) {
    const std::string pfad = Erzeugen(v, von, GetParam().dk, GetParam().artikel, 7);
    const std::string name = std::string("erzeugt-v") + std::to_string(von) + GetParam().dk;
    Auditergebnis e = Pruefen(pfad, name, {3, 4, 5});
    gesamt.saetzeEin += e.saetzeEin;
    gesamt.saetzeAus += e.saetzeAus;
    gesamt.felder += e.felder;
    for (auto& x : e.abweichungen) gesamt.abweichungen.push_back(x);
  }
  EXPECT_GT(gesamt.saetzeEin, 0u);
  Bewerten(gesamt, std::string("generated ") + GetParam().dk);
}

// An article file of a little over 1000 articles holds every line kind the generator writes
// (product and discount groups come after article 996 and 1008).
INSTANTIATE_TEST_SUITE_P(Art, TreueErzeugt,
                         ::testing::Values(Erzeugt{'A', 1010}, Erzeugt{'S', 40}, Erzeugt{'R', 40}, Erzeugt{'J', 150},
                                           Erzeugt{'P', 300}),
                         [](const ::testing::TestParamInfo<Erzeugt>& i) { return std::string(1, i.param.dk); });

// ---- Real files -----------------------------------------------------------------------------

const char* const Echtdateien[] = {
    "halo__v4_datpreis.001",
    "halo__v4_products_before_texts.001",
    "halo__v4_text_product_and_extra.001",
    "halo__v4_with_empty_lines_and_invalid_tags.001",
    "halo__v4_with_texts.001",
    "halo__v5_first_texts_then_products.001",
    "halo__v5_only_texts_and_products.001",
    "halo__v5_texts_and_products.001",
    "halo__v5_texts_products.001",
    "halo__v5_texts_products_services.001",
    "fahrjo__datanorm_test.001",
    "fahrjo__datanorm_test.WRG",
    "fahrjo__datpreis_test.001",
    "datanormaz__DATANORM.001",
};

class TreueKorpus : public ::testing::TestWithParam<const char*> {};

TEST_P(TreueKorpus, InJedeVersion) {
  const std::string pfad = Korpusdatei(GetParam());
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  Auditergebnis e = Pruefen(pfad, GetParam(), {3, 4, 5});
  EXPECT_GT(e.saetzeEin, 0u);
  Bewerten(e, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Echt, TreueKorpus, ::testing::ValuesIn(Echtdateien),
                         [](const ::testing::TestParamInfo<const char*>& i) {
                           std::string n;
                           for (const char* c = i.param; *c; ++c) n += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                           return n;
                         });

// ---- Hand-written files for what the generator does not write --------------------------------

namespace {

std::string Satz3(std::initializer_list<std::pair<int, std::string>> felder, char rest = ' ') {
  std::string s(128, rest);
  for (const auto& [von, text] : felder)
    for (std::size_t i = 0; i < text.size() && von - 1 + i < 128; ++i) s[von - 1 + i] = text[i];
  return s;
}

const std::string Kopf4 = "V 150326Ergaenzung" + std::string(105, ' ') + "04DEM";

// Version 4: a price unit and a packing quantity given empty, a price too wide for version 3, a
// price flag 3, a renumber line right after the same article, a surcharge line of mark 6, a copper
// line of another weight unit, an insert text, a text with CP850 bytes, a blank discount-group
// description, a unit m2.
const std::string Ergaenzung4 = Zeilen({
    Kopf4,
    "A;N;E1;00;Rohr;;1;;STK;1000;;;;",
    "B;N;E1;MC1;;;0;;;4012345678901;;;;;;;",
    "A;N;E2;00;Ware;;1;0;STK;500;;;;",
    "A;X;E2;;E2NEU;",
    "A;N;E3;00;Beh\x84lter 5 m\xFC;Inhalt 100 l;1;0;m2;700;;;;",
    "A;N;E4;00;Zuschlag;;2;0;STK;800;;;;",
    "Z;N;E4;1;6;CU;1;1;00001000;000100;000200;001000;000050;000020;",
    "Z;N;E4;2;4;CU;000150;001000;001000;000005;",
    "A;N;E5;00;Teuer;;3;0;STK;1234567890;;;;",
    "E;N;TX1;;1;;Einf\x81getext;0;;;",
    "R;;R1;1;1000; ;",
});

// Version 5: the same kinds of values in the version-5 form, a labour line whose value scales by
// 1000, a raw-material line with its sixth value only, a text of kind 3, an A field 26 that is a
// letter, a labour line without its first code.
const std::string Ergaenzung5 = Zeilen({
    "V;050;A;20250415;EUR;Ergaenzung;;;;;;;;;;",
    "A;N;F1;Rohr;;PCE;1;;1234;;;;MC1;;;;;;;;;KAT1;;;;;;;",
    "A;N;F2;Ware;;MTK;1;1;500;;;;;;;;;;;;;;;;;X;;;",
    "Z;N;F2;01;2;CU;3;-;2;100;1234;15000;20000;1000;0;5;",
    "C;N;ARBA;F2;1;3;125;",
    "A;N;F3;Beh\x84lter 5 m\xFC;;PCE;1;1;700;;;;;;;;;;;;;;;;;;;",
    "C;N;ARBA;F3;0;2;125;",
    "T;N;TX5;3;01;Text der Art 3;",
    "E;8;Ende;",
});

// Version 3: a blank price-unit code.
const std::string Ergaenzung3 =
    Satz3({{1, "V 150326Ergaenzung"}}) + "\r\n" +
    Satz3({{1, "AN"}, {3, "G1"}, {18, "00"}, {20, "Rohr"}, {100, "1"}, {101, " "}, {102, "STK"}, {106, "00001000"}}) +
    "\r\n" + "\x1A";

// Price files: version 4 with a blank-flag discount group and an unused pair 0;0, version 5 with
// an unused pair 0;0 and a date that changes within one record.
const std::string Preise4 = Zeilen({
    "V 150326Preise" + std::string(109, ' ') + "04DEM",
    "P;A;P1;1;1000; ;HB86;;;;;P2;1;2000;0;0;;;;;;;;;;;;;",
});
const std::string Preise5 = Zeilen({
    "V;050;P;20250415;EUR;Preise;;;;;;;;;;",
    "P;Q1;1;1;1000;;0;0;;;;;20250601;",
    "P;Q2;1;1;2000;;1;1000;;;;;20250601;",
    "P;Q3;1;1;3000;;1;1000;;;;;20250701;",
});

}  // namespace

TEST(TreueErgaenzung, FaelleOhneErzeuger) {
  TempVerzeichnis v;
  Auditergebnis gesamt;
  const std::pair<const char*, const std::string*> dateien[] = {{"ergaenzung-v4", &Ergaenzung4},
                                                                {"ergaenzung-v5", &Ergaenzung5},
                                                                {"ergaenzung-v3", &Ergaenzung3},
                                                                {"preise-v4", &Preise4},
                                                                {"preise-v5", &Preise5}};
  for (const auto& [name, inhalt] : dateien) {
    const std::string pfad = v.Datei(std::string(name) + ".dat");
    DateiSchreiben(pfad, *inhalt);
    Auditergebnis e = Pruefen(pfad, name, {3, 4, 5});
    EXPECT_GT(e.saetzeEin, 0u) << name;
    gesamt.saetzeEin += e.saetzeEin;
    gesamt.saetzeAus += e.saetzeAus;
    gesamt.felder += e.felder;
    for (auto& x : e.abweichungen) gesamt.abweichungen.push_back(x);
  }
  Bewerten(gesamt, "hand-written");
}

// ---- The two real files with the most at stake ------------------------------------------------

namespace {

std::vector<std::string> ZeilenMit(const std::string& text, char art) {
  std::vector<std::string> z;
  for (const std::string& zeile : Zeilenliste(text))
    if (!zeile.empty() && zeile[0] == art) z.push_back(zeile);
  return z;
}

// A line without its empty trailing fields: "Z;...;626;;" and "Z;...;626;" are the same.
std::string OhneLeereEndfelder(std::string z) {
  while (z.size() >= 2 && z[z.size() - 1] == ';' && z[z.size() - 2] == ';') z.pop_back();
  return z;
}

}  // namespace

// The only real file with price scales: 5 -> 5 keeps every one of its 781 scale lines field for
// field.
TEST(TreueKorpusStaffel, AlleStaffelzeilenFeldFuerFeld) {
  const std::string pfad = Korpusdatei("datanormaz__DATANORM.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  TempVerzeichnis v;
  const Umwandlung u = Umwandeln(pfad, 5, v, "aus5.dat");
  const std::vector<std::string> ein = ZeilenMit(DateiLesen(pfad), 'Z');
  const std::vector<std::string> aus = ZeilenMit(DateiLesen(u.ausgabe), 'Z');
  ASSERT_EQ(ein.size(), 781u);
  ASSERT_EQ(aus.size(), 781u);
  // The article number (field 3) is a key: compared in capitals.
  auto schluesselGross = [](std::string z) {
    const std::size_t a = z.find(';', 2) + 1, e = z.find(';', a);
    for (std::size_t i = a; i < e; ++i) z[i] = GrossZeichen(z[i]);
    return z;
  };
  Auditergebnis e;
  for (std::size_t i = 0; i < ein.size(); ++i)
    if (OhneLeereEndfelder(schluesselGross(ein[i])) != OhneLeereEndfelder(aus[i]))
      e.abweichungen.push_back({"datanormaz__DATANORM.001", "5>5", "Z", "Staffelzeile", Teilen(ein[i])[2], ein[i],
                                aus[i], "Wert", "", '-'});
  Bewerten(e, "datanormaz 5>5 scale lines");
}

// 5 -> 4 -> 5 of the file with 13,274 text lines keeps every text line, and every article of the
// version-4 file points at its own text (the rows it had, as version 4 holds them).
TEST(TreueKorpusLangtext, UeberVersion4AlleTextzeilenUndJederArtikelBeiSeinemText) {
  const std::string pfad = Korpusdatei("halo__v5_only_texts_and_products.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  TempVerzeichnis v;
  const Umwandlung vier = Umwandeln(pfad, 4, v, "aus4.dat");
  const Umwandlung zurueck = Umwandeln(vier.ausgabe, 5, v, "zurueck5.dat");
  const std::size_t textzeilen = ZeilenMit(DateiLesen(pfad), 'T').size();
  ASSERT_EQ(textzeilen, 13274u);
  Auditergebnis e;
  const std::size_t danach = ZeilenMit(DateiLesen(zurueck.ausgabe), 'T').size();
  if (danach != textzeilen)
    e.abweichungen.push_back({"halo__v5_only_texts_and_products.001", "5>4>5", "T", "Textzeilen", "",
                              std::to_string(textzeilen), std::to_string(danach), "Wert", "", '-'});

  // The texts by key, and the articles with their keys, of the input and of the version-4 file.
  auto texte = [](const Dateibild& d) {
    std::map<std::string, std::vector<std::string>> t;
    for (const Satzbild& s : d.saetze)
      if (s.art == "T")
        for (const auto& [name, wert] : s.felder)
          if (name.rfind("T#", 0) == 0) t[s.schluessel].push_back(wert);
    return t;
  };
  const Dateibild ein = Einlesen(pfad), v4 = Einlesen(vier.ausgabe);
  const Protokoll log4(vier.protokoll);
  const auto texteEin = texte(ein), texte4 = texte(v4);
  std::map<std::string, std::string> schluessel4;
  for (const Satzbild& s : v4.saetze)
    if (s.art == "A" && s.felder.count("Langtextschluessel"))
      schluessel4[s.schluessel] = Gross(Trimmen(s.felder.at("Langtextschluessel")));
  std::size_t artikel = 0;
  for (const Satzbild& s : ein.saetze) {
    if (s.art != "A" || !s.felder.count("Langtextschluessel")) continue;
    ++artikel;
    const std::string k = Gross(Trimmen(s.felder.at("Langtextschluessel")));
    std::vector<std::string> erwartet;
    if (texteEin.count(k))
      for (const std::string& z : texteEin.at(k)) erwartet.push_back(Rechtstrimmen(z.substr(0, 40)));
    const std::string k4 = schluessel4.count(s.schluessel) ? schluessel4.at(s.schluessel) : std::string();
    const std::vector<std::string> bekommen = texte4.count(k4) ? texte4.at(k4) : std::vector<std::string>();
    // A key of up to 8 characters met after a longer key got the same 8 is written as it is: the
    // two texts share the key, which the log names.
    const bool geteilt = log4.geteilteSchluessel.count(DateitextNachAnsi(k4)) &&
                         std::search(bekommen.begin(), bekommen.end(), erwartet.begin(), erwartet.end()) != bekommen.end();
    if (bekommen != erwartet && !geteilt)
      e.abweichungen.push_back({"halo__v5_only_texts_and_products.001", "5>4>5", "A", "Textverweis", s.schluessel,
                                k + " (" + std::to_string(erwartet.size()) + " rows)",
                                k4 + " (" + std::to_string(bekommen.size()) + " rows)", "Wert", "", '-'});
  }
  EXPECT_EQ(artikel, 771u);
  Bewerten(e, "halo v5 texts 5>4>5");
}
