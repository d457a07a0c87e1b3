// Characters through whole conversions: a byte of text read from a file arrives as the same byte
// in every output that holds the text; files in UTF-8 and Windows-1252 are read as the CP850 file
// with the same letters would be; real files keep their letters and their units.
#include <gtest/gtest.h>

#include <string>

#include "konvertierhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

// CP850 bytes that a Windows-1252 reading took for other letters (the "³" 0xFC, "ä" of Windows
// 0xE4, ...), the "è" 0x8A that became a blank, and the German letters of CP850.
const std::string Bytes = "\xA7\xB0\xB2\xB3\xC4\xD6\xDC\xDF\xE4\xF6\xFC\x8A\x81\x84\x94\xE1";
const std::string Kurztext = "Kurz " + Bytes;
const std::string Langtext = "Lang " + Bytes;
const std::string M3 = "m\xFC";  // "m³" in CP850

std::string V3Satz(std::string s) {
  s.resize(128, ' ');
  return s + "\r\n";
}

std::string V4Kopf() { return "V 010125" + Auffuellen("Zeichentest", 115) + "04EUR"; }

// One article with a short text, a long text and the unit "m³", in each version.
std::string Artikeldatei(int version) {
  if (version == 3)
    return V3Satz("V 010125Zeichentest") +
           V3Satz("AN4711           00" + Auffuellen(Kurztext, 40) + Auffuellen("Zweiter Text", 40) + "11" +
                  Auffuellen(M3, 4) + "00012345RG01123LT000001") +
           V3Satz("TN" + Auffuellen("LT000001", 15) + "01" + std::string(9, ' ') + Langtext);
  if (version == 4)
    return Zeilen({V4Kopf(), "T;N;LT000001;;01;;" + Langtext + ";;;;",
                   "A;N;4711;00;" + Kurztext + ";Zweiter Text;1;2;" + M3 + ";1990;RG1;001;LT000001;"});
  return Zeilen({"V;050;A;20250115;EUR;Zeichentest;",
                 "A;N;4711;" + Kurztext + ";Zweiter Text;MTQ;1;100;00012345;AB12;123;WG-01;;;;;;;;;0;;1;LT000001;",
                 "T;N;LT000001;1;01;" + Langtext + ";", "E;4;Ende;"});
}

bool Enthaelt(const std::string& s, const std::string& teil) { return s.find(teil) != std::string::npos; }

}  // namespace

// Every byte of the list survives 3->3, 4->4 and 5->5 and every cross-version conversion, in the
// short text and in the long text (which every version holds). The unit "m³" stays as it is
// between versions 3 and 4 (no code matches it), becomes MTQ in version 5, and MTQ becomes "m3"
// in versions 3 and 4, which maps back to MTQ.
TEST(Zeichen, TextbytesUeberstehenJedeKonvertierung) {
  for (int ein : {3, 4, 5}) {
    for (int aus : {3, 4, 5}) {
      SCOPED_TRACE(std::to_string(ein) + "->" + std::to_string(aus));
      TempVerzeichnis v;
      const std::string datei = v.Datei("ein.dat");
      DateiSchreiben(datei, Artikeldatei(ein));
      const std::string ausgabe = Konvertieren(datei, aus, v);
      ASSERT_FALSE(ausgabe.empty());
      EXPECT_TRUE(Enthaelt(ausgabe, Kurztext));
      EXPECT_TRUE(Enthaelt(ausgabe, Langtext));
      if (aus == 5)
        EXPECT_TRUE(Enthaelt(ausgabe, ein == 5 ? ";MTQ;" : ";MTQ ;"));
      else if (ein == 5)
        EXPECT_TRUE(Enthaelt(ausgabe, aus == 3 ? "m3  " : ";m3  ;"));
      else
        EXPECT_TRUE(Enthaelt(ausgabe, M3));
    }
  }
}

namespace {

// The same file in three character sets: the letters given as UTF-8 source text, each mapped to
// its Windows-1252 and its CP850 form.
struct Zeichenfall {
  const char* utf8;
  const char* ansi;
  const char* cp850;
};
const Zeichenfall Faelle[] = {
    {"ä", "\xE4", "\x84"}, {"ö", "\xF6", "\x94"}, {"ü", "\xFC", "\x81"}, {"ß", "\xDF", "\xE1"},
    {"Ä", "\xC4", "\x8E"}, {"Ö", "\xD6", "\x99"}, {"Ü", "\xDC", "\x9A"}, {"³", "\xB3", "\xFC"},
    {"²", "\xB2", "\xFD"}, {"°", "\xB0", "\xF8"}, {"é", "\xE9", "\x82"}, {"Ø", "\xD8", "\x9D"},
    {"€", "\x80", "?"},  // CP850 has no euro sign
    {"—", "\x97", "?"},
};

enum class Satz { Utf8, Ansi, Cp850 };

std::string Text(Satz satz, const std::string& vorlage) {
  // vorlage holds the letters as "<n>" with n their index in Faelle.
  std::string t;
  for (std::size_t i = 0; i < vorlage.size(); ++i) {
    if (vorlage[i] != '<') {
      t += vorlage[i];
      continue;
    }
    const std::size_t e = vorlage.find('>', i);
    const Zeichenfall& f = Faelle[std::stoi(vorlage.substr(i + 1, e - i - 1))];
    t += satz == Satz::Utf8 ? f.utf8 : satz == Satz::Ansi ? f.ansi : f.cp850;
    i = e;
  }
  return t;
}

// A version-4 file of many records whose texts are nearly all letters beyond ASCII: in UTF-8
// every block boundary of the reading cuts a character somewhere, and a field of 40 characters
// holds 80 or more bytes.
std::string GrosseDatei(Satz satz, int saetze) {
  std::string d = V4Kopf() + "\r\n";
  for (int i = 0; i < saetze; ++i) {
    std::string vorlage;
    for (int j = 0; j < 40; ++j) vorlage += "<" + std::to_string((i + j) % 14) + ">";
    const std::string nr = std::to_string(100000 + i);
    d += "A;N;" + nr + ";00;" + Text(satz, vorlage) + ";Gr<1><3>e " + nr + ";1;2;m<7>;1990;RG1;001;;\r\n";
  }
  return Text(satz, d);
}

}  // namespace

// A UTF-8 file and a Windows-1252 file convert to the very bytes their CP850 twin converts to,
// in every output version: letters to their CP850 bytes, the euro sign and the dash to "?",
// the 40-character fields counted in characters. The UTF-8 file is larger than the reading's
// block many times over.
TEST(Zeichen, Utf8UndWindows1252WieCp850) {
  const int saetze = 2500;
  for (int aus : {3, 4, 5}) {
    SCOPED_TRACE(aus);
    TempVerzeichnis v;
    std::string ergebnis[3];
    for (Satz satz : {Satz::Cp850, Satz::Utf8, Satz::Ansi}) {
      const std::string datei = v.Datei("ein.001");
      DateiSchreiben(datei, GrosseDatei(satz, saetze));
      Kontext k;
      ergebnis[static_cast<int>(satz)] = Konvertieren(datei, aus, v, nullptr, &k);
      EXPECT_EQ(k.kz.Eingabezeichensatz, satz == Satz::Utf8 ? "UTF-8" : satz == Satz::Ansi ? "Windows-1252" : "CP850");
    }
    ASSERT_GT(ergebnis[static_cast<int>(Satz::Cp850)].size(), 100000u);
    EXPECT_EQ(ergebnis[static_cast<int>(Satz::Utf8)], ergebnis[static_cast<int>(Satz::Cp850)]);
    EXPECT_EQ(ergebnis[static_cast<int>(Satz::Ansi)], ergebnis[static_cast<int>(Satz::Cp850)]);
  }
}

// Version 3 in UTF-8: each record is 128 characters (more bytes) and is read as one block again.
TEST(Zeichen, Version3InUtf8) {
  // A record of 128 characters in the given set: padded by the length of its CP850 form.
  auto satz3 = [](Satz satz, const std::string& vorlage) {
    return Text(satz, vorlage) + std::string(128 - Text(Satz::Cp850, vorlage).size(), ' ') + "\r\n";
  };
  auto datei = [&](Satz satz) {
    return satz3(satz, "V 010125Zeichentest") +
           // The short text: 12 characters and 28 blanks.
           satz3(satz, "AN4711           00Gr<1><3>e <4><5><6> <8><7>" + std::string(28, ' ') +
                           Auffuellen("Zweiter Text", 40) + "11m<7>  00012345RG01123") +
           satz3(satz, "AN4712           00<10><11> Ende");
  };
  for (int aus : {3, 4, 5}) {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("cp850.dat"), datei(Satz::Cp850));
    DateiSchreiben(v.Datei("utf8.dat"), datei(Satz::Utf8));
    const std::string erwartet = Konvertieren(v.Datei("cp850.dat"), aus, v);
    ASSERT_TRUE(Enthaelt(erwartet, "4712")) << aus;
    EXPECT_EQ(Konvertieren(v.Datei("utf8.dat"), aus, v), erwartet) << aus;
  }
}

// Beyond the first 4 MiB the decision is made: a byte there that is no valid UTF-8 becomes "?",
// and a character cut by the 4 MiB edge does not make the file CP850. A byte-order mark is no
// text.
TEST(Zeichen, Utf8JenseitsDerErstenVierMiB) {
  TempVerzeichnis v;
  std::string d = "\xEF\xBB\xBF" + V4Kopf() + "\r\n";
  const std::size_t grenze = std::size_t{4} << 20;
  for (int i = 0; d.size() < grenze - 200; ++i)
    d += "A;N;" + std::to_string(100000 + i) + ";00;Text;;1;2;St;1990;;;;\r\n";
  // An "ä" whose second byte lies beyond the edge; empty lines (which the reader skips) bring it
  // there.
  const std::string vorne = "A;N;4711;00;xxxxx";
  d += std::string(grenze - 1 - d.size() - vorne.size(), '\n');
  d += vorne + "\xC3\xA4;Zweiter;1;2;St;1990;;;;\r\n";
  ASSERT_EQ(d.substr(grenze - 1, 2), "\xC3\xA4");
  d += "A;N;4712;00;Ung\xFCltig \xC3 und \x80;;1;2;St;1990;;;;\r\n";
  const std::string datei = v.Datei("ein.001");
  DateiSchreiben(datei, d);
  Kontext k;
  const std::string aus = Konvertieren(datei, 4, v, nullptr, &k);
  EXPECT_EQ(k.kz.Eingabezeichensatz, "UTF-8");
  EXPECT_EQ(aus.substr(0, 2), "V ");
  EXPECT_TRUE(Enthaelt(aus, "A;N;4711;00;xxxxx\x84;Zweiter;"));
  EXPECT_TRUE(Enthaelt(aus, "A;N;4712;00;Ung?ltig ? und ?;"));
}

// Real files: the Windows-1252 product-group file and the two version-4 files with UTF-8 letters
// arrive in CP850; the CP850 files stay CP850 and keep their bytes in a same-version conversion.
TEST(ZeichenKorpus, ZeichensatzUndBuchstabenEchterDateien) {
  struct Fall {
    const char* name;
    const char* zeichensatz;
    const char* text;  // in the output, in CP850
  };
  const Fall faelle[] = {
      {"fahrjo__datanorm_test.WRG", "Windows-1252", "Installationsger\x84te & -systeme"},
      {"halo__v4_text_product_and_extra.001", "UTF-8", "Pultgeh\x84use"},
      {"halo__v4_with_empty_lines_and_invalid_tags.001", "UTF-8", "Pultgeh\x84use"},
      {"halo__v4_with_texts.001", "CP850", "z.\xFF" "B."},
      {"datanormaz__DATANORM.001", "CP850", "\x9D"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const std::string pfad = Korpusdatei(f.name);
    if (pfad.empty()) GTEST_SKIP() << "corpus absent";
    const int version = std::string(f.name).rfind("datanormaz", 0) == 0 ? 5 : 4;
    TempVerzeichnis v;
    SkriptFenster fenster;
    fenster.eingaben.push_back(std::string("EUR"));
    Kontext k;
    const std::string aus = Konvertieren(pfad, version, v, &fenster, &k);
    EXPECT_EQ(k.kz.Eingabezeichensatz, f.zeichensatz);
    EXPECT_TRUE(Enthaelt(aus, f.text));
    if (std::string(f.zeichensatz) != "CP850") {
      EXPECT_FALSE(Enthaelt(aus, "\xC3")) << "UTF-8 left in the output";
    }
  }
}

// The units of datanormaz__DATANORM.001 survive 5->4->5: MTK goes out as "m2" and comes back as
// MTK, and no article is left with the spelling of version 4.
TEST(ZeichenKorpus, EinheitenUeberVersion4Zurueck) {
  const std::string pfad = Korpusdatei("datanormaz__DATANORM.001");
  if (pfad.empty()) GTEST_SKIP() << "corpus absent";
  TempVerzeichnis v;
  const std::string original = DateiLesen(pfad);
  const std::string vier = Konvertieren(pfad, 4, v);
  ASSERT_TRUE(Enthaelt(vier, ";m2  ;"));
  DateiSchreiben(v.Datei("vier.001"), vier);
  TempVerzeichnis w;
  const std::string fuenf = Konvertieren(v.Datei("vier.001"), 5, w);
  auto zaehlen = [](const std::string& text, const std::string& teil) {
    std::size_t n = 0;
    for (std::size_t p = 0; (p = text.find(teil, p)) != std::string::npos; p += teil.size()) ++n;
    return n;
  };
  EXPECT_EQ(zaehlen(fuenf, ";m2"), 0u);
  EXPECT_EQ(zaehlen(fuenf, ";MTK ;"), zaehlen(original, ";MTK;"));
  EXPECT_GT(zaehlen(original, ";MTK;"), 60u);
}
