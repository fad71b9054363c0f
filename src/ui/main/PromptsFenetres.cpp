#include "PromptsFenetres.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tarvo::ui {
namespace {

QMessageBox::Icon iconeQt(Prompts::Icone icone) {
    switch (icone) {
    case Prompts::Icone::Critique:
        return QMessageBox::Critical;
    case Prompts::Icone::Exclamation:
        return QMessageBox::Warning;
    case Prompts::Icone::Information:
        return QMessageBox::Information;
    case Prompts::Icone::Question:
        return QMessageBox::Question;
    case Prompts::Icone::Aucune:
        break;
    }
    return QMessageBox::NoIcon;
}

QString titreAffiche(const QString& titre) {
    return titre.isEmpty() ? titreParDefaut() : titre;
}

QString texteAffiche(QString texte) {
    return texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

void PromptsFenetres::message(Icone icone, const QString& titre, const QString& texte) {
    QMessageBox boite(iconeQt(icone), titreAffiche(titre), texteAffiche(texte), QMessageBox::Ok,
                      proprietaire_);
    boite.exec();
}

bool PromptsFenetres::question(Icone icone, const QString& titre, const QString& texte,
                               bool ouiParDefaut) {
    QMessageBox boite(iconeQt(icone), titreAffiche(titre), texteAffiche(texte),
                      QMessageBox::Yes | QMessageBox::No, proprietaire_);
    boite.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    boite.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    boite.setDefaultButton(ouiParDefaut ? QMessageBox::Yes : QMessageBox::No);
    return boite.exec() == QMessageBox::Yes;
}

Prompts::Reponse PromptsFenetres::questionAnnulable(Icone icone, const QString& titre,
                                                    const QString& texte) {
    QMessageBox boite(iconeQt(icone), titreAffiche(titre), texteAffiche(texte),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, proprietaire_);
    boite.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    boite.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    boite.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    boite.setDefaultButton(QMessageBox::Yes);
    boite.setEscapeButton(QMessageBox::Cancel);
    switch (boite.exec()) {
    case QMessageBox::Yes:
        return Reponse::Oui;
    case QMessageBox::No:
        return Reponse::Non;
    default:
        return Reponse::Annuler;
    }
}

std::optional<QString> PromptsFenetres::saisie(const QString& titre, const QString& texte,
                                               const QString& defaut) {
    bool ok = false;
    const QString valeur = QInputDialog::getText(
        proprietaire_, titreAffiche(titre), texteAffiche(texte), QLineEdit::Normal, defaut, &ok);
    if (!ok)
        return std::nullopt;
    return valeur;
}

QString PromptsFenetres::choisirFichier(const QString& titre, const QString& filtre) {
    return QFileDialog::getOpenFileName(proprietaire_, titreAffiche(titre), QString(), filtre);
}

} // namespace tarvo::ui
