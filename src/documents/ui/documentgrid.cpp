#include "documents/ui/documentgrid.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "core/ui/scannerpace.h"
#include "masterdata/pickedproduct.h"
#include "masterdata/ui/tfrmfindproduct.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <algorithm>
#include <utility>

namespace {

bool isNumberColumn(int column) {
    return column == DocumentGrid::Price || column == DocumentGrid::Quantity ||
           column == DocumentGrid::Amount;
}

} // namespace

// Line-edit cells that report every keystroke to the grid, move on with Enter, leave the grid
// with Tab and open the picker with F2 (or Enter on an empty code).
class DocumentGridDelegate : public QStyledItemDelegate {
public:
    explicit DocumentGridDelegate(DocumentGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        if (isNumberColumn(index.column())) {
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            takeNumbers(*edit);
        }
        // What the cell held when the person began, for judging it when they leave.
        edit->setProperty(kRow, index.row() + 1);
        edit->setProperty(kColumn, index.column());
        edit->setProperty(kBefore, index.data(Qt::EditRole).toString());
        const QPersistentModelIndex at(index);
        connectGuarded(
            edit, &QLineEdit::textChanged, grid_,
            [grid = grid_, at](const QString& text) { grid->editorTextChanged(at, text); });
        return edit;
    }

    // The cell's text reaches the editor only when the program changed it, so that the
    // person's cursor stays where it was while typing.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* edit = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (edit->text() != text) {
            const QSignalBlocker quiet(edit);
            edit->setText(text);
        }
    }

    static constexpr const char* kRow = "documentRow";
    static constexpr const char* kColumn = "documentColumn";
    static constexpr const char* kBefore = "documentBefore";

protected:
    // Prices and amounts show their cents (12.5 as 12.50), a price of more decimals all of
    // them; the cell keeps what was typed.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() == DocumentGrid::Price)
            option->text = numbers::priceText(option->text);
        else if (index.column() == DocumentGrid::Amount)
            option->text = numbers::fixed2(option->text);
    }

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return QStyledItemDelegate::eventFilter(object, event);
        auto* editor = static_cast<QLineEdit*>(object);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (grid_->opensPicker(*key, editor->text())) {
            // The code the person was typing gives way to the picker's choice.
            if (editor->property(kColumn).toInt() == DocumentGrid::ProdBH)
                grid_->setText(editor->property(kRow).toInt(), DocumentGrid::ProdBH,
                               editor->property(kBefore).toString());
            else
                emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            runGuarded([this] { grid_->sgDataDblClick(); });
            return true;
        }
        const int row = editor->property(kRow).toInt();
        // Into the code of a line that has its product (where Enter walks on to) a scanned code
        // is the next line too: typed over that code, it replaced the line without a word.
        if ((editor->property(kColumn).toInt() != DocumentGrid::ProdBH ||
             !grid_->text(row, DocumentGrid::ProdID).trimmed().isEmpty()) &&
            tookScannedCode(*editor, *key))
            return true;
        if (editor->property(kColumn).toInt() == DocumentGrid::Quantity &&
            grid_->awaitsQuantity(row) && editor->selectedText() == editor->text() &&
            !key->text().isEmpty() && key->text().front().isLetter()) {
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            runGuarded([this, row, first = key->text()] { grid_->beginNextCode(row, first); });
            return true;
        }
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            grid_->leave(key->key() == Qt::Key_Tab);
            return true;
        case Qt::Key_Escape:
            // What was typed is given up, as in any grid: each key was written into the cell
            // and counted at once, so the cell takes back what it held and is counted again.
            editor->setText(editor->property(kBefore).toString());
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        default:
            return QStyledItemDelegate::eventFilter(object, event);
        }
    }

private:
    // A code scanned into a line's price, quantity, amount or remark (where the cursor rests
    // after the person changed one) is the next line: the cell gets back what it held before
    // the code's first key, which the window counts again.
    bool tookScannedCode(QLineEdit& editor, const QKeyEvent& key) {
        switch (pace_.hear(key, &editor)) {
        case ScannerPace::Heard::FirstKey:
            beforeScan_ = editor.text();
            return false;
        case ScannerPace::Heard::Code:
            editor.setText(beforeScan_);
            emit commitData(&editor);
            emit closeEditor(&editor, QAbstractItemDelegate::NoHint);
            runGuarded([this, code = pace_.code()] { grid_->enterScannedCode(code); });
            return true;
        default:
            return false;
        }
    }

    DocumentGrid* grid_;
    ScannerPace pace_;
    QString beforeScan_;
};

DocumentGrid::DocumentGrid(TfrmFindProduct& picker, const QString& pickerMode, QWidget* parent)
    : QTableWidget(kRows, kColumns + 1, parent), picker_(picker), pickerMode_(pickerMode) {
    setObjectName("sgData");
    setItemDelegate(new DocumentGridDelegate(this));
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false); // Tab leaves the grid; Enter and the arrows walk it
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(false);

    for (int column = 0; column <= kColumns; ++column)
        setHorizontalHeaderItem(column, new QTableWidgetItem);
    for (int r = 0; r < kRows; ++r) {
        auto* number = new QTableWidgetItem;
        number->setFlags(Qt::ItemIsEnabled);
        number->setTextAlignment(Qt::AlignCenter);
        number->setBackground(palette().button());
        setItem(r, 0, number);
        for (int column = 1; column <= kColumns; ++column) {
            auto* cell = new QTableWidgetItem;
            if (isNumberColumn(column))
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, column, cell);
        }
    }
    setFixedTitles();

    const int widths[kColumns + 1] = {44, 0, 110, 170, 110, 56, 86, 76, 100, 120, 0, 0, 0};
    for (int column = 0; column <= kColumns; ++column)
        setColumnWidth(column, widths[column]);
    for (int column : {int(ProdID), int(LotNumber), int(Expiry), int(Maker)})
        setColumnHidden(column, true);
    // Ten lines and every shown column in sight: the grid never scrolls and never grows.
    int width = 2 * frameWidth() + 2;
    for (int column = 0; column <= kColumns; ++column)
        width += isColumnHidden(column) ? 0 : widths[column];
    setMinimumWidth(width);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFixedHeight(horizontalHeader()->sizeHint().height() +
                   kRows * verticalHeader()->defaultSectionSize() + 2 * frameWidth() + 2);
}

QString DocumentGrid::text(int row, int column) const {
    return item(row - 1, column)->text();
}

void DocumentGrid::setText(int row, int column, const QString& text) {
    item(row - 1, column)->setText(text);
}

void DocumentGrid::clearRow(int row) {
    for (int column = 1; column <= kColumns; ++column)
        setText(row, column, QString());
}

void DocumentGrid::clearLines() {
    for (int row = 1; row <= kRows; ++row)
        clearRow(row);
}

bool DocumentGrid::anyText(int column) const {
    for (int row = 1; row <= kRows; ++row)
        if (!text(row, column).isEmpty())
            return true;
    return false;
}

void DocumentGrid::loadCaptions() {
    static const QString fields[] = {"prodBH", "prodName", "type", "unitName"};
    QString captions[UnitName + 1];
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT fieldName,textValue,fieldwidth FROM FConfig ORDER BY Sort ASC"));
    q.open();
    for (; !q.eof(); q.next())
        for (int column = ProdBH; column <= UnitName; ++column)
            if (q.field(u"fieldName")
                    .asText()
                    .compare(fields[column - ProdBH], Qt::CaseInsensitive) == 0)
                captions[column] = q.field(u"textValue").asText();
    q.close();
    for (int column = ProdBH; column <= UnitName; ++column)
        if (!captions[column].isNull())
            horizontalHeaderItem(column)->setText(captions[column]);
    setFixedTitles();
}

void DocumentGrid::setFixedTitles() {
    static const std::pair<int, QString> titles[] = {
        {0, "序号"},         {ProdID, "商品ID"}, {Price, "单价"},
        {Quantity, "数量"},  {Amount, "金额"},   {Remark, "备注"},
        {LotNumber, "批号"}, {Expiry, "有效期"}, {Maker, "厂家"}};
    for (const auto& [column, title] : titles)
        horizontalHeaderItem(column)->setText(title);
    for (int r = 0; r < kRows; ++r)
        item(r, 0)->setText(QString::number(r + 1));
}

bool DocumentGrid::checkEditedCell(int row, int column) {
    if (text(row, ProdName).trimmed().isEmpty()) {
        clearRow(row);
        return false;
    }
    // A text on the way to a number waits for the person to leave the cell.
    const QString typed = text(row, column).trimmed();
    if (isNumberColumn(column) && !numbers::isOnTheWayToNumber(typed))
        setText(row, column, QStringLiteral("0"));
    return true;
}

void DocumentGrid::finishEditing() {
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

int DocumentGrid::currentLine() const {
    return currentIndex().isValid() ? currentIndex().row() + 1 : 0;
}

void DocumentGrid::editCell(int row, int column) {
    setCurrentCell(row - 1, column);
    setFocus();
    edit(currentIndex());
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(currentIndex())))
        editor->selectAll();
}

void DocumentGrid::editorTextChanged(const QModelIndex& index, const QString& text) {
    if (!index.isValid())
        return;
    item(index.row(), index.column())->setText(text);
    if (index.column() != ProdBH) // a code counts when the person leaves its cell
        emit cellEdited(index.row() + 1, index.column());
}

void DocumentGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const int row = editor->property(DocumentGridDelegate::kRow).toInt();
    const int column = editor->property(DocumentGridDelegate::kColumn).toInt();
    const QString before = editor->property(DocumentGridDelegate::kBefore).toString();
    const bool moveOn = hint == QAbstractItemDelegate::EditNextItem;
    const bool awaited = column == Quantity && awaitsQuantity(row);
    if (column == Quantity)
        awaitedRow_ = 0;
    // A new code decides itself where the cursor goes, and so does the quantity of a product
    // just entered: Enter there goes on to the next line, where the next code is scanned.
    const bool newCode = column == ProdBH && text(row, ProdBH).trimmed() != before.trimmed();
    const bool toNextLine = awaited && moveOn;
    QTableWidget::closeEditor(editor, newCode || toNextLine ? QAbstractItemDelegate::NoHint : hint);
    runGuarded([&] {
        if (toNextLine && codeTypedAsQuantity(row, before))
            return;
        cellLeft(row, column, before, moveOn);
        if (toNextLine)
            goToNextLine(row);
    });
}

void DocumentGrid::goToNextLine(int row) {
    if (const int free = freeRow())
        setCurrentCell(free - 1, ProdBH);
    else
        setCurrentIndex(nextCell(model()->index(row - 1, Quantity), 1));
}

void DocumentGrid::cellLeft(int row, int column, const QString& before, bool moveOn) {
    if (row < 1 || row > kRows)
        return;
    if (column == ProdBH) {
        const QString code = text(row, ProdBH).trimmed();
        if (code != before.trimmed())
            codeEntered(row, code, before, moveOn);
        return;
    }
    const QString typed = text(row, column).trimmed();
    if (isNumberColumn(column) && !text(row, ProdName).trimmed().isEmpty() &&
        !numbers::toDecimalOrZero(typed)) {
        setText(row, column, QStringLiteral("0"));
        emit cellEdited(row, column);
    }
}

void DocumentGrid::codeEntered(int row, const QString& code, const QString& before, bool moveOn) {
    // Erasing the code takes nothing away; only another product's code replaces the row.
    if (code.isEmpty()) {
        setText(row, ProdBH, before);
        return;
    }
    const ProductByCode found = productByCode(code, pickerMode_);
    if (found.found == ProductByCode::Found::One) {
        for (int column = 1; column <= kColumns; ++column)
            setText(row, column, found.values[std::size_t(column - 1)]);
        emit productPicked(row);
        if (moveOn)
            awaitQuantity(row);
        return;
    }
    setText(row, ProdBH, before);
    notice(found.found == ProductByCode::Found::None
               ? QStringLiteral("找不到编号为“%1”的商品！").arg(code)
               : QStringLiteral("编号为“%1”的商品不止一个，请按F2选择！").arg(code));
}

bool DocumentGrid::opensPicker(const QKeyEvent& event, const QString& cellText) const {
    if (event.key() == Qt::Key_F2)
        return true;
    const bool enter = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
    return enter && currentColumn() == ProdBH && cellText.trimmed().isEmpty();
}

void DocumentGrid::leave(bool forward) {
    QWidget::focusNextPrevChild(forward);
}

// Enter walks the shown data cells row by row, never the row numbers.
QModelIndex DocumentGrid::nextCell(const QModelIndex& from, int step) const {
    int at = from.isValid() ? from.row() * (kColumns + 1) + from.column() : (step > 0 ? 0 : -1);
    for (at += step; at >= 0 && at < kRows * (kColumns + 1); at += step) {
        const int column = at % (kColumns + 1);
        if (column != 0 && !isColumnHidden(column))
            return model()->index(at / (kColumns + 1), column);
    }
    return {};
}

QModelIndex DocumentGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    if (action == MoveNext || action == MovePrevious)
        return nextCell(currentIndex(), action == MoveNext ? 1 : -1);
    QModelIndex to = QTableWidget::moveCursor(action, modifiers);
    if (to.isValid() && to.column() == 0)
        to = nextCell(model()->index(to.row(), 0), 1);
    return to;
}

void DocumentGrid::keyPressEvent(QKeyEvent* event) {
    if (strayScan_.active()) {
        const ScannedKeys::Took took = strayScan_.take(*event);
        if (took == ScannedKeys::Took::Code)
            runGuarded([this] { noFreeRowFor(strayScan_.code()); });
        if (took != ScannedKeys::Took::Nothing) {
            event->accept();
            return;
        }
    }
    const QModelIndex current = currentIndex();
    const bool cell = current.isValid() && current.column() > 0 && state() != EditingState;
    if (cell && opensPicker(*event, item(current.row(), current.column())->text())) {
        runGuarded([this] { sgDataDblClick(); });
        event->accept();
        return;
    }
    if (cell && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        const QModelIndex to = nextCell(current, 1);
        if (to.isValid())
            setCurrentIndex(to);
        event->accept();
        return;
    }
    // Deleting a code would leave a product without its code: only its row's name empties it.
    if (cell && current.column() != ProdBH &&
        (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        runGuarded([&] { editorTextChanged(current, QString()); });
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void DocumentGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    runGuarded([this] { sgDataDblClick(); });
}

void DocumentGrid::sgDataDblClick() {
    const int row = currentLine();
    if (row == 0)
        return;
    picker_.setMode(pickerMode_);
    picker_.showModal();
    if (picker_.chosen() != 1)
        return;
    const auto& values = picker_.values();
    for (int column = 1; column <= kColumns; ++column)
        setText(row, column, values[std::size_t(column - 1)]);
    emit productPicked(row);
    awaitQuantity(row);
}

void DocumentGrid::awaitQuantity(int row) {
    editCell(row, Quantity);
    awaitedRow_ = row;
}

int DocumentGrid::freeRow() const {
    for (int row = 1; row <= kRows; ++row)
        if (text(row, ProdName).trimmed().isEmpty())
            return row;
    return 0;
}

void DocumentGrid::noFreeRowFor(const QString& code) {
    notice(QStringLiteral("单据的十行都已有商品，编号为“%1”的商品未录入！").arg(code));
}

void DocumentGrid::beginNextCode(int row, const QString& firstKey) {
    const int free = freeRow();
    if (free == 0) {
        // The rest of the code is taken in, and the person told at its Enter.
        setCurrentCell(row - 1, Quantity);
        setFocus();
        strayScan_.begin(firstKey);
        return;
    }
    setCurrentCell(free - 1, ProdBH);
    setFocus();
    edit(currentIndex());
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(currentIndex())))
        editor->setText(firstKey);
}

bool DocumentGrid::codeTypedAsQuantity(int row, const QString& before) {
    const QString typed = text(row, Quantity).trimmed();
    if (typed == before.trimmed() || !scannedCodeAsQuantity(typed))
        return false;
    if (!tooLargeForAQuantity(typed) &&
        !confirmed(QStringLiteral("“%1”是商品的编号，是否作为下一个商品录入？\n"
                                  "选“取消”则作为数量。")
                       .arg(typed)))
        return false;
    // The quantity the keys changed is put back, and the window counts it again.
    setText(row, Quantity, before);
    emit cellEdited(row, Quantity);
    enterAtFreeRow(typed);
    return true;
}

void DocumentGrid::enterAtFreeRow(const QString& code) {
    const int free = freeRow();
    if (free == 0)
        return noFreeRowFor(code);
    codeEntered(free, code, text(free, ProdBH), true);
    // Not one product of the book: the message says to press F2, which picks into the current
    // row, so the cursor waits in the free row rather than on the line the scan came into.
    if (text(free, ProdName).trimmed().isEmpty())
        goToFreeLine();
}

void DocumentGrid::goToFreeLine() {
    setCurrentCell(std::max(freeRow(), 1) - 1, ProdBH);
    setFocus();
}

void DocumentGrid::enterScannedCode(const QString& code) {
    setFocus();
    runGuarded([&] { enterAtFreeRow(code); });
}
