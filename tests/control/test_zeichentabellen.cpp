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

// Long texts are converted eight bytes at a time where they hold only printable ASCII: every
// byte value at every position of such a text must come out as it does on its own.
TEST(Zeichentabellen, LangeTexteWieZeichenFuerZeichen) {
  for (int version : {0, 3, 4, 5}) {
    for (int laenge : {7, 8, 9, 16, 23}) {
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
