#pragma once

#include <QString>
#include <functional>

namespace tarvo {

struct Contexte;

// Starts a command line detached; false when it could not be started.
using LanceurProgramme = std::function<bool(const QString& ligneDeCommande)>;
bool lancerDetache(const QString& ligneDeCommande);

// Ends the program (ArretProgramme) with the "Lancement interrompu" box when
// TARVOX.ini is not in the program folder.
void VerifierFichierIni(Contexte& ctx);

// Compares the running version with the reference version of the installation.
// Returns when start-up may go on; otherwise ends the program, after starting
// the update when the person asked for it. Without `lanceur` a mismatch shows
// its box and ends the program without offering the update.
void ControleVersion(Contexte& ctx, const QString& cheminInfoVersion,
                     const LanceurProgramme& lanceur);

// Reads SECURITYMODE: "INTEG" in any case selects integrated login, anything
// else the login dialog.
QString LireModeSecurite(Contexte& ctx);

// The checks every start makes before the connection: ControleParGamme, the
// configuration file, the version control and the login mode.
void ControlesDeDemarrage(Contexte& ctx, const LanceurProgramme& lanceur);

} // namespace tarvo
