// SPDX-License-Identifier: MIT
#pragma once

// Random triangles with every set of known elements that fixes them, for
// checking that every rule of the table gives the triangle's own area.

#include <QStringList>

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace RandomTriangles {

struct Triangle {
    std::array<double, 3> side; // side i faces angle i
    std::array<double, 3> angle; // degrees
    long double area;
};

// Angles of at least 5° drawn at random, the sides from the law of sines
// (long double, with the exact π), the area from two sides and the angle
// between them.
inline Triangle Make(std::mt19937& random)
{
    const long double pi = std::acos(-1.0L);
    std::uniform_real_distribution<double> first(5.0, 170.0);
    const double a0 = first(random);
    std::uniform_real_distribution<double> second(5.0, 175.0 - a0);
    const double a1 = second(random);
    const double a2 = 180.0 - a0 - a1;
    std::uniform_real_distribution<double> scale(0.1, 100.0);
    const long double diameter = scale(random); // side / sin(opposite angle)
    Triangle t{};
    t.angle = {a0, a1, a2};
    std::array<long double, 3> exact{};
    for (int i = 0; i < 3; ++i) {
        exact[i] = diameter * std::sin(t.angle[i] * pi / 180);
        t.side[i] = static_cast<double>(exact[i]);
    }
    t.area = 0.5L * exact[1] * exact[2] * std::sin(t.angle[0] * pi / 180);
    return t;
}

// Element e of a triangle: sides for e = 0..2, angles for e = 3..5.
inline double Element(const Triangle& t, int e)
{
    return e < 3 ? t.side[e] : t.angle[e - 3];
}

// The sets of known elements (bit e for element e) that fix a triangle: at
// least three elements, at least one a side. Two sides with an angle that is
// not between them fix it only up to the ambiguous case; the table then takes
// the acute solution, so such sets are kept only where no known side faces
// an obtuse angle. Within a degree of a right angle the arcsine magnifies
// the ten-decimal π's error past any useful tolerance, so those go as well.
inline std::vector<unsigned> SufficientSets(const Triangle& t)
{
    std::vector<unsigned> sets;
    for (unsigned set = 0; set < 64; ++set) {
        const int sides = std::popcount(set & 7u);
        if (std::popcount(set) < 3 || sides == 0)
            continue;
        if (sides == 2) {
            const int third = std::countr_zero(~set & 7u);
            const bool includedAngle = set & (8u << third);
            bool obtuseFacingKnownSide = false;
            for (int i = 0; i < 3; ++i)
                obtuseFacingKnownSide |= i != third && t.angle[i] >= 89.0;
            if (!includedAngle && obtuseFacingKnownSide)
                continue;
        }
        sets.push_back(set);
    }
    return sets;
}

// The text typed for a value: enough digits to give back the same double.
// std::to_chars writes a full stop whatever locale the application set.
inline std::string Text(double value, int digits = 17)
{
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr;
    return {text, end};
}

// What a user types for a set of known elements: the six box texts, sides 0..2
// then angles 0..2, each unknown one blank.
inline QStringList Texts(const Triangle& t, unsigned set, int digits = 17)
{
    QStringList texts;
    for (int e = 0; e < 6; ++e)
        texts << QString::fromStdString(set & (1u << e) ? Text(Element(t, e), digits) : "");
    return texts;
}

} // namespace RandomTriangles
