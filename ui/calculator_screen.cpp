// SPDX-License-Identifier: MIT
#include "calculator_screen.h"

#include "conversions.h"
#include "exact_library.h"
#include "message_box.h"
#include "result_label.h"
#include "steps_window.h"
#include "widgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPromise>
#include <QPushButton>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

// One piece of exact work as the worker sees it: plain C++, no Qt object.
struct CalculatorScreen::ExactJob {
    explicit ExactJob(std::function<void()> work)
        : compute(std::move(work))
    {
    }
    std::function<void()> compute;
    // Set on the window's thread when nobody wants the forms any more: the
    // worker then skips the work if it has not begun. Work already begun
    // cannot be stopped; its forms are dropped when they arrive.
    std::atomic<bool> dropped{false};
    // Set by the worker when compute ended without an exception; read on the
    // window's thread only after the work's future has finished.
    bool done = false;
};

namespace {

// The threads exact work runs on: a pool of the kit's own, so that the
// program's end need not wait for Qt's global pool, which waits for every
// thread however long its work takes.
QThreadPool* workers = nullptr;
// A pool whose work was still running when the program ended: kept, never
// deleted, so that its threads can finish with nothing taken from under them.
QThreadPool* leftRunning = nullptr;
// Set when the program ends: work that has not begun gives up.
std::atomic<bool> ending{false};

// How long the program's end waits for exact work still running. The exact
// calculations keep far below this; it guards against one that does not.
constexpr int kEndWaitMs = 2000;

void EndWork()
{
    if (!workers)
        return;
    ending = true;
    workers->clear();
    if (workers->waitForDone(kEndWaitMs)) {
        delete workers;
    } else {
        // Its threads are left to end with the process; one that finishes
        // its work waits for more, touching nothing, instead of ending.
        workers->setExpiryTimeout(-1);
        leftRunning = workers;
    }
    workers = nullptr;
}

QThreadPool* Workers()
{
    if (!workers) {
        workers = new QThreadPool;
        // Work of one screen runs one at a time, but a screen closed while
        // its work runs leaves it running: room for that beside the open one.
        workers->setMaxThreadCount(std::max(4, QThread::idealThreadCount()));
        ending = false;
        qAddPostRoutine(EndWork);
    }
    return workers;
}

// The tests' delay, which makes the work as slow as a hard input: like real
// work, it goes on when the work is dropped; only the program's end cuts it
// short. False when the program is ending.
bool SlowDownForTests()
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + Exact::WorkDelayForTests();
    while (Clock::now() < end && !ending)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return !ending;
}

// The steps, or none when working them out failed: the window then says it
// cannot show them.
WorkedSteps StepsOf(const std::function<WorkedSteps()>& compute)
{
    try {
        return compute();
    } catch (...) {
        return {};
    }
}

} // namespace

void CalculatorScreen::Work(ExactJob& job)
{
    if (job.dropped || ending || !SlowDownForTests())
        return;
    try {
        job.compute();
        job.done = true;
    } catch (...) {
        // The forms stay unknown: the labels keep their decimal text.
    }
    Exact::ReleaseThreadCaches();
}

CalculatorScreen::CalculatorScreen(const QString& caption, ButtonNames names)
{
    setWindowTitle(caption);
    cmdBack = MakeButton(this, QLatin1String(names.back), QStringLiteral("戻る"));
    cmdReset = MakeButton(this, QLatin1String(names.reset), QStringLiteral("初期化"));
    cmdCalculate = MakeButton(this, QLatin1String(names.calculate), QStringLiteral("計算！"));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    for (QPushButton* button : {cmdBack, cmdReset, cmdCalculate}) {
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("初期化")) * 2);
        buttons->addWidget(button, 1);
    }

    root = new QVBoxLayout(this);
    root->setContentsMargins(16, 12, 16, 12);
    root->setSpacing(12);
    root->addLayout(buttons);
    // The window keeps the size its contents ask for, like a printed form.
    root->setSizeConstraint(QLayout::SetFixedSize);

    // The steps window goes before the menu comes back.
    connect(cmdBack, &QPushButton::clicked, this, &CalculatorScreen::WithdrawSteps);
    connect(cmdBack, &QPushButton::clicked, this, &CalculatorScreen::BackRequested);
    connect(cmdReset, &QPushButton::clicked, this, &CalculatorScreen::Restart);
}

CalculatorScreen::~CalculatorScreen()
{
    // Its watcher goes with the screen, so no form comes back; the worker
    // skips the work if it has not begun.
    if (runningExact)
        runningExact->dropped = true;
    delete stepsWindow.data();
}

void CalculatorScreen::Form_Load()
{
    // Ctrl+C in a box with nothing selected copies the results; a box keeps
    // copying its own selection.
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    Restart();
}

void CalculatorScreen::Restart()
{
    DropExact();
    WithdrawSteps();
    Init();
}

QPushButton* CalculatorScreen::MakeStepsButton()
{
    cmdSteps = MakeButton(this, QStringLiteral("cmdSteps"), QStringLiteral("途中式"));
    cmdSteps->setEnabled(false);
    connect(cmdSteps, &QPushButton::clicked, this, &CalculatorScreen::ShowSteps);
    return cmdSteps;
}

void CalculatorScreen::OfferSteps(std::function<WorkedSteps()> compute)
{
    if (!cmdSteps)
        return;
    offeredSteps = std::move(compute);
    cmdSteps->setEnabled(true);
    // An open window follows at once; a closed one works them out when it
    // opens again.
    stepsCurrent = stepsWindow && stepsWindow->isVisible();
    if (stepsCurrent)
        stepsWindow->SetSteps(StepsOf(offeredSteps));
}

void CalculatorScreen::PlaceOver(QWidget* control, std::function<QRect()> where, const std::vector<QWidget*>& by)
{
    Placement placement{[control, where = std::move(where)] { control->setGeometry(where()); }, {}};
    for (QWidget* widget : by) {
        placement.by.append(widget);
        widget->installEventFilter(this);
    }
    placements.push_back(std::move(placement));
    control->raise();
}

void CalculatorScreen::WithdrawSteps()
{
    offeredSteps = nullptr;
    if (cmdSteps)
        cmdSteps->setEnabled(false);
    if (stepsWindow)
        stepsWindow->close();
}

void CalculatorScreen::ShowSteps()
{
    if (!offeredSteps)
        return;
    const bool first = !stepsWindow;
    if (first)
        stepsWindow = new StepsWindow(windowTitle());
    if (!stepsCurrent) {
        stepsWindow->SetSteps(StepsOf(offeredSteps));
        stepsCurrent = true;
    }
    if (first)
        stepsWindow->resize(stepsWindow->sizeHint());
    stepsWindow->show();
    stepsWindow->raise();
    stepsWindow->activateWindow();
}

QCheckBox* CalculatorScreen::MakeExactSwitch()
{
    chkExact = new QCheckBox(QStringLiteral("分数・√で表示"), this);
    chkExact->setObjectName(QStringLiteral("chkExact"));
    connect(chkExact, &QCheckBox::toggled, this, &CalculatorScreen::ShowExact);
    return chkExact;
}

void CalculatorScreen::Offer(ExactWork work)
{
    DropExact();
    offeredExact = std::move(work);
    if (chkExact && chkExact->isChecked())
        StartExact();
}

void CalculatorScreen::DropExact()
{
    ++exactGeneration;
    offeredExact.reset();
    if (runningExact)
        runningExact->dropped = true;
}

void CalculatorScreen::StartExact()
{
    // A newer offer waits for the screen's running work, whose forms are
    // dropped; it starts when that ends.
    if (!offeredExact || runningExact)
        return;
    ExactWork work = std::move(*offeredExact);
    offeredExact.reset();
    auto job = std::make_shared<ExactJob>(std::move(work.compute));
    runningExact = job;

    auto* watcher = new QFutureWatcher<void>(this);
    connect(watcher, &QFutureWatcherBase::finished, this,
        [this, watcher, job, generation = exactGeneration, apply = std::move(work.apply)] {
            watcher->deleteLater();
            runningExact.reset();
            // Worked out once per calculation, and shown only if nothing
            // newer came since; a fault in it leaves the results' exact
            // forms unknown, so they keep their decimal text.
            if (job->done && generation == exactGeneration) {
                try {
                    apply();
                } catch (const std::exception&) {
                }
            }
            if (chkExact && chkExact->isChecked())
                StartExact();
        });

    Exact::PrepareLoad();
    auto promise = std::make_shared<QPromise<void>>();
    watcher->setFuture(promise->future());
    promise->start();
    // The worker holds the job and the promise, both free of widgets; the
    // watcher, which dies with the screen, hears when it is finished.
    Workers()->start([job, promise] {
        Work(*job);
        promise->finish();
    });
}

bool CalculatorScreen::ExactWorking() const
{
    return runningExact || (offeredExact && chkExact && chkExact->isChecked());
}

void CalculatorScreen::ShowExact(bool on)
{
    if (on)
        StartExact();
    // Results whose forms are still being worked out keep their decimal
    // text until the forms arrive.
    for (ResultLabel* result : findChildren<ResultLabel*>())
        result->SetExactView(on);
}

QString CalculatorScreen::ResultsText() const
{
    const QList<ResultLabel*> results = findChildren<ResultLabel*>();
    return results.size() == 1 ? results.first()->text() : QString();
}

void CalculatorScreen::CopyResults() const
{
    const QString text = ResultsText();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void CalculatorScreen::keyPressEvent(QKeyEvent* event)
{
    // Reaches the window when the focused control has no use for the keys:
    // a button, a size option, a result with nothing selected.
    if (event->matches(QKeySequence::Copy)) {
        CopyResults();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool CalculatorScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        for (const Placement& placement : placements)
            if (placement.by.contains(watched))
                placement.place();
    if (event->type() == QEvent::KeyPress) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && !box->hasSelectedText()) {
            CopyResults();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorScreen::SetBody(QLayout* body)
{
    root->insertLayout(0, body);
}

double CalculatorScreen::Read(const QLineEdit* box)
{
    return ParseNumber(TextOf(box));
}

void CalculatorScreen::Reject(const Rejection& rejection, std::initializer_list<QWidget*> inputs)
{
    ShowMessage(this, QString::fromStdString(rejection.message));
    if (rejection.focus && *rejection.focus >= 0 && std::size_t(*rejection.focus) < inputs.size())
        inputs.begin()[*rejection.focus]->setFocus(Qt::OtherFocusReason);
}

void CalculatorScreen::Guarded(const std::function<void()>& handler)
{
    // The steps on offer are of the results about to be replaced; an open
    // window waits for the new ones, and closes when none come.
    offeredSteps = nullptr;
    if (cmdSteps)
        cmdSteps->setEnabled(false);
    try {
        handler();
    } catch (const ArithmeticFault&) {
        offeredSteps = nullptr;
        ShowMessage(this, FaultMessage());
    }
    if (!offeredSteps)
        WithdrawSteps();
}
