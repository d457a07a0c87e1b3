// The conversion window: output-name proposals, file choice, currency lists and exchange factor,
// the read-only factor, "B&eenden" during a run, and an interactive DEM to EUR conversion.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "control/konvertierlauf.h"
#include "settings/grunddaten.h"
#include "ui/danzeige.h"
#include "ui/dateiwahl.h"
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
    f.WaehrungWaehlen(QStringLiteral("EUR"));
    QVERIFY(f.d->Sichtbar("Tex_Faktor"));
    QVERIFY(f.d->Sichtbar("Lab_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QStringLiteral("1,962400"));
    QVERIFY(f.k.kz.Umrechnungsrichtung);

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
    QCOMPARE(f.Waehrung()->currentText(), QStringLiteral("DEM"));
    QVERIFY(f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QStringLiteral("1,962400"));
    QVERIFY(!f.k.kz.Umrechnungsrichtung);
    // Choosing the input currency itself hides the factor again.
    f.WaehrungWaehlen(QStringLiteral("EUR"));
    QVERIFY(!f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QString());
    // A currency without a rate: the factor stays visible and empty, with the message.
    f.WaehrungWaehlen(QStringLiteral("LUF"));
    QVERIFY(f.d->Sichtbar("Tex_Faktor"));
    QCOMPARE(f.Text("Tex_Faktor"), QString());
    QCOMPARE(boxen.Texte(), QStringList({QStringLiteral("Umrechnungskurs nicht in den Grunddaten gespeichert\n\n"
                                                        "keine Umrechnung der Preise möglich!")}));
    QCOMPARE(boxen.gesehen[0].titel, QStringLiteral("KORVELAN"));
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
    f.d->Tex_Faktor_LostFocus();
    QCOMPARE(faktor->text(), QStringLiteral("1,962400"));
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
    f.k.kz.Konvertierstatus = 8;
    f.d->Com_Ende_Click();
    QCOMPARE(f.k.kz.Konvertierstatus, std::int16_t(9));
    QVERIFY(f.d->isVisible());
    f.k.kz.Konvertierstatus = 0;
    f.d->Com_Ende_Click();
    QVERIFY(!f.d->isVisible());
  }

  void konvertierung_dem_nach_eur() {
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("DATANORM.001"), V4Datei("DEM"));
    Aufbau f;
    f.d->show();
    Boxen boxen;
    f.Laden(v.Datei("DATANORM.001"));
    f.VersionWaehlen(QStringLiteral("5"));
    f.WaehrungWaehlen(QStringLiteral("EUR"));
    f.d->Com_Konvertieren_Click();
    QStringList texte = boxen.Texte();
    QVERIFY2(!texte.isEmpty(), "keine Rückfrage zur Währungsumrechnung");
    QVERIFY2(texte.first().contains(QStringLiteral("Beispiel: 100 DEM = 50,96 EUR")), qPrintable(texte.join("|")));
    QCOMPARE(texte.last(), QStringLiteral("Daten konvertiert"));
    std::string aus = DateiLesen(v.Datei("V5-ANORM.001"));
    QVERIFY(aus.rfind("V;050;A;", 0) == 0);
    QVERIFY(aus.find(";EUR;") != std::string::npos);
    QVERIFY(aus.find("\r\nE;") != std::string::npos);
    // The frames and buttons are usable again after the run.
    QVERIFY(f.d->findChild<QPushButton*>(QStringLiteral("Com_Konvertieren"))->isEnabled());
    QCOMPARE(f.k.kz.Konvertierstatus, std::int16_t(0));
  }
};

QTEST_MAIN(TestDAnzeige)
#include "test_danzeige.moc"
