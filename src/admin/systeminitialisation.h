#pragma once

// The system initialisation: after two cautious questions, every document of every kind and
// the whole money journal go, and the stock and balances return to 0. Master data, accounts,
// assets, users and the print settings stay.
namespace systeminitialisation {

// Asks, empties the book's business data in one transaction and tells that it is done;
// nothing changes when either question is cancelled or a statement fails.
void run();

} // namespace systeminitialisation
