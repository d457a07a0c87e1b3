#pragma once
// The long-lived records of a program run, passed by reference to every step of a
// conversion, so that each test starts from a fresh one.
#include <string>

#include "context/konvertierzustand.h"
#include "context/laufbeschreibung.h"
#include "context/lesezustand.h"
#include "record/neutralsatz.h"
#include "settings/grunddaten.h"

namespace korvelan {

struct Kontext {
  Laufbeschreibung lauf;
  Konvertierzustand kz;
  Neutralsatz ns;
  Lesezustand lz;  // the readers' own
  Grunddaten gd;
  std::string Programmverzeichnis;
};

// A reader assembles one logical record from the input into the record: 0 success, -1 input
// exhausted (what it assembled is still checked and written). It has no window: it leaves the line
// and key it shows in its state (GezeigteZeile, GezeigterSchluessel), takes answers from the run's
// description and logs what it cannot read.
using Lesefunktion = std::int16_t (*)(Kontext&);
// A writer turns the record into lines of the output; it has no window. 0 written, -1 run-time
// failure with its text in Ausgabefehlertext.
using Schreibfunktion = std::int16_t (*)(Kontext&);

}  // namespace korvelan
