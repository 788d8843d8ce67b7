// Turns the program's SVG drawings into what it loads at run time, so that
// the program needs no SVG library to start: PNG files for the icon, and for
// the picture a recording of its painting commands, which QPicture replays
// as vectors (sharp at any scale, the same pixels as the SVG).
//   render-drawing DRAWING.svg OUT.png SIZE   a SIZE × SIZE PNG
//   render-drawing DRAWING.svg OUT.pic        the recording, at the drawing's own size
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool writePng(QSvgRenderer& drawing, const QString& file, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter);
    painter.end();
    return image.save(file);
}

bool writeRecording(QSvgRenderer& drawing, const QString& file)
{
    QPicture recording;
    // Set before painting ends, the bounds are saved with the recording:
    // they carry the drawing's own size, whatever its shapes cover.
    recording.setBoundingRect(QRect(QPoint(0, 0), drawing.defaultSize()));
    QPainter painter(&recording);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing.render(&painter, QRectF(QPointF(0, 0), drawing.defaultSize()));
    painter.end();
    return recording.save(file);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const bool png = out.endsWith(".png") && argc == 4;
    if (!png && !(out.endsWith(".pic") && argc == 3)) {
        std::fprintf(stderr,
            "usage: render-drawing DRAWING.svg OUT.png SIZE\n"
            "       render-drawing DRAWING.svg OUT.pic\n");
        return 2;
    }
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
    if (!drawing.isValid()) {
        std::fprintf(stderr, "render-drawing: cannot read %s\n", argv[1]);
        return 1;
    }
    if (!(png ? writePng(drawing, out, QString(argv[3]).toInt()) : writeRecording(drawing, out))) {
        std::fprintf(stderr, "render-drawing: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
