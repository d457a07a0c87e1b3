#pragma once
// The Qt side of the window interface: a window whose named controls the core reads and writes,
// with message box, input box, busy pointer, beep, event processing and the modal error log.
#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <array>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "context/fenster.h"

namespace korvelan::ui {

// The application's title, used when a message box has none, and the program's version.
inline const char* const Anwendungstitel = "KORVELAN";
inline const char* const Programmversion = "Rel. 1.1";

// The width a dialog needs so that the window system shows its whole title.
int TitelBreite(const QString& titel);

// A message box over the given window (plain text, never rich text).
Antwort MeldungZeigen(QWidget* eltern, const QString& text, const QString& titel, Knoepfe knoepfe, Symbol symbol);

class QtFenster : public QWidget, public Fenster {
  Q_OBJECT

 public:
  explicit QtFenster(QWidget* eltern = nullptr);

  std::string Text(std::string_view name) const override;
  void SetzeText(std::string_view name, std::string_view text) override;
  bool Sichtbar(std::string_view name) const override;
  void Aktivieren(std::string_view name, bool an) override;

  Antwort Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) override;
  std::optional<std::string> Eingabe(const std::string& aufforderung, const std::string& titel,
                                     const std::string& vorgabe) override;

  char Dezimalzeichen() const override;
  void Sanduhr(bool an) override;
  void Piepton() override;
  // Shows the progress texts and lets Qt process pending events (at most every 20 ms); true when
  // the user asked to cancel since the last report.
  bool Melden(const Fortschritt& stand) override;
  void ProtokollZeigen(const std::string& protokoll, int obenTwips, int linksTwips) override;

  // The control of that name, or null.
  QWidget* Steuerelement(std::string_view name) const;
  // Whether a run's record loop reports to this window (between its first report and its last).
  bool MeldetLauf() const { return imLauf_; }

 protected:
  // The progress bar of the window, if it has one: bytes of the input read so far and in all.
  virtual void FortschrittZeigen(std::uint64_t gelesen, std::uint64_t gesamt) {
    (void)gelesen;
    (void)gesamt;
  }
  // A cancel request of the user (button, closing the window): taken by the next report while the
  // record loop runs; false, and nothing requested, when no run is reporting.
  bool AbbruchAnfordern();
  // Makes a widget reachable by its control name (also its object name). Path controls hold
  // file names, which keep the bytes of the file system instead of Windows-1252.
  void Registrieren(const char* name, QWidget* w, bool pfad = false);
  ~QtFenster() override;

 private:
  std::map<std::string, QWidget*, std::less<>> steuer_;
  std::set<std::string, std::less<>> pfade_;
  // Shows the texts held back during a run in their controls.
  void AusstehendeAnzeigen();

  bool sanduhr_ = false;
  QElapsedTimer letzteVerarbeitung_;
  // Texts of the controls the record loop sets once per record, held back while the run is busy
  // and shown when events are processed: laying out a text in a control costs more than
  // converting the record, and nothing is painted in between anyway.
  struct ProSatzText {
    QWidget* steuerelement = nullptr;  // null when the window lacks the control
    std::string text;
    bool wartet = false;  // set while the run holds the text back
    std::int64_t zahl = 0;  // the count the text shows, when zahlGilt (Lab_Bearbeitet, Lab_Fehler)
    bool zahlGilt = false;
  };
  std::array<ProSatzText, 4> proSatz_;
  // Held back for the progress texts: the texts of a number are made when they are shown.
  void ProSatzHalten(std::size_t platz, std::string_view text);
  void ProSatzZahlHalten(std::size_t platz, std::int64_t zahl);
  bool imLauf_ = false;     // between a run's first report and its last (or its error)
  bool abbrechen_ = false;  // the user asked to cancel since the last report
  // Let Qt process pending events; cancel requests arrive here.
  void EreignisseVerarbeiten();
};

}  // namespace korvelan::ui
