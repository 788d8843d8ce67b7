#include "SolutionWindow.h"

#include "PlotWidget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Selectable steps whose copy is plain text; Ctrl+C with nothing selected
// copies the whole solution.
class StepsView : public QTextEdit {
public:
    using QTextEdit::QTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override
    {
        auto* data = new QMimeData;
        data->setText(textCursor().selection().toPlainText());
        return data;
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Copy) && !textCursor().hasSelection()) {
            QGuiApplication::clipboard()->setText(toPlainText());
            return;
        }
        QTextEdit::keyPressEvent(event);
    }
};

QString html(const std::string& text) { return QString::fromStdString(text).toHtmlEscaped(); }

} // namespace

SolutionWindow::SolutionWindow(QWidget* owner)
    : QMainWindow(owner, Qt::Window)
{
    setWindowTitle("Решение и график");
    setObjectName("SolutionWindow");
    m_staleLine = new QLabel("Коэффициенты изменились: нажмите «Решать», чтобы обновить решение.");
    m_staleLine->setObjectName("StaleLine");
    m_staleLine->setWordWrap(true);
    m_staleLine->setVisible(false);
    m_steps = new StepsView;
    m_steps->setReadOnly(true);
    m_steps->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_steps->setAccessibleName("Решение");
    m_steps->setMinimumWidth(300);
    m_plot = new PlotWidget;

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_steps);
    splitter->addWidget(m_plot);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_staleLine);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);
    setTabOrder(m_steps, m_plot);

    for (const QKeySequence& key :
        { QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W) })
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    resize(820, 520);
}

void SolutionWindow::showSolution(const EquationSolution& solution)
{
    QString text;
    for (const SolutionStep& step : solution.steps) {
        text += "<p style=\"margin-top:10px; margin-bottom:2px\"><b>" + html(step.heading)
            + "</b></p>";
        for (const std::string& line : step.lines)
            text += "<p style=\"margin-top:0; margin-bottom:2px; margin-left:14px\">" + html(line)
                + "</p>";
    }
    if (!solution.precisionNote.empty())
        text += "<p style=\"margin-top:10px; margin-bottom:2px\"><b>Одинарная точность</b></p>"
                "<p style=\"margin-top:0; margin-bottom:2px; margin-left:14px\"><i>"
            + html(solution.precisionNote) + "</i></p>";
    m_steps->setHtml(text);
    m_plot->setCurve(solution.curve, solution.description);
    setStale(false);
}

void SolutionWindow::explain(const SolvedEquation& solved)
{
    try {
        showSolution(ExplainEquation(solved));
    } catch (const std::exception& error) {
        showFailure(error.what());
    }
}

// Nothing of the last solution stays on screen: it would pass for this one.
void SolutionWindow::showFailure(const std::string& reason)
{
    m_steps->setHtml("<p><b>Решение построить не удалось.</b></p><p>" + html(reason) + "</p>");
    m_plot->clear("Графика нет: решение построить не удалось");
    setStale(false);
}

void SolutionWindow::setStale(bool stale)
{
    m_stale = stale;
    m_staleLine->setVisible(stale);
    QPalette palette = m_steps->palette();
    palette.setColor(QPalette::Text,
        this->palette().color(stale ? QPalette::Disabled : QPalette::Active, QPalette::Text));
    m_steps->setPalette(palette);
    m_plot->setDimmed(stale);
}

QString SolutionWindow::solutionText() const { return m_steps->toPlainText(); }

void SolutionWindow::placeBeside(const QWidget* main)
{
    if (m_placed || !main || QGuiApplication::platformName() == "wayland")
        return;
    m_placed = true;
    const QScreen* screen = main->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect beside = main->frameGeometry();
    const int gap = 8;
    QSize size = this->size();
    const int right = room.right() - beside.right() - gap;
    const int left = beside.left() - room.left() - gap;
    if (right >= minimumSizeHint().width() || left >= minimumSizeHint().width()) {
        const bool onRight = right >= left;
        size.setWidth(std::min(size.width(), onRight ? right : left));
        size.setHeight(std::min(size.height(), room.height()));
        resize(size);
        const int x = onRight ? beside.right() + gap : beside.left() - gap - size.width();
        const int y = std::clamp(beside.top(), room.top(), room.bottom() - size.height());
        move(x, y);
    }
}

SolutionView* CreateSolutionView(QWidget* owner) { return new SolutionWindow(owner); }
