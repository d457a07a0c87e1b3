#include "context/laufbeschreibung.h"

#include "record/festkomma.h"
#include "record/laufzeitfehler.h"
#include "record/text.h"

namespace korvelan {

int VersionAusText(std::string_view text) {
  try {
    return static_cast<int>(Runden(Val(text)));
  } catch (const Laufzeitfehler&) {
    return 0;
  }
}

bool UmrechnungTeilt(std::string_view eingabeversion, std::string_view ausgabeversion,
                     std::string_view eingabewaehrung, std::string_view ausgabewaehrung) {
  return !IstLeer(ausgabewaehrung) && ausgabeversion != "3" && eingabeversion != "3" &&
         ausgabewaehrung != eingabewaehrung && eingabewaehrung != "EUR";
}

void Laufbeschreibung::VersionenSetzen(std::string_view eingabe, std::string_view ausgabe) {
  eingabeversionText = Trimmen(eingabe);
  ausgabeversionText = Trimmen(ausgabe);
  eingabeversion = VersionAusText(eingabeversionText);
  ausgabeversion = VersionAusText(ausgabeversionText);
}

}  // namespace korvelan
