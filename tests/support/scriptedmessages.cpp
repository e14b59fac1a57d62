#include "support/scriptedmessages.h"

#include <gtest/gtest.h>

ScriptedMessages::~ScriptedMessages() = default;

QStringList ScriptedMessages::texts() const {
    QStringList list;
    for (const Shown& s : shown_)
        list << s.text;
    return list;
}

void ScriptedMessages::expectAllAnswered() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " queued answer(s) were never asked for";
    answers_.clear();
}

void ScriptedMessages::notice(const QString& text, const QString& caption) {
    shown_.push_back({Form::Notice, text, caption});
}

void ScriptedMessages::plainNotice(const QString& text, const QString& caption) {
    shown_.push_back({Form::PlainNotice, text, caption});
}

int ScriptedMessages::next(const QString& text) {
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return kCancel;
    }
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
}

int ScriptedMessages::question(const QString& text, const QString& caption) {
    shown_.push_back({Form::Question, text, caption});
    return next(text);
}

int ScriptedMessages::cautiousQuestion(const QString& text, const QString& caption) {
    shown_.push_back({Form::CautiousQuestion, text, caption});
    return next(text);
}

void ScriptedMessages::errorReport(const QString& text) {
    shown_.push_back({Form::ErrorReport, text, kApplicationTitle});
}
