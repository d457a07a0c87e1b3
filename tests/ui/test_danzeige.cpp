// The conversion window: output-name proposals, file choice, currency lists and exchange factor,
// the read-only factor, "B&eenden" during a run, and an interactive DEM to EUR conversion.
#include <QComboBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include "control/konvertierlauf.h"
#include "settings/grunddaten.h"
#include "ui/danzeige.h"
#include "ui/dateiwahl.h"
#include "ui/deutsch.h"
#include "ui/qtfenster.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::DAnzeige;

namespace {

struct Aufbau {
  Kontext k;
  std::unique_ptr<DAnzeige> d;
  Aufbau() {
    StandardwerteAnwenden(k.gd);
    d = std::make_unique<DAnzeige>(k);
  }
  QString Text(const char* name) const { return ui::AlsQString(d->Text(name)); }
  // Whether a run started now would divide the prices by the factor shown.
  bool Teilt() const {
    return UmrechnungTeilt(d->Text("Lab_Version"), d->Text("Com_Version"), d->Text("Lab_WaehrungKz"),
                           d->Text("Com_WaehrungsKz"));
  }
  QComboBox* Waehrung() const { return d->findChild<QComboBox*>(QStringLiteral("Com_WaehrungsKz")); }
  QComboBox* Version() const { return d->findChild<QComboBox*>(QStringLiteral("Com_Version")); }
  QStringList Waehrungen() const {
    QStringList l;
    for (int i = 0; i < Waehrung()->count(); ++i) l << Waehrung()->itemText(i);
    return l;
  }
  // Chooses the file through "&Datei laden".
  void Laden(const std::string& pfad) {
    ui::DateiWaehlen() = [pfad](QWidget*, const QString&, const QString&) {
      return std::optional<QString>(QString::fromStdString(pfad));
    };
    d->Com_Laden_Click();
  }
  // The user picks an output version or currency.
  void VersionWaehlen(const QString& v) {
    Version()->setCurrentIndex(Version()->findText(v));
    d->Com_Version_Click();
  }
  // A small version-4 file in the currency, shown in the window for output version 5.
  void Version5Vorbereiten(const TempVerzeichnis& v, const std::string& waehrung) {
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei(waehrung));
    d->show();
    Laden(v.Datei("DATANORM.001"));
    VersionWaehlen(QStringLiteral("5"));
  }
  void WaehrungWaehlen(const QString& w) {
    Waehrung()->setCurrentIndex(Waehrung()->findText(w));
    d->Com_WaehrungsKz_Click();
  }
};

}  // namespace

class TestDAnzeige : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { DeutschEinstellen(); }

  void ausgabenamen() {
    using ui::AusgabenameVorschlagen;
    using ui::VersionsmarkeErsetzen;
    QCOMPARE(AusgabenameVorschlagen("/x/DATANORM.001", 4), std::string("/x/V4-ANORM.001"));
    QCOMPARE(AusgabenameVorschlagen("/x/datanorm.001", 5), std::string("/x/V5-anorm.001"));
    // The scan for "DATA" meets the directory separator first: no proposal at all.
    QCOMPARE(AusgabenameVorschlagen("/x/DATPREIS.001", 4), std::string());
    QCOMPARE(AusgabenameVorschlagen("DATPREIS.001", 4), std::string("V4-PREIS.001"));
    QCOMPARE(AusgabenameVorschlagen("V4-ANORM.001", 4), std::string("V4-ANORM.001"));
    QCOMPARE(AusgabenameVorschlagen("/x/artikel.txt", 4), std::string());
    QCOMPARE(AusgabenameVorschlagen("DAT", 4), std::string());
    // The marker searched is always the one of the input version.
    QCOMPARE(VersionsmarkeErsetzen("/x/V4-ANORM.001", 4, "5"), std::string("/x/V5-ANORM.001"));
    QCOMPARE(VersionsmarkeErsetzen("/x/V5-ANORM.001", 4, "3"), std::string("/x/V5-ANORM.001"));
    QCOMPARE(VersionsmarkeErsetzen("", 4, "3"), std::string());
  }

  void dateiauswahl() {
    Aufbau f;
    QString titel, filter;
    ui::DateiWaehlen() = [&](QWidget*, const QString& t, const QString& fi) {
      titel = t;
      filter = fi;
      return std::optional<QString>();
    };
    f.d->SetzeText("Tex_Eingabe", "/vorher.001");
    f.d->Com_Laden_Click();
    QCOMPARE(titel, QStringLiteral("Dateiauswahl"));
    QCOMPARE(filter, QStringLiteral("Datanorm-Dateien|V3-*;V3-*.*;V4-*;V4-*.*;V5-*;V5-*.*;Datanorm;Datanorm.*;datasets;"
                                    "datasets.*;Datpreis;datpreis.*|Datanorm.*|Datanorm.*;Datanorm|Datpreis.*|"
                                    "Datpreis.*;Datpreis|Datasets.*|Datasets.*;datasets|Alle Dateien: (*.*)|*.*"));
    QCOMPARE(f.Text("Tex_Eingabe"), QStringLiteral("/vorher.001"));
    // Qt's filter offers each pattern in both cases, since file names keep their case here.
    QString qt = ui::QtNamensfilter(filter);
    QCOMPARE(qt.count(QStringLiteral(";;")), 4);
    QVERIFY(qt.startsWith(QStringLiteral("Datanorm-Dateien (V3-* v3-* V3-*.* v3-*.*")));
    QVERIFY(qt.contains(QStringLiteral("DATANORM.*")));
    QVERIFY(qt.endsWith(QStringLiteral("(*)")));
  }

  void laden_schlaegt_fehl_bei_fremder_datei() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("brief.txt"), Zeilen({"Sehr geehrte Damen und Herren,", "anbei die Preise."}));
    Aufbau f;
    Boxen boxen;
    f.Laden(v.Datei("brief.txt"));
    QCOMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("DATANORM-Prüfung"));
    QCOMPARE(boxen.gesehen[0].text, QStringLiteral("Fehler beim laden der Datei: ") +
                                        QString::fromStdString(v.Datei("brief.txt")) +
                                        QStringLiteral("\n\nKeine bzw. fehlerhafte DATANORM - Datei"));
    QVERIFY(f.d->findChild<QPushButton*>(QStringLiteral("Com_Konvertieren"))->isHidden());
    QCOMPARE(f.Text("Tex_Ausgabe"), QString());
  }

  void dem_eingabe() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    Aufbau f;
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    QVERIFY(boxen.gesehen.isEmpty());
    QCOMPARE(f.Text("Lab_Version"), QStringLiteral("4"));
    QCOMPARE(f.Version()->currentText(), QStringLiteral("4"));
    QCOMPARE(f.Text("Lab_Datum1"), QStringLiteral("01.01.2025"));
    QCOMPARE(f.Text("Tex_Ausgabe"), QString::fromStdString(v.Datei("V4-ANORM.001")));
    QCOMPARE(f.Text("Lab_Hilfe"),
             QStringLiteral("Nach Anwahl Button 'Konvertieren' wird die Datei von Version 4 in Version 4 umgelesen"));
    QVERIFY(!f.d->findChild<QPushButton*>(QStringLiteral("Com_Konvertieren"))->isHidden());
    QCOMPARE(f.Waehrungen(), QStringList({"DEM", "EUR"}));
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("DEM"));
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));

    f.VersionWaehlen(QStringLiteral("5"));
    QCOMPARE(f.Text("Tex_Ausgabe"), QString::fromStdString(v.Datei("V5-ANORM.001")));
    QVERIFY(f.Text("Lab_Hilfe").endsWith(QStringLiteral("von Version 4 in Version 5 konvertiert")));
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("DEM"));
    f.WaehrungWaehlen(QStringLiteral("EUR"));
    QVERIFY(f.d->Sichtbar("Tex_Faktor"));
    QVERIFY(f.d->Sichtbar("Lab_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QStringLiteral("1,955830"));
    QVERIFY(f.Teilt());
    // Another output version keeps the chosen currency.
    f.VersionWaehlen(QStringLiteral("4"));
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("EUR"));
    QCOMPARE(f.Text("Tex_Faktor"), QStringLiteral("1,955830"));
    f.VersionWaehlen(QStringLiteral("5"));

    // Version 3 afterwards: no currency, no factor, and the marker of version 4 is not found.
    f.VersionWaehlen(QStringLiteral("3"));
    QVERIFY(f.Waehrungen().isEmpty());
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Ausgabe"), QString::fromStdString(v.Datei("V5-ANORM.001")));
    QVERIFY(boxen.gesehen.isEmpty());
  }

  void eur_eingabe() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("EUR"));
    Aufbau f;
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    QStringList liste = f.Waehrungen();
    QCOMPARE(liste.size(), 30);
    QCOMPARE(liste.mid(0, 3), QStringList({"DEM", "EUR", "LUF"}));
    QCOMPARE(liste.last(), QStringLiteral("JPY"));
    // The input currency is preselected: no price is converted unless the user chooses so.
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("EUR"));
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QString());
    // Another output version keeps it.
    f.VersionWaehlen(QStringLiteral("5"));
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("EUR"));
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));
    // Choosing DEM shows the fixed legal rate; prices would be multiplied.
    f.WaehrungWaehlen(QStringLiteral("DEM"));
    QVERIFY(f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QStringLiteral("1,955830"));
    QVERIFY(!f.Teilt());
    // Through version 3 (no currency) and back, the choice stays.
    f.VersionWaehlen(QStringLiteral("3"));
    QVERIFY(f.Waehrungen().isEmpty());
    f.VersionWaehlen(QStringLiteral("4"));
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("DEM"));
    QCOMPARE(f.Text("Tex_Faktor"), QStringLiteral("1,955830"));
    // Choosing the input currency itself hides the factor again.
    f.WaehrungWaehlen(QStringLiteral("EUR"));
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QString());
    // The other euro currencies have their legal rates; a currency without one: the factor stays
    // visible and empty, with the message.
    f.WaehrungWaehlen(QStringLiteral("ITL"));
    QCOMPARE(f.Text("Tex_Faktor"), QStringLiteral("1936,270000"));
    QVERIFY(boxen.gesehen.isEmpty());
    f.WaehrungWaehlen(QStringLiteral("GBP"));
    QVERIFY(f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QString());
    QCOMPARE(boxen.Texte(), QStringList({QStringLiteral("Umrechnungskurs nicht in den Grunddaten gespeichert\n\n"
                                                        "keine Umrechnung der Preise möglich!")}));
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("KORVELAN"));
    // A new file starts from its own currency again.
    f.Laden(v.Datei("DATANORM.001"));
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("EUR"));
  }

  void euro_datei_mit_einem_ok() {
    // A euro file loaded and converted with one click keeps its prices in euro.
    TempVerzeichnis v;
    Aufbau f;
    Boxen boxen;
    f.Version5Vorbereiten(v, "EUR");
    f.d->Com_Konvertieren_Click();
    QCOMPARE(boxen.Texte(), QStringList({QStringLiteral("Daten konvertiert")}));
    const std::string aus = DateiLesen(v.Datei("V5-ANORM.001"));
    QVERIFY2(aus.find(";EUR;") != std::string::npos, aus.c_str());
    QVERIFY2(aus.find("Schraube M6;Kreuzschlitz;PCE ;1;1;1962;") != std::string::npos, aus.c_str());
  }

  void fremde_waehrung() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("CZK"));
    Aufbau f;
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    QCOMPARE(f.Waehrungen(), QStringList({"EUR"}));
    QVERIFY(f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QString());
    // Asked once, not once per list entry.
    QCOMPARE(boxen.Texte(), QStringList({QStringLiteral("Währungskennzeichen nicht in den Grunddaten gespeichert\n\n"
                                                        "keine Umrechnung der Preise möglich!")}));
  }

  void version3_eingabe() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V3Datei());
    Aufbau f;
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    QCOMPARE(f.Text("Lab_WaehrungKz"), QStringLiteral("XXX"));
    QCOMPARE(f.Version()->currentText(), QStringLiteral("3"));
    QVERIFY(f.Waehrungen().isEmpty());
    QCOMPARE(f.Text("Tex_Ausgabe"), QString::fromStdString(v.Datei("V3-ANORM.001")));
    f.VersionWaehlen(QStringLiteral("5"));
    QCOMPARE(f.Text("Tex_Ausgabe"), QString::fromStdString(v.Datei("V5-ANORM.001")));
    QStringList liste = f.Waehrungen();
    QCOMPARE(liste.size(), 30);
    QCOMPARE(liste.first(), QStringLiteral("DEM"));
    QCOMPARE(liste.last(), QStringLiteral("EUR"));
    // No price conversion from version 3.
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));
    f.WaehrungWaehlen(QStringLiteral("EUR"));
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));
    QVERIFY(boxen.gesehen.isEmpty());
  }

  void faktor_nur_lesbar() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("EUR"));
    Aufbau f;
    f.Laden(v.Datei("DATANORM.001"));
    auto* faktor = f.d->findChild<QLineEdit*>(QStringLiteral("Tex_Faktor"));
    QVERIFY(faktor->isReadOnly());
    f.WaehrungWaehlen(QStringLiteral("DEM"));
    QCOMPARE(faktor->text(), QStringLiteral("1,955830"));
    f.d->Tex_Faktor_LostFocus();
    QCOMPARE(faktor->text(), QStringLiteral("1,955830"));
  }

  void fehlende_datei_beim_verlassen() {
    Aufbau f;
    f.d->SetzeText("Lab_Version", "4");
    f.d->SetzeText("Tex_Eingabe", "/gibt/es/nicht.001");
    f.d->Tex_Eingabe_LostFocus();
    QCOMPARE(f.Text("Lab_Hilfe"), QStringLiteral("keine Datei zum Einlesen gefunden"));
    QCOMPARE(f.Text("Lab_Version"), QString());
    QCOMPARE(f.k.kz.Eingabeversion, std::int16_t(0));
  }

  void beenden_waehrend_eines_laufs() {
    Aufbau f;
    f.d->show();
    Fortschritt stand;
    QVERIFY(!f.d->Melden(stand));  // the run reports before its first record
    f.d->Com_Ende_Click();
    QVERIFY(f.d->isVisible());
    QVERIFY(f.d->Melden(stand));  // the next report asks the run to stop
    stand.ende = true;
    f.d->Melden(stand);
    f.d->Com_Ende_Click();
    QVERIFY(!f.d->isVisible());
  }

  void konvertierung_dem_nach_eur() {
    TempVerzeichnis v;
    Aufbau f;
    Boxen boxen;
    f.Version5Vorbereiten(v, "DEM");
    f.WaehrungWaehlen(QStringLiteral("EUR"));
    f.d->Com_Konvertieren_Click();
    QStringList texte = boxen.Texte();
    QVERIFY2(!texte.isEmpty(), "keine Rückfrage zur Währungsumrechnung");
    QVERIFY2(texte.first().contains(QStringLiteral("Beispiel: 100 DEM = 51,13 EUR")), qPrintable(texte.join("|")));
    // The boxes are wide enough for their titles ("Währungsumrechnung", "DATANORM Konvertierung").
    for (const Boxen::Box& b : boxen.gesehen)
      QVERIFY2(b.breite >= ui::TitelBreite(b.titel),
               qPrintable(b.titel + QStringLiteral(" ") + QString::number(b.breite) + QStringLiteral(" ") +
                          QString::number(ui::TitelBreite(b.titel))));
    QCOMPARE(texte.last(), QStringLiteral("Daten konvertiert"));
    std::string aus = DateiLesen(v.Datei("V5-ANORM.001"));
    QVERIFY(aus.rfind("V;050;A;", 0) == 0);
    QVERIFY(aus.find(";EUR;") != std::string::npos);
    QVERIFY(aus.find("\r\nE;") != std::string::npos);
    // The frames and buttons are usable again after the run.
    QVERIFY(f.d->findChild<QPushButton*>(QStringLiteral("Com_Konvertieren"))->isEnabled());
    // The end shows every record and 100 %.
    QCOMPARE(f.Text("Lab_Bearbeitet"), QStringLiteral("2"));
    QCOMPARE(f.d->findChild<QProgressBar*>(QStringLiteral("Fortschritt"))->value(), 100);
  }

  void fortschritt_endet_bei_hundert() {
    // A file whose end record is followed by an end-of-file byte: the reader stops before that
    // byte, yet the end shows 100 % and every record.
    TempVerzeichnis v;
    std::string inhalt = "V;050;A;20250415;EUR;;\r\n";
    for (int i = 0; i < 310; ++i) inhalt += "A;N;" + std::to_string(1000 + i) + ";Schraube;;1;1;MTK;1;100;;;;\r\n";
    inhalt += "E;312;\r\n\x1A";
    DateiSchreiben(v.Datei("DATANORM.001"), inhalt);
    std::vector<std::string> dateien{v.Datei("DATANORM.001")};
    if (std::string echt = Korpusdatei("datanormaz__DATANORM.001"); !echt.empty()) dateien.push_back(echt);
    for (const std::string& datei : dateien) {
      Aufbau f;
      f.d->show();
      Boxen boxen;
      f.Laden(datei);
      f.VersionWaehlen(QStringLiteral("4"));
      f.d->SetzeText("Tex_Ausgabe", v.Datei("aus.001"));
      boxen.knoepfe.push_back(QMessageBox::Yes);
      f.d->Com_Konvertieren_Click();
      QCOMPARE(f.Text("Lab_Bearbeitet"), QStringLiteral("310"));
      QCOMPARE(f.d->findChild<QProgressBar*>(QStringLiteral("Fortschritt"))->value(), 100);
    }
  }

  void abbruch_laesst_vorhandene_ausgabe_stehen() {
    // "Beenden" during the run, answered Yes: the existing output keeps its bytes, no temporary
    // file is left, and the window says so.
    TempVerzeichnis v;
    std::string inhalt = V4Kopf("EUR") + "\r\n";
    for (int i = 0; i < 20000; ++i) inhalt += "A;N;" + std::to_string(100000 + i) + ";00;Schraube;;1;0;Stk;100;;;;\r\n";
    DateiSchreiben(v.Datei("DATANORM.001"), inhalt);
    DateiSchreiben(v.Datei("V4-ANORM.001"), "alt");
    Aufbau f;
    f.d->show();
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    boxen.knoepfe = {QMessageBox::Yes, QMessageBox::Yes};  // overwrite, then cancel
    // The user presses "Beenden" once the records are being converted.
    QTimer beenden;
    QObject::connect(&beenden, &QTimer::timeout, [&] {
      if (!f.d->MeldetLauf()) return;
      beenden.stop();
      f.d->Com_Ende_Click();
    });
    beenden.start(0);
    f.d->Com_Konvertieren_Click();
    QStringList texte = boxen.Texte();
    QVERIFY2(texte.size() == 3, qPrintable(texte.join("|")));
    QCOMPARE(texte[1], QStringLiteral("Möchten Sie den Konvertiervorgang abbrechen?"));
    QCOMPARE(texte[2], QStringLiteral("Die Konvertierung wurde abgebrochen. Es wurde keine Ausgabedatei geschrieben."));
    QCOMPARE(boxen.gesehen[2].titel, QStringLiteral("Abbruch"));
    QCOMPARE(DateiLesen(v.Datei("V4-ANORM.001")), std::string("alt"));
    QCOMPARE(QDir(QString::fromStdString(v.Pfad())).entryList(QDir::Files).size(), 2);
    QVERIFY(f.d->findChild<QPushButton*>(QStringLiteral("Com_Konvertieren"))->isEnabled());
  }

  void datenkennzeichen_t_wird_abgewiesen() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), Zeilen({"V;050;T;20000131;EUR;Texte;", "T;N;1;1;01;Text;"}));
    Aufbau f;
    f.d->show();
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    f.d->Com_Konvertieren_Click();
    QCOMPARE(boxen.Texte(), QStringList({QStringLiteral("Datenkennzeichen T wird nicht konvertiert\n\n"
                                                        "keine Verarbeitung möglich!")}));
    QCOMPARE(QDir(QString::fromStdString(v.Pfad())).entryList(QDir::Files).size(), 1);
  }

  void deutsche_dialoge() {
    // With Qt's German translations installed the dialogs' buttons are German; the overwrite
    // question answers No by default.
    if (!ui::QtTexteDeutsch(*QCoreApplication::instance()))
      QSKIP("Qt's German translations are not installed (qt6-translations-l10n)");
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("EUR"));
    DateiSchreiben(v.Datei("V4-ANORM.001"), "alt");
    Aufbau f;
    f.d->show();
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    boxen.knoepfe.push_back(QMessageBox::No);
    f.d->Com_Konvertieren_Click();
    QCOMPARE(boxen.gesehen.size(), 1);
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("Ausgabedatei "));
    QStringList knoepfe = boxen.gesehen[0].knoepfe;
    knoepfe.sort();
    QCOMPARE(knoepfe, QStringList({QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
    QCOMPARE(boxen.gesehen[0].vorgabe, QStringLiteral("&Nein"));
    QCOMPARE(DateiLesen(v.Datei("V4-ANORM.001")), std::string("alt"));
    // OK and Cancel of an input box.
    QInputDialog eingabe;
    QCOMPARE(eingabe.okButtonText(), QStringLiteral("OK"));
    QCOMPARE(eingabe.cancelButtonText(), QStringLiteral("Abbrechen"));
  }
};

QTEST_MAIN(TestDAnzeige)
#include "test_danzeige.moc"
