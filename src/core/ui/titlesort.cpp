#include "core/ui/titlesort.h"

#include "core/guard.h"
#include "core/query.h"
#include "core/ui/slotmodel.h"

#include <QHeaderView>
#include <QTableView>

void sortByTitleClicks(QTableView& view, FirstSort first) {
    view.horizontalHeader()->setSectionsClickable(true);
    auto ascending = std::make_shared<bool>(first == FirstSort::Descending);
    QObject::connect(view.horizontalHeader(), &QHeaderView::sectionClicked, &view,
                     [&view, ascending](int section) {
                         runGuarded([&] {
                             auto* model = qobject_cast<SlotModel*>(view.model());
                             if (!model || !model->query().isOpen() || section < 0 ||
                                 section >= int(model->columns().size()))
                                 return;
                             *ascending = !*ascending;
                             TQuery& query = model->query();
                             // The selected row stays selected at its new place.
                             const int source =
                                 query.eof() ? -1 : query.result().sourceRow(query.currentRow());
                             query.sort(model->columns()[std::size_t(section)].field +
                                        (*ascending ? " ASC" : " DESC"));
                             if (source >= 0)
                                 query.setCurrentRow(query.result().rowOfSource(source));
                         });
                     });
}
