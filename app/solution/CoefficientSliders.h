// The coefficients a, b and c under the plot, each a slider with a number box
// beside it and a button that sets the slider's range and step, so that a
// teacher can move one and let the class watch the steps and the parabola
// follow. They start at the coefficients the main window has solved; every
// move (slider or box) emits `moved`, and the window explains the equation of
// `texts()`. Numbers are shown and typed with the solved equation's decimal
// separator and a true minus sign, in the steps' notation (2,5·10⁹); a box
// holds any value Solve takes. The range of a slider follows its value until
// one is set by hand; a value typed inside a range keeps it, one typed
// outside centres a range on the value.
#pragma once

#include <QDoubleSpinBox>
#include <QWidget>

#include <array>
#include <cmath>
#include <string>

class QSlider;
class QToolButton;

// A number box in a separator of its own (not the locale's), with − for the
// minus sign; Home and End go to the ends of its range, as on a slider and as
// screen readers expect of a spin button.
class CoefficientBox : public QDoubleSpinBox {
    Q_OBJECT

public:
    explicit CoefficientBox(QWidget* parent = nullptr);
    void setSeparator(char separator) { m_separator = separator; }
    void setEnds(double from, double to)
    {
        m_from = from;
        m_to = to;
    }
    QString textFromValue(double value) const override;
    double valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& position) const override;
    // The width at which the style leaves `text` room in the edit field.
    int widthFor(const QString& text) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    char m_separator = '.';
    double m_from = -10, m_to = 10;
};

class CoefficientSliders : public QWidget {
    Q_OBJECT

public:
    explicit CoefficientSliders(QWidget* parent = nullptr);

    // The values the rows start from, each slider's range fitted to its own;
    // emits nothing.
    void setCoefficients(const std::array<double, 3>& values, char separator);
    std::array<std::string, 3> texts() const;
    double value(int row) const;

    // A range set by hand; the value is kept within it.
    void setRange(int row, double from, double to, double step);
    double from(int row) const { return m_rows[row].from; }
    double to(int row) const { return m_rows[row].to; }
    double step(int row) const { return m_rows[row].step; }

    // Every control carries the summary in its accessible description; the
    // focused one tells screen readers that it changed.
    void describe(const QString& summary);
    // The control that told screen readers last.
    QWidget* lastTold() const { return m_told; }

    // Row by row: slider, box, range button.
    void setTabOrderAfter(QWidget* previous);
    // Shorter sliders, for a narrow column of the screen.
    void setNarrow(bool narrow);

    QSlider* slider(int row) const { return m_rows[row].slider; }
    CoefficientBox* box(int row) const { return m_rows[row].box; }
    QToolButton* rangeButton(int row) const { return m_rows[row].button; }

    // The range a slider takes for `value`: centred on it, ten times its
    // order either way (1 ± 10, 2,5·10⁹ ± 10¹⁰), in steps of a hundredth of
    // its order, so that neither a step nor a page (ten steps) takes it to
    // another order; 0 ± 10 in steps of 0,1 for 0.
    struct Range {
        double from, to, step;
    };
    static Range RangeFor(double value);

signals:
    void moved();

private:
    struct Row {
        QSlider* slider = nullptr;
        CoefficientBox* box = nullptr;
        QToolButton* button = nullptr;
        double from = -10, to = 10, step = 0.1;
        // The slider's position nearest `value`: whole steps from `from`.
        int position(double value) const { return int(std::lround((value - from) / step)); }
    };
    void applyRange(int row, const Range& range);
    void sliderMoved(int row, int position);
    void boxChanged(int row, double value);
    void editRange(int row);

    std::array<Row, 3> m_rows;
    char m_separator = '.';
    QWidget* m_told = nullptr;
};
