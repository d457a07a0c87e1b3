#pragma once
// What the versions share when they recognise a header record and when they build one.
#include <string>
#include <string_view>

#include "context/dateien.h"
#include "context/fenster.h"
#include "context/konvertierzustand.h"

namespace korvelan {

// Where the recognition of an input goes next: each version looks at the header and either
// recognises it or hands the file to the next version.
enum class Befund { Erkannt, Version4, Version5, NichtErkannt };

std::string Spalten(std::string_view z, std::size_t von, std::size_t laenge);
std::string SpaltenGetrimmt(std::string_view z, std::size_t von, std::size_t laenge);

// A header text as the window shows it: taken from the line as read and converted with the whole
// file code page, so that every letter appears as it is meant. (The stored Infotexte take the
// fixed table of ZeichenNachAnsi, which the output header reverses.)
std::string AnzeigeText(std::string_view roh);
std::string AnzeigeSpalten(std::string_view roh, std::size_t von, std::size_t laenge);

// Customer-number and C records, which come before the data of versions 3 and 4.
bool IstKOderC(std::string_view zeile);
// Data kind of the first data record of a version 3 or 4 file.
std::string DatenkennzeichenAus(std::string_view zeile);

// A piece of a date, shown with leading zeros when it is a number and as it is otherwise.
std::string Datumsteil(std::string_view teil, std::string_view muster);
// Header date DDMMYY (columns 3-8 of versions 3 and 4) as "DD.MM.YYYY"; two-digit years below 60
// are 20xx, the others 19xx. A blank date is today's.
std::string DatumAusTTMMJJ(std::string_view ttmmjj);
// Date "DD.MM.YYYY" as DDMMYY (characters 1-2, 4-5, 9-10) and as YYYYMMDD (7-10, 4-5, 1-2).
std::string DatumKurz(const std::string& d);
std::string DatumLang(const std::string& d);

void InfotexteLeeren(Konvertierzustand& kz);

// The info texts of a header of fixed columns (versions 3 and 4, kopf converted, roh as read):
// the first two of 40 characters from column 9 are kept and shown, the third (from column 89,
// breite3 characters) is shown and returned trimmed.
std::string InfotexteInSpalten(Konvertierzustand& kz, Fenster& f, std::string_view kopf, std::string_view roh,
                               std::size_t breite3);
// Empties the info texts, opens the file again from its start and reads its first line as read
// (roh) and converted with ZeichenNachAnsi (zeile). A file of one line only is not a DATANORM
// file in any version.
bool ErsteZeileLesen(Eingabedatei& datei, Konvertierzustand& kz, std::string& zeile, std::string& roh);

}  // namespace korvelan
