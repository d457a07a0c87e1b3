#include "ui/zeilenindex.h"

#include <QChar>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cerrno>

#include "context/zeichentabellen.h"
#include "record/bytebloecke.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"

namespace korvelan::ui {

namespace {

constexpr std::size_t Blocklaenge = 130;  // a version-3 record with its CR LF
constexpr unsigned char Dateiendezeichen = 0x1A;

// Case folding on CP850 bytes by the characters they are shown as: each byte goes to the first
// byte whose shown character folds to the same character (so "Ä" and "ä", and the blank and the
// zero byte shown as a blank, meet).
struct Faltung {
  std::array<char32_t, 256> zeichen{};  // folded shown character of each byte
  std::array<unsigned char, 256> byte{};
  Faltung() {
    for (int b = 0; b < 256; ++b) zeichen[b] = QChar::toCaseFolded(DateitextZeichen(static_cast<unsigned char>(b)));
    for (int b = 0; b < 256; ++b)
      byte[b] = static_cast<unsigned char>(std::find(zeichen.begin(), zeichen.end(), zeichen[b]) - zeichen.begin());
  }
};
const Faltung& Falten() {
  static const Faltung f;
  return f;
}

}  // namespace

// ---- Zeilenleser -----------------------------------------------------------------------------

Zeilenleser::Zeilenleser(QFile& datei, Dateiform form, std::uint64_t ab, std::size_t puffergroesse)
    : datei_(datei), form_(form), puffer_(puffergroesse), dateipos_(ab) {}

bool Zeilenleser::Fuellen() {
  // Several readers share the file: each reads from where it stands.
  if (!datei_.seek(static_cast<qint64>(dateipos_))) throw SystemFehler(EIO);
  const qint64 n = datei_.read(puffer_.data(), static_cast<qint64>(puffer_.size()));
  if (n < 0) throw SystemFehler(EIO);
  anfang_ = 0;
  ende_ = static_cast<std::size_t>(n);
  dateipos_ += static_cast<std::uint64_t>(n);
  return n > 0;
}

bool Zeilenleser::Naechste(std::string* text) {
  const bool da = form_.bloecke ? BlockNehmen(text) : ZeileNehmen(text);
  if (da && text) TextInCp850(*text, form_.zeichensatz);
  return da;
}

bool Zeilenleser::ZeileNehmen(std::string* text) {
  if (anfang_ == ende_ && !Fuellen()) return false;
  if (text) text->clear();
  for (;;) {
    const char* a = puffer_.data() + anfang_;
    const char* e = puffer_.data() + ende_;
    const char* p = ZeilenendeSuchen(a, e);
    const auto n = static_cast<std::size_t>(p - a);
    if (text && text->size() < Zeilenkappe) text->append(a, std::min(n, Zeilenkappe - text->size()));
    anfang_ += n;
    if (p < e) {
      const bool cr = *p == '\r';
      ++anfang_;
      if (cr && (anfang_ < ende_ || Fuellen()) && puffer_[anfang_] == '\n') ++anfang_;
      return true;
    }
    if (!Fuellen()) return true;  // a last line without an end
  }
}

bool Zeilenleser::BlockNehmen(std::string* text) {
  kurz_ = false;
  if (anfang_ == ende_ && !Fuellen()) return false;
  if (text) text->clear();
  const auto erstes = static_cast<unsigned char>(puffer_[anfang_]);
  const bool utf8 = form_.zeichensatz == Zeichensatz::Utf8;
  std::size_t zeichen = 0;
  while (anfang_ < ende_ || Fuellen()) {
    if (!utf8) {
      const std::size_t k = std::min(Blocklaenge - zeichen, ende_ - anfang_);
      if (text) text->append(puffer_.data() + anfang_, k);
      anfang_ += k;
      zeichen += k;
      if (zeichen == Blocklaenge) break;
      continue;
    }
    // UTF-8: a character begins at every byte that does not continue one.
    const auto b = static_cast<unsigned char>(puffer_[anfang_]);
    if ((b & 0xC0) != 0x80) {
      if (zeichen == Blocklaenge) break;
      ++zeichen;
    }
    if (text) text->push_back(static_cast<char>(b));
    ++anfang_;
  }
  // A last block that begins with the end-of-file byte is the end marker, as for the reader.
  kurz_ = zeichen < Blocklaenge && erstes != Dateiendezeichen;
  return true;
}

// ---- Zeilenindex -----------------------------------------------------------------------------

bool Zeilenindex::Oeffnen(const QString& pfad, Dateiform form) {
  Schliessen();
  datei_.setFileName(pfad);
  if (!datei_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
  form_ = form;
  groesse_ = static_cast<std::uint64_t>(datei_.size());
  std::uint64_t anfang = 0;
  if (form.zeichensatz == Zeichensatz::Utf8) {
    // A byte-order mark is no text: the rows begin after it.
    char marke[3] = {};
    if (datei_.read(marke, 3) == 3 && marke[0] == '\xEF' && marke[1] == '\xBB' && marke[2] == '\xBF') anfang = 3;
  }
  leser_ = std::make_unique<Zeilenleser>(datei_, form_, anfang, std::size_t{1} << 20);
  return true;
}

void Zeilenindex::Schliessen() {
  leser_.reset();
  datei_.close();
  std::vector<std::uint64_t>().swap(marken_);
  zeilen_ = 0;
  groesse_ = 0;
  fertig_ = kurz_ = angehalten_ = false;
}

bool Zeilenindex::Indexieren(std::uint64_t bytes) {
  if (!leser_ || fertig_) return true;
  const std::uint64_t ziel = leser_->Position() + bytes;
  while (!fertig_ && leser_->Position() < ziel) {
    const std::uint64_t anfang = leser_->Position();
    if (!leser_->Naechste(nullptr)) {
      fertig_ = true;
      break;
    }
    if (zeilen_ % Gruppe == 0) marken_.push_back(anfang);
    ++zeilen_;
    if (leser_->Kurz()) fertig_ = kurz_ = true;
  }
  return fertig_;
}

Zeilenleser Zeilenindex::LeserAb(std::int64_t n) {
  const auto g = static_cast<std::size_t>(n / Gruppe);
  // Row n = Zeilen() may begin a group whose mark the index has not set yet.
  const std::uint64_t ab = g < marken_.size() ? marken_[g] : Indexiert();
  Zeilenleser l(datei_, form_, ab);
  for (std::int64_t i = static_cast<std::int64_t>(g) * Gruppe; i < n && l.Naechste(nullptr); ++i) {
  }
  return l;
}

std::vector<std::string> Zeilenindex::ZeilenLesen(std::int64_t erste, int n) {
  std::vector<std::string> zeilen;
  if (!IstOffen() || erste < 0 || erste > zeilen_) return zeilen;
  Zeilenleser l = LeserAb(erste);
  zeilen.reserve(static_cast<std::size_t>(n));
  std::string text;
  for (int i = 0; i < n && l.Naechste(&text); ++i) zeilen.push_back(text);
  return zeilen;
}

// ---- Zeilensuche -----------------------------------------------------------------------------

Zeilensuche::Zeilensuche(Zeilenindex& index, const QString& text, bool vorwaerts, std::int64_t ab)
    : index_(index), vorwaerts_(vorwaerts), naechste_(std::clamp<std::int64_t>(ab, 0, index.Zeilen())) {
  const Faltung& f = Falten();
  for (char32_t z : QStringView(text).toUcs4()) {
    const char32_t g = QChar::toCaseFolded(z);
    const auto* p = std::find(f.zeichen.begin(), f.zeichen.end(), g);
    if (p == f.zeichen.end()) {
      // No row shows this character: nothing can match.
      unmoeglich_ = true;
      break;
    }
    muster_.push_back(static_cast<char>(p - f.zeichen.begin()));
  }
}

bool Zeilensuche::Passt(const std::string& zeile) {
  const Faltung& f = Falten();
  gefaltet_.resize(zeile.size());
  for (std::size_t i = 0; i < zeile.size(); ++i)
    gefaltet_[i] = static_cast<char>(f.byte[static_cast<unsigned char>(zeile[i])]);
  return gefaltet_.find(muster_) != std::string::npos;
}

Zeilensuche::Stand Zeilensuche::Schritt(std::uint64_t bytes) {
  if (unmoeglich_ || muster_.empty()) return Stand::NichtGefunden;
  std::uint64_t gelesen = 0;
  if (vorwaerts_) {
    if (!leser_) leser_ = std::make_unique<Zeilenleser>(index_.LeserAb(naechste_));
    while (gelesen < bytes) {
      // Rows beyond the index are searched once it has reached them.
      if (naechste_ >= index_.Zeilen()) return index_.Abgeschlossen() ? Stand::NichtGefunden : Stand::Laeuft;
      const std::uint64_t vorher = leser_->Position();
      if (!leser_->Naechste(&zeile_)) return Stand::NichtGefunden;
      gelesen += leser_->Position() - vorher;
      ++durchsucht_;
      if (Passt(zeile_)) {
        fund_ = naechste_;
        return Stand::Gefunden;
      }
      ++naechste_;
    }
    return Stand::Laeuft;
  }
  // Backward: a stretch of up to 64 groups before the rows left, read forward from its mark;
  // its last match is the one nearest to the start.
  while (gelesen < bytes) {
    if (!leser_) {
      if (naechste_ == 0) return Stand::NichtGefunden;
      const std::int64_t gruppe = std::max<std::int64_t>(0, (naechste_ - 1) / Zeilenindex::Gruppe - 63);
      zeile_nr_ = stueckanfang_ = gruppe * Zeilenindex::Gruppe;
      stueckende_ = naechste_;
      letzter_ = -1;
      leser_ = std::make_unique<Zeilenleser>(index_.LeserAb(zeile_nr_));
    }
    for (; zeile_nr_ < stueckende_ && gelesen < bytes; ++zeile_nr_) {
      const std::uint64_t vorher = leser_->Position();
      if (!leser_->Naechste(&zeile_)) break;
      gelesen += leser_->Position() - vorher;
      ++durchsucht_;
      if (Passt(zeile_)) letzter_ = zeile_nr_;
    }
    if (zeile_nr_ < stueckende_ && gelesen >= bytes) return Stand::Laeuft;
    if (letzter_ >= 0) {
      fund_ = letzter_;
      return Stand::Gefunden;
    }
    naechste_ = stueckanfang_;
    leser_.reset();
  }
  return Stand::Laeuft;
}

}  // namespace korvelan::ui
