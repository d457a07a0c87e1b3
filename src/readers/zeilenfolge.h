#pragma once
// The line protocol of the readers: the line (or version-3 block) that ends a record stays
// pending in Eingabezeile (ZeileVorgelesen = -1) and opens the next call.
#include "control/fenster.h"
#include "control/kontext.h"

namespace korvelan {

// Takes the pending line or reads the next one into Eingabezeile; false, with the line emptied,
// at the end of the input.
inline bool NaechsteZeile(Kontext& k) {
  Neutralsatz& ns = k.ns;
  if (ns.ZeileVorgelesen == 0 && !k.kz.EingabeDateiNr.ZeileLesen(ns.Eingabezeile)) {
    ns.Eingabezeile = {};
    return false;
  }
  ns.ZeileVorgelesen = 0;
  return true;
}

// The line in Eingabezeile belongs to the next record: the record read so far is shown by its
// key and the line is kept for the next call.
inline void SatzBeenden(Neutralsatz& ns, Fenster& f) {
  f.SetzeText("Tex_ArtikelNr", ns.SatzSchluessel);
  ns.ZeileVorgelesen = -1;
}

}  // namespace korvelan
