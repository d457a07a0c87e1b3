// Long texts between version 5 and versions 3 and 4, through whole conversions: version-5 keys of
// up to 15 characters become keys of 8, one written key per distinct key of the run, the same on
// A lines, D rows and T lines, so that every article keeps pointing at its own text and no text
// is merged into another one; keys written in another form are named in the error log. Text rows
// keep 70 characters in version 5 and are cut to 40, named in the log, in versions 3 and 4.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "konvertierhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

std::vector<std::string> Felder(const std::string& zeile) {
  std::vector<std::string> f;
  std::size_t a = 0;
  for (std::size_t e; (e = zeile.find(';', a)) != std::string::npos; a = e + 1) f.push_back(zeile.substr(a, e - a));
  f.push_back(zeile.substr(a));
  return f;
}

// Without trailing blanks and fillers.
std::string Ohne(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

std::string Feld(const std::vector<std::string>& f, std::size_t i) { return i < f.size() ? f[i] : std::string(); }

// A fixed field of a version-3 line (1-based position), without trailing blanks and fillers.
std::string Fest(const std::string& zeile, std::size_t von, std::size_t laenge) {
  return von - 1 < zeile.size() ? Ohne(zeile.substr(von - 1, laenge)) : std::string();
}

struct Text {
  std::string schluessel;
  std::vector<std::string> zeilen;
};

struct Artikel {
  std::string schluessel;               // the A line's long-text key
  std::vector<std::string> dimensionen;  // the long-text key of each D row
};

// What a file says about long texts: its texts in file order (a text starts with row 1 or a new
// key) and the keys of its articles.
struct Langtexte {
  std::vector<Text> texte;
  std::map<std::string, Artikel> artikel;
  std::size_t zeilen = 0;
};

Langtexte Lesen(const std::string& datei, int version) {
  Langtexte l;
  auto zeile = [&](const std::string& schluessel, const std::string& nummer, const std::string& text) {
    const bool neu = l.texte.empty() || l.texte.back().schluessel != schluessel || std::stoi(nummer) == 1;
    if (neu) l.texte.push_back({schluessel, {}});
    l.texte.back().zeilen.push_back(Ohne(text));
    ++l.zeilen;
  };
  for (const std::string& z : AusgabeZeilen(datei)) {
    if (z.empty()) continue;
    if (version == 3) {
      if (z[0] == 'T' || z[0] == 'E') {
        zeile(Fest(z, 3, 8), z.substr(17, 2), z.substr(28, 40));
        const std::string zweite = Fest(z, 69, 2);
        if (!zweite.empty() && zweite != "00") zeile(Fest(z, 3, 8), zweite, z.substr(79, 40));
      } else if (z[0] == 'A' && z[1] != 'L' && z[1] != 'X') {
        l.artikel[Fest(z, 3, 15)].schluessel = Fest(z, 121, 8);
      } else if (z[0] == 'D') {
        auto& d = l.artikel[Fest(z, 3, 15)].dimensionen;
        d.push_back(Fest(z, 21, 8));
        const std::string zweite = Fest(z, 69, 2);
        if (!zweite.empty() && zweite != "00") d.push_back(Fest(z, 72, 8));
      }
      continue;
    }
    const std::vector<std::string> f = Felder(z);
    if (version == 4) {
      if (f[0] == "T" || f[0] == "E") {
        zeile(f[2], f[4], Feld(f, 6));
        if (!Feld(f, 7).empty() && Feld(f, 7) != "0") zeile(f[2], f[7], Feld(f, 9));
      } else if (f[0] == "A" && f[1] != "L" && f[1] != "X") {
        l.artikel[f[2]].schluessel = Feld(f, 12);
      } else if (f[0] == "D") {
        auto& d = l.artikel[f[2]].dimensionen;
        d.push_back(Feld(f, 5));
        if (!Feld(f, 7).empty()) d.push_back(Feld(f, 9));
      }
    } else {
      if (f[0] == "T") {
        zeile(f[2], f[4], Feld(f, 5));
      } else if (f[0] == "A") {
        l.artikel[f[2]].schluessel = Feld(f, 23);
      } else if (f[0] == "D") {
        auto& d = l.artikel[f[2]].dimensionen;
        d.push_back(Feld(f, 6));
        if (!Feld(f, 7).empty() && Feld(f, 7) != "00") d.push_back(Feld(f, 10));
      }
    }
  }
  return l;
}

std::string Geaendert(const std::string& ur, const std::string& geschrieben) {
  return Auffuellen(ur, 16) + "\t" + Ansi("Textschlüssel geändert in: ") + "\t" + geschrieben;
}
std::string SchonVergeben(const std::string& schluessel, const std::string& an) {
  return Auffuellen(schluessel, 16) + "\t" + Ansi("Textschlüssel schon vergeben an: ") + "\t" + an;
}

struct Lauf {
  std::string aus;
  std::vector<std::string> eintraege;
};

Lauf Umwandeln(const std::string& inhalt, int version) {
  TempVerzeichnis v;
  const std::string ein = v.Datei("eingabe.dat");
  DateiSchreiben(ein, inhalt);
  Kontext k;
  SkriptFenster f;
  f.eingaben.push_back(std::string("DEM"));
  Lauf l;
  l.aus = Konvertieren(ein, version, v, &f, &k);
  l.eintraege = Protokolleintraege(k.kz.Fehlerprotokoll);
  return l;
}

bool Enthaelt(const std::vector<std::string>& v, const std::string& s) {
  for (const auto& e : v)
    if (e == s) return true;
  return false;
}

// The checks of a conversion from version 5 into version 3 or 4 (`ziel`) and back: every text
// arrives with all its rows, under one written key per key of the input, which every article and
// D row that named the text names as well. Two keys share a written key only where the log
// names the clash. Returns the written key of each input key.
std::map<std::string, std::string> TexteBleibenBeiIhrenArtikeln(const std::string& eingabe, const Lauf& ziel,
                                                                int version) {
  const Langtexte ein = Lesen(eingabe, 5);
  const Langtexte aus = Lesen(ziel.aus, version);
  std::map<std::string, std::string> geschrieben;
  EXPECT_EQ(aus.texte.size(), ein.texte.size());
  for (std::size_t i = 0; i < ein.texte.size() && i < aus.texte.size(); ++i) {
    const Text& e = ein.texte[i];
    const Text& a = aus.texte[i];
    EXPECT_EQ(a.zeilen.size(), e.zeilen.size()) << e.schluessel;
    EXPECT_LE(a.schluessel.size(), 8u);
    auto [platz, neu] = geschrieben.emplace(e.schluessel, a.schluessel);
    if (!neu) {
      EXPECT_EQ(a.schluessel, platz->second) << e.schluessel << " written under two keys";
    }
  }
  // Every key of an article names the same text as before.
  for (const auto& [nummer, artikel] : ein.artikel) {
    auto platz = aus.artikel.find(nummer);
    if (platz == aus.artikel.end()) {
      ADD_FAILURE() << "article " << nummer << " missing";
      continue;
    }
    auto gleich = [&](const std::string& vorher, const std::string& jetzt) {
      auto text = geschrieben.find(vorher);
      if (text != geschrieben.end()) {
        EXPECT_EQ(jetzt, text->second) << nummer << " " << vorher;
      }
    };
    gleich(artikel.schluessel, platz->second.schluessel);
    if (platz->second.dimensionen.size() != artikel.dimensionen.size()) {
      ADD_FAILURE() << "article " << nummer << " has other D rows";
      continue;
    }
    for (std::size_t i = 0; i < artikel.dimensionen.size(); ++i)
      gleich(artikel.dimensionen[i], platz->second.dimensionen[i]);
  }
  // Distinct keys, distinct written keys, except for a clash the log names.
  std::map<std::string, std::string> erster;
  for (const auto& [ur, schluessel] : geschrieben) {
    auto [platz, neu] = erster.emplace(schluessel, ur);
    if (neu) continue;
    const std::string& kurz = ur.size() <= 8 ? ur : platz->second;
    const std::string& lang = ur.size() <= 8 ? platz->second : ur;
    EXPECT_TRUE(Enthaelt(ziel.eintraege, SchonVergeben(kurz, lang))) << ur << " and " << platz->second;
  }
  return geschrieben;
}

// The rows of every text, in file order.
std::vector<std::string> Textzeilen(const Langtexte& l) {
  std::vector<std::string> z;
  for (const Text& t : l.texte) z.insert(z.end(), t.zeilen.begin(), t.zeilen.end());
  return z;
}

const std::string Kopf5 = "V;050;A;20250101;EUR;Textschluessel;Test;;;;;;;;;";

std::string ALine(const std::string& nummer, const std::string& schluessel) {
  return "A;N;" + nummer + ";Artikel " + nummer + ";;PCE;1;1;100;;;;;;;;;;;;1;;1;" + schluessel + ";;;;;;";
}
std::string TLine(const std::string& schluessel, int zeile, const std::string& text) {
  return "T;N;" + schluessel + ";1;" + (zeile < 10 ? "0" : "") + std::to_string(zeile) + ";" + text + ";";
}

}  // namespace

// The real file with 62 groups of keys equal in their first 8 characters: 5 -> 4 -> 5 and
// 5 -> 3 -> 5 bring back all 13,274 text rows, and in the version-4 and version-3 files every
// article points at its own text.
TEST(TextschluesselKorpus, JederTextKommtZurueckUndJederArtikelZeigtAufSeinenText) {
  const std::string pfad = Korpusdatei("halo__v5_only_texts_and_products.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  const std::string eingabe = DateiLesen(pfad);
  const Langtexte ein = Lesen(eingabe, 5);
  ASSERT_EQ(ein.zeilen, 13274u);
  for (int version : {4, 3}) {
    SCOPED_TRACE(version);
    const Lauf ziel = Umwandeln(eingabe, version);
    const auto geschrieben = TexteBleibenBeiIhrenArtikeln(eingabe, ziel, version);
    // The two keys the cut used to merge.
    EXPECT_EQ(geschrieben.at("TFX808363"), "TFX80836");
    EXPECT_EQ(geschrieben.at("TFX808364"), "TFX80801");
    EXPECT_TRUE(Enthaelt(ziel.eintraege, Geaendert("TFX808364", "TFX80801")));
    const Lauf zurueck = Umwandeln(ziel.aus, 5);
    EXPECT_EQ(Textzeilen(Lesen(zurueck.aus, 5)), Textzeilen(ein));
  }
}

// Generated keys: equal first 8 characters, numbered forms 01 to 99 and the four-digit form after
// them, a key of 8 characters met after a longer key got it, keys of A lines and D rows in the
// same key space as the T lines, and the cut without trailing blanks.
TEST(Textschluessel, KollisionenGebenEigeneSchluesselUndWerdenProtokolliert) {
  std::vector<std::string> z = {Kopf5};
  // A key of 8 characters before any longer key: a longer key's cut must avoid it all the same.
  z.push_back(TLine("ORDERKEY", 1, "kurzer Schluessel zuerst"));
  // The A line's key is given out before the D rows' keys; TFX808364 is met first on a D row.
  z.push_back(ALine("4711", "ORDERKEY2"));
  z.push_back("D;N;4711;01;A;Breite;ORDERKEY1;02;B;Hoehe;TFX808364;");
  z.push_back(TLine("ORDERKEY2", 1, "Text zu 4711"));
  z.push_back(TLine("ORDERKEY1", 1, "Dimension Breite"));
  z.push_back(TLine("TFX808363", 1, "Text 363"));
  z.push_back(TLine("TFX808363", 2, "zweite Zeile 363"));
  z.push_back(TLine("TFX808364", 1, "Text 364"));
  z.push_back(TLine("TFX80802", 1, "kurzer Schluessel"));
  z.push_back(TLine("TFX808365", 1, "Text 365"));
  z.push_back(TLine("TFX80836", 1, "kurz, nach dem langen"));
  z.push_back(TLine("TSD-851 E", 1, "Schluessel mit Blank"));
  // Keys are file text (CP850: 0x8E is "Ä"); the log shows them in their letters.
  z.push_back(TLine("M\x8ESS12345", 1, "Umlaut 1"));
  z.push_back(TLine("M\x8ESS12346", 1, "Umlaut 2"));
  // 101 keys with the same first 8 characters: the cut, 01 to 99, then four digits.
  for (int i = 0; i <= 101; ++i) {
    const std::string n = std::to_string(1000 + i).substr(1);
    z.push_back(TLine("KEY123XY" + n, 1, "Text " + n));
  }
  // After the clash the longer key shares its written key as well.
  z.push_back(ALine("4712", "TFX808364"));
  z.push_back(ALine("4713", "TSD-851 E"));
  z.push_back(ALine("4714", "KURZ1"));
  std::string eingabe;
  for (const auto& l : z) eingabe += l + "\r\n";

  const Lauf vier = Umwandeln(eingabe, 4);
  const Lauf drei = Umwandeln(eingabe, 3);
  for (const Lauf* ziel : {&vier, &drei}) {
    const int version = ziel == &vier ? 4 : 3;
    SCOPED_TRACE(version);
    const auto g = TexteBleibenBeiIhrenArtikeln(eingabe, *ziel, version);
    const std::map<std::string, std::string> erwartet = {
        {"ORDERKEY", "ORDERKEY"},     {"ORDERKEY2", "ORDERK01"},   {"ORDERKEY1", "ORDERK02"},
        {"TFX808364", "TFX80836"},    {"TFX808363", "TFX80801"},   {"TFX80802", "TFX80802"},
        {"TFX808365", "TFX80803"},  // 01 and 02 were given out
        {"TFX80836", "TFX80836"},   // the clash
        {"TSD-851 E", "TSD-851"},     {"KEY123XY000", "KEY123XY"}, {"KEY123XY001", "KEY12301"},
        {"KEY123XY099", "KEY12399"},  {"KEY123XY100", "KEY10001"}, {"KEY123XY101", "KEY10002"}};
    for (const auto& [ur, geschrieben] : erwartet) EXPECT_EQ(g.at(ur), geschrieben) << ur;
    const Langtexte aus = Lesen(ziel->aus, version);
    EXPECT_EQ(aus.artikel.at("4712").schluessel, "TFX80836");
    EXPECT_EQ(aus.artikel.at("4711").dimensionen, (std::vector<std::string>{"ORDERK02", "TFX80836"}));
    EXPECT_EQ(aus.artikel.at("4713").schluessel, "TSD-851");

    const std::vector<std::string>& e = ziel->eintraege;
    const std::string verlust = "\tDatenverlust: \t" + Ansi("Textschlüssel");
    // The article: its changed keys are logged before its data-loss entry. A text record is
    // named by the key it had in the input.
    ASSERT_GE(e.size(), 8u);
    EXPECT_EQ(e[0], Geaendert("ORDERKEY2", "ORDERK01"));
    EXPECT_EQ(e[1], Geaendert("ORDERKEY1", "ORDERK02"));
    EXPECT_EQ(e[2], Auffuellen("4711", 16) + verlust);
    EXPECT_EQ(e[3], Auffuellen("ORDERKEY2", 16) + verlust);
    EXPECT_EQ(e[4], Auffuellen("ORDERKEY1", 16) + verlust);
    EXPECT_EQ(e[5], Geaendert("TFX808363", "TFX80801"));
    EXPECT_EQ(e[6], Auffuellen("TFX808363", 16) + verlust);
    EXPECT_EQ(e[7], Auffuellen("TFX808364", 16) + verlust);
    EXPECT_TRUE(Enthaelt(e, Geaendert("TFX808365", "TFX80803")));
    EXPECT_EQ(g.at("M\x8ESS12346"), "M\x8ESS1201");
    EXPECT_TRUE(Enthaelt(e, Geaendert(Ansi("MÄSS12346"), Ansi("MÄSS1201"))));
    EXPECT_TRUE(Enthaelt(e, SchonVergeben("TFX80836", "TFX808364")));
    EXPECT_TRUE(Enthaelt(e, Auffuellen("TFX80836", 16) + verlust));
    EXPECT_TRUE(Enthaelt(e, Geaendert("KEY123XY001", "KEY12301")));
    EXPECT_TRUE(Enthaelt(e, Geaendert("KEY123XY101", "KEY10002")));
    EXPECT_TRUE(Enthaelt(e, Auffuellen("4712", 16) + verlust));
    // A key cut to its first 8 characters is named as well, without an entry of its own.
    for (const char* gekuerzt : {"TFX808364", "TSD-851 E", "KEY123XY000"}) {
      EXPECT_TRUE(Enthaelt(e, Auffuellen(gekuerzt, 16) + verlust)) << gekuerzt;
      EXPECT_FALSE(Enthaelt(e, Geaendert(gekuerzt, g.at(gekuerzt)))) << gekuerzt;
    }
    EXPECT_TRUE(Enthaelt(e, Auffuellen("4713", 16) + verlust));
    // Keys of up to 8 characters that no other key shares are no loss.
    for (const char* ohne : {"ORDERKEY", "TFX80802", "4714"}) EXPECT_FALSE(Enthaelt(e, Auffuellen(ohne, 16) + verlust)) << ohne;
    // Named for every record but ORDERKEY, TFX80802 and 4714: 4711, ORDERKEY2, ORDERKEY1, TFX808363,
    // TFX808364, TFX808365, TFX80836, TSD-851 E, the two with "Ä", the 102 KEY123XY texts, 4712,
    // 4713.
    EXPECT_EQ(e.back(), Ansi("Datenverlust Textschlüssel: 114 Datensätze"));
  }

  // Back in version 5 every text has its rows under a key of its own, but for the clash.
  const Langtexte zurueck = Lesen(Umwandeln(vier.aus, 5).aus, 5);
  std::set<std::string> schluessel;
  for (const Text& t : zurueck.texte) schluessel.insert(t.schluessel);
  EXPECT_EQ(Textzeilen(zurueck), Textzeilen(Lesen(eingabe, 5)));
  EXPECT_EQ(schluessel.size(), Lesen(eingabe, 5).texte.size() - 1);
}

// Rows of 70 characters and keys of 15: version 5 keeps them as they are; versions 3 and 4 cut
// the rows to 40 and name that in the log. Nothing in a conversion 5 -> 5 touches the keys.
TEST(Textschluessel, Version5BehaeltZeilenVon70UndLangeSchluessel) {
  const std::string zeile70 = std::string(60, 'x') + " 123456789";
  const std::vector<std::string> t = {TLine("LANGTEXTNR12345", 1, zeile70), TLine("LANGTEXTNR12345", 2, "kurz"),
                                      TLine("LANGTEXTNR12346", 1, "zweiter Text")};
  std::string eingabe = Kopf5 + "\r\n" + ALine("4711", "LANGTEXTNR12345") + "\r\n";
  eingabe += "D;N;4711;01;A;Breite;LANGTEXTNR12346;\r\n";
  for (const auto& l : t) eingabe += l + "\r\n";

  const Lauf fuenf = Umwandeln(eingabe, 5);
  std::vector<std::string> tZeilen;
  for (const auto& l : AusgabeZeilen(fuenf.aus))
    if (l.rfind("T;", 0) == 0) tZeilen.push_back(l);
  EXPECT_EQ(tZeilen, t);
  const Langtexte l5 = Lesen(fuenf.aus, 5);
  EXPECT_EQ(l5.artikel.at("4711").schluessel, "LANGTEXTNR12345");
  EXPECT_EQ(l5.artikel.at("4711").dimensionen, std::vector<std::string>{"LANGTEXTNR12346"});
  EXPECT_TRUE(fuenf.eintraege.empty());

  for (int version : {4, 3}) {
    SCOPED_TRACE(version);
    const Lauf ziel = Umwandeln(eingabe, version);
    const Langtexte l = Lesen(ziel.aus, version);
    ASSERT_EQ(l.texte.size(), 2u);
    EXPECT_EQ(l.texte[0].zeilen, (std::vector<std::string>{zeile70.substr(0, 40), "kurz"}));
    EXPECT_EQ(l.texte[0].schluessel, "LANGTEXT");
    EXPECT_EQ(l.texte[1].schluessel, "LANGTE01");
    EXPECT_EQ(l.artikel.at("4711").schluessel, "LANGTEXT");
    EXPECT_EQ(l.artikel.at("4711").dimensionen, std::vector<std::string>{"LANGTE01"});
    EXPECT_TRUE(Enthaelt(ziel.eintraege,
                         Auffuellen("LANGTEXTNR12345", 16) + "\tDatenverlust: \t" + Ansi("Textschlüssel Langtext")));
    EXPECT_TRUE(Enthaelt(ziel.eintraege, Ansi("Datenverlust Langtext: 1 Datensatz")));
  }
}
