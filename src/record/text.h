#pragma once
// Text helpers on Windows-1252 byte strings, the code page the program holds its text in.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace korvelan {

// Removes trailing blanks.
std::string Rechtstrimmen(std::string_view s);
// Removes blanks on both sides.
std::string Trimmen(std::string_view s);
// Trimmen as a view into the text.
inline std::string_view TrimmenAnsicht(std::string_view s) {
  std::size_t a = 0, e = s.size();
  while (a < e && s[a] == ' ') ++a;
  while (e > a && s[e - 1] == ' ') --e;
  return s.substr(a, e - a);
}
// Rechtstrimmen as a view into the text.
inline std::string_view RechtstrimmenAnsicht(std::string_view s) {
  std::size_t e = s.size();
  while (e > 0 && s[e - 1] == ' ') --e;
  return s.substr(0, e);
}
// True when the text is empty or consists of blanks only.
inline bool IstLeer(std::string_view s) {
  for (char c : s)
    if (c != ' ') return false;
  return true;
}
// True when both texts are the same. Keys are compared on every line of a record: compared
// here a word at a time (two words that may overlap) instead of by a library call.
inline bool TexteGleich(std::string_view a, std::string_view b) {
  const std::size_t n = a.size();
  if (b.size() != n) return false;
  auto wort = [&](auto w, std::size_t i) {
    decltype(w) v;
    std::memcpy(&w, a.data() + i, sizeof w);
    std::memcpy(&v, b.data() + i, sizeof v);
    return w == v;
  };
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8)
      if (!wort(std::uint64_t{}, i)) return false;
    return wort(std::uint64_t{}, n - 8);
  }
  if (n >= 4) return wort(std::uint32_t{}, 0) && wort(std::uint32_t{}, n - 4);
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Capitals: only the letters a to z change (8-bit codes of the files stay as they are).
constexpr char GrossZeichen(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string Gross(std::string_view s);
void GrossInPlatz(std::string& s);

// GrossZeichen on each byte of a word: a byte of a to z (high bit clear, 'a' <= b <= 'z') loses
// its 0x20 bit. The sums stay below 0x100 per byte, so no carry crosses into the next one.
template <typename Wort>
constexpr Wort GrossWort(Wort w) {
  constexpr Wort Einsen = static_cast<Wort>(~Wort{0}) / 0xFF;
  const Wort sieben = w & (Einsen * 0x7F);
  const Wort abA = sieben + Einsen * (0x80 - 'a');   // high bit set from 'a' on
  const Wort ueberZ = sieben + Einsen * (0x7F - 'z');  // high bit set after 'z'
  const Wort klein = abA & ~ueberZ & ~w & (Einsen * 0x80);
  return w ^ (klein >> 2);
}

// Copies n characters in capitals. Keys are copied per line, so this takes eight (or four)
// characters at a time; the last word may overlap the one before it.
inline void GrossKopieren(char* ziel, const char* quelle, std::size_t n) {
  auto wort = [&](auto w, std::size_t i) {
    std::memcpy(&w, quelle + i, sizeof w);
    w = GrossWort(w);
    std::memcpy(ziel + i, &w, sizeof w);
  };
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8) wort(std::uint64_t{}, i);
    wort(std::uint64_t{}, n - 8);
  } else if (n >= 4) {
    wort(std::uint32_t{}, 0);
    wort(std::uint32_t{}, n - 4);
  } else {
    for (std::size_t i = 0; i < n; ++i) ziel[i] = GrossZeichen(quelle[i]);
  }
}

// A key (article, text or SET number) trimmed on both sides and in capitals, held in place: the
// readers form one per line, and a new text for each would cost more than the rest of the key
// handling. Keys come from fields cut to at most 15 characters; a longer text keeps its first
// Kapazitaet characters.
class Schluesseltext {
 public:
  static constexpr std::size_t Kapazitaet = 32;

  Schluesseltext() = default;
  explicit Schluesseltext(std::string_view s) { Anfuegen(TrimmenAnsicht(s)); }
  // A record letter followed by a text number, trimmed: the key of a long text.
  Schluesseltext(char vorn, std::string_view s) {
    ZeichenAnfuegen(vorn);
    Anfuegen(TrimmenAnsicht(s));
  }

  // A record letter followed by a key already formed (trimmed, in capitals): its characters are
  // taken as they are, without a second trim.
  // The whole buffer is copied (a fixed size needs no call); only the key's characters count.
  Schluesseltext(char vorn, const Schluesseltext& rest) {
    z_[0] = GrossZeichen(vorn);
    std::memcpy(z_ + 1, rest.z_, Kapazitaet - 1);
    n_ = 1 + (rest.n_ < Kapazitaet - 1 ? rest.n_ : Kapazitaet - 1);
  }

  // Appends one character in capitals.
  void ZeichenAnfuegen(char c) {
    if (n_ < Kapazitaet) z_[n_++] = GrossZeichen(c);
  }

  // Appends a text as it is, in capitals (a key made of the record letter and a text number).
  void Anfuegen(std::string_view s) {
    const std::size_t m = s.size() < Kapazitaet - n_ ? s.size() : Kapazitaet - n_;
    GrossKopieren(z_ + n_, s.data(), m);
    n_ += m;
  }
  std::string_view Ansicht() const { return {z_, n_}; }
  operator std::string_view() const { return Ansicht(); }  // NOLINT: used wherever a view is
  bool empty() const { return n_ == 0; }
  std::size_t size() const { return n_; }

 private:
  char z_[Kapazitaet];
  std::size_t n_ = 0;
};

// "Cut to n": pad with blanks to n, take the first n characters, remove trailing blanks.
std::string Kuerzen(std::string_view s, std::size_t n);
// Pads with blanks on the right or cuts to exactly n characters.
std::string Auffuellen(std::string_view s, std::size_t n);
// Characters from 1-based position von, at most laenge of them (like Mid).
inline std::string_view Mitte(std::string_view s, std::size_t von, std::size_t laenge) {
  if (von == 0 || von > s.size()) return {};
  return s.substr(von - 1, laenge);
}
// True when every character is a digit 0-9 and the text is not empty.
bool IstNumerisch(std::string_view s);
// Counts a text of decimal digits up by one ("" stands for zero and becomes "1", "199" becomes "200").
void ZahltextErhoehen(std::string& text);

// Source literals are UTF-8; the program's texts are Windows-1252. Ansi converts a UTF-8 text
// (as written in the source) to Windows-1252; Utf8 converts the other way for terminals and files.
std::string Ansi(std::string_view utf8);
std::string Utf8(std::string_view ansi);
// The character (Unicode) of a Windows-1252 byte; a byte the code page leaves free stands for the
// control character of the same number.
char32_t AnsiZeichen(unsigned char byte);
// The Windows-1252 byte of a character (the inverse of AnsiZeichen); '?' for a character the
// code page lacks.
char AnsiByte(char32_t zeichen);

}  // namespace korvelan
