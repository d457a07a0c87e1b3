#pragma once
// The file-open dialog of the conversion window and the viewer, behind a replaceable function so
// that tests never drive a real dialog.
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace korvelan::ui {

// Title and filter of the file-open dialog. The filter is written as pairs of description and
// patterns separated by "|".
extern const char* const DateiauswahlTitel;
extern const char* const DateiauswahlFilter;

// Shows the dialog; no value when the user cancels.
using Dateiwahl = std::function<std::optional<QString>(QWidget* eltern, const QString& titel, const QString& filter)>;
Dateiwahl& DateiWaehlen();

// The "|"-separated filter as Qt's name filters. File names keep their case on this system, so
// each pattern is offered as written, in capitals and in small letters.
QString QtNamensfilter(const QString& filter);

}  // namespace korvelan::ui
