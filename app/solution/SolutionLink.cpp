#include "SolutionLink.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QMessageBox>

SolutionLink::SolutionLink(
    QWidget* form, QLabel* resultLine, const std::array<QLineEdit*, 3>& fields)
    : QObject(form)
    , m_form(form)
    , m_open(new QAction("Решение и график…", resultLine))
{
    m_open->setObjectName("OpenSolution");
    m_open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_open->setShortcutContext(Qt::WindowShortcut);
    m_open->setEnabled(false);
    resultLine->addAction(m_open);
    // The window is found from the result line: the pointer and screen
    // readers are told where it opens from.
    resultLine->setToolTip("Решение и график: Ctrl+R или правая кнопка мыши");
    resultLine->setAccessibleDescription(
        resultLine->accessibleDescription() + ". Решение и график: Ctrl+R или контекстное меню");
    connect(m_open, &QAction::triggered, this, &SolutionLink::open);
    for (QLineEdit* field : fields)
        connect(field, &QLineEdit::textChanged, this, &SolutionLink::edited);
}

CreateSolutionViewFunction SolutionLink::loadModule()
{
    static CreateSolutionViewFunction loaded = nullptr;
    static QString error;
    if (loaded || !error.isEmpty())
        return loaded;
    const QString name = QUADRATIC_SOLUTION_MODULE_NAME;
    const QDir program(QCoreApplication::applicationDirPath());
    // Installed, in the program's library folder; in the build tree, beside it.
    for (const QString& path : { program.filePath(QUADRATIC_SOLUTION_MODULE_FROM_BIN "/" + name),
             program.filePath(name), QStringLiteral(QUADRATIC_SOLUTION_MODULE_BUILT) }) {
        QLibrary module(path);
        if (auto create
            = reinterpret_cast<CreateSolutionViewFunction>(module.resolve(kCreateSolutionView)))
            return loaded = create;
        error = module.errorString();
    }
    return nullptr;
}

void SolutionLink::open()
{
    if (!m_open->isEnabled())
        return;
    if (!m_window) {
        const CreateSolutionViewFunction make = create ? create : loadModule();
        if (!make) {
            QMessageBox::warning(m_form, "Решение и график",
                "Окно «Решение и график» не удалось загрузить: "
                "модуль " QUADRATIC_SOLUTION_MODULE_NAME
                " не найден или повреждён. Переустановите программу.");
            return;
        }
        m_view = make(m_form);
        m_window = m_view->widget();
        explain();
        m_view->setStale(m_stale);
    }
    m_view->placeBeside(m_form);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

// Only a Solve that wrote the result line comes here; one that stopped at a
// box (an empty field, a text that is no number) does not. What it solved is
// kept, and explained only while the window exists, so that Solve costs
// nothing more before.
void SolutionLink::solved(const SolvedEquation& equation)
{
    m_solved = equation;
    m_stale = false;
    m_open->setEnabled(true);
    if (m_window)
        explain();
}

// The separator comes with everything Solve produced: the module has a copy
// of every global of the core, never set.
void SolutionLink::explain() { m_view->explain(m_solved); }

void SolutionLink::edited()
{
    if (!m_open->isEnabled() || m_stale)
        return;
    m_stale = true;
    if (m_window)
        m_view->setStale(true);
}
