#include "formats/v3/leser_v3.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "formats/v3/kopfsatz_v3.h"
#include "formats/zeilenfolge.h"
#include "record/feldholen.h"
#include "record/festkomma.h"
#include "record/neutralsatz.h"
#include "record/text.h"

// Version 3 records are fixed blocks of 130 bytes: a 128-character record and CR LF. Fields are
// cut out by position. A field whose first character is NUL was written as filler: it is present
// but empty ("@"). The bytes of the file are kept as read (8-bit OEM characters included); the
// record checks and the writers convert them.

namespace korvelan::v3 {

namespace {

constexpr char Dateiendezeichen = '\x1A';
const std::string SchluesselGeloescht = "XXXXXXXXXXXXXXX";
const std::string SchluesselKunde = "KundennummerSatz";
const std::string SchluesselWarengruppe = "Waren-Gr. Satz";
const std::string SchluesselRabattgruppe = "Rabatt-Gr. Satz";

// ---- Fields by position -------------------------------------------------------------------

std::string_view Roh(const Lesezustand& lz, std::size_t von, std::size_t laenge) {
  return Mitte(lz.Eingabezeile, von, laenge);
}

// NUL is filler; inside or at the end of a field that holds a value it counts as a blank, so
// that filler never ends up inside a stored text.
bool IstBlankOderNul(char c) { return c == ' ' || c == '\0'; }

// Fields are padded to their full width, so their ends are tested eight characters at a time:
// a byte is a blank or NUL exactly when no bit other than 0x20 is set.
std::size_t LaengeOhneBlanksUndNul(std::string_view r) {
  std::size_t e = r.size();
  while (e >= 8) {
    std::uint64_t w;
    std::memcpy(&w, r.data() + e - 8, 8);
    if ((w & ~0x2020202020202020ull) != 0) break;
    e -= 8;
  }
  while (e > 0 && IstBlankOderNul(r[e - 1])) --e;
  return e;
}

// True when the text holds a NUL; eight characters at a time (a word holds a zero byte exactly
// when this expression is not zero).
bool EnthaeltNul(std::string_view r) {
  std::size_t i = 0;
  for (; i + 8 <= r.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, r.data() + i, 8);
    if (((w - 0x0101010101010101ull) & ~w & 0x8080808080808080ull) != 0) return true;
  }
  for (; i < r.size(); ++i)
    if (r[i] == '\0') return true;
  return false;
}

// Text field into a text: trailing blanks (and filler) removed, filler inside as blanks. Written
// into the target directly, as the fields are taken once per record.
void TextZuweisen(std::string& ziel, std::string_view r) {
  r = r.substr(0, LaengeOhneBlanksUndNul(r));
  FeldZuweisen(ziel, r);
  if (EnthaeltNul(r)) {
    for (char& c : ziel)
      if (c == '\0') c = ' ';
  }
}

void TextZuweisen(std::string& ziel, const Lesezustand& lz, std::size_t von, std::size_t laenge) {
  TextZuweisen(ziel, Roh(lz, von, laenge));
}

// Text field that is "@" when its first character is NUL.
void TextOderKeineAngabeZuweisen(std::string& ziel, const Lesezustand& lz, std::size_t von, std::size_t laenge) {
  std::string_view r = Roh(lz, von, laenge);
  if (!r.empty() && r.front() == '\0')
    FeldZuweisen(ziel, KeineAngabe);
  else
    TextZuweisen(ziel, r);
}

// Key field: trimmed on both sides, in capitals.
Schluesseltext Schluessel(const Lesezustand& lz, std::size_t von, std::size_t laenge) {
  std::string_view r = Roh(lz, von, laenge);
  std::size_t a = 0, e = r.size();
  while (a < e && IstBlankOderNul(r[a])) ++a;
  while (e > a && IstBlankOderNul(r[e - 1])) --e;
  // Filler inside the key becomes a blank; keys are at most 15 characters.
  char puffer[Schluesseltext::Kapazitaet];
  const std::size_t n = std::min(e - a, sizeof puffer);
  for (std::size_t i = 0; i < n; ++i) puffer[i] = r[a + i] == '\0' ? ' ' : r[a + i];
  Schluesseltext s;
  s.Anfuegen(std::string_view(puffer, n));
  return s;
}

// Val reads filler like blanks: both end a number, and leading ones are passed over.
Festkomma Zahl(const Lesezustand& lz, std::size_t von, std::size_t laenge) {
  std::string_view r = Roh(lz, von, laenge);
  std::size_t a = 0;
  while (a < r.size() && IstBlankOderNul(r[a])) ++a;
  return Val(r.substr(a));
}

bool IstNul(const Lesezustand& lz, std::size_t pos) {
  std::string_view r = Roh(lz, pos, 1);
  return !r.empty() && r.front() == '\0';
}

// Record letter or processing flag: one character in capitals (NUL reads as a blank); '\0' when
// the record is too short to hold it.
char Kennung(const Lesezustand& lz, std::size_t pos) {
  std::string_view r = Roh(lz, pos, 1);
  if (r.empty()) return '\0';
  return r[0] == '\0' ? ' ' : GrossZeichen(r[0]);
}

// A flag from Kennung into a text (empty when there was none).
void KennungZuweisen(std::string& ziel, char kennung) {
  if (kennung == '\0')
    ziel.clear();
  else
    FeldZuweisen(ziel, std::string_view(&kennung, 1));
}

// ---- The common loop ------------------------------------------------------------------------

// Reads the next block into Eingabezeile. A block shorter than 130 bytes, or one that begins with
// the end-of-file byte 0x1A, is the end marker: Eingabezeile is emptied and false returned. A full
// last block is data like every other.
bool BlockLesen(Kontext& k) {
  auto& lz = k.lz;
  std::size_t n = k.kz.EingabeDateiNr.BlockLesen(lz.Eingabeblock, Blocklaenge);
  if (n < Blocklaenge || lz.Eingabeblock.front() == Dateiendezeichen) {
    lz.Eingabezeile = {};
    return false;
  }
  lz.Eingabezeile = lz.Eingabeblock;
  // Every field lies within the 128 characters of the record: the block needs no fill.
  return true;
}

// Shows the record (without CR LF) in Tex_Bearbeitet, in the file's code like every text shown
// there (the window shows the filler as blanks).
void ZeileZeigen(Kontext& k) { k.lz.GezeigteZeile = Mitte(k.lz.Eingabezeile, 1, Satzlaenge); }

// Handler of one line: true when the logical record ends before this line.
template <typename Behandlung>
std::int16_t Leseschleife(Kontext& k, Behandlung behandle) {
  auto& lz = k.lz;
  lz.SatzSchluessel.clear();
  // A block held over from the previous call is processed even when nothing follows it.
  if (lz.ZeileVorgelesen == 0 && k.kz.EingabeDateiNr.AmEnde()) {
    lz.Eingabezeile = {};
    return -1;
  }
  for (;;) {
    if (lz.ZeileVorgelesen == 0 && !BlockLesen(k)) return -1;
    lz.ZeileVorgelesen = 0;
    if (behandle(Kennung(lz, 1))) {
      SatzBeenden(lz);
      return 0;
    }
  }
}

// Grouping of article lines: the line belongs to the record when its article number is the
// record's key or nothing is assembled yet. Nothing joins a delete or renumber record, whatever
// the number of the line after it.
bool GehoertZumSatz(const Neutralsatz& ns, const Lesezustand& lz, std::string_view artikelNr) {
  return ns.NummerAltKz.empty() && (artikelNr == lz.SatzSchluessel || IstLeer(lz.SatzSchluessel));
}

// The first line of an article sets the processing flag and the number.
void ArtikelBeginnen(Neutralsatz& ns, const Lesezustand& lz, std::string_view artikelNr) {
  VerarbeitungskzBeginnen(ns, Kennung(lz, 2));
  FeldZuweisen(ns.ArtikelNr, artikelNr);
}

// ---- Article records ------------------------------------------------------------------------

bool SatzA(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  const Schluesseltext nr = Schluessel(lz, 3, 15);
  if (!GehoertZumSatz(ns, lz, nr)) return true;
  const char kz = Kennung(lz, 2);
  if (kz == 'L' || kz == 'X') {
    // A delete or renumber line is a record of its own, also after lines of the same article:
    // joined to them, its new number would be read as a short text and the renumbering lost.
    if (!lz.SatzSchluessel.empty()) return true;
    FeldZuweisen(ns.ArtikelNr, nr);
    ns.NummerAltKz = kz == 'L' ? "L" : "A";
    FeldZuweisen(ns.NeueArtikelNr, kz == 'X' ? Schluessel(lz, 20, 15) : Schluesseltext());
    ns.NummerAltZusatz.clear();
    KennungZuweisen(ns.Verarbeitungskz, kz);
    // Nothing else belongs to a delete or renumber record: the next line ends it.
    lz.SatzSchluessel = SchluesselGeloescht;
    ZeileZeigen(k);
    return false;
  }
  if (ns.ArtikelNr.empty()) ArtikelBeginnen(ns, lz, nr);
  TextOderKeineAngabeZuweisen(ns.Textkz, lz, 18, 2);
  TextOderKeineAngabeZuweisen(ns.Kurztext1, lz, 20, 40);
  TextOderKeineAngabeZuweisen(ns.Kurztext2, lz, 60, 40);
  TextOderKeineAngabeZuweisen(ns.Preiskz, lz, 100, 1);
  if (IstNul(lz, 101)) {
    FeldZuweisen(ns.Preiseinheit, KeineAngabe);
  } else {
    // Only the codes 0 to 3 name a price unit; any other character names none. A blank is code 0,
    // as a blank digit reads as 0 everywhere else in the record.
    static constexpr std::string_view Einheiten[] = {"0", "10", "100", "1000"};
    std::string_view code = Roh(lz, 101, 1);
    const char c = code.empty() ? '\0' : code[0] == ' ' ? '0' : code[0];
    FeldZuweisen(ns.Preiseinheit, (c >= '0' && c <= '3') ? Einheiten[c - '0'] : std::string_view());
  }
  TextOderKeineAngabeZuweisen(ns.Mengeneinheit, lz, 102, 4);
  if (IstNul(lz, 106))
    FeldZuweisen(ns.Preis, KeineAngabe);
  else
    GanzZuweisen(ns.Preis, Runden(Zahl(lz, 106, 8)), 10);
  TextOderKeineAngabeZuweisen(ns.Rabattgruppe, lz, 114, 4);
  TextOderKeineAngabeZuweisen(ns.Warenhauptgruppe, lz, 118, 3);
  TextOderKeineAngabeZuweisen(ns.Langtextschluessel, lz, 121, 8);
  FeldZuweisen(lz.SatzSchluessel, ns.ArtikelNr);
  ZeileZeigen(k);
  return false;
}

// Copper data of a B line: flag "1" gives the copper weight per 100 units, "2" per 1000 units.
void Kupferdaten(Neutralsatz& ns, const Lesezustand& lz) {
  std::string_view kz = Roh(lz, 54, 1);
  Festkomma gewicht = Zahl(lz, 58, 6);
  if (gewicht == 0 || (kz != "1" && kz != "2")) return;
  int zeile = FreieStaffelzeile(ns);
  if (zeile < 0) return;
  bool je100 = kz == "1";
  auto& z = ns.Staffeltabelle[static_cast<std::size_t>(zeile)];
  z.StaffelArt = 3;
  z.RohstoffMerker = "CU";
  z.RohstoffKz = 2;
  z.RohstoffMengenbasis = je100 ? 100 : 1000;
  z.RohstoffBasis = Zahl(lz, 55, 3);
  z.RohstoffFaktor = FestkommaEins / 100;
  z.RohstoffGewicht = Teilen(gewicht, 100);
  z.RohstoffWert4 = je100 ? FestkommaEins / 100 : FestkommaEins / 1000;
}

bool SatzB(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  const Schluesseltext nr = Schluessel(lz, 3, 15);
  if (!GehoertZumSatz(ns, lz, nr)) return true;
  if (ns.ArtikelNr.empty()) {
    ArtikelBeginnen(ns, lz, nr);
    FeldZuweisen(ns.Verpackungsmenge, "1");
    FeldZuweisen(ns.Kostenart, "90");
  }
  TextOderKeineAngabeZuweisen(ns.Matchcode, lz, 18, 15);
  TextOderKeineAngabeZuweisen(ns.AlternativArtikelNr, lz, 33, 15);
  TextOderKeineAngabeZuweisen(ns.Katalogseite, lz, 48, 6);
  TextOderKeineAngabeZuweisen(ns.EanNr, lz, 64, 13);
  Kupferdaten(ns, lz);
  FeldZuweisen(lz.SatzSchluessel, ns.ArtikelNr);
  return false;
}

// One dimension row from its line number position; stored only when the line number is not 0.
void DimensionszeileNehmen(Neutralsatz& ns, const Lesezustand& lz, std::size_t von) {
  if (Zahl(lz, von, 2) == 0) return;
  int zeile = FreieDimensionszeile(ns);
  if (zeile < 0) return;
  auto& z = ns.Dimensionstabelle[static_cast<std::size_t>(zeile)];
  FeldZuweisen(z.DimUnterkz, Roh(lz, von + 2, 1));
  TextZuweisen(z.DimLangtextNr, lz, von + 3, 8);
  TextZuweisen(z.DimText, lz, von + 11, 40);
}

bool SatzD(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  const Schluesseltext nr = Schluessel(lz, 3, 15);
  if (!GehoertZumSatz(ns, lz, nr)) return true;
  if (ns.ArtikelNr.empty()) ArtikelBeginnen(ns, lz, nr);
  DimensionszeileNehmen(ns, lz, 18);
  DimensionszeileNehmen(ns, lz, 69);
  FeldZuweisen(lz.SatzSchluessel, ns.ArtikelNr);
  return false;
}

void LangtextzeileNehmen(Neutralsatz& ns, const Lesezustand& lz, std::size_t zeilenNrVon, std::size_t textVon) {
  if (Zahl(lz, zeilenNrVon, 2) == 0) return;
  int zeile = FreieLangtextzeile(ns);
  if (zeile < 0) return;
  auto& z = ns.Langtexttabelle[static_cast<std::size_t>(zeile)];
  FeldZuweisen(z.LangtextMarke, "X");
  TextZuweisen(z.LangtextZeile, lz, textVon, 40);
}

// T (long text) and E (insert text): their key is the letter and the text number, so a long text
// never shares a record with an article.
bool SatzTE(Kontext& k, char satzart) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  const Schluesseltext textNr = Schluessel(lz, 3, 8);
  Schluesseltext schluessel;
  schluessel.Anfuegen(std::string_view(&satzart, 1));
  schluessel.Anfuegen(textNr);
  if (schluessel.Ansicht() != lz.SatzSchluessel && !IstLeer(lz.SatzSchluessel)) return true;
  if (ns.LangtextNr.empty()) {
    VerarbeitungskzBeginnen(ns, Kennung(lz, 2));
    FeldZuweisen(ns.LangtextNr, textNr);
  }
  ns.LangtextArt = satzart == 'T' ? 1 : 2;
  LangtextzeileNehmen(ns, lz, 18, 29);
  LangtextzeileNehmen(ns, lz, 69, 80);
  FeldZuweisen(lz.SatzSchluessel, schluessel);
  return false;
}

// ---- One-line records -----------------------------------------------------------------------

bool SatzK(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  if (!lz.SatzSchluessel.empty()) return true;
  TextZuweisen(ns.Kundennummer, lz, 3, 10);
  GrossInPlatz(ns.Kundennummer);
  TextZuweisen(ns.Preispflege, lz, 13, 1);
  lz.SatzSchluessel = SchluesselKunde;
  ZeileZeigen(k);
  return false;
}

bool SatzS(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  if (!lz.SatzSchluessel.empty()) return true;
  TextZuweisen(ns.Hauptwarengruppe, lz, 3, 3);
  // A group line carries its number at 46 and its description at 56, after the main group's
  // description; a main group alone has its description at 6.
  const Schluesseltext gruppe = Schluessel(lz, 46, 10);
  if (gruppe.empty()) {
    TextZuweisen(ns.WgBezeichnung, lz, 6, 40);
  } else {
    FeldZuweisen(ns.WgNummer, gruppe);
    TextZuweisen(ns.HwgBezeichnung, lz, 6, 40);
    TextZuweisen(ns.WgBezeichnung, lz, 56, 40);
  }
  lz.SatzSchluessel = SchluesselWarengruppe;
  ZeileZeigen(k);
  return false;
}

bool SatzR(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  if (!lz.SatzSchluessel.empty()) return true;
  TextZuweisen(ns.RgNummer, lz, 3, 4);
  GrossInPlatz(ns.RgNummer);
  ns.RabattKz = AlsKurzzahl(Zahl(lz, 7, 1));
  ns.Rabatt = Teilen(Zahl(lz, 8, 4), ns.RabattKz == 1 ? 100 : 1000);
  TextZuweisen(ns.RgBezeichnung, lz, 12, 40);
  lz.SatzSchluessel = SchluesselRabattgruppe;
  ZeileZeigen(k);
  return false;
}

// ---- SET records ----------------------------------------------------------------------------

bool SatzJ(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  // Eingabezeile shows the block, so it sees the change.
  for (char& c : lz.Eingabeblock)
    if (c == '\0') c = ' ';
  const Schluesseltext setNr = Schluessel(lz, 3, 15);
  if (!lz.SatzSchluessel.empty() && setNr.Ansicht() != lz.SatzSchluessel) return true;
  FeldZuweisen(lz.SatzSchluessel, setNr);
  KennungZuweisen(ns.Verarbeitungskz, Kennung(lz, 2));
  std::string setNrFeld;
  TextZuweisen(setNrFeld, lz, 3, 15);
  GrossInPlatz(setNrFeld);
  std::string kurztext;
  TextZuweisen(kurztext, lz, 18, 15);
  // Four positions of 22 characters; position 1 always counts, the others when their number is
  // not blank. A blank position does not end the line: the later ones are still taken.
  for (std::size_t p = 0; p < 4; ++p) {
    std::size_t von = 33 + 22 * p;
    if (p > 0 && IstLeer(Roh(lz, von, 15))) continue;
    int zeile = FreieSetzeile(ns);
    if (zeile < 0) break;
    auto& z = ns.SetTabelle[static_cast<std::size_t>(zeile)];
    z.SetNr = setNrFeld;
    z.SetKurztext = kurztext;
    z.SetMerker = k.lauf.SetVerwendung();
    z.SetAufrufmerker = 1;
    TextZuweisen(z.SetArtikelNr, lz, von, 15);
    GrossInPlatz(z.SetArtikelNr);
    z.SetBeschreibung.clear();
    z.SetMenge = Teilen(Zahl(lz, von + 15, 7), 1000);
  }
  return false;
}

// ---- Price records --------------------------------------------------------------------------

// Discount j (1..3) of a price row: flag character at von, four-character value after it.
void Zuschlag(const Lesezustand& lz, Preiszeile& z, int j, std::size_t von) {
  std::int16_t kz = AlsKurzzahl(Zahl(lz, von, 1));
  std::string wert(Roh(lz, von + 1, 4));
  for (char& c : wert)
    if (c == '\0') c = ' ';
  wert = Trimmen(wert);
  // A filler flag marks the pair as not given, unless discount 1 names a discount group.
  if (IstNul(lz, von) && !(j == 1 && !wert.empty())) z.ZuAbMarke(j) = KeineAngabe;
  if (kz != 0) {
    z.ZuAbKz(j) = kz;
    // Kind 2 is a multiplier in thousandths; kinds 1 and 3, and any other kind, are hundredths.
    z.ZuAbWert(j) = Teilen(Val(wert), kz == 2 ? 1000 : 100);
    if (j == 1) z.PRabattgruppe.clear();
  } else if (j == 1 && !wert.empty()) {
    // Flag 0, blank or filler with a value: a discount group takes the place of discount 1.
    z.PZuAbKz1 = 0;
    z.PRabattgruppe = wert;
    z.PZuAbWert1 = 0;
  }
}

bool SatzP(Kontext& k) {
  auto& ns = k.ns;
  auto& lz = k.lz;
  if (!lz.SatzSchluessel.empty()) return true;
  KennungZuweisen(ns.Verarbeitungskz, Kennung(lz, 2));
  // Up to three articles of 39 characters. An article with a blank number is left out and the
  // following ones move up, so that no used row stands behind a free one.
  std::size_t zeile = 0;
  for (std::size_t a = 0; a < 3; ++a) {
    std::size_t von = 3 + 39 * a;
    const Schluesseltext nr = Schluessel(lz, von, 15);
    if (nr.empty()) continue;
    auto& z = ns.Preistabelle[zeile++];
    FeldZuweisen(z.PArtikelNr, nr);
    z.PPreiskz = AlsKurzzahl(Zahl(lz, von + 15, 1));
    z.PPreis = Teilen(Zahl(lz, von + 16, 8), 100);
    Zuschlag(lz, z, 1, von + 24);
    Zuschlag(lz, z, 2, von + 29);
    Zuschlag(lz, z, 3, von + 34);
  }
  lz.SatzSchluessel = ns.Preistabelle[0].PArtikelNr;
  return false;
}

}  // namespace

std::int16_t Artikelleser(Kontext& k) {
  NeutralsatzLeeren(k.ns);
  const std::int16_t ergebnis = Leseschleife(k, [&](char satzart) {
    if (satzart == 'A') return SatzA(k);
    if (satzart == 'B') return SatzB(k);
    if (satzart == 'D') return SatzD(k);
    if (satzart == 'T' || satzart == 'E') return SatzTE(k, satzart);
    if (satzart == 'K') return SatzK(k);
    if (satzart == 'S') return SatzS(k);
    if (satzart == 'R') return SatzR(k);
    // Header, price lines in an article file and unknown letters are skipped.
    return false;
  });
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Artikel);
  return ergebnis;
}

std::int16_t SetLeser(Kontext& k) {
  SetTabelleLeeren(k.ns);
  const std::int16_t ergebnis = Leseschleife(k, [&](char satzart) {
    if (satzart == 'K') return SatzK(k);
    if (satzart == 'J') return SatzJ(k);
    return false;
  });
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Set);
  return ergebnis;
}

std::int16_t Preisleser(Kontext& k) {
  PreistabelleLeeren(k.ns);
  const std::int16_t ergebnis = Leseschleife(k, [&](char satzart) {
    if (satzart == 'K') return SatzK(k);
    if (satzart == 'P') return SatzP(k);
    return false;
  });
  k.ns.Art = SatzartBestimmen(k.ns, Satzart::Preis);
  return ergebnis;
}

}  // namespace korvelan::v3
