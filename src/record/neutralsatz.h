#pragma once
// The version-independent record every conversion passes through. A reader fills it with one
// logical record, the record checks inspect it, a writer turns it into lines. Text fields have
// three states: empty (the record kind carrying the field did not occur), "@" (present but
// empty, KeineAngabe) or the value.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/festkomma.h"
#include "record/text.h"

namespace korvelan {

inline const std::string KeineAngabe = "@";

constexpr int Tabellenzeilen = 99;
constexpr int Preiszeilen = 3;

// Table rows. A field added to a row must also be emptied by that row's Leeren in
// neutralsatz.cpp (rows are reset field by field to keep the memory of their texts).
struct Staffelzeile {
  std::int16_t StaffelArt = 0;  // 0 free, 1 price scale, 2 raw material from/to, 3 raw-material calculation
  std::int32_t StaffelBasismerker = 0;  // version 5 writes up to 6 digits
  std::string StaffelBasistext1;
  std::string StaffelBasistext2;
  std::int16_t StaffelMerker = 0;
  std::int16_t StaffelZuAbArt = 0;
  std::string StaffelVorzeichen;
  Festkomma StaffelPreis = 0;
  // The price unit and end value of a version-5 scale line (6 and 10 digits) and the price unit of
  // the raw-material lines: wide enough for every value the fields can hold, so that a large one
  // does not end the run.
  std::int64_t StaffelEndeA = 0;
  std::int64_t StaffelEndeB = 0;
  std::string RohVBMerker;
  std::int16_t RohVBZuAbArt = 0;
  std::string RohVBVorzeichen;
  std::int16_t RohVBKz = 0;
  std::int64_t RohVBEnde = 0;
  Festkomma RohVBPreis = 0;
  Festkomma VonBasis = 0;
  Festkomma BisBasis = 0;
  Festkomma RohVBFaktor = 0;
  Festkomma RohVBWert5 = 0;
  Festkomma RohVBWert6 = 0;
  std::string RohstoffMerker;
  std::int16_t RohstoffKz = 0;
  std::int64_t RohstoffMengenbasis = 0;
  Festkomma RohstoffBasis = 0;
  Festkomma RohstoffFaktor = 0;
  Festkomma RohstoffGewicht = 0;
  Festkomma RohstoffWert4 = 0;
};

struct Dimensionszeile {
  std::string DimUnterkz;  // marker column
  std::string DimText;
  std::string DimLangtextNr;
};

struct Langtextzeile {
  std::string LangtextMarke;  // "X" in every used row; marker column
  std::string LangtextZeile;
};

struct Setzeile {
  std::string SetNr;  // marker column
  std::string SetMerker;
  std::string SetKurztext;
  std::int16_t SetAufrufmerker = 0;
  std::string SetArtikelNr;
  std::string SetBeschreibung;
  Festkomma SetMenge = 0;
};

struct Preiszeile {
  std::string PArtikelNr;  // marker column
  std::int16_t PPreiskz = 0;
  std::int16_t PPreiseinheit = 0;
  Festkomma PPreis = 0;
  std::int16_t PZuAbKz1 = 0, PZuAbKz2 = 0, PZuAbKz3 = 0;
  std::string PZuAbMarke1, PZuAbMarke2, PZuAbMarke3;
  std::string PRabattgruppe;
  Festkomma PZuAbWert1 = 0, PZuAbWert2 = 0, PZuAbWert3 = 0;

  // Discount group j = 1..3 by number, for loops in readers and writers.
  std::int16_t& ZuAbKz(int j) { return j == 1 ? PZuAbKz1 : j == 2 ? PZuAbKz2 : PZuAbKz3; }
  std::string& ZuAbMarke(int j) { return j == 1 ? PZuAbMarke1 : j == 2 ? PZuAbMarke2 : PZuAbMarke3; }
  Festkomma& ZuAbWert(int j) { return j == 1 ? PZuAbWert1 : j == 2 ? PZuAbWert2 : PZuAbWert3; }
  std::int16_t ZuAbKz(int j) const { return j == 1 ? PZuAbKz1 : j == 2 ? PZuAbKz2 : PZuAbKz3; }
  const std::string& ZuAbMarke(int j) const { return j == 1 ? PZuAbMarke1 : j == 2 ? PZuAbMarke2 : PZuAbMarke3; }
  Festkomma ZuAbWert(int j) const { return j == 1 ? PZuAbWert1 : j == 2 ? PZuAbWert2 : PZuAbWert3; }
};

// What a record is. The reader sets it when it has assembled the record (SatzartBestimmen); the
// writers choose their lines by it.
enum class Satzart : std::uint8_t {
  Langtext,      // no article: its long text alone, or nothing (at the end of the input)
  Kunde,         // customer-number record
  Warengruppe,   // main group or product group
  Rabattgruppe,  // discount group
  Artikel,       // an article with its lines
  Loeschen,      // delete (flag "L") or renumber (flag "X") an article
  Set,           // a SET record
  Preis          // a price record
};

struct Neutralsatz {
  Satzart Art = Satzart::Langtext;

  // Article fields.
  std::string Verarbeitungskz;  // carried over by NeutralsatzLeeren
  std::string ArtikelNr;
  // The article texts, Kurztext1 to ReferenzNr (AnbindungKz excepted): see Artikelteil.
  std::string Kurztext1;
  std::string Kurztext2;
  std::string Mengeneinheit;
  std::string Preiskz;
  std::string Preiseinheit;
  std::string Preis;
  std::string Rabattgruppe;
  std::string Warenhauptgruppe;
  std::string Warengruppe;
  std::string Matchcode;
  std::string A5Feld14;
  std::string AlternativArtikelNr;
  std::string A5Feld16;
  std::string A5Feld17;
  std::string A5Feld18;
  std::string EanNr;
  std::string Anbindungsnummer;
  std::int16_t AnbindungKz = 0;
  std::string Verpackungsmenge;
  std::string Katalogseite;
  std::string Textkz;
  std::string Langtextschluessel;
  std::string Kostenart;
  std::string A5Feld26;
  std::string ReferenzKuerzel;
  std::string ReferenzNr;
  std::string A5Zusatz;

  // Delete and renumber data.
  std::string NummerAltKz;
  std::string NeueArtikelNr;
  std::string NummerAltZusatz;

  // Tables, index 0 is row 1.
  std::array<Staffelzeile, Tabellenzeilen> Staffeltabelle{};
  std::array<Dimensionszeile, Tabellenzeilen> Dimensionstabelle{};
  std::array<Langtextzeile, Tabellenzeilen> Langtexttabelle{};
  std::string LangtextNr;
  std::int16_t LangtextArt = 0;
  std::array<std::string, Tabellenzeilen> CZeilen{};
  std::array<Setzeile, Tabellenzeilen> SetTabelle{};
  std::array<Preiszeile, Preiszeilen> Preistabelle{};

  // Single-line records.
  std::string Hauptwarengruppe;
  // The main group's description on a line that also names a group (WgNummer); that group's own
  // description is WgBezeichnung. A line of a main group alone holds its description in
  // WgBezeichnung, as does every line of a version with one description.
  std::string HwgBezeichnung;
  std::string WgNummer;
  std::string WgBezeichnung;
  std::string RgNummer;
  std::int16_t RabattKz = 0;
  Festkomma Rabatt = 0;
  std::string RgBezeichnung;
  std::string Kundennummer;
  std::string Preispflege;
  std::string KName1, KName2, KName3, KName4;
  std::string KKz;
  std::string KFeld9;
  std::string KFeld30;
  std::string Termin1;  // carried over by NeutralsatzLeeren

  // Material and labour data.
  Festkomma WerkstoffWert1 = 0, WerkstoffWert2 = 0, WerkstoffWert3 = 0, WerkstoffWert4 = 0;
  std::int16_t WerkstoffKz = 0;
  std::string WerkstoffText;
  Festkomma WerkstoffWert5 = 0;
  std::int16_t ArbeitKz1 = 0, ArbeitKz2 = 0;
  Festkomma ArbeitWert = 0;
};

// True for a price flag that versions 3 and 4 hold as it is: one digit. Their readers take any
// digit, so a writer that wrote only some of them would change a flag of its own version.
inline bool PreiskennzeichenZiffer(std::string_view kz) { return kz.size() == 1 && kz[0] >= '0' && kz[0] <= '9'; }
// The same for the price flag of a price row, held as a number.
inline bool PreiskennzeichenZiffer(std::int16_t kz) { return kz >= 0 && kz <= 9; }

// The kind of the record a reader has assembled, for a reader of data kind Artikel (article
// files, product and discount groups), Set or Preis. The one-line kinds (customer, product group,
// discount group) are told by their number; a SET or price reader's other records are of its kind;
// an article file's are articles, delete or renumber records, or long texts alone.
Satzart SatzartBestimmen(const Neutralsatz& ns, Satzart datenart);

// Emptying the record at the start of each article-file record. Every field and table row is
// emptied except two that carry over on purpose from the record before: Verarbeitungskz (a long
// text or article whose first line gives no flag of its own keeps the flag held, see
// VerarbeitungskzBeginnen) and Termin1 (the date of a price change holds for the price lines
// after it until another date comes). Tables are emptied up to their first free row, rows field
// by field, so that their texts keep their memory for the next record.
void NeutralsatzLeeren(Neutralsatz& ns);

// The article texts (short texts to reference number) by the line that holds them: part A is
// what a version-4 A line holds, part B what a version-4 B line holds, Nur5 the fields only
// version 5 has; a version-5 A line holds all three.
enum Artikelteil : unsigned {
  ArtikelteilA = 1,
  ArtikelteilB = 2,
  ArtikelteilNur5 = 4,
  AlleArtikelteile = ArtikelteilA | ArtikelteilB | ArtikelteilNur5
};
// Empties the article texts of the parts given.
void ArtikeltexteLeeren(Neutralsatz& ns, unsigned teile);

// NeutralsatzLeeren without the article texts, for a reader that overwrites them in place: they
// keep the record before's texts, and a field of the same length as before is then copied over
// it without a call (FeldUeberschreiben); emptying them first measurably slows article files
// down (about 4 % more instructions for versions 4 and 5). Such a reader empties with
// ArtikeltexteLeeren, before it returns, the parts no line of the record wrote.
void NeutralsatzLeerenAusserArtikeltexten(Neutralsatz& ns);
// Resets the SET table only (SetLeser).
void SetTabelleLeeren(Neutralsatz& ns);
// Resets all three rows of the price table (Preisleser).
void PreistabelleLeeren(Neutralsatz& ns);

// Sets the processing flag of a record that starts (an article or a long text) from the flag of
// its first line, in capitals: "N" and "A" are taken, "L" where the line allows a delete. Any
// other flag keeps the flag held, except a delete or renumber flag left by the record before:
// kept, it would turn this record into a delete or renumber record and lose its data, so it
// becomes "A" (change).
void VerarbeitungskzBeginnen(Neutralsatz& ns, char kennzeichen, bool loeschenErlaubt = true);

// The copper row the B line of versions 3 and 4 holds: the first copper row of the table (kind 3,
// marker "CU") by 100 or by 1000 units (value 4 0.01 or 0.001). Their readers make of it a row of
// factor 0.01, a base of three digits, a weight of six (in hundredths) and the quantity base of its
// unit (flag 1: 100, flag 2: 1000). Version 4 has Z lines for every other copper row, so its B line
// takes only a row it gives back exactly (genau). Version 3 has no other place: its B line takes
// the first copper row by its unit alone, and the record check names what changes. Null when the
// first copper row has another form or there is none.
const Staffelzeile* KupferzeileDerBZeile(const Neutralsatz& ns, bool genau);

// Index (0-based) of the first free row of a table, or -1 when the table is full.
int FreieStaffelzeile(const Neutralsatz& ns);
int FreieDimensionszeile(const Neutralsatz& ns);
int FreieLangtextzeile(const Neutralsatz& ns);
int FreieCZeile(const Neutralsatz& ns);
int FreieSetzeile(const Neutralsatz& ns);

}  // namespace korvelan
