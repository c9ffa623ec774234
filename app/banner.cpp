// SPDX-License-Identifier: MIT
#include "banner.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>

namespace {

class Banner final : public QLabel {
public:
    explicit Banner(QWidget* parent)
        : QLabel(parent)
    {
        setPixmap(QPixmap(QStringLiteral(":/kalvora/banner.png")));
        setFixedSize(pixmap().size());
    }

protected:
    // The pixel ratio is asked for at every paint: a window may move to a
    // screen of another density.
    void paintEvent(QPaintEvent*) override
    {
        if (devicePixelRatioF() > 1.0 && dense.isNull())
            dense = QPixmap(QStringLiteral(":/kalvora/banner@2x.png"));
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(contentsRect(), devicePixelRatioF() > 1.0 ? dense : pixmap());
    }

private:
    QPixmap dense;
};

} // namespace

QLabel* MakeBanner(QWidget* parent)
{
    auto* image = new Banner(parent);
    image->setObjectName(QStringLiteral("Image1"));
    image->setAccessibleName(QStringLiteral("Kalvora"));
    return image;
}
