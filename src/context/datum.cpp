// Today's date for the analysis (blank header dates) and the error-log header. Tests fix it
// with DatumFestlegen so that nothing depends on the day they run.
#include <ctime>
#include <string>

#include "context/datum.h"
#include "record/festkomma.h"

namespace korvelan {

namespace {
std::string& FestesDatum() {
  static std::string datum;
  return datum;
}
}  // namespace

std::string HeutigesDatum() {
  if (!FestesDatum().empty()) return FestesDatum();
  std::time_t jetzt = std::time(nullptr);
  std::tm t{};
  localtime_r(&jetzt, &t);
  return FormatierenGanz(t.tm_mday, "00") + "." + FormatierenGanz(t.tm_mon + 1, "00") + "." +
         FormatierenGanz(t.tm_year + 1900, "0000");
}

void DatumFestlegen(const std::string& ddmmyyyy) { FestesDatum() = ddmmyyyy; }

}  // namespace korvelan
