#pragma once

#include "masterdata/ui/savefilechooser.h"

#include <QStringList>
#include <deque>
#include <gtest/gtest.h>

// Answers the save dialogs of a test from a queue (an empty answer is Cancel) and records what
// each one offered; a dialog nobody expected fails the test. Installed for its lifetime.
class ScriptedSaveFile : public SaveFileChooser {
public:
    ScriptedSaveFile() { setSaveFileChooser(this); }
    ~ScriptedSaveFile() override {
        setSaveFileChooser(nullptr);
        EXPECT_TRUE(answers_.empty()) << "a save dialog was expected but never shown";
    }

    void answer(const QString& fileName) { answers_.push_back(fileName); }
    void answerCancel() { answers_.push_back(QString()); }
    // The file names each dialog offered, in order.
    const QStringList& offered() const { return offered_; }

    QString saveFileName(QWidget*, const QString&, const QString& suggested,
                         const QString&) override {
        offered_ << suggested;
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected save dialog offering " << suggested.toStdString();
            return QString();
        }
        const QString answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

private:
    std::deque<QString> answers_;
    QStringList offered_;
};
