// The scripted window's texts: the controls set for every record are kept apart from the others
// and must still behave like any control.
#include <gtest/gtest.h>

#include "control/skriptfenster.h"

using namespace korvelan;

TEST(Fenster, ProSatzNamenWerdenErkanntAndereGleichLangeNicht) {
  for (std::size_t i = 0; i < ProSatzNamen.size(); ++i) EXPECT_EQ(ProSatzPlatz(ProSatzNamen[i]), static_cast<int>(i));
  // Same lengths as the names above, other controls.
  for (const char* n : {"Tex_Eingabe12", "Lab_Bearbeitex", "Tex_Bearbeitex", "Lab_Hilfe1", "", "Tex_ArtikelNr "})
    EXPECT_EQ(ProSatzPlatz(n), -1) << n;
}

TEST(Fenster, SkriptfensterHaeltProSatzTexteWieAndere) {
  SkriptFenster f;
  EXPECT_EQ(f.Text("Tex_Bearbeitet"), "");
  f.SetzeText("Tex_Bearbeitet", "A;N;4711;00;Rohr");
  f.SetzeText("Lab_Bearbeitet", "12");
  f.SetzeText("Lab_Version", "4");
  f.SetzeText("Tex_Bearbeitet", "A;N;4712");  // shorter than before
  EXPECT_EQ(f.Text("Tex_Bearbeitet"), "A;N;4712");
  EXPECT_EQ(f.Text("Lab_Bearbeitet"), "12");
  EXPECT_EQ(f.Text("Lab_Version"), "4");
  EXPECT_EQ(f.Text("Lab_Bearbeitex"), "");

  // A window without the control ignores what is set, also for the per-record texts.
  SkriptFenster eng({"Lab_Fehler"});
  eng.SetzeText("Tex_ArtikelNr", "4711");
  eng.SetzeText("Lab_Fehler", "3");
  EXPECT_EQ(eng.Text("Tex_ArtikelNr"), "");
  EXPECT_EQ(eng.Text("Lab_Fehler"), "3");
}
