#pragma once

namespace tarvo::db {

class Base;

// One transaction: begun by the constructor, rolled back by the destructor
// unless valider() succeeded. Transactions do not nest.
class Transaction {
public:
    explicit Transaction(Base& base);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Commits; on failure rolls back and raises ErreurTarvo.
    void valider();

private:
    Base& base_;
    bool active_ = false;
};

} // namespace tarvo::db
