#pragma once

#include <string>

namespace pq {

// Loads the PostgreSQL client library if it is not loaded yet; why it could not be, or empty.
// Every libpq function the program calls loads it too, and ends the program with this reason
// when it cannot: a connection asks first, so that the person is told instead.
std::string loadError();

} // namespace pq
