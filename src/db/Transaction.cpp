#include "Transaction.h"

#include "Base.h"

namespace tarvo::db {

Transaction::Transaction(Base& base) : base_(base) {
    base_.commencer();
    active_ = true;
}

Transaction::~Transaction() {
    if (active_)
        base_.annuler();
}

void Transaction::valider() {
    try {
        base_.valider();
    } catch (...) {
        active_ = false;
        base_.annuler();
        throw;
    }
    active_ = false;
}

} // namespace tarvo::db
