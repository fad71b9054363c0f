#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariantList>

namespace tarvo {

struct Contexte;

namespace expeditions {

// Runs a statement on Cnx with its bound values; raises ErreurTarvo carrying
// the database's error when it fails. Reads walk forward only.
QSqlQuery executer(Contexte& ctx, const QString& sql, const QVariantList& valeurs = {});

// One transaction on Cnx: begun by the constructor, rolled back by the
// destructor unless valider() was called.
class Transaction {
public:
    explicit Transaction(Contexte& ctx);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void valider();

private:
    Contexte& ctx_;
    bool active_ = false;
};

} // namespace expeditions
} // namespace tarvo
