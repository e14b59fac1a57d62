#pragma once

#include <QString>
#include <QStringList>

// What a person may type where a number belongs: letters, a lone sign, two points,
// exponents, 400 digits, full-width digits, blanks, and other near misses.
inline QStringList nastyNumbers() {
    return {"abc",
            "-",
            "+",
            ".",
            "1..2",
            "1.2.3",
            "1e5",
            "1E-3",
            "1e",
            "e5",
            "1e+",
            "1e999",
            "--1",
            "+-1",
            "12a",
            "0x1F",
            "1,5",
            "1 000",
            "１２３",
            "１.５",
            "   ",
            "",
            "\t",
            "NaN",
            "inf",
            "-Infinity",
            "∞",
            "١٢٣",
            "½",
            "12.5元",
            "￥12",
            "1e-999",
            QString(400, u'9'),
            QStringLiteral("0.") + QString(400, u'1'),
            "-0",
            "+.5",
            "5."};
}

// What a person may type where text belongs, each to be stored exactly (after trimming).
inline QStringList nastyTexts() {
    return {QString(10000, u'长'),
            QString(10000, u'x'),
            "O'Brien",
            "''",
            "say \"hi\"",
            "C:\\路径\\",
            "\\'",
            "100%",
            "%",
            "a_b",
            "_",
            "'; DROP TABLE Fproduct;--",
            "\"; DELETE FROM FitemBank; --",
            ":prodID",
            "?",
            "😀👍🏽",
            "𠮷野家",
            "Ｆｕｌｌ　ｗｉｄｔｈ",
            "العربية",
            "a\u0301",
            "<b>粗</b>&amp;",
            "line\nbreak"};
}
