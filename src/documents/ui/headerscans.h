#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <initializer_list>

class DocumentGrid;
class QWidget;

// A product's code that a scanner sends into a box of a document's header (its code, its
// handler, its warehouse) instead of the lines. It is told by its pace: each key within a few
// milliseconds of the one before, as no person types, ended by Enter. The box gets back what
// it held before the code's first key, the Enter presses no button, and the code is handed on
// to the grid as its next line.
class HeaderScans : public QObject {
    Q_OBJECT
public:
    static constexpr unsigned long long kScannerGapMs = 35;
    static constexpr int kShortestCode = 4;

    // The boxes are line edits and combo boxes of the grid's window.
    HeaderScans(DocumentGrid& grid, std::initializer_list<QWidget*> boxes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DocumentGrid& grid_;
    // The keys of the run under way, the box they go into and what it held before them.
    QPointer<QWidget> box_;
    QVariant before_;
    QString keys_;
    unsigned long long last_ = 0;
};
