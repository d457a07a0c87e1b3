#pragma once
// The file viewer: lists a DATANORM file of any size one record per row, finds a text in it, and
// a click into a row shows the field information. The rows are indexed in steps on a timer, so
// the first rows show at once and the window answers while the rest of the file is indexed.
#include <QPointer>
#include <QTimer>
#include <memory>
#include <string>

#include "ui/manzeigf.h"
#include "ui/qtfenster.h"
#include "ui/zeilenindex.h"
#include "ui/zeilenliste.h"

class QLabel;
class QLineEdit;
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
  bool SucheLaeuft() const { return suche_ != nullptr; }
  int Version() const { return version_; }
  // The listing: its rows as shown, the selected row.
  Zeilenansicht* Liste() const { return Tex_Anzeige; }
  const Zeilenmodell* Modell() const { return modell_; }
  // How much one step of indexing or searching does before the window's events are processed:
  // whole reads of this many bytes, for at least one read and at most this many milliseconds.
  void SchrittSetzen(std::uint64_t bytes, int millisekunden) {
    schrittbytes_ = bytes;
    schrittzeit_ = millisekunden;
  }

 public slots:
  void Form_Load();
  void Com_Laden_Click();
  void Com_Ende_Click();
  void Tex_Anzeige_Click();
  // Finds the text of Tex_Suchtext after the selected row ("&Suchen") or before it.
  void Com_Suchen_Click();
  void Com_Rueckwaerts_Click();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void Listen(bool version3);
  void Indexschritt();
  void ListungBeenden(bool abgebrochen);
  void SucheStarten(bool vorwaerts);
  void Suchschritt();
  void SucheBeenden();
  void FortschrittZeigen();
  void DateizeileZeigen();

  Zeilenansicht* Tex_Anzeige;
  Zeilenmodell* modell_;
  QLineEdit* Tex_Suchtext;
  QPushButton *Com_Suchen, *Com_Rueckwaerts, *Com_Laden, *Com_Ende;
  QLabel* Lab_Hilfe;
  Zeilenindex index_;
  QTimer indexTakt_, suchTakt_;
  std::unique_ptr<Zeilensuche> suche_;
  std::uint64_t schrittbytes_ = std::uint64_t{1} << 20;
  int schrittzeit_ = 15;
  QString suchtext_;
  bool suchtVorwaerts_ = true;
  QWidget* hauptfenster_;
  QPointer<MANZEIGF> feldinfo_;
  QString dateiname_;
  int pruefung_ = 0;
  int version_ = 0;
  std::string datenkennzeichen_;
  int listung_ = 0;
};

}  // namespace korvelan::ui
