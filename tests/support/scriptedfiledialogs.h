#pragma once

#include "core/ui/filedialogs.h"

#include <QStringList>
#include <deque>

// Answers each file dialog with the next queued file name (empty: cancelled) and records the
// filters it was shown with; a dialog nobody expected fails the test.
class ScriptedFileDialogs : public FileDialogs {
public:
    ~ScriptedFileDialogs() override;

    void choose(const QString& file) { answers_.push_back(file); }
    void cancel() { answers_.push_back(QString()); }

    const QStringList& captions() const { return captions_; }
    const QStringList& filters() const { return filters_; }
    // The file names the save dialogs offered, in order.
    const QStringList& offered() const { return offered_; }
    void expectAllAnswered();

    QString openFile(const QString& caption, const QString& filter) override;
    QString saveFile(const QString& caption, const QString& suggested,
                     const QString& filter) override;

private:
    std::deque<QString> answers_;
    QStringList captions_;
    QStringList filters_;
    QStringList offered_;
};
