#pragma once
// Long-text keys of version 5 (up to 15 characters) written into versions 3 and 4, whose keys have
// 8: within one run each distinct key gets one written key, the same on the A line, on the D rows
// and on the T and E lines, so that an article keeps pointing at its own text.
#include "context/fenster.h"
#include "context/kontext.h"

namespace korvelan {

// Rewrites the long-text keys the article writer of version 3 or 4 will write for the record (the
// A line's key, the text number of each D row, the text number of the T or E lines, in this
// order) to the keys given out for them in this run (Konvertierzustand::Textschluessel):
// - a key of at most 8 characters is written as it is;
// - a longer key gets its first 8 characters without trailing blanks, when no other key of the
//   run got them (a blank cut counts as given out); else its first 6 characters and the lowest
//   number 01 to 99 that gives a key not yet given out, after 99 its first 4 characters and the
//   lowest number 0001 to 9999;
// - an empty key or "@" is no key and stays as it is.
// A record names the loss Textschluessel when it carries a key written shorter than it was read, or
// a key whose written key is shared with another key (from the moment that is known). A key
// written in another form than its first 8 characters, and a written key given to a second key,
// are logged once each, together with the other key.
// For conversions from version 5 into version 3 or 4 only; runs before the record check.
void TextschluesselVergeben(Kontext& k);

}  // namespace korvelan
