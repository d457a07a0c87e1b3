// Field information of version-3 and version-5 lines, and of the version-4 record kinds the reader
// takes beyond the long-standing ones: every record kind with its description,
// the field under the caret, and its value as the reader takes it (scaled numbers, codes with
// their meaning); and lines the tables do not describe.
#include <QLabel>
#include <QtTest>

#include "ui/manzeige.h"
#include "ui/manzeigf.h"
#include "ui/zeichensatz.h"
#include "uihilfe.h"

using namespace korvelan;
using namespace korvelan::test;
using korvelan::ui::MAnzeige;

Q_DECLARE_METATYPE(std::string)

namespace {

// What a click at column k shows, as "letter|description|label|content"; "-" for nothing.
QString Info(const std::string& zeile, int k, int version) {
  const ui::Feldauskunft a = ui::FeldauskunftErmitteln(Ansi(zeile), k, version);
  if (a.art == ui::Feldauskunft::Nichts) return QStringLiteral("-");
  return ui::AlsQString(a.info.satzart + "|" + a.info.satzartbezeichnung + "|" + a.info.feldbezeichnung + "|" +
                        a.info.feldinhalt);
}

// A version-3 record of 128 characters with the texts at their columns.
std::string V3(std::initializer_list<std::pair<int, std::string>> felder) {
  std::string satz(128, ' ');
  for (const auto& [spalte, text] : felder) satz.replace(static_cast<std::size_t>(spalte - 1), text.size(), text);
  return satz;
}

QLabel* Label(MAnzeige& m, const char* name) { return m.Feldinfo()->findChild<QLabel*>(QString::fromLatin1(name)); }

}  // namespace

class TestFeldinfo : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { DeutschEinstellen(); }

  void version3_data() {
    QTest::addColumn<std::string>("zeile");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("erwartet");
    const std::string kopf = V3({{1, "V 150425Musterhandel"}, {49, "Preisliste 2025"}});
    QTest::newRow("Vorlaufsatz Datum") << kopf << 2 << QStringLiteral("V |Vorlaufsatz|Datum|15.04.25 ");
    QTest::newRow("Vorlaufsatz Info 2") << kopf << 60 << QStringLiteral("V |Vorlaufsatz|Informationstext 2|Preisliste 2025 ");
    QTest::newRow("Vorlaufsatz Info 3") << kopf << 128 << QStringLiteral("V |Vorlaufsatz|Informationstext 3| ");
    const std::string a = V3({{1, "AN4711           00Schraube M6"}, {100, "13Stk 00001962RG01123LT4711"}});
    QTest::newRow("A Kennzeichen") << a << 1 << QStringLiteral("A |Artikelsatz Teil A|Verarbeitungskennzeichen|N     / Neuanlage ");
    QTest::newRow("A Artikelnummer") << a << 10 << QStringLiteral("A |Artikelsatz Teil A|Artikelnummer|4711 ");
    QTest::newRow("A Kurztext") << a << 25 << QStringLiteral("A |Artikelsatz Teil A|Kurztextzeile 1|Schraube M6 ");
    QTest::newRow("A Preiskennzeichen") << a << 100 << QStringLiteral("A |Artikelsatz Teil A|Preiskennzeichen|1   / Bruttopreis ");
    QTest::newRow("A Preiseinheit") << a << 101 << QStringLiteral("A |Artikelsatz Teil A|Preiseinheit|3   / per 1000 Einheiten ");
    QTest::newRow("A Preis") << a << 110 << QStringLiteral("A |Artikelsatz Teil A|Preis|19,62 ");
    QTest::newRow("A Langtextschluessel") << a << 128 << QStringLiteral("A |Artikelsatz Teil A|Langtextschlüssel|LT4711 ");
    // A blank price unit is code 0, as the reader takes it.
    QTest::newRow("A Preiseinheit leer") << V3({{1, "AN4711"}, {100, "1 Stk"}}) << 101
                                         << QStringLiteral("A |Artikelsatz Teil A|Preiseinheit|   / per Einheit ");
    QTest::newRow("A Nummernaenderung") << V3({{1, "AX4711             4712"}}) << 22
                                        << QStringLiteral("A |Artikelsatz Teil A|Neue Artikelnummer|4712 ");
    const std::string b = V3({{1, "BN4711           SCHRAUBE"}, {48, "0001232150001234"}, {64, "4012345678901"}});
    QTest::newRow("B Cu-Merker") << b << 54
                                 << QStringLiteral("B |Artikelsatz Teil B|CU-Gewichts Merker|2   / Cu-Verarbeitung pro 1000 Mengeneinheiten ");
    QTest::newRow("B Kupferbasis") << b << 56 << QStringLiteral("B |Artikelsatz Teil B|Kupfer-Basispreis|150 ");
    QTest::newRow("B Cu-Gewicht") << b << 60 << QStringLiteral("B |Artikelsatz Teil B|Cu-Gewicht|12,34 ");
    QTest::newRow("B EAN") << b << 70 << QStringLiteral("B |Artikelsatz Teil B|EAN-Nummer|4012345678901 ");
    const std::string d = V3({{1, "DN4711           01TLT000001Edelstahl"}, {69, "02FLT000002DIN 912"}});
    QTest::newRow("D Unterkennzeichen") << d << 20 << QStringLiteral("D |Dimensionssatz|Unterkennzeichen|T   / Einfügung von Textblöcken ");
    QTest::newRow("D Text 2") << d << 85 << QStringLiteral("D |Dimensionssatz|Dimensionstext|DIN 912 ");
    const std::string t = V3({{1, "TNLT000001       01         Erste Zeile"}, {69, "02         Zweite Zeile"}});
    QTest::newRow("T Nummer") << t << 5 << QStringLiteral("T |Langtextsatz|Langtextnummer|LT000001 ");
    QTest::newRow("T Zeile 2") << t << 90 << QStringLiteral("T |Langtextsatz|Langtextzeile Teil 2|Zweite Zeile ");
    QTest::newRow("E Zeile 1") << V3({{1, "ENET000001       01         Einfuegung"}}) << 30
                               << QStringLiteral("E |Einfügetextsatz|Einfügetextzeile Teil 1|Einfuegung ");
    QTest::newRow("K Preispflege") << V3({{1, "K 0018988   N"}}) << 13
                                   << QStringLiteral("K |Kundennummernsatz|Preispflege|N   / Nettopreise ");
    const std::string s = V3({{1, "S 123Armaturen"}, {46, "12345     Einhebelmischer"}});
    QTest::newRow("S Hauptgruppe") << s << 10 << QStringLiteral("S |Warengruppensatz|Hauptwarengruppenbezeichnung|Armaturen ");
    QTest::newRow("S Gruppe") << s << 50 << QStringLiteral("S |Warengruppensatz|Warengruppe|12345 ");
    QTest::newRow("R Rabatt") << V3({{1, "R RG0112500Schrauben"}}) << 9
                              << QStringLiteral("R |Rabattgruppensatz|Rabatt|25,00   / Rabatt ");
    QTest::newRow("R Multi") << V3({{1, "R RG0121250Schrauben"}}) << 9 << QStringLiteral("R |Rabattgruppensatz|Multi|1,250   / Multi ");
    const std::string j = V3({{1, "JNSET1           Badset         4714           0010000"}, {55, "4715           0002500"}});
    QTest::newRow("J Matchcode") << j << 20 << QStringLiteral("J |Artikel SET-Satz|Matchcode|Badset ");
    QTest::newRow("J Menge 2") << j << 72 << QStringLiteral("J |Artikel SET-Satz|Menge|2,500 ");
    const std::string p = V3({{1, "PA4714           10000196210150"}, {42, "4715           20000050020500"}});
    QTest::newRow("P Preis") << p << 20 << QStringLiteral("P |Preisänderungssatz|Preis|19,62 ");
    QTest::newRow("P Rabattart") << p << 27 << QStringLiteral("P |Preisänderungssatz|Zu-,Abschlagkennzeichen 1|1   / Rabatt ");
    QTest::newRow("P Rabatt") << p << 30 << QStringLiteral("P |Preisänderungssatz|Rabatt 1|1,50 ");
    QTest::newRow("P Artikel 2 Multi") << p << 69 << QStringLiteral("P |Preisänderungssatz|Multi 1|0,500 ");
    // Discount 1 of kind 0 (here blank) names a discount group.
    QTest::newRow("P Rabattgruppe") << V3({{1, "PA4714           100001962 RG01"}}) << 29
                                    << QStringLiteral("P |Preisänderungssatz|Rabattgruppe|RG01 ");
    QTest::newRow("jenseits der Felder") << p << 125 << QStringLiteral("-");
  }

  void version3() {
    QFETCH(std::string, zeile);
    QFETCH(int, k);
    QFETCH(QString, erwartet);
    QCOMPARE(Info(zeile, k, 3), erwartet);
  }

  void version5_data() {
    QTest::addColumn<std::string>("zeile");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("erwartet");
    const std::string v = "V;050;A;20250415;EUR;Musterhandel;Preisliste 2025;;;;;;;;;";
    QTest::newRow("Vorlaufsatz Kennzeichen") << v << 7 << QStringLiteral("V |Vorlaufsatz|Datenkennzeichen|A   / Artikeldaten ");
    QTest::newRow("Vorlaufsatz Datum") << v << 10 << QStringLiteral("V |Vorlaufsatz|Datum|15.04.2025 ");
    QTest::newRow("Vorlaufsatz Info 2") << v << 40 << QStringLiteral("V |Vorlaufsatz|Informationstext 2|Preisliste 2025 ");
    // A header in fixed columns whose version says 05.
    std::string fest = V4Kopf("EUR");
    fest.replace(123, 2, "05");
    QTest::newRow("Vorlaufsatz fest") << fest << 125 << QStringLiteral("V |Vorlaufsatz|Version|05 ");
    const std::string a =
        "A;N;4711;Kupferrohr 15 mm;hart;MTR;1;100;00012345;AB12;123;WG-01;KUPFERROHR;;;;;;4006381333931;;0;;1;T4711;0;;;;";
    QTest::newRow("A Kurztext") << a << 12 << QStringLiteral("A |Artikelsatz|Kurztextzeile 1|Kupferrohr 15 mm ");
    QTest::newRow("A Preiskennzeichen") << a << 37 << QStringLiteral("A |Artikelsatz|Preiskennzeichen|1   / Bruttopreis ");
    QTest::newRow("A Preiseinheit") << a << 39 << QStringLiteral("A |Artikelsatz|Preiseinheit|100   / per 100 Einheiten ");
    QTest::newRow("A Preis") << a << 45 << QStringLiteral("A |Artikelsatz|Preis|123,45 ");
    QTest::newRow("A EAN") << a << 90 << QStringLiteral("A |Artikelsatz|EAN-Nummer|4006381333931 ");
    QTest::newRow("A Verpackung 0") << a << 97 << QStringLiteral("A |Artikelsatz|Verpackungseinheit|0   / gilt als 1 ");
    QTest::newRow("A Textkennzeichen") << a << 100 << QStringLiteral("A |Artikelsatz|Textkennzeichen|10 ");
    QTest::newRow("A Kostenart 0") << a << 108 << QStringLiteral("A |Artikelsatz|Kostenart|0   / gilt als 90 ");
    QTest::newRow("A Preiskennzeichen leer") << std::string("A;A;4712;Muffe;;STK;;;;") << 21
                                             << QStringLiteral("A |Artikelsatz|Preiskennzeichen| ");
    QTest::newRow("B Nummernaenderung") << std::string("B;A;4714;4715;20011231;") << 3
                                        << QStringLiteral("B |Löschung/Artikelnummern-Änderung|Verarbeitungskennzeichen|A     / Artikelnummern-Änderung ");
    QTest::newRow("B neue Nummer") << std::string("B;A;4714;4715;20011231;") << 11
                                   << QStringLiteral("B |Löschung/Artikelnummern-Änderung|Neue Artikelnummer|4715 ");
    const std::string d = "D;N;4711;01;F;Abmessung 15 x 1 mm;;02;T;Siehe Langtext;L4711;";
    QTest::newRow("D Unterkennzeichen") << d << 13 << QStringLiteral("D |Dimensionssatz|Unterkennzeichen|F   / freie Texteingabe ");
    QTest::newRow("D Langtextnummer 2") << d << 58 << QStringLiteral("D |Dimensionssatz|Langtextnummer|L4711 ");
    QTest::newRow("T Textart") << std::string("T;N;T4711;1;01;Langtext Zeile eins;") << 11
                               << QStringLiteral("T |Langtextsatz|Textart|1   / Langtext ");
    QTest::newRow("T Zeile") << std::string("T;N;T4711;1;01;Langtext Zeile eins;") << 20
                             << QStringLiteral("T |Langtextsatz|Langtextzeile|Langtext Zeile eins ");
    QTest::newRow("E Einfuegetext") << std::string("E;N;E100;2;01;Einfuegung;") << 17
                                    << QStringLiteral("E |Einfügetextsatz|Langtextzeile|Einfuegung ");
    QTest::newRow("E Endesatz") << std::string("E;1234;aus Vers.4 konvertiert, 07.12.2026;") << 4
                                << QStringLiteral("E |Endesatz|Satzanzahl|1234 ");
    QTest::newRow("E Endesatz ohne Schluss") << std::string("E;5") << 3 << QStringLiteral("E |Endesatz|Satzanzahl|5 ");
    const std::string z1 = "Z;N;4711;01;1;Staffel 10;Staffel 10;1;+;2;100;1150;;1;10;99;";
    QTest::newRow("Z Merker") << z1 << 13 << QStringLiteral("Z |Staffelpreissatz|Bearbeitungsmerker|1   / Staffelpreis ");
    QTest::newRow("Z1 Zu-Abschlagart") << z1 << 37 << QStringLiteral("Z |Staffelpreissatz, Bearb.Mk.1|Zu-,Abschlagart|1   / Preis ");
    QTest::newRow("Z1 Preis") << z1 << 48 << QStringLiteral("Z |Staffelpreissatz, Bearb.Mk.1|Preis|11,50 ");
    QTest::newRow("Z1 Bis Basis") << z1 << 58 << QStringLiteral("Z |Staffelpreissatz, Bearb.Mk.1|Bis Basis|99,00 ");
    const std::string z2 = "Z;N;4711;02;2;CU;3;-;2;100;250;15000;20000;1000;0;0;";
    QTest::newRow("Z2 Art") << z2 << 18 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.2|Zu-,Abschlagart|3   / Zu-,Abschlag Prozent ");
    QTest::newRow("Z2 Von Basis") << z2 << 33 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.2|Von Basis|150,00 ");
    QTest::newRow("Z2 Faktor") << z2 << 45 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.2|Umrechnungsfaktor|1,000 ");
    const std::string z3 = "Z;N;4711;03;3;CU;2;1000;15000;1000;12345;1;";
    QTest::newRow("Z3 Mengenbasis") << z3 << 21 << QStringLiteral("Z |Rohstoffsatz (Berechng), Bearb.Mk.3|Mengenbasis|1000 ");
    QTest::newRow("Z3 Gewicht") << z3 << 37 << QStringLiteral("Z |Rohstoffsatz (Berechng), Bearb.Mk.3|Gewicht|123,45 ");
    QTest::newRow("Z3 Faktor 2") << z3 << 43 << QStringLiteral("Z |Rohstoffsatz (Berechng), Bearb.Mk.3|Umrechnungsfaktor|0,001 ");
    const std::string wst = "C;N;WST1;4711;1500;2500;350000;0;1;Kupfer;";
    QTest::newRow("C Art") << wst << 6 << QStringLiteral("C |Zusatzdatensatz|Zusatzdatenart|WST1 ");
    QTest::newRow("C Werkstoffwert 3") << wst << 26 << QStringLiteral("C |Werkstoffsatz|Werkstoffwert 3|350,000 ");
    QTest::newRow("C Werkstofftext") << wst << 37 << QStringLiteral("C |Werkstoffsatz|Werkstofftext|Kupfer ");
    QTest::newRow("C Arbeitswert") << std::string("C;N;ARBA;4711;1;2;125;") << 20
                                   << QStringLiteral("C |Arbeitssatz|Arbeitswert|12,5 ");
    QTest::newRow("C Arbeitswert in Tausendsteln") << std::string("C;N;ARBA;4711;1;3;125;") << 20
                                                   << QStringLiteral("C |Arbeitssatz|Arbeitswert|0,125 ");
    QTest::newRow("C andere Art") << std::string("C;N;ES01;4711;12 AH;0;") << 11
                                  << QStringLiteral("C |Zusatzdatensatz|Artikelnummer|4711 ");
    QTest::newRow("C andere Art jenseits") << std::string("C;N;ES01;4711;12 AH;0;") << 17 << QStringLiteral("-");
    QTest::newRow("K Name") << std::string("K;12345;Muster GmbH;;;;X;;;") << 12
                            << QStringLiteral("K |Kundennummernsatz|Name 1|Muster GmbH ");
    QTest::newRow("S Warengruppe") << std::string("S;123;12345;Einhebelmischer;") << 8
                                   << QStringLiteral("S |Warengruppensatz|Warengruppe|12345 ");
    QTest::newRow("R Rabatt") << std::string("R;RG01;1;2500;Schrauben;") << 10
                              << QStringLiteral("R |Rabattgruppensatz|Rabatt|25,00   / Rabatt ");
    QTest::newRow("R Multi") << std::string("R;RG01;2;1250;Schrauben;") << 10
                             << QStringLiteral("R |Rabattgruppensatz|Multi|1,250   / Multi ");
    const std::string jl = "J;N;SET1;L;01;Kurztext;Beschreibung;1;4711;1000;";
    QTest::newRow("J Merker L") << jl << 10 << QStringLiteral("J |Artikel SET-Satz|SET-Merker|L   / Aufruf-Folge ");
    QTest::newRow("J Beschreibung") << jl << 25 << QStringLiteral("J |Artikel SET-Satz|Beschreibungstext|Beschreibung ");
    QTest::newRow("J Menge") << jl << 45 << QStringLiteral("J |Artikel SET-Satz|Menge|1,000 ");
    // Without marker L the positions follow the line number directly.
    const std::string j1 = "J;A;SET2;1;01;1;4713;500;";
    QTest::newRow("J Stueckliste Nummer") << j1 << 18 << QStringLiteral("J |Artikel SET-Satz|Artikel-, SET-Nummer|4713 ");
    QTest::newRow("J Stueckliste Menge") << j1 << 22 << QStringLiteral("J |Artikel SET-Satz|Menge|0,500 ");
    const std::string p = "P;4711;1;1;12345;AB12;1;1500;2;850;3;200;20250601;";
    QTest::newRow("P Preis") << p << 13 << QStringLiteral("P |Preisänderungssatz|Preis|123,45 ");
    QTest::newRow("P Multi") << p << 33 << QStringLiteral("P |Preisänderungssatz|Multi 2|0,850 ");
    QTest::newRow("P Zuschlagart") << p << 36 << QStringLiteral("P |Preisänderungssatz|Zu-,Abschlagkennzeichen 3|3   / Zuschlag ");
    QTest::newRow("P Termin") << p << 45 << QStringLiteral("P |Preisänderungssatz|Termin|01.06.2025 ");
  }

  void version5() {
    QFETCH(std::string, zeile);
    QFETCH(int, k);
    QFETCH(QString, erwartet);
    QCOMPARE(Info(zeile, k, 5), erwartet);
  }

  // The version-4 record kinds beyond those the viewer has always explained: price lines,
  // additional-data lines of every kind and raw-material lines of mark 6.
  void version4_data() {
    QTest::addColumn<std::string>("zeile");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("erwartet");
    const std::string p = "P;A;RG1;1;85700;1;5500;2;1250;3;0100;RG2;2;107300;0;RB12;4;0300;;;RG3;1;161200;;;;;;;";
    QTest::newRow("P Verarbeitung") << p << 3
                                    << QStringLiteral("P |Preisänderungssatz|Verarbeitungskennzeichen|A     / Änderung ");
    QTest::newRow("P Preis") << p << 12 << QStringLiteral("P |Preisänderungssatz|Preis|857,00 ");
    QTest::newRow("P Rabatt") << p << 20 << QStringLiteral("P |Preisänderungssatz|Rabatt 1|55,00 ");
    QTest::newRow("P Multi") << p << 27 << QStringLiteral("P |Preisänderungssatz|Multi 2|1,250 ");
    QTest::newRow("P Zuschlag") << p << 34 << QStringLiteral("P |Preisänderungssatz|Zuschlag 3|1,00 ");
    QTest::newRow("P Artikel 2 Preiskennzeichen") << p << 42
                                                  << QStringLiteral("P |Preisänderungssatz|Preiskennzeichen|2   / Nettopreis ");
    // Discount 1 of kind 0 names a discount group; a kind without a name of its own is a surcharge.
    QTest::newRow("P Rabattgruppe") << p << 54 << QStringLiteral("P |Preisänderungssatz|Rabattgruppe|RB12 ");
    QTest::newRow("P andere Art") << p << 61 << QStringLiteral("P |Preisänderungssatz|Zu-,Abschlag 2|3,00 ");
    QTest::newRow("P Artikel 3") << p << 68 << QStringLiteral("P |Preisänderungssatz|Artikelnummer|RG3 ");

    const std::string wst = "C;N;WERKSTOFF-1;4711;00001500;00002500;0000003500;0000004500;2;Messing;";
    QTest::newRow("C Verarbeitung") << wst << 3
                                    << QStringLiteral("C |Zusatzdatensatz|Verarbeitungskennzeichen|N     / Neuanlage ");
    QTest::newRow("C Art") << wst << 6 << QStringLiteral("C |Zusatzdatensatz|Zusatzdatenart|WERKSTOFF-1 ");
    QTest::newRow("C Werkstoffwert 3") << wst << 41 << QStringLiteral("C |Werkstoffsatz|Werkstoffwert 3|3,500 ");
    QTest::newRow("C Werkstoffkennzeichen") << wst << 62 << QStringLiteral("C |Werkstoffsatz|Werkstoffkennzeichen|2 ");
    QTest::newRow("C Werkstofftext") << wst << 65 << QStringLiteral("C |Werkstoffsatz|Werkstofftext|Messing ");
    const std::string arb = "C;N;ARBEIT-1;4711;1;2;000125;";
    QTest::newRow("C Arbeitskennzeichen") << arb << 21 << QStringLiteral("C |Arbeitssatz|Arbeitskennzeichen 2|2 ");
    QTest::newRow("C Arbeitswert") << arb << 24 << QStringLiteral("C |Arbeitssatz|Arbeitswert|12,5 ");
    QTest::newRow("C Termin kurz") << std::string("C;;TERMIN-1;311299;") << 15
                                   << QStringLiteral("C |Terminsatz|Termin|31.12.99 ");
    QTest::newRow("C Termin lang") << std::string("C;;TERMIN-1;01082025;") << 15
                                   << QStringLiteral("C |Terminsatz|Termin|01.08.2025 ");
    QTest::newRow("C andere Art") << std::string("C;N;ES01;4711;12 AH;0;") << 11
                                  << QStringLiteral("C |Zusatzdatensatz (nicht übernommen)|Artikelnummer|4711 ");
    QTest::newRow("C andere Art jenseits") << std::string("C;N;ES01;4711;12 AH;0;") << 17 << QStringLiteral("-");

    const std::string z6 = "Z;N;4711;06;6;MS;4;2;00000400;000100;000200;001000;000350;000500;";
    QTest::newRow("Z6 Merker") << z6 << 13 << QStringLiteral("Z |Staffelpreissatz|Bearbeitungsmerker|6 ");
    QTest::newRow("Z6 Zu-Abschlag") << z6 << 18
                                    << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.6|Zu-,Abschlagkennzeichen|4   / Abschlag als Betrag ");
    QTest::newRow("Z6 Rohstoffkennzeichen") << z6 << 20 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.6|Rohstoffkennzeichen|2 ");
    QTest::newRow("Z6 Preis") << z6 << 23 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.6|Preis/Zu-,Abschlag|4,00 ");
    QTest::newRow("Z6 Von Basis") << z6 << 32 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.6|Von Basis|100,00 ");
    QTest::newRow("Z6 Faktor") << z6 << 46 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.6|Umrechnungsfaktor|1,000 ");
    QTest::newRow("Z6 Gewicht") << z6 << 53 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.6|Gewicht|3,50 ");
    QTest::newRow("Z6 Faktor 2") << z6 << 60 << QStringLiteral("Z |Rohstoffsatz Von/Bis, Bearb.Mk.6|Umrechnungsfaktor|0,500 ");
  }

  void version4() {
    QFETCH(std::string, zeile);
    QFETCH(int, k);
    QFETCH(QString, erwartet);
    QCOMPARE(Info(zeile, k, 4), erwartet);
  }

  // A line whose record kind the tables do not describe says so instead of showing nothing; a
  // click beyond the fields of a known record still shows nothing.
  void unbeschriebene_zeile() {
    const QString satz5 = QStringLiteral("Dieser Satz ist in Version 5 nicht beschrieben.");
    QCOMPARE(Info("X;N;4711;", 3, 5), QStringLiteral("X |") + satz5 + QStringLiteral("||"));
    QCOMPARE(Info("Q" + std::string(127, ' '), 3, 3),
             QStringLiteral("Q |Dieser Satz ist in Version 3 nicht beschrieben.||"));
    QCOMPARE(Info("X;N;4711;", 3, 4), QStringLiteral("X |Dieser Satz ist in Version 4 nicht beschrieben.||"));
    // A scale line of a mark the tables do not know: its common fields, then the sentence.
    QCOMPARE(Info("Z;N;4711;01;7;x;", 13, 5), QStringLiteral("Z |Staffelpreissatz|Bearbeitungsmerker|7 "));
    QCOMPARE(Info("Z;N;4711;01;7;x;", 15, 5), QStringLiteral("Z |") + satz5 + QStringLiteral("||"));
    QCOMPARE(Info("A;N;4711;", 300, 5), QStringLiteral("-"));

    // In the window, from a loaded file.
    TempVerzeichnis v;
    DateiSchreiben(v.Datei("V5.001"), Zeilen({"V;050;A;20250101;EUR;Test;;;;;;;;;;", "A;N;4711;Schraube;;;;", "X;1;2;"}));
    MAnzeige m;
    m.show();
    m.DateiAnzeigen(QString::fromStdString(v.Datei("V5.001")));
    m.FeldinfoZeigen("X;1;2;", 3);
    QVERIFY(m.Feldinfo() && m.Feldinfo()->isVisible());
    QCOMPARE(Label(m, "Lab_Satzart")->text(), QStringLiteral("X "));
    QCOMPARE(Label(m, "Lab_SatzartBez")->text(), satz5);
    QCOMPARE(Label(m, "Lab_Feldbezeichnung")->text(), QString());
    QCOMPARE(Label(m, "Lab_Feldinhalt")->text(), QString());
    m.FeldinfoZeigen("A;N;4711;Schraube;;;;", 300);
    QVERIFY(!m.Feldinfo()->isVisible());
  }

  // A click into a listed version-3 file reports the field under the caret.
  void klick_in_version3_datei() {
    TempVerzeichnis v;
    const std::string satz = V3({{1, "AN4711           00Schraube M6"}, {100, "10Stk 00001962"}});
    DateiSchreiben(v.Datei("V3.DAT"), V3({{1, "V 010125Testdaten"}}) + "\r\n" + satz + "\r\n");
    MAnzeige m;
    m.show();
    m.DateiAnzeigen(QString::fromStdString(v.Datei("V3.DAT")));
    QCOMPARE(m.Version(), 3);
    m.FeldinfoZeigen(satz, 108);
    QVERIFY(m.Feldinfo() && m.Feldinfo()->isVisible());
    QCOMPARE(Label(m, "Lab_SatzartBez")->text(), QStringLiteral("Artikelsatz Teil A"));
    QCOMPARE(Label(m, "Lab_Feldbezeichnung")->text(), QStringLiteral("Preis"));
    QCOMPARE(Label(m, "Lab_Feldinhalt")->text(), QStringLiteral("19,62 "));
  }
};

QTEST_MAIN(TestFeldinfo)
#include "test_feldinfo.moc"
