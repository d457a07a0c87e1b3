#pragma once
// Line emission shared by the writers of all versions.
#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "context/kontext.h"
#include "record/festkomma.h"
#include "record/laufzeitfehler.h"
#include "record/schnellweg.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

// The number patterns of the lines, taken apart at compile time (a pattern passed as a literal
// would be taken apart again on every call). The name spells the pattern: R and the count of
// "#", N and the count of "0"; R7N1 is "#######0".
namespace muster {
inline constexpr Zahlmuster N1("0");
inline constexpr Zahlmuster N2("00");
inline constexpr Zahlmuster N3("000");
inline constexpr Zahlmuster N4("0000");
inline constexpr Zahlmuster N6("000000");
inline constexpr Zahlmuster N7("0000000");
inline constexpr Zahlmuster N8("00000000");
inline constexpr Zahlmuster R1("#");
inline constexpr Zahlmuster R2("##");
inline constexpr Zahlmuster R4("####");
inline constexpr Zahlmuster R8("########");
inline constexpr Zahlmuster R1N1("#0");
inline constexpr Zahlmuster R3N1("###0");
inline constexpr Zahlmuster R4N1("####0");
inline constexpr Zahlmuster R5N1("#####0");
inline constexpr Zahlmuster R6N1("######0");
inline constexpr Zahlmuster R7N1("#######0");
inline constexpr Zahlmuster R9N1("#########0");
inline constexpr Zahlmuster R11N1("###########0");
}  // namespace muster

// Writes Ausgabezeile with CR LF, each byte as it is except CR and LF (blanks) and, outside
// version 3, the zero byte (a blank); Ausgabezeile itself stays as it is. Text the program adds to
// a line of its own (fixed texts, unit spellings of the settings) is in the file's code already.
// A counted line increases AusgabeSatzzahl. Raises a Laufzeitfehler when the write fails.
void ZeileAusgeben(Kontext& k, bool gezaehlt);
// Writes a line exactly as it is (kept C lines): no character conversion, not counted.
void ZeileUnveraendertAusgeben(Kontext& k, std::string_view zeile);

// Length of a line without its run of empty fields at the end, keeping exactly one closing ";":
// "S;12;;;" gives the length of "S;12;", "S;12;" keeps its length. A line that does not end
// with ";" has no empty trailing fields and keeps its length. Inline: it runs for most lines.
inline std::size_t OhneLeerfelderLaenge(std::string_view zeile) {
  // Only a line closed by ";" can end in empty fields; cutting any other line would drop its
  // last field.
  if (zeile.size() < 2 || zeile.back() != ';') return zeile.size();
  std::size_t i = zeile.size() - 1;  // index of the closing ";"
  while (i > 0 && zeile[i - 1] == ';') --i;
  // i is the index of the ";" that follows the last character that is not ";" (or 0).
  return i + 1;
}
// Cuts those empty fields off the line.
inline void LeerfelderKuerzen(std::string& zeile) { zeile.resize(OhneLeerfelderLaenge(zeile)); }
inline void LeerfelderKuerzen(Zeilenpuffer& zeile) { zeile.resize(OhneLeerfelderLaenge(zeile)); }

// True when a word holds the byte ";" (rarely a false alarm: callers then look byte by byte).
inline bool HatSemikolon(std::uint64_t w) {
  constexpr std::uint64_t Einsen = 0x0101010101010101ULL;
  constexpr std::uint64_t Hoch = 0x8080808080808080ULL;
  const std::uint64_t x = w ^ (Einsen * ';');  // a zero byte where the word holds ";"
  return ((x - Einsen) & ~x & Hoch) != 0;
}

// Copies n bytes like BytesKopieren and tells whether they may hold a ";": the words are tested
// while they pass, so a field is read once.
inline bool FeldtextKopieren(char* ziel, const char* quelle, std::size_t n) {
  std::uint64_t w;
  if (n >= 8) {
    bool treffer = false;
    std::size_t i = 0;
    for (; i + 8 < n; i += 8) {
      std::memcpy(&w, quelle + i, 8);
      std::memcpy(ziel + i, &w, 8);
      treffer |= HatSemikolon(w);
    }
    std::memcpy(&w, quelle + n - 8, 8);
    std::memcpy(ziel + n - 8, &w, 8);
    return treffer | HatSemikolon(w);
  }
  if (n >= 4) {
    std::uint32_t a, b;
    std::memcpy(&a, quelle, 4);
    std::memcpy(&b, quelle + n - 4, 4);
    std::memcpy(ziel, &a, 4);
    std::memcpy(ziel + n - 4, &b, 4);
    return HatSemikolon(a | (static_cast<std::uint64_t>(b) << 32));
  }
  if (n == 0) return false;
  ziel[0] = quelle[0];
  ziel[n / 2] = quelle[n / 2];
  ziel[n - 1] = quelle[n - 1];
  return (quelle[0] == ';') | (quelle[n / 2] == ';') | (quelle[n - 1] == ';');
}

// Writes each ";" of the n bytes at p as ",". A ";" inside a field's text (possible in texts read
// from version 3) would split the field and shift every later one.
inline void SemikolonsErsetzen(char* p, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] == ';') p[i] = ',';
}

// Writes a field's text at p, a ";" in it as ",".
inline void FeldtextSchreiben(char* p, std::string_view text) {
  if (FeldtextKopieren(p, text.data(), text.size())) SemikolonsErsetzen(p, text.size());
}

// Appends a field's text to a ";"-separated line.
inline void FeldtextAnfuegen(Zeilenpuffer& zeile, std::string_view text) {
  FeldtextSchreiben(zeile.Platz(text.size()), text);
  zeile.Vorruecken(text.size());
}

// FeldAnfuegen for a line without room for the field: grows the line first (out of line: rare).
void FeldAnfuegenNachWachsen(Zeilenpuffer& zeile, std::string_view text);
// FeldAnfuegen for a text of sixteen bytes or more, with room for it: copied by blocks of sixteen.
void LangesFeldAnfuegen(Zeilenpuffer& zeile, std::string_view text);

// The same with the ";" that closes the field. Nearly every field of every line passes here;
// growing and long texts are left to functions of their own, reached as the last step, so that
// this path calls nothing else and needs no registers saved.
inline void FeldAnfuegen(Zeilenpuffer& zeile, std::string_view text) {
  if (zeile.Frei() <= text.size()) return FeldAnfuegenNachWachsen(zeile, text);
  if (text.size() >= 16) return LangesFeldAnfuegen(zeile, text);
  char* p = zeile.data() + zeile.size();
  if (text.size() <= 1) {
    // Empty fields and flags of one character are the most frequent: no word copies for them.
    if (!text.empty()) {
      const char c = text[0];
      p[0] = c == ';' ? ',' : c;
    }
    p[text.size()] = ';';
    zeile.Vorruecken(text.size() + 1);
    return;
  }
  FeldtextSchreiben(p, text);
  p[text.size()] = ';';
  zeile.Vorruecken(text.size() + 1);
}

// A number field of a ";"-separated line: the value formatted with the pattern straight into the
// line, and the closing ";". A formatted number holds no ";".
inline void ZahlfeldAnfuegen(Zeilenpuffer& zeile, Festkomma wert, const Zahlmuster& muster) {
  char* p = zeile.Platz(muster.Hoechstlaenge() + 1);
  const std::size_t n = FormatiertSchreiben(p, wert, muster);
  p[n] = ';';
  zeile.Vorruecken(n + 1);
}
inline void GanzfeldAnfuegen(Zeilenpuffer& zeile, std::int64_t wert, const Zahlmuster& muster) {
  char* p = zeile.Platz(muster.Hoechstlaenge() + 1);
  const std::size_t n = GanzFormatiertSchreiben(p, wert, muster);
  p[n] = ';';
  zeile.Vorruecken(n + 1);
}

// A number the record holds as text (price unit, price, packing quantity, cost kind), read as
// Val reads it. Such texts are mostly plain digits: those are kept as their digits without
// leading zeros and copied when written, instead of being read and formatted again.
// It refers to the text, which must stay as it is while the Zahltext is used. Kept inline: the
// tests of the pattern fold away at the writers' constant patterns.
class Zahltext {
 public:
  KORVELAN_SCHNELLWEG explicit Zahltext(std::string_view text) : text_(text) {
    // An empty text (a field not given) reads as zero, as a text of zeros does.
    allgemein_ = !text.empty() && !ZiffernOhneNullen(text, ziffern_);
    if (allgemein_) wert_ = Val(text);
  }
  bool IstNull() const { return allgemein_ ? wert_ == 0 : ziffern_.empty(); }
  Festkomma Wert() const { return allgemein_ ? wert_ : Val(text_); }
  // Writes what FormatiertSchreiben(aus, Wert(), muster) writes.
  KORVELAN_SCHNELLWEG std::size_t Schreiben(char* aus, const Zahlmuster& muster) const {
    // The digits are the formatted text for a whole-number pattern with at most one "0".
    if (allgemein_ || muster.bruchStellen != 0 || muster.ganzNullen > 1 || !muster.rest.empty())
      return FormatiertSchreiben(aus, Wert(), muster);
    if (ziffern_.empty()) {
      if (muster.nurRaute) return 0;
      aus[0] = '0';
      return 1;
    }
    BytesKopieren(aus, ziffern_.data(), ziffern_.size());
    return ziffern_.size();
  }
  // PasstInStellen(Runden(Wert()), stellen).
  bool PasstIn(std::size_t stellen) const {
    return allgemein_ ? PasstInStellen(Runden(wert_), stellen) : ziffern_.size() <= stellen;
  }
  // Writes what StellenSchreiben(aus, Runden(Wert()), stellen) writes, with its result.
  KORVELAN_SCHNELLWEG bool StellenSchreiben(char* aus, std::size_t stellen) const {
    if (allgemein_) return korvelan::StellenSchreiben(aus, Runden(wert_), stellen);
    if (!PasstIn(stellen)) return false;
    BytesFuellen(aus, '0', stellen - ziffern_.size());
    BytesKopieren(aus + stellen - ziffern_.size(), ziffern_.data(), ziffern_.size());
    return true;
  }

 private:
  std::string_view text_;
  std::string_view ziffern_;
  Festkomma wert_ = 0;
  bool allgemein_;
};

// A number field held as text, with its closing ";"; returns the text written for the number.
inline KORVELAN_SCHNELLWEG std::string_view ZahltextfeldAnfuegen(Zeilenpuffer& zeile, const Zahltext& zahl, const Zahlmuster& muster) {
  char* p = zeile.Platz(muster.Hoechstlaenge() + 1);
  const std::size_t n = zahl.Schreiben(p, muster);
  p[n] = ';';
  zeile.Vorruecken(n + 1);
  return std::string_view(p, n);
}

// The start that several lines written one after the other into the output line share (an
// article's letter, flag and number; a long text's or SET's head): written once with the first
// line, and each further line begins by taking it again from the output line, which still begins
// with it; only the line's letter may change. Saves writing (trimming, copying) the same fields
// again for every line. Nothing else may be written into the output line between two lines.
class Zeilenanfang {
 public:
  explicit Zeilenanfang(Zeilenpuffer& zeile) : zeile_(zeile) {}
  // Takes what the output line holds now as the start.
  void Merken() { laenge_ = zeile_.size(); }
  // The output line was written anew: there is no start to take again.
  void Vergessen() { laenge_ = 0; }
  bool Gemerkt() const { return laenge_ != 0; }
  // Begins the next line with the start.
  Zeilenpuffer& Wiederholen() {
    zeile_.resize(laenge_);
    return zeile_;
  }
  // The same for a line of another letter (the start's first byte).
  Zeilenpuffer& Wiederholen(char buchstabe) {
    zeile_.resize(laenge_);
    zeile_[0] = buchstabe;
    return zeile_;
  }

 private:
  Zeilenpuffer& zeile_;
  std::size_t laenge_ = 0;
};

// True for a field held as "@" (present but empty).
inline bool IstKeineAngabe(std::string_view feld) { return feld.size() == 1 && feld[0] == '@'; }

// A neutral text field for output: "@" (present but empty) is written as an empty field.
inline std::string_view OhneKeineAngabe(const std::string& feld) {
  return IstKeineAngabe(feld) ? std::string_view() : std::string_view(feld);
}

// True when SET row i (0-based) writes its short text and description: the first row, and a row
// whose texts differ from those of the row before. A SET's texts stand once, on its first row (a
// version-3 SET repeats its short text on every row); a row with texts of its own keeps them.
inline bool SetTexteSchreiben(const Neutralsatz& ns, int i) {
  if (i == 0) return true;
  const Setzeile& s = ns.SetTabelle[static_cast<std::size_t>(i)];
  const Setzeile& vorige = ns.SetTabelle[static_cast<std::size_t>(i - 1)];
  return s.SetKurztext != vorige.SetKurztext || s.SetBeschreibung != vorige.SetBeschreibung;
}

// Runs a writer body and turns a run-time failure into the writer result -1 with its text in
// Ausgabefehlertext. Lines written before the failure stay written.
template <typename Rumpf>
std::int16_t SchreiberAusfuehren(Kontext& k, Rumpf rumpf) {
  try {
    rumpf();
    return 0;
  } catch (const Laufzeitfehler& f) {
    k.kz.Ausgabefehlertext = f.Text();
    return -1;
  } catch (const std::exception& f) {
    // Out of memory and the like end the writer call the same way.
    k.kz.Ausgabefehlertext = f.what();
    return -1;
  }
}

}  // namespace korvelan
