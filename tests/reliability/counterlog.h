#pragma once

// What the counters (tests/tools/counter.cpp) reported, and its comparison with the book they
// worked on together: every operation reported done is in the book once and whole, every one
// refused or voided left nothing, one cut off by a kill or a lost connection is in it whole or
// not at all, no code was given twice, every count left open holds the lines reported for it
// (counteropencounts.h), and the kept totals are those of a model that replays every operation
// done (sums commute: the order of the replay does not matter).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace counters {

struct Operation {
    enum class End {
        Done,
        Failed,
        Cut, // no end line: the counter was killed during it
    };
    QString id; // <counter>-<serial>
    QString what;
    std::map<QString, QString> words;
    End end = End::Cut;
    QString code;      // once done: the code written, "-" for none
    bool lost = false; // failed with the connection gone: whether it committed is not known
    QString message;   // once failed

    QString word(const char* key) const;
    // Done, failed or cut, but whether it is in the book is not known from the report.
    bool unsure() const { return end == End::Cut || lost; }
};

// Every operation of one run of a counter, in its order. A last line without its newline (a
// kill in the middle of a write) is no line.
std::vector<Operation> readLog(const QByteArray& output);

// Operations done per kind, and failures by message.
QString figures(const std::vector<Operation>& operations);

// Checks the book open in sysData against what the counters reported; every fault found.
QStringList check(const std::vector<Operation>& operations);

// What the report says of an operation, for a fault's text: "c1-7 (countline, done as PD…)".
QString told(const Operation& op);

} // namespace counters
