#include "ui/zeichensatz.h"

#include <QFile>
#include <array>

#include "context/zeichentabellen.h"
#include "record/text.h"

namespace korvelan::ui {

namespace {

using Tabelle = std::array<char16_t, 256>;

template <typename Zeichen>
Tabelle TabelleBauen(Zeichen zeichen) {
  Tabelle t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<char16_t>(zeichen(static_cast<unsigned char>(i)));
  return t;
}

QString MitTabelle(std::string_view text, const Tabelle& t) {
  QString s;
  s.resize(static_cast<qsizetype>(text.size()));
  QChar* z = s.data();
  for (std::size_t i = 0; i < text.size(); ++i) z[i] = QChar(t[static_cast<unsigned char>(text[i])]);
  return s;
}

// Each character of a QString to its byte.
template <typename Byte>
std::string MitFunktion(const QString& text, Byte byte) {
  std::string s;
  s.reserve(static_cast<std::size_t>(text.size()));
  for (QChar c : text) s.push_back(static_cast<char>(byte(c.unicode())));
  return s;
}

}  // namespace

QString AlsQString(std::string_view ansi) {
  static const Tabelle t = TabelleBauen(AnsiZeichen);
  return MitTabelle(ansi, t);
}

std::string AlsAnsi(const QString& text) { return MitFunktion(text, AnsiByte); }

QString DateitextAlsQString(std::string_view datei) {
  static const Tabelle t = TabelleBauen(DateitextZeichen);
  return MitTabelle(datei, t);
}

std::string AlsDateitext(const QString& text) { return MitFunktion(text, Cp850Byte); }

QString PfadAlsQString(const std::string& pfad) { return QFile::decodeName(QByteArray::fromStdString(pfad)); }
std::string PfadAlsBytes(const QString& pfad) { return QFile::encodeName(pfad).toStdString(); }

QString ZeilenendenFuerAnzeige(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace korvelan::ui
