// The conversion run through the command-line road: outputs, questions, messages, cancellation
// and the stage messages of the error handler.
#include <gtest/gtest.h>
#include <unistd.h>

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
  EXPECT_EQ(k.kz.Konvertierstatus, 0);
  EXPECT_EQ(f.protokollAnzeigen, 0);
}

TEST(Konvertierlauf, AbbruchSchreibtAbbruchEndesatzOhnePiepton) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  Kontext k;
  SkriptFenster f;
  f.beiEreignis = [&] {
    if (k.kz.Konvertierstatus == 8 && f.ereignisaufrufe == 2) k.kz.Konvertierstatus = 9;
  };
  std::string aus = Konvertieren(ein, 5, v, &f, &k);
  EXPECT_EQ(aus, Zeilen({"V;050;R;19990101;DEM;Preisliste;", "R;AB;1;1250;Rabattgruppe AB;",
                         "E;3;Konvertiervorgang wurde abgebrochen 07.12.2026;"}));
  EXPECT_EQ(f.pieptoene, 0);
  ASSERT_NE(FrageMitTitel(f, "Abbruch"), nullptr);
  EXPECT_EQ(FrageMitTitel(f, "Abbruch")->text, "Konvertiervorgang wurde abgebrochen!");
  EXPECT_EQ(k.kz.Konvertierstatus, 0);
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
    EXPECT_EQ(q->knoepfe, Knoepfe::JaNein);
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

TEST(Konvertierlauf, DatenkennzeichenOhneSchreiberEndetMitSchreibfehler) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, Zeilen({"V;050;T;20000131;DEM;Texte;", "T;N;1;1;01;Text;"}));
  Kontext k;
  SkriptFenster f;
  EXPECT_EQ(Kommandozeile(k, f, ein, v.Datei("aus.dat"), 5), Laufergebnis::Fehler);
  const auto* q = FrageMitTitel(f, "Fehler bei Datenausgabe");
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(q->text, "Es ist ein Fehler beim Schreiben der Daten aufgetreten!\n\n");
}

TEST(Konvertierlauf, FehlerprotokollWirdNachDemEndesatzGezeigt) {
  TempVerzeichnis v;
  std::string ein = v.Datei("ein.dat");
  DateiSchreiben(ein, RabattDatei4());
  Kontext k;
  SkriptFenster f;
  // The first record's check logs an entry.
  f.beiEreignis = [&] {
    if (k.kz.Konvertierstatus == 8 && f.ereignisaufrufe == 2) ProtokollEintrag(k, f, "X");
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
