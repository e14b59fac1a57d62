#include "support/scriptedfiledialogs.h"

#include <gtest/gtest.h>

ScriptedFileDialogs::~ScriptedFileDialogs() = default;

void ScriptedFileDialogs::expectAllAnswered() {
    for (const QString& file : answers_)
        ADD_FAILURE() << "file dialog never shown for: " << file.toStdString();
    answers_.clear();
}

QString ScriptedFileDialogs::openFile(const QString& caption, const QString& filter) {
    captions_ << caption;
    filters_ << filter;
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << caption.toStdString();
        return QString();
    }
    const QString file = answers_.front();
    answers_.pop_front();
    return file;
}

QString ScriptedFileDialogs::saveFile(const QString& caption, const QString& suggested,
                                      const QString& filter) {
    offered_ << suggested;
    return openFile(caption, filter);
}
