#pragma once

class QCoreApplication;

namespace tarvo::ui {

// Loads Qt's own French texts (standard buttons, file and print dialogs, input
// boxes) so that nothing of the program speaks English. False when the
// translation files are not installed: the program then runs with Qt's
// English texts rather than not at all.
bool chargerTraductions(QCoreApplication& application);

} // namespace tarvo::ui
