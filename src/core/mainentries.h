#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Everything the main window offers, in one table shared by its icons, menu entries and tool
// buttons: the permission code that enables an entry and the window the entry opens.
namespace mainentries {

constexpr int kAlwaysEnabled = -1;
constexpr int kCodeCount = 35; // permission codes run from 0 to 34

// The registered name of the system initialisation, which runs without a window.
inline const QString kSystemInitialisation = QStringLiteral("SystemInitialisation");
// The registered name of the opening stock import, which starts with choosing a file.
inline const QString kOpeningStock = QStringLiteral("OpeningStock");

struct Entry {
    int code;            // the permission code that enables it, or kAlwaysEnabled
    QString icon;        // its icon's name ("imgPurIn"); empty when it has no icon
    QString iconCaption; // the caption beneath the icon
    QString menu;        // its menu entry's text; empty when it has none
    QString tool;        // its tool button's text; empty when it has none
    QString opens;       // the window class it opens, kSystemInitialisation or empty (exit)
    QString picture;     // the icon theme name of its picture

    bool endsProgram() const { return opens.isEmpty(); }
};

const std::vector<Entry>& entries();

// The layout. Menus and the tool bar name their entries by their texts, icon groups by the
// icons' names; kSeparator stands for a separator line.
inline const QString kSeparator = QStringLiteral("-");
struct Group {
    QString title;
    QStringList items;
};
const std::vector<Group>& menus();
const std::vector<Group>& iconGroups();
const QStringList& toolBar();

// The entry of a menu text, a tool button text or an icon name; nullptr when there is none.
const Entry* byMenu(const QString& text);
const Entry* byTool(const QString& text);
const Entry* byIcon(const QString& name);

} // namespace mainentries
