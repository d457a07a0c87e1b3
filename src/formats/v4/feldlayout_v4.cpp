// The record kinds of version 4 as the field information explains them: the header by columns,
// every other record by its ";"-separated fields.
#include "formats/feldlayout.h"

namespace korvelan::feldlayout {

namespace {

// The surcharge code of a raw-material line: a percentage or an amount, added or taken off.
const Codeliste& ZuAbCode() {
  static const Codeliste c{{{"1", "   / Zuschlag in Prozent"},
                            {"2", "   / Abschlag in Prozent"},
                            {"3", "   / Zuschlag als Betrag"},
                            {"4", "   / Abschlag als Betrag"}}};
  return c;
}

}  // namespace

const Layout& LayoutV4() {
  using namespace codes;
  const Wert ganz = Zahl(1, "#####0");
  const Wert basis = Zahl(1, "#####0.00");
  const Wert betrag = Zahl(100, "#####0.00");
  const Wert faktor = Zahl(1000, "#####0.000");
  static const Layout layout{
      4,
      {
          FesterSatz('V', "Vorlaufsatz",
           {Fest(3, 6, "Datum", Datum(Darstellung::DatumTTMMJJ)), Fest(9, 40, "Informationstext 1"),
            Fest(49, 40, "Informationstext 2"), Fest(89, 35, "Informationstext 3"), Fest(124, 2, "Version"),
            Fest(126, 3, "Währungskennzeichen")}, true),
          Satz('A', "Artikelsatz Teil A",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&VerarbeitungMitX())), Sp(3, 15, "Artikelnummer"),
            Sp(4, 2, "Textkennzeichen"), Sp(5, 40, "Kurztextzeile 1"), Sp(6, 40, "Kurztextzeile 2"),
            Sp(7, 1, "Preiskennzeichen", Text(&Preiskennzeichen())), Sp(8, 1, "Preiseinheit", Text(&Preiseinheit())),
            Sp(9, 4, "Mengeneinheit"), Sp(10, 8, "Preis", betrag), Sp(11, 4, "Rabattgruppe"),
            Sp(12, 3, "Warenhauptgruppe"), Sp(13, 8, "Langtextschlüssel")}),
          Satz('B', "Artikelsatz Teil B",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Artikelnummer"),
            Sp(4, 15, "Matchcode"), Sp(5, 15, "Alternativ-Artikelnummer"), Sp(6, 8, "Katalogseite"),
            Sp(7, 1, "CU-Gewichts Merker", Text(&CuMerker())), Sp(8, 3, "Kupfer-Basispreis", Text(&CuBasis())),
            Sp(9, 6, "Cu-Gewicht"), Sp(10, 13, "EAN-Nummer"), Sp(11, 12, "Anbindungsnummer"),
            Sp(12, 10, "Warengruppe"), Sp(13, 2, "Kostenart"), Sp(14, 5, "Verpackungseinheit"),
            Sp(15, 4, "Referenz-Kürzel"), Sp(16, 17, "Referenz-Nummer")}),
          Satz('K', "Kundennummernsatz",
           {Sp(2, 1, nullptr), Sp(3, 10, "Kundennummer"), Sp(4, 1, "Preispflege", Text(&Preispflege()))}),
          Satz('S', "Warengruppensatz",
           {Sp(2, 1, nullptr), Sp(3, 3, "Hauptwarengruppe"), Sp(4, 40, "Hauptwarengruppenbezeichnung"),
            Sp(5, 10, "Warengruppe"), Sp(6, 40, "Warengruppenbezeichnung"), Sp(7, 40, "Hauptwarengruppenbez.")}),
          Satz('R', "Rabattgruppensatz",
           {Sp(2, 1, nullptr), Sp(3, 4, "Rabattgruppe"),
            Sp(4, 1, "Rabattgruppenkennzeichen", Text(&Rabattkennzeichen())),
            SpWahl(5, 4,
                   {{"1", "Rabatt", Zahl(100, "###0.00", "   / Rabatt")},
                    {"2", "Multi", Zahl(1000, "###0.000", "   / Multi")},
                    {nullptr, "", Text()}}),
            Sp(6, 40, "Rabattgruppenbezeichnung")}),
          Satz('D', "Dimensionssatz",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Artikelnummer"),
            Sp(4, 2, "Zeilennummer"), Sp(5, 1, "Unterkennzeichen", Text(&Unterkennzeichen())),
            Sp(6, 8, "Langtextnummer"), Sp(7, 40, "Dimensionstext"), Sp(8, 2, "Zeilennummer"),
            Sp(9, 1, "Unterkennzeichen", Text(&Unterkennzeichen())), Sp(10, 8, "Langtextnummer"),
            Sp(11, 40, "Dimensionstext")}),
          Satz('T', "Langtextsatz",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 8, "Langtextnummer"),
            Sp(4, 7, "frei"), Sp(5, 2, "Zeilennummer"), Sp(6, 9, "frei"), Sp(7, 40, "Langtextzeile Teil 1"),
            Sp(8, 2, "Zeilennummer"), Sp(9, 9, "frei"), Sp(10, 40, "Langtextzeile Teil 2")}),
          Satz('E', "Einfügetextsatz",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 8, "Langtextnummer"),
            Sp(4, 7, "frei"), Sp(5, 2, "Zeilennummer"), Sp(6, 9, "frei"), Sp(7, 40, "Einfügetextzeile Teil 1"),
            Sp(8, 2, "Zeilennummer"), Sp(9, 9, "frei"), Sp(10, 40, "Einfügetextzeile Teil 2")}),
          // The Bearbeitungsmerker, by its numeric value, selects the rest of a price-scale line.
          SatzMitTeilen('Z', "Staffelpreissatz",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Artikelnummer"),
            Sp(4, 2, "Zeilennummer"), Sp(5, 1, "Bearbeitungsmerker")},
           3, true,
           {{"1", "Staffelpreissatz, Bearb.Mk.1",
             {Sp(6, 2, "Basismerker"), Sp(7, 28, "Basisbeschreibung"), Sp(8, 1, "Preiskennzeichen"),
              Sp(9, 8, "Preis", betrag), Sp(10, 8, "Von Basis"), Sp(11, 8, "Bis Basis")}},
            {"2", "Staffelpreissatz, Bearb.Mk.2",
             {Sp(6, 2, "Basismerker"), Sp(7, 28, "Basisbeschreibung"), Sp(8, 1, "Zu-,Abschlagkennzeichen"),
              Sp(9, 8, "Preis/Zu-,Abschlag", betrag), Sp(10, 8, "Von Basis"), Sp(11, 8, "Bis Basis")}},
            {"3", "Rohstoffsatz Von/Bis, Bearb.Mk.3",
             {Sp(6, 2, "Rohstoffmerker"), Sp(7, 1, "Zu-,Abschlagkennzeichen"),
              Sp(8, 8, "Preis/Zu-,Abschlag", betrag), Sp(9, 6, "Von Basis"), Sp(10, 6, "Bis Basis"),
              Sp(11, 6, "Umrechnungsfaktor", faktor)}},
            {"4", "Rohstoffsatz (Berechng), Bearb.Mk.4",
             {Sp(6, 2, "Rohstoffmerker"), Sp(7, 6, "Bezugspreis-Basis", Zahl(1, "#####0.00")),
              Sp(8, 6, "Umrechnungsfaktor", faktor), Sp(9, 6, "Gewicht", betrag),
              Sp(10, 6, "Umrechnungsfaktor", faktor)}},
            {"5", "Sonderkosten, Bearb.Mk.5",
             {Sp(6, 40, "Bezeichnung"), Sp(7, 1, "Zuschlagkennzeichen"), Sp(8, 8, "Preis", betrag)}},
            // A raw-material line of mark 3 with its own material flag and two values more.
            {"6", "Rohstoffsatz Von/Bis, Bearb.Mk.6",
             {Sp(6, 2, "Rohstoffmerker"), Sp(7, 1, "Zu-,Abschlagkennzeichen", Text(&ZuAbCode())),
              Sp(8, 1, "Rohstoffkennzeichen", ganz), Sp(9, 8, "Preis/Zu-,Abschlag", betrag),
              Sp(10, 6, "Von Basis", basis), Sp(11, 6, "Bis Basis", basis), Sp(12, 6, "Umrechnungsfaktor", faktor),
              Sp(13, 6, "Gewicht", betrag), Sp(14, 6, "Umrechnungsfaktor", faktor)}}}),
          // The kind selects the rest of an additional-data line. The date line belongs to no
          // article; of a line of any other kind the reader takes only the article number, which
          // keys the record. Material lines of an earlier form carry a fifth value before the
          // text, which the reader then takes from the field after it; they are explained here in
          // the usual order.
          SatzMitTeilen('C', "Zusatzdatensatz",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Sp(3, 15, "Zusatzdatenart")},
           1, false,
           {{"TERMIN-1", "Terminsatz", {Sp(4, 8, "Termin", Datum(Darstellung::DatumTTMMJJJJ))}},
            {"WERKSTOFF-1", "Werkstoffsatz",
             {Sp(4, 15, "Artikelnummer"), Sp(5, 8, "Werkstoffwert 1", faktor), Sp(6, 8, "Werkstoffwert 2", faktor),
              Sp(7, 10, "Werkstoffwert 3", faktor), Sp(8, 10, "Werkstoffwert 4", faktor),
              Sp(9, 1, "Werkstoffkennzeichen", ganz), Sp(10, 10, "Werkstofftext")}},
            {"ARBEIT-1", "Arbeitssatz",
             {Sp(4, 15, "Artikelnummer"), Sp(5, 1, "Arbeitskennzeichen 1", ganz),
              Sp(6, 1, "Arbeitskennzeichen 2", ganz), Sp(7, 6, "Arbeitswert", Zahl(10, "#####0.0"))}},
            {nullptr, "Zusatzdatensatz (nicht übernommen)", {Sp(4, 15, "Artikelnummer")}}}),
          Satz('J', "Artikel SET-Satz",
           {Sp(2, 1, "Verarbeitungskennzeichen", Text(&VerarbeitungMitX())), Sp(3, 15, "SET-Satznummer"),
            Sp(4, 2, "Zeilennummer"), Sp(5, 1, "SET-Merker"), Sp(6, 15, "Matchcode"), Sp(7, 28, "Beschreibungstext"),
            Sp(8, 1, "Aufrufmerker"), Sp(9, 15, "Artikel-, SET-Nummer"), Sp(10, 7, "Menge", faktor)}),
          // Up to three articles; the reader takes none after an article without number.
          Satz('P', "Preisänderungssatz", Preiszeile34(false)),
      }};
  return layout;
}

}  // namespace korvelan::feldlayout
