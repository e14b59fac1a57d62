#include "printing/paintrecorder.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(PaintRecorder& device) : device_(device) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& state) override {
        if (state.state() & QPaintEngine::DirtyFont)
            font_ = state.font();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        device_.addText(item.text(), p, item.width(), font_);
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i)
            device_.lines_.push_back(lines[i]);
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            device_.lines_.push_back(lines[i].toLine());
    }
    Type type() const override { return QPaintEngine::User; }

private:
    PaintRecorder& device_;
    QFont font_;
};

PaintRecorder::PaintRecorder(int dpi, QSize size)
    : dpi_(dpi), size_(size), engine_(std::make_unique<RecordingEngine>(*this)) {}

PaintRecorder::~PaintRecorder() = default;

QPaintEngine* PaintRecorder::paintEngine() const {
    return engine_.get();
}

int PaintRecorder::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return int(size_.width() * 25.4 / dpi_);
    case PdmHeightMM:
        return int(size_.height() * 25.4 / dpi_);
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dpi_;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return INT_MAX;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

// One drawText may reach the engine as several runs (one per script or face); a run that
// starts where the last one ended on the same baseline belongs to it.
void PaintRecorder::addText(const QString& text, QPointF baseline, qreal width, const QFont& font) {
    if (!texts_.empty() && std::abs(baselines_.back() - baseline.y()) < 0.5 &&
        std::abs(ends_.back() - baseline.x()) < 0.5) {
        texts_.back().text += text;
        ends_.back() += width;
        return;
    }
    const QFontMetrics metrics(font, this);
    texts_.push_back({text, int(std::lround(baseline.x())),
                      int(std::lround(baseline.y())) - metrics.ascent(), font});
    ends_.push_back(baseline.x() + width);
    baselines_.push_back(baseline.y());
}

const PaintRecorder::Text& PaintRecorder::text(const QString& content) const {
    for (const Text& t : texts_)
        if (t.text == content)
            return t;
    ADD_FAILURE() << "nothing drawn reads " << content.toStdString();
    static const Text none;
    return none;
}

bool PaintRecorder::drew(const QString& content) const {
    return std::any_of(texts_.begin(), texts_.end(),
                       [&](const Text& t) { return t.text == content; });
}

QStringList PaintRecorder::row(int y) const {
    std::vector<const Text*> onRow;
    for (const Text& t : texts_)
        if (t.y == y)
            onRow.push_back(&t);
    std::stable_sort(onRow.begin(), onRow.end(),
                     [](const Text* a, const Text* b) { return a->x < b->x; });
    QStringList result;
    for (const Text* t : onRow)
        result << t->text;
    return result;
}

void PaintRecorder::clear() {
    texts_.clear();
    ends_.clear();
    baselines_.clear();
    lines_.clear();
}
