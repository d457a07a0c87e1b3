#pragma once
// The main window of the interactive program: its menu opens the conversion window, the viewer,
// the basic-data window, the help and the information box, each at most once.
#include <QMainWindow>
#include <QPointer>
#include <QTextBrowser>

#include "context/kontext.h"
#include "ui/danzeige.h"
#include "ui/grunddat.h"
#include "ui/hanzeige.h"
#include "ui/manzeige.h"

class QMdiArea;

namespace korvelan::ui {

class AAnzeige : public QMainWindow {
  Q_OBJECT

 public:
  explicit AAnzeige(Kontext& k, QWidget* eltern = nullptr);
  ~AAnzeige() override;

  DAnzeige* Konvertierfenster() const { return danzeige_; }
  MAnzeige* Betrachter() const { return manzeige_; }
  Grunddat* Grunddatenfenster() const { return grunddat_; }
  HAnzeige* Information() const { return hanzeige_; }
  QTextBrowser* Hilfefenster() const { return hilfe_; }
  // The work area whose sub-windows the child windows are.
  QMdiArea* Bereich() const { return bereich_; }

  // Path of the help file in the program directory.
  QString Hilfedatei() const;

 public slots:
  void Men_Konvertieren_Click();
  void Men_Anzeigen_Click();
  void Men_Grunddaten_Click();
  void Men_Hilfe1_Click();
  void Men_Hilfe2_Click();
  void Men_Beenden_Click();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // Makes a new child window a sub-window of the work area, discarded when it is closed.
  void Aufnehmen(QWidget* w);
  // Asks whether to save the basic data when their window holds changes (Ja / Nein / Abbrechen);
  // false when the program is to stay open (Abbrechen, or saving failed).
  bool GrunddatenSichern();
  // Places a child window below the top and right of the left edge of the work area and shows
  // it (in front when it already was open).
  void Platzieren(QWidget* w, int obenTwips);
  QString Programmverzeichnis() const;

  Kontext& k_;
  QMdiArea* bereich_;
  QPointer<DAnzeige> danzeige_;
  QPointer<MAnzeige> manzeige_;
  QPointer<Grunddat> grunddat_;
  QPointer<HAnzeige> hanzeige_;
  QPointer<QTextBrowser> hilfe_;
};

}  // namespace korvelan::ui
