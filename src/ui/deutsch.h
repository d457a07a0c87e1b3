#pragma once
// Qt's own texts (the buttons of message and input boxes, the file and print dialogs) in German.
class QCoreApplication;

namespace korvelan::ui {

// Installs Qt's German translations when they are installed on the system (Debian package
// qt6-translations-l10n); without them those texts stay English and the program works as
// before. Returns whether they were loaded.
bool QtTexteDeutsch(QCoreApplication& app);

}  // namespace korvelan::ui
