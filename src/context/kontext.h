#pragma once
// The three long-lived records of a program run, passed by reference to every step of a
// conversion, so that each test starts from a fresh one.
#include <string>

#include "context/konvertierzustand.h"
#include "record/neutralsatz.h"
#include "settings/grunddaten.h"

namespace korvelan {

struct Kontext {
  Konvertierzustand kz;
  Neutralsatz ns;
  Grunddaten gd;
  std::string Programmverzeichnis;
};

// Signature of every reader and writer: 0 success; reader -1 = input exhausted,
// writer -1 = run-time failure with its text in Ausgabefehlertext.
class Fenster;
using Satzfunktion = std::int16_t (*)(Kontext&, Fenster&);

}  // namespace korvelan
