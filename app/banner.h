// SPDX-License-Identifier: MIT
#pragma once

class QLabel;
class QWidget;

// The title banner `Image1` (nearly five times wider than high); the menu and
// the version screen show the same picture. It is drawn for its frame, never
// stretched: at scale 1 pixel for pixel, on a denser screen from the picture
// made at twice the size.
QLabel* MakeBanner(QWidget* parent);
