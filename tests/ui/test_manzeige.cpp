// The file viewer and its field information: listings of any length, line ends, cancellation,
// search, the check of the file, character conversion, and the field under the caret of
// version-4 lines (versions 3 and 5 in test_feldinfo.cpp).
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "context/dateien.h"
#include "ui/manzeige.h"
#include "ui/manzeigf.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::MAnzeige;

namespace {

QString Hilfe(MAnzeige& m) { return m.findChild<QLabel*>(QStringLiteral("Lab_Hilfe"))->text(); }
QString Abbruch() { return QString::fromLatin1(MAnzeige::Abbruchzeile); }
int Zeilenzahl(MAnzeige& m) { return m.Modell()->rowCount(); }
QString Zeile(MAnzeige& m, int n) { return m.Modell()->Zeile(n); }
QStringList AlleZeilen(MAnzeige& m) {
  QStringList z;
  for (int i = 0; i < Zeilenzahl(m); ++i) z << Zeile(m, i);
  return z;
}
// Lists a file and waits until the whole file is indexed.
void Anzeigen(MAnzeige& m, const std::string& pfad) {
  m.DateiAnzeigen(QString::fromStdString(pfad));
  QTRY_VERIFY_WITH_TIMEOUT(!m.ListungLaeuft(), 60000);
}
QString Feldbezeichnung(MAnzeige& m) {
  return m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_Feldbezeichnung"))->text();
}
QString Feldinhalt(MAnzeige& m) { return m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_Feldinhalt"))->text(); }
// A real click onto column k (1-based) of row n, which is scrolled into sight first.
void Klicken(MAnzeige& m, int n, int k) {
  ui::Zeilenansicht* l = m.Liste();
  if (n < l->ErsteSichtbareZeile() || n >= l->ErsteSichtbareZeile() + l->SichtbareZeilen())
    l->verticalScrollBar()->setValue(n);
  const QRect r = l->Zeichenrechteck(n, k - 1);
  QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 2, r.center().y()));
}
std::string Artikelzeile(int i) {
  return "A;N;" + std::to_string(100000 + i) + ";00;Schraube " + std::to_string(i) + ";;1;0;Stk;100;;;;";
}
// A version-4 file of a header and n article lines.
std::string GrosseDatei(int n) {
  std::string inhalt = V4Kopf("DEM") + "\r\n";
  for (int i = 0; i < n; ++i) inhalt += Artikelzeile(i) + "\r\n";
  return inhalt;
}

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
    Anzeigen(m, v.Datei("DATANORM.001"));
    QCOMPARE(Zeilenzahl(m), 3);
    QCOMPARE(Zeile(m, 1), QStringLiteral("A;N;4711;00;Schraube M6;Kreuzschlitz;1;0;Stk;1962;RG1;001;;"));
    QCOMPARE(Zeile(m, 2), QStringLiteral("A;N;4712;00;Mutter M6;;1;0;Stk;500;RG1;001;;"));
    QCOMPARE(Hilfe(m), QStringLiteral("Datei:   ") + QString::fromStdString(v.Datei("DATANORM.001")) +
                           QStringLiteral("      DATANORM Version 4"));
  }

  void klick_zeigt_feldinformation() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    MAnzeige m;
    m.show();
    Anzeigen(m, v.Datei("DATANORM.001"));
    // A real click onto the price code of the first article line (column 38).
    Klicken(m, 1, 38);
    QVERIFY(m.Feldinfo());
    QVERIFY(m.Feldinfo()->isVisible());
    QCOMPARE(m.Feldinfo()->windowTitle(), QStringLiteral("Feldinformation"));
    QCOMPARE(Feldbezeichnung(m), QStringLiteral("Preiskennzeichen"));
    QCOMPARE(Feldinhalt(m), QStringLiteral("1   / Bruttopreis "));
    QCOMPARE(m.Liste()->AktuelleZeile(), 1);
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
    Anzeigen(m, v.Datei("V5.001"));
    QCOMPARE(m.Version(), 5);
    QVERIFY(Hilfe(m).endsWith(QStringLiteral("DATANORM Version 5")));
    m.FeldinfoZeigen("A;N;4711;Schraube;;;;", 12);
    QVERIFY(m.Feldinfo());
    QCOMPARE(m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_SatzartBez"))->text(), QStringLiteral("Artikelsatz"));
    QCOMPARE(m.Feldinfo()->findChild<QLabel*>(QStringLiteral("Lab_Feldbezeichnung"))->text(),
             QStringLiteral("Kurztextzeile 1"));
  }

  // More lines than a 16-bit counter holds are listed whole; the first rows show at once, and
  // scrolling and clicking work while the rest is indexed.
  void grosse_datei_ganz_gelistet() {
    const int n = 40000;
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("GROSS.001"), GrosseDatei(n));
    MAnzeige m;
    m.resize(800, 400);
    m.show();
    m.SchrittSetzen(64 * 1024, 0);  // one read per step: many steps
    m.DateiAnzeigen(QString::fromStdString(v.Datei("GROSS.001")));
    QVERIFY(m.ListungLaeuft());
    QVERIFY(Zeilenzahl(m) > m.Liste()->SichtbareZeilen());
    QCOMPARE(Zeile(m, 0).left(8), QStringLiteral("V 010125"));
    QVERIFY2(Hilfe(m).endsWith(QStringLiteral("  Zeilen eingelesen    /   abbrechen mit Taste 'Beenden'")),
             qPrintable(Hilfe(m)));
    const int vorher = Zeilenzahl(m);
    QCOMPARE(Hilfe(m), QString::number(vorher) +
                           QStringLiteral("  Zeilen eingelesen    /   abbrechen mit Taste 'Beenden'"));
    // Scrolling and the field information while the index grows.
    QTRY_VERIFY(Zeilenzahl(m) > 2000);
    QVERIFY(m.ListungLaeuft());
    Klicken(m, 1500, 6);
    QCOMPARE(m.Liste()->AktuelleZeile(), 1500);
    QVERIFY(m.Feldinfo() && m.Feldinfo()->isVisible());
    QCOMPARE(Feldbezeichnung(m), QStringLiteral("Artikelnummer"));
    QCOMPARE(Feldinhalt(m), QStringLiteral("101499 "));
    QTRY_VERIFY_WITH_TIMEOUT(!m.ListungLaeuft(), 60000);
    QCOMPARE(Zeilenzahl(m), n + 1);
    QCOMPARE(Zeile(m, 32768), QString::fromStdString(Artikelzeile(32767)));
    QCOMPARE(Zeile(m, n), QString::fromStdString(Artikelzeile(n - 1)));
    QVERIFY(Hilfe(m).endsWith(QStringLiteral("DATANORM Version 4")));
    // The end of the list is reached with the keyboard.
    m.Liste()->setFocus();
    QTest::keyClick(m.Liste(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(m.Liste()->AktuelleZeile(), n);
    QVERIFY(m.Liste()->ErsteSichtbareZeile() + m.Liste()->SichtbareZeilen() > n);
  }

  // Rows end where the readers end lines: CR LF, a lone LF, a lone CR, and a last line without
  // an end; a line holding the end-of-file byte is a row. Rows read back from every index mark
  // and across every read boundary are those of the file.
  void zeilenenden_und_indexgrenzen() {
    const std::string enden[] = {"\r\n", "\n", "\r"};
    std::vector<std::string> zeilen{V4Kopf("DEM")};
    std::string inhalt = zeilen[0] + "\r\n";
    // Line ends that fall on the boundaries of reads: a CR LF split at the end of the index's
    // first read (1 MiB), and at the end of the first read (16 KiB) from the marks of rows 64
    // and 128, the second one a lone CR.
    std::vector<std::pair<std::size_t, std::string>> ziele{{(std::size_t{1} << 20) - 1, "\r\n"}};
    for (int i = 1; inhalt.size() < (std::size_t{1} << 20) + 5000; ++i) {
      if (i == 64) ziele.emplace_back(inhalt.size() + (1 << 14) - 1, "\r\n");
      if (i == 128) ziele.emplace_back(inhalt.size() + (1 << 14) - 1, "\r");
      std::string z = "A;N;" + std::to_string(i) + ";00;" + std::string(200 + static_cast<std::size_t>(i * 37 % 190), 'x') + ";";
      std::string ende = enden[i % 3];
      for (const auto& [ziel, art] : ziele) {
        const std::size_t cr = inhalt.size() + z.size();  // where the line end begins
        if (cr < ziel && cr + 300 > ziel) z += std::string(ziel - cr, 'y');
        if (inhalt.size() + z.size() == ziel) ende = art;
      }
      zeilen.push_back(z);
      inhalt += z + ende;
    }
    QCOMPARE(inhalt.substr((std::size_t{1} << 20) - 1, 2), std::string("\r\n"));
    for (const std::string& schluss : {std::string("A;N;letzte;00;ohne Ende;"), std::string("\x1A")}) {
      TempVerzeichnis v;
      DateiSchreiben(v.Datei("ENDEN.001"), inhalt + schluss);
      MAnzeige m;
      m.SchrittSetzen(4096, 0);  // the index stops in the middle of lines and of CR LF
      Anzeigen(m, v.Datei("ENDEN.001"));
      QCOMPARE(Zeilenzahl(m), static_cast<int>(zeilen.size()) + 1);
      for (int i = 0; i < static_cast<int>(zeilen.size()); ++i)
        QCOMPARE(Zeile(m, i), ui::DateitextAlsQString(zeilen[static_cast<std::size_t>(i)]));
      QCOMPARE(Zeile(m, static_cast<int>(zeilen.size())), ui::DateitextAlsQString(schluss));
      // Rows read in another order come from the same marks.
      QCOMPARE(Zeile(m, 64 * 40 + 63), ui::DateitextAlsQString(zeilen[64 * 40 + 63]));
      QCOMPARE(Zeile(m, 64), ui::DateitextAlsQString(zeilen[64]));
    }
    {
      // A file ending with its line end has no empty last row.
      TempVerzeichnis v;
      DateiSchreiben(v.Datei("KURZ.001"), V4Kopf("DEM") + "\rA;N;1;\r\n\nA;N;2;\n");
      MAnzeige m;
      Anzeigen(m, v.Datei("KURZ.001"));
      QCOMPARE(AlleZeilen(m), QStringList({QString::fromStdString(V4Kopf("DEM")), QStringLiteral("A;N;1;"),
                                           QString(), QStringLiteral("A;N;2;")}));
    }
  }

  // Search forward and backward from the selected row, without regard to case, on the letters
  // as shown; a text not there says so.
  void suchen() {
    TempVerzeichnis v;
    std::string inhalt = GrosseDatei(6000);
    inhalt += "A;N;999999;00;GER\x8ET f\x81r Rohre;;1;0;Stk;100;;;;\r\n";  // CP850 "GERÄT für"
    DateiSchreiben(v.Datei("SUCH.001"), inhalt);
    MAnzeige m;
    m.resize(800, 400);
    m.show();
    m.SchrittSetzen(16 * 1024, 0);
    Anzeigen(m, v.Datei("SUCH.001"));
    auto* suchtext = m.findChild<QLineEdit*>(QStringLiteral("Tex_Suchtext"));
    // Nothing selected: forward from the first row.
    suchtext->setText(QStringLiteral("schraube 12;"));
    m.Com_Suchen_Click();
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 13);
    QVERIFY(m.Liste()->ErsteSichtbareZeile() <= 13);
    // On from the found row, and back.
    suchtext->setText(QStringLiteral("SCHRAUBE 59"));
    m.Com_Suchen_Click();
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 60);
    m.Com_Suchen_Click();
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 591);
    m.Com_Rueckwaerts_Click();
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 60);
    // Umlauts of the file's code match in either case; the last row is found from the first.
    suchtext->setText(QStringLiteral("gerät FÜR"));
    m.Liste()->ZeileWaehlen(0);
    m.Com_Suchen_Click();
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 6001);
    QVERIFY(m.Liste()->ErsteSichtbareZeile() + m.Liste()->SichtbareZeilen() > 6001);
    QVERIFY(Hilfe(m).endsWith(QStringLiteral("DATANORM Version 4")));
    // Backward from the end over many index marks to the header.
    suchtext->setText(QStringLiteral("testdaten"));
    m.Com_Rueckwaerts_Click();
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 0);
    {
      // Not found, forward and backward: a message, and the selection stays.
      Boxen boxen;
      suchtext->setText(QStringLiteral("Mutter"));
      m.Com_Suchen_Click();
      QTRY_VERIFY(!m.SucheLaeuft());
      QTRY_COMPARE(boxen.gesehen.size(), 1);
      QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("Suchen"));
      QCOMPARE(boxen.gesehen[0].text, QStringLiteral("Der Suchtext 'Mutter' wurde bis zum Dateiende nicht gefunden."));
      QCOMPARE(m.Liste()->AktuelleZeile(), 0);
      m.Com_Rueckwaerts_Click();
      QTRY_COMPARE(boxen.gesehen.size(), 2);
      QCOMPARE(boxen.gesehen[1].text, QStringLiteral("Der Suchtext 'Mutter' wurde bis zum Dateianfang nicht gefunden."));
      // A character no row can show is not found either.
      suchtext->setText(QStringLiteral("Schraube \u4E00"));
      m.Com_Suchen_Click();
      QTRY_COMPARE(boxen.gesehen.size(), 3);
    }
    // Ctrl+F goes to the search text, Enter searches, F3 on, Shift+F3 back.
    QApplication::setActiveWindow(&m);
    QVERIFY(QTest::qWaitForWindowActive(&m));
    m.Liste()->setFocus();
    QTest::keyClick(m.Liste(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(suchtext->hasFocus());
    QTest::keyClicks(suchtext, QStringLiteral("schraube 4;"));
    QCOMPARE(suchtext->text(), QStringLiteral("schraube 4;"));
    QTest::keyClick(suchtext, Qt::Key_Return);
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 5);
    suchtext->setText(QStringLiteral("schraube 5"));
    QTest::keyClick(suchtext, Qt::Key_F3);
    QTRY_VERIFY(!m.SucheLaeuft());
    QCOMPARE(m.Liste()->AktuelleZeile(), 6);
    // Nothing before row 6 holds it: the box says so.
    Boxen boxen;
    QTest::keyClick(suchtext, Qt::Key_F3, Qt::ShiftModifier);
    QTRY_COMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(m.Liste()->AktuelleZeile(), 6);
  }

  // "B&eenden" stops a search, then the listing (which ends with the cancel line), and only then
  // closes the window; a search started during the listing waits for the index.
  void abbruch_mit_beenden() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("GROSS.001"), GrosseDatei(20000));
    MAnzeige m;
    m.show();
    m.SchrittSetzen(4096, 0);
    m.DateiAnzeigen(QString::fromStdString(v.Datei("GROSS.001")));
    QVERIFY(m.ListungLaeuft());
    // A search for the last article while the index is far from it: it waits and shows its progress.
    m.findChild<QLineEdit*>(QStringLiteral("Tex_Suchtext"))->setText(QStringLiteral("Schraube 19999;"));
    m.Com_Suchen_Click();
    QVERIFY(m.SucheLaeuft());
    QTRY_VERIFY(Hilfe(m).startsWith(QStringLiteral("Suche nach 'Schraube 19999;':  ")));
    QVERIFY(Hilfe(m).endsWith(QStringLiteral("  Zeilen durchsucht    /   abbrechen mit Taste 'Beenden'")));
    m.Com_Ende_Click();
    QVERIFY(!m.SucheLaeuft());
    QVERIFY(m.ListungLaeuft());  // the listing goes on
    QCOMPARE(m.Liste()->AktuelleZeile(), -1);
    QTRY_VERIFY(Zeilenzahl(m) > 1000);
    m.Com_Ende_Click();
    QVERIFY(!m.ListungLaeuft());
    const int n = Zeilenzahl(m);
    QVERIFY(n < 20001);
    QCOMPARE(Zeile(m, n - 1), Abbruch());
    QCOMPARE(Zeile(m, n - 2), QString::fromStdString(Artikelzeile(n - 3)));
    QVERIFY(Hilfe(m).endsWith(QStringLiteral("DATANORM Version 4")));
    QTest::qWait(50);
    QCOMPARE(Zeilenzahl(m), n);  // nothing more comes
    QVERIFY(m.isVisible());
    // A search in the cancelled listing ends where it ends.
    {
      Boxen boxen;
      m.Com_Suchen_Click();
      QTRY_COMPARE(boxen.gesehen.size(), 1);
    }
    m.Com_Ende_Click();
    QVERIFY(!m.isVisible());
  }

  // Real deliveries: every row of the listing is the line (or version-3 block) the conversion
  // reads, in the letters shown, whatever the file's character set and line ends.
  void echte_dateien_wie_die_konvertierung() {
    QDir korpus(QStringLiteral(KORVELAN_KORPUS));
    if (!korpus.exists()) QSKIP("corpus/real fehlt");
    int geprueft = 0;
    for (const QFileInfo& f : korpus.entryInfoList(QDir::Files)) {
      MAnzeige m;
      {
        Boxen boxen;  // files that are no DATANORM file are reported and left out
        Anzeigen(m, ui::PfadAlsBytes(f.filePath()));
        if (!boxen.gesehen.isEmpty() || Zeilenzahl(m) == 0) continue;
      }
      QStringList erwartet;
      Eingabedatei e;
      QVERIFY(e.Oeffnen(ui::PfadAlsBytes(f.filePath())));
      std::string zeile;
      if (m.Version() == 3) {
        while (e.BlockLesen(zeile, 130) > 0) erwartet << ui::DateitextAlsQString(zeile).remove(QStringLiteral("\r\n"));
      } else {
        while (e.ZeileLesen(zeile)) erwartet << ui::DateitextAlsQString(zeile);
      }
      QStringList gelistet = AlleZeilen(m);
      if (gelistet.size() == erwartet.size() + 1 && gelistet.last() == Abbruch()) gelistet.removeLast();
      QVERIFY2(gelistet == erwartet, qPrintable(f.fileName()));
      ++geprueft;
    }
    QVERIFY(geprueft >= 10);
  }

  void keine_datanorm_datei() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    DateiSchreiben(v.Datei("brief.txt"), Zeilen({"Hallo", "Welt"}));
    MAnzeige m;
    Anzeigen(m, v.Datei("DATANORM.001"));
    const QStringList vorher = AlleZeilen(m);
    Boxen boxen;
    m.DateiAnzeigen(QString::fromStdString(v.Datei("brief.txt")));
    QCOMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("DATANORM-Prüfung"));
    QCOMPARE(AlleZeilen(m), vorher);
    QCOMPARE(Hilfe(m), QString());
    // A file that does not exist: nothing happens.
    m.DateiAnzeigen(QStringLiteral("/gibt/es/nicht"));
    QCOMPARE(boxen.gesehen.size(), 1);
    // An empty file empties the listing.
    DateiSchreiben(v.Datei("leer.001"), "");
    m.DateiAnzeigen(QString::fromStdString(v.Datei("leer.001")));
    QCOMPARE(Zeilenzahl(m), 0);
    QCOMPARE(Hilfe(m), QString());
  }

  void zeichen_der_dos_codeseite() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"),
                   Zeilen({V4Kopf("DEM"), std::string("A;N;1;00;Ger\x84t f\x81r") + '\0' + "X;;1;0;St;1;;;;"}));
    MAnzeige m;
    Anzeigen(m, v.Datei("DATANORM.001"));
    QVERIFY(Zeile(m, 1).contains(QStringLiteral("Gerät für X;")));
  }

  // A file in UTF-8 or Windows-1252 is listed in its letters, as its CP850 twin is; the field
  // information shows the letters of the line as listed.
  void zeichensaetze_der_eingabe() {
    const std::string cp850 = Zeilen({V4Kopf("DEM"), "A;N;1;00;Ger\x84t f\x81r \x9D \x82 \xFC;;1;0;St;1;;;;"});
    const std::string utf8 =
        "\xEF\xBB\xBF" + Zeilen({V4Kopf("DEM"), "A;N;1;00;Ger\xC3\xA4t f\xC3\xBCr \xC3\x98 \xC3\xA9 \xC2\xB3;;1;0;St;1;;;;"});
    const std::string ansi = Zeilen({V4Kopf("DEM"), "A;N;1;00;Ger\xE4t f\xFCr \xD8 \xE9 \xB3;;1;0;St;1;;;;"});
    for (const std::string& inhalt : {cp850, utf8, ansi}) {
      TempVerzeichnis v;
      DateiSchreiben(v.Datei("DATANORM.001"), inhalt);
      MAnzeige m;
      m.show();
      Anzeigen(m, v.Datei("DATANORM.001"));
      QCOMPARE(Zeile(m, 0).left(8), QStringLiteral("V 010125"));
      QCOMPARE(Zeile(m, 1), QStringLiteral("A;N;1;00;Gerät für Ø é ³;;1;0;St;1;;;;"));
      Klicken(m, 1, 12);
      QCOMPARE(Feldinhalt(m), QStringLiteral("Gerät für Ø é ³ "));
      // Found by its letters whatever the file's code.
      m.findChild<QLineEdit*>(QStringLiteral("Tex_Suchtext"))->setText(QStringLiteral("FÜR ø"));
      m.Liste()->ZeileWaehlen(0);
      m.Com_Suchen_Click();
      QTRY_VERIFY(!m.SucheLaeuft());
      QCOMPARE(m.Liste()->AktuelleZeile(), 1);
    }
  }

  void listung_version3() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("V3.DAT"), V3Datei());
    MAnzeige m;
    Anzeigen(m, v.Datei("V3.DAT"));
    QCOMPARE(m.Version(), 3);
    QCOMPARE(Zeilenzahl(m), 2);
    QCOMPARE(Zeile(m, 0).size(), 128);
    QVERIFY(Zeile(m, 1).startsWith(QStringLiteral("A N4711")));
    // A last block shorter than a record: shown as far as it goes, then the cancel line.
    DateiSchreiben(v.Datei("V3.DAT"), V3Datei() + "A N4712");
    Anzeigen(m, v.Datei("V3.DAT"));
    QCOMPARE(Zeilenzahl(m), 4);
    QCOMPARE(Zeile(m, 2), QStringLiteral("A N4712"));
    QCOMPARE(Zeile(m, 3), Abbruch());
    // The end-of-file byte as the last block is the end marker: no cancel line.
    DateiSchreiben(v.Datei("V3.DAT"), V3Datei() + "\x1A");
    Anzeigen(m, v.Datei("V3.DAT"));
    QCOMPARE(Zeilenzahl(m), 3);
    QCOMPARE(Zeile(m, 2), ui::DateitextAlsQString("\x1A"));
    // Many records: every block is a row of its own, across the index marks.
    std::string viele = V3Datei();
    const std::string satz = viele.substr(130, 130);
    for (int i = 0; i < 300; ++i) viele += satz;
    DateiSchreiben(v.Datei("V3.DAT"), viele);
    m.SchrittSetzen(1000, 0);
    Anzeigen(m, v.Datei("V3.DAT"));
    QCOMPARE(Zeilenzahl(m), 302);
    QCOMPARE(Zeile(m, 301), Zeile(m, 1));
    QCOMPARE(Zeile(m, 200), Zeile(m, 1));
  }
};

QTEST_MAIN(TestMAnzeige)
#include "test_manzeige.moc"
