#include "core/ui/slotmodel.h"

#include "core/numbers.h"
#include "core/query.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

SlotModel::SlotModel(TQuery& query, std::vector<SlotColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), query_(query), columns_(std::move(columns)) {
    connect(&query_, &TQuery::resultReset, this, &SlotModel::reset);
    reset();
}

void SlotModel::setColumns(std::vector<SlotColumn> columns) {
    columns_ = std::move(columns);
    reset();
}

void SlotModel::reset() {
    beginResetModel();
    fieldIndex_.clear();
    for (const SlotColumn& c : columns_)
        fieldIndex_.push_back(query_.isOpen() ? query_.result().column(c.field) : -1);
    endResetModel();
}

int SlotModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : query_.recordCount();
}

int SlotModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant SlotModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= query_.recordCount())
        return {};
    const SlotColumn& column = columns_[std::size_t(index.column())];
    const int field = fieldIndex_[std::size_t(index.column())];
    if (role == Qt::TextAlignmentRole)
        return column.draw == Draw::Text ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                         : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || field < 0)
        return {};
    const ResultSet& r = query_.result();
    if (r.type(index.row(), field) == ResultSet::Type::Null)
        return column.draw == Draw::Text ? QString() : QVariant();
    switch (column.draw) {
    case Draw::Text:
    case Draw::Number:
        return r.text(index.row(), field);
    case Draw::Fixed2:
        return numbers::fixed2(r.real(index.row(), field));
    case Draw::Money:
        return numbers::money(r.real(index.row(), field));
    case Draw::Price:
        return numbers::priceText(r.text(index.row(), field));
    }
    return {};
}

QVariant SlotModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= int(columns_.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    const SlotColumn& column = columns_[std::size_t(section)];
    if (role == Qt::DisplayRole)
        return column.title;
    // A figure's title stands over the figures, at the right.
    if (role == Qt::TextAlignmentRole && column.draw != Draw::Text)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void followSortArrow(QTableView& view, const SlotModel& model) {
    const auto show = [&view, &model] {
        QHeaderView& header = *view.horizontalHeader();
        const QString ordering = model.query().ordering();
        const qsizetype blank = ordering.lastIndexOf(u' ');
        const QString field = ordering.left(blank).trimmed();
        int section = -1;
        for (int c = 0; !field.isEmpty() && c < int(model.columns().size()); ++c)
            if (model.columns()[std::size_t(c)].field.compare(field, Qt::CaseInsensitive) == 0)
                section = c;
        header.setSortIndicatorShown(section >= 0);
        if (section >= 0)
            header.setSortIndicator(section, ordering.mid(blank + 1).trimmed().compare(
                                                 u"DESC", Qt::CaseInsensitive) == 0
                                                 ? Qt::DescendingOrder
                                                 : Qt::AscendingOrder);
    };
    QObject::connect(&model, &QAbstractItemModel::modelReset, &view, show);
    show();
}

void dressAsList(QTableView& view) {
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A table view walks its cells on Tab, row after row and round again: the keyboard never
    // got out of a list to the window's buttons.
    view.setTabKeyNavigation(false);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 8);
    view.verticalHeader()->hide();
}

void showAsList(QTableView& view, SlotModel& model) {
    view.setModel(&model);
    dressAsList(view);
    for (int c = 0; c < int(model.columns().size()); ++c)
        if (model.columns()[std::size_t(c)].width > 0)
            view.setColumnWidth(c, model.columns()[std::size_t(c)].width);
    TQuery* query = &model.query();
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentRowChanged, query,
                     [query](const QModelIndex& current) {
                         if (current.isValid())
                             query->setCurrentRow(current.row());
                     });
}

SlotModel* showSlot(QTableView& view, TQuery& query, std::vector<SlotColumn> columns,
                    Highlight highlight) {
    auto* model = new SlotModel(query, std::move(columns), &view);
    showAsList(view, *model);
    if (highlight == Highlight::PersonOnly)
        return model;
    auto selectCurrent = [&view, &query] {
        // The cursor stands on a shown cell: on a hidden one the arrow keys would not move it.
        int shown = 0;
        while (view.model() && shown + 1 < view.model()->columnCount() &&
               view.isColumnHidden(shown))
            ++shown;
        if (query.recordCount() > 0 && view.model())
            view.selectionModel()->setCurrentIndex(view.model()->index(query.currentRow(), shown),
                                                   QItemSelectionModel::ClearAndSelect |
                                                       QItemSelectionModel::Rows);
    };
    QObject::connect(model, &QAbstractItemModel::modelReset, &view, selectCurrent);
    QObject::connect(&query, &TQuery::currentRowChanged, &view, selectCurrent);
    selectCurrent();
    followSortArrow(view, *model);
    return model;
}
