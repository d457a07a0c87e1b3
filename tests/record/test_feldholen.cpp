#include <gtest/gtest.h>

#include "record/feldholen.h"

using namespace korvelan;

TEST(FeldHolen, NimmtFelderMitFuellung) {
  std::string zeile = "A;N;4711;;X" + FuellungSemikolon;
  int cursor = 5;
  std::int16_t status = -1;
  EXPECT_EQ(FeldHolen(zeile, cursor, 15, status), "4711");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(cursor, 10);
  EXPECT_EQ(FeldHolen(zeile, cursor, 2, status), "");
  EXPECT_EQ(status, 9);
  EXPECT_EQ(cursor, 11);
}

TEST(FeldHolen, BlankfeldUndZahl) {
  std::string zeile = "   ;   ;" + FuellungSemikolon;
  int cursor = 1;
  std::int16_t status = -1;
  EXPECT_EQ(FeldHolen(zeile, cursor, 10, status), " ");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(FeldHolenZahl(zeile, cursor, 10, status), 0);
  EXPECT_EQ(status, 9);
}

TEST(FeldHolen, LangesFeldWirdGekuerztCursorHinterGanzemFeld) {
  std::string feld(45, 'x');
  std::string zeile = feld + ";y;";
  int cursor = 1;
  std::int16_t status = 0;
  EXPECT_EQ(FeldHolen(zeile, cursor, 40, status), std::string(40, 'x'));
  EXPECT_EQ(cursor, 47);
}

TEST(FeldHolen, LetztesZeichenEinerUngefuelltenZeileFehlt) {
  int cursor = 1;
  std::int16_t status = 0;
  EXPECT_EQ(FeldHolen("AB", cursor, 10, status), "A");
  EXPECT_EQ(cursor, 3);
}
