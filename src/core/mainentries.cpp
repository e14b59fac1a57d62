#include "core/mainentries.h"

#include <algorithm>

namespace mainentries {

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = {
        // code, icon, caption, menu, tool button, opens, picture
        {18, "imgHouse", "仓      库", "仓库设置(&H)", "", "TfrmHouse", "go-home"},
        {19, "imgProduct", "商      品", "商品设置(&P)", "", "TfrmProduct", "emblem-package"},
        {20, "imgSupplier", "供应商", "供货商设置(&S)", "", "TfrmSupplier", "contact-new"},
        {21, "imgCustomer", "客    户", "客户设置(&C)", "", "TfrmCustomer", "user-info"},
        {22, "imgEmployee", "员     工", "员工设置(&E)", "", "TfrmEmployee", "system-users"},
        // Opening stock is posted as purchases: whoever may post purchases may enter it.
        {0, "", "", "期初库存(&O)", "", kOpeningStock, "document-open"},
        {0, "imgPurIn", "采购进货", "采购进货(&I)", "", "TfrmPurIn", "emblem-downloads"},
        {1, "imgPurT", "采购退货", "采购退货(&T)", "", "TfrmPurRet", "edit-undo"},
        {3, "imgSale", "商品销售", "商品销售(&S)", "", "TfrmSale", "x-package-repository"},
        {4, "imgSaleT", "销售退货", "顾客退货(&T)", "", "TfrmSaleT", "mail-reply-sender"},
        {2, "imgPinP", "进价查询", "进价查询(&T)", "", "TfrmPInP", "edit-find"},
        {5, "imgPoutP", "售价查询", "售价查询(&C)", "", "TfrmPoutP", "system-search"},
        {6, "imgPordCount", "商品库存", "商品库存(&P)", "", "TfrmProdCount", "system-file-manager"},
        {7, "imgPorductPD", "库存盘点", "库存盘点(&G)", "", "TfrmProductPD", "edit-paste"},
        {8, "imgPDB", "库存调拨", "库存调拨(&D)", "", "TfrmPDB", "object-flip-horizontal"},
        {9, "imgBsby", "报损报溢", "报损报溢(&B)", "", "TfrmBsBy", "dialog-warning"},
        {10, "imgYsyf", "应收应付", "应收应付(&W)", "", "Tfrmysyf", "accessories-calculator"},
        {11, "imgCash", "现金银行", "现金银行(&B)", "", "TfrmCash", "x-office-spreadsheet"},
        {12, "imgGDZC", "固定资产", "固定资产(&Z)", "", "TfrmGDZC", "computer"},
        {13, "imgOpenTj", "营业统计", "销售营业分析(&F)", "营业统计", "TfrmOpenTJ",
         "x-office-presentation"},
        {27, "", "", "当日营业统计", "当日营业", "TfrmTjToday", "appointment-new"},
        {28, "", "", "本月营业统计", "本月统计", "TfrmTjMonth", "x-office-calendar"},
        {16, "", "", "商品销售分析(&T)", "", "TfrmTjProd", "view-sort-descending"},
        {29, "", "", "采购单据查询", "采购单", "TfrmTjPurQ", "x-office-document"},
        {30, "", "", "采购退货单据查询", "", "TfrmOrderPurTQ", "x-office-document"},
        {31, "", "", "销售单据查询", "销售单", "TfrmOrderSaleQ", "emblem-documents"},
        {32, "", "", "销售退货单据查询", "", "TfrmOrderSaleTQ", "emblem-documents"},
        {33, "", "", "库存调拨单据查询", "", "TfrmOrderDBQ", "text-x-generic"},
        {34, "", "", "报损报溢单据查询", "", "TfrmOrderBsbyQ", "text-x-generic"},
        {17, "", "", "单据综合查询(&G)", "综合查询", "TfrmOrderTJ", "edit-find-replace"},
        {14, "", "", "商品采购统计(&P)", "", "TfrmTjSupplier", "x-office-spreadsheet"},
        {15, "", "", "商品销售统计(&D)", "", "TfrmTjSale", "x-office-spreadsheet"},
        {kAlwaysEnabled, "", "", "", " 单据设置 ", "TfrmFieldSet", "document-page-setup"},
        {23, "", "", "用户管理(&U)", "", "TfrmUser", "system-users"},
        {kAlwaysEnabled, "", "", "修改密码(&C)", "", "TfrmChangePwd", "dialog-password"},
        {24, "", "", "数据备份(&B)", "", "TfrmBackData", "document-save"},
        {25, "", "", "数据还原(&R)", "", "TfrmRestoreData", "document-revert"},
        // Reads only, and every restore and upgrade asks for it: tied to 系统初始化, checking
        // the books took the right to empty them.
        {kAlwaysEnabled, "", "", "账簿检查(&K)", "", "TfrmBooksCheck", "document-properties"},
        {26, "", "", "系统初始化(&I)", "", kSystemInitialisation, "edit-clear-all"},
        {kAlwaysEnabled, "", "", "关于...(&A)", "", "TfrmAbout", "help-about"},
        {kAlwaysEnabled, "", "", "退出系统(&X)", "", "", "application-exit"},
    };
    return table;
}

const std::vector<Group>& menus() {
    static const std::vector<Group> layout = {
        {"系统维护(&T)",
         {"用户管理(&U)", "修改密码(&C)", kSeparator, "数据备份(&B)", "数据还原(&R)",
          "账簿检查(&K)", "系统初始化(&I)", kSeparator, "退出系统(&X)"}},
        {"基础设置(&B)",
         {"仓库设置(&H)", "商品设置(&P)", kSeparator, "供货商设置(&S)", "客户设置(&C)", kSeparator,
          "员工设置(&E)", kSeparator, "期初库存(&O)"}},
        {"进货管理(&P)", {"采购进货(&I)", "采购退货(&T)", kSeparator, "进价查询(&T)"}},
        {"销售管理(&S)", {"商品销售(&S)", "顾客退货(&T)", kSeparator, "售价查询(&C)"}},
        {"库存管理(&I)",
         {"商品库存(&P)", "库存盘点(&G)", kSeparator, "库存调拨(&D)", "报损报溢(&B)"}},
        {"账务管理(&A)", {"应收应付(&W)", "现金银行(&B)", kSeparator, "固定资产(&Z)"}},
        {"统计查询(&Q)",
         {"采购单据查询", "采购退货单据查询", kSeparator, "销售单据查询", "销售退货单据查询",
          kSeparator, "库存调拨单据查询", "报损报溢单据查询", "单据综合查询(&G)", kSeparator,
          "商品采购统计(&P)", "商品销售统计(&D)", kSeparator, "当日营业统计", "本月营业统计",
          "商品销售分析(&T)", "销售营业分析(&F)"}},
        {"帮助(&H)", {"关于...(&A)"}},
    };
    return layout;
}

const std::vector<Group>& iconGroups() {
    static const std::vector<Group> layout = {
        {"【进货管理】", {"imgPurIn", "imgPurT", "imgPinP"}},
        {"【销售管理】", {"imgSale", "imgSaleT", "imgPoutP"}},
        {"【库存管理】", {"imgPordCount", "imgPorductPD", "imgPDB", "imgBsby"}},
        {"【账务管理】", {"imgYsyf", "imgCash", "imgGDZC", "imgOpenTj"}},
        {"【基础设置】", {"imgHouse", "imgProduct", "imgSupplier", "imgCustomer", "imgEmployee"}},
    };
    return layout;
}

const QStringList& toolBar() {
    static const QStringList layout = {"采购单",   "销售单",   "综合查询", kSeparator,  "当日营业",
                                       "本月统计", "营业统计", kSeparator, " 单据设置 "};
    return layout;
}

namespace {
template <typename Key> const Entry* find(const QString& value, Key key) {
    if (value.isEmpty())
        return nullptr;
    const auto& table = entries();
    const auto it =
        std::find_if(table.begin(), table.end(), [&](const Entry& e) { return e.*key == value; });
    return it == table.end() ? nullptr : &*it;
}
} // namespace

const Entry* byMenu(const QString& text) {
    return find(text, &Entry::menu);
}

const Entry* byTool(const QString& text) {
    return find(text, &Entry::tool);
}

const Entry* byIcon(const QString& name) {
    return find(name, &Entry::icon);
}

} // namespace mainentries
