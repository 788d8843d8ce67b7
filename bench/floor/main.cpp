// The floor for start-up: a bare Qt 6 window holding the same twelve widgets
// at the same places, and nothing else (no form description, no picture,
// no translations, no handlers).
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Floor");
    window.setFixedSize(399, 401);
    const auto place = [&](QWidget* widget, int x, int y, int w, int h) {
        widget->setParent(&window);
        widget->setGeometry(x + 1, y + 1, w, h);
    };
    place(new QLabel("Введите любые действительные числа: a, b, c."), 8, 0, 377, 25);
    place(new QLabel("a"), 16, 40, 33, 25);
    place(new QLabel("b"), 136, 40, 41, 25);
    place(new QLabel("c"), 272, 40, 49, 25);
    place(new QLabel, 8, 88, 393, 57);
    place(new QLabel, 80, 160, 185, 185);
    place(new QLineEdit, 56, 40, 65, 21);
    place(new QLineEdit, 184, 40, 73, 21);
    place(new QLineEdit, 320, 40, 73, 21);
    place(new QPushButton("Решать"), -8, 352, 129, 41);
    place(new QPushButton("Очистить"), 136, 352, 121, 41);
    place(new QPushButton("Выход"), 272, 352, 113, 41);
    window.show();
    return app.exec();
}
