#include "masterdata/ui/tfrmimport.h"

#include "core/messages.h"
#include "core/ui/dialogbuttons.h"
#include "core/ui/filedialogs.h"
#include "core/ui/guardedconnect.h"
#include "masterdata/sheetfile.h"
#include "masterdata/ui/importplanmodel.h"
#include "masterdata/ui/listwindowparts.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

TfrmImport::TfrmImport(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmImport"));
    resize(940, 580);

    lblFile = new QLabel(this);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    chkBadOnly = new QCheckBox(QStringLiteral("只看有问题的行(&B)"), this);
    chkBadOnly->setObjectName(QStringLiteral("chkBadOnly"));
    auto* top = new QHBoxLayout;
    top->addWidget(lblFile, 1);
    top->addWidget(chkBadOnly);
    lblAbsent = new QLabel(this);
    lblAbsent->setObjectName(QStringLiteral("lblAbsent"));
    lblAbsent->setWordWrap(true);
    lblAbsent->setStyleSheet(QStringLiteral("color: #b00000"));

    model_ = new ImportPlanModel(this);
    filter_ = new QSortFilterProxyModel(this);
    filter_->setSourceModel(model_);
    filter_->setFilterRegularExpression(QStringLiteral("."));
    dgRows = listparts::listView(this, QStringLiteral("dgRows"));
    dgRows->setModel(filter_);

    lblCounts = new QLabel(this);
    lblCounts->setObjectName(QStringLiteral("lblCounts"));
    lblCounts->setWordWrap(true);
    chkSkipBad = new QCheckBox(QStringLiteral("跳过有问题的行(&S)"), this);
    chkSkipBad->setObjectName(QStringLiteral("chkSkipBad"));
    auto* counts = new QHBoxLayout;
    counts->addWidget(lblCounts, 1);
    counts->addWidget(chkSkipBad);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblAbsent);
    layout->addWidget(dgRows, 1);
    layout->addLayout(counts);
    btnImport = addDialogButtons(*this, *layout, QStringLiteral("btnImport"), QString()).action;

    connectGuarded(btnImport, &QPushButton::clicked, this, [this](bool) { btnImportClick(); });
    connectGuarded(chkBadOnly, &QCheckBox::toggled, this, [this](bool) { chkBadOnlyClick(); });
    connectGuarded(chkSkipBad, &QCheckBox::toggled, this, [this](bool) { showPlan(); });
}

bool TfrmImport::run(const ImportKind& kind) {
    const QString file = fileDialogs().openFile(
        kind.caption, QStringLiteral("Excel 工作簿或 CSV 文件 (*.xlsx *.csv);;所有文件 (*)"));
    if (file.isEmpty())
        return false;
    const QString name = QFileInfo(file).fileName();
    Sheet sheet = readSheetFile(file);
    if (!sheet.ok()) {
        notice(QStringLiteral("无法导入“%1”：%2").arg(name, sheet.error));
        return false;
    }
    ImportPlan plan = planImport(kind, sheet);
    if (!plan.error.isEmpty()) {
        notice(QStringLiteral("无法导入“%1”：%2").arg(name, plan.error));
        return false;
    }
    kind_ = &kind;
    sheet_ = std::move(sheet);
    plan_ = std::move(plan);
    saved_ = false;
    setWindowTitle(kind.caption);
    lblFile->setText(QStringLiteral("文件：") + QDir::toNativeSeparators(file) +
                     (sheet_.sheetName.isEmpty()
                          ? QString()
                          : QStringLiteral("（工作表：%1）").arg(sheet_.sheetName)));
    // A column titled otherwise is not read: prices imported as 0 were found only later.
    lblAbsent->setText(plan_.absent.isEmpty()
                           ? QString()
                           : QStringLiteral("表格中没有这些列：%1。如果表格里有，只是标题写法不同，"
                                            "请把标题改成这里的写法后重新导入。")
                                 .arg(plan_.absent.join(QStringLiteral("、"))));
    lblAbsent->setVisible(!plan_.absent.isEmpty());
    btnImport->setText(kind.actionText);
    chkSkipBad->setVisible(kind.badRowsStop);
    chkSkipBad->setChecked(false);
    chkBadOnly->setChecked(false);
    showPlan();
    dgRows->resizeColumnsToContents();
    for (int c = 0; c < model_->columnCount(); ++c)
        dgRows->setColumnWidth(
            c, std::min(dgRows->columnWidth(c), c == model_->reasonColumn() ? 360 : 220));
    showModal();
    return saved_;
}

void TfrmImport::showPlan() {
    model_->setPlan(&plan_);
    chkBadOnlyClick();
    const int good = plan_.goodRows();
    const int bad = plan_.badRows();
    const bool stopped = kind_ && kind_->badRowsStop && bad > 0 && !chkSkipBad->isChecked();
    QString text = QStringLiteral("共%1行：可导入%2行，跳过%3行。")
                       .arg(plan_.rows.size())
                       .arg(stopped ? 0 : good)
                       .arg(stopped ? int(plan_.rows.size()) : bad);
    if (stopped)
        text += QStringLiteral("有问题的行改正之前不会过账；也可以勾选“跳过有问题的行”。");
    lblCounts->setText(text);
}

void TfrmImport::chkBadOnlyClick() {
    filter_->setFilterKeyColumn(model_->reasonColumn());
    filter_->setFilterRegularExpression(chkBadOnly->isChecked() ? QStringLiteral(".") : QString());
}

void TfrmImport::btnImportClick() {
    const int good = plan_.goodRows();
    if (kind_->badRowsStop && plan_.badRows() > 0 && !chkSkipBad->isChecked()) {
        notice(QStringLiteral("有%1行不能过账。请改正表格后重新导入，或勾选“跳过有问题的行”。")
                   .arg(plan_.badRows()));
        return;
    }
    if (good == 0) {
        notice(QStringLiteral("没有可导入的行！"));
        return;
    }
    if (!kind_->confirmation.isEmpty() && !confirmed(kind_->confirmation.arg(good)))
        return;
    const ImportOutcome outcome = runImport(*kind_, sheet_, plan_);
    notice(outcome.message);
    if (outcome.written) {
        saved_ = true;
        close();
        return;
    }
    // The book may have changed since the preview: show the rows as they now stand.
    plan_ = planImport(*kind_, sheet_);
    showPlan();
}
