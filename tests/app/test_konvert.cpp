// The headless converter as a program: exit status, messages on standard error, the log file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <thread>
#include <vector>

#include "testhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

std::string Kopf4(const std::string& waehrung = "DEM") {
  return "V 010199" + Auffuellen("Preisliste", 40) + Auffuellen("", 40) + Auffuellen("", 35) + "04" + waehrung;
}

struct Aufruf {
  int status = -1;
  std::string fehlerausgabe;
};

std::string Quote(const std::string& s) { return "'" + s + "'"; }

bool IstRegulaer(const std::string& pfad) { return std::filesystem::is_regular_file(pfad); }

Aufruf Starten(const std::string& argumente, const TempVerzeichnis& v) {
  std::string fehler = v.Datei("stderr.txt");
  std::string befehl = std::string(KORVELAN_KONVERT) + " " + argumente + " >/dev/null 2>" + Quote(fehler) + " </dev/null";
  int r = std::system(befehl.c_str());
  Aufruf a;
  a.status = WIFEXITED(r) ? WEXITSTATUS(r) : -1;
  a.fehlerausgabe = DateiLesen(fehler);
  return a;
}

}  // namespace

TEST(KorvelanKonvert, RueckgabewerteNachAusgang) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string aus = v.Datei("aus.dat");
  DateiSchreiben(ein, Zeilen({Kopf4(), "R;;AB;1;1250;Rabattgruppe AB;"}));

  // Converted without log entries.
  EXPECT_EQ(Starten(Quote(ein) + " " + Quote(aus) + " 5", v).status, 0);
  EXPECT_EQ(DateiLesen(aus).substr(0, 6), "V;050;");

  // The output exists: without --ueberschreiben the question is answered No.
  Aufruf a = Starten(Quote(ein) + " " + Quote(aus) + " 5", v);
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.fehlerausgabe.find("[Ausgabedatei ] Datei "), std::string::npos);
  EXPECT_NE(a.fehlerausgabe.find("-> Nein"), std::string::npos);
  EXPECT_EQ(Starten(Quote(ein) + " " + Quote(aus) + " 5 --ueberschreiben", v).status, 0);

  // Parameter check.
  a = Starten(Quote(ein) + " " + Quote(aus) + " 9", v);
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.fehlerausgabe.find("Vers.Nr für Ausgabedatei nicht angegeben bzw. falsch"), std::string::npos);
  EXPECT_EQ(Starten(Quote(v.Datei("fehlt.dat")) + " " + Quote(aus) + " 5", v).status, 2);

  // A run that ends in a stage message.
  if (DateiVorhanden("/dev/full")) {
    a = Starten(Quote(ein) + " /dev/full 5 --ueberschreiben", v);
    EXPECT_EQ(a.status, 3);
    EXPECT_NE(a.fehlerausgabe.find("Es ist ein Fehler beim Schreiben der Daten aufgetreten!"), std::string::npos);
    // A device is written directly: there was no temporary file to remove.
    EXPECT_EQ(a.fehlerausgabe.find("Es wurde keine Ausgabedatei geschrieben."), std::string::npos);
    EXPECT_FALSE(IstRegulaer("/dev/full"));
  }

  // Wrong usage.
  EXPECT_EQ(Starten(Quote(ein), v).status, 2);
  EXPECT_EQ(Starten("--help", v).status, 0);
}

TEST(KorvelanKonvert, WaehrungAusOptionUndProtokollDatei) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string aus = v.Datei("aus.dat");
  DateiSchreiben(ein, Zeilen({Kopf4("   "), "R;;AB;1;1250;Rabattgruppe AB;"}));
  // Without --waehrung the currency question is cancelled: nothing converted.
  Aufruf a = Starten(Quote(ein) + " " + Quote(aus) + " 5", v);
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.fehlerausgabe.find("abgebrochen"), std::string::npos);
  EXPECT_FALSE(DateiVorhanden(aus));
  std::string protokoll = v.Datei("protokoll.txt");
  a = Starten(Quote(ein) + " " + Quote(aus) + " 5 --waehrung EUR --protokoll " + Quote(protokoll), v);
  EXPECT_EQ(a.status, 0);
  EXPECT_EQ(DateiLesen(aus).substr(0, 21), "V;050;R;19990101;EUR;");
  EXPECT_TRUE(DateiVorhanden(protokoll));
}

namespace {

// Starts korvelan-konvert with the arguments in a child process; its standard error goes to a
// file of the directory. With grenze set, no file of the child may grow beyond that many bytes
// (a write past it fails as on a full disk); with unterbrechen set, SIGINT reaches it as soon as
// its temporary output file has appeared in the directory (the records are being converted then).
Aufruf Kind(const std::vector<std::string>& argumente, const TempVerzeichnis& v, rlim_t grenze = RLIM_INFINITY,
            bool unterbrechen = false) {
  const std::string fehler = v.Datei("stderr.txt");
  pid_t kind = ::fork();
  if (kind == 0) {
    int f = ::open(fehler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(f, 2);
    int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    if (grenze != RLIM_INFINITY) {
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit r{};
      ::getrlimit(RLIMIT_FSIZE, &r);
      r.rlim_cur = grenze;
      ::setrlimit(RLIMIT_FSIZE, &r);
    }
    std::vector<char*> argv{const_cast<char*>(KORVELAN_KONVERT)};
    for (const std::string& a : argumente) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(KORVELAN_KONVERT, argv.data());
    ::_exit(127);
  }
  Aufruf a;
  if (kind < 0) return a;
  int status = 0;
  if (unterbrechen) {
    auto vorlaeufig = [&v] {
      for (const auto& e : std::filesystem::directory_iterator(v.Pfad()))
        if (e.path().filename().string().rfind("aus.dat.", 0) == 0) return true;
      return false;
    };
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!vorlaeufig() && ::waitpid(kind, &status, WNOHANG) == 0 && std::chrono::steady_clock::now() < ende)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    ::kill(kind, SIGINT);
  }
  ::waitpid(kind, &status, 0);
  a.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  a.fehlerausgabe = DateiLesen(fehler);
  return a;
}

// The files of the directory apart from the child's standard error.
std::vector<std::string> Dateien(const TempVerzeichnis& v) {
  std::vector<std::string> namen;
  for (const auto& e : std::filesystem::directory_iterator(v.Pfad()))
    if (e.path().filename() != "stderr.txt") namen.push_back(e.path().filename().string());
  std::sort(namen.begin(), namen.end());
  return namen;
}

std::string GrosseDatei() {
  std::string inhalt = Kopf4() + "\r\n";
  inhalt.reserve(40u << 20);
  for (int i = 0; i < 1200000; ++i) inhalt += "R;;AB;1;1250;Rabattgruppe AB;\r\n";
  return inhalt;
}

}  // namespace

TEST(KorvelanKonvert, SignalBrichtAbOhneAusgabe) {
  // SIGINT while the records are converted: no output appears, an existing one keeps its bytes,
  // and no temporary file is left.
  TempVerzeichnis v;
  std::string ein = v.Datei("gross.dat");
  DateiSchreiben(ein, GrosseDatei());
  std::string aus = v.Datei("aus.dat");
  for (bool vorhanden : {false, true}) {
    const std::string alt = "alte Ausgabe\r\n";
    if (vorhanden) DateiSchreiben(aus, alt);
    std::vector<std::string> argumente{ein, aus, "5"};
    if (vorhanden) argumente.push_back("--ueberschreiben");
    Aufruf a = Kind(argumente, v, RLIM_INFINITY, true);
    if (a.status == 0) GTEST_SKIP() << "die Konvertierung war vor dem Signal fertig";
    EXPECT_EQ(a.status, 4);
    EXPECT_NE(a.fehlerausgabe.find("[Abbruch] Die Konvertierung wurde abgebrochen. Es wurde keine Ausgabedatei "
                                   "geschrieben."),
              std::string::npos)
        << a.fehlerausgabe;
    EXPECT_NE(a.fehlerausgabe.find(" 0 Zeilen geschrieben, "), std::string::npos) << a.fehlerausgabe;
    if (vorhanden) {
      EXPECT_EQ(DateiLesen(aus), alt);
      EXPECT_EQ(Dateien(v), (std::vector<std::string>{"aus.dat", "gross.dat"}));
    } else {
      EXPECT_EQ(Dateien(v), std::vector<std::string>{"gross.dat"});
    }
  }
}

TEST(KorvelanKonvert, VolleDateiLaesstVorhandeneAusgabeStehen) {
  // The output may not grow beyond 100 KB: the write fails as on a full disk, the run ends with
  // status 3, and the existing output is kept byte for byte.
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string inhalt = Kopf4() + "\r\n";
  for (int i = 0; i < 20000; ++i) inhalt += "R;;AB;1;1250;Rabattgruppe AB;\r\n";
  DateiSchreiben(ein, inhalt);
  std::string aus = v.Datei("aus.dat");
  const std::string alt(300000, 'x');
  DateiSchreiben(aus, alt);
  Aufruf a = Kind({ein, aus, "5", "--ueberschreiben"}, v, 100000);
  EXPECT_EQ(a.status, 3);
  EXPECT_NE(a.fehlerausgabe.find("Es ist ein Fehler beim Schreiben der Daten aufgetreten!\n\nDie Datei ist zu "
                                 "groß\n\nEs wurde keine Ausgabedatei geschrieben."),
            std::string::npos)
      << a.fehlerausgabe;
  EXPECT_TRUE(DateiLesen(aus) == alt);
  EXPECT_EQ(Dateien(v), (std::vector<std::string>{"aus.dat", "ein.dat"}));
}

TEST(KorvelanKonvert, AbschlusszeileUndOptionenZuOffenenFragen) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string aus = v.Datei("aus.dat");
  DateiSchreiben(ein, Zeilen({Kopf4(), "R;;AB;1;1250;Rabattgruppe AB;", "R;;CD;2;850;Mehrpreis;"}));
  Aufruf a = Kind({ein, aus, "5"}, v);
  EXPECT_EQ(a.status, 0);
  // The last line: records read and the input's character set, lines written (header, two
  // records, end record), log entries, seconds.
  const std::string anfang =
      "korvelan-konvert: 2 Sätze gelesen (Zeichensatz CP850), 4 Zeilen geschrieben, 0 Einträge im Fehlerprotokoll, ";
  const std::size_t p = a.fehlerausgabe.rfind(anfang);
  ASSERT_NE(p, std::string::npos) << a.fehlerausgabe;
  const std::string rest = a.fehlerausgabe.substr(p + anfang.size());
  EXPECT_TRUE(rest.size() >= 6 && rest.compare(rest.size() - 3, 3, " s\n") == 0 &&
              rest[rest.size() - 5] == ',')
      << rest;

  // Each question the options leave open names the option that answers it.
  a = Kind({ein, aus, "5"}, v);
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.fehlerausgabe.find("-> Nein (Antwort mit --ueberschreiben vorgeben)"), std::string::npos);
  DateiSchreiben(ein, Zeilen({Kopf4("   "), "R;;AB;1;1250;Rabattgruppe AB;"}));
  a = Kind({ein, v.Datei("neu.dat"), "5"}, v);
  EXPECT_NE(a.fehlerausgabe.find("-> abgebrochen (Antwort mit --waehrung CODE vorgeben)"), std::string::npos);
  DateiSchreiben(ein, Zeilen({"V;050;X;20000131;DEM;Texte;", "A;N;1;Schraube;;1;1;Stk;1;100;"}));
  a = Kind({ein, v.Datei("neu.dat"), "5"}, v);
  EXPECT_NE(a.fehlerausgabe.find("-> abgebrochen (Antwort mit --datenkennzeichen X vorgeben)"), std::string::npos)
      << a.fehlerausgabe;
  a = Kind({Testdaten("v3_set.dat"), v.Datei("set.dat"), "3"}, v);
  EXPECT_EQ(a.status, 0);
  EXPECT_NE(a.fehlerausgabe.find("-> Nein (Antwort mit --set-bloecke ja|nein vorgeben)"), std::string::npos)
      << a.fehlerausgabe;
  a = Kind({Testdaten("v3_set.dat"), v.Datei("set2.dat"), "3", "--set-bloecke", "nein"}, v);
  EXPECT_EQ(a.fehlerausgabe.find("--set-bloecke"), std::string::npos) << a.fehlerausgabe;
}

// The closing line names the input's character set; the log file (UTF-8) shows a CP850 article
// number in its letters, whatever set the input came in.
TEST(KorvelanKonvert, ZeichensatzInDerAbschlusszeileUndProtokollInBuchstaben) {
  TempVerzeichnis v;
  std::string aus = v.Datei("aus.dat");
  std::string protokoll = v.Datei("protokoll.txt");
  const struct {
    std::string zeile;
    const char* name;
  } faelle[] = {{"A;N;GR\x99\xE1" "E;73;Kurztext;;1;0;Stk;1962;;;;", "CP850"},
                {"A;N;GR\xC3\x96\xC3\x9F" "E;73;Kurztext;;1;0;Stk;1962;;;;", "UTF-8"},
                {"A;N;GR\xD6\xDF" "E;73;Kurztext;;1;0;Stk;1962;;;;", "Windows-1252"}};
  for (const auto& f : faelle) {
    std::string ein = v.Datei("ein.dat");
    DateiSchreiben(ein, Zeilen({Kopf4(), f.zeile}));
    Aufruf a = Starten(Quote(ein) + " " + Quote(aus) + " 4 --ueberschreiben --protokoll " + Quote(protokoll), v);
    EXPECT_EQ(a.status, 1) << f.name;
    const std::string zeile = "korvelan-konvert: 1 Satz gelesen (Zeichensatz " + std::string(f.name) + "), ";
    EXPECT_NE(a.fehlerausgabe.rfind(zeile), std::string::npos) << a.fehlerausgabe;
    EXPECT_NE(DateiLesen(protokoll).find("GR\xC3\x96\xC3\x9F" "E" + std::string(13, ' ') + "\tTextkennzeichen falsch"),
              std::string::npos)
        << f.name;
    EXPECT_NE(DateiLesen(aus).find("A;N;GR\x99\xE1" "E;00;Kurztext;"), std::string::npos) << f.name;
  }
}

TEST(KorvelanKonvert, DatenkennzeichenTWirdAbgewiesen) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, Zeilen({"V;050;T;20000131;DEM;Texte;", "T;N;1;1;01;Text;"}));
  Aufruf a = Kind({ein, v.Datei("aus.dat"), "4"}, v);
  EXPECT_EQ(a.status, 2);
  EXPECT_NE(a.fehlerausgabe.find("Datenkennzeichen T wird nicht konvertiert"), std::string::npos);
  EXPECT_EQ(Dateien(v), std::vector<std::string>{"ein.dat"});
}

// A conversion that loses data in many records: the log file holds every entry, also past the
// window's cap of 60000 characters, and the log ends with the number of records per loss.
TEST(KorvelanKonvert, ProtokollDateiHatJedenEintragUndDieZusammenfassung) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string aus = v.Datei("aus.dat");
  std::string inhalt = Kopf4() + "\r\n";
  const int artikel = 2000;
  for (int i = 0; i < artikel; ++i) {
    const std::string nr = "ART" + std::to_string(i);
    inhalt += "A;N;" + nr + ";00;Rohr;;1;0;St;1234;;;;\r\n";
    inhalt += "B;N;" + nr + ";;;;0;;;;;WG1;;;;;\r\n";  // a product group: version 3 has none
  }
  DateiSchreiben(ein, inhalt);
  std::string protokoll = v.Datei("protokoll.txt");
  Aufruf a = Starten(Quote(ein) + " " + Quote(aus) + " 3 --protokoll " + Quote(protokoll), v);
  EXPECT_EQ(a.status, 1);
  const std::string text = DateiLesen(protokoll);
  EXPECT_GT(text.size(), 60000u);
  std::size_t eintraege = 0;
  for (std::size_t p = 0; (p = text.find("\tDatenverlust: \tWarengruppe\r\n", p)) != std::string::npos; ++p) ++eintraege;
  EXPECT_EQ(eintraege, static_cast<std::size_t>(artikel));
  EXPECT_NE(text.find("ART1999         \tDatenverlust: \tWarengruppe\r\n"), std::string::npos);
  const std::string schluss = "\r\n\r\nDatenverlust Warengruppe: 2000 Datens\xC3\xA4tze\r\n";
  ASSERT_GT(text.size(), schluss.size());
  EXPECT_EQ(text.substr(text.size() - schluss.size()), schluss);

  // Without the option the log on standard error is the window's: capped, with its summary.
  a = Starten(Quote(ein) + " " + Quote(aus) + " 3 --ueberschreiben", v);
  EXPECT_EQ(a.status, 1);
  EXPECT_LT(a.fehlerausgabe.size(), 61000u);
  EXPECT_EQ(a.fehlerausgabe.find("ART1999 "), std::string::npos);
  EXPECT_NE(a.fehlerausgabe.find("Datenverlust Warengruppe: 2000 Datens\xC3\xA4tze\r\n"), std::string::npos);
}
