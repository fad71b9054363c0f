#pragma once

#include "Journee.h"

// The day's actors other than the terminals, each a loop run on a thread of
// its own until the day is over. Each launches the real tarvoctl; each reads
// the database only to choose its next arguments, as a person reads a list.
namespace journee {

// A workstation: shipments from available orders, orders added, labels,
// reports, terminal files, order searches.
void poste(Journee& j, int numero, quint64 graine);

// Two schedulers starting an integration at the same moment, every few
// seconds.
void integrations(Journee& j, quint64 graine);

// A packing bench: tarvoctl colisage on an open shipment, a few scans at a
// time into parcels from PremierColisBanc on, which the terminals never use.
constexpr int PremierColisBanc = 90;
void banc(Journee& j, quint64 graine);

// Article synchronisation and exports now and then.
void synchronisations(Journee& j, quint64 graine);

// Sage taking new orders, and the terminals' view of the open shipments kept
// up to date.
void sage(Journee& j, quint64 graine);

// Random kill -9 of any tarvoctl that runs.
void tueur(Journee& j, quint64 graine, std::atomic<int>& tues);

// Reads the bar codes the terminals scan once at the start of the day.
void chargerArticles(Journee& j);

} // namespace journee
