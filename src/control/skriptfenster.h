#pragma once
// A window for tests and tools: controls held in a map, answers from prepared queues, and a
// record of every message and input box asked.
#include <array>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "context/fenster.h"
#include "record/zeilenpuffer.h"

namespace korvelan {

class SkriptFenster : public Fenster {
 public:
  struct Frage {
    std::string art;  // "Meldung" or "Eingabe"
    std::string text;
    std::string titel;
    Knoepfe knoepfe = Knoepfe::Ok;
    Symbol symbol = Symbol::Kein;
  };

  // Without a list of controls the window has every control; with one, only those.
  SkriptFenster() = default;
  explicit SkriptFenster(std::set<std::string> steuerelemente) : steuerelemente_(std::move(steuerelemente)), alle_(false) {}

  std::string Text(std::string_view name) const override;
  void SetzeText(std::string_view name, std::string_view text) override;
  bool Sichtbar(std::string_view name) const override { return sichtbar.count(std::string(name)) > 0; }

  void WaehrungslisteLeeren() override { waehrungsliste.clear(); }
  void WaehrungslisteHinzufuegen(const std::string& eintrag) override { waehrungsliste.push_back(eintrag); }
  void WaehrungslisteWaehlen(int index) override { gewaehlt = index; }

  Antwort Meldung(const std::string& text, const std::string& titel, Knoepfe knoepfe, Symbol symbol) override;
  std::optional<std::string> Eingabe(const std::string& aufforderung, const std::string& titel,
                                     const std::string& vorgabe) override;

  void Sanduhr(bool an) override { sanduhr = an; }
  void Piepton() override { ++pieptoene; }
  // Keeps the report for the progress texts; before every record (not at the end) counts the
  // call, runs beiEreignis and answers abbrechen, which it resets.
  bool Melden(const Fortschritt& stand) override;
  void ProtokollZeigen(const std::string& protokoll, int obenTwips, int linksTwips) override {
    gezeigtesProtokoll = protokoll;
    protokollOben = obenTwips;
    protokollLinks = linksTwips;
    ++protokollAnzeigen;
  }

  // Prepared answers, taken in order; when a queue is empty a message box answers with its first
  // button (Ok or Ja) and an input box is cancelled.
  std::deque<Antwort> antworten;
  std::deque<std::optional<std::string>> eingaben;

  std::vector<Frage> fragen;
  std::vector<std::string> waehrungsliste;
  int gewaehlt = -1;
  std::set<std::string> sichtbar;
  bool sanduhr = false;
  int pieptoene = 0;
  long ereignisaufrufe = 0;
  std::function<void()> beiEreignis;
  // The answer of the next report before a record: true asks the run to stop.
  bool abbrechen = false;
  std::string gezeigtesProtokoll;
  int protokollOben = 0, protokollLinks = 0, protokollAnzeigen = 0;

 private:
  // The texts of the progress controls, by their place among ProSatzNamen (empty until set). A
  // line buffer takes a new text of the record's length by an inline copy.
  std::array<Zeilenpuffer, ProSatzNamen.size()> proSatz_;
  // The last report of a run still going, not yet taken into proSatz_: its views are valid until
  // the next report, and the texts are made from it only when they are read.
  Fortschritt stand_;
  bool standOffen_ = false;
  // The text the report shows in the progress control at platz.
  std::string StandText(std::size_t platz) const;
  // Takes the open report into proSatz_.
  void StandNehmen();
  bool Hat(std::string_view name) const { return alle_ || steuerelemente_.count(std::string(name)) > 0; }
  // The other controls and their texts, in the order they were first set.
  std::vector<std::pair<std::string, std::string>> texte_;
  // Index of the control in texte_, or texte_.size() when it holds no text yet.
  std::size_t Stelle(std::string_view name) const;
  std::set<std::string> steuerelemente_;
  bool alle_ = true;
};

}  // namespace korvelan
