#include "SqlDeTest.h"

#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Dialecte.h"

using namespace Qt::StringLiterals;

namespace tarvo::test {
namespace {

// The text with its '?' as :v1, :v2…, the names db::Requete binds.
QString nommer(const QString& texte) {
    QString resultat;
    QChar fermante;
    int rang = 0;
    for (const QChar c : texte) {
        if (!fermante.isNull()) {
            if (c == fermante)
                fermante = QChar();
        } else if (c == u'\'' || c == u'"') {
            fermante = c;
        } else if (c == u'[') {
            fermante = u']';
        } else if (c == u'?') {
            resultat += u":v"_s + QString::number(++rang);
            continue;
        }
        resultat += c;
    }
    return resultat;
}

[[noreturn]] void fatal(const QString& texte, const ErreurTarvo& e) {
    qFatal("%s : %s", qPrintable(texte), qPrintable(e.erreur().description));
}

} // namespace

db::Requete preparer(Connexion& cnx, const QString& texte, const QVariantList& valeurs) {
    db::Requete requete = db::Base(&cnx).preparer(db::TexteSql(nommer(texte)));
    for (qsizetype i = 0; i < valeurs.size(); ++i)
        requete.lier(u":v"_s + QString::number(i + 1), valeurs.at(i));
    return requete;
}

void sql(Connexion& cnx, const QString& texte, const QVariantList& valeurs) {
    try {
        preparer(cnx, texte, valeurs).executer();
    } catch (const ErreurTarvo& e) {
        fatal(texte, e);
    }
}

void script(Connexion& cnx, const QString& texte) {
    try {
        db::Base(&cnx).executerScript(db::TexteSql(texte));
    } catch (const ErreurTarvo& e) {
        fatal(texte, e);
    }
}

QList<QVariantList> rangees(Connexion& cnx, const QString& texte, const QVariantList& valeurs) {
    QList<QVariantList> resultat;
    try {
        db::Requete requete = preparer(cnx, texte, valeurs);
        while (requete.suivante()) {
            QVariantList rangee;
            for (int i = 0; i < requete.nombreColonnes(); ++i)
                rangee << requete.valeur(i);
            resultat << rangee;
        }
    } catch (const ErreurTarvo& e) {
        fatal(texte, e);
    }
    return resultat;
}

QVariant valeur(Connexion& cnx, const QString& texte, const QVariantList& valeurs) {
    const QList<QVariantList> r = rangees(cnx, texte, valeurs);
    return r.isEmpty() || r.first().isEmpty() ? QVariant() : r.first().first();
}

qint64 nombre(Connexion& cnx, const QString& texte, const QVariantList& valeurs) {
    const QList<QVariantList> r = rangees(cnx, texte, valeurs);
    if (r.isEmpty() || r.first().isEmpty())
        qFatal("%s : aucune ligne", qPrintable(texte));
    return r.first().first().toLongLong();
}

QStringList lignes(Connexion& cnx, const QString& texte, const QVariantList& valeurs) {
    QStringList resultat;
    for (const QVariantList& rangee : rangees(cnx, texte, valeurs)) {
        QStringList colonnes;
        for (const QVariant& v : rangee) {
            if (v.isNull())
                colonnes << u"∅"_s;
            else if (v.typeId() == QMetaType::QDateTime)
                colonnes << v.toDateTime().toString(db::Dialecte::FormatDateHeure);
            else if (v.typeId() == QMetaType::Double)
                colonnes << QString::number(v.toDouble());
            else
                colonnes << v.toString();
        }
        resultat << colonnes.join(u'|');
    }
    return resultat;
}

std::optional<ErreurTarvo> refus(Connexion& cnx, const QString& texte,
                                 const QVariantList& valeurs) {
    try {
        db::Requete requete = preparer(cnx, texte, valeurs);
        while (requete.suivante()) {
        }
    } catch (const ErreurTarvo& e) {
        return e;
    }
    return std::nullopt;
}

Lecture::Lecture(Connexion& cnx, const QString& texte, const QVariantList& valeurs) {
    try {
        requete_.emplace(preparer(cnx, texte, valeurs));
        premiere_ = requete_->suivante();
    } catch (const ErreurTarvo& e) {
        erreur_ = e.erreur().description;
        fini_ = true;
    }
}

bool Lecture::suivante() {
    if (!requete_ || fini_)
        return false;
    bool ligne = premiere_;
    try {
        if (lue_)
            ligne = requete_->suivante();
    } catch (const ErreurTarvo& e) {
        erreur_ = e.erreur().description;
        ligne = false;
    }
    lue_ = true;
    fini_ = !ligne;
    return ligne;
}

int Lecture::nombreColonnes() const {
    return requete_ ? requete_->nombreColonnes() : 0;
}

QVariant Lecture::valeur(int colonne) const {
    return requete_ ? requete_->valeur(colonne) : QVariant();
}

QVariant Lecture::valeur(const QString& colonne) const {
    for (int i = 0; i < nombreColonnes(); ++i)
        if (requete_->nomColonne(i) == colonne)
            return requete_->valeur(i);
    return {};
}

} // namespace tarvo::test
