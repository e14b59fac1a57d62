#pragma once

// The fixture of the model-based test: a book with a few master rows, the random choices of
// inputs, and the operations, each driven through the procedure its window calls and
// checked against the model (bookmodel.h).
#include "core/numbers.h"
#include "core/sysdata.h"
#include "documents/documentlines.h"
#include "reliability/bookmodel.h"
#include "support/booktest.h"

#include <QStringList>
#include <random>

namespace model {

class ModelRun : public BookTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override;
    // Runs so many random operations from the seed of this test's parameter.
    void runSteps(int steps);

    // --- random choices ---------------------------------------------------------------------
    int below(int n) { return int(rng() % std::uint64_t(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const std::vector<T>& v) {
        return v[std::size_t(below(int(v.size())))];
    }
    QString pick(const QStringList& v) { return v[below(int(v.size()))]; }

    QString price();
    QString quantity();
    // A text no number rule accepts; a blank one only when blanks are allowed.
    QString notANumber(bool blanks);
    // A number with far more digits than any amount or quantity the book holds.
    QString tooManyDigits();
    QString text();
    QString newCode(const QString& prefix) { return prefix + QString::number(++serial); }
    // An existing code of the table, in another case now and then, or nothing.
    QString takenCode(const QString& table);
    static Decimal dec(const QString& text) { return *numbers::toDecimalOrZero(text); }

    struct House {
        long long id;
        QString name;
    };
    long long pickInto(DocumentLines& d, int row);
    std::vector<int> someRows();
    void spoilCell(DocumentLines& d, const std::vector<int>& rows);

    // What spoils a document: each operation takes those that apply to it.
    enum Fault {
        None,
        NoHouse,
        NoCode,
        BlankCode,
        NoCounterpart,
        Duplicate,
        BadCell,
        BadMoney,
        HandRow,
        ZeroTotal,
        Cancel,
        SameHouses,
        NoHouseOut
    };
    Fault fault(std::initializer_list<Fault> possible);

    // --- operations: false, with the reason in failure, when the book or the procedure's
    // answer disagrees with the model ----------------------------------------------------------
    bool trade();
    bool transfer();
    bool lossOverflow();
    bool voidOne();
    bool countLine();
    bool deleteCountLine();
    bool deleteCount();
    bool correctCount();
    QString someCountCode();
    bool settle();
    bool cashEntry();

    // --- checks -------------------------------------------------------------------------------
    // Rows written, changed or deleted on the connection so far (what a refusal must not move).
    long long changes();
    bool expectUnchanged(long long before);
    bool expectMessage(const QString& text);
    // A document refused: a failed write says so.
    bool expectRefusal(bool failed);
    bool expectNoMessage();
    bool fail(const QString& why) {
        failure = why;
        return false;
    }

    // One more operation of this kind; faulty when its input was meant to be refused.
    void tally(const QString& kind, bool faulty);

    std::mt19937_64 rng;
    std::vector<House> houses;
    std::vector<long long> products;
    std::map<QString, std::vector<long long>> counterparts;
    std::vector<long long> accountIDs;
    std::vector<QString> corrections; // codes of corrected counts, which no voiding may take
    std::vector<QString> goneCounts;  // codes of counts deleted or corrected
    BookModel book;

    struct Figures {
        int operations = 0;
        int faulty = 0;
    };
    std::map<QString, Figures> figures;
    int serial = 0;
    QString description;
    QString failure;
};

} // namespace model
