#include "record/laufzeitfehler.h"

#include <cerrno>
#include <cstring>

#include "record/text.h"

namespace korvelan {

Laufzeitfehler SystemFehler(int fehlerNr) {
  const char* text = nullptr;
  switch (fehlerNr) {
    case ENOENT: text = "Pfad oder Datei nicht gefunden"; break;
    case EACCES:
    case EPERM: text = "Zugriff verweigert"; break;
    case EROFS: text = "Das Dateisystem ist schreibgeschützt"; break;
    case ENOSPC: text = "Kein Speicherplatz mehr auf dem Datenträger"; break;
    case EDQUOT: text = "Speicherkontingent überschritten"; break;
    case EIO: text = "Ein-/Ausgabefehler des Geräts"; break;
    case EISDIR: text = "Der Name bezeichnet ein Verzeichnis"; break;
    case ENOTDIR: text = "Ein Teil des Pfades ist kein Verzeichnis"; break;
    case ENAMETOOLONG: text = "Der Dateiname ist zu lang"; break;
    case EMFILE:
    case ENFILE: text = "Zu viele Dateien geöffnet"; break;
    case EFBIG: text = "Die Datei ist zu groß"; break;
    default: break;
  }
  if (text) return Laufzeitfehler(fehlerNr, Ansi(text));
  return Laufzeitfehler(fehlerNr, Ansi(std::strerror(fehlerNr)));
}

}  // namespace korvelan
