#pragma once
// What a conversion run is asked to do, filled once by its driver when the run starts (from the
// driving window, which shows what the user chose or the command line gave) and read from here
// while the run goes on: the record checks, the error log's head and the end record do not look
// at the window's controls again.
#include <functional>
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
  // The exchange factor of an interactive run (Tex_Faktor): 0 converts no price. Prices are
  // divided by it when the input currency is not the euro (the factor gives the input currency's
  // units per euro), else multiplied; see UmrechnungTeilt.
  double umrechnungsfaktor = 0;
  bool umrechnungsrichtung = false;  // true: prices are divided by the factor
  // How the SET blocks of a version-3 input are used: "L" as call sequences, "1" as parts lists.
  // Empty until it is asked: the user is asked once per run, when the first SET record is read,
  // through setFrage (which answers true for call sequences). Without setFrage the blocks count
  // as parts lists.
  std::string setVerwendung;
  std::function<bool()> setFrage;

  // The SET blocks' use, asked the first time it is needed.
  const std::string& SetVerwendung() {
    if (setVerwendung.empty()) setVerwendung = setFrage && setFrage() ? "L" : "1";
    return setVerwendung;
  }

  // Sets the versions from their texts as shown.
  void VersionenSetzen(std::string_view eingabe, std::string_view ausgabe);
};

// Whether the prices of a run are divided by the exchange factor, from the texts the conversion
// window shows (Lab_Version, Com_Version, Lab_WaehrungKz, Com_WaehrungsKz): the factor is offered
// when neither version is 3 and another currency than the input's is chosen; it is the units of
// the input currency per euro (divided), or for an input in euro the chosen currency's units per
// euro (multiplied). Else prices are multiplied by a factor given.
bool UmrechnungTeilt(std::string_view eingabeversion, std::string_view ausgabeversion,
                     std::string_view eingabewaehrung, std::string_view ausgabewaehrung);

// Version number shown in a control ("3", "4", "5"); 0 when the text holds no number.
int VersionAusText(std::string_view text);

}  // namespace korvelan
