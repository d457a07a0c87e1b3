#pragma once
// The command-line working line and its check.
#include <string>

#include "context/fenster.h"
#include "context/kontext.h"

namespace korvelan {

// Builds the working line from the process arguments: trailing blanks removed, capitals for the
// letters a to z except inside the two file names (their case is kept).
std::string ArbeitszeileBilden(const std::string& kommandozeile);
// True when the working line, trimmed, is empty (interactive mode).
bool IstInteraktiv(const std::string& arbeitszeile);
// Parses the working line into AufrufEingabe, AufrufAusgabe, Ausgabeversion.
void ArbeitszeileZerlegen(Kontext& k, const std::string& arbeitszeile);
// Fills Tex_Eingabe, Tex_Ausgabe, Lab_VersionAus and Com_Version of the automatic window.
void AutomatikFensterFuellen(Kontext& k, Fenster& f);
// Checks the parameters; on failure sets Aufruffehler -1 and shows the message.
void ParameterPruefen(Kontext& k, Fenster& f);

}  // namespace korvelan
