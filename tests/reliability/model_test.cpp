// Random operations driven through the procedures the windows call, checked after every step
// against a small model of what the book must hold (bookmodel.h) and against the books check.
// The operations live in modeltrades.cpp, modelcounts.cpp and modelmoney.cpp.
#include "reliability/modelrun.h"

#include <functional>
#include <iostream>
#include <stdexcept>

namespace model {

namespace {

int envNumber(const char* name, int fallback) {
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? fallback : v.toInt();
}

} // namespace

void ModelRun::runSteps(int steps) {
    const int seed = envNumber("VESK_MODEL_FIRST_SEED", 1) + GetParam();
    rng.seed(std::uint64_t(seed));
    // How often each operation comes, out of 100.
    const std::pair<int, std::function<bool()>> shares[] = {
        {32, [this] { return trade(); }},       {9, [this] { return transfer(); }},
        {8, [this] { return lossOverflow(); }}, {9, [this] { return voidOne(); }},
        {14, [this] { return countLine(); }},   {3, [this] { return deleteCountLine(); }},
        {3, [this] { return deleteCount(); }},  {7, [this] { return correctCount(); }},
        {8, [this] { return settle(); }},       {7, [this] { return cashEntry(); }},
    };
    for (int step = 1; step <= steps; ++step) {
        int choice = below(100);
        const auto* share = std::begin(shares);
        while (choice >= share->first)
            choice -= (share++)->first;
        messages_.clear();
        description.clear();
        bool ok = false;
        try {
            ok = share->second();
            if (ok)
                failure = book.disagreement();
        } catch (const std::exception& e) {
            ok = false;
            failure = QStringLiteral("threw: ") + QString::fromUtf8(e.what());
        }
        if (!ok || !failure.isEmpty()) {
            ADD_FAILURE() << "seed " << seed << ", step " << step << ": "
                          << description.toStdString() << "\n"
                          << failure.toStdString()
                          << "\nrepeat with VESK_MODEL_FIRST_SEED=" << seed - GetParam()
                          << " and this case";
            return;
        }
    }
    int operations = 0, faulty = 0;
    QStringList kinds;
    for (const auto& [kind, f] : figures) {
        operations += f.operations;
        faulty += f.faulty;
        kinds << QStringLiteral("%1 %2 (%3 faulty)").arg(kind).arg(f.operations).arg(f.faulty);
    }
    std::cout << "seed " << seed << ": " << operations << " operations, " << faulty
              << " with faulty input, books and model agree after every one: "
              << kinds.join(", ").toStdString() << "\n";
}

TEST_P(ModelRun, RandomOperationsKeepTheBooksAndTheModelInAgreement) {
    runSteps(envNumber("VESK_MODEL_STEPS", 1000));
}
INSTANTIATE_TEST_SUITE_P(Seeds, ModelRun, ::testing::Range(0, 3));

// The same on a server book, fewer steps: each refusal reads the whole book there.
class ModelRunOnServer : public ModelRun {
protected:
    BookEngine engine() const override { return BookEngine::Server; }
};
TEST_P(ModelRunOnServer, RandomOperationsKeepTheBooksAndTheModelInAgreement) {
    runSteps(envNumber("VESK_MODEL_STEPS", 400));
}
INSTANTIATE_TEST_SUITE_P(Seeds, ModelRunOnServer, ::testing::Range(0, 2));

} // namespace model
