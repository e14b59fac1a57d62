#include "printing/ui/printer.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The system's print dialog, answered as a person would: "打印到文件 (PDF)" with a file name.
void chooseFileInTheDialog(Printer& printer, const QString& fileName) {
    QTimer::singleShot(0, [fileName] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
        if (printers && file) {
            printers->setCurrentIndex(printers->count() - 1); // the file, after the printers
            file->setText(fileName);
            dialog->accept();
        } else {
            ADD_FAILURE() << "the print dialog has no printer list or file name box";
            dialog->reject();
        }
    });
    EXPECT_TRUE(printer.setup(nullptr));
}

void paintPage(QPainter& painter) {
    painter.drawText(100, 100, QStringLiteral("CJ20263159"));
}

TEST(SystemPrinter, AfterAPrintThatCouldNotBeginAPdfFileChosenInTheSetupPrints) {
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        GTEST_SKIP() << "a printer is installed here: this test must not print on paper";
    QTemporaryDir dir;
    std::unique_ptr<Printer> printer = systemPrinter();

    // No printer and no file: nothing to ask, and the job cannot begin.
    EXPECT_THROW(printer->resolution(), PrinterError);
    EXPECT_THROW(printer->printableSize(), PrinterError);
    EXPECT_THROW(printer->print(paintPage), PrinterError);

    const QString pdf = dir.filePath(QStringLiteral("单据.pdf"));
    chooseFileInTheDialog(*printer, pdf);
    EXPECT_GT(printer->resolution(), 0); // a file is a printer that can be asked
    EXPECT_FALSE(printer->printableSize().isEmpty());
    printer->print(paintPage);
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5).startsWith("%PDF"));

    // And so does the next print.
    const QString again = dir.filePath(QStringLiteral("再打.pdf"));
    chooseFileInTheDialog(*printer, again);
    printer->print(paintPage);
    EXPECT_TRUE(QFile::exists(again));
}

} // namespace
