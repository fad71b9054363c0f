#pragma once

#include <QString>

namespace tarvo {

struct Contexte;

inline const QString NomFichierIni = QStringLiteral("TARVOX.ini");

// The value of one key of one section, read afresh from the file at each call.
// An empty file names TARVOX.ini in the program folder. A missing section shows
// its box and ends the program (ArretProgramme); a missing key gives "".
// A file that cannot be read raises ErreurTarvo.
QString LireIni(Contexte& ctx, const QString& cle, const QString& section,
                const QString& fichier = {});

// The value a line gives for a key: the line begins with the key and holds an
// equals sign. `trouve` tells whether the line matched.
QString ValeurCle(const QString& cle, const QString& ligne, bool* trouve = nullptr);

} // namespace tarvo
