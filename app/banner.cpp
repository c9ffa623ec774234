// SPDX-License-Identifier: MIT
#include "banner.h"

#include <QLabel>
#include <QPixmap>

QLabel* MakeBanner(QWidget* parent)
{
    auto* image = new QLabel(parent);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(QPixmap(QStringLiteral(":/kalvora/banner.jpg")));
    image->setScaledContents(true);
    image->setFixedSize(384, 80);
    image->setAccessibleName(QStringLiteral("Kalvora"));
    return image;
}
