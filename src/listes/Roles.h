#pragma once

#include <Qt>

namespace tarvo::listes {

// What every list and grid of the program gives beside the text a cell
// shows, so that nothing is read back from that text.
enum Role {
    // The row's key: the record it stands for.
    RoleCle = Qt::UserRole + 1,
    // The row's mark (a closed shipment), as a bool.
    RoleMarque,
    // The cell's value as the database gave it.
    RoleValeur,
};

} // namespace tarvo::listes
