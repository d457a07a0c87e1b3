// The main window: caption and menu, each child window at most once and back in place, the help
// window and the message when the help file is missing, "&Beenden" without saving basic data.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTextBrowser>
#include <QtTest>

#include "settings/grunddaten.h"
#include "ui/aanzeige.h"
#include "ui/arbeitsbereich.h"
#include "ui/dateiwahl.h"
#include "ui/fanzeige.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::AAnzeige;

namespace {
struct Aufbau {
  TempVerzeichnis v;
  Kontext k;
  std::unique_ptr<AAnzeige> a;
  Aufbau() {
    k.Programmverzeichnis = v.Pfad();
    LadeGrunddaten(k.gd, GrunddatenPfad(k.Programmverzeichnis));
    a = std::make_unique<AAnzeige>(k);
    a->move(100, 80);
    a->show();
  }
};
}  // namespace

class TestAAnzeige : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { DeutschEinstellen(); }

  void titel_und_menue() {
    Aufbau f;
    QCOMPARE(f.a->windowTitle(), QStringLiteral("KORVELAN         Rel. 1.1"));
    QStringList oben;
    for (QAction* a : f.a->menuBar()->actions()) oben << a->text();
    QCOMPARE(oben, QStringList({"&Beenden", "&Konvertieren", "&Anzeigen", "&Grunddaten", "?"}));
    QStringList hilfe;
    for (QAction* a : f.a->menuBar()->actions().last()->menu()->actions()) hilfe << a->text();
    QCOMPARE(hilfe, QStringList({"Hilfe", "Information"}));
  }

  void jedes_fenster_nur_einmal() {
    Aufbau f;
    f.a->Men_Konvertieren_Click();
    QWidget* d = f.a->Konvertierfenster();
    QVERIFY(d && d->isVisible());
    // Placed in the main window's work area, below its top and right of its left edge.
    QWidget* rahmen = ui::Rahmen(d);
    const QPoint soll(ui::Px(100), ui::Px(300));
    QCOMPARE(rahmen->pos(), soll);
    rahmen->move(500, 400);
    f.a->Men_Konvertieren_Click();
    QCOMPARE(f.a->Konvertierfenster(), d);
    QCOMPARE(rahmen->pos(), soll);
    QCOMPARE(f.a->findChildren<ui::DAnzeige*>().size(), 1);

    f.a->Men_Anzeigen_Click();
    f.a->Men_Anzeigen_Click();
    QCOMPARE(f.a->findChildren<ui::MAnzeige*>().size(), 1);
    QCOMPARE(ui::Rahmen(f.a->Betrachter())->pos(), QPoint(ui::Px(100), ui::Px(500)));
    f.a->Men_Grunddaten_Click();
    f.a->Men_Grunddaten_Click();
    QCOMPARE(f.a->findChildren<ui::Grunddat*>().size(), 1);
    f.a->Men_Hilfe2_Click();
    f.a->Men_Hilfe2_Click();
    QCOMPARE(f.a->findChildren<ui::HAnzeige*>().size(), 1);
    // The information box names the program and its version.
    QCOMPARE(f.a->Information()->windowTitle(), QStringLiteral("Information - KORVELAN Rel. 1.1"));

    // A closed window is discarded, its frame with it; choosing it again makes a new one.
    d->close();
    QTRY_VERIFY(f.a->Konvertierfenster() == nullptr);
    QTRY_COMPARE(f.a->Bereich()->subWindowList().size(), 3);
    f.a->Men_Konvertieren_Click();
    QVERIFY(f.a->Konvertierfenster() != nullptr);
  }

  void unterfenster_im_arbeitsbereich() {
    // The child windows are sub-windows of the main window's work area, so that they stay below
    // its menu and do not vanish behind it.
    Aufbau f;
    TempVerzeichnis daten;
    const QString quelle = QFileInfo(QStringLiteral(KORVELAN_PROGRAMM)).dir().filePath(QStringLiteral("Valmerik.HLP"));
    QVERIFY(QFile::copy(quelle, QString::fromStdString(f.v.Datei("Valmerik.HLP"))));
    f.a->Men_Konvertieren_Click();
    f.a->Men_Anzeigen_Click();
    f.a->Men_Grunddaten_Click();
    f.a->Men_Hilfe1_Click();
    f.a->Men_Hilfe2_Click();
    for (QWidget* w : {static_cast<QWidget*>(f.a->Konvertierfenster()), static_cast<QWidget*>(f.a->Betrachter()),
                       static_cast<QWidget*>(f.a->Grunddatenfenster()), static_cast<QWidget*>(f.a->Hilfefenster()),
                       static_cast<QWidget*>(f.a->Information())}) {
      QVERIFY(w);
      auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
      QVERIFY2(sub, qPrintable(w->objectName()));
      QCOMPARE(sub->mdiArea(), f.a->Bereich());
      QVERIFY(!w->isWindow());
      QVERIFY(sub->isVisible());
      // The frame holds the window at the size it set for itself.
      QVERIFY2(w->width() >= 300 && w->height() >= 150, qPrintable(w->objectName()));
    }
    QCOMPARE(f.a->Bereich()->subWindowList().size(), 5);

    // The viewer's field information opens at the top of the work area.
    DateiSchreiben(daten.Datei("DATANORM.001"), V4Datei("EUR"));
    ui::MAnzeige* m = f.a->Betrachter();
    m->DateiAnzeigen(QString::fromStdString(daten.Datei("DATANORM.001")));
    m->FeldinfoZeigen("A;N;4711;00;Schraube M6;", 6);
    QVERIFY(m->Feldinfo() && m->Feldinfo()->isVisible());
    QCOMPARE(ui::Rahmen(m->Feldinfo())->pos(), QPoint(0, 0));
    QCOMPARE(ui::Arbeitsbereich(m->Feldinfo()), f.a->Bereich());
    // A conversion with entries in the error log shows the log as a sub-window too, over the
    // conversion window, with the menu held until it is closed.
    DateiSchreiben(daten.Datei("DATANORM.002"),
                   Zeilen({V4Kopf("EUR"), "A;N;4711;90;Schraube M6;Kreuzschlitz;1;0;Stk;1962;RG1;001;;"}));
    ui::DAnzeige* d = f.a->Konvertierfenster();
    ui::DateiWaehlen() = [&daten](QWidget*, const QString&, const QString&) {
      return std::optional<QString>(QString::fromStdString(daten.Datei("DATANORM.002")));
    };
    bool imBereich = false, menueGesperrt = false;
    Boxen boxen;
    boxen.vorAntwort = [&](QWidget* w) {
      if (!qobject_cast<ui::FAnzeige*>(w)) return;
      imBereich = ui::Arbeitsbereich(w) == f.a->Bereich();
      menueGesperrt = !f.a->menuBar()->isEnabled() && !ui::Rahmen(d)->isEnabled();
    };
    d->Com_Laden_Click();
    d->Com_Konvertieren_Click();
    QVERIFY2(boxen.Texte().size() >= 1, qPrintable(boxen.Texte().join("|")));
    QCOMPARE(boxen.gesehen.last().art, QStringLiteral("Protokoll"));
    QVERIFY(imBereich);
    QVERIFY(menueGesperrt);
    QVERIFY(f.a->menuBar()->isEnabled());
    QVERIFY(ui::Rahmen(d)->isEnabled());
    QTRY_COMPARE(f.a->findChildren<ui::FAnzeige*>().size(), 0);
  }

  void hilfedatei_fehlt() {
    Aufbau f;
    Boxen boxen;
    f.a->Men_Hilfe1_Click();
    QCOMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("KORVELAN"));
    QCOMPARE(boxen.gesehen[0].text,
             QStringLiteral("Die Hilfedatei Valmerik.hlp befindet sich nicht im Programm-Verzeichnis: ") +
                 QString::fromStdString(f.v.Pfad()) + QStringLiteral("/"));
    QVERIFY(!f.a->Hilfefenster());
  }

  void hilfe_wird_gezeigt() {
    Aufbau f;
    // The help file of the program, as the build places it beside the binary.
    const QString quelle = QFileInfo(QStringLiteral(KORVELAN_PROGRAMM)).dir().filePath(QStringLiteral("Valmerik.HLP"));
    QVERIFY(QFile::copy(quelle, QString::fromStdString(f.v.Datei("Valmerik.HLP"))));
    f.a->Men_Hilfe1_Click();
    QVERIFY(f.a->Hilfefenster());
    QVERIFY(f.a->Hilfefenster()->isVisible());
    const QString text = f.a->Hilfefenster()->toPlainText();
    for (const char* stichwort : {"Konvertieren", "Anzeigen", "Grunddaten", "Fehlerprotokoll", "korvelan-konvert",
                                  "--waehrung", "--ueberschreiben", "--set-bloecke", "--datenkennzeichen",
                                  "--protokoll",
                                  // the currency default, the temporary file, the exit status
                                  "Vorgewählt ist die Währung der Eingabe", "DEM 1,95583", "temporäre Datei",
                                  "Es wurde keine Ausgabedatei geschrieben.", "Rückgabewert", "abgebrochen; es wurde keine Ausgabedatei geschrieben"})
      QVERIFY2(text.contains(QString::fromUtf8(stichwort)), stichwort);
    f.a->Men_Hilfe1_Click();
    QCOMPARE(f.a->findChildren<QTextBrowser*>().size(), 1);
  }

  void ungespeicherte_grunddaten() {
    // Ending the program while the basic-data window holds changes asks whether to save them.
    {
      // Abbrechen: the program stays open with its windows.
      Aufbau f;
      f.a->Men_Grunddaten_Click();
      f.k.gd.KursTab[1] = 40.0;  // an edit in the basic-data window
      Boxen boxen;
      boxen.knoepfe.push_back(QMessageBox::Cancel);
      f.a->Men_Beenden_Click();
      QCOMPARE(boxen.gesehen.size(), 1);
      QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("Grunddaten"));
      QCOMPARE(boxen.gesehen[0].text, QStringLiteral("Die Grunddaten wurden geändert.\n\n"
                                                     "Sollen die Änderungen in KELBORIS.DAT gespeichert werden?"));
      QCOMPARE(boxen.gesehen[0].knoepfe.size(), 3);
      QVERIFY(f.a->isVisible());
      QVERIFY(f.a->Grunddatenfenster()->isVisible());
      // Closing the main window asks as well.
      boxen.knoepfe.push_back(QMessageBox::Cancel);
      QVERIFY(!f.a->close());
      QCOMPARE(boxen.gesehen.size(), 2);
      QVERIFY(f.a->isVisible());
      QVERIFY(!QFile::exists(QString::fromStdString(GrunddatenPfad(f.v.Pfad()))));

      // Ja: the file is written, the program ends, nothing more is asked.
      boxen.knoepfe.push_back(QMessageBox::Yes);
      f.a->Men_Beenden_Click();
      QCOMPARE(boxen.gesehen.size(), 3);
      QVERIFY(!f.a->isVisible());
      Grunddaten gelesen;
      LadeGrunddaten(gelesen, GrunddatenPfad(f.v.Pfad()));
      QCOMPARE(gelesen.KursTab[1], 40.0);
    }
    {
      // Nein: nothing is written; the main window's close box asks in the same way.
      Aufbau f;
      f.a->Men_Grunddaten_Click();
      f.a->Men_Konvertieren_Click();
      f.a->Men_Anzeigen_Click();
      f.k.gd.EinhTab[0] = "cm  ;";
      Boxen boxen;
      boxen.knoepfe.push_back(QMessageBox::No);
      QVERIFY(f.a->close());
      QCOMPARE(boxen.gesehen.size(), 1);
      QVERIFY(!f.a->isVisible());
      QVERIFY(!QFile::exists(QString::fromStdString(GrunddatenPfad(f.v.Pfad()))));
    }
    {
      // Without changes nothing is asked.
      Aufbau f;
      f.a->Men_Grunddaten_Click();
      Boxen boxen;
      f.a->Men_Beenden_Click();
      QVERIFY(boxen.gesehen.isEmpty());
      QVERIFY(!f.a->isVisible());
      QTRY_VERIFY(f.a->Konvertierfenster() == nullptr);
      QVERIFY(!QFile::exists(QString::fromStdString(GrunddatenPfad(f.v.Pfad()))));
    }
  }
};

QTEST_MAIN(TestAAnzeige)
#include "test_aanzeige.moc"
