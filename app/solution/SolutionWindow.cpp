#include "SolutionWindow.h"

#include "Announcement.h"
#include "CoefficientSliders.h"
#include "CoefficientText.h"
#include "Ink.h"
#include "NumberLinePicture.h"
#include "PlainText.h"
#include "PlotWidget.h"
#include "Solution.h"
#include "StepsHtml.h"
#include "StepsView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace {

const QUrl kNumberLine("quadratic:number-line");
constexpr int kNumberLineIndent = 14;
// Keeps the steps' share of the width as the window grows or shrinks (a
// QSplitter gives nearly all new room to the plot); a drag sets a new share.
class SharingSplitter : public QSplitter {
public:
    explicit SharingSplitter(Qt::Orientation orientation)
        : QSplitter(orientation)
    {
        connect(this, &QSplitter::splitterMoved, this, [this] {
            const QList<int> now = sizes();
            if (now.size() == 2 && now[0] + now[1] > 0)
                m_share = double(now[0]) / (now[0] + now[1]);
        });
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QSplitter::resizeEvent(event);
        const QList<int> now = sizes();
        if (now.size() != 2)
            return;
        const int total = now[0] + now[1];
        const int first = int(total * m_share + 0.5);
        setSizes({ first, total - first });
    }

private:
    double m_share = 0.4;
};

// The coefficients as typed, read as Solve reads them; as stored where the
// typed text does not hold in a double.
std::array<double, 3> coefficientsOf(const SolvedEquation& solved)
{
    std::array<double, 3> values {};
    for (std::size_t i = 0; i < 3; ++i)
        values[i] = ReadCoefficient(solved.texts[i], solved.separator).value_or(solved.single[i]);
    return values;
}

} // namespace

SolutionWindow::SolutionWindow(QWidget* owner)
    : QMainWindow(owner, Qt::Window)
    , m_choices(LoadSolutionChoices())
{
    setWindowTitle("Решение и график");
    setObjectName("SolutionWindow");
    m_staleLine = new QLabel("Коэффициенты изменились: нажмите «Решать», чтобы обновить решение.");
    m_staleLine->setObjectName("StaleLine");
    m_staleLine->setWordWrap(true);
    m_staleLine->setVisible(false);

    // The selectors: the method offered for this equation, the sign for any.
    m_methodBox = new QComboBox;
    m_methodBox->setAccessibleName("Способ решения");
    // As wide as the longest name, so that the row stands still as the
    // offered methods change.
    for (int method = 0; method <= int(Method::Linear); ++method)
        m_methodBox->addItem(QString::fromStdString(MethodName(Method(method))));
    m_methodBox->addItem(QString::fromStdString(MethodName(Method::Linear, Relation::Greater)));
    m_longestMethod = m_methodBox->sizeHint().width();
    m_methodBox->clear();
    m_methodBox->setEnabled(false);
    m_relationBox = new QComboBox;
    m_relationBox->setAccessibleName("Знак");
    // In the order of the enumeration: = 0, > 0, ≥ 0, < 0, ≤ 0.
    for (int relation = 0; relation <= int(Relation::LessOrEqual); ++relation)
        m_relationBox->addItem(QString::fromStdString(RelationText(Relation(relation))), relation);
    auto* methodLabel = new QLabel("&Способ решения:");
    methodLabel->setBuddy(m_methodBox);
    auto* relationLabel = new QLabel("&Знак:");
    relationLabel->setBuddy(m_relationBox);
    // One row where the window is wide enough, else one under the other
    // (fitSelectors), never cut off at the right.
    const auto group = [this](QLabel* label, QComboBox* box) {
        label->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
        box->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        auto* pair = new QHBoxLayout;
        pair->setSpacing(6); // its own, not the row's
        pair->addWidget(label);
        pair->addWidget(box);
        m_selectorGroups.push_back(pair);
    };
    group(methodLabel, m_methodBox);
    group(relationLabel, m_relationBox);
    m_selectors = new QWidget;
    m_selectorRow = new QBoxLayout(QBoxLayout::LeftToRight, m_selectors);
    m_selectorRow->setContentsMargins(0, 0, 0, 0);
    for (QHBoxLayout* group : m_selectorGroups) {
        m_selectorRow->addLayout(group);
        m_selectorRow->setAlignment(group, Qt::AlignLeft);
    }
    m_selectorRow->addStretch(1);
    connect(m_methodBox, &QComboBox::currentIndexChanged, this, &SolutionWindow::methodPicked);
    connect(m_relationBox, &QComboBox::currentIndexChanged, this, &SolutionWindow::relationChanged);

    auto* steps = new StepsView;
    steps->repaintPicture = [this] { drawNumberLine(); };
    m_steps = steps;
    m_steps->setReadOnly(true);
    m_steps->setUndoRedoEnabled(false);
    m_steps->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_steps->setAccessibleName("Решение");
    m_steps->setWordWrapMode(QTextOption::WordWrap);
    m_steps->setMinimumHeight(160);
    m_plot = new PlotWidget;

    // a, b and c under the plot, and the line that says their equation is
    // explained, in the place of the stale line.
    m_sliders = new CoefficientSliders;
    m_sliders->setEnabled(false);
    auto* plotSide = new QWidget;
    auto* plotColumn = new QVBoxLayout(plotSide);
    plotColumn->setContentsMargins(0, 0, 0, 0);
    plotColumn->addWidget(m_plot, 1);
    plotColumn->addWidget(m_sliders);
    m_functionSoon = new QTimer(this);
    m_functionSoon->setSingleShot(true);
    m_functionSoon->setInterval(150);
    connect(m_functionSoon, &QTimer::timeout, this, [this] {
        if (m_shown)
            showSteps(true, true);
    });
    m_exploreSoon = new QTimer(this);
    m_exploreSoon->setSingleShot(true);
    m_exploreSoon->setInterval(0);
    connect(m_exploreSoon, &QTimer::timeout, this, &SolutionWindow::explore);
    connect(m_sliders, &CoefficientSliders::moved, m_exploreSoon, qOverload<>(&QTimer::start));
    m_exploreLine = new QWidget;
    m_exploreLine->setObjectName("ExploreLine");
    auto* exploreRow = new QHBoxLayout(m_exploreLine);
    exploreRow->setContentsMargins(0, 0, 0, 0);
    auto* exploring = new QLabel("Исследуется уравнение с изменёнными коэффициентами, "
                                 "а не решённое в главном окне.");
    exploring->setWordWrap(true);
    auto* back = new QPushButton("&Вернуть");
    back->setObjectName("ReturnButton");
    back->setToolTip("Вернуть коэффициенты, решённые в главном окне");
    connect(back, &QPushButton::clicked, this, &SolutionWindow::returnToSolved);
    exploreRow->addWidget(exploring, 1);
    exploreRow->addWidget(back);
    m_exploreLine->setVisible(false);

    m_splitter = new SharingSplitter(Qt::Horizontal);
    m_splitter->addWidget(m_steps);
    m_splitter->addWidget(plotSide);
    m_splitter->setChildrenCollapsible(false);
    // A splitter lowers each widget it takes, which reverses their order
    // among its children and so for screen readers; the steps come first,
    // as on screen and in the Tab order.
    m_steps->lower();
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_selectors);
    layout->addWidget(m_staleLine);
    layout->addWidget(m_exploreLine);
    layout->addWidget(m_splitter, 1);
    setCentralWidget(central);
    setTabOrder(m_methodBox, m_relationBox);
    setTabOrder(m_relationBox, m_steps);
    setTabOrder(m_steps, m_plot);
    m_sliders->setTabOrderAfter(m_plot);
    // The window opens on the steps, as before the selectors came: Ctrl+C
    // copies the solution at once, and a screen reader starts reading it.
    m_steps->setFocus();

    for (const QKeySequence& key :
        { QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) })
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    addPaperMenu();
    addPlotMenu();
    setNarrow(false);
    resize(820, 520);
}

// The method box as wide as its longest name, so that the row stands still
// as the offered methods change, and the steps 300 px wide; in a narrow
// column of the screen (a small screen, a large font) the box elides its
// name, the steps wrap sooner, the plot and the sliders are narrower, so that the window fits
// rather than passing the screen's edge.
void SolutionWindow::setNarrow(bool narrow)
{
    const int average = m_methodBox->fontMetrics().averageCharWidth();
    m_methodBox->setMinimumWidth(
        narrow ? std::min(m_longestMethod, 12 * average) : m_longestMethod);
    m_steps->setMinimumWidth(narrow ? 200 : 300);
    m_plot->setMinimumWidth(narrow ? 200 : 0);
    m_sliders->setNarrow(narrow);
    int narrowest = 0;
    for (QHBoxLayout* group : m_selectorGroups) {
        group->invalidate();
        narrowest = std::max(narrowest, group->minimumSize().width());
    }
    m_selectors->setMinimumWidth(narrowest);
}

// The plot's commands in the window's menu too, where they are found without
// knowing the plot's context menu. Each entry hands on to the plot's action
// and names its key after a tab without taking it as a shortcut: an open menu
// leaves the focus on the plot, which would take the menu's arrow keys for
// its own commands.
void SolutionWindow::addPlotMenu()
{
    QMenu* menu = menuBar()->addMenu("&График");
    menu->setObjectName("GraphMenu");
    const QList<QAction*> commands = m_plot->commands();
    for (QAction* command : commands) {
        if (command == m_plot->traceAction() || command == commands.value(2))
            menu->addSeparator();
        const QString key = command->shortcut().toString(QKeySequence::NativeText);
        QAction* entry = menu->addAction(command->text() + (key.isEmpty() ? "" : "\t" + key));
        entry->setToolTip(command->toolTip());
        connect(entry, &QAction::triggered, this, [this, command] {
            m_plot->setFocus(Qt::MenuBarFocusReason);
            command->trigger();
        });
    }
    connect(menu, &QMenu::aboutToShow, this, [menu, commands] {
        const QList<QAction*> entries = menu->actions();
        auto entry = entries.begin();
        for (QAction* command : commands) {
            while ((*entry)->isSeparator())
                ++entry;
            (*entry++)->setEnabled(command->isEnabled());
        }
    });
    // How the graph is drawn, after the commands: choices kept between
    // sessions, and the same for the screen, the files and paper.
    menu->addSeparator();
    struct Option {
        const char* text;
        const char* name;
        bool* choice;
        const char* tip;
    };
    const Option options[] = {
        { "&Подписи", "PlotLabelsAction", &m_choices.plotLabels,
            "Подписи точек и точки таблицы значений на графике" },
        { "В &клетку", "SquaredPaperAction", &m_choices.squaredPaper,
            "График на бумаге в клетку: единица — две клетки" },
    };
    for (const Option& option : options) {
        QAction* action = menu->addAction(option.text);
        action->setObjectName(option.name);
        action->setCheckable(true);
        action->setChecked(*option.choice);
        action->setToolTip(option.tip);
        connect(action, &QAction::toggled, this, [this, choice = option.choice](bool on) {
            *choice = on;
            SaveSolutionChoices(m_choices);
            m_plot->setOptions(plotOptions());
        });
    }
    menu->setToolTipsVisible(true);
    m_plot->setOptions(plotOptions());
}

PlotOptions SolutionWindow::plotOptions() const
{
    PlotOptions options;
    options.labels = m_choices.plotLabels;
    options.squared = m_choices.squaredPaper;
    return options;
}

void SolutionWindow::showSolution(const EquationSolution& solution)
{
    present(solution);
    setStale(false);
    announce("Решение обновлено");
}

// The selectors as the solution says, then the steps, the answer set apart
// below them, the plot, and the roots for screen readers at the sliders.
// The steps of the solution shown, laid out once: the number line is drawn
// first, and the old text is replaced in one edit (setHtml lays out an empty
// document on the way, which hides the scroll bar, narrows the text and lays
// it out again). A moved coefficient or another method leaves the steps
// scrolled where the reader had them (`keepScroll`); a new Solve starts at
// the top.
void SolutionWindow::showSteps(bool keepScroll, bool function)
{
    const EquationSolution& solution = *m_shown;
    const QString text = StepsHtml(solution,
        "<p style=\"margin-top:6px; margin-bottom:4px; margin-left:"
            + QString::number(kNumberLineIndent) + "px\"><img src=\"" + kNumberLine.toString()
            + "\"></p>",
        {}, function);
    QScrollBar* scroll = m_steps->verticalScrollBar();
    const int scrolled = keepScroll ? scroll->value() : 0;
    drawNumberLine(false);
    QTextCursor all(m_steps->document());
    all.beginEditBlock();
    all.select(QTextCursor::Document);
    all.insertHtml(text);
    RestoreDigitGroupSpaces(m_steps->document());
    all.endEditBlock();
    // The caret goes back to the start, as a new text puts it, so that
    // keyboard selection begins there and nothing scrolls to the end.
    m_steps->setTextCursor(QTextCursor(m_steps->document()));
    scroll->setValue(scrolled);
}

void SolutionWindow::present(const EquationSolution& solution, PlotWidget::View view, bool moving)
{
    {
        // Filled anew only when the methods change (or the linear one's
        // name, with the sign): a moving coefficient keeps most equations'
        // methods, and a refilled box is laid out anew. Shown is the method
        // the steps follow; the one picked stays in m_choices.
        const QSignalBlocker quiet(m_methodBox), alsoQuiet(m_relationBox);
        const auto name = [&](Method method) {
            return QString::fromStdString(MethodName(method, solution.relation));
        };
        bool same = m_methodBox->count() == int(solution.methods.size());
        for (int i = 0; same && i < m_methodBox->count(); ++i) {
            const Method method = solution.methods[std::size_t(i)];
            same = m_methodBox->itemData(i).toInt() == int(method)
                && m_methodBox->itemText(i) == name(method);
        }
        if (!same) {
            m_methodBox->clear();
            for (const Method method : solution.methods)
                m_methodBox->addItem(name(method), int(method));
        }
        m_methodBox->setCurrentIndex(m_methodBox->findData(int(solution.method)));
        m_methodBox->setEnabled(solution.methods.size() > 1);
        m_relationBox->setCurrentIndex(m_relationBox->findData(int(solution.relation)));
    }
    m_relation = solution.relation;

    m_shown = std::make_shared<const EquationSolution>(solution);
    auto* steps = static_cast<StepsView*>(m_steps);
    steps->pictureText = solution.numberLine
        ? QString::fromStdString(PlainText(NumberLineSigns(*solution.numberLine)))
        : QString();
    steps->wholeText = QString::fromStdString(SolutionPlainText(solution));
    // While a coefficient moves, the function's section, after the answer and
    // mostly below the fold, waits until the moves pause: laying it out
    // (its table above all) would take as long as the rest of the steps.
    showSteps(view == PlotWidget::View::Keep, !moving);
    if (moving && !solution.function.empty())
        m_functionSoon->start();
    else
        m_functionSoon->stop();
    m_plot->setCurve(solution.curve, solution.description, view);
    m_sliders->describe(QString::fromStdString(solution.rootSummary));
}

// A new Solve takes the sliders back to its coefficients.
void SolutionWindow::explain(const SolvedEquation& solved)
{
    m_solved = solved;
    m_explored.reset();
    m_exploreSoon->stop();
    m_sliders->setCoefficients(coefficientsOf(solved), solved.separator);
    m_sliders->setEnabled(true);
    try {
        showSolution(explanation(solved));
    } catch (const std::exception& error) {
        showFailure(error.what());
    }
}

// The equation of the sliders, explained as the selectors say; the view
// stays where it is, so that the class sees the curve move.
void SolutionWindow::explore()
{
    if (!m_solved)
        return;
    try {
        // No result line: the main window shows no answer of these
        // coefficients, and so the steps compare none.
        SolvedEquation explored = ReadEquation(m_sliders->texts(), m_solved->separator);
        const EquationSolution solution = explanation(explored);
        m_explored = std::move(explored);
        showHeading();
        present(solution, PlotWidget::View::Keep, true);
    } catch (const std::exception& error) {
        // The solved equation stays, for «Вернуть».
        m_explored = m_solved;
        showHeading();
        showUnexplained(error.what());
        m_sliders->describe("решение построить не удалось");
    }
}

void SolutionWindow::returnToSolved()
{
    if (!m_solved)
        return;
    const bool hadFocus = m_exploreLine->isAncestorOf(QApplication::focusWidget());
    m_exploreSoon->stop();
    m_explored.reset();
    m_sliders->setCoefficients(coefficientsOf(*m_solved), m_solved->separator);
    showHeading();
    try {
        present(explanation(*m_solved), PlotWidget::View::Keep);
    } catch (const std::exception& error) {
        showFailure(error.what());
    }
    if (hadFocus)
        m_sliders->slider(0)->setFocus();
    announce("Коэффициенты главного окна возвращены");
}

// Above the steps: that they are of the moved coefficients, else (stale)
// that the main window's fields have changed since its Solve.
void SolutionWindow::showHeading()
{
    m_exploreLine->setVisible(m_explored.has_value());
    m_staleLine->setVisible(isFaded());
    dimSteps();
    m_plot->setDimmed(isFaded());
}

// An equation explained by the method picked, the sign chosen, and with
// complex roots if they are asked for.
EquationSolution SolutionWindow::explanation(const SolvedEquation& solved) const
{
    return ExplainEquation(solved, m_choices.method, m_relation, m_choices.complexRoots);
}

// Only the user's pick changes the preferred method (the box is set
// quietly to the method shown); it is kept for the next sessions.
void SolutionWindow::methodPicked()
{
    if (m_methodBox->currentIndex() < 0)
        return;
    m_choices.method = Method(m_methodBox->currentData().toInt());
    SaveSolutionChoices(m_choices);
    explainAgain();
}

void SolutionWindow::relationChanged()
{
    m_relation = Relation(m_relationBox->currentData().toInt());
    explainAgain();
}

void SolutionWindow::showComplexRoots(bool shown)
{
    m_choices.complexRoots = shown;
    SaveSolutionChoices(m_choices);
    explainAgain();
}

// What is shown explained anew, as the selectors and the menu now say: the
// moved coefficients' equation while they are explored, else the last solved
// one, stale or not (the line above still says whether it matches the
// fields). The view and the steps' scroll stay.
void SolutionWindow::explainAgain()
{
    if (!m_solved)
        return;
    if (m_explored) {
        explore();
        return;
    }
    try {
        present(explanation(*m_solved), PlotWidget::View::KeepMoved);
    } catch (const std::exception& error) {
        showFailure(error.what());
    }
}

// Nothing of the last solution stays on screen: it would pass for this one.
void SolutionWindow::showFailure(const std::string& reason)
{
    m_solved.reset();
    m_explored.reset();
    m_sliders->setEnabled(false);
    m_methodBox->clear();
    m_methodBox->setEnabled(false);
    showUnexplained(reason);
    setStale(false);
    announce("Решение построить не удалось");
}

// Why no solution is shown, in the place of the steps; no plot.
void SolutionWindow::showUnexplained(const std::string& reason)
{
    m_shown.reset();
    static_cast<StepsView*>(m_steps)->wholeText.clear();
    m_steps->setHtml("<p><b>Решение построить не удалось.</b></p><p>" + ProseHtml(reason) + "</p>");
    m_plot->clear("Графика нет: решение построить не удалось");
}

// The number line in the steps' own colours (faded with them), at the
// screen's pixel ratio; drawn anew when the palette changes.
void SolutionWindow::drawNumberLine(bool relayout)
{
    static_cast<StepsView*>(m_steps)->pictureRatio = m_steps->devicePixelRatioF();
    if (!m_shown || !m_shown->numberLine)
        return;
    const QPalette& colors = m_steps->palette();
    // Within the steps' width, less the document's margins and the
    // paragraph's indent.
    const double room = m_steps->viewport()->width() - 2 * m_steps->document()->documentMargin()
        - kNumberLineIndent - 2;
    const QImage picture = DrawNumberLine(*m_shown->numberLine, m_steps->font(),
        Ink::forPalette(colors, m_steps->font()), m_steps->devicePixelRatioF(), room);
    QTextDocument* document = m_steps->document();
    document->addResource(QTextDocument::ImageResource, kNumberLine, picture);
    if (relayout)
        document->markContentsDirty(0, document->characterCount());
}

void SolutionWindow::setStale(bool stale)
{
    const bool changed = stale != m_stale;
    m_stale = stale;
    showHeading();
    if (changed && stale)
        announce("Коэффициенты изменились");
}

// Stale steps are faded, not disabled: the palette's disabled text falls to
// about 1.9:1 and could no longer be read, and the line above them already
// says why they are faded. Fresh steps take the window's palette as it comes.
void SolutionWindow::dimSteps()
{
    if (!isFaded()) {
        m_steps->setPalette(QPalette());
    } else {
        const QPalette& window = palette();
        QPalette faded = m_steps->palette();
        // As far as stays readable (4.5:1): visibly fainter than the fresh
        // steps, never as faint as the palette's disabled text.
        faded.setColor(QPalette::Text,
            Faded(window.color(QPalette::Active, QPalette::Text),
                window.color(QPalette::Active, QPalette::Base), kTextContrast));
        m_steps->setPalette(faded);
    }
}

void SolutionWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    fitSelectors();
}

void SolutionWindow::fitSelectors()
{
    const int gap = 16;
    int row = gap;
    for (QHBoxLayout* group : m_selectorGroups)
        row += group->sizeHint().width();
    // The window's own width: the layout may not have placed the row yet.
    const QMargins margins = centralWidget()->layout()->contentsMargins();
    const bool wide = width() - margins.left() - margins.right() >= row;
    m_selectorRow->setDirection(wide ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    m_selectorRow->setSpacing(wide ? gap : 4);
}

void SolutionWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && m_stale)
        dimSteps();
}

// A short word for screen readers, after what they are saying, as the main
// window announces its result; Qt offers announcements from 6.8 on.
void SolutionWindow::announce(const QString& message)
{
    if (!isVisible())
        return;
    m_announced = message;
    AnnouncePolitely(m_steps, message);
}

QString SolutionWindow::solutionText() const
{
    return static_cast<const StepsView*>(m_steps)->whole();
}

SolutionPlacement PlaceSolution(
    const QRect& room, const QRect& main, QSize wanted, QSize minimum, QSize stackedMinimum)
{
    const int gap = 8;
    const QRect right(QPoint(main.right() + 1 + gap, room.top()), room.bottomRight());
    const QRect left(room.topLeft(), QPoint(main.left() - 1 - gap, room.bottom()));
    const QRect below(QPoint(room.left(), main.bottom() + 1 + gap), room.bottomRight());
    const QRect above(room.topLeft(), QPoint(room.right(), main.top() - 1 - gap));
    const bool onRight = right.width() >= left.width();
    const QRect& side = onRight ? right : left;
    const auto holds = [](const QRect& band, QSize size) {
        return band.width() >= size.width() && band.height() >= size.height();
    };
    // `size`, fitted into `band`, as near to (x, y) as the band allows.
    const auto inside = [](const QRect& band, QSize size, int x, int y) {
        size = size.boundedTo(band.size());
        x = std::clamp(x, band.left(), band.right() + 1 - size.width());
        y = std::clamp(y, band.top(), band.bottom() + 1 - size.height());
        return QRect(QPoint(x, y), size);
    };
    const auto besideMain = [&](QSize size) {
        size = size.boundedTo(side.size());
        return inside(
            side, size, onRight ? side.left() : side.right() + 1 - size.width(), main.top());
    };
    if (holds(side, minimum))
        return { besideMain(wanted) };
    if (holds(below, minimum))
        return { inside(below, wanted, main.left(), below.top()) };
    if (holds(side, stackedMinimum))
        return { besideMain({ wanted.width(), room.height() }), true };
    QRect largest;
    for (const QRect& band : { side, below, above })
        if (band.isValid() && band.width() * band.height() > largest.width() * largest.height())
            largest = band;
    if (largest.isEmpty())
        return {};
    const bool column = largest.height() > largest.width();
    return { inside(largest, wanted, main.left(), main.top()), column };
}

void SolutionWindow::placeBeside(const QWidget* main)
{
    if (m_placed || !main || QGuiApplication::platformName().startsWith("wayland"))
        return;
    m_placed = true;
    if (const QScreen* screen = main->screen()) {
        // The window manager's frame is not known before the window is
        // shown: the main window's stands in for it.
        placeWithin(screen->availableGeometry(), main->frameGeometry(),
            main->frameGeometry().size() - main->size());
    }
}

void SolutionWindow::placeWithin(const QRect& room, const QRect& main, QSize frame)
{
    const auto minimum = [this, frame](Qt::Orientation orientation) {
        m_splitter->setOrientation(orientation);
        // Before the window is first shown no layout passes a new minimum
        // size on to the one around it: each is told, from the innermost out.
        const QList<QWidget*> inside = findChildren<QWidget*>();
        for (auto widget = inside.rbegin(); widget != inside.rend(); ++widget) {
            if ((*widget)->layout())
                (*widget)->layout()->invalidate();
            (*widget)->updateGeometry();
        }
        return minimumSizeHint().expandedTo(minimumSize()) + frame;
    };
    const auto place = [&] {
        return PlaceSolution(
            room, main, size() + frame, minimum(Qt::Horizontal), minimum(Qt::Vertical));
    };
    SolutionPlacement placed = place();
    if (placed.frame.isEmpty())
        return; // no free band: where the window manager puts it
    QSize least = minimum(placed.stacked ? Qt::Vertical : Qt::Horizontal);
    if (least.width() > placed.frame.width() || least.height() > placed.frame.height()) {
        setNarrow(true);
        placed = place();
        least = minimum(placed.stacked ? Qt::Vertical : Qt::Horizontal);
    }
    // Never past the screen's edge: where even the narrow window is wider
    // than the band, it covers a part of the main window instead.
    QRect frameRect(placed.frame.topLeft(), placed.frame.size().expandedTo(least));
    frameRect.moveLeft(
        std::max(room.left(), std::min(frameRect.left(), room.right() + 1 - frameRect.width())));
    frameRect.moveTop(
        std::max(room.top(), std::min(frameRect.top(), room.bottom() + 1 - frameRect.height())));
    m_splitter->setOrientation(placed.stacked ? Qt::Vertical : Qt::Horizontal);
    resize(frameRect.size() - frame);
    move(frameRect.topLeft());
}
