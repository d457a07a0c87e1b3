#pragma once
// The two fixed character tables between the 8-bit code page of DATANORM files and the
// Windows-1252 text the program holds.
#include <cstddef>
#include <cstdint>
#include <string>

namespace korvelan {

// File code to Windows-1252, in place.
void ZeichenNachAnsi(std::string& text);
// Windows-1252 to file code, in place, by output version (3, 4 or 5). Idempotent.
void ZeichenNachOem(std::string& text, std::int16_t ausgabeversion);
// The same for n bytes at text.
void ZeichenNachOem(char* text, std::size_t n, std::int16_t ausgabeversion);
// Copies n bytes from quelle to ziel (not overlapping) and converts them there, in one pass.
void ZeichenNachOemKopieren(char* ziel, const char* quelle, std::size_t n, std::int16_t ausgabeversion);

}  // namespace korvelan
