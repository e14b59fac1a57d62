#pragma once

#include "core/sysdata.h"
#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "masterdata/ui/tfrmproduct.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <memory>

// The product window with its four dialogs on a fresh book, as the program creates them.
class ProductWindow : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        prodAdd_ = std::make_unique<TfrmProdAdd>();
        prodEdit_ = std::make_unique<TfrmProdEdit>();
        cateAdd_ = std::make_unique<TfrmCateAdd>();
        cateEdit_ = std::make_unique<TfrmCateEdit>();
        window_ = std::make_unique<TfrmProduct>(*prodAdd_, *prodEdit_, *cateAdd_, *cateEdit_);
    }
    void TearDown() override {
        window_.reset();
        cateEdit_.reset();
        cateAdd_.reset();
        prodEdit_.reset();
        prodAdd_.reset();
        BookTest::TearDown();
    }

    TfrmProduct& window() { return *window_; }
    // Shows the window as the main window would (its show handler runs).
    void open() {
        window_->hide();
        window_->show();
    }
    QTableView& list() { return drive::find<QTableView>(*window_, "dgProduct"); }
    QTreeWidget& tree() { return drive::find<QTreeWidget>(*window_, "tvCategory"); }
    QString status() { return drive::find<QLabel>(*window_, "lblStatus").text(); }

    // The texts of one column of the list, top to bottom.
    QStringList column(int c) {
        QStringList values;
        for (int r = 0; r < list().model()->rowCount(); ++r)
            values << list().model()->index(r, c).data().toString();
        return values;
    }
    QStringList names() { return column(3); }
    QString title(int c) {
        return list().model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    void clickTitle(int c) { emit list().horizontalHeader()->sectionClicked(c); }
    // Selects the list row showing this product name.
    void selectProduct(const QString& name) {
        const int row = int(names().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        list().selectRow(row);
    }

    QStringList nodes() {
        QStringList texts;
        for (QTreeWidgetItemIterator it(&tree()); *it; ++it)
            texts << (*it)->text(0);
        return texts;
    }
    void selectNode(const QString& text) {
        const auto found = tree().findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        tree().setCurrentItem(found.first());
    }
    void menu(const char* item) {
        window_->findChild<QAction*>(QString::fromLatin1(item))->trigger();
    }
    void search(const QString& key) {
        drive::type(window(), "txtKey", key);
        drive::click(window(), "Button1");
    }

    std::unique_ptr<TfrmProdAdd> prodAdd_;
    std::unique_ptr<TfrmProdEdit> prodEdit_;
    std::unique_ptr<TfrmCateAdd> cateAdd_;
    std::unique_ptr<TfrmCateEdit> cateEdit_;
    std::unique_ptr<TfrmProduct> window_;
};
