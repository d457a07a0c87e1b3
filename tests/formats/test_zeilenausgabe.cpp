#include <gtest/gtest.h>

#include <string>

#include "formats/zeilenausgabe.h"

using namespace korvelan;

namespace {

TEST(Zeilenausgabe, SemikolonImFeldWirdKomma) {
  // Every position inside and around the eight-byte words and the sixteen-byte blocks, with and
  // without the closing ";".
  for (std::size_t n = 1; n <= 50; ++n) {
    for (std::size_t pos = 0; pos < n; ++pos) {
      std::string text(n, 'x');
      text[pos] = ';';
      std::string soll = "A;" + std::string(n, 'x');
      soll[2 + pos] = ',';
      Zeilenpuffer z;
      z += "A;";
      FeldtextAnfuegen(z, text);
      ASSERT_EQ(std::string_view(z), soll) << n << " " << pos;
      z.reserve(600);  // room: the field is copied without growing
      z = "A;";
      FeldAnfuegen(z, text);
      ASSERT_EQ(std::string_view(z), soll + ";") << n << " " << pos;
    }
  }
  // The ";" already in the line stay.
  Zeilenpuffer z;
  z += ";;;;;;;;;";
  FeldtextAnfuegen(z, ";;;;;;;;;");
  EXPECT_EQ(std::string_view(z), ";;;;;;;;;,,,,,,,,,");
}

TEST(Zeilenausgabe, FeldMitSchlussSemikolonJederLaenge) {
  // From an empty buffer (the first field makes it grow) and after a long line.
  for (std::size_t vorher : {0, 300}) {
    for (std::size_t n = 0; n <= 40; ++n) {
      std::string text;
      for (std::size_t i = 0; i < n; ++i) text += static_cast<char>('a' + i % 26);
      Zeilenpuffer z;
      z.append(vorher, '-');
      FeldAnfuegen(z, text);
      FeldAnfuegen(z, "");
      ASSERT_EQ(std::string_view(z), std::string(vorher, '-') + text + ";;") << vorher << " " << n;
    }
  }
}

TEST(Zeilenausgabe, ZahltextWieValUndMuster) {
  // Digit texts are copied, all others formatted from Val: both give what formatting Val gives.
  for (const char* text : {"0", "000", "1", "0100", "1000", "0003117350", "99999999999999", "000000000000001",
                           "", "@", " 12", "12 ", "1.5", "2.5", "-3", "+7", "0.4", "abc", "123456789012345", "9.5", "-0.4", "0099"}) {
    const Zahltext zahl(text);
    EXPECT_EQ(zahl.IstNull(), Val(text) == 0) << text;
    EXPECT_EQ(zahl.Wert(), Val(text)) << text;
    for (const char* m : {"##", "######0", "#########0", "00", "##0.00", "#0 "}) {
      Zeilenpuffer z;
      ZahltextfeldAnfuegen(z, zahl, Zahlmuster(m));
      EXPECT_EQ(std::string_view(z), Formatieren(Val(text), m) + ";") << text << " " << m;
    }
    // Fixed widths: the same digits and the same refusal of a number too wide (or negative).
    for (std::size_t stellen : {1, 2, 3, 7, 8, 10, 14}) {
      char ist[16] = {}, soll[16] = {};
      EXPECT_EQ(zahl.StellenSchreiben(ist, stellen), StellenSchreiben(soll, Runden(Val(text)), stellen)) << text;
      EXPECT_EQ(std::string_view(ist, 16), std::string_view(soll, 16)) << text << " " << stellen;
    }
  }
}

TEST(Zeilenausgabe, LeerfelderKuerzenImPuffer) {
  Zeilenpuffer z;
  z = "S;12;;;";
  LeerfelderKuerzen(z);
  EXPECT_EQ(std::string_view(z), "S;12;");
  z = ";;;";
  LeerfelderKuerzen(z);
  EXPECT_EQ(std::string_view(z), ";");
  z = "X;;Y";
  LeerfelderKuerzen(z);
  EXPECT_EQ(std::string_view(z), "X;;Y");
}

}  // namespace
