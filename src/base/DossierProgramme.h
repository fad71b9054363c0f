#pragma once

#include <QString>

namespace tarvo {

// Where TARVOX.ini, erreurs.txt and debug.txt live when nothing names the
// folder: the environment variable TARVO_DIR when set; else, for a program
// installed by its package (in a system folder nobody may write), the user's
// data folder (~/.local/share/tarvo on Linux), created when missing, unless
// the program's own folder holds TARVOX.ini; else the program's own folder (a
// program copied into a folder of its own, as on Windows, or a build).
QString DossierProgramme();

} // namespace tarvo
