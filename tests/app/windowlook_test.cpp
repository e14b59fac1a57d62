// Every window the main window opens, looked at as a person at a 1024×768 screen would.
#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "documents/gridinput.h"
#include "entrywindows.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QDialog>

namespace {

// A 1024×768 screen less the title bar and a panel.
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 720;

// What the window shows at 1024×768: the whole of it, resizable where it holds a list, and a
// name for every button that shows only a picture.
void lookAt(QDialog& w) {
    const std::string name = w.metaObject()->className();
    EXPECT_LE(w.width(), kScreenWidth) << name;
    EXPECT_LE(w.height(), kScreenHeight) << name;
    EXPECT_LE(w.minimumSizeHint().width(), kScreenWidth) << name;
    EXPECT_LE(w.minimumSizeHint().height(), kScreenHeight) << name;
    EXPECT_LE(w.minimumWidth(), kScreenWidth) << name;
    EXPECT_LE(w.minimumHeight(), kScreenHeight) << name;
    if (!w.findChildren<QAbstractItemView*>().isEmpty()) {
        EXPECT_GT(w.maximumWidth(), w.width()) << name << " cannot be widened";
        EXPECT_GT(w.maximumHeight(), w.height()) << name << " cannot be lengthened";
    }
    for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
        if (!button->text().trimmed().isEmpty() || !button->isVisibleTo(&w))
            continue;
        EXPECT_FALSE(button->accessibleName().isEmpty())
            << name << "::" << button->objectName().toStdString() << " has no name";
        EXPECT_FALSE(button->toolTip().isEmpty())
            << name << "::" << button->objectName().toStdString() << " has no tip";
    }
}

class WindowLook : public BookTest {};

TEST_F(WindowLook, EveryWindowFitsTheScreenAndNamesItsPictureButtons) {
    addHouse("总库");
    addProduct("锤子", addCategory("工具"));
    addSupplier("甲公司");
    WindowSet set;
    const int looked = openEveryEntryWindow(modal_, [](const QString&, QDialog& w) { lookAt(w); });
    EXPECT_GE(looked, 35);
}

TEST_F(WindowLook, ThePickersFitTheScreenAndNameTheirButtons) {
    addHouse("总库");
    addProduct("锤子", addCategory("工具"));
    addSupplier("甲公司");
    WindowSet set;
    modal_.expect("TfrmPurIn", [&](QDialog& w) {
        modal_.expect("TfrmFindComp", [](QDialog& p) { lookAt(p); });
        drive::click(w, "imgFind");
        modal_.expect("TfrmFindProduct", [](QDialog& p) { lookAt(p); });
        gridinput::doubleClick(drive::find<DocumentGrid>(w, "sgData"), 1);
    });
    windows::open("TfrmPurIn");
}

} // namespace
