// The window's menu «Решение»: print, save as PDF, copy as LaTeX, complex
// roots on or off, close.
#include "FileNames.h"
#include "SolutionPage.h"
#include "SolutionWindow.h"

#include "LatexExport.h"

#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStandardPaths>

namespace {

QString askForPdfName(QWidget* parent, const QString& proposed)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString name = QFileDialog::getSaveFileName(
        parent, "Сохранить как PDF", folder + "/" + proposed, "Документ PDF (*.pdf)");
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += ".pdf";
    return name;
}

bool askToPrint(QPrinter* printer, QWidget* parent)
{
    QPrintDialog dialog(printer, parent);
    dialog.setWindowTitle("Печать решения");
    return dialog.exec() == QDialog::Accepted;
}

void showPreview(QPrintPreviewDialog* dialog) { dialog->exec(); }

void warn(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, "Решение и график", message);
}

} // namespace

std::function<QString(QWidget*, const QString&)> SolutionWindow::choosePdfFileName = askForPdfName;
std::function<bool(QPrinter*, QWidget*)> SolutionWindow::confirmPrint = askToPrint;
std::function<void(QPrintPreviewDialog*)> SolutionWindow::showPrintPreview = showPreview;
std::function<void(QWidget*, const QString&)> SolutionWindow::reportPaperFailure = warn;

// A menu bar, as a tool window that prints has: the commands are found where
// every desktop program keeps them, read by screen readers with their
// shortcuts, and reached from the keyboard by Alt and the underlined letter.
void SolutionWindow::addPaperMenu()
{
    QMenu* menu = menuBar()->addMenu("&Решение");
    menu->setObjectName("SolutionMenu");
    QAction* print = menu->addAction("&Печать…", this, &SolutionWindow::print);
    print->setObjectName("PrintAction");
    print->setShortcut(QKeySequence::Print);
    QAction* preview
        = menu->addAction("Предварительный п&росмотр…", this, &SolutionWindow::previewPrint);
    preview->setObjectName("PreviewAction");
    QAction* pdf = menu->addAction("Сохранить как P&DF…", this, &SolutionWindow::saveAsPdfChosen);
    pdf->setObjectName("SavePdfAction");
    QAction* latex = menu->addAction("Копировать как &LaTeX", this, &SolutionWindow::copyAsLatex);
    latex->setObjectName("CopyLatexAction");
    menu->addSeparator();
    // A choice of how to solve, not a command: kept between sessions, and
    // the same for the screen and for paper.
    QAction* complex
        = menu->addAction("&Комплексные корни", this, &SolutionWindow::showComplexRoots);
    complex->setObjectName("ComplexRootsAction");
    complex->setCheckable(true);
    complex->setChecked(m_choices.complexRoots);
    complex->setToolTip("Показывать комплексные корни уравнения при D < 0 (10–11 классы)");
    menu->setToolTipsVisible(true);
    menu->addSeparator();
    // Esc and Ctrl+W close the window by shortcuts of its own; here Ctrl+W is
    // shown, and works only within the open menu, so that the two never
    // compete.
    QAction* close = menu->addAction("&Закрыть", this, &QWidget::close);
    close->setShortcut(Qt::CTRL | Qt::Key_W);
    close->setShortcutContext(Qt::WidgetShortcut);
    connect(menu, &QMenu::aboutToShow, this, [this, print, preview, pdf, latex] {
        for (QAction* action : { print, preview, pdf, latex })
            action->setEnabled(m_shown != nullptr);
    });
}

QString SolutionWindow::solutionLatex() const
{
    return m_shown ? QString::fromStdString(SolutionAsLatex(*m_shown)) : QString();
}

void SolutionWindow::copyAsLatex()
{
    const QString latex = solutionLatex();
    if (latex.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(latex);
    announce("Решение скопировано как LaTeX");
}

bool SolutionWindow::saveAsPdf(const QString& fileName)
{
    if (!m_shown)
        return false;
    QPdfWriter writer(fileName);
    SetSolutionPageLayout(writer);
    writer.setCreator("Квадратное уравнение");
    writer.setTitle(QString::fromStdString(m_shown->curve.caption));
    return PrintSolution(*m_shown, writer, plotOptions()).pages > 0;
}

void SolutionWindow::saveAsPdfChosen()
{
    if (!m_shown)
        return;
    const QString fileName = choosePdfFileName(this, FileNameOf(m_shown->curve.caption) + ".pdf");
    if (fileName.isEmpty())
        return;
    if (!saveAsPdf(fileName))
        reportPaperFailure(this, "Не удалось сохранить файл «" + fileName + "».");
    else
        announce("Решение сохранено в PDF");
}

void SolutionWindow::print()
{
    if (!m_shown)
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetSolutionPageLayout(printer);
    printer.setDocName("Решение");
    if (!confirmPrint(&printer, this))
        return;
    if (PrintSolution(*m_shown, printer, plotOptions()).pages == 0)
        reportPaperFailure(this, "Не удалось напечатать решение.");
}

// The pages as Печать would print them, in Qt's preview, which prints them
// too if asked.
void SolutionWindow::previewPrint()
{
    if (!m_shown)
        return;
    QPrinter printer(QPrinter::HighResolution);
    SetSolutionPageLayout(printer);
    printer.setDocName("Решение");
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle("Предварительный просмотр");
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
        [this](QPrinter* pages) { PrintSolution(*m_shown, *pages, plotOptions()); });
    showPrintPreview(&dialog);
}
