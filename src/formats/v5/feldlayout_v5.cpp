// The record kinds of version 5 as the field information explains them: every record by its
// ";"-separated fields, with the scaling the reader gives them.
#include "formats/feldlayout.h"

namespace korvelan::feldlayout {

namespace {

const Codeliste& Datenkennzeichen() {
  static const Codeliste c{{{"A", "   / Artikeldaten"},
                            {"S", "   / Warengruppen"},
                            {"R", "   / Rabattgruppen"},
                            {"J", "   / SET-Daten"},
                            {"P", "   / Preisdaten"}}};
  return c;
}
// Version-5 delete and renumber lines: flag A is the article-number change.
const Codeliste& Nummernsatzkennzeichen() {
  static const Codeliste c{{{"L", "     / Löschung"}, {"A", "     / Artikelnummern-Änderung"}}};
  return c;
}
// The price unit is the quantity the price is for.
const Codeliste& Preismenge() {
  static const Codeliste c{{{"1", "   / per Einheit"},
                            {"10", "   / per 10 Einheiten"},
                            {"100", "   / per 100 Einheiten"},
                            {"1000", "   / per 1000 Einheiten"}}};
  return c;
}
// A packing unit of 0 is taken as 1, a cost kind of 0 as 90.
const Codeliste& Verpackungsmenge() {
  static const Codeliste c{{{"0", "   / gilt als 1"}}};
  return c;
}
const Codeliste& Kostenart() {
  static const Codeliste c{{{"0", "   / gilt als 90"}}};
  return c;
}
const Codeliste& Textart() {
  static const Codeliste c{{{"1", "   / Langtext"}, {"2", "   / Einfügetext"}}};
  return c;
}
const Codeliste& Bearbeitungsmerker() {
  static const Codeliste c{{{"1", "   / Staffelpreis"},
                            {"2", "   / Rohstoff Von/Bis"},
                            {"3", "   / Rohstoffberechnung"}}};
  return c;
}
const Codeliste& StaffelZuAbArt() {
  static const Codeliste c{{{"1", "   / Preis"}, {"2", "   / Zu-,Abschlag Betrag"}, {"3", "   / Zu-,Abschlag Prozent"}}};
  return c;
}
const Codeliste& SetMerker() {
  static const Codeliste c{{{"L", "   / Aufruf-Folge"}, {"1", "   / Stückliste"}}};
  return c;
}

std::vector<Feld> Textzeile() {
  return {Sp(2, 1, "Verarbeitungskennzeichen", Text(&codes::Verarbeitung())), Sp(3, 15, "Langtextnummer"),
          Sp(4, 1, "Textart", Text(&Textart())), Sp(5, 2, "Zeilennummer"), Sp(6, 70, "Langtextzeile")};
}

std::vector<Feld> Preiszeile() {
  std::vector<Feld> felder{Sp(2, 15, "Artikelnummer"), Sp(3, 1, "Preiskennzeichen", Text(&codes::PreiskennzeichenOderLeer())),
                           Sp(4, 1, "Preiseinheit", Zahl(1, "0")), Sp(5, 10, "Preis", Zahl(100, "#####0.00")),
                           Sp(6, 4, "Rabattgruppe")};
  static const char* const kennzeichen[] = {"Zu-,Abschlagkennzeichen 1", "Zu-,Abschlagkennzeichen 2",
                                            "Zu-,Abschlagkennzeichen 3"};
  for (int j = 1; j <= 3; ++j) {
    felder.push_back(Sp(5 + 2 * j, 1, kennzeichen[j - 1], Text(&codes::Zuschlagsart())));
    felder.push_back(SpWahl(6 + 2 * j, 4, Zuschlagswert(j, false)));
  }
  felder.push_back(Sp(13, 8, "Termin", Datum(Darstellung::DatumJJJJMMTT)));
  return felder;
}

}  // namespace

const Layout& LayoutV5() {
  using namespace codes;
  const Wert ganz = Zahl(1, "#####0");
  const Wert betrag = Zahl(100, "#####0.00");
  const Wert faktor = Zahl(1000, "#####0.000");
  static const Layout layout{
      5,
      {
          Satz('V', "Vorlaufsatz",
               {Sp(2, 3, "Version"), Sp(3, 1, "Datenkennzeichen", Text(&Datenkennzeichen())),
                Sp(4, 8, "Datum", Datum(Darstellung::DatumJJJJMMTT)), Sp(5, 3, "Währungskennzeichen"),
                Sp(6, 40, "Informationstext 1"), Sp(7, 40, "Informationstext 2"), Sp(8, 13, "Informationstext 3"),
                Sp(9, 30, "Informationstext 4"), Sp(10, 30, "Informationstext 5"), Sp(11, 30, "Informationstext 6"),
                Sp(12, 30, "Informationstext 7"), Sp(13, 3, "Informationstext 8"), Sp(14, 9, "Informationstext 9"),
                Sp(15, 30, "Informationstext 10")},
               Bedingung::Semikolon),
          // A header in the fixed columns of version 4 whose version columns say 05.
          FesterSatz('V', "Vorlaufsatz",
                     {Fest(3, 6, "Datum", Datum(Darstellung::DatumTTMMJJ)), Fest(9, 40, "Informationstext 1"),
                      Fest(49, 40, "Informationstext 2"), Fest(89, 35, "Informationstext 3"), Fest(124, 2, "Version"),
                      Fest(126, 3, "Währungskennzeichen")},
                     true, Bedingung::KeinSemikolon),
          Satz('A', "Artikelsatz",
               {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Artikelnummer"),
                Sp(4, 40, "Kurztextzeile 1"), Sp(5, 40, "Kurztextzeile 2"), Sp(6, 4, "Mengeneinheit"),
                Sp(7, 1, "Preiskennzeichen", Text(&PreiskennzeichenOderLeer())),
                Sp(8, 6, "Preiseinheit", Zahl(1, "#####0", nullptr, 1, &Preismenge())), Sp(9, 10, "Preis", betrag),
                Sp(10, 4, "Rabattgruppe"), Sp(11, 3, "Warenhauptgruppe"), Sp(12, 10, "Warengruppe"),
                Sp(13, 15, "Matchcode"), Sp(14, 13, "Feld 14"), Sp(15, 15, "Alternativ-Artikelnummer"),
                Sp(16, 13, "Feld 16"), Sp(17, 35, "Feld 17"), Sp(18, 35, "Feld 18"), Sp(19, 18, "EAN-Nummer"),
                Sp(20, 15, "Anbindungsnummer"),
                Sp(21, 5, "Verpackungseinheit", Zahl(1, "#####0", nullptr, 1, &Verpackungsmenge())),
                Sp(22, 15, "Katalogseite"),
                // Stored in tenths: the text flag of the other versions is two digits.
                Sp(23, 2, "Textkennzeichen", Zahl(1, "00", nullptr, 10)), Sp(24, 15, "Langtextschlüssel"),
                Sp(25, 2, "Kostenart", Zahl(1, "#####0", nullptr, 1, &Kostenart())), Sp(26, 1, "Feld 26"),
                Sp(27, 13, "Referenz-Kürzel"), Sp(28, 17, "Referenz-Nummer")}),
          Satz('B', "Löschung/Artikelnummern-Änderung",
               {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Nummernsatzkennzeichen())), Sp(3, 15, "Artikelnummer"),
                Sp(4, 15, "Neue Artikelnummer"), Sp(5, 8, "Nummernzusatz")}),
          Satz('D', "Dimensionssatz",
               {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Artikelnummer"),
                Sp(4, 2, "Zeilennummer"), Sp(5, 1, "Unterkennzeichen", Text(&Unterkennzeichen())),
                Sp(6, 40, "Dimensionstext"), Sp(7, 15, "Langtextnummer"), Sp(8, 2, "Zeilennummer"),
                Sp(9, 1, "Unterkennzeichen", Text(&Unterkennzeichen())), Sp(10, 40, "Dimensionstext"),
                Sp(11, 15, "Langtextnummer")}),
          Satz('T', "Langtextsatz", Textzeile()),
          // E;<count>;<text>; ends the file; every other E line is an insert text.
          Satz('E', "Endesatz", {Sp(2, 8, "Satzanzahl", ganz), Sp(3, 80, "Text")}, Bedingung::Endesatz),
          Satz('E', "Einfügetextsatz", Textzeile()),
          // The processing mark selects the rest of the line; the values are those the reader takes.
          SatzMitTeilen(
              'Z', "Staffelpreissatz",
              {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Artikelnummer"),
               Sp(4, 2, "Zeilennummer"), Sp(5, 1, "Bearbeitungsmerker", Text(&Bearbeitungsmerker()))},
              3, false,
              {{"1", "Staffelpreissatz, Bearb.Mk.1",
                {Sp(6, 40, "Basisbeschreibung 1"), Sp(7, 40, "Basisbeschreibung 2"),
                 Sp(8, 1, "Zu-,Abschlagart", Zahl(1, "0", nullptr, 1, &StaffelZuAbArt())), Sp(9, 1, "Vorzeichen"),
                 Sp(10, 1, "Staffelmerker", ganz), Sp(11, 6, "Preiseinheit", ganz), Sp(12, 10, "Preis", betrag),
                 Sp(13, 10, "Staffelende", ganz), Sp(14, 6, "Basismerker", ganz),
                 Sp(15, 10, "Von Basis", Zahl(1, "#####0.00")), Sp(16, 10, "Bis Basis", Zahl(1, "#####0.00"))}},
               {"2", "Rohstoffsatz Von/Bis, Bearb.Mk.2",
                {Sp(6, 2, "Rohstoffmerker"), Sp(7, 1, "Zu-,Abschlagart", Zahl(1, "0", nullptr, 1, &StaffelZuAbArt())),
                 Sp(8, 1, "Vorzeichen"), Sp(9, 1, "Rohstoffkennzeichen", ganz), Sp(10, 6, "Preiseinheit", ganz),
                 Sp(11, 10, "Preis/Zu-,Abschlag", betrag), Sp(12, 8, "Von Basis", betrag),
                 Sp(13, 8, "Bis Basis", betrag), Sp(14, 6, "Umrechnungsfaktor", faktor), Sp(15, 8, "Gewicht", betrag),
                 Sp(16, 6, "Umrechnungsfaktor", faktor)}},
               {"3", "Rohstoffsatz (Berechng), Bearb.Mk.3",
                {Sp(6, 2, "Rohstoffmerker"), Sp(7, 1, "Rohstoffkennzeichen", ganz), Sp(8, 6, "Mengenbasis", ganz),
                 Sp(9, 8, "Bezugspreis-Basis", betrag), Sp(10, 6, "Umrechnungsfaktor", faktor),
                 Sp(11, 8, "Gewicht", betrag), Sp(12, 6, "Umrechnungsfaktor", faktor)}}}),
          // The kind selects the rest; lines of other kinds are passed on as they are. Lines of an
          // earlier order of material lines (text before the values) are read by the reader too
          // and explained here in this order.
          SatzMitTeilen(
              'C', "Zusatzdatensatz",
              {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Zusatzdatenart"),
               Sp(4, 15, "Artikelnummer")},
              1, false,
              {{"WST1", "Werkstoffsatz",
                {Sp(5, 8, "Werkstoffwert 1", faktor), Sp(6, 8, "Werkstoffwert 2", faktor),
                 Sp(7, 10, "Werkstoffwert 3", faktor), Sp(8, 10, "Werkstoffwert 4", faktor),
                 Sp(9, 1, "Werkstoffkennzeichen", ganz), Sp(10, 10, "Werkstofftext")}},
               // The value in tenths, or in thousandths when the second flag is 3.
               {"ARBA", "Arbeitssatz",
                {Sp(5, 1, "Arbeitskennzeichen 1", ganz), Sp(6, 1, "Arbeitskennzeichen 2", ganz),
                 SpWahl(7, 6,
                        {{"3", "Arbeitswert", Zahl(1000, "#####0.000")},
                         {nullptr, "Arbeitswert", Zahl(10, "#####0.0")}})}},
               {nullptr, "Zusatzdatensatz (unverändert übernommen)", {}}}),
          Satz('K', "Kundennummernsatz",
               {Sp(2, 10, "Kundennummer"), Sp(3, 30, "Name 1"), Sp(4, 30, "Name 2"), Sp(5, 30, "Name 3"),
                Sp(6, 30, "Name 4"), Sp(7, 1, "Kennzeichen"), Sp(8, 9, "Zusatzfeld 1"), Sp(9, 30, "Zusatzfeld 2")}),
          Satz('S', "Warengruppensatz",
               {Sp(2, 3, "Hauptwarengruppe"), Sp(3, 10, "Warengruppe"), Sp(4, 40, "Warengruppenbezeichnung")}),
          // The discount in hundredths for kind 1, in thousandths for every other kind.
          Satz('R', "Rabattgruppensatz",
               {Sp(2, 4, "Rabattgruppe"), Sp(3, 1, "Rabattgruppenkennzeichen", Text(&Rabattkennzeichen())),
                SpWahl(4, 4,
                       {{"1", "Rabatt", Zahl(100, "###0.00", "   / Rabatt")},
                        {"2", "Multi", Zahl(1000, "###0.000", "   / Multi")},
                        {nullptr, "Rabatt", Zahl(1000, "###0.000")}}),
                Sp(5, 40, "Rabattgruppenbezeichnung")}),
          // Short text and description only in a SET of marker L.
          SatzMitTeilen('J', "Artikel SET-Satz",
                        {Sp(2, 1, "Verarbeitungskennzeichen", Text(&VerarbeitungMitX())),
                         Sp(3, 15, "SET-Satznummer"), Sp(4, 1, "SET-Merker", Text(&SetMerker())),
                         Sp(5, 2, "Zeilennummer")},
                        2, false,
                        {{"L", nullptr,
                          {Sp(6, 15, "Matchcode"), Sp(7, 40, "Beschreibungstext"), Sp(8, 1, "Aufrufmerker", ganz),
                           Sp(9, 15, "Artikel-, SET-Nummer"), Sp(10, 7, "Menge", faktor)}},
                         {nullptr, nullptr,
                          {Sp(6, 1, "Aufrufmerker", ganz), Sp(7, 15, "Artikel-, SET-Nummer"),
                           Sp(8, 7, "Menge", faktor)}}}),
          Satz('P', "Preisänderungssatz", Preiszeile()),
      }};
  return layout;
}

}  // namespace korvelan::feldlayout
