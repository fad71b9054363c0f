#include "AccesQtSql.h"

#include "app/Erreur.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace tarvo::terminal {
namespace {

QString source(const QSqlDatabase& base) {
    return base.driverName();
}

class InstructionQtSql : public Instruction {
public:
    InstructionQtSql(const QSqlDatabase& base, const QString& sql) : requete_(base) {
        // Before prepare(): a query that may scroll back keeps every row it read.
        requete_.setForwardOnly(true);
        if (!requete_.prepare(sql))
            throw ErreurTarvo(Erreur::depuisSql(requete_.lastError(), source(base)));
        source_ = source(base);
    }

    void lierEntier(int numero, qint64 valeur) override { lier(numero, QVariant(valeur)); }
    void lierReel(int numero, double valeur) override { lier(numero, QVariant(valeur)); }
    void lierTexte(int numero, QStringView valeur) override {
        lier(numero, QVariant(valeur.toString()));
    }

    qint64 executer() override {
        terminer();
        lancer();
        const int n = requete_.numRowsAffected();
        requete_.finish();
        return n;
    }

    bool suivante() override {
        if (!lance_) {
            lancer();
            lance_ = true;
        }
        if (requete_.next())
            return true;
        if (requete_.lastError().isValid())
            throw ErreurTarvo(Erreur::depuisSql(requete_.lastError(), source_));
        terminer();
        return false;
    }

    bool estNul(int colonne) const override { return requete_.isNull(colonne); }
    qint64 entier(int colonne) const override { return requete_.value(colonne).toLongLong(); }
    double reel(int colonne) const override { return requete_.value(colonne).toDouble(); }
    QString texte(int colonne) const override { return requete_.value(colonne).toString(); }

    void terminer() override {
        if (lance_) {
            requete_.finish();
            lance_ = false;
        }
    }

private:
    void lier(int numero, const QVariant& valeur) {
        terminer();
        requete_.bindValue(numero - 1, valeur);
    }
    void lancer() {
        if (!requete_.exec())
            throw ErreurTarvo(Erreur::depuisSql(requete_.lastError(), source_));
    }

    QSqlQuery requete_;
    QString source_;
    bool lance_ = false;
};

} // namespace

AccesQtSql::AccesQtSql(QSqlDatabase base, db::Moteur moteur)
    : base_(std::move(base)), moteur_(moteur) {}

AccesQtSql::~AccesQtSql() {
    annuler();
}

std::unique_ptr<Instruction> AccesQtSql::preparer(const QString& sql) {
    return std::make_unique<InstructionQtSql>(base_, sql);
}

void AccesQtSql::commencer() {
    if (!base_.transaction())
        throw ErreurTarvo(Erreur::depuisSql(base_.lastError(), source(base_)));
    enTransaction_ = true;
}

void AccesQtSql::valider() {
    if (!base_.commit())
        throw ErreurTarvo(Erreur::depuisSql(base_.lastError(), source(base_)));
    enTransaction_ = false;
}

void AccesQtSql::annuler() noexcept {
    if (!enTransaction_)
        return;
    enTransaction_ = false;
    base_.rollback();
}

} // namespace tarvo::terminal
