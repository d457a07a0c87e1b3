#pragma once
// The module-wide conversion state: command-line fields, analysis results, files, the output
// line, counters, run state and exchange factor. Every field starts as 0 or empty text.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "context/dateien.h"
#include "context/verluste.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

struct Konvertierzustand {
  std::string AufrufEingabe;
  std::string AufrufAusgabe;
  std::int16_t Ausgabeversion = 0;
  std::int16_t AufrufEingabeversion = 0;
  std::int16_t Aufruffehler = 0;
  std::string Aufruffehlertext;
  std::int16_t Ergebnis = 0;

  std::string Eingabedateiname;
  std::int16_t Eingabeversion = 0;
  std::int16_t Analysestatus = 0;  // 1 recognised, 0 not recognised or missing, 9 empty file
  std::string Datenkennzeichen;
  std::int32_t Versionskennung = 0;
  std::string Eingabewaehrung;
  std::array<std::string, 10> Infotexte{};
  // The character set the input was read in ("CP850", "UTF-8" or "Windows-1252"), set when the
  // analysis or the run opens the input; empty before. A file in UTF-8 or Windows-1252 is taken
  // into CP850 as it is read.
  std::string Eingabezeichensatz;

  Eingabedatei EingabeDateiNr;
  Ausgabedatei AusgabeDateiNr;
  Zeilenpuffer Ausgabezeile;
  std::int16_t AusgabeNichtBereit = 0;
  std::int64_t AusgabeSatzzahl = 0;
  std::int64_t Fehlerzahl = 0;
  // Logical records the last run read (as its progress shows them at its end).
  std::int64_t SaetzeGelesen = 0;
  std::string Ausgabefehlertext;

  // Whether the version-4 writer has written its C TERMIN-1 line in this run.
  bool Termin1Geschrieben = false;
  // The Termin1 value of that line (meaningful only while Termin1Geschrieben is true): a later
  // record with another date gets a C TERMIN-1 line of its own.
  std::string Termin1GeschriebenWert;

  // The error log of the run (the text of the error-log window), capped at 60000 characters.
  std::string Fehlerprotokoll;
  // Receives every line appended to the error log, with its CR LF, also those the cap keeps out of
  // Fehlerprotokoll (korvelan-konvert --protokoll writes them all to a file). Not set: nothing.
  std::function<void(std::string_view)> Protokollsenke;
  // The losses named for the record being converted, and for each kind of loss the number of
  // records of this run it was named for.
  Verlustliste Satzverluste;
  std::array<std::int64_t, Verlustarten> Verlustzaehler{};

  // Units already mapped by EinheitUmsetzen in the running record loop. The output version and
  // the unit tables do not change while the loop runs and units repeat from record to record,
  // so a unit seen before is mapped from here. Used only while aktiv: the record loop starts it
  // empty and switches it off when it ends.
  struct Einheitengedaechtnis {
    struct Eintrag {
      std::string einheit;     // Mengeneinheit as the reader left it
      bool umgesetzt = false;  // false: the unit stays as it is
      std::string ergebnis;    // the mapped unit
    };
    bool aktiv = false;
    std::array<Eintrag, 16> eintraege{};
    std::size_t belegt = 0;     // used entries
    std::size_t naechster = 0;  // entry replaced next when all are used
  };
  Einheitengedaechtnis Einheiten;


  // The long-text keys of a conversion from version 5 into version 3 or 4, whose keys have 8
  // characters instead of 15 (TextschluesselVergeben): every distinct key of the run keeps the one
  // key written for it. Grows with the number of distinct keys; the record loop starts it empty
  // and releases it when it ends. Unused in every other conversion.
  struct Textschluesselgedaechtnis {
    // Every key of more than 8 characters met in this run, as stored: the key written for it.
    std::unordered_map<std::string, std::string> lange;
    // Those of them that a written key was given to, by number (Vergabe::an).
    std::vector<const std::string*> langeReihe;
    // The keys written in this run (at most 8 characters each). Most keys of a file are written
    // as they are, one new key for every text: they are held in a table of open addressing (its
    // size a power of two, at most half of its places used), a place each in one block, which
    // costs the conversion far less than a block of memory per key.
    struct Vergabe {
      std::uint64_t zeichen = 0;  // the key's characters, the places after them 0
      std::uint8_t laenge = 0;    // 0: a free place
      bool selbst = false;        // met as a key of its own, written as it is
      bool geteilt = false;       // written for more than one key: their texts can no longer be told apart
      std::uint32_t an = 0;       // 1 + the number in langeReihe of the longer key it was given to
    };
    std::vector<Vergabe> vergeben;
    std::size_t vergebenBelegt = 0;
    // Until the first key of more than 8 characters, nothing asks for the keys of up to 8 (only a
    // longer key's written key must avoid them, and only such a key can share theirs): they are
    // merely listed here, a key met again after others once more. The first longer key, or a list
    // grown to its limit, enters them into the table.
    std::vector<Vergabe> gesammelt;
    // For the first 6 or 4 characters of a key, the lowest number not yet tried after them.
    std::unordered_map<std::string, int> naechsteNummer;
    // The key met last, the key written for it when that is another one, and whether its record
    // names the loss: an article's key usually comes again on its D rows and its text.
    std::string letzter, letzterGeschrieben;
    bool letzterVerlust = false;
    // The text number of the record being converted as it was read, when it is longer than its
    // written key: the record's data-loss entry names the record by the key of the input.
    std::string urLangtextNr;
  };
  Textschluesselgedaechtnis Textschluessel;
};

}  // namespace korvelan
