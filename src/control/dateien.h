#pragma once
// Buffered binary input and output files of a conversion. A line ends at CR LF, a lone LF or a
// lone CR; every line written ends with CR LF. A failed read or write raises a Laufzeitfehler.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvelan {

class Eingabedatei {
 public:
  Eingabedatei() = default;
  ~Eingabedatei();
  Eingabedatei(const Eingabedatei&) = delete;
  Eingabedatei& operator=(const Eingabedatei&) = delete;

  // Opens a file for reading; false (with errno set) when it cannot be opened.
  bool Oeffnen(const std::string& pfad);
  void Schliessen();
  bool IstOffen() const { return datei_ != nullptr; }

  // Reads the next line without its end; false when the file is at its end.
  bool ZeileLesen(std::string& zeile);
  // The same without a copy: the view points into the read block (or, for a line that runs
  // across two blocks, into a buffer of this file) and stays valid until the next read or
  // AmEnde on this file. Empty when false is returned.
  bool ZeileLesen(std::string_view& zeile);
  // Reads up to n bytes regardless of line breaks; returns the count read.
  std::size_t BlockLesen(std::string& block, std::size_t n);
  // True when no byte is left.
  bool AmEnde();

  // Bytes consumed so far and the file's size when it was opened.
  std::uint64_t Position() const { return position_; }
  std::uint64_t Groesse() const { return groesse_; }

 private:
  bool Nachfuellen();
  bool ZeileSammeln(std::string& zeile);

  std::FILE* datei_ = nullptr;
  std::vector<char> puffer_;
  std::size_t anfang_ = 0, ende_ = 0;
  std::uint64_t position_ = 0, groesse_ = 0;
  std::string zeilenrest_;  // a line that does not lie within one block, for the view
};

class Ausgabedatei {
 public:
  Ausgabedatei() = default;
  ~Ausgabedatei();
  Ausgabedatei(const Ausgabedatei&) = delete;
  Ausgabedatei& operator=(const Ausgabedatei&) = delete;

  // Creates (or replaces) a file for writing; false (with errno set) on failure.
  bool Erstellen(const std::string& pfad);
  // Writes the text and CR LF.
  void ZeileSchreiben(std::string_view zeile);
  // The same in two steps, for a caller that writes the n bytes of the line itself: ZeilePlatz
  // returns where they go, ZeileFertig adds CR LF after them.
  char* ZeilePlatz(std::size_t n) {
    if (!datei_) KeineDatei();
    if (kapazitaet_ - belegt_ < n + 2) Vergroessern(belegt_ + n + 2);
    return puffer_.get() + belegt_;
  }
  void ZeileFertig(std::size_t n) {
    char* p = puffer_.get() + belegt_ + n;
    p[0] = '\r';
    p[1] = '\n';
    belegt_ += n + 2;
    if (belegt_ >= Blockgroesse) Leeren();
  }
  // Flushes and closes; a failure raises a Laufzeitfehler (the file is closed all the same).
  void Schliessen();
  // Closes without reporting failures (used on the way out of an error).
  void Verwerfen();
  bool IstOffen() const { return datei_ != nullptr; }

 private:
  static constexpr std::size_t Blockgroesse = 1 << 16;  // written out when reached

  void Leeren();
  void Vergroessern(std::size_t n);
  [[noreturn]] static void KeineDatei();

  std::FILE* datei_ = nullptr;
  // Lines collect here and are written when 64 KiB are reached; the block is larger than that
  // by room for an ordinary line, so that a line is copied in without a test for growth.
  std::unique_ptr<char[]> puffer_;
  std::size_t belegt_ = 0, kapazitaet_ = 0;
};

bool DateiVorhanden(const std::string& pfad);
// True for a regular file (not a device, pipe or directory).
bool IstNormaleDatei(const std::string& pfad);
// True when both names exist and denote the same file.
bool DieselbeDatei(const std::string& a, const std::string& b);

}  // namespace korvelan
