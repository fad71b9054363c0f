#pragma once

#include <QString>
#include <exception>

namespace tarvo {

struct Environnement;

inline const QString NomFichierIni = QStringLiteral("TARVOX.ini");

// A section the configuration lacks: the program cannot go on. It is no
// ErreurTarvo, so that no command's own error box takes it for a failure of
// that command; the entry points show AfficherSectionIntrouvable and end the
// program.
class SectionIniIntrouvable : public std::exception {
public:
    explicit SectionIniIntrouvable(QString section) : section_(std::move(section)) {}
    const QString& section() const { return section_; }
    const char* what() const noexcept override { return "section introuvable"; }

private:
    QString section_;
};

// The value of one key of one section, read afresh from the file at each call.
// An empty file names TARVOX.ini in the program folder. A missing section
// raises SectionIniIntrouvable; a missing key gives "". A file that cannot be
// read raises ErreurTarvo.
QString LireIni(Environnement& ctx, const QString& cle, const QString& section,
                const QString& fichier = {});

// The "Lecture du fichier INI" box that names the missing section.
void AfficherSectionIntrouvable(Environnement& ctx, const SectionIniIntrouvable& e);

// The value a line gives for a key: the line begins with the key and holds an
// equals sign. `trouve` tells whether the line matched.
QString ValeurCle(const QString& cle, const QString& ligne, bool* trouve = nullptr);

} // namespace tarvo
