#include "core/ui/themeicon.h"

#include <QIconEngine>
#include <QPainter>
#include <optional>

namespace {

class DeferredThemeIcon : public QIconEngine {
public:
    explicit DeferredThemeIcon(QString name) : name_(std::move(name)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return name_; }
    bool isNull() override { return icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredThemeIcon"); }
    QIconEngine* clone() const override { return new DeferredThemeIcon(*this); }

private:
    const QIcon& icon() {
        if (!icon_)
            icon_ = QIcon::fromTheme(name_);
        return *icon_;
    }

    QString name_;
    std::optional<QIcon> icon_;
};

} // namespace

QIcon themeIcon(const QString& name) {
    return QIcon(new DeferredThemeIcon(name));
}
