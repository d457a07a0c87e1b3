#include "ui/deutsch.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace korvelan::ui {

bool QtTexteDeutsch(QCoreApplication& app) {
  // The program speaks German whatever the system's language is, so its dialogs do too.
  auto* uebersetzung = new QTranslator(&app);
  if (!uebersetzung->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete uebersetzung;
    return false;
  }
  app.installTranslator(uebersetzung);
  return true;
}

}  // namespace korvelan::ui
