#include "ui/zeichensatz.h"

#include <QFile>
#include <array>

namespace korvelan::ui {

namespace {

// 0x80 to 0x9F; codes that Windows-1252 leaves free map to the C1 control of the same number.
constexpr std::array<char16_t, 32> Obere = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<char16_t, 256> TabelleBauen() {
  std::array<char16_t, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<char16_t>(i);
  for (int i = 0; i < 32; ++i) t[0x80 + i] = Obere[i];
  return t;
}

constexpr std::array<char16_t, 256> Tabelle = TabelleBauen();

}  // namespace

QString AlsQString(std::string_view ansi) {
  QString s;
  s.resize(static_cast<qsizetype>(ansi.size()));
  QChar* z = s.data();
  for (std::size_t i = 0; i < ansi.size(); ++i) z[i] = QChar(Tabelle[static_cast<unsigned char>(ansi[i])]);
  return s;
}

std::string AlsAnsi(const QString& text) {
  std::string s;
  s.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) {
    char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      s.push_back(static_cast<char>(u));
      continue;
    }
    char b = '?';
    for (int i = 0; i < 32; ++i)
      if (Obere[i] == u) {
        b = static_cast<char>(0x80 + i);
        break;
      }
    s.push_back(b);
  }
  return s;
}

QString PfadAlsQString(const std::string& pfad) { return QFile::decodeName(QByteArray::fromStdString(pfad)); }
std::string PfadAlsBytes(const QString& pfad) { return QFile::encodeName(pfad).toStdString(); }

QString ZeilenendenFuerAnzeige(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace korvelan::ui
