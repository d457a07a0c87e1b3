// Whole-file conversions against expected files, byte for byte: every input in tests/data/golden
// named ein_v<N>_<kind>.dat is converted to each output version M for which an expected file
// aus_v<N>_v<M>_<kind>.dat exists. The end record's date is fixed; the currency question is
// answered "DEM", the SET question Yes. With KORVELAN_GOLDEN_SCHREIBEN=1 in the environment the
// expected files are written anew from the outputs (after a change of output made on purpose;
// look at the difference before committing it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "konvertierhilfe.h"

using namespace korvelan;
using namespace korvelan::test;

namespace {

struct Fall {
  std::string eingabe, erwartet;
  int ausgabeversion;
};

std::vector<Fall> FaelleSammeln() {
  std::vector<Fall> faelle;
  const std::string verzeichnis = Testdaten("golden");
  if (!std::filesystem::exists(verzeichnis)) return faelle;
  // Names aus_v<N>_v<M>_<K>.dat: N and M versions 3 to 5, K a data kind.
  auto version = [](char c) { return c >= '3' && c <= '5'; };
  for (const auto& e : std::filesystem::directory_iterator(verzeichnis)) {
    const std::string name = e.path().filename().string();
    if (name.size() != 15 || name.compare(0, 5, "aus_v") != 0 || name.compare(11, 4, ".dat") != 0) continue;
    const char n = name[5], m = name[8], art = name[10];
    if (!version(n) || name.compare(6, 2, "_v") != 0 || !version(m) || name[9] != '_' ||
        std::string("ASRJP").find(art) == std::string::npos)
      continue;
    std::string ein = verzeichnis + "/ein_v" + n + "_" + art + ".dat";
    faelle.push_back({ein, e.path().string(), m - '0'});
  }
  std::sort(faelle.begin(), faelle.end(), [](const Fall& a, const Fall& b) { return a.erwartet < b.erwartet; });
  return faelle;
}

// Shows the first differing line of two outputs, with control bytes made visible.
std::string Sichtbar(const std::string& s) {
  std::string r;
  for (unsigned char c : s) {
    if (c == '\r')
      r += "\\r";
    else if (c == '\n')
      r += "\\n\n";
    else if (c < 32 || c >= 127) {
      static const char* hex = "0123456789ABCDEF";
      r += "\\x";
      r += hex[c >> 4];
      r += hex[c & 15];
    } else
      r += static_cast<char>(c);
  }
  return r;
}

}  // namespace

TEST(Golden, AlleVersionspaareAlleDatenarten) {
  auto faelle = FaelleSammeln();
  // Three input versions, three output versions, five data kinds.
  ASSERT_EQ(faelle.size(), 45u);
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.erwartet);
    ASSERT_TRUE(DateiVorhanden(fall.eingabe)) << fall.eingabe;
    TempVerzeichnis v;
    SkriptFenster f;
    f.eingaben.push_back(std::string("DEM"));
    f.antworten.push_back(Antwort::Ja);
    std::string aus = Konvertieren(fall.eingabe, fall.ausgabeversion, v, &f);
    if (std::getenv("KORVELAN_GOLDEN_SCHREIBEN")) DateiSchreiben(fall.erwartet, aus);
    std::string erwartet = DateiLesen(fall.erwartet);
    EXPECT_EQ(Sichtbar(aus), Sichtbar(erwartet));
  }
}
