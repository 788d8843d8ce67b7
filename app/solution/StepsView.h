// The steps pane of «Решение и график»: selectable rich text whose copy is
// plain text. Ctrl+C with nothing selected copies the whole solution as the
// plain-text writer gives it (PlainText.h), and a screen reader is given
// that same text, with the view's caret and selection mapped onto it; a
// selection's copy has the number line's picture as its line of signs.
#pragma once

#include <QTextEdit>

#include <functional>

class StepsView : public QTextEdit {
public:
    StepsView();

    // What stands for the number line's picture in a copy: its line of signs.
    QString pictureText;
    // The solution shown, as plain text; empty where none is.
    QString wholeText;
    // Called when the palette has changed (a theme, the stale fading) or the
    // pixel ratio differs from the picture's (another screen).
    std::function<void()> repaintPicture;
    qreal pictureRatio = 0;

    // Document text as plain text: the picture as its signs, no joiners.
    QString plain(QString text) const;
    // What is copied and read out: the solution, or the text that stands
    // in its place.
    QString whole() const;

    // A position in the document as an offset in whole(), and back: the
    // document has a joiner where the plain text has nothing and the picture
    // where it has the line of signs.
    int toPlain(int position) const { return mapped(position, true); }
    int toDocument(int offset) const { return mapped(offset, false); }

protected:
    QMimeData* createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The number line is drawn as wide as the steps are.
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int mapped(int from, bool forward) const;
};
