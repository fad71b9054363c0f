#include "Requete.h"

#include "Dialecte.h"
#include "base/Erreur.h"

namespace tarvo::db {
namespace {

const QString Source = QStringLiteral("SQL");

} // namespace

Requete::Requete(std::unique_ptr<Instruction> instruction, ParametresNommes parametres)
    : instruction_(std::move(instruction)), parametres_(std::move(parametres)),
      lies_(static_cast<std::size_t>(parametres_.noms.size()), false) {}

Requete::Requete(Requete&&) noexcept = default;
Requete& Requete::operator=(Requete&&) noexcept = default;
Requete::~Requete() = default;

int Requete::rangLie(QStringView nom) {
    const int rang = parametres_.rang(nom);
    if (rang < 0)
        throw ErreurTarvo(NumeroErreur::Base, Source,
                          QStringLiteral("Paramètre inconnu ") + nom.toString() +
                              QStringLiteral(" dans : ") + parametres_.textePositionnel);
    lies_[static_cast<std::size_t>(rang)] = true;
    return rang;
}

void Requete::verifierLiaisons() const {
    for (std::size_t i = 0; i < lies_.size(); ++i) {
        if (!lies_[i])
            throw ErreurTarvo(
                NumeroErreur::Base, Source,
                QStringLiteral("Paramètre :") + parametres_.noms.at(static_cast<qsizetype>(i)) +
                    QStringLiteral(" sans valeur dans : ") + parametres_.textePositionnel);
    }
}

Requete& Requete::lier(QStringView nom, int valeur) {
    return lier(nom, static_cast<qint64>(valeur));
}

Requete& Requete::lier(QStringView nom, qint64 valeur) {
    instruction_->lierEntier(rangLie(nom), valeur);
    return *this;
}

Requete& Requete::lier(QStringView nom, double valeur) {
    instruction_->lierReel(rangLie(nom), valeur);
    return *this;
}

Requete& Requete::lier(QStringView nom, QStringView valeur) {
    instruction_->lierTexte(rangLie(nom), valeur);
    return *this;
}

Requete& Requete::lier(QStringView nom, const QString& valeur) {
    return lier(nom, QStringView(valeur));
}

Requete& Requete::lier(QStringView nom, const QByteArray& valeur) {
    instruction_->lierOctets(rangLie(nom), valeur);
    return *this;
}

Requete& Requete::lier(QStringView nom, const QDateTime& valeur) {
    if (!valeur.isValid())
        return lierNul(nom);
    instruction_->lierMoment(rangLie(nom), valeur);
    return *this;
}

Requete& Requete::lierMoment(QStringView nom, const QString& texte) {
    const QDateTime moment = Dialecte::lireDateHeure(texte);
    if (moment.isValid())
        return lier(nom, moment);
    if (texte.isEmpty())
        return lierNul(nom);
    return lier(nom, texte);
}

Requete& Requete::lier(QStringView nom, const QVariant& valeur) {
    if (valeur.isNull())
        return lierNul(nom);
    switch (valeur.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return lier(nom, valeur.toLongLong());
    case QMetaType::Float:
    case QMetaType::Double:
        return lier(nom, valeur.toDouble());
    case QMetaType::QByteArray:
        return lier(nom, valeur.toByteArray());
    case QMetaType::QDateTime:
        return lier(nom, valeur.toDateTime());
    case QMetaType::QDate:
        return lier(nom, valeur.toDate().startOfDay());
    default:
        return lier(nom, valeur.toString());
    }
}

Requete& Requete::lierNul(QStringView nom) {
    instruction_->lierNul(rangLie(nom));
    return *this;
}

qint64 Requete::executer() {
    verifierLiaisons();
    return instruction_->executer();
}

qint64 Requete::executerInsertion() {
    verifierLiaisons();
    return instruction_->executerInsertion();
}

bool Requete::suivante() {
    verifierLiaisons();
    return instruction_->suivante();
}

void Requete::terminer() {
    instruction_->terminer();
}

QDateTime Requete::dateHeure(int colonne) const {
    return Dialecte::lireDateHeure(instruction_->valeur(colonne));
}

} // namespace tarvo::db
