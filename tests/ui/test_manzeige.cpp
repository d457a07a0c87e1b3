// The file viewer and its field information: listings, cancellation, the check of the file,
// character conversion, and the field under the caret of version-4 lines (versions 3 and 5 in
// test_feldinfo.cpp).
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QtTest>

#include "ui/manzeige.h"
#include "ui/manzeigf.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::MAnzeige;

namespace {

QPlainTextEdit* Text(MAnzeige& m) { return m.findChild<QPlainTextEdit*>(QStringLiteral("Tex_Anzeige")); }
QString Hilfe(MAnzeige& m) { return m.findChild<QLabel*>(QStringLiteral("Lab_Hilfe"))->text(); }
QString Abbruch() { return QString::fromLatin1(MAnzeige::Abbruchzeile); }

// Field information of a line at column k, as "letter|description|label|content".
QString Info(const std::string& zeile, int k) {
  auto f = ui::FeldinformationErmitteln(Ansi(zeile), k);
  if (!f) return QStringLiteral("-");
  return ui::AlsQString(f->satzart + "|" + f->satzartbezeichnung + "|" + f->feldbezeichnung + "|" + f->feldinhalt);
}

}  // namespace

class TestMAnzeige : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { DeutschEinstellen(); }

  void feldinformation_artikel() {
    const std::string a = "A;N;4711;;Schraube;;1;0;ST;1234;;;";
    QCOMPARE(Info(a, 21), QStringLiteral("A |Artikelsatz Teil A|Preiskennzeichen|1   / Bruttopreis "));
    // The ";" ending a field reports that field, the next character the next field.
    QCOMPARE(Info(a, 22), Info(a, 21));
    QCOMPARE(Info(a, 23), QStringLiteral("A |Artikelsatz Teil A|Preiseinheit|0   / per Einheit "));
    QCOMPARE(Info(a, 28), QStringLiteral("A |Artikelsatz Teil A|Preis|12,34 "));
    QCOMPARE(Info(a, 1), QStringLiteral("A |Artikelsatz Teil A|Verarbeitungskennzeichen|N     / Neuanlage "));
    QCOMPARE(Info(a, 11), QStringLiteral("A |Artikelsatz Teil A|Kurztextzeile 1|Schraube "));
    QCOMPARE(Info("A;X;4711;;;;3;;", 3),
             QStringLiteral("A |Artikelsatz Teil A|Verarbeitungskennzeichen|X     / Artikelnummern-Änderung "));
    QCOMPARE(Info("A;X;4711;;;;3;;", 13), QStringLiteral("A |Artikelsatz Teil A|Preiskennzeichen|3   / Falsche Angabe "));
    // Beyond the twelfth field there is nothing to show.
    QCOMPARE(Info(a, 200), QStringLiteral("-"));
    QCOMPARE(Info("Q;1;2;3", 1), QStringLiteral("-"));
  }

  void feldinformation_weitere_saetze() {
    QCOMPARE(Info("B;N;4711;SCHRAUBE;;12;1;0;150;", 23),
             QStringLiteral("B |Artikelsatz Teil B|CU-Gewichts Merker|1   / Cu-Verarbeitung pro 100 Mengeneinheiten "));
    QCOMPARE(Info("B;N;4711;SCHRAUBE;;12;1;0;150;", 25),
             QStringLiteral("B |Artikelsatz Teil B|Kupfer-Basispreis|0   / Hohlpreis "));
    const std::string r = "R;;AB12;1;3500;Schrauben und Muttern;";
    // The first field has no label of its own.
    QCOMPARE(Info(r, 1), QStringLiteral("R |Rabattgruppensatz|Rabattgruppe|AB12 "));
    QCOMPARE(Info(r, 9), QStringLiteral("R |Rabattgruppensatz|Rabattgruppenkennzeichen|1   / Rabattsatz "));
    QCOMPARE(Info(r, 11), QStringLiteral("R |Rabattgruppensatz|Rabatt|35,00   / Rabatt "));
    QCOMPARE(Info("R;;AB12;2;1250;Multi;", 11), QStringLiteral("R |Rabattgruppensatz|Multi|1,250   / Multi "));
    QCOMPARE(Info("R;;AB12;7;1250;Multi;", 11), QStringLiteral("R |Rabattgruppensatz||1250 "));
    const std::string z = "Z;N;4711;01;4;CU;000150;001000;000250;002000;";
    QCOMPARE(Info(z, 13), QStringLiteral("Z |Staffelpreissatz|Bearbeitungsmerker|4 "));
    QCOMPARE(Info(z, 18), QStringLiteral("Z |Rohstoffsatz (Berechng), Bearb.Mk.4|Bezugspreis-Basis|150,00 "));
    QCOMPARE(Info(z, 25), QStringLiteral("Z |Rohstoffsatz (Berechng), Bearb.Mk.4|Umrechnungsfaktor|1,000 "));
    QCOMPARE(Info(z, 32), QStringLiteral("Z |Rohstoffsatz (Berechng), Bearb.Mk.4|Gewicht|2,50 "));
    QCOMPARE(Info("Z;N;4711;01;5;Fracht;1;995;", 22),
             QStringLiteral("Z |Sonderkosten, Bearb.Mk.5|Zuschlagkennzeichen|1 "));
    QCOMPARE(Info("Z;N;4711;01;9;Fracht;1;995;", 20), QStringLiteral("-"));
    QCOMPARE(Info("J;N;SET1;01;1;MATCH;Text;1;4711;2500;", 35),
             QStringLiteral("J |Artikel SET-Satz|Menge|2,500 "));
    QCOMPARE(Info("D;N;4711;01;T;;Edelstahl;02;F;;DIN;", 13),
             QStringLiteral("D |Dimensionssatz|Unterkennzeichen|T   / Einfügung von Textblöcken "));
    QCOMPARE(Info("E;N;TXT1;;01;;Zeile eins;", 20), QStringLiteral("E |Einfügetextsatz|Einfügetextzeile Teil 1|Zeile eins "));
  }

  void feldinformation_vorlaufsatz() {
    const std::string v = V4Kopf("DEM", "Preisliste");
    QCOMPARE(Info(v, 125), QStringLiteral("V |Vorlaufsatz|Version|04 "));
    QCOMPARE(Info(v, 5), QStringLiteral("V |Vorlaufsatz|Datum|01.01.25 "));
    QCOMPARE(Info(v, 127), QStringLiteral("V |Vorlaufsatz|Währungskennzeichen|DEM "));
    QVERIFY(Info(v, 9).startsWith(QStringLiteral("V |Vorlaufsatz|Informationstext 1|Preisliste     ")));
    QCOMPARE(Info(v, 129), QStringLiteral("-"));
  }

  void listung_version4() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    MAnzeige m;
    m.DateiAnzeigen(QString::fromStdString(v.Datei("DATANORM.001")));
    QCOMPARE(Text(m)->blockCount(), 4);  // three lines, each with its line end
    QVERIFY(Text(m)->toPlainText().endsWith(QStringLiteral("1962;RG1;001;;\nA;N;4712;00;Mutter M6;;1;0;Stk;500;RG1;001;;\n")));
    QCOMPARE(Hilfe(m), QStringLiteral("Datei:   ") + QString::fromStdString(v.Datei("DATANORM.001")) +
                           QStringLiteral("      DATANORM Version 4"));
    QVERIFY(!m.ListungLaeuft());
  }

  void klick_zeigt_feldinformation() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    MAnzeige m;
    m.show();
    m.DateiAnzeigen(QString::fromStdString(v.Datei("DATANORM.001")));
    // A real click onto the price code of the first article line (column 38).
    QTextCursor c(Text(m)->document()->findBlockByNumber(1));
    c.setPosition(c.position() + 37);
    QRect r = Text(m)->cursorRect(c);
    QTest::mouseClick(Text(m)->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 2, r.center().y()));
    QVERIFY(m.Feldinfo());
    QVERIFY(m.Feldinfo()->isVisible());
    QCOMPARE(m.Feldinfo()->windowTitle(), QStringLiteral("Feldinformation"));
    QCOMPARE(m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_Feldbezeichnung"))->text(),
             QStringLiteral("Preiskennzeichen"));
    QCOMPARE(m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_Feldinhalt"))->text(),
             QStringLiteral("1   / Bruttopreis "));
    // A click beyond the fields hides it again.
    m.FeldinfoZeigen("A;N;4711;", 300);
    QVERIFY(!m.Feldinfo()->isVisible());
    m.Com_Ende_Click();
    QVERIFY(!m.isVisible());
  }

  void klick_in_version5_zeigt_feldinformation() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("V5.001"), Zeilen({"V;050;A;20250101;EUR;Test;;;;;;;;;;", "A;N;4711;Schraube;;;;"}));
    MAnzeige m;
    m.DateiAnzeigen(QString::fromStdString(v.Datei("V5.001")));
    QCOMPARE(m.Version(), 5);
    QVERIFY(Hilfe(m).endsWith(QStringLiteral("DATANORM Version 5")));
    m.FeldinfoZeigen("A;N;4711;Schraube;;;;", 12);
    QVERIFY(m.Feldinfo());
    QCOMPARE(m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_SatzartBez"))->text(), QStringLiteral("Artikelsatz"));
    QCOMPARE(m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_Feldbezeichnung"))->text(),
             QStringLiteral("Kurztextzeile 1"));
  }

  void abbruch_mit_beenden() {
    TempVerzeichnis v;
    std::string inhalt = V4Kopf("DEM") + "\r\n";
    for (int i = 0; i < 3000; ++i) inhalt += "A;N;" + std::to_string(4711 + i) + ";00;Schraube;;1;0;Stk;100;;;;\r\n";
    DateiSchreiben(v.Datei("GROSS.001"), inhalt);
    MAnzeige m;
    m.show();
    // "B&eenden" while the listing runs, once 100 lines are shown.
    connect(Text(m)->document(), &QTextDocument::blockCountChanged, &m, [&m](int n) {
      if (n == 101) m.Com_Ende_Click();
    });
    m.DateiAnzeigen(QString::fromStdString(v.Datei("GROSS.001")));
    QString t = Text(m)->toPlainText();
    QVERIFY(t.endsWith(QStringLiteral("\n\n") + Abbruch()));
    QCOMPARE(Text(m)->blockCount(), 102);
    QVERIFY(Hilfe(m).endsWith(QStringLiteral("DATANORM Version 4")));
    QVERIFY(m.isVisible());  // the first "B&eenden" only stopped the listing
  }

  void keine_datanorm_datei() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    DateiSchreiben(v.Datei("brief.txt"), Zeilen({"Hallo", "Welt"}));
    MAnzeige m;
    m.DateiAnzeigen(QString::fromStdString(v.Datei("DATANORM.001")));
    const QString vorher = Text(m)->toPlainText();
    Boxen boxen;
    m.DateiAnzeigen(QString::fromStdString(v.Datei("brief.txt")));
    QCOMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("DATANORM-Prüfung"));
    QCOMPARE(Text(m)->toPlainText(), vorher);
    QCOMPARE(Hilfe(m), QString());
    // A file that does not exist: nothing happens.
    m.DateiAnzeigen(QStringLiteral("/gibt/es/nicht"));
    QCOMPARE(boxen.gesehen.size(), 1);
    // An empty file empties the listing.
    DateiSchreiben(v.Datei("leer.001"), "");
    m.DateiAnzeigen(QString::fromStdString(v.Datei("leer.001")));
    QCOMPARE(Text(m)->toPlainText(), QString());
    QCOMPARE(Hilfe(m), QString());
  }

  void zeichen_der_dos_codeseite() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"),
                   Zeilen({V4Kopf("DEM"), std::string("A;N;1;00;Ger\x84t f\x81r") + '\0' + "X;;1;0;St;1;;;;"}));
    MAnzeige m;
    m.DateiAnzeigen(QString::fromStdString(v.Datei("DATANORM.001")));
    QVERIFY(Text(m)->toPlainText().contains(QStringLiteral("Gerät für X;")));
  }

  // A file in UTF-8 or Windows-1252 is listed in its letters, as its CP850 twin is; the field
  // information shows the letters of the line as listed.
  void zeichensaetze_der_eingabe() {
    const std::string cp850 = Zeilen({V4Kopf("DEM"), "A;N;1;00;Ger\x84t f\x81r \x9D \x82 \xFC;;1;0;St;1;;;;"});
    const std::string utf8 =
        Zeilen({V4Kopf("DEM"), "A;N;1;00;Ger\xC3\xA4t f\xC3\xBCr \xC3\x98 \xC3\xA9 \xC2\xB3;;1;0;St;1;;;;"});
    const std::string ansi = Zeilen({V4Kopf("DEM"), "A;N;1;00;Ger\xE4t f\xFCr \xD8 \xE9 \xB3;;1;0;St;1;;;;"});
    for (const std::string& inhalt : {cp850, utf8, ansi}) {
      TempVerzeichnis v;
      DateiSchreiben(v.Datei("DATANORM.001"), inhalt);
      MAnzeige m;
      m.show();
      m.DateiAnzeigen(QString::fromStdString(v.Datei("DATANORM.001")));
      const QString zeile = Text(m)->document()->findBlockByNumber(1).text();
      QCOMPARE(zeile, QStringLiteral("A;N;1;00;Gerät für Ø é ³;;1;0;St;1;;;;"));
      m.FeldinfoZeigen(ui::AlsAnsi(zeile), 12);
      QCOMPARE(m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_Feldinhalt"))->text(),
               QStringLiteral("Gerät für Ø é ³ "));
    }
  }

  void listung_version3() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("V3.DAT"), V3Datei());
    MAnzeige m;
    m.DateiAnzeigen(QString::fromStdString(v.Datei("V3.DAT")));
    QCOMPARE(m.Version(), 3);
    QStringList zeilen = Text(m)->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(zeilen.size(), 3);
    QCOMPARE(zeilen[0].size(), 128);
    QVERIFY(zeilen[1].startsWith(QStringLiteral("A N4711")));
    // A last block shorter than a record: shown as far as it goes, then the cancel line.
    DateiSchreiben(v.Datei("V3.DAT"), V3Datei() + "A N4712");
    m.DateiAnzeigen(QString::fromStdString(v.Datei("V3.DAT")));
    QVERIFY(Text(m)->toPlainText().endsWith(QStringLiteral("A N4712\n") + Abbruch()));
  }
};

QTEST_MAIN(TestMAnzeige)
#include "test_manzeige.moc"
