#include "context/dateien.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "context/zeichentabellen.h"
#include "record/bytebloecke.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

namespace {
constexpr std::size_t Puffergroesse = 1 << 16;
// The character set is decided on the first 4 MiB of a file.
constexpr std::uint64_t Erkennungsgrenze = std::uint64_t{4} << 20;
constexpr std::uint64_t Hoch = 0x8080808080808080ULL;

// The UTF-8 character that begins at p, with n bytes at hand: its length when the bytes form a
// valid character (zeichen is then set); 0 when the byte at p begins none (no lead byte, a byte
// that does not continue it, an overlong form, a surrogate, beyond U+10FFFF); minus its length
// when the n bytes begin a valid character that needs more of them.
int Utf8Zeichen(const unsigned char* p, std::size_t n, char32_t& zeichen) {
  const unsigned char c = p[0];
  int laenge;
  unsigned char min2 = 0x80, max2 = 0xBF;  // the second byte is narrower after some leads
  char32_t z;
  if (c < 0x80) {
    zeichen = c;
    return 1;
  }
  if (c < 0xC2) return 0;
  if (c < 0xE0) {
    laenge = 2;
    z = c & 0x1Fu;
  } else if (c < 0xF0) {
    laenge = 3;
    z = c & 0x0Fu;
    if (c == 0xE0) min2 = 0xA0;
    if (c == 0xED) max2 = 0x9F;
  } else if (c < 0xF5) {
    laenge = 4;
    z = c & 0x07u;
    if (c == 0xF0) min2 = 0x90;
    if (c == 0xF4) max2 = 0x8F;
  } else {
    return 0;
  }
  for (int i = 1; i < laenge; ++i) {
    if (static_cast<std::size_t>(i) >= n) return -laenge;
    const unsigned char f = p[i];
    if (i == 1 ? (f < min2 || f > max2) : (f < 0x80 || f > 0xBF)) return 0;
    z = (z << 6) | (f & 0x3Fu);
  }
  zeichen = z;
  return laenge;
}

// Converts n bytes of UTF-8 at p into CP850 in place and returns the length of the result (each
// character becomes one byte, so it is never longer): a character CP850 lacks and a byte that is
// no valid UTF-8 become "?". A character cut off by the end of the bytes goes to rest, to be read
// again in front of the next block; at the end of the file its bytes are invalid.
std::size_t Utf8NachCp850(char* p, std::size_t n, bool dateiende, char* rest, std::size_t& restLaenge) {
  unsigned char* const b = reinterpret_cast<unsigned char*>(p);
  std::size_t i = 0, o = 0;
  while (i < n) {
    // Runs of ASCII move eight bytes at a time.
    if (n - i >= 8) {
      std::uint64_t w;
      std::memcpy(&w, b + i, 8);
      if ((w & Hoch) == 0) {
        std::memcpy(b + o, &w, 8);
        i += 8;
        o += 8;
        continue;
      }
    }
    char32_t z = 0;
    const int l = Utf8Zeichen(b + i, n - i, z);
    if (l < 0 && !dateiende) {
      restLaenge = n - i;
      std::memcpy(rest, b + i, restLaenge);
      break;
    }
    if (l <= 0) {
      b[o++] = '?';
      ++i;
      continue;
    }
    b[o++] = Cp850Byte(z);
    i += static_cast<std::size_t>(l);
  }
  return o;
}

// Windows-1252 byte to CP850 byte.
std::array<unsigned char, 256> AnsiNachCp850Bauen() {
  std::array<unsigned char, 256> t{};
  for (int b = 0; b < 256; ++b) t[b] = Cp850Byte(AnsiZeichen(static_cast<unsigned char>(b)));
  return t;
}

// The letters the decision looks for: the German letters of CP850 and of Windows-1252.
constexpr unsigned char Cp850Buchstabe = 1, AnsiBuchstabe = 2;
constexpr std::array<unsigned char, 256> BuchstabenBauen() {
  std::array<unsigned char, 256> t{};
  for (unsigned char b : {0x81, 0x84, 0x8E, 0x94, 0x99, 0x9A, 0xE1}) t[b] |= Cp850Buchstabe;
  for (unsigned char b : {0xC4, 0xD6, 0xDC, 0xDF, 0xE4, 0xF6, 0xFC}) t[b] |= AnsiBuchstabe;
  return t;
}
constexpr std::array<unsigned char, 256> Buchstaben = BuchstabenBauen();

}  // namespace

void TextInCp850(std::string& text, Zeichensatz z) {
  static const std::array<unsigned char, 256> AnsiNachCp850 = AnsiNachCp850Bauen();
  if (z == Zeichensatz::Windows1252) {
    for (char& c : text) c = static_cast<char>(AnsiNachCp850[static_cast<unsigned char>(c)]);
  } else if (z == Zeichensatz::Utf8) {
    std::size_t restLaenge = 0;
    text.resize(Utf8NachCp850(text.data(), text.size(), true, nullptr, restLaenge));
  }
}

const char* ZeichensatzName(Zeichensatz z) {
  switch (z) {
    case Zeichensatz::Utf8: return "UTF-8";
    case Zeichensatz::Windows1252: return "Windows-1252";
    case Zeichensatz::Cp850: break;
  }
  return "CP850";
}

Eingabedatei::~Eingabedatei() { Schliessen(); }

// Decides the character set on the first 4 MiB of the file just opened, read through the block:
//  - no byte of 0x80 or above: CP850 (plain ASCII);
//  - the bytes are valid UTF-8 (a character cut at the 4 MiB edge allowed): UTF-8;
//  - any German letter of CP850 (0x81 0x84 0x8E 0x94 0x99 0x9A 0xE1): CP850;
//  - any German letter of Windows-1252 (0xC4 0xD6 0xDC 0xDF 0xE4 0xF6 0xFC): Windows-1252;
//  - otherwise CP850.
// Valid UTF-8 is taken before the CP850 letters: the bytes 0x84 and 0x94 continue common UTF-8
// characters ("Ä" is C3 84, the dash U+2014 is E2 80 94), while a CP850 file whose umlauts all
// happen to form valid UTF-8 characters does not occur in practice (its "ü" 0x81 and "ä" 0x84
// stand after plain letters, where no UTF-8 character may continue). A CP850 file stops the
// reading at its first umlaut that is no valid UTF-8.
Zeichensatz Eingabedatei::ZeichensatzErkennen() {
  unsigned char* const b = reinterpret_cast<unsigned char*>(puffer_.data());
  bool hoch = false, utf8 = true;
  unsigned buchstaben = 0;
  std::size_t rest = 0;  // bytes of a UTF-8 character cut by the block, moved to its front
  std::uint64_t gelesen = 0;
  for (;;) {
    const std::size_t wunsch =
        static_cast<std::size_t>(std::min<std::uint64_t>(puffer_.size() - rest, Erkennungsgrenze - gelesen));
    const std::size_t n = wunsch == 0 ? 0 : std::fread(b + rest, 1, wunsch, datei_);
    if (n == 0) break;  // the end, the 4 MiB, or a read error (the reading proper reports it)
    gelesen += n;
    const std::size_t ende = rest + n;
    for (std::size_t i = 0; i < ende; ++i) {
      std::uint64_t w;
      if (ende - i >= 8 && (std::memcpy(&w, b + i, 8), (w & Hoch) == 0)) {
        i += 7;
        continue;
      }
      buchstaben |= Buchstaben[b[i]];
    }
    std::size_t i = 0;
    while (i < ende) {
      if (ende - i >= 8) {
        std::uint64_t w;
        std::memcpy(&w, b + i, 8);
        if ((w & Hoch) == 0) {
          i += 8;
          continue;
        }
      }
      if (b[i] < 0x80) {
        ++i;
        continue;
      }
      hoch = true;
      if (!utf8) break;
      char32_t z;
      const int l = Utf8Zeichen(b + i, ende - i, z);
      if (l < 0) break;  // cut by the block: read again in front of the next one
      if (l == 0) utf8 = false;
      i += l > 0 ? static_cast<std::size_t>(l) : 1;
    }
    rest = utf8 && i < ende ? ende - i : 0;
    if (rest > 0) std::memmove(b, b + i, rest);
    if (!utf8 && (buchstaben & Cp850Buchstabe)) return Zeichensatz::Cp850;
  }
  // A character left open counts only where the 4 MiB cut it, not at the end of the file.
  if (rest > 0 && gelesen < Erkennungsgrenze) utf8 = false;
  if (!hoch) return Zeichensatz::Cp850;
  if (utf8) return Zeichensatz::Utf8;
  if (buchstaben & Cp850Buchstabe) return Zeichensatz::Cp850;
  if (buchstaben & AnsiBuchstabe) return Zeichensatz::Windows1252;
  return Zeichensatz::Cp850;
}

bool Eingabedatei::Oeffnen(const std::string& pfad) {
  Schliessen();
  struct stat st {};
  if (::stat(pfad.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  datei_ = std::fopen(pfad.c_str(), "rb");
  if (!datei_) return false;
  groesse_ = (::stat(pfad.c_str(), &st) == 0) ? static_cast<std::uint64_t>(st.st_size) : 0;
  puffer_.resize(Puffergroesse);
  anfang_ = ende_ = 0;
  position_ = 0;
  uebertragLaenge_ = 0;
  rohVorBlock_ = rohImBlock_ = 0;
  zeichensatz_ = ZeichensatzErkennen();
  std::clearerr(datei_);
  std::rewind(datei_);
  if (zeichensatz_ == Zeichensatz::Utf8) {
    // A byte-order mark is no text: the file is read after it.
    unsigned char marke[3] = {};
    if (std::fread(marke, 1, 3, datei_) == 3 && marke[0] == 0xEF && marke[1] == 0xBB && marke[2] == 0xBF)
      rohVorBlock_ = 3;
    else
      std::rewind(datei_);
  }
  return true;
}

void Eingabedatei::Schliessen() {
  if (datei_) std::fclose(datei_);
  datei_ = nullptr;
  anfang_ = ende_ = 0;
}

bool Eingabedatei::Nachfuellen() {
  if (!datei_) return false;
  if (anfang_ < ende_) return true;
  if (zeichensatz_ != Zeichensatz::Cp850) return UmgesetztNachfuellen();
  std::size_t n = std::fread(puffer_.data(), 1, puffer_.size(), datei_);
  if (n == 0 && std::ferror(datei_)) throw SystemFehler(errno ? errno : EIO);
  anfang_ = 0;
  ende_ = n;
  return n > 0;
}

// The next block of a file that is taken into CP850, converted where it was read.
bool Eingabedatei::UmgesetztNachfuellen() {
  static const std::array<unsigned char, 256> AnsiNachCp850 = AnsiNachCp850Bauen();
  rohVorBlock_ += rohImBlock_;
  rohImBlock_ = 0;
  anfang_ = ende_ = 0;
  char* const p = puffer_.data();
  for (;;) {
    const std::size_t vorne = uebertragLaenge_;
    std::memcpy(p, uebertrag_, vorne);
    uebertragLaenge_ = 0;
    const std::size_t n = std::fread(p + vorne, 1, puffer_.size() - vorne, datei_);
    if (n == 0 && std::ferror(datei_)) throw SystemFehler(errno ? errno : EIO);
    const bool dateiende = std::feof(datei_) != 0;
    const std::size_t roh = vorne + n;
    if (roh == 0) return false;
    std::size_t aus = roh;
    if (zeichensatz_ == Zeichensatz::Windows1252) {
      for (std::size_t i = 0; i < roh; ++i) p[i] = static_cast<char>(AnsiNachCp850[static_cast<unsigned char>(p[i])]);
    } else {
      aus = Utf8NachCp850(p, roh, dateiende, uebertrag_, uebertragLaenge_);
    }
    rohImBlock_ += roh - uebertragLaenge_;
    ende_ = aus;
    if (aus > 0) return true;
    if (dateiende) return false;
  }
}

std::uint64_t Eingabedatei::RohePosition() const {
  // Within the block in hand, the share consumed, in the bytes it was made of.
  if (ende_ == 0) return rohVorBlock_ + rohImBlock_;
  return rohVorBlock_ + rohImBlock_ * anfang_ / ende_;
}

bool Eingabedatei::AmEnde() { return !Nachfuellen(); }

bool Eingabedatei::ZeileLesen(std::string& zeile) { return ZeileSammeln(zeile); }

bool Eingabedatei::ZeileLesen(std::string_view& zeile) {
  if (anfang_ >= ende_ && !Nachfuellen()) {
    zeile = {};
    return false;
  }
  // Most lines end within the block: they are handed out where they lie. A line that reaches
  // the end of the block (its CR may be followed by an LF in the next one) is collected.
  const char* a = puffer_.data() + anfang_;
  const char* e = puffer_.data() + ende_;
  const char* p = ZeilenendeSuchen(a, e);
  if (p + 1 < e) {
    const std::size_t n = static_cast<std::size_t>(p - a);
    const std::size_t ende = *p == '\r' && p[1] == '\n' ? 2 : 1;
    anfang_ += n + ende;
    position_ += n + ende;
    zeile = std::string_view(a, n);
    return true;
  }
  ZeileSammeln(zeilenrest_);
  zeile = zeilenrest_;
  return true;
}

bool Eingabedatei::ZeileSammeln(std::string& zeile) {
  zeile.clear();
  // Bytes left in the block are tested here: Nachfuellen is called only when the block is used up.
  if (anfang_ >= ende_ && !Nachfuellen()) return false;
  for (;;) {
    const char* a = puffer_.data() + anfang_;
    std::size_t verfuegbar = ende_ - anfang_;
    const char* e = a + verfuegbar;
    const char* p = ZeilenendeSuchen(a, e);
    zeile.append(a, static_cast<std::size_t>(p - a));
    std::size_t genommen = static_cast<std::size_t>(p - a);
    anfang_ += genommen;
    position_ += genommen;
    if (p < e) {
      char ende = *p;
      ++anfang_;
      ++position_;
      if (ende == '\r' && (anfang_ < ende_ || Nachfuellen()) && puffer_[anfang_] == '\n') {
        ++anfang_;
        ++position_;
      }
      return true;
    }
    if (!Nachfuellen()) return true;  // last line without line end
  }
}

std::size_t Eingabedatei::BlockLesen(std::string& block, std::size_t n) {
  block.clear();
  while (block.size() < n && Nachfuellen()) {
    std::size_t k = std::min(n - block.size(), ende_ - anfang_);
    block.append(puffer_.data() + anfang_, k);
    anfang_ += k;
    position_ += k;
  }
  return block.size();
}

Ausgabedatei::~Ausgabedatei() { Verwerfen(); }

int VorlaeufigeDateiAnlegen(const std::string& pfad, std::string& vorlaeufig) {
  vorlaeufig = pfad + ".XXXXXX";
  const int fd = ::mkstemp(vorlaeufig.data());
  if (fd < 0) {
    vorlaeufig.clear();
    return -1;
  }
  // mkstemp creates the file for its owner only: it gets the rights of the file it replaces, or
  // those a new file gets under the process's mask.
  struct stat alt {};
  if (::stat(pfad.c_str(), &alt) == 0) {
    ::fchmod(fd, alt.st_mode & 07777);
    if (::fchown(fd, alt.st_uid, alt.st_gid) != 0) {
      // Only the owner of the file or root may hand it on; the data matter more than the owner.
    }
  } else {
    const mode_t maske = ::umask(0);
    ::umask(maske);
    ::fchmod(fd, 0666 & ~maske);
  }
  return fd;
}

bool Ausgabedatei::Erstellen(const std::string& pfad, bool dauerhaft) {
  Verwerfen();
  zeilen_ = 0;
  dauerhaft_ = dauerhaft;
  struct stat st {};
  const bool vorhanden = ::stat(pfad.c_str(), &st) == 0;
  if (vorhanden && S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  if (vorhanden && !S_ISREG(st.st_mode)) {
    // A device or a pipe takes the data as they come; there is nothing to replace.
    datei_ = std::fopen(pfad.c_str(), "wb");
    if (!datei_) return false;
  } else {
    // A write-protected file is not replaced behind its protection.
    if (vorhanden && ::access(pfad.c_str(), W_OK) != 0) return false;
    // A symbolic link stays a link: the file it points to is replaced, in that file's directory.
    // A link that points nowhere is replaced by the file.
    std::string ziel = pfad;
    if (char* echt = ::realpath(pfad.c_str(), nullptr)) {
      if (vorhanden) ziel = echt;
      std::free(echt);
    }
    const int fd = VorlaeufigeDateiAnlegen(ziel, vorlaeufig_);
    if (fd < 0) return false;
    datei_ = ::fdopen(fd, "wb");
    if (!datei_) {
      const int fehler = errno;
      ::close(fd);
      ::unlink(vorlaeufig_.c_str());
      vorlaeufig_.clear();
      errno = fehler;
      return false;
    }
    ziel_ = ziel;
  }
  std::setvbuf(datei_, nullptr, _IONBF, 0);  // our own buffer below
  belegt_ = 0;
  // The block is written out once it holds 64 KiB, so an ordinary line always fits; only a
  // very long one makes it grow.
  if (kapazitaet_ < Blockgroesse + 4096) Vergroessern(Blockgroesse + 4096);
  return true;
}

void Ausgabedatei::Vergroessern(std::size_t n) {
  std::unique_ptr<char[]> neu(new char[n]);
  if (belegt_ > 0) std::memcpy(neu.get(), puffer_.get(), belegt_);
  puffer_ = std::move(neu);
  kapazitaet_ = n;
}

void Ausgabedatei::Leeren() {
  if (!datei_ || belegt_ == 0) return;
  std::size_t n = std::fwrite(puffer_.get(), 1, belegt_, datei_);
  if (n != belegt_) {
    int fehler = errno ? errno : EIO;
    belegt_ = 0;
    throw SystemFehler(fehler);
  }
  belegt_ = 0;
}

void Ausgabedatei::KeineDatei() { throw Laufzeitfehler(52, "Dateiname oder -nummer falsch"); }

void Ausgabedatei::ZeileSchreiben(std::string_view zeile) {
  BytesKopieren(ZeilePlatz(zeile.size()), zeile.data(), zeile.size());
  ZeileFertig(zeile.size());
}

void Ausgabedatei::Schliessen() {
  if (!datei_) return;
  int fehler = 0;
  try {
    Leeren();
  } catch (const Laufzeitfehler&) {
    std::fclose(datei_);
    datei_ = nullptr;
    throw;
  }
  if (dauerhaft_ && !vorlaeufig_.empty() && ::fsync(::fileno(datei_)) != 0) fehler = errno ? errno : EIO;
  if (std::fclose(datei_) != 0 && !fehler) fehler = errno ? errno : EIO;
  datei_ = nullptr;
  if (fehler) throw SystemFehler(fehler);
  if (vorlaeufig_.empty()) return;
  // Only a complete file takes the output's name, replacing the file of that name at once.
  if (std::rename(vorlaeufig_.c_str(), ziel_.c_str()) != 0) throw SystemFehler(errno ? errno : EIO);
  vorlaeufig_.clear();
}

void Ausgabedatei::Verwerfen() {
  if (datei_) {
    // A device or pipe gets what was written so far; a temporary file goes anyway.
    if (vorlaeufig_.empty()) {
      try {
        Leeren();
      } catch (const Laufzeitfehler&) {
      }
    }
    std::fclose(datei_);
    datei_ = nullptr;
  }
  belegt_ = 0;
  if (!vorlaeufig_.empty()) {
    ::unlink(vorlaeufig_.c_str());
    vorlaeufig_.clear();
    zeilen_ = 0;
  }
}

bool DateiVorhanden(const std::string& pfad) {
  struct stat st {};
  return !pfad.empty() && ::stat(pfad.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DieselbeDatei(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace korvelan
