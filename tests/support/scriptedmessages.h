#pragma once

#include "core/messages.h"
#include "support/printers.h"

#include <QStringList>
#include <deque>
#include <vector>

// Records every message and answers each question from a queue; a question nobody
// expected fails the test (and is answered Cancel).
class ScriptedMessages : public Messages {
public:
    enum class Form { Notice, PlainNotice, Question, CautiousQuestion, ErrorReport };
    struct Shown {
        Form form;
        QString text;
        QString caption;
    };

    ~ScriptedMessages() override;

    // Queue the answers of the next questions.
    void answerOk(int times = 1) { answers_.insert(answers_.end(), std::size_t(times), kOk); }
    void answerCancel(int times = 1) {
        answers_.insert(answers_.end(), std::size_t(times), kCancel);
    }

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    QString last() const { return shown_.empty() ? QString() : shown_.back().text; }
    const Shown* lastShown() const { return shown_.empty() ? nullptr : &shown_.back(); }
    void clear() { shown_.clear(); }
    // Fails the test when an answer is still queued.
    void expectAllAnswered();

    void notice(const QString& text, const QString& caption) override;
    void plainNotice(const QString& text, const QString& caption) override;
    int question(const QString& text, const QString& caption) override;
    int cautiousQuestion(const QString& text, const QString& caption) override;
    void errorReport(const QString& text) override;

private:
    int next(const QString& text);
    std::vector<Shown> shown_;
    std::deque<int> answers_;
};
