#pragma once

#include "schema/totals.h"

#include <string>

namespace schema {

// The statements that take a book of the version before to the given one, in the engine's
// spelling; empty when there are none. Most steps are a file (upgrade-N.sql); a step that
// makes the kept totals' triggers anew is written here, since those differ by engine.
std::string upgradeStep(Engine engine, int version);

} // namespace schema
