#include "control/zeichentabellen.h"

#include <array>

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

void Anwenden(std::string& text, const Tabelle& t) {
  for (char& c : text) c = static_cast<char>(t[static_cast<unsigned char>(c)]);
}

}  // namespace

void ZeichenNachAnsi(std::string& text) { Anwenden(text, AnsiTabelle); }

void ZeichenNachOem(std::string& text, std::int16_t ausgabeversion) {
  Anwenden(text, ausgabeversion == 5 ? OemTabelle5 : ausgabeversion == 3 ? OemTabelle3 : OemTabelle4);
}

}  // namespace korvelan
