// The conversion run through the command-line road: outputs, questions, messages, cancellation
// and the stage messages of the error handler.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <thread>

#include "control/satzpruefung.h"
#include "konvertierhilfe.h"
#include "record/text.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

// A version-4 header of 128 characters.
std::string Kopf4(const std::string& datum = "010199", const std::string& waehrung = "DEM") {
  return "V " + datum + Auffuellen("Preisliste", 40) + Auffuellen("", 40) + Auffuellen("", 35) + "04" + waehrung;
}

std::string RabattDatei4() {
  return Zeilen({Kopf4(), "R;;AB;1;1250;Rabattgruppe AB;", "R;;CD;2;850;Mehrpreis;"});
}

const SkriptFenster::Frage* FrageMitTitel(const SkriptFenster& f, const std::string& titel) {
  for (const auto& q : f.fragen)
    if (q.titel == titel) return &q;
  return nullptr;
}

}  // namespace

TEST(Konvertierlauf, Version4NachVersion5MitEndesatzUndZweiPieptoenen) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  SkriptFenster f;
  Kontext k;
  std::string aus = Konvertieren(ein, 5, v, &f, &k);
  EXPECT_EQ(aus, Zeilen({"V;050;R;19990101;DEM;Preisliste;", "R;AB;1;1250;Rabattgruppe AB;", "R;CD;2;850;Mehrpreis;",
                         "E;4;aus Vers.4 konvertiert, 07.12.2026;"}));
  EXPECT_EQ(f.pieptoene, 2);
  EXPECT_EQ(f.Text("Lab_Fehler"), "0");
  EXPECT_EQ(f.Text("Lab_VersionEin"), "Vers.4");
  EXPECT_EQ(f.protokollAnzeigen, 0);
}

TEST(Konvertierlauf, AbbruchHinterlaesstKeineAusgabe) {
  // Cancelled before the first record, after one, and at the last: no output file appears, an
  // existing one keeps its bytes, and no temporary file is left beside it.
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string inhalt = Kopf4() + "\r\n";
  for (int i = 0; i < 3000; ++i) inhalt += "R;;G" + std::to_string(i) + ";1;1250;Rabattgruppe;\r\n";
  DateiSchreiben(ein, inhalt);
  const std::string alt = "alte Ausgabe\r\n\x1A";
  for (bool vorhanden : {false, true}) {
    for (long bei : {1L, 2L, 3000L}) {
      std::string aus = v.Datei("aus.dat");
      std::remove(aus.c_str());
      if (vorhanden) DateiSchreiben(aus, alt);
      Kontext k;
      SkriptFenster f;
      f.beiEreignis = [&] {
        if (f.ereignisaufrufe == bei) f.abbrechen = true;
      };
      EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::Abgebrochen) << bei;
      if (vorhanden)
        EXPECT_EQ(DateiLesen(aus), alt) << bei;
      else
        EXPECT_FALSE(DateiVorhanden(aus)) << bei;
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(v.Pfad()), {}), vorhanden ? 2 : 1) << bei;
      EXPECT_EQ(f.pieptoene, 0);
      const auto* q = FrageMitTitel(f, "Abbruch");
      ASSERT_NE(q, nullptr);
      EXPECT_EQ(q->text, "Die Konvertierung wurde abgebrochen. Es wurde keine Ausgabedatei geschrieben.");
      EXPECT_EQ(k.kz.SaetzeGelesen, bei - 1);
    }
  }
}

TEST(Konvertierlauf, AbbruchAufEinGeraetSchreibtKeinenEndesatz) {
  // A pipe is written directly: what was converted has gone through, but no end record says it
  // was finished.
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  std::string rohr = v.Datei("rohr");
  ASSERT_EQ(::mkfifo(rohr.c_str(), 0600), 0);
  std::string gelesen;
  std::thread leser([&] { gelesen = DateiLesen(rohr); });
  Kontext k;
  SkriptFenster f;
  f.antworten.push_back(Antwort::Ja);  // the pipe exists: the overwrite question
  f.beiEreignis = [&] {
    if (f.ereignisaufrufe == 2) f.abbrechen = true;
  };
  EXPECT_EQ(Kommandozeile(k, f, ein, rohr, 5), Laufergebnis::Abgebrochen);
  leser.join();
  EXPECT_EQ(gelesen, Zeilen({"V;050;R;19990101;DEM;Preisliste;", "R;AB;1;1250;Rabattgruppe AB;"}));
  ASSERT_NE(FrageMitTitel(f, "Abbruch"), nullptr);
  EXPECT_EQ(FrageMitTitel(f, "Abbruch")->text, "Konvertiervorgang wurde abgebrochen!");
}

TEST(Konvertierlauf, SchreibfehlerLaesstVorhandeneAusgabeUnberuehrt) {
  // A file that may not grow beyond a limit fails as a full disk does: once while the records
  // are written (the output's block is written out) and once when it is closed.
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string gross = Kopf4() + "\r\n";
  for (int i = 0; i < 5000; ++i) gross += "R;;G" + std::to_string(i) + ";1;1250;Rabattgruppe;\r\n";
  for (const std::string& inhalt : {gross, RabattDatei4()}) {
    DateiSchreiben(ein, inhalt);
    std::string aus = v.Datei("aus.dat");
    DateiSchreiben(aus, "alt");
    Kontext k;
    SkriptFenster f;
    Laufergebnis e;
    {
      Dateigrenze grenze(40);
      e = Kommandozeile(k, f, ein, aus, 5);
    }
    EXPECT_EQ(e, Laufergebnis::Fehler);
    const auto* q = FrageMitTitel(f, "Fehler bei Datenausgabe");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->text, Ansi("Es ist ein Fehler beim Schreiben der Daten aufgetreten!\n\nDie Datei ist zu groß\n\n"
                            "Es wurde keine Ausgabedatei geschrieben."));
    EXPECT_EQ(DateiLesen(aus), "alt");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(v.Pfad()), {}), 2);
    EXPECT_EQ(f.pieptoene, 0);
  }
}

TEST(Konvertierlauf, AusgabeEntstehtErstAmEnde) {
  // While the run writes, the output's name still holds the old file; the new one takes its
  // place at the end, with the rights of the old one.
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  std::string aus = v.Datei("aus.dat");
  DateiSchreiben(aus, "alt");
  ASSERT_EQ(::chmod(aus.c_str(), 0640), 0);
  Kontext k;
  SkriptFenster f;
  std::string waehrenddessen;
  f.beiEreignis = [&] {
    if (f.ereignisaufrufe == 2) waehrenddessen = DateiLesen(aus);
  };
  EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::Konvertiert);
  EXPECT_EQ(waehrenddessen, "alt");
  EXPECT_EQ(DateiLesen(aus).substr(0, 6), "V;050;");
  struct stat st {};
  ASSERT_EQ(::stat(aus.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(v.Pfad()), {}), 2);
  EXPECT_EQ(k.kz.SaetzeGelesen, 2);
  EXPECT_EQ(k.kz.AusgabeDateiNr.Zeilen(), 4u);

  // A symbolic link to the output stays a link; the file it points to is replaced.
  std::string link = v.Datei("verweis.dat");
  ASSERT_EQ(::symlink(aus.c_str(), link.c_str()), 0);
  Kontext k2;
  SkriptFenster f2;
  EXPECT_EQ(Kommandozeile(k2, f2, ein, link, 4), Laufergebnis::Konvertiert);
  struct stat lst {};
  ASSERT_EQ(::lstat(link.c_str(), &lst), 0);
  EXPECT_TRUE(S_ISLNK(lst.st_mode));
  EXPECT_EQ(DateiLesen(aus).substr(0, 2), "V ");
}

TEST(Konvertierlauf, NachVersion3Und4KeinEndesatz) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  for (int version : {3, 4}) {
    SkriptFenster f;
    f.eingaben.push_back(std::string("DEM"));
    std::string aus = Konvertieren(ein, version, v, &f);
    EXPECT_EQ(aus.find("E;"), std::string::npos) << version;
  }
}

TEST(Konvertierlauf, GleicheNamenUndGleicheDateiWerdenAbgewiesen) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  std::string link = v.Datei("verweis.dat");
  ASSERT_EQ(::symlink(ein.c_str(), link.c_str()), 0);
  for (const std::string& aus : {ein, link}) {
    Kontext k;
    SkriptFenster f;
    EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::NichtsKonvertiert);
    const auto* q = FrageMitTitel(f, Ansi("Namen/Pfad/Lfw. ändern"));
    ASSERT_NE(q, nullptr) << aus;
    EXPECT_EQ(q->text, Ansi("Name/Pfad/Lfw. der Eingabedatei ist Name/Pfad/Lfw. der Ausgabedatei\n\nkeine Verarbeitung möglich!"));
    EXPECT_EQ(DateiLesen(ein), RabattDatei4());
  }
}

TEST(Konvertierlauf, VorhandeneAusgabeNurNachJaErsetzt) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  std::string aus = v.Datei("aus.dat");
  DateiSchreiben(ein, RabattDatei4());
  DateiSchreiben(aus, "alt");
  {
    Kontext k;
    SkriptFenster f;
    f.antworten.push_back(Antwort::Nein);
    EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::NichtsKonvertiert);
    const auto* q = FrageMitTitel(f, "Ausgabedatei ");
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->text, "Datei " + aus + Ansi("\n\n ist bereits vorhanden überschreiben?"));
    EXPECT_EQ(q->knoepfe, Knoepfe::JaNeinVorgabeNein);
    EXPECT_EQ(DateiLesen(aus), "alt");
  }
  {
    Kontext k;
    SkriptFenster f;
    f.antworten.push_back(Antwort::Ja);
    EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::Konvertiert);
    EXPECT_EQ(DateiLesen(aus).substr(0, 6), "V;050;");
  }
}

TEST(Konvertierlauf, AusgabeInFehlendemVerzeichnisMeldetOeffnungsfehler) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  std::string aus = v.Datei("fehlt/aus.dat");
  Kontext k;
  SkriptFenster f;
  EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::NichtsKonvertiert);
  ASSERT_FALSE(f.fragen.empty());
  EXPECT_EQ(f.fragen.back().titel, "Fehler: 2");
  EXPECT_EQ(f.fragen.back().text.rfind(Ansi("Es ist ein Fehler beim Öffnen der Datei: ") + aus + " aufgetreten!\n\n", 0),
            0u);
  EXPECT_EQ(k.kz.AusgabeNichtBereit, -1);
}

TEST(Konvertierlauf, VolleAusgabeEndetMitSchreibfehler) {
  if (!DateiVorhanden("/dev/full")) GTEST_SKIP() << "/dev/full fehlt";
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  Kontext k;
  SkriptFenster f;
  f.antworten.push_back(Antwort::Ja);  // /dev/full exists: the overwrite question
  EXPECT_EQ(Kommandozeile(k, f, ein, "/dev/full", 5), Laufergebnis::Fehler);
  ASSERT_NE(FrageMitTitel(f, "Fehler bei Datenausgabe"), nullptr);
  EXPECT_EQ(FrageMitTitel(f, "Fehler bei Datenausgabe")->text.rfind("Es ist ein Fehler beim Schreiben der Daten aufgetreten!\n\n", 0), 0u);
  EXPECT_EQ(f.pieptoene, 0);
  EXPECT_TRUE(DateiVorhanden("/dev/full"));
}

TEST(Konvertierlauf, NichtErkannteEingabeSchreibtNichts) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, "kein DATANORM\r\nzweite Zeile\r\n");
  std::string aus = v.Datei("aus.dat");
  DateiSchreiben(aus, "alt");
  Kontext k;
  SkriptFenster f;
  EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::NichtsKonvertiert);
  const auto* q = FrageMitTitel(f, Ansi("DATANORM-Prüfung"));
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->text, Ansi("Fehler beim laden der Datei: ") + ein + Ansi("\n\nKeine bzw. fehlerhafte DATANORM - Datei"));
  EXPECT_EQ(q->symbol, Symbol::Kritisch);
  EXPECT_EQ(DateiLesen(aus), "alt");
}

TEST(Konvertierlauf, WaehrungsfrageBeiFehlendemKennzeichen) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, Zeilen({Kopf4("010199", "   "), "R;;AB;1;1250;Rabattgruppe AB;"}));
  std::string aus = v.Datei("aus.dat");
  {
    Kontext k;
    SkriptFenster f;
    f.eingaben.push_back(std::string("xyz"));
    EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::NichtsKonvertiert);
    EXPECT_EQ(f.fragen.front().text,
              Ansi("Für die Ausgabedatei wird ein Währungskennzeichen erwartet. Bitte geben Sie zum Beispiel DEM für DM vor"));
    const auto* q = FrageMitTitel(f, Ansi("Währungskennzeichen"));
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->text, Ansi("Das Währungskennzeichen XYZ ist für die Ausgabedatei nicht zulässig\n\nkeine Verarbeitung möglich!"));
    EXPECT_EQ(k.kz.Aufruffehler, -1);
    EXPECT_FALSE(DateiVorhanden(aus));
  }
  {
    Kontext k;
    SkriptFenster f;
    f.eingaben.push_back(std::string("eur"));
    EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::Konvertiert);
    EXPECT_EQ(DateiLesen(aus).substr(0, 26), "V;050;R;19990101;EUR;Preis");
  }
}

TEST(Konvertierlauf, DatenkennzeichenOhneUmsetzungWirdAbgewiesen) {
  // Version-5 data kinds T and O have no reader or writer: refused before anything is asked or
  // written; an existing output stays.
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  for (const char* art : {"T", "O", "0"}) {
    DateiSchreiben(ein, Zeilen({std::string("V;050;") + art + ";20000131;DEM;Texte;", "T;N;1;1;01;Text;"}));
    std::string aus = v.Datei("aus.dat");
    for (bool vorhanden : {false, true}) {
      if (vorhanden) DateiSchreiben(aus, "alt");
      Kontext k;
      SkriptFenster f;
      EXPECT_EQ(Kommandozeile(k, f, ein, aus, 5), Laufergebnis::NichtsKonvertiert) << art;
      ASSERT_EQ(f.fragen.size(), 1u) << art;
      const std::string erwartet = std::string(art) == "T" ? "T" : "O";
      EXPECT_EQ(f.fragen[0].text,
                "Datenkennzeichen " + erwartet + Ansi(" wird nicht konvertiert\n\nkeine Verarbeitung möglich!"));
      EXPECT_EQ(f.fragen[0].titel, Ansi("DATANORM-Prüfung"));
      if (vorhanden)
        EXPECT_EQ(DateiLesen(aus), "alt");
      else
        EXPECT_FALSE(DateiVorhanden(aus));
    }
    std::remove(aus.c_str());
  }
}

TEST(Konvertierlauf, FehlerprotokollWirdNachDemEndesatzGezeigt) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  Kontext k;
  SkriptFenster f;
  // The first record's check logs an entry.
  f.beiEreignis = [&] {
    if (f.ereignisaufrufe == 2) ProtokollEintrag(k, "X");
  };
  std::string aus = Konvertieren(ein, 5, v, &f, &k);
  EXPECT_NE(aus.find("E;4;aus Vers.4 konvertiert, 07.12.2026, 1 Konvertierfehler;\r\n"), std::string::npos);
  EXPECT_EQ(f.protokollAnzeigen, 1);
  EXPECT_EQ(f.protokollOben, 700);
  EXPECT_EQ(f.protokollLinks, 150);
  EXPECT_EQ(f.gezeigtesProtokoll, k.kz.Fehlerprotokoll);
}

TEST(Konvertierlauf, ZweiterLaufBeginntFrisch) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  Kontext k;
  SkriptFenster f1;
  std::string erst = Konvertieren(ein, 5, v, &f1, &k);
  SkriptFenster f2;
  std::string zweit = Konvertieren(ein, 5, v, &f2, &k);
  EXPECT_EQ(erst, zweit);
}

TEST(Konvertierlauf, EinheitenDesVorigenLaufsGeltenNichtWeiter) {
  // The record loop remembers unit mappings; a run with changed unit tables must map anew.
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, Zeilen({Kopf4(), "A;N;4711;00;Schraube;;1;0;Stk;1234;", "A;N;4712;00;Mutter;;1;0;Stk;99;"}));
  std::string aus = v.Datei("aus.dat");
  Kontext k;
  StandardwerteAnwenden(k.gd);
  std::size_t stelle = 0;
  while (stelle < k.gd.EinhTab.size() && k.gd.EinhTab[stelle].find("Stk ") == std::string::npos) ++stelle;
  ASSERT_LT(stelle, k.gd.EinhTab.size());
  SkriptFenster f1;
  f1.eingaben.push_back(std::string("DEM"));
  Kommandozeile(k, f1, ein, aus, 5);
  std::string erst = DateiLesen(aus);
  EXPECT_NE(erst.find("Mutter;;PCE ;"), std::string::npos) << erst;

  k.gd.EinhV5Tab[stelle] = "XYZ  Neu";
  SkriptFenster f2;
  f2.eingaben.push_back(std::string("DEM"));
  f2.antworten.push_back(Antwort::Ja);  // overwrite the output
  Kommandozeile(k, f2, ein, aus, 5);
  std::string zweit = DateiLesen(aus);
  EXPECT_NE(zweit.find("Schraube;;XYZ ;"), std::string::npos) << zweit;
  EXPECT_NE(zweit.find("Mutter;;XYZ ;"), std::string::npos) << zweit;
  EXPECT_EQ(k.kz.Einheiten.aktiv, false);
}
