// A second copy of the program on the same book, as a person who starts it twice has: it
// opens the book, then answers one command per line of its standard input.
//
//   bookpeer <directory of kestdata.db>
//
//   post CODE       posts a purchase of one line under the code; says "P CODE" once it was
//                   committed, "R CODE" when it was refused
//   posts N PREFIX  posts N such purchases one after another, PREFIX-1 to PREFIX-N
//   quit            closes the book and ends
//
// It says "ready" once the book is open and a statement has run on it.
#include "core/silentmessages.h"
#include "core/sysdata.h"
#include "documents/tradeposting.h"

#include <QDate>
#include <cstdio>
#include <iostream>
#include <string>
#include <unistd.h>

namespace {

void say(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    if (write(STDOUT_FILENO, bytes.constData(), std::size_t(bytes.size())) != bytes.size())
        std::exit(4);
}

// A purchase of one piece of the first product into the first warehouse from the first
// supplier, half paid.
void post(const QString& code) {
    TradeDocument d;
    d.houseName = QStringLiteral("一号仓");
    d.houseID = QStringLiteral("1");
    d.orderCode = code;
    d.compID = QStringLiteral("1");
    d.compName = QStringLiteral("普通供应商");
    d.empName = QStringLiteral("张三");
    d.date = QDate(2026, 3, 15);
    d.cell(1, 1) = QStringLiteral("1");
    d.cell(1, 2) = QStringLiteral("BH-1");
    d.cell(1, 3) = QStringLiteral("品名");
    d.cell(1, 6) = QStringLiteral("12.5");
    d.cell(1, 7) = QStringLiteral("2");
    d.cell(1, 8) = QStringLiteral("25");
    d.runningTotal = *Decimal::parse(QStringLiteral("25"));
    d.sumMoney = QStringLiteral("25");
    d.money = QStringLiteral("10");
    const bool posted =
        postTradeDocument(tradeKind(TradeKindId::Purchase), d) == PostResult::Posted;
    say((posted ? QStringLiteral("P ") : QStringLiteral("R ")) + code);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bookpeer <directory>\n");
        return 2;
    }
    SilentMessages silent;
    setMessages(&silent);
    TsysData data(QString::fromLocal8Bit(argv[1]) + u'/');
    if (!data.connect()) {
        std::fprintf(stderr, "%s\n", qPrintable(data.myCon.lastError()));
        return 1;
    }
    sysData = &data;
    data.QueryCommon.load(QStringLiteral("SELECT count(*) AS n FROM Fproduct"));
    data.QueryCommon.open();
    data.QueryCommon.close();
    say(QStringLiteral("ready"));
    for (std::string line; std::getline(std::cin, line);) {
        const QStringList words = QString::fromStdString(line).split(u' ', Qt::SkipEmptyParts);
        if (words.value(0) == u"post" && words.size() == 2) {
            post(words[1]);
        } else if (words.value(0) == u"posts" && words.size() == 3) {
            for (int i = 1; i <= words[1].toInt(); ++i)
                post(words[2] + u'-' + QString::number(i));
        } else if (words.value(0) == u"quit") {
            break;
        }
    }
    sysData = nullptr;
    return 0;
}
