// The viewer's field information on arbitrary lines and caret columns.
#include <cstddef>
#include <cstdint>

#include "ui/manzeigf.h"

using namespace korvelan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
  if (groesse < 2) return 0;
  // The column from the first two bytes, so that columns beyond the line and below 1 occur too.
  const int k = static_cast<int>(static_cast<std::int16_t>(daten[0] | (daten[1] << 8))) % 400;
  const std::string zeile(reinterpret_cast<const char*>(daten + 2), groesse - 2);
  auto info = ui::FeldinformationErmitteln(zeile, k);
  if (info) {
    volatile std::size_t n = info->satzart.size() + info->satzartbezeichnung.size() +
                             info->feldbezeichnung.size() + info->feldinhalt.size();
    (void)n;
  }
  return 0;
}
