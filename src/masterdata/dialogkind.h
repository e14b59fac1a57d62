#pragma once

#include <QString>

// What tells a master data add dialog from its edit dialog: texts and the one statement.
struct DialogKind {
    QString caption;
    QString okText;                // the default button
    QString statement;             // binds the boxes, and the edited row's key where it names one
    QString success;               // reported when the statement changed a row
    bool emptiesAfterSave = false; // an add dialog is ready for the next row
};
