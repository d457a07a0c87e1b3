#pragma once
// A run-time failure of the core (I/O error, value out of range), with an error number and text.
// The driver's one error handler catches it and shows the message of its stage.
#include <stdexcept>
#include <string>

namespace korvelan {

class Laufzeitfehler : public std::runtime_error {
 public:
  Laufzeitfehler(int nummer, const std::string& text) : std::runtime_error(text), nummer_(nummer) {}
  int Nummer() const { return nummer_; }
  std::string Text() const { return what(); }

 private:
  int nummer_;
};

// Error number and text used when a value does not fit its type.
constexpr int FehlerUeberlauf = 6;
inline Laufzeitfehler UeberlaufFehler() { return Laufzeitfehler(FehlerUeberlauf, "Überlauf"); }

// Builds the failure for a failed system call from errno, with a German text for the usual cases.
Laufzeitfehler SystemFehler(int fehlerNr);

}  // namespace korvelan
