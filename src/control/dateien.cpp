#include "control/dateien.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "record/bytebloecke.h"
#include "record/laufzeitfehler.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

namespace {
constexpr std::size_t Puffergroesse = 1 << 16;

// First CR or LF in [p, e), or e. Every line of a file passes here: sixteen bytes are compared
// at once, two such blocks per step (most lines are longer than one block).
const char* ZeilenendeSuchen(const char* p, const char* e) {
  const Byteblock lf = BlockAus('\n'), cr = BlockAus('\r');
  for (; e - p >= 32; p += 32) {
    const Byteblock b1 = BlockLaden(p), b2 = BlockLaden(p + 16);
    const unsigned treffer = Trefferbits((b1 == lf) | (b1 == cr)) | (Trefferbits((b2 == lf) | (b2 == cr)) << 16);
    if (treffer != 0) return p + __builtin_ctz(treffer);
  }
  for (; e - p >= 16; p += 16) {
    const Byteblock b = BlockLaden(p);
    const unsigned treffer = Trefferbits((b == lf) | (b == cr));
    if (treffer != 0) return p + __builtin_ctz(treffer);
  }
  while (p < e && *p != '\n' && *p != '\r') ++p;
  return p;
}
}  // namespace

Eingabedatei::~Eingabedatei() { Schliessen(); }

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
  std::size_t n = std::fread(puffer_.data(), 1, puffer_.size(), datei_);
  if (n == 0 && std::ferror(datei_)) throw SystemFehler(errno ? errno : EIO);
  anfang_ = 0;
  ende_ = n;
  return n > 0;
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
