#pragma once

namespace tarvo {
class Feedback;
}

namespace tarvo::db {

class Base;

// The French order is ICU's, and an ICU upgrade may move characters in it:
// an index built in the old order then misses rows and lets a key in twice.
// The embedded database records the order its indexes were built in.

// Records this program's order, inside the caller's transaction, for a
// database whose indexes were all just built in it.
void NoterOrdreDesIndex(Base& base);

// When the indexes were built in another order (or before orders were
// recorded), rebuilds every index that uses the French order, in one
// transaction, with its progress, then records the order. Keys the new
// order makes one stop it with an ErreurTarvo naming them, and the rollback
// leaves the file as it was. Raises ErreurTarvo.
void ReconstruireIndexSiOrdreChange(Base& base, Feedback& retour);

} // namespace tarvo::db
