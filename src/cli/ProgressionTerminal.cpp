#include "ProgressionTerminal.h"

#include <QString>
#include <unistd.h>

namespace tarvo::ctl {

ProgressionTerminal::ProgressionTerminal(std::FILE* sortie)
    : sortie_(sortie), actif_(isatty(fileno(sortie)) != 0) {}

ProgressionTerminal::~ProgressionTerminal() {
    if (ligneOuverte_)
        std::fputc('\n', sortie_);
}

void ProgressionTerminal::statut(const QString& texte) {
    if (texte == statut_)
        return;
    statut_ = texte;
    dessiner();
}

void ProgressionTerminal::progression(int pourcentage) {
    if (pourcentage == pourcentage_)
        return;
    pourcentage_ = pourcentage;
    dessiner();
}

void ProgressionTerminal::dessiner() {
    if (!actif_)
        return;
    constexpr int largeur = 30;
    QString ligne = QStringLiteral("\r\033[K");
    const bool enCours = pourcentage_ >= 0 && pourcentage_ < 100;
    // Idle again: the line is cleared rather than left showing "Prêt", so
    // that what the command prints next starts at the beginning of a line.
    if (!enCours && statut_.isEmpty()) {
        if (ligneOuverte_) {
            std::fputs(ligne.toUtf8().constData(), sortie_);
            std::fflush(sortie_);
        }
        ligneOuverte_ = false;
        return;
    }
    if (enCours) {
        const int plein = pourcentage_ * largeur / 100;
        ligne += u'[' + QString(plein, u'#') + QString(largeur - plein, u' ') +
                 QStringLiteral("] %1 % ").arg(pourcentage_, 3);
    }
    ligne += statut_;
    std::fputs(ligne.toUtf8().constData(), sortie_);
    std::fflush(sortie_);
    ligneOuverte_ = true;
}

} // namespace tarvo::ctl
