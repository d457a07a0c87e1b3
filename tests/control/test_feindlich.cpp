// Hostile input through the command-line road: garbage, truncated and oversized files, numbers
// too large, full tables, files that change under the run, outputs that cannot be written, and
// settings files of any shape. Each ends in its message or its skip; the input is never changed
// and an existing output is replaced only after the overwrite question was answered Yes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "konvertierhilfe.h"
#include "settings/grunddaten.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

const char* const Stufe3 = "Es ist ein allgemeiner Fehler bei der Verarbeitung aufgetreten!";
const char* const Unerkannt = "Keine bzw. fehlerhafte DATANORM - Datei";

const std::string KopfV5 = "V;050;A;20250415;EUR;Feindlich;;;;;;;;;;";

std::string KopfV4() {
  std::string k = "V 010125Feindlich";
  k.resize(123, ' ');
  return k + "04EUR";
}

std::string KopfV3() {
  std::string k = "V 010125Feindlich";
  k.resize(128, ' ');
  return k;
}

// One run through the command-line road; records what was asked.
struct Lauf {
  SkriptFenster f;
  Kontext k;
  Laufergebnis ergebnis{};

  Laufergebnis Starten(const std::string& ein, const std::string& aus, int version,
                       const std::function<void()>& dazwischen = {}) {
    StandardwerteAnwenden(k.gd);
    if (f.eingaben.empty()) f.eingaben.push_back(std::string("DEM"));
    DatumFestlegen(Testdatum);
    ArbeitszeileZerlegen(k, ein + ";" + aus + ";" + std::to_string(version));
    ergebnis = KommandozeilenLauf(k, f, dazwischen);
    DatumFestlegen("");
    return ergebnis;
  }
  bool Gefragt(const std::string& teil) const {
    return std::any_of(f.fragen.begin(), f.fragen.end(),
                       [&](const SkriptFenster::Frage& q) { return q.text.find(teil) != std::string::npos; });
  }
  const SkriptFenster::Frage* Frage(const std::string& teil) const {
    for (const auto& q : f.fragen)
      if (q.text.find(teil) != std::string::npos) return &q;
    return nullptr;
  }
};

// Converts the input text into every output version; checks that the input stays as it was.
// Returns the runs for further checks.
[[maybe_unused]] std::vector<std::string> JedeAusgabe(const std::string& inhalt, const TempVerzeichnis& v,
                                     std::vector<Laufergebnis>* ergebnisse = nullptr) {
  std::vector<std::string> ausgaben;
  const std::string ein = v.Datei("eingabe.dat");
  DateiSchreiben(ein, inhalt);
  for (int version : {3, 4, 5}) {
    const std::string aus = v.Datei("ausgabe" + std::to_string(version) + ".dat");
    Lauf l;
    l.Starten(ein, aus, version);
    if (ergebnisse) ergebnisse->push_back(l.ergebnis);
    ausgaben.push_back(DateiLesen(aus));
    EXPECT_EQ(DateiLesen(ein), inhalt) << "version " << version;
  }
  return ausgaben;
}

}  // namespace

TEST(Feindlich, BinaerschrottWirdNichtErkanntUndNichtsGeschrieben) {
  TempVerzeichnis v;
  std::mt19937 zufall(4711);
  for (std::size_t groesse : {1u, 129u, 130u, 131u, 5000u, 200000u}) {
    std::string inhalt(groesse, '\0');
    for (char& c : inhalt) c = static_cast<char>(zufall());
    inhalt[0] = '\xFF';  // never a header letter
    const std::string ein = v.Datei("schrott.dat");
    DateiSchreiben(ein, inhalt);
    Lauf l;
    EXPECT_EQ(l.Starten(ein, v.Datei("aus.dat"), 5), Laufergebnis::NichtsKonvertiert) << groesse;
    EXPECT_TRUE(l.Gefragt(Unerkannt)) << groesse;
    EXPECT_FALSE(DateiVorhanden(v.Datei("aus.dat")));
    EXPECT_EQ(DateiLesen(ein), inhalt);
  }
}

TEST(Feindlich, KopfsatzAlleinIstKeineDatei) {
  TempVerzeichnis v;
  for (const std::string& kopf : {KopfV3(), KopfV3() + "\r\n", KopfV4() + "\r\n", KopfV5 + "\r\n", KopfV5}) {
    const std::string ein = v.Datei("kopf.dat");
    DateiSchreiben(ein, kopf);
    Lauf l;
    EXPECT_EQ(l.Starten(ein, v.Datei("aus.dat"), 4), Laufergebnis::NichtsKonvertiert) << kopf;
    EXPECT_TRUE(l.Gefragt(Unerkannt)) << kopf;
    EXPECT_FALSE(DateiVorhanden(v.Datei("aus.dat")));
  }
}

TEST(Feindlich, ZeilenVonMegabytesWerdenAufIhreFelderGekuerzt) {
  TempVerzeichnis v;
  const std::string riesig(4 * 1024 * 1024, 'X');
  const std::string v5 = Zeilen({KopfV5, "A;N;4711;" + riesig + ";" + riesig + ";MTR;1;100;00012345;", riesig,
                                 "T;N;T1;1;01;" + riesig + ";", "E;4;Ende;"});
  const std::string v4 = Zeilen({KopfV4(), "A;N;4711;" + riesig + ";" + riesig + ";1;00012345;", riesig});
  const std::string v3 = KopfV3() + "\r\nA" + riesig + "\r\n";
  for (const std::string* inhalt : {&v5, &v4, &v3}) {
    std::vector<Laufergebnis> ergebnisse;
    for (const std::string& aus : JedeAusgabe(*inhalt, v, &ergebnisse)) {
      EXPECT_LT(aus.size(), 100000u);  // fields are cut to their widths
      EXPECT_EQ(aus.find(std::string(200, 'X')), std::string::npos);
    }
    for (Laufergebnis e : ergebnisse) EXPECT_NE(e, Laufergebnis::NichtsKonvertiert);
  }
}

TEST(Feindlich, NulUndFFUeberall) {
  TempVerzeichnis v;
  for (const char* name : {"v5_artikel.001", "v4_artikel.001", "v3_artikel.dat", "v5_set.001", "v5_preise.001"}) {
    std::string inhalt = DateiLesen(Testdaten(name));
    ASSERT_FALSE(inhalt.empty()) << name;
    // The version-4 file gets a header of full width, so that the analysis takes it.
    if (std::string(name).rfind("v4", 0) == 0) inhalt = KopfV4() + inhalt.substr(inhalt.find('\r'));
    // Behind the lines the analysis reads, every fifth byte that is no separator becomes NUL or 0xFF.
    std::size_t start = std::string(name).rfind("v3", 0) == 0 ? 390 : inhalt.find('\n', inhalt.find('\n', inhalt.find('\n') + 1) + 1) + 1;
    for (std::size_t i = start; i < inhalt.size(); i += 5)
      if (inhalt[i] != '\r' && inhalt[i] != '\n' && inhalt[i] != ';') inhalt[i] = (i / 5) % 2 ? '\0' : '\xFF';
    std::vector<Laufergebnis> ergebnisse;
    const auto ausgaben = JedeAusgabe(inhalt, v, &ergebnisse);
    for (const std::string& aus : ausgaben) EXPECT_FALSE(aus.empty()) << name;
    // Version 3 keeps NUL (its mark of an empty field) and version 5 keeps C lines byte for byte;
    // every other line of the line versions has blanks in their place.
    EXPECT_EQ(ausgaben[1].find('\0'), std::string::npos) << name;
    std::size_t anfang = 0;
    while (anfang < ausgaben[2].size()) {
      std::size_t ende = ausgaben[2].find('\n', anfang);
      if (ende == std::string::npos) ende = ausgaben[2].size();
      const std::string zeile = ausgaben[2].substr(anfang, ende - anfang);
      if (zeile.rfind("C;", 0) != 0) {
        EXPECT_EQ(zeile.find('\0'), std::string::npos) << name << ": " << zeile;
      }
      anfang = ende + 1;
    }
    for (Laufergebnis e : ergebnisse) EXPECT_NE(e, Laufergebnis::NichtsKonvertiert) << name;
  }
}

TEST(Feindlich, ZahlenVonDreissigStellen) {
  TempVerzeichnis v;
  const std::string dreissig = "123456789012345678901234567890";
  // A staffel end value of 30 digits is cut to its ten columns: version 5 carries them, versions
  // 3 and 4 have no place for the value and name the loss.
  const std::string ein = v.Datei("staffel.001");
  const std::string inhalt = Zeilen({KopfV5, "A;N;4711;Rohr;;MTR;1;100;00012345;",
                                     "Z;N;4711;01;1;Staffel;Staffel;1;+;2;100;1150;" + dreissig + ";", "E;3;Ende;"});
  DateiSchreiben(ein, inhalt);
  for (int version : {3, 4, 5}) {
    Lauf l;
    EXPECT_EQ(l.Starten(ein, v.Datei("aus" + std::to_string(version)), version), Laufergebnis::Konvertiert);
    EXPECT_EQ(DateiLesen(ein), inhalt);
    const std::string aus = DateiLesen(v.Datei("aus" + std::to_string(version)));
    if (version == 5)
      EXPECT_NE(aus.find(";1150;1234567890;"), std::string::npos);
    else
      EXPECT_NE(l.k.kz.Fehlerprotokoll.find(Ansi("4711            \tDatenverlust: \tZuschlagsätze")), std::string::npos)
          << version;
  }
  // A price of 30 digits takes its ten columns: the value is those digits, never a wrapped one.
  const std::string preis = Zeilen({KopfV5, "A;N;4711;Rohr;;MTR;1;100;" + dreissig + ";", "E;2;Ende;"});
  DateiSchreiben(ein, preis);
  Lauf l;
  EXPECT_EQ(l.Starten(ein, v.Datei("preis5"), 5), Laufergebnis::Konvertiert);
  EXPECT_NE(DateiLesen(v.Datei("preis5")).find(";1234567890;"), std::string::npos);
}

TEST(Feindlich, MehrAlsNeunundneunzigZeilenJederTabelle) {
  TempVerzeichnis v;
  std::vector<std::string> zeilen = {KopfV5, "A;N;4711;Rohr;;MTR;1;100;00012345;;;;;;;;;;;;;;;;T4711;"};
  for (const char* art : {"Z", "D", "C", "T"})
    for (int i = 1; i <= 130; ++i) {
      const std::string n = FormatierenGanz(i % 100, "00");
      const std::string a = art;
      if (a == "Z") zeilen.push_back("Z;N;4711;" + n + ";1;Staffel;Staffel;1;+;2;100;1150;10;");
      if (a == "D") zeilen.push_back("D;N;4711;" + n + ";T;;Dimension;;");
      if (a == "C") zeilen.push_back("C;N;ES" + n + ";4711;Zusatz;");
      if (a == "T") zeilen.push_back("T;N;T4711;1;" + n + ";Langtext;");
    }
  std::string artikel;
  for (const auto& z : zeilen) artikel += z + "\r\n";
  std::string set = Zeilen({"V;050;J;20250415;EUR;;;;;;;;;;;"});
  for (int i = 1; i <= 130; ++i) set += "J;N;SET1;1;" + FormatierenGanz(i % 100, "00") + ";1;4711;1000;\r\n";
  for (const std::string* inhalt : {&artikel, &set}) {
    std::vector<Laufergebnis> ergebnisse;
    const auto ausgaben = JedeAusgabe(*inhalt, v, &ergebnisse);
    for (Laufergebnis e : ergebnisse) EXPECT_EQ(e, Laufergebnis::Konvertiert);
    // Rows beyond the 99th are skipped, not written over the first ones.
    for (const char* art : {"Z;", "D;", "C;", "T;", "J;"}) {
      std::size_t n = 0;
      for (std::size_t p = ausgaben[2].find(std::string("\n") + art); p != std::string::npos;
           p = ausgaben[2].find(std::string("\n") + art, p + 1))
        ++n;
      EXPECT_LE(n, 99u) << art;
    }
  }
}

TEST(Feindlich, EingabeSchrumpftOderVerschwindetNachDerAnalyse) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("ein.001");
  const std::string aus = v.Datei("aus.001");
  const std::string inhalt = DateiLesen(Testdaten("v5_artikel.001"));
  {
    DateiSchreiben(ein, inhalt);
    Lauf l;
    EXPECT_EQ(l.Starten(ein, aus, 4, [&] { ::unlink(ein.c_str()); }), Laufergebnis::NichtsKonvertiert);
    EXPECT_TRUE(l.Gefragt(Ansi("Es ist ein Fehler beim Öffnen der Datei")));
    EXPECT_FALSE(DateiVorhanden(aus));
  }
  {
    DateiSchreiben(ein, inhalt);
    Lauf l;
    EXPECT_EQ(l.Starten(ein, aus, 4, [&] { DateiSchreiben(ein, ""); }), Laufergebnis::NichtsKonvertiert);
    EXPECT_TRUE(l.Gefragt(Ansi("Fehler in der Verarbeitung, kann Datei nicht mehr öffnen")));
    EXPECT_FALSE(DateiVorhanden(aus));
    EXPECT_EQ(DateiLesen(ein), "");
  }
  {
    // Cut in the middle of a line: what is left is converted.
    DateiSchreiben(ein, inhalt);
    const std::string rest = inhalt.substr(0, inhalt.size() / 2);
    Lauf l;
    EXPECT_EQ(l.Starten(ein, aus, 5, [&] { DateiSchreiben(ein, rest); }), Laufergebnis::Konvertiert);
    EXPECT_NE(DateiLesen(aus).find("\r\nE;"), std::string::npos);
    EXPECT_EQ(DateiLesen(ein), rest);
  }
}

TEST(Feindlich, AusgabeOhneVerzeichnisOderNurLesbar) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("ein.001");
  const std::string inhalt = DateiLesen(Testdaten("v5_artikel.001"));
  DateiSchreiben(ein, inhalt);
  std::vector<std::string> ziele = {v.Datei("fehlt/aus.001"), ein + "/aus.001"};
  if (::geteuid() != 0) {
    // Without root rights a directory without write permission refuses the file.
    const std::string nurLesbar = v.Datei("nurlesbar");
    ::mkdir(nurLesbar.c_str(), 0555);
    ziele.push_back(nurLesbar + "/aus.001");
  }
  for (const std::string& aus : ziele) {
    Lauf l;
    EXPECT_EQ(l.Starten(ein, aus, 4), Laufergebnis::NichtsKonvertiert) << aus;
    EXPECT_TRUE(l.Gefragt(Ansi("Es ist ein Fehler beim Öffnen der Datei: ") + aus + " aufgetreten!")) << aus;
    EXPECT_FALSE(DateiVorhanden(aus));
  }
  EXPECT_EQ(DateiLesen(ein), inhalt);
}

TEST(Feindlich, DevFullAlsAusgabe) {
  if (!DateiVorhanden("/dev/full")) GTEST_SKIP() << "/dev/full fehlt";
  TempVerzeichnis v;
  const std::string ein = v.Datei("ein.001");
  const std::string inhalt = DateiLesen(Testdaten("v5_artikel.001"));
  DateiSchreiben(ein, inhalt);
  {
    Lauf l;
    l.f.antworten.push_back(Antwort::Nein);
    EXPECT_EQ(l.Starten(ein, "/dev/full", 5), Laufergebnis::NichtsKonvertiert);
    EXPECT_TRUE(l.Gefragt(Ansi(" ist bereits vorhanden überschreiben?")));
  }
  for (int version : {3, 4, 5}) {
    Lauf l;
    l.f.antworten.push_back(Antwort::Ja);
    EXPECT_EQ(l.Starten(ein, "/dev/full", version), Laufergebnis::Fehler) << version;
    EXPECT_TRUE(l.Gefragt("Es ist ein Fehler beim Schreiben der Daten aufgetreten!")) << version;
  }
  struct stat st {};
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_EQ(DateiLesen(ein), inhalt);
}

TEST(Feindlich, VorhandeneAusgabeNurNachJa) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("ein.001");
  const std::string aus = v.Datei("aus.001");
  const std::string inhalt = DateiLesen(Testdaten("v5_artikel.001"));
  DateiSchreiben(ein, inhalt);
  DateiSchreiben(aus, "alt");
  {
    Lauf l;
    l.f.antworten.push_back(Antwort::Nein);
    EXPECT_EQ(l.Starten(ein, aus, 4), Laufergebnis::NichtsKonvertiert);
    EXPECT_EQ(DateiLesen(aus), "alt");
  }
  {
    // A run that stops before the output is opened leaves it alone, even a garbage input.
    DateiSchreiben(ein, "\xFF\x00 Schrott\r\nmehr\r\n");
    Lauf l;
    l.f.antworten.push_back(Antwort::Ja);
    EXPECT_EQ(l.Starten(ein, aus, 4), Laufergebnis::NichtsKonvertiert);
    EXPECT_EQ(DateiLesen(aus), "alt");
    DateiSchreiben(ein, inhalt);
  }
  {
    Lauf l;
    l.f.antworten.push_back(Antwort::Ja);
    EXPECT_EQ(l.Starten(ein, aus, 4), Laufergebnis::Konvertiert);
    EXPECT_EQ(DateiLesen(aus).rfind("V ", 0), 0u);
  }
  EXPECT_EQ(DateiLesen(ein), inhalt);
}

TEST(Feindlich, EinstellungsdateiMitSchrott) {
  TempVerzeichnis v;
  const std::string pfad = v.Datei("KELBORIS.DAT");
  Grunddaten standard;
  StandardwerteAnwenden(standard);
  std::mt19937 zufall(815);
  std::string schrott(100000, '\0');
  for (char& c : schrott) c = static_cast<char>(zufall());
  schrott[0] = 'X';  // a currency field; the rate field after it is no number
  // Garbage: what cannot be read leaves the defaults.
  for (const std::string& inhalt : {schrott, std::string("\"DEM\",abc,\"x\",\"y\"\r\n"), std::string(",,,"),
                                    std::string("\"\"\"\"\"\""), std::string(1, '"')}) {
    DateiSchreiben(pfad, inhalt);
    Grunddaten gd;
    LadeGrunddaten(gd, pfad);
    EXPECT_EQ(gd.WaehrungTab[0], standard.WaehrungTab[0]);
    EXPECT_EQ(gd.KursTab[0], standard.KursTab[0]);
    EXPECT_EQ(DateiLesen(pfad), inhalt);  // never written
  }
  // A line of several megabytes: the field is read whole, the next line follows.
  const std::string lang(3 * 1024 * 1024, 'L');
  DateiSchreiben(pfad, "\"EUR\",1,\"PCE\",\"" + lang + "\"\r\n\"DEM\",1.95583,\"MTR\",\"m   ;\"\r\n");
  Grunddaten gd;
  LadeGrunddaten(gd, pfad);
  EXPECT_EQ(gd.EinhTab[0], lang);
  EXPECT_EQ(gd.WaehrungTab[1], "DEM");
  EXPECT_DOUBLE_EQ(gd.KursTab[1], 1.95583);
  // 10,000 lines: the first 100 are the entries, the rest is ignored.
  std::string viele;
  for (int i = 0; i < 10000; ++i) viele += "\"W" + FormatierenGanz(i, "0000") + "\",2,\"C" + FormatierenGanz(i, "0") + "\",\"x;\"\r\n";
  DateiSchreiben(pfad, viele);
  Grunddaten gd2;
  LadeGrunddaten(gd2, pfad);
  EXPECT_EQ(gd2.WaehrungTab[0], "W0000");
  EXPECT_EQ(gd2.WaehrungTab[99], "W0099");
  EXPECT_EQ(gd2.EinhV5Tab[99], "C99");
  EXPECT_DOUBLE_EQ(gd2.KursTab[99], 2);
  // The tables read drive a whole run.
  const std::string ein = v.Datei("ein.001");
  DateiSchreiben(ein, DateiLesen(Testdaten("v5_artikel.001")));
  Lauf l;
  l.k.gd = gd2;
  EXPECT_EQ(l.Starten(ein, v.Datei("aus.dat"), 4), Laufergebnis::Konvertiert);
}
