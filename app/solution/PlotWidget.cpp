#include "PlotWidget.h"

#include "ExactNumbers.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QSvgGenerator>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kLeft = 60, kRight = 12, kTop = 12, kBottom = 28;

double luminance(const QColor& color)
{
    const auto channel
        = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF())
        + 0.0722 * channel(color.blueF());
}

double contrast(const QColor& x, const QColor& y)
{
    const double lx = luminance(x), ly = luminance(y);
    return (std::max(lx, ly) + 0.05) / (std::min(lx, ly) + 0.05);
}

// The colour moved towards white on a dark background, towards black on a
// light one, until it stands out by at least 3:1.
QColor standingOut(QColor color, const QColor& background)
{
    const bool dark = luminance(background) < 0.2;
    for (int step = 0; step < 20 && contrast(color, background) < 3.0; ++step)
        color = dark ? color.lighter(115) : color.darker(115);
    if (contrast(color, background) < 3.0)
        color = dark ? Qt::white : Qt::black;
    return color;
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

} // namespace

std::function<QString(QWidget*)> PlotWidget::chooseFileName = [](QWidget* parent) {
    return QFileDialog::getSaveFileName(
        parent, "Сохранить график", "график.png", "Изображение PNG (*.png);;Рисунок SVG (*.svg)");
};

PlotWidget::PlotWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Plot");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName("График");
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlotWidget::setCurve(const PlotCurve& curve, const std::string& description)
{
    m_empty = false;
    m_curve = curve;
    m_description = description;
    m_home = FitView(curve);
    setView(m_home);
}

void PlotWidget::clear(const std::string& message)
{
    m_empty = true;
    m_curve = PlotCurve {};
    m_description = message;
    setAccessibleDescription(qs(message) + ".");
    update();
}

void PlotWidget::setDimmed(bool dimmed)
{
    m_dimmed = dimmed;
    update();
}

void PlotWidget::setView(const PlotBox& view)
{
    m_view = view;
    describe();
    update();
}

void PlotWidget::resetView() { setView(m_home); }

// One sentence of what is seen, and the part of the plane that is visible.
void PlotWidget::describe()
{
    const auto value = [this](double v, double span) {
        return qs(TickLabel(v, span / 1000, m_curve.separator));
    };
    setAccessibleDescription(qs(m_description) + ". Видно x от "
        + value(m_view.xMin, m_view.width()) + " до " + value(m_view.xMax, m_view.width())
        + ", y от " + value(m_view.yMin, m_view.height()) + " до "
        + value(m_view.yMax, m_view.height()) + ".");
}

QRectF PlotWidget::plotArea(QSizeF size) const
{
    return QRectF(kLeft, kTop, std::max(1.0, size.width() - kLeft - kRight),
        std::max(1.0, size.height() - kTop - kBottom));
}

QPointF PlotWidget::toDevice(double x, double y, const QRectF& area) const
{
    return { area.left() + (x - m_view.xMin) / m_view.width() * area.width(),
        area.top() + (m_view.yMax - y) / m_view.height() * area.height() };
}

QPointF PlotWidget::toData(QPointF position) const
{
    const QRectF area = plotArea(size());
    return { m_view.xMin + (position.x() - area.left()) / area.width() * m_view.width(),
        m_view.yMax - (position.y() - area.top()) / area.height() * m_view.height() };
}

void PlotWidget::paint(QPainter& painter, QSizeF size) const
{
    const QPalette& colors = palette();
    const QColor background = colors.color(QPalette::Base);
    const QColor ink = colors.color(QPalette::Text);
    if (m_empty) {
        painter.fillRect(QRectF(QPointF(0, 0), size), background);
        painter.setPen(ink);
        painter.drawText(
            QRectF(QPointF(0, 0), size), Qt::AlignCenter | Qt::TextWordWrap, qs(m_description));
        return;
    }
    const QColor curveColor = standingOut(colors.color(QPalette::Highlight), background);
    const QColor markColor = standingOut(QColor(0xd0, 0x40, 0x2b), background);
    // Opaque: the raster engine blends each translucent line on its own,
    // many times slower than it fills an opaque rectangle.
    const QColor gridColor = QColor::fromRgbF(0.85f * background.redF() + 0.15f * ink.redF(),
        0.85f * background.greenF() + 0.15f * ink.greenF(),
        0.85f * background.blueF() + 0.15f * ink.blueF());

    // Straight axis-parallel lines are filled rectangles and need no
    // antialiasing; the curve and the marks get it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(QPointF(0, 0), size), background);
    const QRectF area = plotArea(size);
    const auto vertical = [&](double x, double width, const QColor& color) {
        painter.fillRect(QRectF(x - width / 2, area.top(), width, area.height()), color);
    };
    const auto horizontal = [&](double y, double width, const QColor& color) {
        painter.fillRect(QRectF(area.left(), y - width / 2, area.width(), width), color);
    };

    // Grid and tick labels, at origin + i·step.
    const QFontMetricsF metrics(painter.font());
    const TickRange xs = NiceTicks(m_view.xMin, m_view.xMax, std::max(2, int(area.width() / 70)));
    const TickRange ys = NiceTicks(m_view.yMin, m_view.yMax, std::max(2, int(area.height() / 50)));
    for (long long i = xs.first; i <= xs.last; ++i)
        vertical(toDevice(xs.at(i), 0, area).x(), 1, gridColor);
    for (long long i = ys.first; i <= ys.last; ++i)
        horizontal(toDevice(0, ys.at(i), area).y(), 1, gridColor);
    painter.setPen(ink);
    for (long long i = xs.first; i <= xs.last; ++i) {
        const QString label = qs(TickLabel(xs.at(i), xs.step, m_curve.separator));
        const double x = toDevice(xs.at(i), 0, area).x();
        const double width = metrics.horizontalAdvance(label) + 2;
        painter.drawText(QRectF(std::clamp(x - width / 2, 0.0, std::max(0.0, size.width() - width)),
                             area.bottom() + 4, width, kBottom - 4),
            Qt::AlignHCenter | Qt::AlignTop, label);
    }
    for (long long i = ys.first; i <= ys.last; ++i) {
        const QString label = qs(TickLabel(ys.at(i), ys.step, m_curve.separator));
        const double y = toDevice(0, ys.at(i), area).y();
        painter.drawText(QRectF(0, y - 10, kLeft - 6, 20), Qt::AlignRight | Qt::AlignVCenter,
            metrics.elidedText(label, Qt::ElideMiddle, kLeft - 8));
    }

    if (m_view.xMin <= 0 && m_view.xMax >= 0)
        vertical(toDevice(0, 0, area).x(), 1.5, ink);
    if (m_view.yMin <= 0 && m_view.yMax >= 0)
        horizontal(toDevice(0, 0, area).y(), 1.5, ink);
    painter.save();
    painter.setClipRect(area);

    painter.setRenderHint(QPainter::Antialiasing);
    if (m_dimmed)
        painter.setOpacity(0.4);
    // Each piece of a parabola is one quadratic Bézier: its control point is
    // where the tangents at the ends meet. Pieces stay within a band one view
    // high about the view, so no coordinate is ever far off the widget.
    QPainterPath path;
    for (const auto& [u, v] : VisiblePieces(m_curve, m_view, m_view.height())) {
        const double fu = m_curve.at(u);
        path.moveTo(toDevice(u, fu, area));
        const double slope = 2 * m_curve.a * u + m_curve.b;
        if (m_curve.a == 0) {
            path.lineTo(toDevice(v, m_curve.at(v), area));
        } else {
            path.quadTo(toDevice((u + v) / 2, fu + slope * (v - u) / 2, area),
                toDevice(v, m_curve.at(v), area));
        }
    }
    painter.setPen(QPen(curveColor, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();

    // The marked points, or an arrow at the edge towards those outside.
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_dimmed)
        painter.setOpacity(0.4); // A label that would cover one already drawn moves on, up or down,
    // within the plot.
    std::vector<QRectF> taken;
    const auto freePlace = [&](QRectF box, bool upwards) {
        for (int attempt = 0; attempt < 6; ++attempt) {
            const bool clear = std::none_of(
                taken.begin(), taken.end(), [&](const QRectF& t) { return t.intersects(box); });
            if (clear)
                break;
            box.translate(0, upwards ? -box.height() : box.height());
            if (box.top() < area.top() || box.bottom() > area.bottom()) {
                upwards = !upwards;
                box.moveTop(std::clamp(box.top(), area.top(), area.bottom() - box.height()));
            }
        }
        taken.push_back(box);
        return box;
    };
    // The roots last, so that a root on the vertex (D = 0) keeps its colour.
    std::vector<const PlotPoint*> order;
    for (const PlotPoint& point : m_curve.points)
        order.push_back(&point);
    std::stable_partition(
        order.begin(), order.end(), [](const PlotPoint* p) { return p->kind != PlotPoint::Root; });
    for (const PlotPoint* mark : order) {
        const PlotPoint& point = *mark;
        const QString label = qs(point.label);
        if (m_view.contains(point.x, point.y)) {
            const QPointF at = toDevice(point.x, point.y, area);
            painter.setPen(QPen(background, 1.5));
            painter.setBrush(point.kind == PlotPoint::Root ? markColor : curveColor);
            painter.drawEllipse(at, 4.5, 4.5);
            painter.setPen(ink);
            const QRectF box = metrics.boundingRect(label).adjusted(-2, 0, 2, 0);
            // Roots labelled above the axis, the vertex on its outer side.
            const bool below = point.kind == PlotPoint::Vertex && m_curve.a > 0;
            QPointF corner = at + QPointF(7, below ? 4 : -4 - box.height());
            if (corner.x() + box.width() > area.right())
                corner.setX(std::clamp(at.x() - box.width() / 2, area.left(),
                    std::max(area.left(), area.right() - box.width())));
            corner.setY(std::clamp(corner.y(), area.top(), area.bottom() - box.height()));
            painter.drawText(freePlace(QRectF(corner, box.size()), !below), Qt::AlignCenter, label);
            continue;
        }
        // Off the view: where the line from the view's centre leaves it.
        const double cx = (m_view.xMin + m_view.xMax) / 2, cy = (m_view.yMin + m_view.yMax) / 2;
        double dx = (point.x - cx) / m_view.width(), dy = (point.y - cy) / m_view.height();
        if (!std::isfinite(dx) || !std::isfinite(dy))
            continue;
        const double scale = 0.5 / std::max(std::fabs(dx), std::fabs(dy));
        dx *= scale;
        dy *= scale;
        const QPointF tip(area.center().x() + dx * (area.width() - 8),
            area.center().y() - dy * (area.height() - 8));
        const double angle = std::atan2(-dy * area.height(), dx * area.width());
        const QPointF back(std::cos(angle), std::sin(angle));
        const QPointF side(-back.y(), back.x());
        QPolygonF arrow;
        arrow << tip << tip - back * 10 + side * 5 << tip - back * 10 - side * 5;
        painter.setPen(Qt::NoPen);
        painter.setBrush(markColor);
        painter.drawPolygon(arrow);
        painter.setPen(ink);
        const QRectF box = metrics.boundingRect(label).adjusted(-2, 0, 2, 0);
        QPointF corner = tip - back * 14 - QPointF(box.width() / 2, box.height() / 2);
        corner.setX(std::clamp(corner.x(), area.left(), area.right() - box.width()));
        corner.setY(std::clamp(corner.y(), area.top(), area.bottom() - box.height()));
        painter.drawText(freePlace(QRectF(corner, box.size()), dy < 0), Qt::AlignCenter, label);
    }
    painter.restore();

    if (m_hover && area.contains(*m_hover)) {
        const QPointF at = toData(*m_hover);
        const double y = m_curve.at(at.x());
        const QString text = "x = " + qs(TypesetApproximation(at.x(), m_curve.separator)) + ";  y "
            + (std::isfinite(y) ? "= " + qs(TypesetApproximation(y, m_curve.separator))
                                : QString("вне диапазона"));
        const QRectF box = metrics.boundingRect(text).adjusted(-4, -2, 4, 2);
        const QRectF place(area.topRight() + QPointF(-box.width() - 4, 4), box.size());
        painter.fillRect(place, background);
        painter.setPen(ink);
        painter.drawText(place, Qt::AlignCenter, text);
    }
    vertical(area.left(), 1, gridColor);
    vertical(area.right(), 1, gridColor);
    horizontal(area.top(), 1, gridColor);
    horizontal(area.bottom(), 1, gridColor);
}

void PlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint(painter, size());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

QImage PlotWidget::render(QSize size, qreal pixelRatio) const
{
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    QPainter painter(&image);
    painter.setFont(font());
    paint(painter, size);
    return image;
}

bool PlotWidget::save(const QString& fileName) const
{
    if (fileName.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(fileName);
        svg.setSize(size());
        svg.setViewBox(QRect(QPoint(0, 0), size()));
        svg.setTitle("График");
        svg.setDescription(accessibleDescription());
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        painter.setFont(font());
        paint(painter, size());
        return painter.end();
    }
    return render(size(), devicePixelRatioF()).save(fileName, "PNG");
}

void PlotWidget::copyToClipboard() const
{
    QGuiApplication::clipboard()->setImage(render(size(), devicePixelRatioF()));
}

void PlotWidget::saveAs()
{
    QString name = chooseFileName(this);
    if (name.isEmpty())
        return;
    if (!name.endsWith(".svg", Qt::CaseInsensitive) && !name.endsWith(".png", Qt::CaseInsensitive))
        name += ".png";
    if (!save(name))
        QMessageBox::warning(
            this, "Решение и график", "Не удалось сохранить график в файл «" + name + "».");
}

void PlotWidget::zoomAbout(double factor, QPointF position)
{
    const QPointF at = toData(position);
    setView(Zoomed(m_view, factor, at.x(), at.y()));
}

void PlotWidget::panBy(double fx, double fy)
{
    setView(Panned(m_view, fx * m_view.width(), fy * m_view.height()));
}

void PlotWidget::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0)
        zoomAbout(std::pow(0.8, steps), event->position());
    event->accept();
}

void PlotWidget::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) {
        m_dragFrom = event->position();
        m_dragView = m_view;
    }
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event)
{
    m_hover = event->position();
    if (m_dragFrom && (event->buttons() & Qt::LeftButton)) {
        const QRectF area = plotArea(size());
        const QPointF moved = event->position() - *m_dragFrom;
        setView(Panned(m_dragView, -moved.x() / area.width() * m_dragView.width(),
            moved.y() / area.height() * m_dragView.height()));
        return;
    }
    update();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent*) { m_dragFrom.reset(); }

void PlotWidget::mouseDoubleClickEvent(QMouseEvent*) { resetView(); }

void PlotWidget::leaveEvent(QEvent*)
{
    m_hover.reset();
    update();
}

void PlotWidget::keyPressEvent(QKeyEvent* event)
{
    const QPointF center = plotArea(size()).center();
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
    } else if (event->matches(QKeySequence::Save)) {
        saveAs();
    } else if (event->key() == Qt::Key_Home) {
        resetView();
    } else if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal) {
        zoomAbout(0.8, center);
    } else if (event->key() == Qt::Key_Minus || event->key() == Qt::Key_Underscore) {
        zoomAbout(1.25, center);
    } else if (event->key() == Qt::Key_Left) {
        panBy(-0.1, 0);
    } else if (event->key() == Qt::Key_Right) {
        panBy(0.1, 0);
    } else if (event->key() == Qt::Key_Up) {
        panBy(0, 0.1);
    } else if (event->key() == Qt::Key_Down) {
        panBy(0, -0.1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PlotWidget::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.setObjectName("PlotMenu");
    menu.addAction("Копировать график", this, &PlotWidget::copyToClipboard)
        ->setShortcut(QKeySequence::Copy);
    menu.addAction("Сохранить график…", this, &PlotWidget::saveAs)->setShortcut(QKeySequence::Save);
    menu.exec(event->globalPos());
}
