// SPDX-License-Identifier: MIT
#include "triangle_screen.h"

#include "conversions.h"
#include "exact_library.h"
#include "line_control.h"
#include "triangle.h"
#include "widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
// The figure, in logical pixels: a triangle on a horizontal base with its
// apex on top. Corner i holds angle i; side i faces it.
constexpr int kFigureWidth = 500;
constexpr int kFigureHeight = 372;
const std::array<QPointF, 3> kCorner{QPointF(430, 296), QPointF(70, 296), QPointF(250, 20)};

constexpr int kSideWidth = 84;
constexpr int kAngleWidth = 60;
constexpr double kMarkLength = 36; // the angle marks cut the sides this far from the corner
constexpr double kStrokeGap = 4; // the strokes toward a side box stop short of it

// Where the boxes stand. The base's box hangs this far below the base (plus a
// box height); the slanting sides' boxes stand this far out from their side's
// middle (plus half a box width).
constexpr int kBaseBoxDrop = 14;
constexpr int kSlantBoxDistance = 34;
// The apex's angle box sits this far below the apex; the base corners' boxes
// this far in from their corner and this far above the base.
constexpr int kApexBoxDrop = 70;
constexpr int kCornerBoxInset = 56;
constexpr int kCornerBoxLift = 8;

QPointF Along(QPointF from, QPointF to, double distance)
{
    const QPointF d = to - from;
    return from + d * (distance / std::hypot(d.x(), d.y()));
}

// Where a stroke from a corner toward the middle of a box meets the box's
// rectangle widened by the gap.
QPointF Toward(QPointF corner, const QRect& box)
{
    const QRectF r = QRectF(box).adjusted(-kStrokeGap, -kStrokeGap, kStrokeGap, kStrokeGap);
    const QPointF d = r.center() - corner;
    const auto entry = [](double from, double low, double high, double delta) {
        if (from < low)
            return (low - from) / delta;
        if (from > high)
            return (high - from) / delta;
        return 0.0;
    };
    const double t
        = std::max(entry(corner.x(), r.left(), r.right(), d.x()), entry(corner.y(), r.top(), r.bottom(), d.y()));
    return corner + d * t;
}

// A rectangle of the given size centred on a point.
QRect Centred(QPointF centre, int width, int height)
{
    return QRect(static_cast<int>(std::lround(centre.x() - width / 2.0)),
        static_cast<int>(std::lround(centre.y() - height / 2.0)), width, height);
}

// The side boxes, `height` high: below the base, and out from the middle of
// each slanting side. Side i faces corner i.
std::array<QRect, 3> SideBoxes(int height)
{
    const auto& P = kCorner;
    std::array<QRect, 3> side;
    side[2] = Centred(QPointF((P[0].x() + P[1].x()) / 2, P[0].y() + kBaseBoxDrop + height), kSideWidth, height);
    const double offset = kSlantBoxDistance + kSideWidth / 2.0;
    for (int i : {0, 1}) {
        const QPointF a = P[2], b = P[1 - i]; // side i runs from the apex to corner 1 - i
        const QPointF middle = (a + b) / 2;
        const QPointF outward = Along(QPointF(0, 0), QPointF(a.y() - b.y(), b.x() - a.x()) * (i == 0 ? 1 : -1), offset);
        side[i] = Centred(middle + outward, kSideWidth, height);
    }
    return side;
}

// The angle boxes, `height` high, each inside its corner with room for a
// degree mark `mark` wide at its upper right.
std::array<QRect, 3> AngleBoxes(int height, int mark)
{
    const auto& P = kCorner;
    const auto x = [](QPointF p) { return static_cast<int>(p.x()); };
    const auto y = [](QPointF p) { return static_cast<int>(p.y()); };
    return {
        QRect(x(P[0]) - kCornerBoxInset - mark - kAngleWidth, y(P[0]) - kCornerBoxLift - height, kAngleWidth, height),
        QRect(x(P[1]) + kCornerBoxInset, y(P[1]) - kCornerBoxLift - height, kAngleWidth, height),
        QRect(x(P[2]) - (kAngleWidth + mark) / 2, y(P[2]) + kApexBoxDrop, kAngleWidth, height),
    };
}

// The triangle's sides, an arc-like mark across each corner, and two strokes
// from each side box to the ends of its side.
void DrawStrokes(QWidget* figure, const std::array<QRect, 3>& side)
{
    const auto& P = kCorner;
    LineControl::Between(figure, QStringLiteral("Line1"), P[2], P[1]);
    LineControl::Between(figure, QStringLiteral("Line2"), P[2], P[0]);
    LineControl::Between(figure, QStringLiteral("Line3"), P[1], P[0]);
    for (int i = 0; i < 3; ++i) {
        const QPointF corner = P[i];
        LineControl::Between(figure, QStringLiteral("Line%1").arg(4 + i), Along(corner, P[(i + 1) % 3], kMarkLength),
            Along(corner, P[(i + 2) % 3], kMarkLength));
    }
    for (int i = 0; i < 3; ++i) {
        // Side i joins the two corners other than i.
        LineControl::Between(
            figure, QStringLiteral("Line%1").arg(7 + 2 * i), P[(i + 1) % 3], Toward(P[(i + 1) % 3], side[i]));
        LineControl::Between(
            figure, QStringLiteral("Line%1").arg(8 + 2 * i), P[(i + 2) % 3], Toward(P[(i + 2) % 3], side[i]));
    }
}

} // namespace

frmSankaku::frmSankaku()
    : CalculatorScreen(QStringLiteral("三角形の面積－Kalvora"), {"Command1", "cmdShokika", "cmdKeisan"})
{
    QLabel* Label1 = MakeText(
        this, QStringLiteral("Label1"), QStringLiteral("わかっている辺の長さ、角度（度数法）を入力してください"));
    QLabel* Label2
        = MakeText(this, QStringLiteral("Label2"), QStringLiteral("わからないところは空白にしておいてください"));
    QLabel* Label7 = MakeText(this, QStringLiteral("Label7"), QStringLiteral("最低３カ所は入力してください"));
    QWidget* figure = MakeFigure();
    QLabel* Label6 = MakeText(this, QStringLiteral("Label6"), QStringLiteral("面積＝"));
    ScaleFont(Label6, 1.4, true);
    lblAnswer = MakeResult(this, QStringLiteral("lblAnswer"), QStringLiteral("面積"), 20);
    ScaleFont(lblAnswer, 1.4, true);
    lblAnswer->setMinimumHeight(lblAnswer->fontMetrics().height() + 8);

    auto* body = new QVBoxLayout;
    body->setSpacing(4);
    for (QLabel* label : {Label1, Label2, Label7})
        body->addWidget(label);
    body->addWidget(figure, 0, Qt::AlignHCenter);
    auto* area = new QHBoxLayout;
    area->setSpacing(8);
    area->addStretch(1);
    area->addWidget(Label6);
    area->addWidget(lblAnswer, 2);
    body->addLayout(area);
    SetBody(body);

    SetTabOrder(
        {txtH[0], txtH[1], txtH[2], txtK[2], txtK[1], txtK[0], cmdBack, cmdReset, cmdCalculate, chkExact, cmdSteps});
    txtH[0]->setFocus();
    OnCalculate(&frmSankaku::cmdKeisan_Click);
}

// The triangle with its six boxes: each angle box inside its corner with a
// degree mark, each side box outside its side, facing the corner of the angle
// with the same index, and joined to the side's two end corners by strokes.
QWidget* frmSankaku::MakeFigure()
{
    auto* figure = new QWidget(this);
    figure->setObjectName(QStringLiteral("figure"));
    figure->setAccessibleName(QStringLiteral("三角形の図"));
    figure->setFixedSize(kFigureWidth, kFigureHeight);

    // Each box is named by its place on the figure and by the element facing
    // it, since the rules pair every side with the angle across from it.
    static const std::array<const char*, 3> sideNames{"左の辺の長さ（右下の角と向かい合う辺）",
        "右の辺の長さ（左下の角と向かい合う辺）", "底辺の長さ（上の角と向かい合う辺）"};
    static const std::array<const char*, 3> angleNames{"右下の角の大きさ（度。左の辺と向かい合う角）",
        "左下の角の大きさ（度。右の辺と向かい合う角）", "上の角の大きさ（度。底辺と向かい合う角）"};
    for (int i = 0; i < 3; ++i) {
        txtH[i] = MakeBox(figure, Indexed("txtH", i), QString::fromUtf8(sideNames[i]), 8);
        txtK[i] = MakeBox(figure, Indexed("txtK", i), QString::fromUtf8(angleNames[i]), 5);
    }
    const int h = txtH[0]->sizeHint().height();
    const int mark = fontMetrics().horizontalAdvance(QStringLiteral("。"));
    const std::array<QRect, 3> side = SideBoxes(h);
    const std::array<QRect, 3> angle = AngleBoxes(h, mark);

    // Lines first, so that they lie under the boxes.
    DrawStrokes(figure, side);
    for (int i = 0; i < 3; ++i) {
        txtH[i]->setGeometry(side[i]);
        txtK[i]->setGeometry(angle[i]);
        txtH[i]->raise();
        txtK[i]->raise();
    }
    // The switch to exact forms in the figure's free lower left corner, just
    // above the area it changes.
    QCheckBox* exact = MakeExactSwitch();
    exact->setParent(figure);
    exact->adjustSize();
    exact->move(0, kFigureHeight - exact->height());
    // 「途中式」 in the lower right corner, level with the switch.
    QPushButton* steps = MakeStepsButton();
    steps->setParent(figure);
    steps->adjustSize();
    steps->move(kFigureWidth - steps->width(), kFigureHeight - steps->height());

    // Degree marks: Label3 by angle 2, Label4 by angle 1, Label5 by angle 0.
    for (int i = 0; i < 3; ++i) {
        QLabel* degree = MakeText(figure, QStringLiteral("Label%1").arg(5 - i), QStringLiteral("。"));
        degree->adjustSize();
        degree->move(angle[i].right() + 1, angle[i].top() - degree->height() / 3);
    }
    return figure;
}

void frmSankaku::Init()
{
    SetResult(lblAnswer, {});
    for (QLineEdit* box : txtH)
        box->clear();
    for (QLineEdit* box : txtK)
        box->clear();
}

void frmSankaku::cmdKeisan_Click()
{
    const auto texts = [](const std::array<QLineEdit*, 3>& boxes) {
        return std::array<std::string, 3>{TextOf(boxes[0]), TextOf(boxes[1]), TextOf(boxes[2])};
    };
    const std::array<std::string, 3> sides = texts(txtH);
    const std::array<std::string, 3> angles = texts(txtK);
    const auto outcome = Sankaku(sides, angles);
    const double* Menseki = Accept(outcome);
    if (!Menseki)
        return;
    const std::string text = FormatFixed(*Menseki, "0.00");
    SetResult(lblAnswer, text);
    OfferExact([sides, angles] { return Exact::TriangleArea(sides, angles); },
        [this, text](const ExactText& area) { SetExactResult(lblAnswer, area, text); });
    OfferSteps([sides, angles] { return Exact::TriangleSteps(sides, angles); });
}
