#include "admin/ui/tfrmabout.h"
#include "app/windowset.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "core/ui/tfrmlogin.h"
#include "core/ui/tfrmmain.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>

namespace {

class About : public BookTest {
protected:
    void TearDown() override {
        BookTest::TearDown();
        session::clear();
    }
};

TEST_F(About, TheHelpMenuShowsTheProgramsTitleCaptionVersionAndBookUntilOk) {
    TfrmMain main;
    WindowSet windows;
    modal_.expect<TfrmLogin>([](TfrmLogin& w) {
        drive::type(w, "txtPwd", "admin");
        drive::click(w, "btnLogin");
    });
    main.show();
    ASSERT_TRUE(main.isVisible());

    QAction* about = nullptr;
    for (QAction* top : main.menuBar()->actions())
        for (QAction* a : top->menu()->actions())
            if (a->text() == "关于...(&A)")
                about = a;
    ASSERT_NE(about, nullptr);
    bool shown = false;
    modal_.expect<TfrmAbout>([&](TfrmAbout& w) {
        shown = true;
        EXPECT_EQ(w.windowTitle(), "关于本软件");
        EXPECT_EQ(drive::find<QLabel>(w, "lblTitle").text(), "Vesk进销存软件");
        EXPECT_EQ(drive::find<QLabel>(w, "lblCaption").text(), "Vesk进销存管理软件 V8.8");
        EXPECT_EQ(drive::find<QLabel>(w, "lblVersion").text(), "版本：V8.8");
        EXPECT_EQ(drive::find<QLabel>(w, "lblBook").text(),
                  "数据文件：" + directory() + "kestdata.db");
        EXPECT_FALSE(drive::find<QLabel>(w, "imgLogo").pixmap().isNull());
        drive::click(w, "btnOK");
        EXPECT_FALSE(w.isVisible());
    });
    about->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(main.isVisible());
}

} // namespace
