#pragma once

#include "Integration.h"

#include <QByteArrayView>

namespace tarvo::terminal {

// Hands one line (Windows-1252 bytes, no line end) to the routine of its type
// code; a line of an unknown type is skipped. Raises ErreurTarvo.
void TraiteLigne(Integration& run, QByteArrayView ligne);

// Journals one entry and applies it as the line routine of its type does:
// the routines below end here, and so does an entry made at a packing bench,
// so that both follow the same rules. Raises ErreurTarvo.
void Saisir(Integration& run, const LigneJournal& entree);

// The line routines: each journals its line and applies it. Raise ErreurTarvo.
void SaisieEXPXA(Integration& run, QByteArrayView ligne);
void SaisieEXPFA(Integration& run, QByteArrayView ligne);
void SaisieEXPFP(Integration& run, QByteArrayView ligne);
void SaisieEXPXP(Integration& run, QByteArrayView ligne);
void SaisieEXPSA(Integration& run, QByteArrayView ligne);

} // namespace tarvo::terminal
