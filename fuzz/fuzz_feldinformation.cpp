// The viewer's field information on arbitrary lines and caret columns, in every version.
#include <cstddef>
#include <cstdint>

#include "ui/manzeigf.h"

using namespace korvelan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 3) return 0;
  // The column from the first two bytes, so that columns beyond the line and below 1 occur too;
  // the version from the third (2 to 6: the versions with tables and one on each side).
  const int k = static_cast<int>(static_cast<std::int16_t>(daten[0] | (daten[1] << 8))) % 400;
  const int version = 2 + daten[2] % 5;
  const std::string zeile(reinterpret_cast<const char*>(daten + 3), groesse - 3);
  const ui::Feldauskunft a = ui::FeldauskunftErmitteln(zeile, k, version);
  volatile std::size_t n = a.info.satzart.size() + a.info.satzartbezeichnung.size() +
                           a.info.feldbezeichnung.size() + a.info.feldinhalt.size();
  (void)n;
  return 0;
}
