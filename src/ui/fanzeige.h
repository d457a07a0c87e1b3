#pragma once
// The error-log window: the log of the last conversion, read-only, and printing it.
#include <QDialog>
#include <functional>

class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace korvelan::ui {

class FAnzeige : public QDialog {
  Q_OBJECT

 public:
  // Chooses the printer: false when the user cancels. Replaceable, so that tests print to a PDF.
  using Druckerwahl = std::function<bool(QPrinter& drucker, QWidget* eltern)>;
  static Druckerwahl& DruckerWaehlen();

  explicit FAnzeige(QWidget* eltern = nullptr);

  void ProtokollSetzen(const QString& text);
  QString Protokoll() const;

 public slots:
  void Com_Protokoll_Click();
  void Com_Ende_Click();

 private:
  QPlainTextEdit* Tex_Protokoll;
  QPushButton* Com_Protokoll;
  QPushButton* Com_Ende;
};

}  // namespace korvelan::ui
