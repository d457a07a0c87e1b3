#pragma once
// Numbers the windows read from text boxes and show to the user.
#include <QString>

namespace korvelan::ui {

// Value of the decimal number at the start of a text, blanks anywhere ignored, "." as the
// decimal point, an optional sign and exponent; 0 when there is none.
double ZahlWert(const QString& text);
// A number with exactly that many decimals in the user's locale, no grouping ("1,962400").
QString ZahlAnzeigen(double wert, int nachkommastellen);
// A text with "." as decimal point (from the core's number patterns) in the user's locale.
QString DezimalpunktOrtsueblich(QString text);

}  // namespace korvelan::ui
