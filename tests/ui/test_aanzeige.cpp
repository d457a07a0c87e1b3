// The main window: caption and menu, each child window at most once and back in place, the help
// window and the message when the help file is missing, "&Beenden" without saving basic data.
#include <QMenuBar>
#include <QTextBrowser>
#include <QtTest>

#include "settings/grunddaten.h"
#include "ui/aanzeige.h"
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
    const QPoint soll = f.a->frameGeometry().topLeft() + QPoint(ui::Px(100), ui::Px(300));
    QCOMPARE(d->pos(), soll);
    d->move(500, 400);
    f.a->Men_Konvertieren_Click();
    QCOMPARE(f.a->Konvertierfenster(), d);
    QCOMPARE(d->pos(), soll);
    QCOMPARE(f.a->findChildren<ui::DAnzeige*>().size(), 1);

    f.a->Men_Anzeigen_Click();
    f.a->Men_Anzeigen_Click();
    QCOMPARE(f.a->findChildren<ui::MAnzeige*>().size(), 1);
    QCOMPARE(f.a->Betrachter()->pos(), f.a->frameGeometry().topLeft() + QPoint(ui::Px(100), ui::Px(500)));
    f.a->Men_Grunddaten_Click();
    f.a->Men_Grunddaten_Click();
    QCOMPARE(f.a->findChildren<ui::Grunddat*>().size(), 1);
    f.a->Men_Hilfe2_Click();
    f.a->Men_Hilfe2_Click();
    QCOMPARE(f.a->findChildren<ui::HAnzeige*>().size(), 1);
    QCOMPARE(f.a->Information()->windowTitle().trimmed(), QString());

    // A closed window is discarded; choosing it again makes a new one.
    d->close();
    QTRY_VERIFY(f.a->Konvertierfenster() == nullptr);
    f.a->Men_Konvertieren_Click();
    QVERIFY(f.a->Konvertierfenster() != nullptr);
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
                                  "--protokoll"})
      QVERIFY2(text.contains(QString::fromLatin1(stichwort)), stichwort);
    f.a->Men_Hilfe1_Click();
    QCOMPARE(f.a->findChildren<QTextBrowser*>().size(), 1);
  }

  void beenden_speichert_keine_grunddaten() {
    Aufbau f;
    f.a->Men_Grunddaten_Click();
    f.a->Men_Konvertieren_Click();
    f.a->Men_Anzeigen_Click();
    f.k.gd.KursTab[0] = 2.0;  // an edit in the basic-data window
    f.a->Men_Beenden_Click();
    QVERIFY(!f.a->isVisible());
    QVERIFY(!f.a->Grunddatenfenster() || !f.a->Grunddatenfenster()->isVisible());
    QTRY_VERIFY(f.a->Konvertierfenster() == nullptr);
    QVERIFY(!QFile::exists(QString::fromStdString(GrunddatenPfad(f.v.Pfad()))));
  }
};

QTEST_MAIN(TestAAnzeige)
#include "test_aanzeige.moc"
