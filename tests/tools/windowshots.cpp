// Opens every window of the program the way the main window opens it, on a small book of its
// own, and saves a picture of each (and of the pickers and the print preview) into a folder,
// so that a person can look at them all at the size a 1024×768 screen gives them.
//
//   windowshots <folder for the pictures>
//
// scripts/window-shots.sh runs it under Xvfb.
#include "app/windowset.h"
#include "core/clock.h"
#include "core/mainentries.h"
#include "core/schema.h"
#include "core/silentmessages.h"
#include "core/sysdata.h"
#include "core/ui/application.h"
#include "core/ui/filedialogs.h"
#include "core/ui/modal.h"
#include "core/windowregistry.h"
#include "printing/printpage.h"
#include "printing/ui/printer.h"
#include "printing/ui/tfrmprintview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPainter>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

// An A4 printer at 600 dots per inch that prints nowhere, so that the preview opens without one.
class PaperlessPrinter : public Printer {
public:
    int resolution() override { return 600; }
    QSize printableSize() override { return {4800, 6800}; }
    bool setup(QWidget*) override { return false; }
    void print(const std::function<void(QPainter&)>&) override {}
};

// Shows each window, saves its picture, opens the windows it leads to, and closes it.
class Photographer : public Modal {
public:
    explicit Photographer(QString folder) : folder_(std::move(folder)) {}

    void showModal(QDialog& window) override {
        window.show();
        QTest::qWait(150);
        const QString name = QString::fromLatin1(window.metaObject()->className());
        const QString file = QDir(folder_).filePath(name + QStringLiteral(".png"));
        if (!shot_.contains(name)) {
            shot_ << name;
            window.grab().save(file);
            std::printf("%s %dx%d\n", qPrintable(file), window.width(), window.height());
            // A document window leads to the counterpart and product pickers.
            if (auto* find = window.findChild<QAbstractButton*>(QStringLiteral("imgFind")))
                find->click();
            if (auto* grid = window.findChild<QTableView*>(QStringLiteral("sgData")))
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {},
                                   grid->visualRect(grid->model()->index(0, 3)).center());
        }
        window.close();
    }

private:
    QString folder_;
    QStringList shot_;
};

void exec(const QString& sql) {
    TQuery& q = sysData->QueryCommon;
    q.load(sql);
    q.execute();
}

// A few rows in every list.
void fillBook() {
    exec("INSERT INTO Fhouse(houseName,resperson,phone,address,remark) "
         "VALUES('总库','张三','010-1234567','北京路1号','')");
    exec("INSERT INTO Fprodcate(cateName) VALUES('五金工具')");
    exec("INSERT INTO Fprodcate(cateName) VALUES('办公用品')");
    exec("INSERT INTO Fproduct(cateID,prodBH,prodName,type,company,unitName,inprice,outprice,"
         "remark,field1,field2,sumCount) VALUES(1,'6901234567892','羊角锤','大号','铁匠铺','把',"
         "12.5,20,'','L01','2027-01-01',14)");
    exec("INSERT INTO Fproduct(cateID,prodBH,prodName,type,company,unitName,inprice,outprice,"
         "remark,field1,field2,sumCount) VALUES(2,'6909876543210','A4复印纸','70克','纸业公司',"
         "'包',18,26.8,'','','',-3)");
    exec("INSERT INTO Fsupplier(compName,conperson,phone,address,exchMoney) "
         "VALUES('甲五金公司','李四','13800000000','上海路2号',1500.5)");
    exec("INSERT INTO Fcustomer(compName,conperson,phone,address,exchMoney) "
         "VALUES('乙商店','王五','13900000000','广州路3号',-80)");
    exec("INSERT INTO Femployee(empName,sex,phone,address,rewdis,remark) "
         "VALUES('张三','男','13700000000','','5','')");
    exec("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,compName,itmID,"
         "remark) VALUES(date('now','localtime'),'','现金出款',-250,'张三','',1,'')");
}

} // namespace

// The windows that ask for a file as they open are pictured with the dialog cancelled.
class CancelledFileDialogs : public FileDialogs {
public:
    QString openFile(const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    setUpApplication(application);
    if (argc < 2) {
        std::fprintf(stderr, "usage: windowshots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);

    QTemporaryDir book;
    schema::create(book.path() + u'/' + TsysData::fileName());
    environment::setApplicationDirectory(book.path() + u'/');
    SilentMessages silent;
    setMessages(&silent);
    Photographer photographer(folder);
    setModal(&photographer);
    CancelledFileDialogs cancelled;
    setFileDialogs(&cancelled);
    TsysData data(book.path() + u'/');
    if (!data.connect())
        return 1;
    sysData = &data;
    fillBook();

    WindowSet set;
    for (const mainentries::Entry& entry : mainentries::entries())
        if (entry.opens != mainentries::kSystemInitialisation && windows::hasOpener(entry.opens))
            windows::open(entry.opens);

    PaperlessPrinter printer;
    TfrmPrintView preview(printer);
    PrintHeader header;
    header.orderID = {QStringLiteral("单据号："), QStringLiteral("CJ2026315957")};
    std::vector<PrintLine> lines(1);
    lines[0].set(QStringLiteral("prodName"), QStringLiteral("羊角锤"));
    lines[0].set(QStringLiteral("pcount"), QStringLiteral("4"));
    lines[0].set(QStringLiteral("pmoney"), QStringLiteral("50"));
    preview.showPage(composePrintPage(QStringLiteral("采购进货单"), header, lines));

    sysData = nullptr;
    return 0;
}
