#include "core/pgdialect.h"

#include "core/dberror.h"

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

class Scanner {
public:
    explicit Scanner(const QString& sql) : in_(sql) {}

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
    void marker() {
        qsizetype j = i_ + 1;
        while (j < in_.size() && (in_[j].isLetterOrNumber() || in_[j] == u'_'))
            ++j;
        const QString name = in_.mid(i_ + 1, j - i_ - 1);
        qsizetype number = names_.indexOf(name) + 1;
        if (number == 0) {
            names_ << name;
            number = names_.size();
        }
        // "LIKE:key" is a word and a marker to the embedded engine; "LIKE$1" one name here.
        if (!out_.isEmpty() && isWordPart(out_.back()))
            out_ += u' ';
        out_ += u'$' + QString::number(number);
        i_ = j;
        // The server takes a backslash in a LIKE pattern for an escape, the embedded engine
        // for itself: a name with a backslash would be found on one and not the other.
        if (likePattern_ && !escapeFollows())
            out_ += QStringLiteral(" ESCAPE ''");
        likePattern_ = false;
    }
    // The statement names its own escape right after the marker.
    bool escapeFollows() const {
        qsizetype k = i_;
        while (k < in_.size() && in_[k].isSpace())
            ++k;
        constexpr QStringView kEscape = u"ESCAPE";
        return QStringView(in_).mid(k, kEscape.size()).compare(kEscape, Qt::CaseInsensitive) == 0 &&
               (k + kEscape.size() >= in_.size() || !isWordPart(in_[k + kEscape.size()]));
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
        if (next == u':' && (w.compare(u"LIKE", Qt::CaseInsensitive) == 0 ||
                             w.compare(u"ILIKE", Qt::CaseInsensitive) == 0))
            likePattern_ = true;
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
    qsizetype i_ = 0;
    QString out_;
    QStringList names_;
    bool likePattern_ = false; // the marker next is a LIKE's pattern
};

} // namespace

Translated translate(const QString& sql) {
    return Scanner(sql).run();
}

} // namespace pgdialect
