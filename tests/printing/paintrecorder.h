#pragma once

#include <QFont>
#include <QLine>
#include <QPaintDevice>
#include <QString>
#include <memory>
#include <vector>

class QPaintEngine;

// A drawing surface that keeps what is drawn on it instead of pixels: every text with its
// top-left corner and font, every line, so that a test can ask what was drawn where.
class PaintRecorder : public QPaintDevice {
public:
    struct Text {
        QString text;
        int x = 0; // top-left corner, pixels
        int y = 0;
        QFont font;
    };

    explicit PaintRecorder(int dpi = 96, QSize size = {800, 1100});
    ~PaintRecorder() override;

    QPaintEngine* paintEngine() const override;

    const std::vector<Text>& texts() const { return texts_; }
    const std::vector<QLine>& lines() const { return lines_; }
    // The text drawn with exactly this content; fails the test when there is none.
    const Text& text(const QString& content) const;
    bool drew(const QString& content) const;
    // The texts that start on this row (top y), left to right.
    QStringList row(int y) const;
    void clear();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    friend class RecordingEngine;
    void addText(const QString& text, QPointF baseline, qreal width, const QFont& font);

    int dpi_;
    QSize size_;
    std::unique_ptr<QPaintEngine> engine_;
    std::vector<Text> texts_;
    std::vector<qreal> ends_; // right end of each text so far, to join the runs of one text
    std::vector<qreal> baselines_;
    std::vector<QLine> lines_;
};
