#pragma once
// The interactive conversion window: choose a file, see its header, choose output version and
// currency; "Konvertieren" runs the conversion in this window.
#include <string>
#include <vector>

#include "context/kontext.h"
#include "ui/qtfenster.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace korvelan::ui {

// Output name proposed for an input path (empty: none). The version marker "V" + version + "-"
// replaces the "DAT" of a name beginning with "DATA" (in the file name, not in a directory) or
// "DATP"; a name that already carries the marker is proposed unchanged.
std::string AusgabenameVorschlagen(const std::string& eingabe, int eingabeversion);
// Replaces the rightmost marker of the input version in the output name by the marker of the
// output version; without a marker the name stays.
std::string VersionsmarkeErsetzen(const std::string& ausgabe, int eingabeversion, const std::string& ausgabeversion);
// The output currencies offered for an input currency.
std::vector<std::string> Waehrungsliste(const std::string& eingabewaehrung);

class DAnzeige : public QtFenster {
  Q_OBJECT

 public:
  explicit DAnzeige(Kontext& k, QWidget* eltern = nullptr);

  void WaehrungslisteLeeren() override;
  void WaehrungslisteHinzufuegen(const std::string& eintrag) override;
  void WaehrungslisteWaehlen(int index) override;
  void FortschrittZeigen(std::uint64_t gelesen, std::uint64_t gesamt) override;

  void AnzeigeVorbereiten();
  void WaehrungslisteFuellen();
  bool LaeuftKonvertierung() const;

 public slots:
  void Form_Load();
  void Com_Laden_Click();
  void Tex_Eingabe_KeyPress_Enter();
  void Tex_Eingabe_LostFocus();
  void Com_Version_Click();
  void Com_WaehrungsKz_Click();
  void Tex_Faktor_GotFocus();
  void Tex_Faktor_KeyPress_Enter();
  void Tex_Faktor_LostFocus();
  void Com_Konvertieren_Click();
  void Com_Ende_Click();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void FaktorSichtbar(bool an);
  void HilfeZurVersion();

  Kontext& k_;
  QGroupBox *Fra_Einlesen, *Fra_Auslesen, *Fra_Arbeit, *Frame2;
  QLineEdit *Tex_Eingabe, *Tex_Info1, *Tex_Info2, *Tex_Ausgabe, *Tex_ArtikelNr, *Tex_Bearbeitet, *Tex_Faktor;
  QPlainTextEdit* Tex_Info3;
  QLabel *Lab_Version, *Lab_Datum, *Lab_WaehrungKz, *Lab_Datum1, *Lab_Bearbeitet, *Lab_Fehler, *Lab_Faktor, *Lab_Hilfe;
  QComboBox *Com_Version, *Com_WaehrungsKz;
  QPushButton *Com_Laden, *Com_Konvertieren, *Com_Ende;
  QProgressBar* fortschritt_;
  // Set while Enter has already analysed the typed name, so that leaving the box does not
  // analyse it a second time.
  QString analysiert_;
  // True while "Konvertieren" runs the conversion in this window.
  bool lauf_ = false;
  // The output currency last selected for this file; kept when another output version is chosen.
  std::string gewaehlteWaehrung_;
};

}  // namespace korvelan::ui
