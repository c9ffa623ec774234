// SPDX-License-Identifier: MIT
#pragma once

#include "outcome.h"

#include "exact_steps.h"

#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QKeyEvent;
class QLayout;
class QLineEdit;
class StepsWindow;

// The shape every calculator shares: its own controls above a row of three
// buttons, back "戻る", reset "初期化" and calculate "計算！" from left to
// right. Loading and reset run Init; back asks whoever opened the screen for
// the menu (BackRequested); calculate runs the screen's handler, and an
// arithmetic fault in it becomes a message with every label left as it was.
class CalculatorScreen : public QWidget {
    Q_OBJECT

public:
    ~CalculatorScreen() override;

    // Runs before the screen is first drawn.
    void Form_Load();

    // Puts every result of the screen on the clipboard as one plain text that
    // reads well in a document, a chat or a spreadsheet; nothing when the
    // screen shows no result. Ctrl+C does this wherever no text is selected,
    // and so does a result's menu, which finds it by name.
    Q_INVOKABLE void CopyResults() const;

    // Whether exact work of the screen is on a worker thread or waiting for
    // one, wanted or already dropped. Tests and the screenshot tool wait
    // for it to end.
    Q_INVOKABLE bool ExactWorking() const;

signals:
    // 「戻る」 was pressed: whoever opened the screen shows the menu and
    // unloads it.
    void BackRequested();

protected:
    struct ButtonNames {
        const char* back;
        const char* reset;
        const char* calculate;
    };

    CalculatorScreen(const QString& caption, ButtonNames names);

    // Empties the input boxes and result labels (and whatever else the screen
    // puts into its start state).
    virtual void Init() = 0;

    // Every result as plain text, empty when there is none. A screen with one
    // result gives its text; screens with several lay them out.
    virtual QString ResultsText() const;

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Puts the screen's own controls above the button row.
    void SetBody(QLayout* body);

    // Connects the calculate button to the screen's handler.
    template<class Screen> void OnCalculate(void (Screen::*handler)())
    {
        connect(cmdCalculate, &QPushButton::clicked, this,
            [this, handler] { Guarded([this, handler] { (static_cast<Screen*>(this)->*handler)(); }); });
    }

    // The value of an input box, read with ParseNumber.
    static double Read(const QLineEdit* box);

    // Shows a refused input: the message box, then the keyboard focus moved to
    // the input the rejection names, if any; `inputs` are the calculation's
    // inputs in its own numbering.
    void Reject(const Rejection& rejection, std::initializer_list<QWidget*> inputs = {});

    // The switch between the decimal view (the default) and the exact view,
    // 「分数・√で表示」, for screens whose results have exact forms; the
    // screen places it near its results and last in its keyboard order. It
    // starts unchecked and keeps its state through 初期化.
    QCheckBox* MakeExactSwitch();

    // Called after the decimal results are shown. `compute` works out the
    // results' exact forms and returns them as plain values; `apply` gives
    // them to the labels (SetExactResult). Exact arithmetic can take long, so
    // `compute` runs on a worker thread, while the window keeps answering:
    // it must hold only copies of texts and numbers, never a widget. `apply`
    // runs on the window's thread when it is done. The work starts now when
    // the exact view is on, or when the view is first switched on for these
    // results; until its forms arrive every label keeps its decimal text. A
    // new calculation, Init or closing the window drops it: its forms never
    // reach a label. One piece of work of a screen runs at a time; a newer
    // one waits for it, and only the newest is kept waiting.
    template<class Compute, class Apply> void OfferExact(Compute compute, Apply apply)
    {
        using Found = std::invoke_result_t<Compute&>;
        auto found = std::make_shared<std::optional<Found>>();
        Offer(ExactWork{[compute = std::move(compute), found] { found->emplace(compute()); },
            [apply = std::move(apply), found] { apply(std::as_const(**found)); }});
    }

    // 「途中式」, for screens that show the working of their calculation: the
    // screen places it near its results, last in its keyboard order. It is
    // enabled only while the screen offers steps.
    QPushButton* MakeStepsButton();

    // Called after the results of a calculation are shown: `compute` works
    // out its steps from copies of the boxes' texts, never a widget. It runs
    // when the steps window opens, or at once when it is already open, which
    // then shows the new steps. Each press of 計算！ first withdraws the
    // previous offer; a calculation that makes none (a message) closes the
    // window, and so do 初期化 and leaving the screen.
    void OfferSteps(std::function<WorkedSteps()> compute);

    // Keeps a control that is in no layout at the rectangle `where` gives,
    // worked out again whenever one of the controls `by` moves or changes
    // size: it takes room that no control uses, so that nothing moves for it.
    void PlaceOver(QWidget* control, std::function<QRect()> where, const std::vector<QWidget*>& by);

    // Starts the screen afresh: drops the results' exact forms, runs Init.
    void Restart();

    // The result of an outcome, or null after showing its rejection.
    template<class T> const T* Accept(const Outcome<T>& outcome, std::initializer_list<QWidget*> inputs = {})
    {
        if (const auto* rejection = std::get_if<Rejection>(&outcome)) {
            Reject(*rejection, inputs);
            return nullptr;
        }
        return &std::get<T>(outcome);
    }

    QPushButton* cmdBack;
    QPushButton* cmdReset;
    QPushButton* cmdCalculate;
    QCheckBox* chkExact = nullptr;
    QPushButton* cmdSteps = nullptr;

private:
    // One offer of exact work: what runs on the worker, and what then runs on
    // the window's thread.
    struct ExactWork {
        std::function<void()> compute;
        std::function<void()> apply;
    };
    // One piece of exact work as the worker thread sees it.
    struct ExactJob;

    // Runs on the worker thread.
    static void Work(ExactJob& job);
    void Offer(ExactWork work);
    void StartExact();
    void DropExact();
    void ShowExact(bool on);

    void Guarded(const std::function<void()>& handler);

    void ShowSteps();
    void WithdrawSteps();

    // The steps of the last calculation that showed results, not yet worked
    // out; empty when there is none.
    std::function<WorkedSteps()> offeredSteps;
    QPointer<StepsWindow> stepsWindow;
    // Whether the window holds the steps now on offer.
    bool stepsCurrent = false;
    // The controls placed over the screen's free room: each one's placing,
    // and the controls whose moves call for it.
    struct Placement {
        std::function<void()> place;
        QList<QObject*> by;
    };
    std::vector<Placement> placements;

    QBoxLayout* root;
    // Offered and not yet started: waiting for the switch, or for the
    // screen's running work to end.
    std::optional<ExactWork> offeredExact;
    // The screen's work on a worker thread, if any.
    std::shared_ptr<ExactJob> runningExact;
    // Counts every offer and reset: work finds its forms still wanted only
    // if nothing newer came since it was offered.
    std::uint64_t exactGeneration = 0;
};
