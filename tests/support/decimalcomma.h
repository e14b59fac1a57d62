#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// While it lives, the C library follows a locale that writes decimals with a comma (German),
// as it does for a user whose LANG is de_DE.UTF-8: the installed one, or else one made with
// localedef in a folder of its own. available() is false, with the reason, when neither can
// be had.
class DecimalCommaLocale {
public:
    DecimalCommaLocale();
    ~DecimalCommaLocale();
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    bool available() const { return reason_.isEmpty(); }
    const QString& reason() const { return reason_; }

private:
    bool take();
    QByteArray previous_;
    QByteArray previousLocpath_;
    std::unique_ptr<QTemporaryDir> made_;
    QString reason_;
};
