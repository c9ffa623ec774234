// SPDX-License-Identifier: MIT
#pragma once

class QLabel;
class QWidget;

// The title banner `Image1`, stretched to its frame (nearly five times wider
// than high); the menu and the version screen show the same picture.
QLabel* MakeBanner(QWidget* parent);
