// The headless converter as a program: exit status, messages on standard error, the log file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <thread>

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

// The last line names the input's character set; the log (UTF-8) shows a CP850 article number in
// its letters.
TEST(KorvelanKonvert, ZeichensatzZeileUndProtokollInBuchstaben) {
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
    const std::string letzte = "Zeichensatz der Eingabe: " + std::string(f.name) + "\n";
    ASSERT_GE(a.fehlerausgabe.size(), letzte.size());
    EXPECT_EQ(a.fehlerausgabe.substr(a.fehlerausgabe.size() - letzte.size()), letzte);
    EXPECT_NE(DateiLesen(protokoll).find("GR\xC3\x96\xC3\x9F" "E" + std::string(13, ' ') + "\tTextkennzeichen falsch"),
              std::string::npos)
        << f.name;
    EXPECT_NE(DateiLesen(aus).find("A;N;GR\x99\xE1" "E;00;Kurztext;"), std::string::npos) << f.name;
  }
}

TEST(KorvelanKonvert, SignalBrichtAbUndSchreibtAbbruchEndesatz) {
  TempVerzeichnis v;
  std::string ein = v.Datei("gross.dat");
  std::string inhalt = Kopf4() + "\r\n";
  inhalt.reserve(40u << 20);
  for (int i = 0; i < 1200000; ++i) inhalt += "R;;AB;1;1250;Rabattgruppe AB;\r\n";
  DateiSchreiben(ein, inhalt);
  std::string aus = v.Datei("aus.dat");
  pid_t kind = ::fork();
  ASSERT_GE(kind, 0);
  if (kind == 0) {
    int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, 2);
    ::execl(KORVELAN_KONVERT, KORVELAN_KONVERT, ein.c_str(), aus.c_str(), "5", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  ::kill(kind, SIGINT);
  int status = 0;
  ::waitpid(kind, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 0) GTEST_SKIP() << "die Konvertierung war vor dem Signal fertig";
  EXPECT_EQ(WEXITSTATUS(status), 4);
  std::string ausgabe = DateiLesen(aus);
  EXPECT_NE(ausgabe.find("Konvertiervorgang wurde abgebrochen "), std::string::npos);
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
