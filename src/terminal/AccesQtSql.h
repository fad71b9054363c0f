#pragma once

#include "AccesDonnees.h"

#include <QSqlDatabase>

namespace tarvo::terminal {

// SQL Server (or any Qt driver) through QtSql prepared queries.
class AccesQtSql : public AccesDonnees {
public:
    AccesQtSql(QSqlDatabase base, db::Moteur moteur);
    ~AccesQtSql() override;

    db::Moteur moteur() const override { return moteur_; }
    std::unique_ptr<Instruction> preparer(const QString& sql) override;
    void commencer() override;
    void valider() override;
    void annuler() noexcept override;

private:
    QSqlDatabase base_;
    db::Moteur moteur_;
    bool enTransaction_ = false;
};

} // namespace tarvo::terminal
