#include "ui/hanzeige.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/qtfenster.h"
#include "ui/zeichensatz.h"

namespace korvelan::ui {

HAnzeige::HAnzeige(QWidget* eltern) : QWidget(eltern, eltern ? Qt::Window : Qt::WindowFlags()) {
  setObjectName(QStringLiteral("HAnzeige"));
  setWindowTitle(QStringLiteral("Information - ") + QString::fromLatin1(Anwendungstitel) + QLatin1Char(' ') +
                 QString::fromLatin1(Programmversion));
  auto* titel = new QLabel(QStringLiteral("DATANORM"), this);
  QFont gross = titel->font();
  gross.setPointSize(24);
  titel->setFont(gross);
  titel->setAlignment(Qt::AlignCenter);
  auto* satz1 = new QLabel(
      QStringLiteral("DATANORM ist ein genormtes Verfahren zum Austausch von Artikelstammdaten zwischen "
                     "Herstellern, dem Fachgroßhandel und dem Handwerk."),
      this);
  auto* satz2 = new QLabel(
      QStringLiteral("Grundlage sind Satzbeschreibungen, die der Arbeitskreis Korvelan gemeinsam mit Verbänden, "
                     "Herstellern, Fachhändlern und Softwarehäusern entworfen und technisch im Einzelnen "
                     "festgelegt hat."),
      this);
  auto* linie = new QFrame(this);
  linie->setFrameShape(QFrame::HLine);
  linie->setFrameShadow(QFrame::Sunken);
  auto* name = new QLabel(QStringLiteral("Korvelan"), this);
  name->setAlignment(Qt::AlignCenter);
  for (QLabel* l : {satz1, satz2}) l->setWordWrap(true);
  auto* l = new QVBoxLayout(this);
  l->addWidget(titel);
  l->addWidget(satz1);
  l->addWidget(satz2);
  l->addStretch();
  l->addWidget(linie);
  l->addWidget(name);
  Form_Load();
}

void HAnzeige::Form_Load() { resize(Px(6504), Px(4848)); }

}  // namespace korvelan::ui
