#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class DocumentGrid;
class QWidget;

// A product's code that a scanner sends anywhere in a document window but its lines: a box of
// the header (its code, its handler, its warehouse), the title, the amount settled, a button.
// It is told by its pace: each key within a few milliseconds of the one before, as no person
// types, ended by Enter. The box gets back what it held before the code's first key, the Enter
// presses no button (保存 and then its confirmation were one scan away), and the code is
// handed on to the grid as its next line. The date box has a rule of its own (DateBox).
class StrayScans : public QObject {
    Q_OBJECT
public:
    static constexpr unsigned long long kScannerGapMs = 35;
    static constexpr int kShortestCode = 4;

    // Watches every widget of the grid's window that takes the focus, as the window is first
    // shown, so that the boxes of the window's kind are watched too.
    explicit StrayScans(DocumentGrid& grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchWindow();
    DocumentGrid& grid_;
    bool watching_ = false;
    // The keys of the run under way, the box they go into and what it held before them.
    QPointer<QWidget> box_;
    QVariant before_;
    QString keys_;
    unsigned long long last_ = 0;
};
