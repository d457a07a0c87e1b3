#pragma once
// Text helpers on Windows-1252 byte strings, the code page the program holds its text in.
#include <string>
#include <string_view>

namespace korvelan {

// Removes trailing blanks.
std::string Rechtstrimmen(std::string_view s);
// Removes blanks on both sides.
std::string Trimmen(std::string_view s);
// True when the text is empty or consists of blanks only.
bool IstLeer(std::string_view s);
// Capitals: only the letters a to z change (8-bit codes of the files stay as they are).
std::string Gross(std::string_view s);
void GrossInPlatz(std::string& s);
// "Cut to n": pad with blanks to n, take the first n characters, remove trailing blanks.
std::string Kuerzen(std::string_view s, std::size_t n);
// Pads with blanks on the right or cuts to exactly n characters.
std::string Auffuellen(std::string_view s, std::size_t n);
// Characters from 1-based position von, at most laenge of them (like Mid).
std::string_view Mitte(std::string_view s, std::size_t von, std::size_t laenge);
// True when every character is a digit 0-9 and the text is not empty.
bool IstNumerisch(std::string_view s);

// Source literals are UTF-8; the program's texts are Windows-1252. Ansi converts a UTF-8 text
// (as written in the source) to Windows-1252; Utf8 converts the other way for terminals and files.
std::string Ansi(std::string_view utf8);
std::string Utf8(std::string_view ansi);

}  // namespace korvelan
