#pragma once
// What a conversion run is asked to do, filled once by its driver when the run starts (from the
// driving window, which shows what the user chose or the command line gave) and read from here
// while the run goes on: the record checks, the error log's head and the end record do not look
// at the window's controls again.
#include <string>
#include <string_view>

namespace korvelan {

struct Laufbeschreibung {
  // The versions as the window shows them (Lab_Version, Com_Version, trimmed), for the texts of
  // the error log's head and of the end record and to choose reader, writer and unit codes, and
  // as numbers (0 when the text holds none).
  std::string eingabeversionText, ausgabeversionText;
  int eingabeversion = 0, ausgabeversion = 0;
  // The output currency (Com_WaehrungsKz), for the header record; settled by the preparation.
  std::string ausgabewaehrung;
  // The conversion window's run (currency conversion, Yes/No before cancelling), not the
  // command line's.
  bool interaktiv = false;

  // Sets the versions from their texts as shown.
  void VersionenSetzen(std::string_view eingabe, std::string_view ausgabe);
};

// Version number shown in a control ("3", "4", "5"); 0 when the text holds no number.
int VersionAusText(std::string_view text);

}  // namespace korvelan
