#pragma once

class QApplication;

namespace tarvo::ui {

// Makes every file dialog of the program Qt's own, which speaks the French of
// the loaded translations, and shows in it the dates and sizes the French way
// ("07/12/2026 09:05", "12 octets") whatever the workstation's language: the
// platform's dialog and Qt's file list follow the system's locale instead.
void franciserDialoguesFichiers(QApplication& application);

} // namespace tarvo::ui
