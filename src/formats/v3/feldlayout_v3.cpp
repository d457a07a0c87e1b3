// The record kinds of version 3 as the field information explains them: records of 128
// characters, every field by its column and width, with the scaling the reader gives it.
#include "formats/feldlayout.h"

namespace korvelan::feldlayout {

namespace {

// Four positions of a SET line, 22 characters each from column 33.
std::vector<Feld> Setpositionen() {
  std::vector<Feld> felder{Fest(2, 1, "Verarbeitungskennzeichen", Text(&codes::VerarbeitungMitX())),
                           Fest(3, 15, "SET-Satznummer"), Fest(18, 15, "Matchcode")};
  for (int p = 0; p < 4; ++p) {
    felder.push_back(Fest(33 + 22 * p, 15, "Artikel-, SET-Nummer"));
    felder.push_back(Fest(48 + 22 * p, 7, "Menge", Zahl(1000, "#####0.000")));
  }
  return felder;
}

std::vector<Feld> Textzeilen(const char* teil1, const char* teil2) {
  return {Fest(2, 1, "Verarbeitungskennzeichen", Text(&codes::Verarbeitung())), Fest(3, 8, "Langtextnummer"),
          Fest(11, 7, "frei"), Fest(18, 2, "Zeilennummer"), Fest(20, 9, "frei"), Fest(29, 40, teil1),
          Fest(69, 2, "Zeilennummer"), Fest(71, 9, "frei"), Fest(80, 40, teil2)};
}

// The price unit: codes 0 to 3, and a blank (shown empty), which the reader takes as code 0; any
// other character names no price unit.
const Codeliste& PreiseinheitMitBlank() {
  static const Codeliste c{{{"0", "   / per Einheit"},
                            {"", "   / per Einheit"},
                            {"1", "   / per 10 Einheiten"},
                            {"2", "   / per 100 Einheiten"},
                            {"3", "   / per 1000 Einheiten"}},
                           "   / Falsche Angabe"};
  return c;
}

}  // namespace

const Layout& LayoutV3() {
  using namespace codes;
  static const Layout layout{
      3,
      {
          FesterSatz('V', "Vorlaufsatz",
                     {Fest(3, 6, "Datum", Datum(Darstellung::DatumTTMMJJ)), Fest(9, 40, "Informationstext 1"),
                      Fest(49, 40, "Informationstext 2"), Fest(89, 40, "Informationstext 3")}),
          // A renumbering line carries the new number where the others have their texts; a
          // delete line is read no further, its fields are shown as those of any A line.
          SatzMitTeilen('A', "Artikelsatz Teil A",
                        {Fest(2, 1, "Verarbeitungskennzeichen", Text(&VerarbeitungMitX())),
                         Fest(3, 15, "Artikelnummer")},
                        0, false,
                        {{"X", nullptr, {Fest(20, 15, "Neue Artikelnummer")}},
                         {nullptr, nullptr,
                          {Fest(18, 2, "Textkennzeichen"), Fest(20, 40, "Kurztextzeile 1"),
                           Fest(60, 40, "Kurztextzeile 2"), Fest(100, 1, "Preiskennzeichen", Text(&PreiskennzeichenOderLeer())),
                           Fest(101, 1, "Preiseinheit", Text(&PreiseinheitMitBlank())), Fest(102, 4, "Mengeneinheit"),
                           Fest(106, 8, "Preis", Zahl(100, "#####0.00")), Fest(114, 4, "Rabattgruppe"),
                           Fest(118, 3, "Warenhauptgruppe"), Fest(121, 8, "Langtextschlüssel")}}},
                        true),
          FesterSatz('B', "Artikelsatz Teil B",
                     {Fest(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Fest(3, 15, "Artikelnummer"),
                      Fest(18, 15, "Matchcode"), Fest(33, 15, "Alternativ-Artikelnummer"), Fest(48, 6, "Katalogseite"),
                      Fest(54, 1, "CU-Gewichts Merker", Text(&CuMerker())),
                      Fest(55, 3, "Kupfer-Basispreis", Zahl(1, "#####0", nullptr, 1, &CuBasis())),
                      Fest(58, 6, "Cu-Gewicht", Zahl(100, "#####0.00")), Fest(64, 13, "EAN-Nummer")}),
          FesterSatz('D', "Dimensionssatz",
                     {Fest(2, 1, "Verarbeitungskennzeichen", Text(&Verarbeitung())), Fest(3, 15, "Artikelnummer"),
                      Fest(18, 2, "Zeilennummer"), Fest(20, 1, "Unterkennzeichen", Text(&Unterkennzeichen())),
                      Fest(21, 8, "Langtextnummer"), Fest(29, 40, "Dimensionstext"), Fest(69, 2, "Zeilennummer"),
                      Fest(71, 1, "Unterkennzeichen", Text(&Unterkennzeichen())), Fest(72, 8, "Langtextnummer"),
                      Fest(80, 40, "Dimensionstext")}),
          FesterSatz('T', "Langtextsatz", Textzeilen("Langtextzeile Teil 1", "Langtextzeile Teil 2")),
          FesterSatz('E', "Einfügetextsatz", Textzeilen("Einfügetextzeile Teil 1", "Einfügetextzeile Teil 2")),
          FesterSatz('K', "Kundennummernsatz",
                     {Fest(3, 10, "Kundennummer"), Fest(13, 1, "Preispflege", Text(&Preispflege()))}),
          // A main group alone has its description at 6; a group line adds its number and
          // description after it.
          FesterSatz('S', "Warengruppensatz",
                     {Fest(3, 3, "Hauptwarengruppe"), Fest(6, 40, "Hauptwarengruppenbezeichnung"),
                      Fest(46, 10, "Warengruppe"), Fest(56, 40, "Warengruppenbezeichnung")}),
          // The discount in hundredths for kind 1, in thousandths for every other kind.
          FesterSatz('R', "Rabattgruppensatz",
                     {Fest(3, 4, "Rabattgruppe"), Fest(7, 1, "Rabattgruppenkennzeichen", Text(&Rabattkennzeichen())),
                      FestWahl(8, 4,
                               {{"1", "Rabatt", Zahl(100, "###0.00", "   / Rabatt")},
                                {"2", "Multi", Zahl(1000, "###0.000", "   / Multi")},
                                {nullptr, "Rabatt", Zahl(1000, "###0.000")}}),
                      Fest(12, 40, "Rabattgruppenbezeichnung")}),
          FesterSatz('J', "Artikel SET-Satz", Setpositionen()),
          // The three articles of a price line, 39 characters each from column 3.
          FesterSatz('P', "Preisänderungssatz", Preiszeile34(true)),
      }};
  return layout;
}

}  // namespace korvelan::feldlayout
