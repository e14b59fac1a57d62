#include "printing/ui/tfrmprintview.h"

#include "core/messages.h"
#include "core/ui/commonkeys.h"
#include "core/ui/filedialogs.h"
#include "core/ui/guardedconnect.h"
#include "printing/ui/pagepainter.h"
#include "printing/ui/pdfexport.h"
#include "printing/ui/printer.h"

#include <QDir>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kGap = 5; // pixels around a page wider than the window

QToolButton* toolButton(QToolBar& bar, const char* name, const QString& text,
                        QStyle::StandardPixmap icon) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(bar.style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar.addWidget(button);
    return button;
}

} // namespace

TfrmPrintView::TfrmPrintView(Printer& printer, QWidget* parent) : TForm(parent), printer_(printer) {
    setObjectName(QStringLiteral("frmPrintView"));
    setWindowTitle(QStringLiteral("Lumo软件打印预览窗口"));
    resize(900, 700);

    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("ToolBar1"));
    tlZoomMax = toolButton(*bar, "tlZoomMax", QStringLiteral("放大"), QStyle::SP_ArrowUp);
    tlZoomMin = toolButton(*bar, "tlZoomMin", QStringLiteral("缩小"), QStyle::SP_ArrowDown);
    tlPageSet = toolButton(*bar, "tlPageSet", QStringLiteral("打印设置"),
                           QStyle::SP_FileDialogDetailedView);
    tlPrint = toolButton(*bar, "tlPrint", QStringLiteral("打印"), QStyle::SP_DialogSaveButton);
    setCommonKey(*tlPrint, CommonKey::Print);
    tlPdf = toolButton(*bar, "tlPdf", QStringLiteral("导出PDF"), QStyle::SP_DriveFDIcon);
    tlPdf->setToolTip(QStringLiteral("把单据写成PDF文件，不用打印机也能发送"));
    tlColse =
        toolButton(*bar, "tlColse", QStringLiteral("关闭      "), QStyle::SP_DialogCloseButton);

    scrollArea = new QScrollArea;
    scrollArea->setObjectName(QStringLiteral("ScrollBox1"));
    scrollArea->setWidgetResizable(false);
    sheet = new QWidget;
    sheet->setAutoFillBackground(true);
    QPalette grey = sheet->palette();
    grey.setColor(QPalette::Window, Qt::darkGray);
    sheet->setPalette(grey);
    imgDoc = new QLabel(sheet);
    imgDoc->setObjectName(QStringLiteral("imgDoc"));
    imgDoc->setScaledContents(true);
    scrollArea->setWidget(sheet);
    scrollArea->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(scrollArea, 1);

    connectGuarded(tlZoomMax, &QToolButton::clicked, this, [this](bool) { zoom(true); });
    connectGuarded(tlZoomMin, &QToolButton::clicked, this, [this](bool) { zoom(false); });
    connectGuarded(tlPageSet, &QToolButton::clicked, this, [this](bool) { tlPageSetClick(); });
    connectGuarded(tlPrint, &QToolButton::clicked, this, [this](bool) { tlPrintClick(); });
    connectGuarded(tlPdf, &QToolButton::clicked, this, [this](bool) { tlPdfClick(); });
    connectGuarded(tlColse, &QToolButton::clicked, this, [this](bool) { close(); });
}

void TfrmPrintView::showPage(const PrintPage& page) {
    page_ = page;
    showModal();
}

void TfrmPrintView::FormShow() {
    SetPrintImg();
    PrintDoc();
}

void TfrmPrintView::SetPrintImg() {
    screenK_ = printing::pixelsPerMillimetre(logicalDpiX());
    int dpi = 0;
    QSize printable;
    try {
        dpi = printer_.resolution();
        printable = printer_.printableSize();
    } catch (const PrinterError&) {
        dpi = 0;
    }
    hasPrinter_ = printing::pixelsPerMillimetre(dpi) > 0;
    if (!hasPrinter_) {
        // No printer to ask: the PDF's page, so that the document is still seen and exported.
        dpi = printing::kPdfResolution;
        printable = printing::pdfPrintableSize();
    }
    printerK_ = printing::pixelsPerMillimetre(dpi);
    imageSize_ = QSize(int(double(printable.width()) / printerK_ * screenK_),
                       int(double(printable.height()) / printerK_ * screenK_));
    placeImage();
}

bool TfrmPrintView::printerMissing() {
    if (hasPrinter_)
        return false;
    messages().notice(QStringLiteral("没有可用的打印机，请先安装打印机。"), QStringLiteral("提示"));
    return true;
}

void TfrmPrintView::PrintDoc() {
    QImage image(imageSize_, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(logicalDpiX() / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        printing::report(painter, page_, screenK_);
    }
    picture_ = QPixmap::fromImage(image);
    imgDoc->setPixmap(picture_);
}

void TfrmPrintView::placeImage() {
    const int viewWidth = scrollArea->viewport()->width();
    const int left = imageSize_.width() < viewWidth ? (viewWidth - imageSize_.width()) / 2 : kGap;
    imgDoc->setGeometry(left, kGap, imageSize_.width(), imageSize_.height());
    sheet->resize(std::max(viewWidth, left + imageSize_.width() + kGap),
                  std::max(scrollArea->viewport()->height(), imageSize_.height() + 2 * kGap));
}

// The page is placed again whenever the visible part of the scrolling area changes size.
bool TfrmPrintView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollArea->viewport() && event->type() == QEvent::Resize &&
        !imageSize_.isEmpty())
        placeImage();
    return TForm::eventFilter(watched, event);
}

// The picture is stretched, not drawn again; the page keeps its place until a resize.
void TfrmPrintView::zoom(bool in) {
    const auto scaled = [in](int size) { return int(std::floor(in ? size * 1.2 : size / 1.2)); };
    // Within a fourth and four times the picture drawn: a stretched copy kept many times
    // larger took gigabytes, and the program with them; one shrunk to nothing stayed so.
    constexpr int kTimes = 4;
    const int width = scaled(imageSize_.width());
    if (width > picture_.width() * kTimes || width * kTimes < picture_.width())
        return;
    imageSize_ = QSize(width, scaled(imageSize_.height()));
    imgDoc->resize(imageSize_);
    sheet->resize(std::max(sheet->width(), imgDoc->x() + imageSize_.width() + kGap),
                  std::max(sheet->height(), imageSize_.height() + 2 * kGap));
}

void TfrmPrintView::tlPageSetClick() {
    if (printerMissing() || !printer_.setup(this))
        return;
    SetPrintImg();
    PrintDoc();
}

void TfrmPrintView::tlPdfClick() {
    if (page_.columnWidths.isEmpty()) {
        notice(QStringLiteral("没有要打印的数据！"));
        return;
    }
    const QString file = chooseSaveFile(QStringLiteral("导出PDF"), printing::pdfFileName(page_),
                                        QStringLiteral("PDF文件 (*.pdf)"));
    if (file.isEmpty())
        return;
    if (printing::writePdf(file, page_))
        notice(QStringLiteral("单据已导出到：") + QDir::toNativeSeparators(file));
    else
        notice(QStringLiteral("无法写入文件：") + QDir::toNativeSeparators(file));
}

void TfrmPrintView::tlPrintClick() {
    if (printerMissing())
        return;
    // A page without columns is refused before a sheet of paper goes through the printer.
    if (page_.columnWidths.isEmpty()) {
        notice(QStringLiteral("没有要打印的数据！"));
        return;
    }
    printer_.print([this](QPainter& painter) { printing::report(painter, page_, printerK_); });
}
