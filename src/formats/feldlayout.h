#pragma once
// Field layouts of the DATANORM record kinds as data: for every record kind of a version its
// description and its fields (where they stand, what they are called, how their values read).
// The viewer's field information is built from them, and the readers' fields are checked against
// them. Texts in the tables are UTF-8; everything a layout hands out is Windows-1252.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/festkomma.h"

namespace korvelan::feldlayout {

// One meaning of a code: the value and the text appended to it.
struct Bedeutung {
  const char* wert;
  const char* zusatz;
};

// The meanings of a code field. `sonst` is appended to any other value except a single blank.
struct Codeliste {
  std::vector<Bedeutung> bedeutungen;
  const char* sonst = nullptr;
};

enum class Darstellung {
  Text,          // the field as read
  Zahl,          // the numeric value times `faktor`, divided by `teiler`, in the number pattern
  DatumTTMMJJ,   // six digits DDMMYY shown as DD.MM.YY
  DatumJJJJMMTT, // eight digits YYYYMMDD shown as DD.MM.YYYY
  DatumTTMMJJJJ, // eight digits DDMMYYYY shown as DD.MM.YYYY, six digits as DatumTTMMJJ
};

// How a field's value is shown.
struct Wert {
  Darstellung art = Darstellung::Text;
  std::int64_t teiler = 1;
  std::int64_t faktor = 1;
  const char* muster = nullptr;        // number pattern, e.g. "#####0.00"
  const Codeliste* codes = nullptr;    // meanings appended to the value shown
  const char* zusatz = nullptr;        // appended to every value
};

// A field whose label and value depend on the value of the field before it (a discount by its
// kind). `wert` nullptr: any other value.
struct Wahl {
  const char* wert;
  const char* name;
  Wert darstellung;
};

struct Feld {
  int nummer = 0;   // ";"-separated records: number of the field, 1 being the record letter
  int von = 0;      // fixed-column records: first column (1-based)
  int breite = 0;   // characters: the width at `von`, or the most taken of a separated field
  const char* name = nullptr;  // nullptr (and no `wahl`): no label of its own, a click on it reports the next field
  Wert wert;
  std::vector<Wahl> wahl;  // not empty: label and value by the field before

  bool OhneEigenenNamen() const { return !name && wahl.empty(); }
};

// The rest of a record chosen by the value of one of its fields (the processing mark of a scale
// line, the kind of an additional-data line).
struct Teil {
  const char* wert;          // nullptr: any other value
  const char* bezeichnung;   // nullptr: the record kind's own
  std::vector<Feld> felder;
};

// Which lines of a letter a record kind covers.
enum class Bedingung {
  Immer,
  Semikolon,        // the second character is ";"
  KeinSemikolon,    // the second character is not ";"
  Endesatz,         // the second field is a number (the end record of version 5)
};

struct Satzart {
  char buchstabe;
  Bedingung bedingung;
  const char* bezeichnung;
  bool festeSpalten;            // fields by column, not ";"-separated
  bool ungetrimmt = false;      // fixed-column texts shown with their blanks (the version-4 header)
  std::vector<Feld> felder;
  int auswahl = -1;             // index into `felder` of the field that selects the Teil
  bool auswahlNachZahl = false; // selects by its numeric value rather than its text
  std::vector<Teil> teile;
};

struct Layout {
  int version;
  std::vector<Satzart> satzarten;
};

// Building table entries.
inline Wert Text(const Codeliste* codes = nullptr) { return Wert{Darstellung::Text, 1, 1, nullptr, codes, nullptr}; }
// The numeric value times `faktor` divided by `teiler`, in the number pattern, with a text after it.
inline Wert Zahl(std::int64_t teiler, const char* muster, const char* zusatz = nullptr, std::int64_t faktor = 1,
                 const Codeliste* codes = nullptr) {
  return Wert{Darstellung::Zahl, teiler, faktor, muster, codes, zusatz};
}
inline Wert Datum(Darstellung art) { return Wert{art, 1, 1, nullptr, nullptr, nullptr}; }
// Field `nummer` of a ";"-separated record, at most `breite` characters.
inline Feld Sp(int nummer, int breite, const char* name, Wert wert = Text()) {
  return Feld{nummer, 0, breite, name, wert, {}};
}
// Field of `breite` characters from column `von` of a fixed-column record.
inline Feld Fest(int von, int breite, const char* name, Wert wert = Text()) {
  return Feld{0, von, breite, name, wert, {}};
}
// Field `nummer` whose label and value depend on the field before it.
inline Feld SpWahl(int nummer, int breite, std::vector<Wahl> wahl) {
  return Feld{nummer, 0, breite, nullptr, Text(), std::move(wahl)};
}
inline Feld FestWahl(int von, int breite, std::vector<Wahl> wahl) {
  return Feld{0, von, breite, nullptr, Text(), std::move(wahl)};
}

// A record kind of ";"-separated fields.
inline Satzart Satz(char buchstabe, const char* bezeichnung, std::vector<Feld> felder,
                    Bedingung bedingung = Bedingung::Immer) {
  return Satzart{buchstabe, bedingung, bezeichnung, false, false, std::move(felder), -1, false, {}};
}
// A record kind of fixed columns; `ungetrimmt`: texts shown with their blanks.
inline Satzart FesterSatz(char buchstabe, const char* bezeichnung, std::vector<Feld> felder, bool ungetrimmt = false,
                          Bedingung bedingung = Bedingung::Immer) {
  return Satzart{buchstabe, bedingung, bezeichnung, true, ungetrimmt, std::move(felder), -1, false, {}};
}
// A record kind whose field `auswahl` (index into `felder`) selects the rest, by its text or by
// its numeric value.
inline Satzart SatzMitTeilen(char buchstabe, const char* bezeichnung, std::vector<Feld> felder, int auswahl,
                             bool nachZahl, std::vector<Teil> teile, bool festeSpalten = false) {
  return Satzart{buchstabe, Bedingung::Immer, bezeichnung, festeSpalten, false, std::move(felder),
                 auswahl, nachZahl, std::move(teile)};
}

// The fields of a price line of versions 3 and 4 after its letter: the processing flag, then three
// articles of number, price code, price and three discount pairs of kind and value. By columns
// without a gap from column 2 (version 3), or as fields 2 to 29 (version 4).
std::vector<Feld> Preiszeile34(bool festeSpalten);

// Meanings shared by the versions.
namespace codes {
const Codeliste& Verarbeitung();      // processing flag A, N, L
const Codeliste& VerarbeitungMitX();  // and X, the article-number change
const Codeliste& Preiskennzeichen();  // 1 gross, 2 net, anything else wrong
const Codeliste& PreiskennzeichenOderLeer();  // the same, and an empty field is not given
const Codeliste& Preiseinheit();      // codes 0 to 3: per 1, 10, 100, 1000 units
const Codeliste& Unterkennzeichen();  // sub-flag of a dimension line
const Codeliste& Preispflege();       // N, B of a customer line
const Codeliste& Rabattkennzeichen(); // 1 discount rate, 2 multiplier
const Codeliste& CuMerker();          // copper flag of a B line
const Codeliste& CuBasis();           // copper base 0
const Codeliste& Zuschlagsart();      // kind of a discount pair of a price line: 1, 2, 3
const Codeliste& ZuschlagsartMitGruppe();  // and 0, a discount group in place of discount 1
}  // namespace codes

// The value of discount pair j (1 to 3) of a price line, by the kind before it: rate and surcharge
// in hundredths, multiplier in thousandths, any other kind but 0 in hundredths. Kind 0 or none:
// with `gruppe` the value is a discount group (discount 1 of versions 3 and 4), else it is not taken.
std::vector<Wahl> Zuschlagswert(int j, bool gruppe);

// The table of a version (3, 4 or 5); nullptr for any other.
const Layout* LayoutDerVersion(int version);
const Layout& LayoutV3();
const Layout& LayoutV4();
const Layout& LayoutV5();

// One field of a line, as it reads.
struct Feldinhalt {
  const Feld* feld;
  std::string name;      // label (Windows-1252); empty for a field without one
  std::string text;      // the field's text: right-trimmed unless blank, cut to its width
  std::optional<Festkomma> zahl;  // the value of a number, as shown
  std::string wert;      // the value shown: the text, the formatted number ("." as decimal point) or date
  std::string zusatz;    // appended to the value: a code's meaning or the kind of a number
  int ende;              // last column of the line that belongs to the field (its ";" included)
};

// A line split by the layout of its record kind.
struct Zerlegung {
  const Satzart* satzart = nullptr;
  std::string buchstabe;     // the record letter, in capitals
  std::string bezeichnung;   // description (Windows-1252) of the record kind
  std::vector<Feldinhalt> felder;
  // Fields from this index on belong to the part chosen by the selecting field, which has a
  // description of its own.
  std::size_t teilAb = 0;
  std::string teilbezeichnung;
  bool teilUnbekannt = false;  // the selecting field holds a value no part describes
  const std::string& Bezeichnung(std::size_t feld) const { return feld < teilAb ? bezeichnung : teilbezeichnung; }
};

// Splits a line (without its line end) by the layout of the version. Nothing when the version has
// no such record kind. A ";"-separated line reads as if ten ";" followed it, so that missing
// trailing fields read as empty.
std::optional<Zerlegung> ZeileZerlegen(const Layout& layout, std::string_view zeile);

// The numeric value of a field's text: the leading number with blanks anywhere ignored, 0 when
// there is none or it is beyond every sensible size.
Festkomma Zahlwert(std::string_view text);

}  // namespace korvelan::feldlayout
