#include "ui/dateiwahl.h"

#include <QFileDialog>
#include <QStringList>

namespace korvelan::ui {

const char* const DateiauswahlTitel = "Dateiauswahl";
const char* const DateiauswahlFilter =
    "Datanorm-Dateien|V3-*;V3-*.*;V4-*;V4-*.*;V5-*;V5-*.*;Datanorm;Datanorm.*;datasets;datasets.*;Datpreis;"
    "datpreis.*|Datanorm.*|Datanorm.*;Datanorm|Datpreis.*|Datpreis.*;Datpreis|Datasets.*|Datasets.*;datasets|"
    "Alle Dateien: (*.*)|*.*";

QString QtNamensfilter(const QString& filter) {
  const QStringList teile = filter.split(QLatin1Char('|'));
  QStringList filterliste;
  for (int i = 0; i + 1 < teile.size(); i += 2) {
    QStringList muster;
    for (const QString& m : teile[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      // "*.*" means every file, also those without a dot.
      QString qm = m == QLatin1String("*.*") ? QStringLiteral("*") : m;
      for (const QString& v : {qm, qm.toUpper(), qm.toLower()})
        if (!muster.contains(v)) muster << v;
    }
    QString beschreibung = teile[i];
    beschreibung.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    filterliste << beschreibung.trimmed() + QStringLiteral(" (") + muster.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filterliste.join(QStringLiteral(";;"));
}

namespace {

std::optional<QString> DialogZeigen(QWidget* eltern, const QString& titel, const QString& filter) {
  QString pfad = QFileDialog::getOpenFileName(eltern, titel, QString(), QtNamensfilter(filter));
  if (pfad.isEmpty()) return std::nullopt;
  return pfad;
}

}  // namespace

Dateiwahl& DateiWaehlen() {
  static Dateiwahl wahl = DialogZeigen;
  return wahl;
}

}  // namespace korvelan::ui
