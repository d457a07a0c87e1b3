#pragma once
// The basic-data window: exchange rates of the stored currencies and the unit table (version-5
// code with description, and the spellings mapped onto it). "B&eenden" writes KELBORIS.DAT.
#include <QWidget>
#include <string>

#include "context/kontext.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace korvelan::ui {

// A typed spelling list as stored: every non-blank piece between ";" without its leading blanks,
// padded or cut to 4 characters and followed by ";" ("kg;KG ; Kilo;;x" gives "kg  ;KG  ;Kilo;x   ;").
std::string SchreibweisenNormalisieren(const std::string& text);
// A new unit row as typed: the code (up to the first blank, at most 4 characters), a blank and
// the description ("ABCDEFG" gives "ABCD EFG").
std::string CodeUndBezeichnung(const std::string& text);

class Grunddat : public QWidget {
  Q_OBJECT

 public:
  static constexpr int NeueZeile = 9999;

  explicit Grunddat(Kontext& k, QWidget* eltern = nullptr);

  // Row texts as the lists hold them (Windows-1252, with the tab between the columns).
  std::string Zeile1(int i) const;
  std::string Zeile2(int i) const;
  int Bearbeitungszeile() const { return bearbeitungszeile_; }

  void FaktAnzeigen();
  // Writes the settings file; false (after telling the user) when it could not be written.
  bool FaktSpeichern();
  // True when the tables differ from what the window showed when it opened or last saved.
  bool Geaendert() const;
  // Takes the tables back to that state (the user declined to save the changes).
  void AenderungenVerwerfen();

 public slots:
  void Form_Load();
  void List1_Click();
  void Tex_Kurs_GotFocus();
  void Tex_Kurs_LostFocus();
  void List2_Click();
  void Tex_Einh_Change();
  void Tex_Einh_LostFocus();
  void Command1_Click();
  void Tex_EinhV5_LostFocus();
  void Com_Loschen_Click();
  void Com_Ende_Click();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void SetzeZeile1(int i, const std::string& zeile);
  void SetzeZeile2(int i, const std::string& zeile);
  void ZeileHinzufuegen(QListWidget* liste, const std::string& zeile);
  void EinheitenAusListe();

  Kontext& k_;
  QListWidget *List1, *List2;
  QLineEdit *Tex_Waehrung, *Tex_Kurs, *Tex_EinhV5, *Tex_Einh;
  QPushButton *Command1, *Com_Loschen, *Com_Ende;
  // The tables as opened or last saved.
  Grunddaten gesichert_;
  int waehrungszeile_ = 0;
  int bearbeitungszeile_ = 0;
};

}  // namespace korvelan::ui
