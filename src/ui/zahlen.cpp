#include "ui/zahlen.h"

#include <QLocale>

namespace korvelan::ui {

double ZahlWert(const QString& text) {
  QString t = text;
  t.remove(QLatin1Char(' '));
  qsizetype i = 0;
  auto ziffern = [&] {
    qsizetype a = i;
    while (i < t.size() && t[i].isDigit() && t[i].unicode() < 0x80) ++i;
    return i > a;
  };
  if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) ++i;
  bool vorne = ziffern();
  bool hinten = false;
  if (i < t.size() && t[i] == QLatin1Char('.')) {
    ++i;
    hinten = ziffern();
  }
  if (!vorne && !hinten) return 0;
  qsizetype ende = i;
  if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
    ++i;
    if (i < t.size() && (t[i] == QLatin1Char('+') || t[i] == QLatin1Char('-'))) ++i;
    if (ziffern()) ende = i;
  }
  bool ok = false;
  double v = QLocale::c().toDouble(t.left(ende), &ok);
  return ok ? v : 0;
}

QString ZahlAnzeigen(double wert, int nachkommastellen) {
  QLocale l;
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  return l.toString(wert, 'f', nachkommastellen);
}

QString DezimalpunktOrtsueblich(QString text) {
  return text.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

}  // namespace korvelan::ui
