// «Решение и график» as the user meets it: opened from the result line,
// following Solve and edits; its plot drawn where the mathematics says.
#include "CoefficientSliders.h"
#include "Contrast.h"
#include "FileNames.h"
#include "FormTestBase.h"
#include "PlainText.h"
#include "PlotWidget.h"
#include "SolutionPage.h"
#include "SolutionWindow.h"
#include "StepsHtml.h"
#include "StepsView.h"
#include "Typography.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextTable>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

class SolutionTest : public FormTestBase {
    Q_OBJECT

    SolutionWindow* window() const
    {
        return dynamic_cast<SolutionWindow*>(form->Solution->window());
    }

    void solve(const char* a, const char* b, const char* c)
    {
        for (int i = 1; i <= 3; ++i) {
            field(i)->selectAll();
            type(field(i), QString(i == 1 ? a : i == 2 ? b : c));
        }
        click(form->Button1);
    }

    QString steps() const { return window()->solutionText(); }

    // A PDF's objects of a type, its pages, and its text as pdftotext
    // extracts it (null without the tool), with the formulas' non-breaking
    // spaces as plain ones.
    static int pdfObjects(const QString& fileName, const char* type)
    {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            return -1;
        return int(QString::fromLatin1(file.readAll()).count(QRegularExpression(type)));
    }
    static int pdfPages(const QString& fileName)
    {
        return pdfObjects(fileName, "/Type\\s*/Page\\b");
    }
    static QString pdfText(const QString& fileName)
    {
        QProcess tool;
        tool.start("pdftotext", { "-enc", "UTF-8", fileName, "-" });
        if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
            return {};
        return QString::fromUtf8(tool.readAllStandardOutput()).replace(QChar(0xA0), ' ');
    }

    static void darken(QWidget& widget)
    {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::Base, QColor(0x20, 0x20, 0x24));
        palette.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
        palette.setColor(QPalette::Highlight, QColor(0x15, 0x40, 0x80));
        widget.setPalette(palette);
    }

    // Presses a key in the solution window, active as a window manager makes it.
    void keyInSolution(
        Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, QWidget* to = nullptr)
    {
        window()->activateWindow();
        if (!QTest::qWaitFor([this] { return window()->isActiveWindow(); }, 300)) {
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            QApplication::setActiveWindow(window());
            QT_WARNING_POP
        }
        QTest::keyClick(to ? to : window()->steps(), key, modifiers);
    }

private slots:
    // The window from the code linked here, not from the module.
    void initTestCase()
    {
        SolutionLink::create
            = [](QWidget* owner) -> SolutionView* { return new SolutionWindow(owner); };
    }

    // Each test meets the window as a first session does: no method picked,
    // no complex roots.
    void init()
    {
        SaveSolutionChoices({});
        createForm();
    }

    void opensFromCtrlRAndTheMenuAfterASolve()
    {
        QVERIFY(form->Label5->toolTip().startsWith("Решение и график: Ctrl+R"));
        // A Solve that stops at a box (an empty field) opens nothing.
        type(form->Edit1, "1");
        click(form->Button1);
        QCOMPARE(boxes->take().size(), std::size_t(1));
        reactivate();
        QTest::keyClick(form->Edit1, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(!window() && !form->Solution->openAction()->isEnabled());
        solve("1", "-3", "1");
        // First opened after an edit: the last solution, dimmed.
        type(form->Edit3, "0");
        QTest::keyClick(form->Edit3, Qt::Key_R, Qt::ControlModifier);
        QVERIFY(window() && window()->isVisible() && window()->isStale());
        QCOMPARE(window()->windowTitle(), QString("Решение и график"));
        QVERIFY(steps().contains("x₁ = (3 + √5)/2 ≈ 2.618"));
        // At the top of the steps (they scroll in the offscreen window's size).
        QCOMPARE(window()->steps()->verticalScrollBar()->value(), 0);
        // Screen readers meet the steps before the plot, as the Tab key does.
        QList<QObject*> order;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            order << node->object();
            for (int i = 0; i < node->childCount(); ++i)
                walk(node->child(i));
        };
        walk(QAccessible::queryAccessibleInterface(window()));
        QVERIFY(order.indexOf(window()->steps()) >= 0
            && order.indexOf(window()->steps()) < order.indexOf(window()->plot()));
        // The steps keep their share of a wider window, two fifths.
        SolutionWindow wide(nullptr);
        wide.show();
        QVERIFY(QTest::qWaitForWindowExposed(&wide));
        wide.resize(1800, 700);
        QTRY_VERIFY(qAbs(wide.steps()->width() - wide.splitter()->width() * 2 / 5) < 12);
        keyInSolution(Qt::Key_Escape);
        QVERIFY(!window()->isVisible());

        // The result line's menu names the item and its shortcut.
        QString shortcut;
        bool shown = false;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                shown = true;
                QAction* open = menu->actions().value(1);
                shortcut = open->shortcut().toString();
                open->trigger();
                menu->close();
            }
        });
        const QPoint middle = form->Label5->rect().center();
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, middle, form->Label5->mapToGlobal(middle));
        QApplication::sendEvent(form->Label5, &event);
        if (!shown && QGuiApplication::platformName().startsWith("wayland"))
            QSKIP("a headless compositor without input opens no popup menu");
        QCOMPARE(shortcut, QString("Ctrl+R"));
        QVERIFY(window()->isVisible());
        keyInSolution(Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!window()->isVisible());
    }

    void followsSolveEditsAndClear()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        QVERIFY(steps().contains("x₁ = 2"));
        solve("1", "0.1", "0.0025");
        QVERIFY(steps().contains("x₁ + x₂ = −1/20 + (−1/20) = −1/10 = −b/a"));
        QVERIFY(steps().contains("одинарной точности"));
        // Formulas hold non-breaking spaces, copied as ordinary ones.
        QVERIFY(window()->steps()->document()->toRawText().contains(QChar::Nbsp));
        QVERIFY(!steps().contains(QChar::Nbsp));
        QCOMPARE(window()->steps()->wordWrapMode(), QTextOption::WordWrap);
        QVERIFY(!window()->isStale());
        type(form->Edit3, "1");
        QVERIFY(window()->isStale());
        QCOMPARE(window()->lastAnnouncement(), QString("Коэффициенты изменились"));
        QVERIFY(window()->findChild<QWidget*>("StaleLine")->isVisible());
        QVERIFY(steps().contains("−1/20"));
        // Faded, yet readable (WCAG AA, 4.5:1), in a light and a dark palette.
        QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2A, 0x2A, 0x2A));
        dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
        for (const QPalette& palette : { QApplication::palette(), dark }) {
            window()->setPalette(palette);
            const QPalette shown = window()->steps()->palette();
            const double faded
                = ContrastRatio(shown.color(QPalette::Text), shown.color(QPalette::Base));
            const double fresh
                = ContrastRatio(palette.color(QPalette::Text), palette.color(QPalette::Base));
            QVERIFY2(faded >= 4.5 && faded < fresh / 2, qPrintable(QString::number(faded)));
        }
        // A box (an empty field) leaves the window as it was.
        form->Edit2->SetText("");
        form->Edit3->SetText("2");
        click(form->Button1);
        QCOMPARE(boxes->take().size(), std::size_t(1));
        reactivate();
        QVERIFY(window()->isStale() && steps().contains("−1/20"));
        solve("0", "2", "-4");
        QVERIFY(!window()->isStale());
        QCOMPARE(window()->lastAnnouncement(), QString("Решение обновлено"));
        QVERIFY(steps().contains("x = 4/2 = 2"));
        QVERIFY(!steps().contains("одинарной точности"));
        click(form->Button2);
        QVERIFY(window()->isStale());
        // An explanation that failed gives its reason and leaves no plot behind.
        window()->showFailure("Текст «x» не является правильным числом.");
        QVERIFY(steps().contains("«x» не является правильным числом"));
        QVERIFY(window()->plot()->isEmpty() && !window()->isStale());
    }

    // Either selector explains anew at once, stale or not; a Solve keeps the
    // sign, and the method picked wherever it applies, in the next session too.
    void selectorsExplainAnewAndCarryOver()
    {
        solve("1", "-20", "1");
        form->Solution->open();
        QComboBox* method = window()->methodBox();
        QComboBox* sign = window()->relationBox();
        QCOMPARE(window()->focusWidget(), window()->steps());
        QVERIFY(method->count() == 3 && method->currentText() == "По формуле"
            && method->itemText(1) == "Через D₁"
            && method->itemText(2) == "Выделение полного квадрата");
        QVERIFY(sign->count() == 5 && sign->itemText(0) == "= 0" && sign->itemText(2) == "≥ 0");
        QVERIFY(method->accessibleName() == "Способ решения" && sign->accessibleName() == "Знак");
        method->setCurrentIndex(method->findText("Выделение полного квадрата"));
        solve("1", "-5", "6");
        QCOMPARE(method->currentText(), QString("Выделение полного квадрата"));
        solve("0", "2", "-4");
        QVERIFY(method->count() == 1 && method->currentText() == "Линейное уравнение");
        // Another sign keeps the view and names the linear case anew; a new Solve refits it.
        window()->plot()->setView(PlotBox { -1, 1, -1, 1 });
        sign->setFocus();
        keyInSolution(Qt::Key_Down, Qt::NoModifier, sign);
        QVERIFY(steps().contains("2x − 4 > 0") && window()->plot()->view().xMax == 1
            && method->currentText() == "Линейное неравенство");
        keyInSolution(Qt::Key_Tab, Qt::NoModifier, sign);
        QCOMPARE(focused(), window()->steps());
        solve("1", "-3", "2");
        QVERIFY(steps().contains("x² − 3x + 2 > 0") && window()->plot()->view().xMax != 1);
        QCOMPARE(method->currentText(), QString("Выделение полного квадрата"));
        SolutionWindow next(nullptr);
        next.explain(SolveForExplanation({ "1", "-3", "2" }, '.'));
        QCOMPARE(next.methodBox()->currentText(), QString("Выделение полного квадрата"));
        type(form->Edit3, "1");
        sign->setCurrentIndex(3);
        QVERIFY(window()->isStale() && steps().contains("x² − 3x + 2 < 0"));
        window()->showFailure("Текст «x» не является правильным числом.");
        sign->setCurrentIndex(0);
        QVERIFY(!method->isEnabled() && steps().contains("«x» не является"));
    }

    // Where D < 0 the school's course stops at «корней нет»; «Комплексные
    // корни» in the menu writes the pair, in the next session too.
    void complexRootsOnRequest()
    {
        solve("1", "1", "1");
        form->Solution->open();
        auto* complex = window()->findChild<QAction*>("ComplexRootsAction");
        QVERIFY(
            !complex->isChecked() && steps().contains("корней нет") && !steps().contains("i√3"));
        complex->trigger();
        QVERIFY2(steps().contains("(−1 ± i√3)/2"), qPrintable(steps()));
        // The graph's options, off their defaults, reach the plot and the
        // next session; at their defaults nothing is stored.
        auto* labels = window()->findChild<QAction*>("PlotLabelsAction");
        auto* squared = window()->findChild<QAction*>("SquaredPaperAction");
        QVERIFY(labels->isChecked() && !squared->isChecked());
        labels->trigger();
        squared->trigger();
        QVERIFY(!window()->plot()->options().labels && window()->plot()->options().squared);
        const SolutionChoices kept = LoadSolutionChoices();
        QVERIFY(kept.complexRoots && !kept.plotLabels && kept.squaredPaper);
        SolutionWindow next(nullptr);
        next.explain(SolveForExplanation({ "1", "1", "1" }, '.'));
        QVERIFY(next.solutionText().contains("(−1 ± i√3)/2"));
        QVERIFY(!next.findChild<QAction*>("PlotLabelsAction")->isChecked()
            && next.findChild<QAction*>("SquaredPaperAction")->isChecked()
            && !next.plot()->options().labels && next.plot()->options().squared);
        SaveSolutionChoices({});
        const SolutionChoices first = LoadSolutionChoices();
        QVERIFY(!first.complexRoots && first.plotLabels && !first.squaredPaper);
    }

    // a, b and c under the plot move the equation: slider and box in step, a
    // through 0 (linear) and back, the view kept until Home, the ranges kept
    // on typing; «Вернуть» and a new Solve go back to the solved coefficients.
    void coefficientsMoveUnderThePlot()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        CoefficientSliders* rows = window()->sliders();
        QSlider* a = rows->slider(0);
        QVERIFY(rows->box(0)->value() == 1 && a->accessibleName() == "a");
        QVERIFY(rows->from(0) == -9 && rows->to(0) == 11 && rows->step(0) == 0.01);
        window()->plot()->setView(PlotBox { -1, 1, -1, 1 });
        a->setFocus();
        for (int i = 0; i < 10; ++i)
            keyInSolution(Qt::Key_PageDown, Qt::NoModifier, a);
        QTRY_VERIFY(steps().contains("−3x + 2 = 0") && window()->isExploring());
        QVERIFY(rows->box(0)->value() == 0 && window()->plot()->view().xMax == 1);
        QVERIFY(window()->findChild<QWidget*>("ExploreLine")->isVisible());
        QElapsedTimer moved;
        moved.start();
        keyInSolution(Qt::Key_PageUp, Qt::NoModifier, a);
        QTRY_VERIFY(steps().contains("0.1x² − 3x + 2 = 0"));
        // The function's section follows once the moves pause (150 ms).
        const auto sectionShown
            = [this] { return window()->steps()->toPlainText().contains("Свойства функции"); };
        QVERIFY(!sectionShown() || moved.elapsed() >= 150);
        QTRY_VERIFY(sectionShown());
        QCOMPARE(rows->box(0)->text(), QString("0.1"));
        // Screen readers hear the coefficient, not the slider's position.
        QAccessibleInterface* readA = QAccessible::queryAccessibleInterface(a);
        QVERIFY(readA->valueInterface()->currentValue() == 0.1
            && readA->text(QAccessible::Value) == "0.1" && readA->role() == QAccessible::Slider);
        keyInSolution(Qt::Key_Home, Qt::NoModifier, window()->plot());
        QVERIFY(window()->plot()->view().xMax != 1);
        // A range set by hand (from its dialog) stays while a value inside it is typed.
        click(rows->rangeButton(1));
        auto* range = window()->findChild<QDialog*>("RangeEditor");
        QVERIFY(range && range->isVisible());
        const auto ends = range->findChildren<CoefficientBox*>();
        for (int i = 0; i < 3; ++i)
            ends[i]->setValue(std::array { -5.0, 5.0, 0.5 }[i]);
        click(range->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok));
        QTRY_VERIFY(!window()->findChild<QDialog*>("RangeEditor"));
        rows->box(1)->selectAll();
        type(rows->box(1), "-2.5\r");
        QTRY_VERIFY(steps().contains("0.1x² − 2.5x + 2 = 0"));
        QVERIFY(rows->from(1) == -5 && rows->slider(1)->value() == 5);
        keyInSolution(Qt::Key_End, Qt::NoModifier, rows->box(1));
        QTRY_VERIFY(rows->slider(1)->value() == rows->slider(1)->maximum());
        keyInSolution(Qt::Key_PageDown, Qt::NoModifier, rows->box(1));
        QTRY_VERIFY(rows->box(1)->value() == 0 && rows->slider(1)->value() == 10);
        // A value typed beyond the range centres a range on it.
        rows->box(1)->selectAll();
        type(rows->box(1), "-20\r");
        QTRY_VERIFY(rows->from(1) == -120 && rows->to(1) == 80 && rows->slider(1)->value() == 1000);
        click(window()->findChild<QPushButton*>("ReturnButton"));
        QVERIFY(!window()->isExploring() && steps().contains("x₁ = 2"));
        QVERIFY(rows->box(0)->value() == 1 && rows->from(1) == -13);
        // A burst of moves is explained once, at its last value.
        const QString before = steps();
        for (int i = 0; i < 5; ++i)
            rows->slider(2)->setValue(rows->slider(2)->value() + 10);
        QVERIFY(steps() == before);
        QTRY_VERIFY(steps().contains("x² − 3x + 2.5 = 0") && window()->isExploring());
        // Paper and LaTeX take the equation shown, the explored one.
        QVERIFY2(window()->solutionLatex().contains("x^{2} - 3x + 2.5 = 0"),
            qPrintable(window()->solutionLatex().left(120)));
        QTemporaryDir paper;
        const QString saved = paper.filePath("saved.pdf"), printed = paper.filePath("printed.pdf");
        SolutionWindow::confirmPrint = [&printed](QPrinter* printer, QWidget*) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printed);
            return true;
        };
        window()->print();
        QVERIFY(window()->saveAsPdf(saved));
        for (const QString& file : { saved, printed })
            QVERIFY2(
                pdfText(file).contains("x² − 3x + 2.5 = 0"), qPrintable(pdfText(file).left(80)));
        // The steps stay scrolled where the reader left them; a new Solve starts at the top.
        QScrollBar* scroll = window()->steps()->verticalScrollBar();
        window()->steps()->setFixedHeight(120);
        QTRY_VERIFY(scroll->maximum() > 0);
        scroll->setValue(scroll->maximum());
        const int scrolled = scroll->value();
        rows->slider(2)->setValue(rows->slider(2)->value() + 10);
        QTRY_VERIFY(steps().contains("x² − 3x + 2.6 = 0"));
        QCOMPARE(scroll->value(), scrolled);
        solve("1", "-3", "1");
        QCOMPARE(scroll->value(), 0);
        window()->steps()->setMinimumHeight(160);
        window()->steps()->setMaximumHeight(QWIDGETSIZE_MAX);
        QVERIFY(!window()->isExploring() && rows->box(2)->value() == 1);
        // No note on single precision: the main window shows no answer to compare.
        solve("1", "0.1", "0.003");
        rows->box(2)->selectAll();
        type(rows->box(2), "0.0025\r");
        QTRY_VERIFY(steps().contains("x² + 0.1x + 0.0025 = 0"));
        QVERIFY(!steps().contains("одинарной точности"));
        // In the regional separator, with a true minus.
        window()->explain(SolveForExplanation({ "1,5", "-3", "2" }, ','));
        QVERIFY(rows->box(0)->text() == "1,5" && rows->box(1)->text() == "−3");
    }

    // A box holds any coefficient Solve takes, in the steps' notation, and
    // reads back what it shows; the slider's range and step follow its order.
    void coefficientsOfAnyOrderStayInTheirOrder()
    {
        solve("1", "1e19", "1");
        form->Solution->open();
        CoefficientSliders* rows = window()->sliders();
        QCOMPARE(rows->box(1)->text(), QString("10¹⁹"));
        QVERIFY(rows->slider(1)->value() == 1000 && rows->step(1) == 1e17);
        rows->slider(1)->setFocus();
        for (int i = 0; i < 2; ++i)
            keyInSolution(Qt::Key_PageDown, Qt::NoModifier, rows->slider(1));
        QTRY_VERIFY2(steps().contains("x² + 8·10¹⁸·x + 1 = 0"), qPrintable(steps().left(60)));
        QCOMPARE(rows->box(1)->text(), QString("8.10¹⁸").replace('.', "·"));
        for (const auto& [typed, value] : { std::pair { "1,5·10⁻³", 0.0015 },
                 std::pair { "10¹⁹", 1e19 }, std::pair { "-2.5e9", -2.5e9 } }) {
            rows->box(2)->selectAll();
            type(rows->box(2), QString(typed) + "\r");
            QTRY_COMPARE(rows->box(2)->value(), value);
        }
        QCOMPARE(rows->box(2)->text(), QString("−2,5·10⁹").replace(',', '.'));
    }

    // The focused control tells screen readers the new roots.
    void aMoveTellsScreenReadersTheRoots()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        CoefficientBox* c = window()->sliders()->box(2);
        QCOMPARE(c->accessibleDescription(), QString("корни 1 и 2"));
        c->setFocus();
        keyInSolution(Qt::Key_Shift, Qt::NoModifier, c);
        for (const auto& [typed, summary] :
            { std::pair { "2.25", "корень 1.5" }, std::pair { "3", "корней нет" } }) {
            c->selectAll();
            type(c, QString(typed) + "\r");
            QTRY_COMPARE(c->accessibleDescription(), QString(summary));
        }
        QCOMPARE(window()->sliders()->lastTold(), c);
        window()->explain(SolveForExplanation({ "0", "0", "0" }, '.'));
        QCOMPARE(c->accessibleDescription(), QString("x — любое число"));
    }

    // The answer closes the steps; the number line, a picture at the screen's
    // pixel ratio redrawn for a dark palette, is copied as its text.
    void answerAndNumberLineCopyAsText()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        const EquationSolution solution
            = ExplainEquation("1", "-3", "2", '.', std::nullopt, Relation::Greater);
        window()->showSolution(solution);
        const QString text = steps();
        // The number line's text stands after the lines of its step, before the next step.
        const QString line = "\n"
            + QString::fromStdString(PlainText(NumberLineSigns(*solution.numberLine))) + "\n";
        const auto& next = solution.steps.at(solution.numberLineStep + 1).heading;
        // The answer, then the function's section.
        const qsizetype function = text.indexOf("\nФункция y = x² − 3x + 2\n");
        QVERIFY2(function > 0 && text.left(function).endsWith("\nОтвет: x ∈ (−∞; 1) ∪ (2; +∞)."),
            qPrintable(text));
        QVERIFY(text.indexOf(line) > 0 && text.indexOf(line) < text.indexOf(next.c_str())
            && !text.contains(QChar::ObjectReplacementCharacter));
        // A screen reader is told the same text: the signs, no picture, no joiner of −b/a.
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(window()->steps());
        QAccessibleTextInterface* said = read->textInterface();
        QVERIFY(said && read->role() == QAccessible::EditableText
            && read->text(QAccessible::Name) == "Решение");
        const QString heard = said->text(0, said->characterCount());
        QVERIFY(window()->steps()->toPlainText().contains(QChar(0x2060)));
        QVERIFY2(heard.contains("Знаки: + на") && !heard.contains(QChar::ObjectReplacementCharacter)
                && !heard.contains(QChar(0x2060)),
            qPrintable(heard));
        QCOMPARE(heard, text);
        // The document says the same, so that the caret is told where it is in that text.
        QString shown = window()->steps()->toPlainText();
        shown.replace(QChar::ObjectReplacementCharacter, line.trimmed()).remove(QChar(0x2060));
        QCOMPARE(shown.left(function), text.left(function)); // up to the table
        QTextDocument* document = window()->steps()->document();
        const auto picture = [&] {
            const QUrl url("quadratic:number-line");
            return document->resource(QTextDocument::ImageResource, url).value<QImage>();
        };
        const QImage light = picture();
        QVERIFY(!light.isNull() && light.devicePixelRatio() == window()->devicePixelRatioF());
        darken(*window());
        QVERIFY(picture() != light);
        window()->steps()->selectAll();
        if (putOnClipboard("before")) {
            keyInSolution(Qt::Key_C, Qt::ControlModifier);
            QVERIFY(QApplication::clipboard()->text().contains(line));
        }
        // The number line keeps within the steps, however narrow.
        window()->showSolution(
            ExplainEquation("2", "-50", "3", '.', std::nullopt, Relation::GreaterOrEqual));
        for (const int width : { 600, 250 }) {
            window()->steps()->setFixedWidth(width);
            QTRY_VERIFY(picture().deviceIndependentSize().width()
                <= window()->steps()->viewport()->width() - 2 * document->documentMargin() - 14);
        }
        // Rich text keeps the narrow spaces of grouped digits, which no line breaks at.
        window()->showSolution(ExplainEquation("1", "-100000", "0", '.'));
        QVERIFY2(steps().contains(u"= 10\u202F000\u202F000\u202F000"), qPrintable(steps()));
    }

    // The function's section after the answer: its table of values a real
    // table in the steps, which a screen reader's caret crosses without
    // losing its place; the table's points on the plot as dots, which
    // «Подписи» takes away; squared paper two squares to the unit, at any
    // pixel ratio, and the grid at the ticks where the squares would be
    // too small.
    void functionTableOnTheStepsAndThePlot()
    {
        EquationSolution solution = ExplainEquation("1", "-3", "2", '.');
        ValueTable table;
        const double xs[] = { 0, 0.5, 1, 1.5, 2, 2.5, 3 };
        for (const double x : xs) {
            const double y = solution.curve.at(x);
            table.xs.push_back(Formula(TextbookNumber(x, 6, '.')));
            table.ys.push_back(Formula(TextbookNumber(y, 6, '.')));
            solution.curve.table.emplace_back(x, y);
        }
        solution.function = { { "Таблица значений функции", { Formula("y = x² − 3x + 2") }, table },
            { "Свойства функции", { Formula("D(y) = (−∞; +∞)") }, std::nullopt } };
        const QString html = StepsHtml(solution, {});
        QVERIFY2(html.contains("<table") && html.count("<tr>") == 2
                && html.indexOf("<table") > html.indexOf("Ответ:"),
            qPrintable(html));

        solve("1", "-3", "2");
        form->Solution->open();
        window()->showSolution(solution);
        QTextDocument* document = window()->steps()->document();
        QTextTable* shown = nullptr;
        for (QTextFrame* frame : document->rootFrame()->childFrames())
            shown = shown ? shown : qobject_cast<QTextTable*>(frame);
        QVERIFY(shown && shown->rows() == 2 && shown->columns() == 8);
        QCOMPARE(shown->cellAt(0, 0).firstCursorPosition().block().text(), QString("x"));
        QCOMPARE(shown->cellAt(1, 2).firstCursorPosition().block().text(), QString("0.75"));
        // The plain text sets the table otherwise: the caret after it is
        // still told where it is.
        auto* view = static_cast<StepsView*>(window()->steps());
        const QString plain = view->toPlainText();
        const QString after = "Свойства функции";
        const int position = int(plain.indexOf(after));
        view->wholeText = view->plain(plain.left(shown->firstPosition())
            + "x | 0 | 0.5 | 1 | 1.5 | 2 | 2.5 | 3\ny | 2 | 0.75 | 0 | −0.25 | 0 | 0.75 | 2\n"
            + plain.mid(position));
        QVERIFY(position > shown->lastPosition());
        QCOMPARE(view->toPlain(position), int(view->wholeText.indexOf(after)));
        QCOMPARE(view->toDocument(int(view->wholeText.indexOf(after))), position);
        // So is the caret on a line of formulas before it, spaces and all.
        const QString answer = QString::fromUtf8(kAnswerWord);
        QCOMPARE(view->toPlain(int(plain.indexOf(answer))), int(view->wholeText.indexOf(answer)));
        QTextCursor caret(document);
        caret.setPosition(shown->cellAt(1, 3).firstPosition());
        view->setTextCursor(caret);
        QAccessibleTextInterface* said
            = QAccessible::queryAccessibleInterface(view)->textInterface();
        QVERIFY(said->cursorPosition() >= 0 && said->cursorPosition() <= said->characterCount());

        PlotWidget plot;
        plot.setCurve(solution.curve, "");
        const Ink ink = Ink::forPalette(plot.palette(), plot.font());
        const QSize size(480, 400);
        const auto pixel = [&](const QImage& image, double x, double y) {
            const QPointF at = plot.devicePoint(x, y, size) * image.devicePixelRatio();
            return image.pixelColor(at.toPoint());
        };
        for (const bool labels : { true, false }) {
            PlotOptions options;
            options.labels = labels;
            plot.setOptions(options);
            for (const qreal ratio : { 1.0, 2.0 }) {
                const QImage image = plot.render(size, ratio);
                for (const double x : { 0.5, 2.5 })
                    QCOMPARE(pixel(image, x, solution.curve.at(x)) == ink.text, labels);
            }
        }

        // Squared paper: a line every half unit across a row under the curve,
        // every quarter unit zoomed in.
        PlotOptions squared;
        squared.squared = true;
        plot.setOptions(squared);
        const struct {
            PlotBox view;
            double side; // units; none
        } views[] = { { { -2, 6, -2, 6 }, 0.5 }, { { -50, 50, -50, 50 }, 0 },
            { { 0.5, 2.5, -1, 1 }, 0.25 } };
        for (const auto& row : views) {
            plot.setView(row.view);
            for (const qreal ratio : { 1.0, 2.0 }) {
                const QImage image = plot.render(size, ratio);
                const double y = row.view.yMin + row.view.height() / 10;
                const int line = int(plot.devicePoint(0, y, size).y() * ratio);
                int coloured = 0;
                for (int x = 0; x < image.width(); ++x)
                    coloured += image.pixel(x, line) == ink.squares.rgb();
                if (row.side == 0) {
                    QCOMPARE(coloured, 0);
                    continue;
                }
                const double square
                    = (plot.devicePoint(row.side, y, size).x() - plot.devicePoint(0, y, size).x())
                    * ratio;
                QVERIFY(square >= 8 * ratio && square <= 60 * ratio);
                int lines = 0;
                const double first = std::ceil(row.view.xMin / row.side) * row.side;
                for (double x = first; x < row.view.xMax; x += row.side) {
                    if (x == 0 || x == row.view.xMin)
                        continue;
                    const int at = int(plot.devicePoint(x, y, size).x() * ratio);
                    bool found = false;
                    for (int dx = -1; dx <= 1; ++dx)
                        found = found || image.pixel(at + dx, line) == ink.squares.rgb();
                    QVERIFY2(found, qPrintable(QString::number(x)));
                    ++lines;
                }
                // Those lines and no others: as wide as a line each.
                QVERIFY2(coloured <= lines * int(std::ceil(ratio)) && lines > 5,
                    qPrintable(QString::number(coloured)));
            }
        }
    }

    // The rich text of a line: a formula's spaces non-breaking (~), a joiner
    // (^) where Qt would break after «/» or before «(», an ordinary space only
    // before a relation of the chain; digit groups kept for the document.
    void lineHtmlHoldsTermsTogether()
    {
        const struct {
            StepLine line;
            const char16_t* html;
        } rows[] = {
            { Formula("x₁ + x₂ = (25 + √619)/2 + (25 − √619)/2 = 25 = −b/a"),
                u"x₁~+~x₂ =~(25~+~√619)/^2~+~(25~−~√619)/^2 =~25~=~−b/^a" },
            { Formula("x ∈ (−∞; (25 − √619)/2] ∪ [(25 + √619)/2; +∞)") + Prose("."),
                u"x~∈~(−∞;~(25~−~√619)/^2] ∪~[^(25~+~√619)/^2;~+∞)." },
            { Formula("x₁ = (3 + √5)/2 ≈ 2,618"), u"x₁~=~(3~+~√5)/^2 ≈~2,618" },
            { Formula("a(x − x₁)(x − x₂) = −(x − 1)(x − 10\u202F000)"),
                u"a^(x~−~x₁)^(x~−~x₂) =~−^(x~−~1)^(x~−~10\uE000000)" },
            { Prose("Знак «+» <") + Formula("x"), u"Знак «+» &lt;x" },
        };
        for (const auto& row : rows) {
            const QString expected = QString::fromUtf16(row.html)
                                         .replace('~', QChar(0x00A0))
                                         .replace('^', QChar(0x2060));
            QCOMPARE(LineHtml(row.line), expected);
        }
    }

    // Laid out narrow, a line of the steps breaks only between runs or before
    // a relation of a chain, never inside a fraction, bracket or number.
    void formulasBreakOnlyBetweenPieces_data()
    {
        QTest::addColumn<QString>("coefficients");
        QTest::addColumn<int>("relation");
        for (const char* each : { "2;-50;3", "1;-20;1", "1;-3;1", "-1;-3;2" }) {
            for (const Relation relation : { Relation::Equal, Relation::GreaterOrEqual })
                QTest::addRow("%s %s", each, RelationText(relation).c_str())
                    << QString(each) << int(relation);
        }
    }

    void formulasBreakOnlyBetweenPieces()
    {
        QFETCH(QString, coefficients);
        QFETCH(int, relation);
        const QStringList k = coefficients.split(';');
        const EquationSolution solution = ExplainEquation(k[0].toStdString(), k[1].toStdString(),
            k[2].toStdString(), '.', std::nullopt, Relation(relation));
        std::vector<StepLine> lines { solution.answer };
        for (const SolutionStep& step : solution.steps)
            lines.insert(lines.end(), step.lines.begin(), step.lines.end());
        if (solution.numberLine)
            lines.push_back(NumberLineSigns(*solution.numberLine));
        for (const StepLine& line : lines) {
            // Where a line may start: anywhere in prose, at a run, at a piece.
            QList<int> allowed;
            int at = 0;
            for (const Run& run : line.runs) {
                const int length = int(QString::fromStdString(run.text).size());
                QList<int> pieces;
                int piece = 0;
                for (const std::string& each :
                    run.kind == Run::Formula ? ChainPieces(run) : std::vector<std::string>())
                    pieces << std::exchange(
                        piece, piece + int(QString::fromStdString(each).size()) + 1);
                for (int i = 0; i <= length; ++i) {
                    if (i == 0 || i == length || run.kind == Run::Prose || pieces.contains(i))
                        allowed << at + i;
                }
                at += length;
            }
            for (const int width : { 60, 140, 260 }) {
                QTextDocument document;
                document.setDefaultTextOption(QTextOption(Qt::AlignLeft));
                document.setTextWidth(width);
                document.setHtml(LineHtml(line));
                RestoreDigitGroupSpaces(&document);
                const QTextBlock block = document.firstBlock();
                document.documentLayout()->blockBoundingRect(block);
                const QString text = block.text();
                const QString plain = QString::fromStdString(PlainText(line));
                QTextLayout* layout = block.layout();
                for (int i = 1; i < layout->lineCount(); ++i) {
                    const int start = layout->lineAt(i).textStart();
                    const int offset = start - int(text.left(start).count(QChar(0x2060)));
                    const QString broken = QString::number(width) + " px: «" + plain.left(offset)
                        + "» ‖ «" + plain.mid(offset) + "»";
                    QVERIFY2(allowed.contains(offset), qPrintable(broken));
                }
                // The coefficients break after their commas.
                if (plain.startsWith("a = ") && width == 60)
                    QVERIFY2(layout->lineCount() >= 2, qPrintable(plain));
            }
        }
    }

    // Beside the main window where there is room, else below it, else in a
    // column beside it; on a tiny screen in the largest free band, smaller.
    void placementLeavesTheMainWindowInView_data()
    {
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("placed");
        QTest::addColumn<bool>("stacked");
        const QRect main(192, 107, 401, 430);
        row("1280x1024: beside, on the right", QRect(0, 0, 1280, 1024), main,
            QRect(601, 107, 679, 550), false);
        row("main at the right edge: on the left", QRect(0, 0, 1280, 1024), main.translated(678, 0),
            QRect(40, 107, 822, 550), false);
        row("main in the middle: below", QRect(0, 0, 1280, 800), QRect(440, 100, 401, 300),
            QRect(440, 408, 822, 392), false);
        row("1024x768 with a panel: a column", QRect(0, 0, 1024, 740), main,
            QRect(601, 0, 423, 740), true);
        row("800x600: smaller, in the widest band", QRect(0, 0, 800, 600), main,
            QRect(601, 50, 199, 550), true);
    }

    void placementLeavesTheMainWindowInView()
    {
        QFETCH(QRect, room);
        QFETCH(QRect, main);
        QFETCH(QRect, placed);
        QFETCH(bool, stacked);
        const SolutionPlacement place
            = PlaceSolution(room, main, { 822, 550 }, { 580, 260 }, { 340, 480 });
        QCOMPARE(place.frame, placed);
        QCOMPARE(place.stacked, stacked);
    }

    // The real window, its minimum sizes from the font: never past the
    // screen's edge, nor over the main window.
    void windowFitsTheScreen_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<bool>("stacked");
        QTest::newRow("1024x768, 9 pt: a column")
            << 9 << QRect(0, 0, 1024, 740) << QRect(192, 107, 401, 430) << true;
        QTest::newRow("1024x768, 11 pt: a narrow column")
            << 11 << QRect(0, 0, 1024, 740) << QRect(234, 130, 486, 489) << true;
        QTest::newRow("1280x1024, 11 pt: below")
            << 11 << QRect(0, 0, 1280, 1024) << QRect(234, 130, 486, 489) << false;
    }

    void windowFitsTheScreen()
    {
        QFETCH(int, points);
        QFETCH(QRect, room);
        QFETCH(QRect, main);
        QFETCH(bool, stacked);
        const auto restore
            = qScopeGuard([font = QApplication::font()] { QApplication::setFont(font); });
        QFont larger = QApplication::font();
        larger.setPointSize(points);
        QApplication::setFont(larger);
        QWidget framed;
        framed.show();
        QVERIFY(QTest::qWaitForWindowExposed(&framed));
        SolutionWindow placed(nullptr);
        placed.placeWithin(room, main, framed.frameGeometry().size() - framed.size());
        placed.show();
        QVERIFY(QTest::qWaitForWindowExposed(&placed));
        // A Wayland compositor places windows itself: there only the size tells.
        const QRect frame = placed.frameGeometry();
        const bool fits = QGuiApplication::platformName().startsWith("wayland")
            ? frame.width() <= room.width() && frame.height() <= room.height()
            : room.contains(frame) && !frame.intersects(main);
        QVERIFY2(fits, qPrintable(QDebug::toString(frame)));
        QCOMPARE(placed.splitter()->orientation(), stacked ? Qt::Vertical : Qt::Horizontal);
    }

    void plotTakesTheFocusAndFollowsTheKeys()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        PlotWidget* plot = window()->plot();
        QCOMPARE(plot->accessibleName(), QString("График"));
        QCOMPARE(QAccessible::queryAccessibleInterface(plot)->role(), QAccessible::Chart);
        QVERIFY(plot->accessibleDescription().startsWith(
            "Парабола y = x² − 3x + 2, ветви вверх, вершина (1.5; −0.25), пересекает ось x в "
            "точках 1 и 2, ось y в точке 2."));
        window()->steps()->setFocus();
        QTest::keyClick(window()->steps(), Qt::Key_Tab, Qt::ControlModifier);
        const PlotBox home = plot->view();
        plot->setFocus();
        const QString described = plot->accessibleDescription();
        QTest::keyClick(plot, Qt::Key_Plus);
        QVERIFY(plot->view().width() < home.width());
        const QString zoomed = plot->accessibleDescription();
        QVERIFY(zoomed != described);
        QTest::keyClick(plot, Qt::Key_Right);
        QVERIFY(plot->view().xMin > home.xMin);
        QVERIFY(plot->accessibleDescription() != zoomed);
        const double low = plot->view().yMin;
        QTest::keyClick(plot, Qt::Key_Up);
        QVERIFY(plot->view().yMin > low);
        QTest::keyClick(plot, Qt::Key_Home);
        QCOMPARE(plot->view().xMin, home.xMin);
        QCOMPARE(plot->view().yMax, home.yMax);

        // A name without a suffix takes the type chosen in the dialog.
        QTemporaryDir dir;
        const QString png = "Изображение PNG (*.png)", svg = "Рисунок SVG (*.svg)";
        const QString saves[][4] = { { "plot.png", png, "plot.png", "PNG" },
            { "plot.svg", png, "plot.svg", "<svg" }, { "drawing", svg, "drawing.svg", "<svg" },
            { "picture", png, "picture.png", "PNG" } };
        for (const auto& save : saves) {
            const QString &written = save[2], &holds = save[3];
            const PlotWidget::SaveChoice choice { dir.filePath(save[0]), save[1] };
            QString proposed;
            PlotWidget::chooseFileName = [choice, &proposed](QWidget*, const QString& name) {
                proposed = name;
                return choice;
            };
            QTest::keyClick(plot, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(proposed, QString("x2-3x+2=0.png"));
            QFile file(dir.filePath(written));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(written));
            const QByteArray head = file.read(300);
            QVERIFY2(holds == "<svg" ? head.contains("<svg") : head.startsWith("\x89PNG"),
                qPrintable(written));
        }
        // The picture is the plot alone: no hover readout.
        const QImage plain = plot->render(plot->size(), 1);
        QTest::mouseMove(plot, plot->rect().center());
        QCOMPARE(plot->render(plot->size(), 1), plain);
        if (putOnClipboard("before")) {
            QTest::keyClick(plot, Qt::Key_C, Qt::ControlModifier);
            QVERIFY(
                QTest::qWaitFor([&] { return !QApplication::clipboard()->image().isNull(); }, 500));
            // With the equation's caption line above the plot.
            const QImage copied = QApplication::clipboard()->image();
            QCOMPARE(copied.width(), int(plot->width() * plot->devicePixelRatioF()));
            QVERIFY(copied.height() > int(plot->height() * plot->devicePixelRatioF()) + 12);
        }
        // Esc leaves the trace first, and only then closes the window.
        keyInSolution(Qt::Key_T, Qt::NoModifier, plot);
        QVERIFY(plot->tracedX());
        keyInSolution(Qt::Key_Escape, Qt::NoModifier, plot);
        QVERIFY(!plot->tracedX() && window()->isVisible());
        keyInSolution(Qt::Key_Escape, Qt::NoModifier, plot);
        QVERIFY(!window()->isVisible());
    } // Coefficients at the ends of the single range, zoomed far in and out:
    // every frame is drawn, none hangs.
    void extremeCoefficientsDraw()
    {
        const char* texts[][3] = { { "3e38", "-3e38", "1e-45" }, { "1e-45", "1e-38", "-3e38" },
            { "1e-300", "3e38", "1" }, { "0", "1e-45", "3e38" } };
        PlotWidget plot;
        plot.resize(300, 200);
        for (const auto& t : texts) {
            plot.setCurve(ExplainEquation(t[0], t[1], t[2], '.').curve, "");
            for (const Qt::Key key : { Qt::Key_Minus, Qt::Key_Plus }) {
                for (int i = 0; i < 400; ++i) {
                    QTest::keyClick(&plot, key);
                    if (i % 50 == 0)
                        QVERIFY(!plot.render(plot.size(), 1).isNull());
                }
                const PlotBox view = plot.view();
                QVERIFY(std::isfinite(view.width()) && view.width() > 0 && view.height() > 0);
            }
        }
    }

    // The root marks lie where the curve crosses the x axis, in light and dark
    // palettes and at twice the scale; the curve stands out from the
    // background, stale (fainter) or not.
    void rootMarksLieWhereTheCurveCrossesTheAxis_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("stale");
        QTest::addColumn<int>("height");
        row("light", false, 1.0, false, 300);
        row("dark", true, 1.0, false, 300);
        row("light at scale 2", false, 2.0, false, 300);
        row("dark at scale 2", true, 2.0, false, 300);
        row("light, stale", false, 1.0, true, 300);
        row("dark, stale", true, 1.0, true, 300);
        row("light, tall", false, 1.0, false, 700);
    }

    void rootMarksLieWhereTheCurveCrossesTheAxis()
    {
        QFETCH(bool, dark);
        QFETCH(qreal, ratio);
        QFETCH(bool, stale);
        QFETCH(int, height);
        PlotWidget plot;
        if (dark)
            darken(plot);
        // An inactive window's palette that fades the text to under 4.5:1.
        QPalette faded = plot.palette();
        faded.setColor(QPalette::Inactive, QPalette::Text,
            dark ? QColor(0x70, 0x70, 0x70) : QColor(0x90, 0x90, 0x90));
        plot.setPalette(faded);
        plot.setCurve(ExplainEquation("1", "-3", "2", '.').curve, "");
        const QSize size(400, height);
        const QImage image = plot.render(size, ratio);
        QCOMPARE(image.size(), size * ratio);
        const QColor background = image.pixelColor(int(5 * ratio), int(5 * ratio));
        const auto at = [&](double x, double y) {
            const QPointF p = plot.devicePoint(x, y, size) * ratio;
            return image.pixelColor(int(p.x()), int(p.y()));
        };
        const auto reddish
            = [](const QColor& c) { return c.red() > c.green() + 60 && c.red() > c.blue() + 60; };
        for (const double root : { 1.0, 2.0 })
            QVERIFY2(reddish(at(root, 0)), qPrintable(QString::number(root)));
        // Halfway between the roots the axis holds no mark.
        QVERIFY(!reddish(at(1.5, 0)));
        // On the curve away from every mark and every point of the table of
        // values: the curve's colour, ≥ 3:1 against the background.
        const QColor curve = at(0.25, 1.3125);
        const auto contrast = [&](const QColor& c) { return ContrastRatio(c, background); };
        QVERIFY2(contrast(curve) >= 3.0, qPrintable(curve.name()));
        if (stale) {
            plot.setDimmed(true);
            const QImage faded = plot.render(size, ratio);
            const QPointF p = plot.devicePoint(0.25, 1.3125, size) * ratio;
            const QColor fainter = faded.pixelColor(int(p.x()), int(p.y()));
            QVERIFY2(
                contrast(fainter) >= 3.0 && fainter.hslSaturationF() < curve.hslSaturationF() / 2,
                qPrintable(fainter.name()));
            const QPointF root = plot.devicePoint(1, 0, size) * ratio;
            QVERIFY(contrast(faded.pixelColor(int(root.x()), int(root.y()))) >= 3.0);
        }
        // The y tick labels, left of the plot, the window inactive: ≥ 4.5:1 at their core.
        QVERIFY(!plot.isActiveWindow());
        double strongest = 0;
        const QPointF corner = plot.devicePoint(plot.view().xMin, plot.view().yMin, size) * ratio;
        for (int y = 0; y < int(corner.y()); ++y) {
            for (int x = 0; x < int(corner.x()) - 4; ++x)
                strongest = std::max(strongest, contrast(image.pixelColor(x, y)));
        }
        QVERIFY2(strongest >= 4.5, qPrintable(QString::number(strongest)));
    }

    // An inequality's solution is hatched just above the x axis and the curve
    // is heavier over it, its open ends hollow: x² − 3x + 2 > 0 on
    // (−∞; 1) ∪ (2; +∞), in a light and a dark palette.
    void solutionIsHatchedAlongTheAxis_data()
    {
        QTest::addColumn<bool>("dark");
        row("light", false);
        row("dark", true);
    }

    void solutionIsHatchedAlongTheAxis()
    {
        QFETCH(bool, dark);
        PlotWidget plot;
        if (dark)
            darken(plot);
        PlotCurve curve = ExplainEquation("1", "-3", "2", '.').curve;
        for (PlotPoint& point : curve.points)
            point.label.clear(); // labels may stand anywhere above the axis
        const QSize size(400, 300);
        plot.setCurve(curve, "");
        const QImage plain = plot.render(size, 1);
        curve.inequality = true;
        curve.solution = { { -qInf(), 1, false, false }, { 2, qInf(), false, false } };
        plot.setCurve(curve, "");
        const QImage marked = plot.render(size, 1);
        const QColor background = marked.pixelColor(5, 5);
        // Pixels standing out by 2:1 or more, 12 each way along `along` from (x, y), `up` px
        // higher.
        const auto ink = [&](const QImage& image, double x, double y, QPoint along, int up = 0) {
            const QPoint at = plot.devicePoint(x, y, size).toPoint() - QPoint(0, up);
            int count = 0;
            for (int i = -12; i <= 12; ++i)
                count += ContrastRatio(image.pixelColor(at + i * along), background) >= 2;
            return count;
        };
        for (const double x : { 0.5, 2.5, 1.3, 1.7 })
            QVERIFY2((ink(marked, x, 0, { 1, 0 }, 6) > 0) == (x < 1 || x > 2)
                    && ink(plain, x, 0, { 1, 0 }, 6) == 0,
                qPrintable(QString::number(x)));
        QVERIFY(ink(marked, 0.5, 0.75, { 0, 1 }) > ink(plain, 0.5, 0.75, { 0, 1 }) + 2);
        QCOMPARE(ink(marked, 1.25, -0.1875, { 0, 1 }), ink(plain, 1.25, -0.1875, { 0, 1 }));
        QVERIFY(ink(marked, 1, 0, {}) == 0 && ink(plain, 1, 0, {}) > 0);
    }

    // Every command is an action with its shortcut, listed in the context
    // menu in the same order.
    void commandsAreActionsInTheMenu()
    {
        PlotWidget plot;
        plot.setCurve(ExplainEquation("1", "-3", "2", '.').curve, "");
        const char* const rows[][2] = {
            { "Копировать график", "Ctrl+C" },
            { "Сохранить график…", "Ctrl+S" },
            { "Увеличить", "+" },
            { "Уменьшить", "-" },
            { "Исходный вид", "Home" },
            { "Сдвинуть влево", "Left" },
            { "Сдвинуть вверх", "Up" },
            { "Трассировка", "T" },
            { "Точка вправо", "Right" },
            { "Точка влево на десятую шага", "Shift+Left" },
            { "К следующему корню", "R" },
            { "К вершине", "V" },
            { "К пересечению с осью y", "I" },
            { "Выйти из трассировки", "Esc" },
        };
        for (const auto& row : rows) {
            const auto commands = plot.commands();
            const auto found = std::find_if(commands.begin(), commands.end(),
                [&](QAction* action) { return action->text() == row[0]; });
            QVERIFY2(found != commands.end(), row[0]);
            QCOMPARE((*found)->shortcut().toString(), QString(row[1]));
            QCOMPARE((*found)->shortcutContext(), Qt::WidgetShortcut);
            const QString native = (*found)->shortcut().toString(QKeySequence::NativeText);
            QVERIFY2(
                (*found)->toolTip().endsWith("(" + native + ")"), qPrintable((*found)->toolTip()));
        }
        // The window's menu names them with their keys, takes no key itself
        // (an open menu would hand its arrows to the plot) and gives each to the plot.
        solve("1", "-3", "2");
        form->Solution->open();
        QStringList named, expected;
        const auto graph = window()->findChild<QMenu*>("GraphMenu")->actions();
        for (QAction* entry : graph) {
            if (!entry->isSeparator())
                named << entry->text() + entry->shortcut().toString();
        }
        for (QAction* command : window()->plot()->commands())
            expected << command->text() + '\t'
                    + command->shortcut().toString(QKeySequence::NativeText);
        // Then how the graph is drawn: choices, not commands.
        expected << "&Подписи"
                 << "В &клетку";
        QCOMPARE(named, expected);
        const double wide = window()->plot()->view().xMax - window()->plot()->view().xMin;
        graph.value(3)->trigger();
        QVERIFY(window()->plot()->view().xMax - window()->plot()->view().xMin < wide);
        QCOMPARE(window()->focusWidget(), window()->plot());
        QList<QAction*> listed;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions()) {
                    if (!action->isSeparator())
                        listed << action;
                }
                menu->close();
            }
        });
        plot.show();
        QContextMenuEvent event(
            QContextMenuEvent::Keyboard, QPoint(10, 10), plot.mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(&plot, &event);
        if (listed.isEmpty() && QGuiApplication::platformName().startsWith("wayland"))
            QSKIP("a headless compositor without input opens no popup menu");
        QCOMPARE(listed, plot.commands());
    }

    // T starts the trace at the tick nearest the middle; the keys move the
    // point and each place is announced, in the comma separator.
    void traceMovesAndSpeaks_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("said");
        row("T", QKeySequence("T"), QString("Трассировка. x = 2; y = 0; корень"));
        row("T, Left", QKeySequence("T, Left"), QString("x = 1; y = 0; корень"));
        row("T, Shift+Left", QKeySequence("T, Shift+Left"), QString("x = 1,9; y = −0,09"));
        row("T, R", QKeySequence("T, R"), QString("x = 1; y = 0; корень"));
        row("T, R, R, R: round and round", QKeySequence("T, R, R, R"),
            QString("x = 1; y = 0; корень"));
        row("T, V", QKeySequence("T, V"), QString("x = 1,5; y = −0,25; вершина"));
        row("T, I", QKeySequence("T, I"), QString("x = 0; y = 2; пересечение с осью y"));
        row("T, Esc", QKeySequence("T, Esc"), QString("Трассировка выключена"));
    }

    void traceMovesAndSpeaks()
    {
        QFETCH(QKeySequence, keys);
        QFETCH(QString, said);
        PlotWidget plot;
        plot.resize(400, 300);
        plot.setCurve(ExplainEquation("1", "-3", "2", ',').curve, "");
        const PlotBox home = plot.view();
        for (int i = 0; i < keys.count(); ++i)
            QTest::keyClick(&plot, keys[i].key(), keys[i].keyboardModifiers());
        QCOMPARE(plot.lastAnnouncement(), said);
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        QVERIFY(plot.accessibleDescription().startsWith(said + ". "));
#endif
        QCOMPARE(plot.tracedX().has_value(), keys[keys.count() - 1].key() != Qt::Key_Escape);
        // The arrows move the point, not the view, while the trace runs.
        QCOMPARE(plot.view().xMin, home.xMin);
        const std::optional<double> before = plot.tracedX();
        QTest::keyClick(&plot, Qt::Key_Left);
        if (before)
            QVERIFY(plot.tracedX() != before);
        else
            QVERIFY(plot.view().xMin < home.xMin);
    }

    // Every mark's label stands a few pixels from it, on screen and on paper
    // alike (one painter), the roots' labels in the roots' order along x; a
    // root and the intercept a pixel apart share one label.
    void labelsStandByTheirMarks_data()
    {
        QTest::addColumn<QString>("coefficients");
        QTest::addColumn<Relation>("relation");
        QTest::addColumn<bool>("paper");
        QTest::addColumn<QSizeF>("size"); // on screen
        const QSizeF screen(400, 300), wide(482, 300);
        row("x² − 3x + 2 > 0 on screen", QString("1;-3;2"), Relation::Greater, false, screen);
        row("x² − 3x + 2 > 0 on paper", QString("1;-3;2"), Relation::Greater, true, screen);
        row("x² − 20x + 1 on screen", QString("1;-20;1"), Relation::Equal, false, screen);
        // The axis near the top of a wide plot, as a dark style's margins leave it.
        row("x² − 20x + 1 on a wide screen", QString("1;-20;1"), Relation::Equal, false, wide);
        row("x² − 20x + 1 on paper", QString("1;-20;1"), Relation::Equal, true, screen);
        row("−x² + 4x + 5 ≤ 0 on paper", QString("-1;4;5"), Relation::LessOrEqual, true, screen);
    }

    void labelsStandByTheirMarks()
    {
        QFETCH(QString, coefficients);
        QFETCH(Relation, relation);
        QFETCH(bool, paper);
        QFETCH(QSizeF, size);
        const QStringList k = coefficients.split(';');
        const EquationSolution solution = ExplainEquation(k[0].toStdString(), k[1].toStdString(),
            k[2].toStdString(), ',', std::nullopt, relation);
        std::vector<PlotLabel> labels;
        QTemporaryDir dir;
        if (paper) {
            QPdfWriter writer(dir.filePath("page.pdf"));
            SetSolutionPageLayout(writer);
            labels = PrintSolution(solution, writer).labels;
        } else {
            PlotWidget plot;
            plot.setCurve(solution.curve, "");
            QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
            QPainter painter(&image);
            labels = plot.paint(painter, size).labels;
        }
        std::vector<std::pair<double, double>> roots; // a root's x, its label's middle
        for (const PlotPoint& point : solution.curve.points) {
            const QString text = QString::fromStdString(point.label);
            const auto label = std::find_if(labels.begin(), labels.end(), [&](const PlotLabel& l) {
                return l.text == text || l.text.startsWith(text + "; ")
                    || l.text.endsWith("; " + text);
            });
            QVERIFY2(label != labels.end(), qPrintable(text));
            const QRectF& place = label->place;
            const QRectF& mark = label->mark;
            const double gap = std::max({ place.left() - mark.right(), mark.left() - place.right(),
                place.top() - mark.bottom(), mark.top() - place.bottom() });
            QVERIFY2(gap <= 10.5, qPrintable(text + ": " + QString::number(gap)));
            if (point.kind == PlotPoint::Root)
                roots.emplace_back(point.x, place.center().x());
        }
        std::sort(roots.begin(), roots.end());
        for (std::size_t i = 1; i < roots.size(); ++i)
            QVERIFY(roots[i - 1].second < roots[i].second);
        if (coefficients == "1;-20;1") {
            QVERIFY(std::any_of(labels.begin(), labels.end(),
                [](const PlotLabel& l) { return l.text == "x₂ ≈ 0,05013; (0; 1)"; }));
        }
    }

    // Stepped off the edge, the view follows the point, the x axis kept in
    // it, and comes back when the trace ends; the point is drawn on the
    // screen only, and copies carry the caption instead.
    void traceIsAnOverlayAndPicturesHaveACaption()
    {
        PlotWidget plot;
        plot.resize(400, 300);
        plot.setCurve(
            ExplainEquation("1", "-3", "2", ',', std::nullopt, Relation::Greater).curve, "");
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        const QImage rendered = plot.render(plot.size(), 1), copied = plot.picture(1);
        const QImage screen = plot.grab().toImage();
        QTest::keyClick(&plot, Qt::Key_T);
        QCOMPARE(plot.render(plot.size(), 1), rendered);
        QCOMPARE(plot.picture(1), copied);
        QVERIFY(plot.grab().toImage() != screen);
        const PlotBox found = plot.view();
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(&plot, Qt::Key_Right);
        QVERIFY(*plot.tracedX() <= plot.view().xMax && *plot.tracedX() >= plot.view().xMin);
        // Up the branch, the view grows rather than lose the x axis; Esc gives it back.
        QVERIFY(plot.view().yMin <= 0 && plot.view().yMax > found.yMax);
        QTest::keyClick(&plot, Qt::Key_Escape);
        QVERIFY(!plot.tracedX());
        QVERIFY(plot.view().xMin == found.xMin && plot.view().yMax == found.yMax);
        QCOMPARE(copied.width(), 400);
        QVERIFY(copied.height() > 300 + 12);
        QTemporaryDir dir;
        QVERIFY(plot.save(dir.filePath("plot.svg")));
        QFile svg(dir.filePath("plot.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(svg.readAll()).contains("x² − 3x + 2 &gt; 0"));
    }

    // The wheel zooms about the cursor; the plot stands the right way up.
    void wheelZoomsAboutTheCursorTheRightWayUp()
    {
        PlotWidget plot;
        plot.resize(400, 300);
        plot.setCurve(ExplainEquation("1", "-3", "2", '.').curve, "");
        const QPointF vertex = plot.devicePoint(1.5, -0.25, plot.size());
        QVERIFY(vertex.y() > plot.devicePoint(0, 2, plot.size()).y());
        const PlotBox before = plot.view();
        const double x = before.xMin + 0.3 * before.width();
        const QPointF at = plot.devicePoint(x, 1, plot.size());
        QWheelEvent wheel(at, plot.mapToGlobal(at), {}, { 0, 120 }, Qt::NoButton, Qt::NoModifier,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(&plot, &wheel);
        QVERIFY(plot.view().width() < before.width());
        const QPointF still = plot.devicePoint(x, 1, plot.size());
        QVERIFY2(std::hypot(still.x() - at.x(), still.y() - at.y()) < 0.01,
            qPrintable(QString("%1, %2").arg(still.x()).arg(still.y())));
    }

    // The menu «Решение» prints, saves a one-page PDF of real text and copies
    // LaTeX, for the equation and for the inequality, and does nothing
    // without a solution.
    void paperCommandsFromTheMenu()
    {
        solve("1", "-3", "2");
        form->Solution->open();
        auto* menu = window()->menuBar()->findChild<QMenu*>("SolutionMenu");
        QVERIFY(menu && menu->title() == "&Решение");
        auto* print = menu->findChild<QAction*>("PrintAction");
        auto* pdf = menu->findChild<QAction*>("SavePdfAction");
        auto* latex = menu->findChild<QAction*>("CopyLatexAction");
        QVERIFY(print && pdf && latex && print->shortcut() == QKeySequence(QKeySequence::Print));
        QTemporaryDir dir;
        const QString equationPdf = dir.filePath("equation.pdf"), printed = dir.filePath("printed");
        int asked = 0;
        QString proposed;
        SolutionWindow::choosePdfFileName = [&](QWidget*, const QString& name) {
            proposed = name;
            return ++asked, equationPdf;
        };
        SolutionWindow::confirmPrint = [&](QPrinter* printer, QWidget*) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printed);
            return true;
        };
        pdf->trigger();
        QCOMPARE(proposed, QString("x2-3x+2=0.pdf"));
        QCOMPARE(FileNameOf("2,5·10⁻⁹x² − 1 ≥ 0"), QString("2,5*10^-9x2-1>=0"));
        window()->relationBox()->setCurrentIndex(1);
        keyInSolution(Qt::Key_P, Qt::ControlModifier);
        int previewed = 0;
        SolutionWindow::showPrintPreview = [&previewed](QPrintPreviewDialog* dialog) {
            auto* pages = dialog->findChild<QPrintPreviewWidget*>();
            pages->updatePreview();
            previewed = pages->pageCount();
        };
        menu->findChild<QAction*>("PreviewAction")->trigger();
        QCOMPARE(previewed, pdfPages(printed));
        // The steps with the function's section, then the graph.
        QVERIFY(pdfPages(equationPdf) == 1 || pdfPages(equationPdf) == 2);
        // The inequality's steps leave the graph about 6 cm: it may go on over the next page.
        QVERIFY(pdfPages(printed) == 1 || pdfPages(printed) == 2);
        // All of it text and lines, the number line too: no pictures.
        QCOMPARE(pdfObjects(printed, "/Subtype\\s*/Image"), 0);
        // Steps longer than the page go on over the next.
        const QString small = dir.filePath("a6.pdf");
        QPdfWriter a6(small);
        a6.setPageSize(QPageSize(QPageSize::A6));
        const int pages = PrintSolution(ExplainEquation("1", "-3", "1", '.'), a6).pages;
        QVERIFY(pages > 1 && pdfPages(small) == pages);
        // but a short step, here the table of values with its heading, is never split.
        const QString table = dir.filePath("table.pdf");
        QPdfWriter tableA6(table);
        tableA6.setPageSize(QPageSize(QPageSize::A6));
        PrintSolution(ExplainEquation("1", "3", "1", ',', {}, Relation::Greater), tableA6);
        if (putOnClipboard("before")) {
            latex->trigger();
            QVERIFY(QApplication::clipboard()->text().contains(
                "\\textbf{Ответ:} $x \\in (-\\infty ; 1) \\hm{\\cup } (2; +\\infty )$."));
        }
        window()->showFailure("Текст «x» не является правильным числом.");
        pdf->trigger();
        QCOMPARE(asked, 1);
        keyInSolution(Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!window()->isVisible());
        const QString equation = pdfText(equationPdf), inequality = pdfText(printed);
        if (equation.isNull())
            QSKIP("pdftotext (poppler-utils) is not installed: the PDF's text is not read");
        for (const char* line : { "x² − 3x + 2 = 0", "Ответ: x₁ = 2, x₂ = 1.",
                 "Масштаб: 1 единица = 1 см", "Способ решения: По формуле" })
            QVERIFY2(equation.contains(line), qPrintable(line + ("\nin\n" + equation)));
        for (const char* line : { "x² − 3x + 2 > 0", "Ответ: x ∈ (−∞; 1) ∪ (2; +∞).",
                 "Знаки: + на (−∞; 1), − на (1; 2), + на (2; +∞)" })
            QVERIFY2(inequality.contains(line), qPrintable(line + ("\nin\n" + inequality)));
        QVERIFY(pdfText(small).contains("Ответ: x₁ = (3 + √5)/2, x₂ = (3 − √5)/2."));
        const QString tableText = pdfText(table);
        const qsizetype heading = tableText.indexOf("Таблица значений"),
                        end = tableText.indexOf("y 7,75", heading);
        QVERIFY2(heading > 0 && end > heading
                && !tableText.sliced(heading, end - heading).contains('\f'),
            qPrintable(tableText));
    }

    // On paper the graph is drawn at one unit to the centimetre where it
    // fits, else at the scale printed under it.
    void graphIsDrawnToScale_data()
    {
        QTest::addColumn<QString>("coefficients");
        QTest::addColumn<double>("xMm");
        QTest::addColumn<double>("yMm");
        QTest::addRow("1, -3, 2 at 1 cm") << "1;-3;2" << 10.0 << 10.0;
        QTest::addRow("1, 2, 5 at 1 cm") << "1;2;5" << 10.0 << 10.0;
        QTest::addRow("1, 0, -400 per axis") << "1;0;-400" << 2.0 << 0.2;
        // Small, but drawn by its table of values as a pupil draws it.
        QTest::addRow("1, 0, -0,25 by its table at 1 cm") << "1;0;-0,25" << 10.0 << 10.0;
    }
    void graphIsDrawnToScale()
    {
        QFETCH(QString, coefficients);
        QFETCH(double, xMm);
        QFETCH(double, yMm);
        const QStringList k = coefficients.split(';');
        const EquationSolution solution
            = ExplainEquation(k[0].toStdString(), k[1].toStdString(), k[2].toStdString(), ',');
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath("page.pdf"));
        SetSolutionPageLayout(writer);
        const PrintedSolution printed = PrintSolution(solution, writer);
        QVERIFY(printed.pages == 1 || printed.pages == 2);
        QCOMPARE(printed.scale.xMm, xMm);
        QCOMPARE(printed.scale.yMm, yMm);
        QVERIFY2(std::abs(printed.xUnitMm - xMm) < 1e-6 * xMm
                && std::abs(printed.yUnitMm - yMm) < 1e-6 * yMm,
            qPrintable(QString("%1 × %2 mm").arg(printed.xUnitMm).arg(printed.yUnitMm)));
    }
};

QUADRATIC_GUI_TEST_MAIN(SolutionTest)
#include "SolutionTest.moc"
