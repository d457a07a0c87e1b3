#pragma once
// The file viewer: lists a DATANORM file one record per line; a click into a line shows the
// field information of the file's version.
#include <QPointer>
#include <string>

#include "ui/manzeigf.h"
#include "ui/qtfenster.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace korvelan::ui {

class MAnzeige : public QtFenster {
  Q_OBJECT

 public:
  // hauptfenster: the window whose width the field information takes (may be null).
  explicit MAnzeige(QWidget* eltern = nullptr, QWidget* hauptfenster = nullptr);

  static constexpr const char* Abbruchzeile = "****** Listung abgebrochen ******";

  // Loads and lists a file as "&Datei laden" does after the dialog.
  void DateiAnzeigen(const QString& pfad);
  // The field information for column k (1-based) of a line of the listing.
  void FeldinfoZeigen(const std::string& zeile, int k);
  MANZEIGF* Feldinfo() const { return feldinfo_; }
  bool ListungLaeuft() const { return listung_ == 9; }
  int Version() const { return version_; }

 public slots:
  void Form_Load();
  void Com_Laden_Click();
  void Com_Ende_Click();
  void Tex_Anzeige_Click();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Listen(bool version3);

  QPlainTextEdit* Tex_Anzeige;
  QPushButton *Com_Laden, *Com_Ende;
  QLabel* Lab_Hilfe;
  QWidget* hauptfenster_;
  QPointer<MANZEIGF> feldinfo_;
  QString dateiname_;
  int pruefung_ = 0;
  int version_ = 0;
  std::string datenkennzeichen_;
  int listung_ = 0;
};

}  // namespace korvelan::ui
