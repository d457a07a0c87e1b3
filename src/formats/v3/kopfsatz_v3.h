#pragma once
// The header record of version 3: how an input is recognised as version 3, and the header line
// of a version-3 output.
#include <cstddef>
#include <string>
#include <string_view>

#include "context/fenster.h"
#include "context/kontext.h"
#include "formats/kopfsatz.h"

namespace korvelan::v3 {

// Version 3 records are fixed blocks of 130 bytes: a 128-character record and CR LF.
constexpr std::size_t Blocklaenge = 130;
constexpr std::size_t Satzlaenge = 128;

// True when a line end falls within the record of a block: the file is line-separated.
bool HatZeilenende(std::string_view block);

// The first block of the input (kopf converted with ZeichenNachAnsi, roh as read) has passed the
// first look; reads the next blocks up to the first data record. Recognised: the analysis fields
// and the window's header controls are filled and the input is closed.
Befund KopfPruefen(Kontext& k, Fenster& f, const std::string& kopf, const std::string& roh);

// The header line of a version-3 output for the header date "DD.MM.YYYY", in the output's code.
std::string Kopfsatz(const Konvertierzustand& kz, const std::string& datum);

}  // namespace korvelan::v3
