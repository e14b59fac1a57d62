#include "core/pgdialect.h"

#include "core/dberror.h"

#include <algorithm>
#include <array>

namespace pgdialect {

namespace {

bool isWordStart(QChar c) {
    return c.isLetter() || c == u'_';
}

bool isWordPart(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

struct Respelling {
    QStringView word;
    QChar next; // the character that must follow the word (after spaces), or 0 for any
    QStringView replacement;
};

constexpr std::array kRespellings{
    Respelling{u"ifnull", u'(', u"coalesce"},
    Respelling{u"last_insert_rowid", u'(', u"lastval"},
    Respelling{u"instr", u'(', u"strpos"},
    Respelling{u"temp", u'.', u"pg_temp"},
};

// The name columns the book indexes by their characters and pairs of characters.
constexpr std::array<QStringView, 3> kPairedColumns{u"prodName", u"prodBH", u"compName"};

class Scanner {
public:
    Scanner(const QString& sql, bool namePairs) : in_(sql), namePairs_(namePairs) {}

    Translated run() {
        while (i_ < in_.size()) {
            const QChar c = in_[i_];
            const QChar next = peek(1);
            if (c == u'\'') {
                quoted(u'\'', escapesAt(i_));
            } else if (c == u'"') {
                quoted(u'"', false);
            } else if (c == u'-' && next == u'-') {
                copyUntil(u"\n", false);
            } else if (c == u'/' && next == u'*') {
                blockComment();
            } else if (c == u'$' && dollarQuote()) {
            } else if (c == u':' && next == u':') {
                copy(2);
            } else if (c == u':' && isWordStart(next)) {
                marker();
            } else if (c == u'=' && next == u'=') {
                out_ += u'=';
                i_ += 2;
            } else if (c == u';') {
                ++i_;
                if (!in_.mid(i_).trimmed().isEmpty())
                    throw DbError(QStringLiteral("一次只能执行一条语句"));
            } else if (isWordStart(c) && (i_ == 0 || !isWordPart(in_[i_ - 1]))) {
                word();
            } else {
                copy(1);
            }
        }
        return {out_.toUtf8(), names_};
    }

private:
    QChar peek(qsizetype ahead) const {
        return i_ + ahead < in_.size() ? in_[i_ + ahead] : QChar();
    }
    void copy(qsizetype n) {
        out_ += in_.mid(i_, n);
        i_ += n;
    }
    // E'…' strings take backslash escapes; plain ones do not.
    bool escapesAt(qsizetype quote) const {
        return quote > 0 && (in_[quote - 1] == u'E' || in_[quote - 1] == u'e') &&
               (quote < 2 || !isWordPart(in_[quote - 2]));
    }
    void quoted(QChar quote, bool backslashes) {
        copy(1);
        while (i_ < in_.size()) {
            const QChar c = in_[i_];
            if (backslashes && c == u'\\') {
                copy(2);
            } else if (c == quote && peek(1) == quote) {
                copy(2);
            } else if (c == quote) {
                copy(1);
                return;
            } else {
                copy(1);
            }
        }
    }
    void copyUntil(QStringView end, bool inclusive) {
        const qsizetype at = in_.indexOf(end, i_);
        copy(at < 0 ? in_.size() - i_ : at - i_ + (inclusive ? end.size() : 0));
    }
    void blockComment() {
        int depth = 0;
        while (i_ < in_.size()) {
            if (in_[i_] == u'/' && peek(1) == u'*') {
                ++depth;
                copy(2);
            } else if (in_[i_] == u'*' && peek(1) == u'/') {
                copy(2);
                if (--depth == 0)
                    return;
            } else {
                copy(1);
            }
        }
    }
    // $tag$…$tag$; false when the dollar opens no such quote.
    bool dollarQuote() {
        if (i_ > 0 && isWordPart(in_[i_ - 1]))
            return false;
        qsizetype j = i_ + 1;
        while (j < in_.size() && in_[j] != u'$' && (in_[j].isLetterOrNumber() || in_[j] == u'_'))
            ++j;
        if (j >= in_.size() || in_[j] != u'$' || (j > i_ + 1 && in_[i_ + 1].isDigit()))
            return false;
        const QString tag = in_.mid(i_, j - i_ + 1);
        copy(tag.size());
        copyUntil(tag, true);
        return true;
    }
    // Where the marker that starts at `at` (its colon) ends.
    qsizetype markerEnd(qsizetype at) const {
        qsizetype j = at + 1;
        while (j < in_.size() && (in_[j].isLetterOrNumber() || in_[j] == u'_'))
            ++j;
        return j;
    }
    // $n of the marker between `at` (its colon) and `end`.
    QString parameter(qsizetype at, qsizetype end) {
        const QString name = in_.mid(at + 1, end - at - 1);
        qsizetype number = names_.indexOf(name) + 1;
        if (number == 0) {
            names_ << name;
            number = names_.size();
        }
        return u'$' + QString::number(number);
    }
    void marker() {
        const qsizetype j = markerEnd(i_);
        // "LIKE:key" is a word and a marker to the embedded engine; "LIKE$1" one name here.
        if (!out_.isEmpty() && isWordPart(out_.back()))
            out_ += u' ';
        out_ += parameter(i_, j);
        i_ = j;
    }
    qsizetype spacesFrom(qsizetype at) const {
        while (at < in_.size() && in_[at].isSpace())
            ++at;
        return at;
    }
    bool wordAt(qsizetype at, QStringView word) const {
        const qsizetype end = at + word.size();
        return end <= in_.size() &&
               QStringView(in_).mid(at, word.size()).compare(word, Qt::CaseInsensitive) == 0 &&
               (end == in_.size() || !isWordPart(in_[end]));
    }
    // "name LIKE :key" on a paired column (the column word at i_, the text after it from
    // `after`) also asks for the pairs of characters the key holds, which the book's index of
    // the column finds without reading every name: the LIKE alone would be tested on every row.
    // A name that holds what the LIKE asks holds those pairs, so the condition is unchanged.
    bool pairedSearch(QStringView column, qsizetype after) {
        if (!namePairs_ ||
            std::none_of(kPairedColumns.begin(), kPairedColumns.end(), [&](QStringView c) {
                return column.compare(c, Qt::CaseInsensitive) == 0;
            }))
            return false;
        if (!wordAt(after, u"LIKE"))
            return false;
        const qsizetype colon = spacesFrom(after + 4);
        if (colon + 1 >= in_.size() || in_[colon] != u':' || !isWordStart(in_[colon + 1]))
            return false;
        const qsizetype end = markerEnd(colon);
        if (wordAt(spacesFrom(end), u"ESCAPE"))
            return false;
        // A qualifier already copied ("Fproduct.") goes inside the parentheses with the name.
        qsizetype start = out_.size();
        if (i_ > 0 && in_[i_ - 1] == u'.') {
            start = out_.size() - 1;
            while (start > 0 && isWordPart(out_[start - 1]))
                --start;
            if (start == out_.size() - 1 || (start > 0 && !out_[start - 1].isSpace() &&
                                             out_[start - 1] != u'(' && out_[start - 1] != u','))
                return false;
        }
        const QString name = out_.mid(start) + column.toString();
        const QString key = parameter(colon, end);
        out_.truncate(start);
        out_ +=
            QStringLiteral("(%1 LIKE %2 AND vesk_pairs(%1) @> vesk_like_pairs(%2))").arg(name, key);
        i_ = end;
        return true;
    }
    void word() {
        qsizetype j = i_;
        while (j < in_.size() && isWordPart(in_[j]))
            ++j;
        const QStringView w = QStringView(in_).mid(i_, j - i_);
        qsizetype after = j;
        while (after < in_.size() && in_[after].isSpace())
            ++after;
        const QChar next = after < in_.size() ? in_[after] : QChar();
        if (pairedSearch(w, after))
            return;
        if (w.compare(u"COLLATE", Qt::CaseInsensitive) == 0) {
            qsizetype k = after;
            while (k < in_.size() && isWordPart(in_[k]))
                ++k;
            if (QStringView(in_).mid(after, k - after).compare(u"NOCASE", Qt::CaseInsensitive) ==
                0) {
                i_ = k;
                return;
            }
        }
        for (const Respelling& r : kRespellings)
            if (next == r.next && w.compare(r.word, Qt::CaseInsensitive) == 0) {
                out_ += r.replacement;
                i_ = j;
                return;
            }
        copy(j - i_);
    }

    const QString& in_;
    const bool namePairs_;
    qsizetype i_ = 0;
    QString out_;
    QStringList names_;
};

} // namespace

Translated translate(const QString& sql, bool namePairs) {
    return Scanner(sql, namePairs).run();
}

} // namespace pgdialect
