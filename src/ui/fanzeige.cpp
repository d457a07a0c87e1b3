#include "ui/fanzeige.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "ui/zeichensatz.h"

namespace korvelan::ui {

namespace {

bool DruckdialogZeigen(QPrinter& drucker, QWidget* eltern) {
  QPrintDialog d(&drucker, eltern);
  d.setOption(QAbstractPrintDialog::PrintPageRange, false);
  return d.exec() == QDialog::Accepted;
}

}  // namespace

FAnzeige::Druckerwahl& FAnzeige::DruckerWaehlen() {
  static Druckerwahl wahl = DruckdialogZeigen;
  return wahl;
}

FAnzeige::FAnzeige(QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("Fehlerprotokoll"));
  setObjectName(QStringLiteral("FAnzeige"));
  Tex_Protokoll = new QPlainTextEdit(this);
  Tex_Protokoll->setObjectName(QStringLiteral("Tex_Protokoll"));
  Tex_Protokoll->setReadOnly(true);
  Tex_Protokoll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Tex_Protokoll->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Tex_Protokoll->setMinimumSize(Px(6612), Px(4092));

  auto* rahmen = new QGroupBox(this);
  Com_Protokoll = new QPushButton(QStringLiteral("&Protokoll drucken"), rahmen);
  Com_Protokoll->setObjectName(QStringLiteral("Com_Protokoll"));
  Com_Ende = new QPushButton(QStringLiteral("B&eenden"), rahmen);
  Com_Ende->setObjectName(QStringLiteral("Com_Ende"));
  auto* knoepfe = new QHBoxLayout(rahmen);
  knoepfe->addWidget(Com_Protokoll);
  knoepfe->addStretch();
  knoepfe->addWidget(Com_Ende);

  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(Px(120), Px(120), Px(120), Px(120));
  l->addWidget(Tex_Protokoll, 1);
  l->addWidget(rahmen);

  connect(Com_Protokoll, &QPushButton::clicked, this, &FAnzeige::Com_Protokoll_Click);
  connect(Com_Ende, &QPushButton::clicked, this, &FAnzeige::Com_Ende_Click);
}

void FAnzeige::ProtokollSetzen(const QString& text) { Tex_Protokoll->setPlainText(ZeilenendenFuerAnzeige(text)); }

QString FAnzeige::Protokoll() const { return Tex_Protokoll->toPlainText(); }

void FAnzeige::Com_Protokoll_Click() {
  QPrinter drucker;
  if (!DruckerWaehlen()(drucker, this)) return;
  // One document, each line of the log a printed line, in a fixed-pitch font so that the
  // columns of the log stay aligned.
  QTextDocument dokument;
  QFont schrift(QStringLiteral("Courier New"), 10);
  schrift.setStyleHint(QFont::Monospace);
  dokument.setDefaultFont(schrift);
  dokument.setPlainText(Tex_Protokoll->toPlainText());
  dokument.print(&drucker);
}

void FAnzeige::Com_Ende_Click() { accept(); }

}  // namespace korvelan::ui
