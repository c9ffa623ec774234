// SPDX-License-Identifier: MIT
// The triangle screen, driven through the menu.

#include "driver.h"
#include "line_control.h"
#include "message_box.h"
#include "random_triangles.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Driver;

namespace {

const QString kTriangle = QStringLiteral("frmSankaku");
const QStringList kBoxes{"txtH_0", "txtH_1", "txtH_2", "txtK_0", "txtK_1", "txtK_2"};
const QString kNoTriangle = QStringLiteral("この値では三角形になりません");

// Fills the six boxes (sides 0..2, angles 0..2) and presses "計算！".
std::optional<Message> Calculate(const QStringList& texts)
{
    TypeAll(kTriangle, kBoxes, texts);
    return ClickForMessage(kTriangle, QStringLiteral("cmdKeisan"));
}

QString Answer()
{
    return Text(kTriangle, QStringLiteral("lblAnswer"));
}

// A control's rectangle in the coordinates of the drawn figure.
QRectF InFigure(const QString& name)
{
    QWidget* control = Control(kTriangle, name);
    return QRectF(control->geometry());
}

// The ends of a drawn line, in the figure's coordinates, to within the
// couple of pixels the line keeps clear of its rectangle's edges.
std::pair<QPointF, QPointF> Ends(const QString& name)
{
    auto* line = Control<LineControl>(kTriangle, name);
    const QRectF r = InFigure(name);
    const auto at = [&](QPointF f) { return r.topLeft() + QPointF(f.x() * r.width(), f.y() * r.height()); };
    return {at(line->from()), at(line->to())};
}

// Which side of the line through a and b the point p lies on.
double SideOf(QPointF a, QPointF b, QPointF p)
{
    return (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
}

} // namespace

class TestTriangleScreen : public QObject {
    Q_OBJECT

private slots:
    void init() { OpenFromMenu(QStringLiteral("cmdMenseki")); }
    void cleanupTestCase() { CloseAll(); }

    void startState();
    void figure();
    void rules_data();
    void rules();
    void refusals_data();
    void refusals();
    void randomTriangles();
};

void TestTriangleScreen::startState()
{
    QCOMPARE(OpenWindows(), QStringList{kTriangle});
    QCOMPARE(Window(kTriangle)->windowTitle(), QStringLiteral("三角形の面積－Kalvora"));
    QCOMPARE(Control(kTriangle, QStringLiteral("lblAnswer"))->accessibleName(), QStringLiteral("面積"));
    QCOMPARE(FocusedName(), QStringLiteral("txtH_0"));

    const QStringList order{
        "txtH_0", "txtH_1", "txtH_2", "txtK_2", "txtK_1", "txtK_0", "Command1", "cmdShokika", "cmdKeisan"};
    QCOMPARE(TabOrder(kTriangle, order.first(), order.size()), order);
}

// The triangle stands on its base; each angle box lies inside its corner, each
// side box outside its side, across from the corner of the same index.
void TestTriangleScreen::figure()
{
    for (int i = 1; i <= 12; ++i)
        QVERIFY(Control<LineControl>(kTriangle, QStringLiteral("Line%1").arg(i)));
    const auto [apex, left] = Ends("Line1");
    const auto [apex2, right] = Ends("Line2");
    const auto [left2, right2] = Ends("Line3");
    const auto meet = [](QPointF p, QPointF q) { return (p - q).manhattanLength() < 5; };
    QVERIFY(meet(apex, apex2) && meet(left, left2) && meet(right, right2));
    QVERIFY(apex.y() < left.y() && std::abs(left.y() - right.y()) < 1 && left.x() < right.x());

    const std::array<QPointF, 3> corner{right, left, apex};
    for (int i = 0; i < 3; ++i) {
        const QPointF a = corner[(i + 1) % 3], b = corner[(i + 2) % 3];
        const double inside = SideOf(a, b, corner[i]);
        const QRectF angleBox = InFigure(QStringLiteral("txtK_%1").arg(i));
        const QRectF sideBox = InFigure(QStringLiteral("txtH_%1").arg(i));
        for (const QPointF p :
            {angleBox.topLeft(), angleBox.topRight(), angleBox.bottomLeft(), angleBox.bottomRight()}) {
            for (int j = 0; j < 3; ++j) // inside all three sides
                QVERIFY(SideOf(corner[(j + 1) % 3], corner[(j + 2) % 3], p)
                        * SideOf(corner[(j + 1) % 3], corner[(j + 2) % 3], corner[j])
                    > 0);
        }
        for (const QPointF p : {sideBox.topLeft(), sideBox.topRight(), sideBox.bottomLeft(), sideBox.bottomRight()})
            QVERIFY(SideOf(a, b, p) * inside < 0);
        // The nearest corner of the angle box's is its own.
        QPointF nearest = corner[0];
        for (const QPointF c : corner)
            if (QLineF(c, angleBox.center()).length() < QLineF(nearest, angleBox.center()).length())
                nearest = c;
        QCOMPARE(nearest, corner[i]);
    }
    // Degree marks at the right of their boxes.
    const QStringList marks{"Label5", "Label4", "Label3"}; // by angles 0, 1, 2
    for (int i = 0; i < 3; ++i)
        QVERIFY(InFigure(marks[i]).left() >= InFigure(QStringLiteral("txtK_%1").arg(i)).right() - 1);
    // No box or mark overlaps another.
    QStringList parts = kBoxes + marks;
    for (int i = 0; i < parts.size(); ++i)
        for (int j = i + 1; j < parts.size(); ++j)
            QVERIFY2(!InFigure(parts[i]).intersects(InFigure(parts[j])), qPrintable(parts[i] + " " + parts[j]));
}

void TestTriangleScreen::rules_data()
{
    QTest::addColumn<QStringList>("texts"); // H0 H1 H2 K0 K1 K2
    QTest::addColumn<QString>("area");

    QTest::newRow("1 three sides") << QStringList{"3", "4", "5"} << "6.00";
    QTest::newRow("1 ignores the angles") << QStringList{"3", "4", "5", "10", "20", "30"} << "6.00";
    QTest::newRow("2 right angle") << QStringList{"3", "4", "", "", "", "90"} << "6.00";
    QTest::newRow("2") << QStringList{"5", "7", "", "", "", "30"} << "8.75";
    QTest::newRow("2 before 5") << QStringList{"5", "7", "", "40", "", "30"} << "8.75";
    QTest::newRow("3") << QStringList{"", "6", "8", "45"} << "16.97";
    QTest::newRow("4") << QStringList{"9", "", "4", "", "120"} << "15.59";
    QTest::newRow("5 angle 0") << QStringList{"2", "3", "", "30"} << "2.94";
    QTest::newRow("5 angle 1") << QStringList{"4", "3", "", "", "40"} << "5.93";
    QTest::newRow("6 angle 1") << QStringList{"", "5", "4", "", "70"} << "8.77";
    QTest::newRow("6 angle 2") << QStringList{"", "5", "6", "", "", "35"} << "13.43";
    QTest::newRow("7 angle 2") << QStringList{"5", "", "7", "", "", "60"} << "17.32";
    QTest::newRow("7 angle 0") << QStringList{"6", "", "4", "25"} << "7.93";
    QTest::newRow("5 without angle, then 8") << QStringList{"3", "4", "", "", "", "0"} << "0.00";
    QTest::newRow("8 side 0") << QStringList{"10", "", "", "50", "70"} << "53.12";
    QTest::newRow("8 side 0, 60 60") << QStringList{"10", "", "", "60", "60"} << "43.30";
    QTest::newRow("8 side 1") << QStringList{"", "10", "", "50", "70"} << "35.30";
    QTest::newRow("8 side 2") << QStringList{"", "", "10", "50", "70"} << "41.56";
    QTest::newRow("8 side 2, 60 60") << QStringList{"", "", "10", "60", "60"} << "43.30";
    QTest::newRow("8 side 2, 90 90") << QStringList{"", "", "1", "90", "90"} << "5568351358.49";
    QTest::newRow("8 all angles") << QStringList{"", "10", "", "50", "70", "60"} << "35.30";
    QTest::newRow("8 no known side") << QStringList{"0", "", "", "50", "70"} << "0.00";
    QTest::newRow("9 side 0") << QStringList{"10", "", "", "", "50", "70"} << "41.56";
    QTest::newRow("9 side 1") << QStringList{"", "10", "", "", "50", "70"} << "53.12";
    QTest::newRow("9 side 2") << QStringList{"", "", "10", "", "50", "70"} << "35.30";
    QTest::newRow("9 no known side") << QStringList{"", "", "abc", "", "50", "70"} << "0.00";
    QTest::newRow("10 side 0") << QStringList{"10", "", "", "50", "", "70"} << "53.12";
    QTest::newRow("10 side 1") << QStringList{"", "10", "", "50", "", "70"} << "41.56";
    QTest::newRow("10 side 2") << QStringList{"", "", "10", "50", "", "70"} << "35.30";
    QTest::newRow("10 no known side") << QStringList{"", " ", "", "50", "", "70"} << "0.00";
    QTest::newRow("11 spaces only") << QStringList{"3", "4", "", "", "", "  "} << "0.00";
    QTest::newRow("negative result") << QStringList{"5", "7", "", "", "", "330"} << "-8.75";
    QTest::newRow("full-width") << QStringList{"３", "４", "５"} << "6.00";
}

void TestTriangleScreen::rules()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, area);
    QCOMPARE(Calculate(texts), std::nullopt);
    QCOMPARE(Answer(), area);
}

void TestTriangleScreen::refusals_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("message");

    QTest::newRow("no side") << QStringList{"", "", "", "60", "60", "60"} << "辺の長さが一つ以上必要です";
    QTest::newRow("nothing at all") << QStringList{} << "辺の長さが一つ以上必要です";
    QTest::newRow("one side one angle") << QStringList{"5", "", "", "", "", "60"} << "入力項目が足りません";
    QTest::newRow("two sides") << QStringList{"5", "6"} << "入力項目が足りません";
    QTest::newRow("inequality") << QStringList{"1", "2", "10"} << kNoTriangle;
    QTest::newRow("number beyond range") << QStringList{"1e400", "3", "4"} << FaultMessage();
    QTest::newRow("area beyond range") << QStringList{"1e200", "1e200", "1e200"} << FaultMessage();
}

void TestTriangleScreen::refusals()
{
    QFETCH(QStringList, texts);
    QFETCH(QString, message);

    QCOMPARE(Calculate({"3", "4", "5"}), std::nullopt);
    QCOMPARE(Answer(), QStringLiteral("6.00"));
    KALVORA_EXPECT_MESSAGE(Calculate(texts), message);
    QCOMPARE(Answer(), QStringLiteral("6.00"));
    for (int i = 0; i < kBoxes.size(); ++i)
        QCOMPARE(Text(kTriangle, kBoxes[i]), texts.value(i));
    QCOMPARE(OpenWindows(), QStringList{kTriangle});
}

// A few random triangles, each typed in by every set of known elements that
// fixes it: the shown area is the triangle's own, to the last decimal shown.
void TestTriangleScreen::randomTriangles()
{
    std::mt19937 random(7331);
    for (int round = 0; round < 8; ++round) {
        const auto t = RandomTriangles::Make(random);
        for (unsigned set : RandomTriangles::SufficientSets(t)) {
            const QStringList texts = RandomTriangles::Texts(t, set, 12);
            QCOMPARE(Calculate(texts), std::nullopt);
            const double shown = Answer().toDouble();
            QVERIFY2(
                std::abs(shown - t.area) <= 0.005 + 1e-6L * t.area, qPrintable(texts.join('|') + " -> " + Answer()));
        }
    }
}

QTEST_MAIN(TestTriangleScreen)
#include "tst_triangle_screen.moc"
