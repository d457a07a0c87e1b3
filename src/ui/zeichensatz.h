#pragma once
// The bridges between the program's Windows-1252 text, the files' CP850 text and QString.
// QString::fromLatin1 would be wrong for 0x80-0x9F (euro sign, quotes, dashes), so a table of all
// 256 codes is used.
#include <QString>
#include <string>
#include <string_view>

namespace korvelan::ui {

QString AlsQString(std::string_view ansi);
// Characters without a Windows-1252 code become "?".
std::string AlsAnsi(const QString& text);

// Text of a DATANORM file (CP850, the file's code) as shown on screen: every window that shows
// file text shows it through this one table (DateitextZeichen).
QString DateitextAlsQString(std::string_view datei);
// Back to the file's code; characters without a CP850 byte become "?".
std::string AlsDateitext(const QString& text);

// File names: the bytes of the file system (the local 8-bit encoding), not Windows-1252.
QString PfadAlsQString(const std::string& pfad);
std::string PfadAlsBytes(const QString& pfad);

// Line ends: the core writes CR LF (information texts) or LF (messages); text boxes use LF.
QString ZeilenendenFuerAnzeige(QString text);

// Twips to pixels (15 twips are one pixel).
inline int Px(int twips) { return (twips + 7) / 15; }

}  // namespace korvelan::ui
