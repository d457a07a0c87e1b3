#include "context/zeichentabellen.h"

#include <array>
#include <cstring>

#include "record/bytebloecke.h"
#include "record/text.h"

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
  t[252] = 0xB3;  // ³ of CP850
  t[254] = 0xB3;  // ³ as earlier version-5 outputs of this program write it
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

// File text on its way out: only the line ends, and the zero byte outside version 3, change.
Tabelle DateitextTabelleBauen(bool version3) {
  Tabelle t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
  if (!version3) t[0] = ' ';
  t['\n'] = ' ';
  t['\r'] = ' ';
  return t;
}

const Tabelle AnsiTabelle = AnsiTabelleBauen();
const Tabelle OemTabelle3 = OemTabelleBauen(false, true);
const Tabelle OemTabelle4 = OemTabelleBauen(false, false);
const Tabelle OemTabelle5 = OemTabelleBauen(true, false);
const Tabelle DateitextTabelle3 = DateitextTabelleBauen(true);
const Tabelle DateitextTabelle45 = DateitextTabelleBauen(false);

// CP850, bytes 0x80 to 0xFF; the bytes below are those of ASCII.
constexpr std::array<char16_t, 128> Cp850Hoch = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// CP850 holds every character of Latin-1 from 0xA0 on: their bytes, looked up directly.
std::array<unsigned char, 96> Latin1NachCp850Bauen() {
  std::array<unsigned char, 96> t{};
  for (int b = 0; b < 128; ++b)
    if (Cp850Hoch[b] >= 0xA0 && Cp850Hoch[b] <= 0xFF) t[Cp850Hoch[b] - 0xA0] = static_cast<unsigned char>(0x80 + b);
  return t;
}
const std::array<unsigned char, 96> Latin1NachCp850 = Latin1NachCp850Bauen();

std::array<char32_t, 256> AnzeigeTabelleBauen() {
  std::array<char32_t, 256> t{};
  for (int b = 0; b < 256; ++b) {
    const unsigned char byte = static_cast<unsigned char>(b);
    // Where ZeichenNachAnsi has a rule, the character is the one it gives.
    t[b] = AnsiTabelle[byte] != byte ? AnsiZeichen(AnsiTabelle[byte]) : Cp850Zeichen(byte);
  }
  return t;
}

// The tables of the lines of file text mark every byte from 0 to 0x0D (version 3: from 1 to
// 0x0D), the only ones they may change; nearly all bytes of a line are others. A block of sixteen
// bytes is tested at once and only its marked bytes go through the table. A marked byte that does
// not change (a tab) is harmless: the table leaves it as it is.
template <bool NulBleibt>
inline Byteblock Markierung(Byteblock b) {
  // Bytes are signed here: 0x80 and above are below zero and never marked.
  return (b < BlockAus(0x0E)) & (b > BlockAus(NulBleibt ? 0 : -1));
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

// Copies n bytes from quelle to ziel through the table.
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
  // The last block may overlap the one before; it is taken from the source again, which gives
  // the same bytes.
  if (i < n) BlockAnwenden<NulBleibt>(ziel + n - 16, quelle + n - 16, t);
}

}  // namespace

void ZeichenNachAnsi(std::string& text) {
  for (char& c : text) c = static_cast<char>(AnsiTabelle[static_cast<unsigned char>(c)]);
}

void ZeichenNachOem(char* text, std::size_t n, std::int16_t ausgabeversion) {
  const Tabelle& t = ausgabeversion == 3 ? OemTabelle3 : ausgabeversion == 5 ? OemTabelle5 : OemTabelle4;
  for (std::size_t i = 0; i < n; ++i) text[i] = static_cast<char>(t[static_cast<unsigned char>(text[i])]);
}

void ZeichenNachOem(std::string& text, std::int16_t ausgabeversion) {
  ZeichenNachOem(text.data(), text.size(), ausgabeversion);
}

void DateitextKopieren(char* ziel, const char* quelle, std::size_t n, std::int16_t ausgabeversion) {
  if (ausgabeversion == 3)
    Anwenden<true>(ziel, quelle, n, DateitextTabelle3);
  else
    Anwenden<false>(ziel, quelle, n, DateitextTabelle45);
}

char32_t Cp850Zeichen(unsigned char byte) { return byte < 0x80 ? byte : Cp850Hoch[byte - 0x80]; }

unsigned char Cp850Byte(char32_t zeichen) {
  if (zeichen < 0x80) return static_cast<unsigned char>(zeichen);
  if (zeichen >= 0xA0 && zeichen <= 0xFF) return Latin1NachCp850[zeichen - 0xA0];
  for (std::size_t b = 0; b < Cp850Hoch.size(); ++b)
    if (Cp850Hoch[b] == zeichen) return static_cast<unsigned char>(0x80 + b);
  return '?';
}

char32_t DateitextZeichen(unsigned char byte) {
  static const std::array<char32_t, 256> tabelle = AnzeigeTabelleBauen();
  return tabelle[byte];
}

std::string DateitextNachAnsi(std::string_view text) {
  std::string r(text);
  for (char& c : r) c = AnsiByte(DateitextZeichen(static_cast<unsigned char>(c)));
  return r;
}

}  // namespace korvelan
