#include <gtest/gtest.h>

#include <string>

#include "context/zeichentabellen.h"

using namespace korvelan;

// A line of file text is written byte for byte: only CR and LF become blanks, and the zero byte
// outside version 3. Lines are copied sixteen or thirty-two bytes at a time, so every byte value
// is tried at every position of lines of many lengths.
TEST(Zeichentabellen, DateitextJedesByteAnJederStelle) {
  for (int version : {3, 4, 5}) {
    for (int laenge : {1, 7, 15, 16, 17, 31, 32, 33, 47, 48, 63, 64, 65, 128}) {
      for (int stelle = 0; stelle < laenge; ++stelle) {
        for (int wert = 0; wert < 256; ++wert) {
          std::string text(static_cast<std::size_t>(laenge), 'a');
          text[static_cast<std::size_t>(stelle)] = static_cast<char>(wert);
          std::string erwartet = text;
          if (wert == '\r' || wert == '\n' || (wert == 0 && version != 3))
            erwartet[static_cast<std::size_t>(stelle)] = ' ';
          std::string kopie(text.size(), '?');
          DateitextKopieren(kopie.data(), text.data(), text.size(), static_cast<std::int16_t>(version));
          ASSERT_EQ(kopie, erwartet) << "Version " << version << ", Wert " << wert << ", Stelle " << stelle;
        }
      }
    }
  }
}
