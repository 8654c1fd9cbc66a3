// Draws the program's pictures and icons: the main window's glossy blue rose,
// the 32 x 32 window icons in 16 colours, the about dialog's emblem and the
// large icon for the desktop menu. Run it to remake them:
//
//     make_assets <assets folder>
//
// Every picture is painted from geometry alone, so a run gives the same files.

#include <cmath>
#include <cstdio>
#include <functional>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr double Pi = 3.14159265358979323846;

// A petal standing on the centre, pointing up, before rotation: a cup with a
// rounded, slightly notched edge.
QPainterPath petalPath(double length, double width)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.cubicTo(-width * 0.9, -length * 0.25, -width * 1.05, -length * 0.85, -width * 0.35, -length);
    path.quadTo(0, -length * 0.93, width * 0.35, -length);
    path.cubicTo(width * 1.05, -length * 0.85, width * 0.9, -length * 0.25, 0, 0);
    return path;
}

void paintPetal(QPainter& p, QPointF centre, double angle, double length, double width, double shade)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    const QPainterPath petal = petalPath(length, width);

    QLinearGradient body(0, 0, 0, -length);
    body.setColorAt(0.0, QColor::fromHsvF(0.61, 0.95, 0.18 + 0.1 * shade));
    body.setColorAt(0.55, QColor::fromHsvF(0.60, 0.85, 0.45 + 0.2 * shade));
    body.setColorAt(1.0, QColor::fromHsvF(0.58, 0.55, 0.80 + 0.15 * shade));
    p.setPen(QPen(QColor::fromHsvF(0.62, 0.9, 0.15), length * 0.012));
    p.setBrush(body);
    p.drawPath(petal);

    // The gloss: a bright streak along one side of the cup and a soft sheen.
    QPainterPath streak;
    streak.moveTo(-width * 0.15, -length * 0.2);
    streak.cubicTo(-width * 0.65, -length * 0.45, -width * 0.7, -length * 0.8, -width * 0.3, -length * 0.93);
    streak.cubicTo(-width * 0.45, -length * 0.75, -width * 0.4, -length * 0.45, -width * 0.15, -length * 0.2);
    QLinearGradient shine(0, -length * 0.2, 0, -length * 0.95);
    shine.setColorAt(0.0, QColor(255, 255, 255, 0));
    shine.setColorAt(0.7, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawPath(streak);

    QRadialGradient sheen(QPointF(width * 0.25, -length * 0.7), width * 0.6);
    sheen.setColorAt(0.0, QColor(220, 235, 255, 90));
    sheen.setColorAt(1.0, QColor(220, 235, 255, 0));
    p.setBrush(sheen);
    p.drawPath(petal);
    p.restore();
}

// The bloom: rings of petals from the outside in, then the tight bud.
void paintBloom(QPainter& p, QPointF centre, double radius)
{
    struct Ring {
        int petals;
        double length;
        double width;
        double offset;
        double shade;
    };
    const Ring rings[] = {
        {7, 1.00, 0.50, 0.0, 0.0},
        {6, 0.82, 0.46, 25.0, 0.25},
        {5, 0.64, 0.42, 11.0, 0.5},
        {4, 0.46, 0.38, 47.0, 0.75},
    };
    for (const Ring& ring : rings) {
        for (int k = 0; k < ring.petals; ++k) {
            const double angle = ring.offset + 360.0 * k / ring.petals;
            paintPetal(p, centre, angle, radius * ring.length, radius * ring.width, ring.shade);
        }
    }
    // The bud: a spiral of narrowing arcs.
    p.save();
    p.translate(centre);
    for (int k = 0; k < 5; ++k) {
        const double r = radius * (0.26 - 0.045 * k);
        QRadialGradient bud(QPointF(-r * 0.3, -r * 0.3), r * 1.4);
        bud.setColorAt(0.0, QColor::fromHsvF(0.58, 0.45, 0.95));
        bud.setColorAt(1.0, QColor::fromHsvF(0.62, 0.95, 0.30));
        p.setBrush(bud);
        p.setPen(QPen(QColor::fromHsvF(0.63, 0.9, 0.18), radius * 0.012));
        p.drawEllipse(QPointF(r * 0.25 * std::cos(k * 2.1), r * 0.25 * std::sin(k * 2.1)), r, r * 0.9);
    }
    p.setPen(QPen(QColor(255, 255, 255, 200), radius * 0.02, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-radius * 0.18, -radius * 0.2, radius * 0.28, radius * 0.24), 60 * 16, 90 * 16);
    p.restore();
}

void paintLeaf(QPainter& p, QPointF base, double angle, double length)
{
    p.save();
    p.translate(base);
    p.rotate(angle);
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.cubicTo(length * 0.3, -length * 0.35, length * 0.75, -length * 0.3, length, 0);
    leaf.cubicTo(length * 0.75, length * 0.3, length * 0.3, length * 0.3, 0, 0);
    QLinearGradient green(0, -length * 0.3, 0, length * 0.3);
    green.setColorAt(0.0, QColor::fromHsvF(0.50, 0.7, 0.55));
    green.setColorAt(1.0, QColor::fromHsvF(0.53, 0.9, 0.18));
    p.setBrush(green);
    p.setPen(QPen(QColor::fromHsvF(0.52, 0.9, 0.12), length * 0.02));
    p.drawPath(leaf);
    p.setPen(QPen(QColor(255, 255, 255, 120), length * 0.02));
    p.drawLine(QPointF(length * 0.05, 0), QPointF(length * 0.9, 0));
    p.restore();
}

QImage rose()
{
    QImage image(300, 400, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QRadialGradient ground(QPointF(150, 150), 320);
    ground.setColorAt(0.0, QColor(70, 120, 210));
    ground.setColorAt(0.6, QColor(25, 55, 140));
    ground.setColorAt(1.0, QColor(8, 18, 60));
    p.fillRect(image.rect(), ground);

    // Soft out-of-focus lights in the ground.
    const QPointF lights[] = {{40, 60}, {250, 40}, {265, 300}, {30, 330}, {220, 370}, {70, 210}};
    for (std::size_t k = 0; k < std::size(lights); ++k) {
        const double r = 18 + 9 * (k % 3);
        QRadialGradient glow(lights[k], r);
        glow.setColorAt(0.0, QColor(160, 200, 255, 70));
        glow.setColorAt(1.0, QColor(160, 200, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(lights[k], r, r);
    }

    // Stem and leaves.
    QPainterPath stem;
    stem.moveTo(150, 200);
    stem.cubicTo(160, 260, 135, 320, 150, 400);
    p.setPen(QPen(QColor::fromHsvF(0.52, 0.9, 0.22), 9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    p.setPen(QPen(QColor(255, 255, 255, 70), 2));
    p.drawPath(stem.translated(-2, 0));
    paintLeaf(p, QPointF(152, 300), -35, 80);
    paintLeaf(p, QPointF(146, 345), 200, 70);

    paintBloom(p, QPointF(150, 165), 118);
    return image;
}

// The classic 16-colour palette of the window icons.
QList<QRgb> sixteenColours()
{
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

// A picture painted at 32 x 32 and brought down to the 16 colours, with its
// transparent pixels kept transparent.
QImage icon16(const std::function<void(QPainter&, double)>& paint)
{
    QImage full(32, 32, QImage::Format_ARGB32);
    full.fill(Qt::transparent);
    {
        QPainter p(&full);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p, 32);
    }
    QImage reduced = full.convertToFormat(QImage::Format_Indexed8, sixteenColours(), Qt::DiffuseDither | Qt::PreferDither);
    QImage out(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool opaque = qAlpha(full.pixel(x, y)) >= 128;
            out.setPixel(x, y, opaque ? (reduced.pixel(x, y) | 0xFF000000u) : 0u);
        }
    }
    return out;
}

QImage iconAt(int size, const std::function<void(QPainter&, double)>& paint)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p, size);
    return image;
}

// The main window's icon: the blue rose's bloom.
void paintRoseIcon(QPainter& p, double size)
{
    QRadialGradient ground(QPointF(size / 2, size / 2), size / 2);
    ground.setColorAt(0.0, QColor(70, 120, 210));
    ground.setColorAt(1.0, QColor(15, 35, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.12, size * 0.12);
    paintBloom(p, QPointF(size / 2, size / 2 + size * 0.03), size * 0.44);
}

// The same bloom drawn for 16 colours: navy ground, blue petals with cyan
// rims and white gloss, a navy bud.
void paintRoseIcon16(QPainter& p, double size)
{
    const double u = size / 32;
    const QPointF c(16 * u, 16.5 * u);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawRoundedRect(QRectF(0, 0, size, size), 4 * u, 4 * u);
    const struct {
        int petals;
        double distance, radius, offset;
    } rings[] = {{7, 9.0, 5.6, 0.0}, {5, 5.2, 4.6, 0.6}};
    for (const auto& ring : rings) {
        for (int k = 0; k < ring.petals; ++k) {
            const double a = ring.offset + 2 * Pi * k / ring.petals;
            const QPointF at = c + QPointF(std::sin(a), -std::cos(a)) * ring.distance * u;
            p.setPen(QPen(QColor(0, 255, 255), 1.2 * u));
            p.setBrush(QColor(0, 0, 255));
            p.drawEllipse(at, ring.radius * u, ring.radius * u);
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(at + QPointF(-1.6 * u, -1.6 * u), 1.0 * u, 1.0 * u);
        }
    }
    p.setPen(QPen(QColor(0, 255, 255), 1.2 * u));
    p.setBrush(QColor(0, 0, 128));
    p.drawEllipse(c, 3.6 * u, 3.6 * u);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 2 * u, c.y() - 2 * u, 4 * u, 4 * u), 0, 270 * 16);
}

// The exit confirmation's icon: a door with an arrow leaving it.
void paintExitIcon(QPainter& p, double size)
{
    const double u = size / 32;
    p.setPen(QPen(Qt::black, u));
    p.setBrush(QColor(128, 64, 0));
    p.drawRect(QRectF(6 * u, 3 * u, 14 * u, 26 * u));
    p.setBrush(QColor(255, 255, 0));
    p.drawEllipse(QPointF(17 * u, 16 * u), 1.4 * u, 1.4 * u);
    QPainterPath arrow;
    arrow.moveTo(14 * u, 14 * u);
    arrow.lineTo(24 * u, 14 * u);
    arrow.lineTo(24 * u, 9 * u);
    arrow.lineTo(31 * u, 16 * u);
    arrow.lineTo(24 * u, 23 * u);
    arrow.lineTo(24 * u, 18 * u);
    arrow.lineTo(14 * u, 18 * u);
    arrow.closeSubpath();
    p.setBrush(QColor(255, 0, 0));
    p.drawPath(arrow);
}

// The results screen's icon: a sheet with "x =" and lines of figures.
void paintResultsIcon(QPainter& p, double size)
{
    const double u = size / 32;
    p.setPen(QPen(Qt::black, u));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5 * u, 2 * u, 22 * u, 28 * u));
    p.setPen(QPen(QColor(0, 0, 128), 2 * u));
    for (int row = 0; row < 4; ++row) {
        const double y = (8 + 6 * row) * u;
        p.drawLine(QPointF(9 * u, y - 2 * u), QPointF(12 * u, y + 1 * u));
        p.drawLine(QPointF(12 * u, y - 2 * u), QPointF(9 * u, y + 1 * u));
        p.setPen(QPen(QColor(0, 128, 0), 1.5 * u));
        p.drawLine(QPointF(15 * u, y - 0.5 * u), QPointF(24 * u, y - 0.5 * u));
        p.setPen(QPen(QColor(0, 0, 128), 2 * u));
    }
}

// The about dialog's emblem: grey and white calculator keys seen at a slant.
void paintKeysEmblem(QPainter& p, double size)
{
    const double u = size / 32;
    p.save();
    p.translate(16 * u, 17 * u);
    p.shear(-0.35, 0);
    p.scale(1.0, 0.8);
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF top(-13.5 * u + col * 9 * u, -15 * u + row * 9.5 * u, 8 * u, 8 * u);
            const bool white = (row + col) % 2 == 0;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(64, 64, 64));
            p.drawRect(top.translated(1.5 * u, 2 * u));
            p.setPen(QPen(Qt::black, 0.8 * u));
            p.setBrush(white ? QColor(255, 255, 255) : QColor(170, 170, 170));
            p.drawRect(top);
            p.setPen(QPen(white ? QColor(96, 96, 96) : QColor(255, 255, 255), 1.2 * u));
            p.drawLine(QPointF(top.left() + 2 * u, top.center().y()), QPointF(top.right() - 2 * u, top.center().y()));
            if (col == 1)
                p.drawLine(QPointF(top.center().x(), top.top() + 2 * u), QPointF(top.center().x(), top.bottom() - 2 * u));
        }
    }
    p.restore();
}

bool save(const QImage& image, const QString& path, const char* format, int quality = -1)
{
    if (!image.save(path, format, quality)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets <assets folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = save(rose(), out.filePath("rose.jpg"), "JPEG", 88);
    ok &= save(icon16(paintRoseIcon16), out.filePath("icon_main.png"), "PNG");
    ok &= save(icon16(paintExitIcon), out.filePath("icon_exit.png"), "PNG");
    ok &= save(icon16(paintResultsIcon), out.filePath("icon_results.png"), "PNG");
    ok &= save(icon16(paintKeysEmblem), out.filePath("emblem_keys.png"), "PNG");
    ok &= save(iconAt(256, paintRoseIcon), out.filePath("teskora_256.png"), "PNG");
    return ok ? 0 : 1;
}
