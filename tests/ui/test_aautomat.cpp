// The progress window of a command-line conversion and the start-up of the program: caption,
// progress in percent, the refused start, closing as a cancel request, a whole run through the
// window, and the program itself converting a file from its argument.
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>
#include <memory>

#include "control/konvertierlauf.h"
#include "control/parameter.h"
#include "settings/grunddaten.h"
#include "ui/aautomat.h"
#include "ui/qtfenster.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::AAutomat;

namespace {

// A command-line run of a file into version 5 through the progress window, its boxes answered.
struct Fensterlauf {
  Fensterlauf(const std::string& ein, const std::string& aus) {
    StandardwerteAnwenden(k.gd);
    ArbeitszeileZerlegen(k, ArbeitszeileBilden(ein + ";" + aus + ";5"));
    a = std::make_unique<AAutomat>(k);
    KommandozeilenLauf(k, *a, [this] { a->show(); });
  }
  Kontext k;
  std::unique_ptr<AAutomat> a;
  Boxen boxen;
};

}  // namespace

class TestAAutomat : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    DeutschEinstellen();
    DatumFestlegen("24.12.2025");
  }

  void fenster() {
    Kontext k;
    AAutomat a(k);
    QCOMPARE(a.windowTitle(), QStringLiteral("DATANORM Konvertierung "));
    // The progress window of the command line is a window of its own.
    QVERIFY(a.isWindow());
    for (const char* n : {"Tex_Eingabe", "Tex_Ausgabe", "Lab_VersionEin", "Lab_VersionAus", "Com_Version", "Lab_Version",
                          "Lab_Datum", "Lab_WaehrungKz", "Lab_Datum1", "Com_WaehrungsKz", "Tex_Info1", "Tex_Info2",
                          "Tex_Info3", "Tex_ArtikelNr", "Tex_Bearbeitet", "Lab_Bearbeitet", "Lab_Fehler"})
      QVERIFY2(a.Steuerelement(n), n);
    // Controls the window lacks read as empty and ignore what is set.
    a.SetzeText("Lab_Hilfe", "x");
    QCOMPARE(a.Text("Lab_Hilfe"), std::string());
    a.SetzeText("Tex_Info3", "eins\r\nzwei");
    QCOMPARE(a.Text("Tex_Info3"), std::string("eins\r\nzwei"));
    a.SetzeText("Lab_Datum", Ansi("Größe"));
    QCOMPARE(a.Text("Lab_Datum"), Ansi("Größe"));
  }

  void fortschritt_in_prozent() {
    Kontext k;
    AAutomat a(k);
    a.FortschrittZeigen(0, 0);
    QCOMPARE(a.Prozent(), 0);
    // Files beyond 4 GB.
    a.FortschrittZeigen(3'000'000'000ULL, 6'000'000'000ULL);
    QCOMPARE(a.Prozent(), 50);
    a.FortschrittZeigen(18'000'000'000'000'000'000ULL, 18'000'000'000'000'000'001ULL);
    QCOMPARE(a.Prozent(), 99);
    a.FortschrittZeigen(7, 7);
    QCOMPARE(a.Prozent(), 100);
  }

  void schliessen_waehrend_des_laufs() {
    Kontext k;
    AAutomat a(k);
    a.show();
    Fortschritt stand;
    QVERIFY(!a.Melden(stand));  // the run reports before its first record
    a.close();
    QVERIFY(!a.isVisible());
    QVERIFY(a.Melden(stand));  // the next report asks the run to stop, once
    QVERIFY(!a.Melden(stand));
    stand.ende = true;
    a.Melden(stand);
    // Closed after the run: nothing is asked of the next one.
    a.show();
    a.close();
    stand.ende = false;
    QVERIFY(!a.Melden(stand));
  }

  void aufruffehler_beim_zeigen() {
    Kontext k;
    k.kz.Aufruffehler = -1;
    k.kz.Aufruffehlertext = "Aufrufparameter ist falsch";
    AAutomat a(k);
    Boxen boxen;
    a.show();
    QTRY_VERIFY(!a.isVisible());
    QCOMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("Fehler im Programmaufruf"));
    QCOMPARE(boxen.gesehen[0].text, QStringLiteral("keine Bearbeitung möglich!\n\nAufrufparameter ist falsch"));
  }

  void lauf_durch_das_fenster() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    Fensterlauf lauf(v.Datei("DATANORM.001"), v.Datei("AUS.001"));
    AAutomat& a = *lauf.a;
    Boxen& boxen = lauf.boxen;
    QVERIFY2(boxen.gesehen.isEmpty(), qPrintable(boxen.Texte().join("|")));
    QCOMPARE(a.Text("Lab_VersionEin"), std::string("Vers.4"));
    QCOMPARE(a.Text("Lab_VersionAus"), std::string("Vers.5"));
    QCOMPARE(a.Text("Com_WaehrungsKz"), std::string("DEM"));
    QCOMPARE(a.Text("Lab_Fehler"), std::string("0"));
    // The end shows 100 % and every record.
    QCOMPARE(a.Prozent(), 100);
    QCOMPARE(a.Text("Lab_Bearbeitet"), std::string("2"));
    const std::string aus = DateiLesen(v.Datei("AUS.001"));
    QVERIFY(aus.rfind("V;050;A;", 0) == 0);
    QVERIFY2(aus.find(";aus Vers.4 konvertiert, 24.12.2025;\r\n") != std::string::npos, aus.c_str());
  }

  // File text appears in its letters: the article number and the line in the progress part,
  // the header texts, and the article number in the error log; the same for a UTF-8 file.
  void dateitext_in_seinen_buchstaben() {
    const QString zubehoer = QStringLiteral("Zubehör-Ø é³");
    for (bool utf8 : {false, true}) {
      const std::string nr = utf8 ? "Zubeh\xC3\xB6r-\xC3\x98 \xC3\xA9\xC2\xB3" : "Zubeh\x94r-\x9D \x82\xFC";
      const std::string info = utf8 ? "M\xC3\xBCller \xC3\xA9" : "M\x81ller \x82";
      TempVerzeichnis v;
      // The text flag 73 is wrong: the article number goes to the error log.
      // The header's first text holds 8 characters and 32 blanks.
      const std::string kopf = "V 010125" + info + std::string(32 + 75, ' ') + "04DEM";
      DateiSchreiben(v.Datei("DATANORM.001"), Zeilen({kopf, "A;N;" + nr + ";73;Kurztext;;1;0;Stk;1962;RG1;001;;"}));
      Fensterlauf lauf(v.Datei("DATANORM.001"), v.Datei("AUS.001"));
      AAutomat& a = *lauf.a;
      const Boxen& boxen = lauf.boxen;
      QVERIFY(qobject_cast<QLineEdit*>(a.Steuerelement("Tex_Bearbeitet"))->text().startsWith(
          QStringLiteral("A;N;") + zubehoer + QStringLiteral(";73;")));
      // The readers hand the article number over in the file's code, as they read it.
      a.SetzeText("Tex_ArtikelNr", "Zubeh\x94r-\x9D \x82\xFC");
      QCOMPARE(qobject_cast<QLineEdit*>(a.Steuerelement("Tex_ArtikelNr"))->text(), zubehoer);
      QCOMPARE(qobject_cast<QLineEdit*>(a.Steuerelement("Tex_Info1"))->text(), QStringLiteral("Müller é"));
      QCOMPARE(boxen.gesehen.size(), 1);
      QCOMPARE(boxen.gesehen[0].art, QStringLiteral("Protokoll"));
      // The reader holds article numbers in capitals (of a to z).
      QVERIFY2(boxen.gesehen[0].text.contains(QStringLiteral("ZUBEHöR-Ø é³      \tTextkennzeichen falsch")),
               qPrintable(boxen.gesehen[0].text));
    }
  }

  void abbruch_durch_schliessen() {
    TempVerzeichnis v;
    std::string inhalt = V4Kopf("DEM") + "\r\n";
    for (int i = 0; i < 200; ++i) inhalt += "A;N;" + std::to_string(1000 + i) + ";00;Schraube;;1;0;Stk;100;;;;\r\n";
    DateiSchreiben(v.Datei("DATANORM.001"), inhalt);
    Kontext k;
    StandardwerteAnwenden(k.gd);
    ArbeitszeileZerlegen(k, ArbeitszeileBilden(v.Datei("DATANORM.001") + ";" + v.Datei("AUS.001") + ";5"));
    AAutomat a(k);
    Boxen boxen;
    // The user closes the window as soon as the run lets events through.
    KommandozeilenLauf(k, a, [&a] {
      a.show();
      QTimer::singleShot(0, &a, &QWidget::close);
    });
    QCOMPARE(boxen.Texte(),
             QStringList({QStringLiteral("Die Konvertierung wurde abgebrochen. Es wurde keine Ausgabedatei geschrieben.")}));
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("Abbruch"));
    QVERIFY(!QFile::exists(QString::fromStdString(v.Datei("AUS.001"))));
    QCOMPARE(QDir(QString::fromStdString(v.Pfad())).entryList(QDir::Files).size(), 1);
  }

  void rueckgabewert_wie_korvelan_konvert() {
    // korvelan "IN;OUT;V" ends with the status korvelan-konvert gives for the same outcome.
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    DateiSchreiben(v.Datei("PROTOKOLL.001"),
                   Zeilen({V4Kopf("DEM"), "A;N;4711;90;Schraube M6;Kreuzschlitz;1;0;Stk;1962;RG1;001;;"}));
    struct Fall {
      std::string ein, aus;
      int status;
    };
    const bool voll = QFile::exists(QStringLiteral("/dev/full"));
    std::vector<Fall> faelle{{v.Datei("DATANORM.001"), v.Datei("A0.001"), 0},
                             {v.Datei("PROTOKOLL.001"), v.Datei("A1.001"), 1},
                             {v.Datei("FEHLT.001"), v.Datei("A2.001"), 2}};
    if (voll) faelle.push_back({v.Datei("DATANORM.001"), "/dev/full", 3});
    for (const Fall& fall : faelle) {
      Kontext k;
      StandardwerteAnwenden(k.gd);
      Boxen boxen;
      const int status = ui::KommandozeilenModus(k, ArbeitszeileBilden(fall.ein + ";" + fall.aus + ";5"));
      QCOMPARE(status, fall.status);
      QProcess konvert;
      QStringList argumente{QString::fromStdString(fall.ein), QString::fromStdString(fall.aus + "k"), "5"};
      if (fall.status == 3) argumente = QStringList{QString::fromStdString(fall.ein), "/dev/full", "5", "--ueberschreiben"};
      konvert.start(QStringLiteral(KORVELAN_KONVERT), argumente);
      QVERIFY(konvert.waitForFinished(60000));
      QCOMPARE(konvert.exitCode(), status);
    }
    // Cancelled: 4.
    std::string gross = V4Kopf("DEM") + "\r\n";
    for (int i = 0; i < 2000; ++i) gross += "A;N;" + std::to_string(1000 + i) + ";00;Schraube;;1;0;Stk;100;;;;\r\n";
    DateiSchreiben(v.Datei("GROSS.001"), gross);
    Kontext k;
    StandardwerteAnwenden(k.gd);
    Boxen boxen;
    QTimer schliessen;
    QObject::connect(&schliessen, &QTimer::timeout, [&] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* a = qobject_cast<ui::AAutomat*>(w); a && a->MeldetLauf()) w->close();
    });
    schliessen.start(0);
    QCOMPARE(ui::KommandozeilenModus(k, ArbeitszeileBilden(v.Datei("GROSS.001") + ";" + v.Datei("A4.001") + ";5")), 4);
  }

  void waehrungsfrage_zeigt_ihren_titel() {
    // The currency question of a version-3 input is wide enough for its whole title.
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V3Datei());
    Kontext k;
    StandardwerteAnwenden(k.gd);
    ArbeitszeileZerlegen(k, ArbeitszeileBilden(v.Datei("DATANORM.001") + ";" + v.Datei("AUS.001") + ";5"));
    AAutomat a(k);
    Boxen boxen;
    boxen.eingaben.push_back(QStringLiteral("EUR"));
    KommandozeilenLauf(k, a, [&a] { a.show(); });
    QVERIFY(!boxen.gesehen.isEmpty());
    QCOMPARE(boxen.gesehen[0].art, QStringLiteral("Eingabe"));
    QVERIFY(boxen.gesehen[0].breite >= ui::TitelBreite(boxen.gesehen[0].titel));
    QVERIFY(QFile::exists(QString::fromStdString(v.Datei("AUS.001"))));
  }

  void ohne_bildschirm() {
    // Without a display (and no platform chosen) the program says in German how to convert
    // without one, and ends with status 2 instead of aborting.
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    for (const QStringList& argumente :
         {QStringList(), QStringList{QString::fromStdString(v.Datei("DATANORM.001") + ";" + v.Datei("AUS.001") + ";5")}}) {
      QProcess p;
      QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
      for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) umgebung.remove(QString::fromLatin1(name));
      p.setProcessEnvironment(umgebung);
      p.start(QStringLiteral(KORVELAN_PROGRAMM), argumente);
      QVERIFY(p.waitForFinished(60000));
      QCOMPARE(p.exitStatus(), QProcess::NormalExit);
      QCOMPARE(p.exitCode(), 2);
      const QString fehler = QString::fromUtf8(p.readAllStandardError());
      QVERIFY2(fehler.contains(QStringLiteral("Es wurde kein Bildschirm gefunden")), qPrintable(fehler));
      const QString konvert = QFileInfo(QStringLiteral(KORVELAN_KONVERT)).absoluteFilePath();
      QVERIFY2(fehler.contains(konvert + QStringLiteral(" EINGABE AUSGABE VERSION")), qPrintable(fehler));
      QVERIFY(!fehler.contains(QStringLiteral("could not connect")));
      QVERIFY(!QFile::exists(QString::fromStdString(v.Datei("AUS.001"))));
    }
  }

  void programm_mit_argument() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    QProcess p;
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(umgebung);
    p.start(QStringLiteral(KORVELAN_PROGRAMM),
            {QString::fromStdString(v.Datei("DATANORM.001") + ";" + v.Datei("V5-ANORM.001") + ";5")});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const std::string aus = DateiLesen(v.Datei("V5-ANORM.001"));
    QVERIFY(aus.rfind("V;050;A;", 0) == 0);
    QVERIFY(aus.find(";aus Vers.4 konvertiert, ") != std::string::npos);

    // The headless converter writes the same file.
    QProcess konvert;
    konvert.start(QStringLiteral(KORVELAN_KONVERT),
                  {QString::fromStdString(v.Datei("DATANORM.001")), QString::fromStdString(v.Datei("KONVERT.001")),
                   QStringLiteral("5")});
    QVERIFY(konvert.waitForFinished(60000));
    QCOMPARE(konvert.exitCode(), 0);
    QVERIFY(DateiLesen(v.Datei("KONVERT.001")) == aus);
  }
};

QTEST_MAIN(TestAAutomat)
#include "test_aautomat.moc"
