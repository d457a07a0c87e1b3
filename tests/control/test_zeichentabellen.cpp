#include <gtest/gtest.h>

#include <string>

#include "control/zeichentabellen.h"

using namespace korvelan;

namespace {

// A text converted character by character (each on its own, so through no eight-byte test).
std::string EinzelnUmgesetzt(const std::string& text, int version) {
  std::string aus;
  for (char c : text) {
    std::string ein(1, c);
    if (version == 0)
      ZeichenNachAnsi(ein);
    else
      ZeichenNachOem(ein, static_cast<std::int16_t>(version));
    aus += ein;
  }
  return aus;
}

}  // namespace

// Long texts are converted eight, sixteen or thirty-two bytes at a time where they hold only
// printable ASCII: every byte value at every position of such a text must come out as it does on
// its own.
TEST(Zeichentabellen, LangeTexteWieZeichenFuerZeichen) {
  for (int version : {0, 3, 4, 5}) {
    for (int laenge : {7, 8, 9, 15, 16, 17, 23, 31, 32, 33, 47, 48, 63, 64, 65, 128}) {
      for (int stelle = 0; stelle < laenge; ++stelle) {
        for (int wert = 0; wert < 256; ++wert) {
          std::string text(static_cast<std::size_t>(laenge), 'a');
          text[static_cast<std::size_t>(stelle)] = static_cast<char>(wert);
          const std::string erwartet = EinzelnUmgesetzt(text, version);
          if (version == 0)
            ZeichenNachAnsi(text);
          else
            ZeichenNachOem(text, static_cast<std::int16_t>(version));
          ASSERT_EQ(text, erwartet) << "Version " << version << ", Wert " << wert << ", Stelle " << stelle;
        }
      }
    }
  }
}

// The copying form gives what the in-place form gives, also with several bytes to change in one
// block of sixteen (the first, the last, both halves) and in the overlapping last block.
TEST(Zeichentabellen, KopierenWieAnOrt) {
  static const char roh[] = "\xE4" "bc\ndef\xFC" "gh\0\rijk\xB2\xDF" "mnopqr\x8A" "st\xB0" "uvwxyz\xC4" "0123\n";
  const std::string muster(roh, sizeof roh - 1);
  for (int version : {3, 4, 5}) {
    for (std::size_t laenge = 0; laenge <= muster.size(); ++laenge) {
      for (std::size_t anfang = 0; anfang + laenge <= muster.size(); ++anfang) {
        const std::string text = muster.substr(anfang, laenge);
        std::string an_ort = text;
        ZeichenNachOem(an_ort, static_cast<std::int16_t>(version));
        ASSERT_EQ(an_ort, EinzelnUmgesetzt(text, version)) << version << " " << anfang << " " << laenge;
        std::string kopie(laenge, '?');
        ZeichenNachOemKopieren(kopie.data(), text.data(), laenge, static_cast<std::int16_t>(version));
        ASSERT_EQ(kopie, an_ort) << version << " " << anfang << " " << laenge;
      }
    }
  }
}
