// The basic-data window: rates typed with ",", the spelling lists, new rows, deleting, and
// writing KELBORIS.DAT (also when that fails).
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

#include "settings/grunddaten.h"
#include "ui/grunddat.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::Grunddat;

namespace {

struct Aufbau {
  TempVerzeichnis v;
  Kontext k;
  std::unique_ptr<Grunddat> g;
  Aufbau() {
    k.Programmverzeichnis = v.Pfad();
    LadeGrunddaten(k.gd, GrunddatenPfad(k.Programmverzeichnis));
    g = std::make_unique<Grunddat>(k);
  }
  QLineEdit* Feld(const char* name) const { return g->findChild<QLineEdit*>(QString::fromLatin1(name)); }
  QListWidget* Liste(const char* name) const { return g->findChild<QListWidget*>(QString::fromLatin1(name)); }
  void Einheitenzeile(int i) {
    Liste("List2")->setCurrentRow(i);
    g->List2_Click();
  }
  void Tippen(const char* name, const std::string& text) { Feld(name)->setText(ui::AlsQString(text)); }
};

}  // namespace

class TestGrunddat : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { DeutschEinstellen(); }

  void schreibweisen() {
    using ui::SchreibweisenNormalisieren;
    QCOMPARE(SchreibweisenNormalisieren("kg;KG ; Kilo;;x"), std::string("kg  ;KG  ;Kilo;x   ;"));
    QCOMPARE(SchreibweisenNormalisieren(Ansi("Stück;")), Ansi("Stüc;"));
    QCOMPARE(SchreibweisenNormalisieren(";;  ;"), std::string());
    QCOMPARE(SchreibweisenNormalisieren(Ansi("m²  ;QM  ;")), Ansi("m²  ;QM  ;"));
    QCOMPARE(ui::CodeUndBezeichnung("KGM Kilogramm"), std::string("KGM Kilogramm"));
    QCOMPARE(ui::CodeUndBezeichnung("ABCDEFG"), std::string("ABCD EFG"));
    QCOMPARE(ui::CodeUndBezeichnung("PR   Paar  "), std::string("PR Paar"));
  }

  void anzeige_der_tabellen() {
    Aufbau a;
    QCOMPARE(a.Liste("List1")->count(), 12);
    QCOMPARE(a.g->Zeile1(0), std::string("DEM\t1,955830"));
    QCOMPARE(a.g->Zeile1(1), std::string("LUF\t40,339900"));
    QCOMPARE(a.g->Zeile1(5), std::string("GBP\t0,000000"));
    QCOMPARE(a.Liste("List2")->count(), 20);
    QCOMPARE(a.g->Zeile2(0), Ansi("CMK Quadratzentimet.\tcm² ;CM2 ;QCM ;QUCM;"));
    // Rows shorter than 20 characters are padded to the second column.
    QCOMPARE(a.g->Zeile2(9), std::string("MMT Millimeter      \tmm  ;"));
  }

  void kurs_mit_komma() {
    Aufbau a;
    a.Liste("List1")->setCurrentRow(0);
    a.g->List1_Click();
    QCOMPARE(a.Feld("Tex_Waehrung")->text(), QStringLiteral("DEM"));
    QCOMPARE(a.Feld("Tex_Kurs")->text(), QStringLiteral("1,955830"));
    a.Tippen("Tex_Kurs", "1,9624");
    a.g->Tex_Kurs_LostFocus();
    QCOMPARE(a.k.gd.KursTab[0], 1.9624);
    QCOMPARE(a.g->Zeile1(0), std::string("DEM\t1,962400"));
  }

  void kurs_ohne_gewaehlte_waehrung() {
    Aufbau a;
    // Nothing selected: the code box is empty, so the rate goes to the entries without a code.
    a.Tippen("Tex_Kurs", "2,5");
    a.g->Tex_Kurs_LostFocus();
    QCOMPARE(a.k.gd.KursTab[0], 1.95583);
    QCOMPARE(a.k.gd.KursTab[12], 2.5);
    QCOMPARE(a.g->Zeile1(0), std::string("\t2,500000"));
  }

  void schreibweisen_einer_zeile() {
    Aufbau a;
    a.Einheitenzeile(6);  // KGM Kilogramm
    QCOMPARE(a.Feld("Tex_EinhV5")->text(), QStringLiteral("KGM Kilogramm       "));
    QCOMPARE(a.Feld("Tex_Einh")->text(), QStringLiteral("kg  ;"));
    a.Tippen("Tex_Einh", "kg;KG ; Kilo;;x");
    // Every edit goes straight into the table, as typed.
    QCOMPARE(a.k.gd.EinhTab[6], std::string("kg;KG ; Kilo;;x"));
    a.g->Tex_Einh_LostFocus();
    QCOMPARE(a.k.gd.EinhTab[6], std::string("kg  ;KG  ;Kilo;x   ;"));
    QCOMPARE(a.g->Zeile2(6), std::string("KGM Kilogramm       \tkg  ;KG  ;Kilo;x   ;"));
    // The box keeps what was typed until the row is chosen again.
    QCOMPARE(a.Feld("Tex_Einh")->text(), QStringLiteral("kg;KG ; Kilo;;x"));
  }

  void neue_zeile() {
    Aufbau a;
    a.g->Command1_Click();
    QCOMPARE(a.g->Bearbeitungszeile(), Grunddat::NeueZeile);
    QVERIFY(!a.Feld("Tex_EinhV5")->isReadOnly());
    a.Tippen("Tex_EinhV5", "ABCDEFG");
    a.g->Tex_EinhV5_LostFocus();
    QCOMPARE(a.Feld("Tex_EinhV5")->text(), QStringLiteral("ABCD EFG"));
    QVERIFY(a.Feld("Tex_EinhV5")->isReadOnly());
    QCOMPARE(a.Liste("List2")->count(), 21);
    QCOMPARE(a.g->Bearbeitungszeile(), 20);
    QCOMPARE(a.k.gd.EinhV5Tab[20], std::string("ABCD EFG            "));
    a.Tippen("Tex_Einh", "ab;");
    a.g->Tex_Einh_LostFocus();
    QCOMPARE(a.k.gd.EinhTab[20], std::string("ab  ;"));
  }

  void neue_zeile_mit_vorhandenem_code() {
    Aufbau a;
    a.g->Command1_Click();
    a.Tippen("Tex_EinhV5", "PCE Teile");
    a.g->Tex_EinhV5_LostFocus();
    // Row 14 already has the code field "PCE ": the spellings typed next go there.
    QCOMPARE(a.g->Bearbeitungszeile(), 13);
    QCOMPARE(a.Liste("List2")->currentRow(), 13);
    QCOMPARE(a.g->Zeile2(20), std::string("PCE Teile           \t"));
    a.Tippen("Tex_Einh", "Tl;");
    a.g->Tex_Einh_LostFocus();
    QCOMPARE(a.k.gd.EinhTab[13], std::string("Tl  ;"));
    QCOMPARE(a.k.gd.EinhTab[20], std::string());
  }

  void loeschen() {
    Aufbau a;
    a.Einheitenzeile(1);  // CMQ
    a.g->Com_Loschen_Click();
    QCOMPARE(a.Liste("List2")->count(), 19);
    QCOMPARE(a.k.gd.EinhV5Tab[1], std::string("CMT Zentimeter      "));
    // Rebuilt from the list, every code field is padded to 20 characters.
    QCOMPARE(a.k.gd.EinhV5Tab[18], std::string("STG Stange          "));
    QCOMPARE(a.k.gd.EinhV5Tab[19], std::string());
    // Row 0 is selected and shown.
    QCOMPARE(a.g->Bearbeitungszeile(), 0);
    QCOMPARE(a.Feld("Tex_EinhV5")->text(), QStringLiteral("CMK Quadratzentimet."));
    // While a new row is entered nothing is deleted.
    a.g->Command1_Click();
    a.g->Com_Loschen_Click();
    QCOMPARE(a.Liste("List2")->count(), 19);
  }

  void beenden_schreibt_die_datei() {
    Aufbau a;
    a.g->show();
    a.Liste("List1")->setCurrentRow(0);
    a.g->List1_Click();
    QVERIFY(!a.g->Geaendert());
    a.Tippen("Tex_Kurs", "1,9624");
    a.g->Tex_Kurs_LostFocus();
    QVERIFY(a.g->Geaendert());
    a.g->Com_Ende_Click();
    QVERIFY(!a.g->isVisible());
    QVERIFY(!a.g->Geaendert());
    const std::string pfad = GrunddatenPfad(a.v.Pfad());
    const std::string inhalt = DateiLesen(pfad);
    QVERIFY(inhalt.rfind(Ansi("\"DEM\",1.9624,\"CMK Quadratzentimet.\",\"cm² ;CM2 ;QCM ;QUCM;\"\r\n"), 0) == 0);
    Grunddaten wieder;
    LadeGrunddaten(wieder, pfad);
    QCOMPARE(wieder.KursTab[0], 1.9624);
    QCOMPARE(wieder.EinhV5Tab[13], a.k.gd.EinhV5Tab[13]);
    // No temporary file is left beside it.
    QCOMPARE(QDir(QString::fromStdString(a.v.Pfad())).entryList(QDir::Files).size(), 1);
  }

  void speichern_schlaegt_fehl() {
    if (::geteuid() == 0) QSKIP("root may write into a read-only directory");
    Aufbau a;
    const std::string pfad = GrunddatenPfad(a.v.Pfad());
    DateiSchreiben(pfad, "\"DEM\",1.9624,\"\",\"\"\r\n");
    ::chmod(a.v.Pfad().c_str(), 0555);
    a.g->show();
    a.Liste("List1")->setCurrentRow(0);
    a.g->List1_Click();
    a.Tippen("Tex_Kurs", "2");
    a.g->Tex_Kurs_LostFocus();
    Boxen boxen;
    a.g->Com_Ende_Click();
    ::chmod(a.v.Pfad().c_str(), 0755);
    QCOMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("Grunddaten"));
    QVERIFY(boxen.gesehen[0].text.startsWith(QStringLiteral("Die Grunddaten konnten nicht gespeichert werden:\n\n") +
                                             QString::fromStdString(pfad) + QStringLiteral("\n\n")));
    QVERIFY(!a.g->isVisible());
    QCOMPARE(a.k.gd.KursTab[0], 2.0);
    QCOMPARE(DateiLesen(pfad), std::string("\"DEM\",1.9624,\"\",\"\"\r\n"));
  }

  void volle_platte_laesst_alte_datei_stehen() {
    // Works for every user: the file may not grow beyond 100 bytes, so writing the new one fails
    // as on a full disk. The old file keeps its bytes, no temporary file is left, the changes
    // stay unsaved.
    Aufbau a;
    const std::string pfad = GrunddatenPfad(a.v.Pfad());
    DateiSchreiben(pfad, "\"DEM\",1.9624,\"\",\"\"\r\n");
    a.g->show();
    a.k.gd.KursTab[1] = 41.0;
    Boxen boxen;
    bool gespeichert = true;
    {
      Dateigrenze grenze(100);
      gespeichert = a.g->FaktSpeichern();
    }
    QVERIFY(!gespeichert);
    QCOMPARE(boxen.gesehen.size(), 1);
    QVERIFY(boxen.gesehen[0].text.endsWith(QStringLiteral("Die Datei ist zu groß")));
    QCOMPARE(DateiLesen(pfad), std::string("\"DEM\",1.9624,\"\",\"\"\r\n"));
    QCOMPARE(QDir(QString::fromStdString(a.v.Pfad())).entryList(QDir::Files).size(), 1);
    QVERIFY(a.g->Geaendert());
  }

  void groesse_und_beschriftungen() {
    // The window opens showing both lists whole: every row, at full width.
    Aufbau a;
    a.g->show();
    QVERIFY(QTest::qWaitForWindowExposed(a.g.get()));
    for (const char* name : {"List1", "List2"}) {
      QListWidget* l = a.Liste(name);
      QCOMPARE(l->verticalScrollBar()->maximum(), 0);
      QCOMPARE(l->horizontalScrollBar()->maximum(), 0);
      QVERIFY(l->visualItemRect(l->item(l->count() - 1)).bottom() < l->viewport()->height());
    }
    // Each edit box carries a label.
    QMap<QString, QString> beschriftung;
    for (QLabel* l : a.g->findChildren<QLabel*>())
      if (l->buddy()) beschriftung[l->buddy()->objectName()] = l->text();
    QCOMPARE(beschriftung.value("Tex_Waehrung"), QStringLiteral("&Währung"));
    QCOMPARE(beschriftung.value("Tex_Kurs"), QStringLiteral("&Kurs (je 1 EUR)"));
    QCOMPARE(beschriftung.value("Tex_EinhV5"), QStringLiteral("&Code und Bezeichnung"));
    QCOMPARE(beschriftung.value("Tex_Einh"), QStringLiteral("&Schreibweisen (durch ; getrennt)"));
  }

  void speichern_in_fehlendes_verzeichnis() {
    // Works for every user: a program directory that does not exist.
    Aufbau a;
    a.k.Programmverzeichnis = a.v.Datei("fehlt");
    Boxen boxen;
    a.g->show();
    QVERIFY(!a.g->FaktSpeichern());
    QCOMPARE(boxen.gesehen.size(), 1);
    QVERIFY(boxen.gesehen[0].text.contains(QString::fromStdString(a.v.Datei("fehlt/KELBORIS.DAT"))));
  }
};

QTEST_MAIN(TestGrunddat)
#include "test_grunddat.moc"
