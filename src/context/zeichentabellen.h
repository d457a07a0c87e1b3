#pragma once
// The character tables of the program. DATANORM files are in the 8-bit code page CP850; the
// program holds its own texts in Windows-1252. Text read from a file stays in the file's code
// from reading to writing; only what is shown on screen, and what the program supplies itself,
// is converted.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvelan {

// File code to Windows-1252, in place: the fixed table of a few letters and signs (header
// analysis, unit mapping).
void ZeichenNachAnsi(std::string& text);
// Windows-1252 to file code, in place, by output version (3, 4 or 5): the fixed table for text the
// program supplies itself (header, end record, fixed record texts, unit spellings of the
// settings). Idempotent.
void ZeichenNachOem(std::string& text, std::int16_t ausgabeversion);
// The same for n bytes at text.
void ZeichenNachOem(char* text, std::size_t n, std::int16_t ausgabeversion);

// Copies n bytes of a line built from file text to ziel (not overlapping), as the output file of
// that version takes them: every byte as it is, except CR and LF, which become blanks, and the
// zero byte, which becomes a blank unless the output is version 3 (whose lines carry it as filler).
void DateitextKopieren(char* ziel, const char* quelle, std::size_t n, std::int16_t ausgabeversion);

// The character of a CP850 byte (Unicode), as the code page defines it.
char32_t Cp850Zeichen(unsigned char byte);
// The CP850 byte of a character; '?' for a character the code page lacks.
unsigned char Cp850Byte(char32_t zeichen);
// The character shown for a byte of file text: that of CP850, except where ZeichenNachAnsi has a
// rule of its own (zero byte and 255 as blanks, 21 as "§", 254 as "³").
char32_t DateitextZeichen(unsigned char byte);
// File text to Windows-1252 for the program's own texts (error log, header texts shown): each
// byte as DateitextZeichen shows it, "?" for the few signs Windows-1252 lacks (box lines).
std::string DateitextNachAnsi(std::string_view text);

}  // namespace korvelan
