#include "control/zeichentabellen.h"

#include <array>
#include <cstring>

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

// Every table leaves the printable ASCII characters 0x20-0x7F as they are; nearly all bytes of a
// line are such. Eight bytes are tested at once and passed over when all of them are.
void Anwenden(char* p, std::size_t n, const Tabelle& t) {
  constexpr std::uint64_t Einsen = 0x0101010101010101ULL;
  constexpr std::uint64_t Hoch = 0x8080808080808080ULL;
  char* const e = p + n;
  while (e - p >= 8) {
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    // A high bit is set where a byte is 0x80 or above, or (the test for a byte below 0x20) where
    // subtracting 0x20 from it borrows; a set bit only sends the eight bytes through the table.
    if ((w & Hoch) | ((w - Einsen * 0x20) & ~w & Hoch)) {
      for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(t[static_cast<unsigned char>(p[i])]);
    }
    p += 8;
  }
  for (; p < e; ++p) *p = static_cast<char>(t[static_cast<unsigned char>(*p)]);
}

}  // namespace

void ZeichenNachAnsi(std::string& text) { Anwenden(text.data(), text.size(), AnsiTabelle); }

void ZeichenNachOem(char* text, std::size_t n, std::int16_t ausgabeversion) {
  Anwenden(text, n, ausgabeversion == 5 ? OemTabelle5 : ausgabeversion == 3 ? OemTabelle3 : OemTabelle4);
}

void ZeichenNachOem(std::string& text, std::int16_t ausgabeversion) {
  ZeichenNachOem(text.data(), text.size(), ausgabeversion);
}

}  // namespace korvelan
