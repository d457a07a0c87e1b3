#pragma once
// What the readers keep between their calls: the line being read and the one that ended the
// record before, the key of the record being assembled and the state of the field walk. It is
// not part of the record: the writers and the record checks never see it.
#include <cstdint>
#include <string>
#include <string_view>

#include "record/text.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

struct Lesezustand {
  // The line being read, without a copy: it points into the input file's block and stays
  // valid until the next read from the file (version 3: into Eingabeblock).
  std::string_view Eingabezeile;
  std::string Eingabeblock;  // the block of a version-3 record
  std::int16_t ZeileVorgelesen = 0;  // -1: Eingabezeile belongs to the next logical record
  // The key of the record being assembled (article, text, SET or price number, or the fixed key
  // of a one-line record); empty before its first line.
  std::string SatzSchluessel;
  std::int16_t FeldStatus = 0;  // 9 when the field just taken was empty
  // What a reader found on the pending line when that line ended its record: its record letter,
  // its key, and cursor and field status after the key. The next call takes the same line and goes
  // on from there instead of walking to the key again. Valid (gilt) only for the pending line:
  // forgotten when a new line is read or when it is taken.
  struct Schluesselfund {
    bool gilt = false;
    char satzart = 0;
    Schluesseltext schluessel;
    int cursor = 0;
    std::int16_t feldStatus = 0;
  } VorgelesenerSchluessel;
  // What the reader shows of its work (Fortschritt): the line it read last that it shows and the
  // key of the record it ended last, in the input's code. Kept until replaced: a record that shows
  // nothing leaves the texts of the one before. Line buffers: a new text of the same length costs
  // an inline copy.
  Zeilenpuffer GezeigteZeile;
  Zeilenpuffer GezeigterSchluessel;
};

}  // namespace korvelan
