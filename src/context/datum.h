#pragma once
// Today's date for the analysis (blank header dates), the output header and the error-log header.
#include <string>

namespace korvelan {

// Today's date as "DD.MM.YYYY"; tests can fix it.
std::string HeutigesDatum();
void DatumFestlegen(const std::string& ddmmyyyy);  // empty: the real date again

}  // namespace korvelan
