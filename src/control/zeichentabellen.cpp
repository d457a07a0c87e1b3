#include "control/zeichentabellen.h"

#include <array>
#include <cstring>

#include "record/bytebloecke.h"

namespace korvelan {

namespace {

using Tabelle = std::array<unsigned char, 256>;

Tabelle AnsiTabelleBauen() {
  Tabelle t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  t[142] = 0xC4;  // Ä
  t[132] = 0xE4;  // ä
  t[154] = 0xDC;  // Ü
  t[129] = 0xFC;  // ü
  t[153] = 0xD6;  // Ö
  t[148] = 0xF6;  // ö
  t[225] = 0xDF;  // ß
  t[21] = 0xA7;   // §
  t[248] = 0xB0;  // °
  t[253] = 0xB2;  // ²
  t[254] = 0xB3;  // ³
  t[0] = ' ';
  t[255] = ' ';
  return t;
}

Tabelle OemTabelleBauen(bool version5, bool version3) {
  Tabelle t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  t[0xC4] = 142;
  t[0xE4] = 132;
  t[0xDC] = 154;
  t[0xFC] = 129;
  t[0xD6] = 153;
  t[0xF6] = 148;
  t[0xDF] = 225;
  t[0xA7] = 21;
  if (version5) {
    t[0xB0] = 248;
    t[0xB2] = 253;
    t[0xB3] = 254;
  } else {
    t[0xB0] = '*';
    t[0xB2] = '2';
    t[0xB3] = '3';
  }
  if (!version3) t[0] = ' ';
  t['\n'] = ' ';
  t['\r'] = ' ';
  t[138] = ' ';
  return t;
}

const Tabelle AnsiTabelle = AnsiTabelleBauen();
const Tabelle OemTabelle3 = OemTabelleBauen(false, true);
const Tabelle OemTabelle4 = OemTabelleBauen(false, false);
const Tabelle OemTabelle5 = OemTabelleBauen(true, false);

constexpr std::uint64_t Einsen = 0x0101010101010101ULL;
constexpr std::uint64_t Hoch = 0x8080808080808080ULL;

// Runs the table over eight bytes.
void WortAnwenden(char* p, const Tabelle& t) {
  for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(t[static_cast<unsigned char>(p[i])]);
}

// Every output table leaves the printable ASCII characters as they are; nearly all bytes of a
// line are such. A block of sixteen bytes is tested at once and only its marked bytes go through
// the table. Bytes 0x80 and above are negative as signed char. Below 0x20 the output tables
// change only LF (0x0A), CR (0x0D) and, except for version 3, the zero byte: every byte below
// 0x0E is marked, and for version 3 (whose lines carry zero bytes as filler) the zero byte is
// left out. A marked byte that does not change is harmless: the table leaves it as it is.
template <bool NulBleibt>
inline Byteblock Markierung(Byteblock b) {
  if (NulBleibt) return (b < BlockAus(0x0E)) & ~(b == BlockAus(0));
  return b < BlockAus(0x0E);
}

// Runs the table over the bytes of a copy whose bits are set (bit i for byte i).
inline void BitsAnwenden(char* ziel, const char* quelle, std::uint32_t bits, const Tabelle& t) {
  // Each turn takes the lowest marked byte.
  for (; bits != 0; bits &= bits - 1) {
    const std::size_t i = static_cast<std::size_t>(__builtin_ctz(bits));
    ziel[i] = static_cast<char>(t[static_cast<unsigned char>(quelle[i])]);
  }
}

// Copies sixteen bytes through the table: a plain copy, then the table for the marked bytes.
template <bool NulBleibt>
inline void BlockAnwenden(char* ziel, const char* quelle, const Tabelle& t) {
  const Byteblock b = BlockLaden(quelle);
  BlockSpeichern(ziel, b);
  BitsAnwenden(ziel, quelle, Trefferbits(Markierung<NulBleibt>(b)), t);
}

// Copies n bytes from quelle to ziel through the table; quelle may be ziel itself.
template <bool NulBleibt>
void Anwenden(char* ziel, const char* quelle, std::size_t n, const Tabelle& t) {
  if (n < 16) {
    for (std::size_t i = 0; i < n; ++i) ziel[i] = static_cast<char>(t[static_cast<unsigned char>(quelle[i])]);
    return;
  }
  std::size_t i = 0;
  // Two blocks a turn with one test for both: most blocks hold no marked byte.
  for (; i + 32 <= n; i += 32) {
    const Byteblock a = BlockLaden(quelle + i);
    const Byteblock b = BlockLaden(quelle + i + 16);
    BlockSpeichern(ziel + i, a);
    BlockSpeichern(ziel + i + 16, b);
    const Byteblock ma = Markierung<NulBleibt>(a);
    const Byteblock mb = Markierung<NulBleibt>(b);
    if (Trefferbits(ma | mb) != 0) BitsAnwenden(ziel + i, quelle + i, Trefferbits(ma) | (Trefferbits(mb) << 16), t);
  }
  if (i + 16 <= n) {
    BlockAnwenden<NulBleibt>(ziel + i, quelle + i, t);
    i += 16;
  }
  // The last block may overlap the one before; it is taken from the source again (in place the
  // tables give the same result when applied twice).
  if (i < n) BlockAnwenden<NulBleibt>(ziel + n - 16, quelle + n - 16, t);
}

void Anwenden(char* ziel, const char* quelle, std::size_t n, std::int16_t ausgabeversion) {
  if (ausgabeversion == 3)
    Anwenden<true>(ziel, quelle, n, OemTabelle3);
  else
    Anwenden<false>(ziel, quelle, n, ausgabeversion == 5 ? OemTabelle5 : OemTabelle4);
}

}  // namespace

void ZeichenNachAnsi(std::string& text) {
  // This table changes the zero byte and a few more below 0x20 (code 21): every word with such a
  // byte goes through it.
  char* p = text.data();
  char* const e = p + text.size();
  for (; e - p >= 8; p += 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    if ((w & Hoch) | ((w - Einsen * 0x20) & ~w & Hoch)) WortAnwenden(p, AnsiTabelle);
  }
  for (; p < e; ++p) *p = static_cast<char>(AnsiTabelle[static_cast<unsigned char>(*p)]);
}

void ZeichenNachOem(char* text, std::size_t n, std::int16_t ausgabeversion) {
  Anwenden(text, text, n, ausgabeversion);
}

void ZeichenNachOemKopieren(char* ziel, const char* quelle, std::size_t n, std::int16_t ausgabeversion) {
  Anwenden(ziel, quelle, n, ausgabeversion);
}

void ZeichenNachOem(std::string& text, std::int16_t ausgabeversion) {
  ZeichenNachOem(text.data(), text.size(), ausgabeversion);
}

}  // namespace korvelan
