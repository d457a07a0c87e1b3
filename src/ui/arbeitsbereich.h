#pragma once
// The main window's work area: the conversion window, the viewer with its field information,
// the basic-data window, the error log, the help and the information box are sub-windows there,
// so that they stay inside the main window.
#include <QMdiSubWindow>
#include <QSize>

class QMdiArea;

namespace korvelan::ui {

// A sub-window of the area that holds a window, with that window's size as its content. It is
// hidden and shown with the window and goes when the window (or the given owner) is destroyed.
class Unterfenster : public QMdiSubWindow {
  Q_OBJECT

 public:
  Unterfenster(QMdiArea* bereich, QWidget* fenster, QObject* besitzer = nullptr);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  // Keeps the frame at least as large as the window's controls need.
  void Anpassen();
};

// The work area that holds the window of w, or null when w is a window of its own.
QMdiArea* Arbeitsbereich(const QWidget* w);

// The frame the user moves and sizes: the sub-window holding w, or w itself.
QWidget* Rahmen(QWidget* w);

}  // namespace korvelan::ui
