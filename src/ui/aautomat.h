#pragma once
// The progress window of a command-line conversion: the user only watches it; closing it during a
// run requests cancellation.
#include "context/kontext.h"
#include "ui/qtfenster.h"

class QProgressBar;

namespace korvelan::ui {

class AAutomat : public QtFenster {
  Q_OBJECT

 public:
  explicit AAutomat(Kontext& k, QWidget* eltern = nullptr);

  void FortschrittZeigen(std::uint64_t gelesen, std::uint64_t gesamt) override;
  int Prozent() const;

  // Shown: with a failed parameter check the message is given and the window goes.
  void Form_Activate();

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  Kontext& k_;
  QProgressBar* fortschritt_;
};

// Command-line mode: fills the progress window, checks the parameters, analyses the input, shows
// the window and converts; then every window closes. Returns the exit status of the program,
// the same as korvelan-konvert's for the same outcome.
int KommandozeilenModus(Kontext& k, const std::string& arbeitszeile);

}  // namespace korvelan::ui
