#pragma once
// What an output version cannot hold of a record. Each kind of loss has one short German word;
// the record check names the losses of a record, its error-log entry lists their words, and the
// log ends with the number of records each word was named for.
#include <array>
#include <cstdint>
#include <string_view>

namespace korvelan {

// In the order the words stand in an entry. An entry shows only the first 35 characters of its
// list, so prices come first, then the other article data, then the kept C lines and texts.
enum class Verlust : std::uint8_t {
  Zuschlagsaetze,    // price scales and surcharges (version 3 has no Z lines)
  Preisdatum,        // the date of a price change (version 3 has no place for it)
  Zahlbreite,        // a number wider than its version-3 field
  Preiseinheit,      // a price unit other than 1, 10, 100, 1000, or the price unit of a price line
  Preiskennzeichen,  // a price flag the output version does not know
  Rabattgruppe,      // a discount group of a price line beside a discount 1 (versions 3 and 4 hold one)
  WerkstoffArbeit,   // material and labour data (C lines of versions 4 and 5)
  Warengruppe,
  Kostenart,
  Verpackungsmenge,  // a packing quantity other than 1
  Referenz,          // reference abbreviation or number
  Anbindung,         // connection number
  Katalogseite,      // a catalogue page longer than the output's field
  Ean,               // an EAN longer than the output's field
  Zusatzfelder,      // the article fields only version 5 has
  Kundendaten,       // customer-record fields the output version has not
  Preispflege,       // the price-maintenance flag of a customer record (not in version 5)
  SetDaten,          // SET marker, call marker and description (not in version 3)
  SetText,           // a SET description longer than the output's field
  Hauptgruppentext,  // the main group's description on a group line (version 5 has one description)
  Textschluessel,    // a long-text key written in another form
  Langtext,          // long-text rows longer than the output's rows
  CZeilen,           // kept C lines of version 5; the entry shows the lines themselves
};

inline constexpr std::size_t Verlustarten = static_cast<std::size_t>(Verlust::CZeilen) + 1;

// The word of a loss, as the program writes it (Windows-1252).
std::string_view Verlustwort(Verlust v);

// The losses named for one record: one bit per kind.
class Verlustliste {
 public:
  void Nennen(Verlust v) { bits_ |= Bit(v); }
  bool Genannt(Verlust v) const { return (bits_ & Bit(v)) != 0; }
  bool Leer() const { return bits_ == 0; }
  void Leeren() { bits_ = 0; }
  // Calls tun(v) for every loss named, in the order of Verlust.
  template <typename Tun>
  void JedeArt(Tun tun) const {
    for (std::uint32_t b = bits_; b != 0; b &= b - 1) tun(static_cast<Verlust>(__builtin_ctz(b)));
  }

 private:
  static constexpr std::uint32_t Bit(Verlust v) { return std::uint32_t{1} << static_cast<unsigned>(v); }
  std::uint32_t bits_ = 0;
};

}  // namespace korvelan
