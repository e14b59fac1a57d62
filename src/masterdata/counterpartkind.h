#pragma once

#include "core/sysdata.h"
#include "masterdata/dialogkind.h"
#include "masterdata/listexport.h"
#include "masterdata/masterrows.h"

#include <QString>

// The two kinds of counterpart, suppliers and customers: one design, told apart only by
// their table, list slot and texts.
struct CounterpartKind {
    QString table;           // Fsupplier, Fcustomer
    TQuery TsysData::*slot;  // the list's slot
    QString noun;            // 供应商, 客户: the word every message names the row by
    QString listCaption;     // 供应商管理
    QString addCaption;      // 添加供应商
    QString editCaption;     // 编辑供应商
    QString nameLabel;       // the dialog's label of the name box
    QString casualName;      // the protected row for occasional partners: 普通供应商
    QString casualRole;      // what the protected row is used as: 零散提供商
    const ListExport* sheet; // the spreadsheet export of the list

    TQuery& list() const { return sysData->*slot; }
    const RowKind& rows() const;

    QString searchLabel() const { return noun + QStringLiteral("名称："); }
    QString nameTitle() const { return noun + QStringLiteral("名称"); }
    DialogKind addDialog() const;
    DialogKind editDialog() const;

    // The list's statement, filtered by :compName.
    QString listStatement() const;
    QString insertStatement() const;
    QString updateStatement() const;
    QString balanceStatement() const;

    QString countText(int rows) const;
    QString emptyNameText() const;
    QString addedText() const;
    QString changedText() const;
    QString nothingToEditText() const;
    QString nothingToDeleteText() const;
    QString casualOnEditText() const;
    QString casualOnDeleteText() const;
    QString openBalanceText(const QString& name) const;
    QString confirmDeleteText(const QString& name) const;
    QString deletedText() const;
};

extern const CounterpartKind kSupplierKind;
extern const CounterpartKind kCustomerKind;
