#pragma once
// The line protocol of the readers: the line (or version-3 block) that ends a record stays
// pending in Eingabezeile (ZeileVorgelesen = -1) and opens the next call.
#include "context/kontext.h"

namespace korvelan {

// Takes the pending line or reads the next one into Eingabezeile; false, with the line emptied,
// at the end of the input.
inline bool NaechsteZeile(Kontext& k) {
  Lesezustand& lz = k.lz;
  if (lz.ZeileVorgelesen == 0) {
    lz.VorgelesenerSchluessel.gilt = false;
    if (!k.kz.EingabeDateiNr.ZeileLesen(lz.Eingabezeile)) {
      lz.Eingabezeile = {};
      return false;
    }
  }
  lz.ZeileVorgelesen = 0;
  return true;
}

// The line in Eingabezeile belongs to the next record: the record read so far is shown by its
// key and the line is kept for the next call.
inline void SatzBeenden(Lesezustand& lz) {
  lz.GezeigterSchluessel = lz.SatzSchluessel;
  lz.ZeileVorgelesen = -1;
}

// A keyed line (article or text number) that ended the record before was walked up to its key
// then: what was found is taken instead of walking again. Null when the line is a new one (or was
// ended by another kind of line handler); else the field status is as after the key.
inline const Lesezustand::Schluesselfund* SchluesselVorgefunden(Lesezustand& lz, char satzart) {
  Lesezustand::Schluesselfund& fund = lz.VorgelesenerSchluessel;
  if (!fund.gilt || fund.satzart != satzart) return nullptr;
  fund.gilt = false;
  lz.FeldStatus = fund.feldStatus;
  return &fund;
}

// The keyed line in Eingabezeile ends the record: its key and the cursor after it (with the field
// status then) are kept for the next call, which takes the same line.
inline void SchluesselVormerken(Lesezustand& lz, char satzart, const Schluesseltext& schluessel, int cursor) {
  Lesezustand::Schluesselfund& fund = lz.VorgelesenerSchluessel;
  fund.gilt = true;
  fund.satzart = satzart;
  fund.schluessel = schluessel;
  fund.cursor = cursor;
  fund.feldStatus = lz.FeldStatus;
}

}  // namespace korvelan
