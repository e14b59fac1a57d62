#include "admin/ui/tfrmbackdata.h"
#include "app/windowset.h"
#include "core/clock.h"
#include "core/mainentries.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "masterdata/ui/tfrmhouse.h"
#include "masterdata/ui/tfrmimport.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace {

class Windows : public BookTest {};

TEST_F(Windows, AWindowFirstOpenedLateIsStillTheOneWindowOfItsClassAndKeepsItsState) {
    addHouse("北库");
    addHouse("南库");
    WindowSet set;
    TfrmHouse* first = nullptr;
    modal_.expect<TfrmHouse>([&](TfrmHouse& w) {
        first = &w;
        auto& list = drive::find<QTableView>(w, "dgHouse");
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualRect(list.model()->index(1, 0)).center());
    });
    QStringList selected; // what the second showing highlights
    modal_.expect<TfrmHouse>([&](TfrmHouse& w) {
        EXPECT_EQ(&w, first);
        for (const QModelIndex& row :
             drive::find<QTableView>(w, "dgHouse").selectionModel()->selectedRows())
            selected << row.data().toString();
    });
    EXPECT_TRUE(windows::open("TfrmHouse"));
    EXPECT_TRUE(windows::open("TfrmHouse"));
    EXPECT_EQ(selected, QStringList{"南库"});
}

TEST_F(Windows, TheBackupFirstOpenedAnHourAfterTheStartProposesTheStartUpTime) {
    WindowSet set; // the program starts at the fixture's clock
    environment::setFixedNow(kNow.addSecs(3600));
    QString proposed;
    modal_.expect<TfrmBackData>(
        [&](TfrmBackData& w) { proposed = drive::find<QLineEdit>(w, "txtPath").text(); });
    EXPECT_TRUE(windows::open("TfrmBackData"));
    EXPECT_EQ(proposed, directory() + "202631595.bak");
}

TEST_F(Windows, TheOpeningStockEntryAsksForASheetAndPreviewsItAsOpeningStock) {
    WindowSet set;
    fileDialogs_.cancel();
    EXPECT_TRUE(windows::open(mainentries::kOpeningStock)) << "a cancelled choice shows nothing";

    QFile sheet(directory() + "stock.csv");
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write("商品编号,仓库,数量\nP1,一号仓库,3\n");
    sheet.close();
    fileDialogs_.choose(sheet.fileName());
    QString title;
    modal_.expect<TfrmImport>([&](TfrmImport& w) { title = w.windowTitle(); });
    EXPECT_TRUE(windows::open(mainentries::kOpeningStock));
    EXPECT_EQ(title, "导入期初库存");
    EXPECT_EQ(fileDialogs_.captions(), (QStringList{"导入期初库存", "导入期初库存"}));
}

} // namespace
