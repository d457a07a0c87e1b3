#pragma once
// How a conversion run reports its progress and learns of a cancel request: once per record it
// hands the window a small summary of numbers and views, and the window's answer asks it to stop.
#include <cstdint>
#include <string_view>

namespace korvelan {

struct Fortschritt {
  // The line the reader showed last (Tex_Bearbeitet) and the key of the record it ended last
  // (Tex_ArtikelNr): text of the input (CP850). The views stay valid until the next report; a
  // window that keeps them longer copies them.
  std::string_view zeile, schluessel;
  // Records done (Lab_Bearbeitet, shown as the pattern "#######" writes it: empty for none) and
  // entries of the error log (Lab_Fehler, pattern "#####0").
  std::int64_t bearbeitet = 0, fehler = 0;
  // Bytes of the input read so far and in all.
  std::uint64_t gelesen = 0, gesamt = 0;
  // The last report of a run: it shows the end, no events are processed and its answer counts for
  // nothing.
  bool ende = false;
};

class Fortschrittsanzeige {
 public:
  virtual ~Fortschrittsanzeige() = default;
  // Called by the record loop before every record with the state after the one before, and once
  // at the end. True asks the run to stop; the run decides (the conversion window's run asks the
  // user first). Cancel requests are taken here, where the window processes its events.
  virtual bool Melden(const Fortschritt& stand) = 0;
};

}  // namespace korvelan
