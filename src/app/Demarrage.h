#pragma once

#include <QString>
#include <functional>

namespace tarvo {

struct Contexte;

// Starts a command line detached; false when it could not be started. A line
// that names an existing file as a whole is started as it is, spaces and all.
using LanceurProgramme = std::function<bool(const QString& ligneDeCommande)>;
bool lancerDetache(const QString& ligneDeCommande);

// The start-up checks show their own boxes and return whether start-up may
// go on; when they return false the program ends with status 1.

// False, after the "Lancement interrompu" box, when TARVOX.ini is not in the
// program folder.
[[nodiscard]] bool VerifierFichierIni(Contexte& ctx);

// Compares the running version with the reference version of the installation.
// False when the program must end, after starting the update when the person
// asked for it. Without `lanceur` a mismatch shows its box and ends the
// program without offering the update.
[[nodiscard]] bool ControleVersion(Contexte& ctx, const QString& cheminInfoVersion,
                                   const LanceurProgramme& lanceur);

// Reads SECURITYMODE: "INTEG" in any case selects integrated login, anything
// else the login dialog.
QString LireModeSecurite(Contexte& ctx);

// The checks every start makes before the connection: ControleParGamme, the
// configuration file, the version control and the login mode. A section
// missing from the configuration shows its box and ends start-up too.
[[nodiscard]] bool ControlesDeDemarrage(Contexte& ctx, const LanceurProgramme& lanceur);

} // namespace tarvo
