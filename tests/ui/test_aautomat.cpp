// The progress window of a command-line conversion and the start-up of the program: caption,
// progress in percent, the refused start, closing as a cancel request, a whole run through the
// window, and the program itself converting a file from its argument.
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QtTest>

#include "control/konvertierlauf.h"
#include "control/parameter.h"
#include "settings/grunddaten.h"
#include "ui/aautomat.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::AAutomat;

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
    a.Fortschritt(0, 0);
    QCOMPARE(a.Prozent(), 0);
    // Files beyond 4 GB.
    a.Fortschritt(3'000'000'000ULL, 6'000'000'000ULL);
    QCOMPARE(a.Prozent(), 50);
    a.Fortschritt(18'000'000'000'000'000'000ULL, 18'000'000'000'000'000'001ULL);
    QCOMPARE(a.Prozent(), 99);
    a.Fortschritt(7, 7);
    QCOMPARE(a.Prozent(), 100);
  }

  void schliessen_waehrend_des_laufs() {
    Kontext k;
    AAutomat a(k);
    a.show();
    k.kz.Konvertierstatus = 8;
    a.close();
    QCOMPARE(k.kz.Konvertierstatus, std::int16_t(9));
    QVERIFY(!a.isVisible());
    k.kz.Konvertierstatus = 0;
    a.show();
    a.close();
    QCOMPARE(k.kz.Konvertierstatus, std::int16_t(0));
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
    Kontext k;
    StandardwerteAnwenden(k.gd);
    ArbeitszeileZerlegen(k, ArbeitszeileBilden(v.Datei("DATANORM.001") + ";" + v.Datei("AUS.001") + ";5"));
    AAutomat a(k);
    Boxen boxen;
    KommandozeilenLauf(k, a, [&a] { a.show(); });
    QVERIFY2(boxen.gesehen.isEmpty(), qPrintable(boxen.Texte().join("|")));
    QCOMPARE(a.Text("Lab_VersionEin"), std::string("Vers.4"));
    QCOMPARE(a.Text("Lab_VersionAus"), std::string("Vers.5"));
    QCOMPARE(a.Text("Com_WaehrungsKz"), std::string("DEM"));
    QCOMPARE(a.Text("Lab_Fehler"), std::string("0"));
    QCOMPARE(a.Prozent(), 100);
    const std::string aus = DateiLesen(v.Datei("AUS.001"));
    QVERIFY(aus.rfind("V;050;A;", 0) == 0);
    QVERIFY2(aus.find(";aus Vers.4 konvertiert, 24.12.2025;\r\n") != std::string::npos, aus.c_str());
    QCOMPARE(k.kz.Konvertierstatus, std::int16_t(0));
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
      Kontext k;
      StandardwerteAnwenden(k.gd);
      ArbeitszeileZerlegen(k, ArbeitszeileBilden(v.Datei("DATANORM.001") + ";" + v.Datei("AUS.001") + ";5"));
      AAutomat a(k);
      Boxen boxen;
      KommandozeilenLauf(k, a, [&a] { a.show(); });
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
    QCOMPARE(boxen.Texte(), QStringList({QStringLiteral("Konvertiervorgang wurde abgebrochen!")}));
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("Abbruch"));
    const std::string aus = DateiLesen(v.Datei("AUS.001"));
    QVERIFY2(aus.find(";Konvertiervorgang wurde abgebrochen 24.12.2025;\r\n") != std::string::npos, aus.c_str());
    QVERIFY(aus.find("A;N;1199;") == std::string::npos);
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
