# SPDX-License-Identifier: MIT
"""Reads Kalvora's accessibility tree from outside, as a screen reader does.

Started by atspi_results.sh inside a private X server and session bus with the
program already running. It opens calculators through the tree itself (the
buttons' actions, the boxes' editable text), calculates, and checks that every
shown value is on its result's accessible object, that an emptied result says
so, that windows are frames named by their titles, and that nothing unnamed
is announced.
"""

import sys
import time

import pyatspi

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def walk(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def application():
    for _ in range(100):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Kalvora":
                return app
        time.sleep(0.1)
    sys.exit("Kalvora never appeared on the accessibility bus")


def window(app, title):
    for _ in range(100):
        for i in range(app.childCount):
            top = app.getChildAtIndex(i)
            if top is not None and top.name == title and top.getState().contains(pyatspi.STATE_SHOWING):
                return top
        time.sleep(0.1)
    sys.exit("no window " + title)


def find(top, role, name):
    for acc in walk(top):
        if acc.getRoleName() == role and acc.name == name:
            return acc
    sys.exit("no %s %r in %s" % (role, name, top.name))


def press(top, name):
    find(top, "push button", name).queryAction().doAction(0)
    time.sleep(0.3)


def type_into(top, name, text):
    find(top, "text", name).queryEditableText().setTextContents(text)


def shown(label):
    text = label.queryText()
    return text.getText(0, text.characterCount)


def check_tree(top):
    """Windows are frames with their title; no showing object is unnamed."""
    check(top.getRoleName() == "frame", "%s is a %s, not a frame" % (top.name, top.getRoleName()))
    for acc in walk(top):
        if acc.getState().contains(pyatspi.STATE_SHOWING) and not acc.name:
            failures.append("unnamed %s in %s" % (acc.getRoleName(), top.name))


def check_results(top, expected):
    """Each result's text and description carry the value it shows."""
    for name, value in expected.items():
        label = find(top, "label", name)
        check(shown(label) == value, "%s reads %r, shows %r" % (name, shown(label), value))
        check(label.description == (value or "空欄"), "%s described as %r" % (name, label.description))


def main():
    app = application()
    menu = window(app, "Kalvora")
    check_tree(menu)

    # x² − x − 1 = 0: the golden ratio and its conjugate.
    press(menu, "２次方程式")
    quadratic = window(app, "２次方程式－Kalvora")
    check_tree(quadratic)
    for name, text in (("x² の係数の実部", "1"), ("x の係数の実部", "-1"), ("定数項の実部", "-1")):
        type_into(quadratic, name, text)
    press(quadratic, "計算！")
    results = {"解1 の実部": "1.618", "解1 の虚部": "0.000", "解2 の実部": "-0.618", "解2 の虚部": "0.000"}
    check_results(quadratic, results)
    # The worked steps: a window of their own, its text read whole.
    press(quadratic, "途中式")
    steps = window(app, "途中式（２次方程式）－Kalvora")
    check_tree(steps)
    view = find(steps, "text", "途中式")
    check(shown(view).strip() != "", "the steps read as nothing")
    check(view.description == shown(view), "the steps' description is not their text")
    press(steps, "閉じる")
    press(quadratic, "初期化")
    check_results(quadratic, {name: "" for name in results})
    press(quadratic, "戻る")

    # The inverse of a 2 × 2 matrix.
    menu = window(app, "Kalvora")
    press(menu, "逆行列")
    inverse = window(app, "逆行列－Kalvora")
    check_tree(inverse)
    for name, text in (("1行1列", "4"), ("1行2列", "7"), ("2行1列", "2"), ("2行2列", "6")):
        type_into(inverse, name, text)
    press(inverse, "計算！")
    check_results(
        inverse,
        {"逆行列 1行1列": "0.600", "逆行列 1行2列": "-0.700", "逆行列 2行1列": "-0.200", "逆行列 2行2列": "0.400"},
    )
    press(inverse, "戻る")

    # The triangle's boxes say where they are on the figure.
    menu = window(app, "Kalvora")
    press(menu, "三角形の面積")
    triangle = window(app, "三角形の面積－Kalvora")
    check_tree(triangle)
    for name, text in (("左の辺の長さ（右下の角と向かい合う辺）", "3"), ("右の辺の長さ（左下の角と向かい合う辺）", "4"),
                       ("底辺の長さ（上の角と向かい合う辺）", "5")):
        type_into(triangle, name, text)
    press(triangle, "計算！")
    check_results(triangle, {"面積": "6.00"})

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("every result readable, nothing unnamed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
