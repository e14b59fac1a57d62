#pragma once

#include <QString>

class TQuery;

// The program's other sessions on a server book: counters at work, whose writing a restore or
// an initialisation replaces or empties under them. 0 on the embedded book, which cannot tell
// whether a second copy of the program has it open.
int otherCounters(TQuery& q);

// What a question about replacing or emptying the book adds when other counters are at work
// (on a line of its own); empty when none are.
QString otherCountersWarning(TQuery& q);
