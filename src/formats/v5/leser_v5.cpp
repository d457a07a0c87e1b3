#include "formats/v5/leser_v5.h"

#include <cstring>
#include <string>

#include "context/protokoll.h"
#include "formats/zeilenfolge.h"
#include "record/feldholen.h"
#include "record/festkomma.h"
#include "record/text.h"

// Version-5 lines are ";"-separated, field 1 is the record letter. Every reader call reads lines
// until a logical record is complete; a line that belongs to the next record stays in
// Eingabezeile with ZeileVorgelesen = -1 and is processed first by the next call.
//
// The end of the input: the end of the file, or the version-5 end record E;<line count>;<text>;
// (letter E, second field a number), after which nothing more is read. The file's last line is
// processed like every other one; empty lines and lines that begin with the DOS end-of-file byte
// 0x1A carry no record and are skipped.

namespace korvelan::v5 {

namespace {

constexpr char DateiendeByte = '\x1A';
const std::string SchluesselKunde = "KundennummerSatz";
const std::string SchluesselWarengruppe = "Waren-Gr. Satz";
const std::string SchluesselRabattgruppe = "Rabatt-Gr. Satz";
const std::string SchluesselNummernsatz = "XXXXXXXXXXXXXXX";

// What the record being assembled in this call holds. The record key alone cannot tell an
// article from a long text (the text key "1" + "100" is also a possible article number), so the
// grouping rules also look at this.
enum class Inhalt { Nichts, Artikel, Langtext, Einzelsatz, Set, Preise };

// What a line handler did with the line.
enum class Schritt {
  Weiter,     // added to the record (or skipped); read on
  SatzEnde,   // belongs to the next record: the record ends before it
  Fertig,     // the record is complete with this line; return 0 at once, nothing pending
};

// Takes the fields of one line, read as if its fill followed it, one after the other.
class Felder {
 public:
  Felder(const GefuellteZeile& zeile, int cursor, std::int16_t& feldStatus)
      : zeile_(zeile), cursor_(cursor), status_(feldStatus) {}

  KORVELAN_SCHNELLWEG std::string_view Text(int breite) { return FeldHolenAnsicht(zeile_, cursor_, breite, status_); }
  // Text, or "@" when the field was empty.
  std::string_view MitMarke(int breite) {
    std::string_view t = Text(breite);
    return status_ == 9 ? std::string_view(KeineAngabe) : t;
  }
  // Article, text and SET numbers: trimmed, in capitals.
  // Formed here rather than by the constructor, which is not expanded in place (every line has one).
  KORVELAN_SCHNELLWEG Schluesseltext Nummer(int breite) {
    Schluesseltext nummer;
    nummer.Anfuegen(TrimmenAnsicht(Text(breite)));
    return nummer;
  }
  KORVELAN_SCHNELLWEG Festkomma Zahl(int breite) { return FeldHolenZahl(zeile_, cursor_, breite, status_); }
  // A small code; a value beyond 16 bits raises error 6, which the run reports.
  std::int16_t Kurzzahl(int breite) { return AlsKurzzahl(Zahl(breite)); }
  KORVELAN_SCHNELLWEG void Ueberspringen() { FeldUeberspringen(zeile_, cursor_, 1, status_); }
  int Cursor() const { return cursor_; }

 private:
  GefuellteZeile zeile_;
  int cursor_;
  std::int16_t& status_;
};

// The input line with its fill, without copying: Eingabezeile stays unchanged while its fields
// are taken.
GefuellteZeile Gefuellt(const Lesezustand& lz, Fuellart fuellung) { return {lz.Eingabezeile, fuellung}; }

// A line with a processing flag as field 2: the fields after it. Field 2 is passed over as a
// field, so an empty or longer flag does not shift the article number.
inline KORVELAN_SCHNELLWEG Felder NachKennzeichen(Lesezustand& lz, Fuellart fuellung) {
  Felder f(Gefuellt(lz, fuellung), 3, lz.FeldStatus);
  f.Ueberspringen();
  return f;
}

// The processing flag: the third character of the line, in capitals.
char Kennzeichen(std::string_view zeile) {
  if (zeile.size() < 3) return ' ';
  char c = zeile[2];
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IstEndesatz(char satzart, const Lesezustand& lz) {
  if (satzart != 'E') return false;
  std::int16_t status = 0;
  int cursor = 3;
  return IstNumerisch(Trimmen(FeldHolenAnsicht(Gefuellt(lz, MitSemikolon), cursor, 32767, status)));
}

// The common loop of the three readers: reads (or takes the pending line), skips lines without
// a record, stops at the end of the input and hands every other line to the reader's handler.
template <typename Behandler>
std::int16_t Lesen(Kontext& k, Behandler behandeln) {
  Lesezustand& lz = k.lz;
  for (;;) {
    if (!NaechsteZeile(k)) return -1;
    const std::string_view zeile = lz.Eingabezeile;
    if (zeile.empty() || zeile[0] == DateiendeByte) continue;
    const char satzart = zeile[0] >= 'a' && zeile[0] <= 'z' ? static_cast<char>(zeile[0] - 'a' + 'A') : zeile[0];
    if (IstEndesatz(satzart, lz)) {
      // The end record stays pending, so that a further call ends at once as well.
      lz.ZeileVorgelesen = -1;
      return -1;
    }
    switch (behandeln(satzart)) {
      case Schritt::Weiter:
        break;
      case Schritt::SatzEnde:
        SatzBeenden(lz);
        return 0;
      case Schritt::Fertig:
        return 0;
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Article lines

// The first line of an article (A, D or Z) sets its number and processing flag. Version-5 A
// lines carry no delete or renumber flag (those come as B lines).
// Returns false when the article already had its number.
bool ArtikelStarten(Neutralsatz& ns, char kennzeichen, std::string_view nummer, bool loeschenErlaubt) {
  if (!ns.ArtikelNr.empty()) return false;
  VerarbeitungskzBeginnen(ns, kennzeichen, loeschenErlaubt);
  FeldZuweisen(ns.ArtikelNr, nummer);
  return true;
}

// How an A field is stored.
enum class Art { Text, Preiseinheit, Preis, Verpackungsmenge, Textkz, Kostenart };

struct AFeld {
  int breite;
  std::string Neutralsatz::*ziel;
  Art art;
};

// Fields 4 to 28 of the A line.
const AFeld AFelder[] = {
    {40, &Neutralsatz::Kurztext1, Art::Text},
    {40, &Neutralsatz::Kurztext2, Art::Text},
    {4, &Neutralsatz::Mengeneinheit, Art::Text},
    {1, &Neutralsatz::Preiskz, Art::Text},
    {6, &Neutralsatz::Preiseinheit, Art::Preiseinheit},
    {10, &Neutralsatz::Preis, Art::Preis},
    {4, &Neutralsatz::Rabattgruppe, Art::Text},
    {3, &Neutralsatz::Warenhauptgruppe, Art::Text},
    {10, &Neutralsatz::Warengruppe, Art::Text},
    {15, &Neutralsatz::Matchcode, Art::Text},
    {13, &Neutralsatz::A5Feld14, Art::Text},
    {15, &Neutralsatz::AlternativArtikelNr, Art::Text},
    {13, &Neutralsatz::A5Feld16, Art::Text},
    {35, &Neutralsatz::A5Feld17, Art::Text},
    {35, &Neutralsatz::A5Feld18, Art::Text},
    {18, &Neutralsatz::EanNr, Art::Text},
    {15, &Neutralsatz::Anbindungsnummer, Art::Text},
    {5, &Neutralsatz::Verpackungsmenge, Art::Verpackungsmenge},
    {15, &Neutralsatz::Katalogseite, Art::Text},
    {2, &Neutralsatz::Textkz, Art::Textkz},
    {15, &Neutralsatz::Langtextschluessel, Art::Text},
    {2, &Neutralsatz::Kostenart, Art::Kostenart},
    {1, &Neutralsatz::A5Feld26, Art::Text},
    {13, &Neutralsatz::ReferenzKuerzel, Art::Text},
    {17, &Neutralsatz::ReferenzNr, Art::Text},
};

// A numeric A field, normalised; the numbers are written straight into the field (copied from
// it when it holds plain digits).
void NormiertZuweisen(std::string& ziel, std::string_view feld, Art art) {
  // A numeric field without a number (empty or blank) holds no value.
  if (IstLeer(feld)) {
    FeldUeberschreiben(ziel, KeineAngabe);
    return;
  }
  switch (art) {
    case Art::Preiseinheit:
      GanzAusFeldZuweisen(ziel, feld, 1);
      return;
    case Art::Preis:
      GanzAusFeldZuweisen(ziel, feld, 10);
      return;
    case Art::Verpackungsmenge:
      OhneNullenAusFeldZuweisen(ziel, feld, "1");
      return;
    case Art::Textkz: {
      // Tenths: the number times ten, at least two places.
      std::string_view ziffern;
      if (ZiffernOhneNullen(feld, ziffern) && ziffern.size() < 14) {
        char puffer[16] = {'0', '0'};
        std::memcpy(puffer, ziffern.data(), ziffern.size());
        puffer[ziffern.size()] = '0';
        FeldUeberschreiben(ziel, std::string_view(puffer, ziffern.empty() ? 2 : ziffern.size() + 1));
      } else {
        GanzZuweisen(ziel, Runden(Mal(Val(feld), 10)), 2);
      }
      return;
    }
    case Art::Kostenart:
      OhneNullenAusFeldZuweisen(ziel, feld, "90");
      return;
    case Art::Text:
      break;
  }
  FeldUeberschreiben(ziel, feld);
}

void ALesen(Neutralsatz& ns, Felder& f) {
  for (const AFeld& a : AFelder) {
    const std::string_view t = f.MitMarke(a.breite);
    // Text fields are assigned from the line directly, reusing the field's memory.
    if (a.art == Art::Text || (t.size() == 1 && t[0] == '@'))
      FeldUeberschreiben(ns.*a.ziel, t);
    else
      NormiertZuweisen(ns.*a.ziel, t, a.art);
  }
  if (ns.Anbindungsnummer != KeineAngabe) ns.AnbindungKz = 0;
}

// One dimension row: sub-flag, text, long-text number. A row whose sub-flag is empty is kept
// with a blank sub-flag (the writer writes a blank for it); an empty marker would make the row
// count as free and lose its text.
void DimensionszeileLesen(Neutralsatz& ns, Felder& f) {
  const std::string_view unterkz = f.Text(1);
  const std::string_view text = f.Text(40);
  const std::string_view langtextNr = f.Text(15);
  int i = FreieDimensionszeile(ns);
  if (i < 0) return;
  Dimensionszeile& z = ns.Dimensionstabelle[i];
  FeldZuweisen(z.DimUnterkz, unterkz.empty() ? std::string_view(" ") : unterkz);
  FeldZuweisen(z.DimText, text);
  FeldZuweisen(z.DimLangtextNr, langtextNr);
}

void DLesen(Neutralsatz& ns, Felder& f) {
  f.Ueberspringen();  // line number of row 1
  DimensionszeileLesen(ns, f);
  if (Runden(f.Zahl(2)) != 0) DimensionszeileLesen(ns, f);
}

// Z line, fields from 6 on, by processing mark. A mark-1 line carries text 1, text 2, kind,
// sign, flag, price unit, price and a second end value, in the order the version-5 writer and
// real files use; mark 3 carries its quantity base (100, 1000) in a six-digit field.
void ZLesen(Neutralsatz& ns, Felder& f) {
  f.Ueberspringen();  // line number
  const std::string_view marke = f.Text(1);
  const int i = FreieStaffelzeile(ns);
  if (i < 0) return;
  // Written into the free row, which is empty: every field a mark leaves alone stays as the
  // reset left it. The kind is set first, so that a number that raises an error still leaves
  // a used row, which the next reset empties.
  Staffelzeile& z = ns.Staffeltabelle[static_cast<std::size_t>(i)];
  if (marke == "1") {
    z.StaffelArt = 1;
    FeldZuweisen(z.StaffelBasistext1, f.Text(40));
    FeldZuweisen(z.StaffelBasistext2, f.Text(40));
    z.StaffelZuAbArt = f.Kurzzahl(1);
    FeldZuweisen(z.StaffelVorzeichen, f.Text(1));
    z.StaffelMerker = f.Kurzzahl(1);
    z.StaffelEndeA = Runden(f.Zahl(6));
    z.StaffelPreis = Teilen(f.Zahl(10), 100);
    z.StaffelEndeB = Runden(f.Zahl(10));
    // Real files go on with the quantity range of the scale: a base marker and the quantities
    // from and to, whole numbers as written.
    z.StaffelBasismerker = static_cast<std::int32_t>(Runden(f.Zahl(6)));
    z.VonBasis = f.Zahl(10);
    z.BisBasis = f.Zahl(10);
  } else if (marke == "2") {
    z.StaffelArt = 2;
    FeldZuweisen(z.RohVBMerker, f.Text(2));
    z.RohVBZuAbArt = f.Kurzzahl(1);
    FeldZuweisen(z.RohVBVorzeichen, f.Text(1));
    z.RohVBKz = f.Kurzzahl(1);
    z.RohVBEnde = Runden(f.Zahl(6));
    z.RohVBPreis = Teilen(f.Zahl(10), 100);
    z.VonBasis = Teilen(f.Zahl(8), 100);
    z.BisBasis = Teilen(f.Zahl(8), 100);
    z.RohVBFaktor = Teilen(f.Zahl(6), 1000);
    z.RohVBWert5 = Teilen(f.Zahl(8), 100);
    z.RohVBWert6 = Teilen(f.Zahl(6), 1000);
  } else if (marke == "3") {
    z.StaffelArt = 3;
    FeldZuweisen(z.RohstoffMerker, f.Text(2));
    z.RohstoffKz = f.Kurzzahl(1);
    z.RohstoffMengenbasis = Runden(f.Zahl(6));
    z.RohstoffBasis = Teilen(f.Zahl(8), 100);
    z.RohstoffFaktor = Teilen(f.Zahl(6), 1000);
    z.RohstoffGewicht = Teilen(f.Zahl(8), 100);
    z.RohstoffWert4 = Teilen(f.Zahl(6), 1000);
  }
  // Other marks add nothing.
}

// True when the field, without its blanks, is a number: an optional sign, digits, and at most
// one decimal point or comma among them.
bool IstZahlfeld(std::string_view feld) {
  feld = TrimmenAnsicht(feld);
  if (!feld.empty() && (feld[0] == '-' || feld[0] == '+')) feld.remove_prefix(1);
  bool ziffer = false, punkt = false;
  for (char c : feld) {
    if (c >= '0' && c <= '9') {
      ziffer = true;
    } else if ((c == '.' || c == ',') && !punkt) {
      punkt = true;
    } else {
      return false;
    }
  }
  return ziffer;
}

void WerkstoffWerteLesen(Neutralsatz& ns, Felder& f) {
  ns.WerkstoffWert1 = Teilen(f.Zahl(8), 1000);
  ns.WerkstoffWert2 = Teilen(f.Zahl(8), 1000);
  ns.WerkstoffWert3 = Teilen(f.Zahl(10), 1000);
  ns.WerkstoffWert4 = Teilen(f.Zahl(10), 1000);
  ns.WerkstoffKz = f.Kurzzahl(1);
}

// The four values and the flag, then the text. Earlier outputs of this program wrote the text
// before the values (C;N;WST1;4711;Kupfer;1500;2500;350000;0;1;0;), which read in this order
// would shift every value by one field. Such a line is told by its field 5: in this order a
// value, there the text. A field 5 that holds something and is not a number can only be that
// text, and the line is read in the earlier order. An empty or numeric text of such a line
// cannot be told from a value and is read in this order.
void WerkstoffLesen(Neutralsatz& ns, Felder& f) {
  Felder vorschau = f;
  const std::string_view feld5 = vorschau.Text(10);
  if (!IstLeer(feld5) && !IstZahlfeld(feld5)) {
    ns.WerkstoffText = Rechtstrimmen(f.Text(10));
    WerkstoffWerteLesen(ns, f);
    return;
  }
  WerkstoffWerteLesen(ns, f);
  ns.WerkstoffText = Rechtstrimmen(f.Text(10));
}

// The value is in tenths, or in thousandths when the second code is 3 (as the writer scales it).
void ArbeitLesen(Neutralsatz& ns, Felder& f) {
  ns.ArbeitKz1 = f.Kurzzahl(1);
  ns.ArbeitKz2 = f.Kurzzahl(1);
  ns.ArbeitWert = Teilen(f.Zahl(6), ns.ArbeitKz2 == 3 ? 1000 : 10);
}

// K line. The customer number is a key (trimmed, in capitals); names and other texts are kept as
// the line gives them, without trailing blanks, whichever reader takes the line.
void KLesen(Neutralsatz& ns, Lesezustand& lz) {
  Felder f(Gefuellt(lz, MitSemikolon), 3, lz.FeldStatus);
  auto text = [&](int breite) { return Rechtstrimmen(f.Text(breite)); };
  FeldZuweisen(ns.Kundennummer, f.Nummer(10));
  ns.KName1 = text(30);
  ns.KName2 = text(30);
  ns.KName3 = text(30);
  ns.KName4 = text(30);
  ns.KKz = text(1);
  ns.KFeld9 = text(9);
  ns.KFeld30 = text(30);
  lz.SatzSchluessel = SchluesselKunde;
}

void SLesen(Neutralsatz& ns, Lesezustand& lz) {
  Felder f(Gefuellt(lz, MitSemikolon), 3, lz.FeldStatus);
  FeldZuweisen(ns.Hauptwarengruppe, f.Nummer(3));
  FeldZuweisen(ns.WgNummer, f.Nummer(10));
  ns.WgBezeichnung = Rechtstrimmen(f.Text(40));
  lz.SatzSchluessel = SchluesselWarengruppe;
}

void RLesen(Neutralsatz& ns, Lesezustand& lz) {
  Felder f(Gefuellt(lz, MitSemikolon), 3, lz.FeldStatus);
  FeldZuweisen(ns.RgNummer, f.Nummer(4));
  ns.RabattKz = f.Kurzzahl(1);
  ns.Rabatt = Teilen(f.Zahl(4), ns.RabattKz == 1 ? 100 : 1000);
  ns.RgBezeichnung = Rechtstrimmen(f.Text(40));
  lz.SatzSchluessel = SchluesselRabattgruppe;
}

}  // namespace

std::int16_t Artikelleser(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Lesezustand& lz = k.lz;
  NeutralsatzLeerenAusserArtikeltexten(ns);
  bool aZeile = false;
  lz.SatzSchluessel.clear();
  Inhalt inhalt = Inhalt::Nichts;

  // Lines of an article (A, D, Z, C) join the record while it is an article with the same
  // number (or no number yet).
  auto gehoertZumArtikel = [&](std::string_view nummer) {
    return inhalt == Inhalt::Nichts ||
           (inhalt == Inhalt::Artikel && (TexteGleich(nummer, lz.SatzSchluessel) || IstLeer(lz.SatzSchluessel)));
  };

  const std::int16_t ergebnis = Lesen(k, [&](char satzart) -> Schritt {
    const std::string_view zeile = lz.Eingabezeile;
    switch (satzart) {
      case 'A':
      case 'D':
      case 'Z': {
        const Fuellart fuellung = satzart == 'A' ? MitSemikolon : MitBlank;
        const Lesezustand::Schluesselfund* fund = SchluesselVorgefunden(lz, satzart);
        Felder f = fund ? Felder(Gefuellt(lz, fuellung), fund->cursor, lz.FeldStatus) : NachKennzeichen(lz, fuellung);
        const Schluesseltext nummer = fund ? fund->schluessel : f.Nummer(15);
        if (!gehoertZumArtikel(nummer)) {
          SchluesselVormerken(lz, satzart, nummer, f.Cursor());
          return Schritt::SatzEnde;
        }
        // The record is keyed by the article number. Once an article line of this record has
        // set it, the key already is that number (a C line keeps it too): no copy per line.
        if (ArtikelStarten(ns, Kennzeichen(zeile), nummer, satzart != 'A') || inhalt != Inhalt::Artikel)
          FeldZuweisen(lz.SatzSchluessel, ns.ArtikelNr);
        inhalt = Inhalt::Artikel;
        if (satzart == 'A') {
          ALesen(ns, f);
          aZeile = true;
        }
        else if (satzart == 'D')
          DLesen(ns, f);
        else
          ZLesen(ns, f);
        if (zeile[0] == 'A') lz.GezeigteZeile = zeile;
        return Schritt::Weiter;
      }
      case 'B': {
        // Delete or renumber: always a record of its own. Merged into an article of the same
        // number, its flag would make the writer drop that article's other lines.
        if (inhalt != Inhalt::Nichts) return Schritt::SatzEnde;
        Felder f = NachKennzeichen(lz, MitBlank);
        const Schluesseltext nummer = f.Nummer(15);
        const char kz = Kennzeichen(zeile);
        if (kz == 'L' || kz == 'A') {
          FeldZuweisen(ns.ArtikelNr, nummer);
          FeldZuweisen(ns.NeueArtikelNr, f.Nummer(15));
          FeldZuweisen(ns.NummerAltZusatz, f.Text(8));
          ns.NummerAltKz = kz == 'L' ? "L" : "A";
          ns.Verarbeitungskz = kz == 'L' ? "L" : "X";
        }
        lz.GezeigterSchluessel = SchluesselNummernsatz;
        lz.ZeileVorgelesen = 0;
        lz.SatzSchluessel.clear();
        return Schritt::Fertig;
      }
      case 'T':
      case 'E': {
        Felder f = NachKennzeichen(lz, MitBlank);
        const Schluesseltext nummer = f.Nummer(15);
        const std::string_view textart = f.Text(1);
        // The kind is one character: a key of it and the number needs no second trim.
        const Schluesseltext schluessel = textart.size() == 1 && textart[0] != ' '
                                              ? Schluesseltext(textart[0], nummer)
                                              : Schluesseltext(nummer);
        if (inhalt != Inhalt::Nichts && !(inhalt == Inhalt::Langtext && TexteGleich(schluessel, lz.SatzSchluessel)))
          return Schritt::SatzEnde;
        if (ns.LangtextNr.empty()) {
          VerarbeitungskzBeginnen(ns, Kennzeichen(zeile));
          // A blank text number is held as one blank, so that the record counts as a long text
          // begun (an empty number is none).
          FeldZuweisen(ns.LangtextNr, nummer.empty() ? std::string_view(" ") : std::string_view(nummer));
        }
        // A text without a kind would be dropped by the writers (kind 0 means no text): such
        // lines keep the kind of their letter, 1 for T and 2 for E.
        // A digit is its value without reading it as a number.
        const bool ziffer = textart.size() == 1 && textart[0] >= '0' && textart[0] <= '9';
        std::int16_t art = ziffer ? static_cast<std::int16_t>(textart[0] - '0') : AlsKurzzahl(Val(textart));
        ns.LangtextArt = art != 0 ? art : (satzart == 'T' ? 1 : 2);
        f.Ueberspringen();  // line number
        const std::string_view text = f.Text(70);
        int i = FreieLangtextzeile(ns);
        if (i >= 0) {
          FeldZuweisen(ns.Langtexttabelle[i].LangtextMarke, "X");
          FeldZuweisen(ns.Langtexttabelle[i].LangtextZeile, text);
        }
        // A further line of the same text has the key already (tested above).
        if (inhalt != Inhalt::Langtext) FeldZuweisen(lz.SatzSchluessel, schluessel);
        inhalt = Inhalt::Langtext;
        return Schritt::Weiter;
      }
      case 'C': {
        Felder f(Gefuellt(lz, MitBlank), 1, lz.FeldStatus);
        f.Ueberspringen();
        const Schluesseltext kz(f.Text(1));
        const Schluesseltext art = f.Nummer(15);
        const Schluesseltext nummer = f.Nummer(15);
        if (!gehoertZumArtikel(nummer)) return Schritt::SatzEnde;
        if (!kz.empty()) FeldZuweisen(ns.Verarbeitungskz, kz);
        inhalt = Inhalt::Artikel;
        // A C line never sets the article number. Before the article's own lines its number
        // still keys the record, so that another article's lines cannot take these data over.
        FeldZuweisen(lz.SatzSchluessel, ns.ArtikelNr.empty() ? std::string_view(nummer) : std::string_view(ns.ArtikelNr));
        if (art.Ansicht() == "WST1") {
          WerkstoffLesen(ns, f);
        } else if (art.Ansicht() == "ARBA") {
          ArbeitLesen(ns, f);
        } else {
          // Kept as read, without the fill: the writer passes it on byte for byte, and a fill
          // kept here would add 128 blanks to the line on every pass.
          int i = FreieCZeile(ns);
          if (i >= 0) ns.CZeilen[i] = lz.Eingabezeile;
        }
        return Schritt::Weiter;
      }
      case 'K':
      case 'S':
      case 'R':
        if (inhalt != Inhalt::Nichts) return Schritt::SatzEnde;
        if (satzart == 'K')
          KLesen(ns, lz);
        else if (satzart == 'S')
          SLesen(ns, lz);
        else
          RLesen(ns, lz);
        inhalt = Inhalt::Einzelsatz;
        lz.GezeigteZeile = zeile;
        return Schritt::Weiter;
      default:
        return Schritt::Weiter;  // other letters (the header V among them) carry no article data
    }
  });
  if (!aZeile) ArtikeltexteLeeren(ns, AlleArtikelteile);
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Artikel);
  return ergebnis;
}

std::int16_t SetLeser(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Lesezustand& lz = k.lz;
  SetTabelleLeeren(ns);
  lz.SatzSchluessel.clear();
  Inhalt inhalt = Inhalt::Nichts;

  const std::int16_t ergebnis = Lesen(k, [&](char satzart) -> Schritt {
    const std::string_view zeile = lz.Eingabezeile;
    if (satzart == 'K') {
      if (inhalt != Inhalt::Nichts) return Schritt::SatzEnde;
      KLesen(ns, lz);
      inhalt = Inhalt::Einzelsatz;
      lz.GezeigteZeile = zeile;
      return Schritt::Weiter;
    }
    if (satzart != 'J') return Schritt::Weiter;

    Felder f = NachKennzeichen(lz, MitSemikolonUndBlank);
    const Schluesseltext setNr = f.Nummer(15);
    if (inhalt != Inhalt::Nichts && !(inhalt == Inhalt::Set && setNr.Ansicht() == lz.SatzSchluessel))
      return Schritt::SatzEnde;
    inhalt = Inhalt::Set;
    FeldZuweisen(lz.SatzSchluessel, setNr);
    ns.Verarbeitungskz = std::string(1, Kennzeichen(zeile));

    Setzeile z;
    // A blank SET number is held as one blank: an empty marker would make the row count as free.
    FeldZuweisen(z.SetNr, setNr.empty() ? std::string_view(" ") : std::string_view(setNr));
    z.SetMerker = Gross(f.Text(1));
    f.Ueberspringen();  // SET line number
    // Only a SET of marker "L" carries short text and description; in the others the position
    // fields follow directly.
    if (z.SetMerker == "L") {
      FeldZuweisen(z.SetKurztext, f.Text(15));
      FeldZuweisen(z.SetBeschreibung, f.Text(40));
    }
    z.SetAufrufmerker = f.Kurzzahl(1);
    z.SetArtikelNr = Gross(f.Text(15));
    z.SetMenge = Teilen(f.Zahl(7), 1000);
    int i = FreieSetzeile(ns);
    if (i >= 0) ns.SetTabelle[i] = z;
    return Schritt::Weiter;
  });
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Set);
  return ergebnis;
}

namespace {

// One P line into a row of the price table; returns the line's date field (YYYYMMDD, blank when
// the line has none). Version 5 carries the discount group in a field of its own: a discount 1 of
// flag 0 or without flag is no group, whatever its value.
std::string_view PLesen(Lesezustand& lz, Preiszeile& p) {
  Felder f(Gefuellt(lz, MitBlank), 3, lz.FeldStatus);
  FeldZuweisen(p.PArtikelNr, f.Nummer(15));
  p.PPreiskz = f.Kurzzahl(1);
  p.PPreiseinheit = f.Kurzzahl(1);
  p.PPreis = Teilen(f.Zahl(10), 100);
  const std::string_view gruppe = f.Text(4);
  const bool mitGruppe = !IstLeer(gruppe);
  if (mitGruppe) {
    FeldZuweisen(p.PRabattgruppe, gruppe);
    p.PZuAbKz1 = 0;
    p.PZuAbWert1 = 0;
  }
  for (int j = 1; j <= 3; ++j) {
    const std::string_view kennung = TrimmenAnsicht(f.Text(1));
    const std::string_view wert = TrimmenAnsicht(f.Text(4));
    // A discount group of its own field stands in discount 1 as flag 0 where that pair is blank:
    // marked "not given", the versions that carry the group in discount 1 would drop it.
    if (kennung.empty() && !(j == 1 && mitGruppe)) p.ZuAbMarke(j) = KeineAngabe;
    // Every kind but 0 is carried with its value: 2 (multiplier) in thousandths, the others
    // (1 discount rate, 3 surcharge, and kinds this program does not know) in hundredths, as the
    // writers scale them back.
    const std::int64_t art = Runden(Val(kennung));
    if (art != 0) {
      p.ZuAbKz(j) = static_cast<std::int16_t>(art);
      p.ZuAbWert(j) = Teilen(Val(wert), art == 2 ? 1000 : 100);
    }
  }
  return f.Text(8);
}

}  // namespace

std::int16_t Preisleser(Kontext& k) {
  Neutralsatz& ns = k.ns;
  Lesezustand& lz = k.lz;
  PreistabelleLeeren(ns);
  lz.SatzSchluessel.clear();
  Inhalt inhalt = Inhalt::Nichts;
  int zeilen = 0;

  const std::int16_t ergebnis = Lesen(k, [&](char satzart) -> Schritt {
    const std::string_view zeile = lz.Eingabezeile;
    switch (satzart) {
      case 'V':
      case 'E':
        return Schritt::Weiter;
      case 'K':
        // Also after one or two price rows: merged into them, the writers would write only
        // the K line and lose the rows.
        if (inhalt != Inhalt::Nichts) return Schritt::SatzEnde;
        KLesen(ns, lz);
        inhalt = Inhalt::Einzelsatz;
        lz.GezeigteZeile = zeile;
        return Schritt::Weiter;
      case 'P': {
        if (inhalt == Inhalt::Einzelsatz) return Schritt::SatzEnde;
        Preiszeile& p = ns.Preistabelle[zeilen];
        const std::string_view datum = PLesen(lz, p);
        // The date of a price change holds from its line on, for the lines after it as well
        // (a line without a date keeps the one before), as a version-4 TERMIN-1 line does. The
        // record holds one date: a line with another date ends it, and the next call takes the
        // line again, so that the rows before keep the date they were read with.
        if (!IstLeer(datum) && datum != RechtstrimmenAnsicht(ns.Termin1)) {
          if (zeilen > 0) {
            p = Preiszeile{};
            return Schritt::SatzEnde;
          }
          ns.Termin1 = Auffuellen(datum, 8);
        }
        inhalt = Inhalt::Preise;
        ns.Verarbeitungskz = "A";
        if (++zeilen < Preiszeilen) return Schritt::Weiter;
        // Three rows make a record.
        lz.SatzSchluessel = ns.Preistabelle[0].PArtikelNr;
        lz.GezeigterSchluessel = lz.SatzSchluessel;
        return Schritt::Fertig;
      }
      default:
        ProtokollEintrag(k,
                         "in DATPREIS-Datei darf keine Satzart " + std::string(1, satzart) + Ansi(" geführt werden"));
        lz.GezeigteZeile = zeile;
        return Schritt::Weiter;
    }
  });
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Preis);
  return ergebnis;
}

}  // namespace korvelan::v5
