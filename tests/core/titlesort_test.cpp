#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "support/booktest.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

namespace {

class TitleSort : public BookTest {};

QStringList column(QTableView& view, int c) {
    QStringList values;
    for (int r = 0; r < view.model()->rowCount(); ++r)
        values << view.model()->index(r, c).data().toString();
    return values;
}

TEST_F(TitleSort, EachClickOnATitleFlipsTheGridsDirection) {
    for (const char* name : {"b", "c", "a"})
        addHouse(QString::fromLatin1(name));
    TQuery& q = sysData->QueryHouse;
    q.load("SELECT houseID, houseName FROM Fhouse");
    q.open();
    QTableView view;
    showSlot(view, q, {{"houseName", "仓库名称"}, {"houseID", "编号", Draw::Number}});
    sortByTitleClicks(view);
    view.show();
    auto clickTitle = [&](int section) { emit view.horizontalHeader()->sectionClicked(section); };
    clickTitle(0);
    EXPECT_EQ(column(view, 0), QStringList({"a", "b", "c"}));
    clickTitle(0);
    EXPECT_EQ(column(view, 0), QStringList({"c", "b", "a"}));
    clickTitle(1); // one flag per grid: the next click sorts ascending again
    EXPECT_EQ(column(view, 1), QStringList({"1", "2", "3"}));
    // The selected grid row is the slot's current row.
    view.selectRow(2);
    EXPECT_EQ(q.field(u"houseName").asText(), "a");
}

TEST_F(TitleSort, AGridMayStartDescendingAndKeepsTheSelectedRowSelected) {
    for (const char* name : {"b", "c", "a"})
        addHouse(QString::fromLatin1(name));
    TQuery& q = sysData->QueryHouse;
    q.load("SELECT houseID, houseName FROM Fhouse");
    q.open();
    QTableView view;
    showSlot(view, q, {{"houseName", "仓库名称"}});
    sortByTitleClicks(view, FirstSort::Descending);
    view.show();
    view.selectRow(0); // "b"
    emit view.horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(column(view, 0), QStringList({"c", "b", "a"}));
    EXPECT_EQ(q.field(u"houseName").asText(), "b");
    EXPECT_EQ(view.currentIndex().row(), 1);
}

TEST(LikePattern, WrapsTheTrimmedKey) {
    EXPECT_EQ(likePattern("  ab "), "%ab%");
}

} // namespace
