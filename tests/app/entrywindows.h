#pragma once

#include "core/mainentries.h"
#include "core/windowregistry.h"
#include "support/scriptedmodal.h"

#include <QDialog>
#include <QSet>
#include <functional>

// Opens every window of the main window's entries once, as the entries do, and hands each to
// the look while it is shown; how many were shown. Initialisation asks first and opening stock
// chooses a file first: neither opens a window of its own at once (the import preview is
// looked at by the import tests).
inline int openEveryEntryWindow(ScriptedModal& modal,
                                const std::function<void(const QString&, QDialog&)>& look) {
    QSet<QString> seen;
    int shown = 0;
    for (const mainentries::Entry& entry : mainentries::entries()) {
        if (entry.opens == mainentries::kSystemInitialisation ||
            entry.opens == mainentries::kOpeningStock || !windows::hasOpener(entry.opens) ||
            seen.contains(entry.opens))
            continue;
        seen.insert(entry.opens);
        modal.expect(entry.opens, [&](QDialog& w) {
            look(entry.opens, w);
            ++shown;
        });
        windows::open(entry.opens);
        modal.expectAllShown();
    }
    return shown;
}
