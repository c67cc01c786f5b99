// tools/paint-images/main.cpp
//
// Paints every named image of the user interface as PNG files, once per display mode:
//
//   paint-images <resource dir>     writes <resource dir>/day/*.png and <resource dir>/night/*.png
//
// The images are drawn in code so that they are reviewed and rebuilt like any other source. Each
// name is written in every form a control can ask for: the plain name, the five state suffixes,
// and the same six forms of the flash overlay (name + "_over").

#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <functional>

namespace {

struct Palette
{
    QColor ink;
    QColor inkPressed;
    QColor inkChecked;
    QColor faceTop;
    QColor faceBottom;
    QColor facePressedTop;
    QColor facePressedBottom;
    QColor faceCheckedTop;
    QColor faceCheckedBottom;
    QColor border;
    QColor borderChecked;
    QColor highlight; // the thin light edge on top of raised faces
    QColor go;
    QColor stop;
    QColor caution;
    QColor inform;
    QColor attention;
    QColor symbol; // glyphs drawn on top of the coloured signs
    QColor body; // device housings
    QColor bodyEdge;
    QColor screen;
    QColor screenText;
    QColor ledLit;
    QColor ledLitCore;
    QColor ledUnlit;
    QColor bezel;
    QColor disabledGrey;
};

// Daylight: crisp navy on white, saturated signal colours.
const Palette day = { QColor(0x17, 0x2a, 0x3f), QColor(0x0d, 0x4a, 0x86), QColor(0x0b, 0x52, 0xa0), QColor(0xff, 0xff, 0xff),
    QColor(0xd9, 0xe1, 0xea), QColor(0xb4, 0xc9, 0xe0), QColor(0xcd, 0xdc, 0xec), QColor(0xd6, 0xe7, 0xfa), QColor(0xa8, 0xc8, 0xec),
    QColor(0x5b, 0x6e, 0x84), QColor(0x1f, 0x5f, 0xa8), QColor(255, 255, 255, 200), QColor(0x2e, 0x7d, 0x32), QColor(0xc6, 0x28, 0x28),
    QColor(0xf0, 0xa0, 0x00), QColor(0x15, 0x65, 0xc0), QColor(0xff, 0x8f, 0x00), QColor(0xff, 0xff, 0xff), QColor(0x8d, 0x9a, 0xa8),
    QColor(0x3e, 0x4b, 0x59), QColor(0x1d, 0x3a, 0x5c), QColor(0x9c, 0xd3, 0xff), QColor(0x3c, 0xd8, 0x4e), QColor(0xe8, 0xff, 0xe0),
    QColor(0x4c, 0x5a, 0x4c), QColor(0x7a, 0x86, 0x92), QColor(0xa8, 0xb0, 0xb8) };

// Night: dark housings, dim amber ink and muted signal colours; nothing close to white.
const Palette night = { QColor(0xa8, 0x62, 0x38), QColor(0xc0, 0x74, 0x42), QColor(0xb8, 0x6c, 0x3a), QColor(0x2b, 0x20, 0x1b),
    QColor(0x1a, 0x14, 0x11), QColor(0x14, 0x0e, 0x0b), QColor(0x22, 0x17, 0x11), QColor(0x45, 0x28, 0x16), QColor(0x30, 0x1c, 0x10),
    QColor(0x5a, 0x3a, 0x28), QColor(0x94, 0x52, 0x26), QColor(0x4a, 0x36, 0x2a, 160), QColor(0x4e, 0x6a, 0x2c), QColor(0x8a, 0x26, 0x1a),
    QColor(0x94, 0x62, 0x1e), QColor(0x3a, 0x4e, 0x6e), QColor(0xb0, 0x68, 0x24), QColor(0x1a, 0x12, 0x0e), QColor(0x3a, 0x2e, 0x27),
    QColor(0x5e, 0x45, 0x36), QColor(0x12, 0x0c, 0x09), QColor(0x9a, 0x58, 0x30), QColor(0x5a, 0x8a, 0x34), QColor(0x9c, 0xb0, 0x68),
    QColor(0x1e, 0x22, 0x18), QColor(0x3c, 0x2e, 0x26), QColor(0x3a, 0x32, 0x2c) };

enum State
{
    Normal,
    Pressed,
    Checked,
    PressedChecked,
    Disabled
};

// What one rendering of an image needs: the mode's colours and the control's state.
struct Look
{
    const Palette &pal;
    State state;

    bool pressed() const { return state == Pressed || state == PressedChecked; }
    bool checked() const { return state == Checked || state == PressedChecked; }
    QColor ink() const
    {
        if (pressed())
            return pal.inkPressed;
        return checked() ? pal.inkChecked : pal.ink;
    }
    QColor faceTop() const
    {
        if (pressed())
            return pal.facePressedTop;
        return checked() ? pal.faceCheckedTop : pal.faceTop;
    }
    QColor faceBottom() const
    {
        if (pressed())
            return pal.facePressedBottom;
        return checked() ? pal.faceCheckedBottom : pal.faceBottom;
    }
    QColor border() const { return checked() ? pal.borderChecked : pal.border; }
};

using Paint = std::function<void(QPainter &, const QSizeF &, const Look &)>;

// ---- drawing helpers -------------------------------------------------------------------------

QPen roundPen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Glyphs are designed on a 100 x 100 grid and scaled to the image.
Paint onGrid(const std::function<void(QPainter &, const Look &)> &glyph)
{
    return [glyph](QPainter &p, const QSizeF &size, const Look &look) {
        p.save();
        p.scale(size.width() / 100.0, size.height() / 100.0);
        // Pressed glyphs sink by a pixel, as the button under them does.
        if (look.pressed())
            p.translate(100.0 / size.width(), 100.0 / size.height());
        glyph(p, look);
        p.restore();
    };
}

void raisedFace(QPainter &p, const QRectF &r, qreal radius, const Look &look)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, look.faceTop());
    fill.setColorAt(1.0, look.faceBottom());
    p.setPen(QPen(look.border(), look.checked() ? 2.0 : 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
    if (!look.pressed()) {
        p.setPen(QPen(look.pal.highlight, 1.0));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
    }
}

void check(QPainter &p, const QColor &colour, qreal width)
{
    p.setPen(roundPen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({ QPointF(20, 53), QPointF(41, 73), QPointF(81, 29) }));
}

void cross(QPainter &p, const QColor &colour, qreal width, qreal inset)
{
    p.setPen(roundPen(colour, width));
    p.drawLine(QPointF(inset, inset), QPointF(100 - inset, 100 - inset));
    p.drawLine(QPointF(100 - inset, inset), QPointF(inset, 100 - inset));
}

// A filled triangle pointing up, rotated by a multiple of 90 degrees.
void triangle(QPainter &p, const QColor &colour, int quarterTurns, qreal half, qreal height)
{
    p.save();
    p.translate(50, 50);
    p.rotate(90.0 * quarterTurns);
    p.setPen(roundPen(colour, 6));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({ QPointF(0, -height / 2), QPointF(half, height / 2), QPointF(-half, height / 2) }));
    p.restore();
}

void gear(QPainter &p, const QColor &colour, const QPointF &centre, qreal radius)
{
    p.save();
    p.translate(centre);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int tooth = 0; tooth < 8; ++tooth) {
        p.drawRoundedRect(QRectF(-radius * 0.2, -radius * 1.15, radius * 0.4, radius * 0.5), 2, 2);
        p.rotate(45);
    }
    QPainterPath ring;
    ring.addEllipse(QPointF(0, 0), radius * 0.82, radius * 0.82);
    ring.addEllipse(QPointF(0, 0), radius * 0.36, radius * 0.36);
    p.drawPath(ring);
    p.restore();
}

void signDisc(QPainter &p, const QColor &colour)
{
    QRadialGradient fill(QPointF(42, 36), 56);
    fill.setColorAt(0.0, colour.lighter(125));
    fill.setColorAt(1.0, colour);
    p.setPen(QPen(colour.darker(130), 3));
    p.setBrush(fill);
    p.drawEllipse(QPointF(50, 50), 44, 44);
}

void exclamation(QPainter &p, const QColor &colour, const QPointF &top, qreal length, qreal width)
{
    p.setPen(roundPen(colour, width));
    p.drawLine(top, top + QPointF(0, length));
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(top + QPointF(0, length + width * 1.4), width * 0.6, width * 0.6);
}

void envelope(QPainter &p, const Look &look)
{
    const QRectF r(10, 24, 76, 54);
    p.setPen(roundPen(look.ink(), 5));
    p.setBrush(look.pal.faceTop);
    p.drawRoundedRect(r, 5, 5);
    p.drawPolyline(QPolygonF({ r.topLeft() + QPointF(3, 3), QPointF(48, 56), r.topRight() + QPointF(-3, 3) }));
}

void badge(QPainter &p, const QColor &colour, const QColor &mark, const QPointF &centre, qreal radius)
{
    p.setPen(QPen(colour.darker(140), 2.5));
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
    exclamation(p, mark, centre - QPointF(0, radius * 0.55), radius * 0.55, radius * 0.28);
}

// A device housing with a slight top light, the common body of the unit pictures.
void housing(QPainter &p, const QRectF &r, const Look &look)
{
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0.0, look.pal.body.lighter(118));
    fill.setColorAt(1.0, look.pal.body);
    p.setPen(QPen(look.pal.bodyEdge, 2.5));
    p.setBrush(fill);
    p.drawRoundedRect(r, 5, 5);
}

void screen(QPainter &p, const QRectF &r, const Look &look, int lines)
{
    p.setPen(QPen(look.pal.bodyEdge, 1.5));
    p.setBrush(look.pal.screen);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(roundPen(look.pal.screenText, 2.5));
    const qreal step = r.height() / (lines + 1);
    for (int i = 1; i <= lines; ++i) {
        const qreal y = r.top() + step * i;
        p.drawLine(QPointF(r.left() + 5, y), QPointF(r.right() - (i % 2 ? 6 : 16), y));
    }
}

void roundButton(QPainter &p, const QPointF &centre, qreal radius, const QColor &colour)
{
    QRadialGradient fill(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    fill.setColorAt(0.0, colour.lighter(140));
    fill.setColorAt(1.0, colour);
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(fill);
    p.drawEllipse(centre, radius, radius);
}

void whip(QPainter &p, const QPointF &foot, qreal height, const Look &look)
{
    p.setPen(roundPen(look.pal.bodyEdge, 3));
    p.drawLine(foot, foot - QPointF(0, height));
    p.setPen(Qt::NoPen);
    p.setBrush(look.pal.bodyEdge);
    p.drawEllipse(foot - QPointF(0, height), 3, 3);
}

// ---- the images ------------------------------------------------------------------------------

struct Image
{
    QString name;
    QSize size;
    Paint paint;
};

// Buttons whose whole face is the image (icon buttons of the keyboard and of text fields).
Paint faceButton(const std::function<void(QPainter &, const Look &)> &glyph)
{
    return [glyph](QPainter &p, const QSizeF &size, const Look &look) {
        const QRectF face(2, 2, size.width() - 4, size.height() - 4);
        raisedFace(p, face.translated(look.pressed() ? 1 : 0, look.pressed() ? 1 : 0), 8, look);
        onGrid(glyph)(p, size, look);
    };
}

Paint keyCap()
{
    return [](QPainter &p, const QSizeF &size, const Look &look) {
        // One pixel of air between keys; the rows are laid out with spacing 1.
        const QRectF cap(1, 1, size.width() - 2, size.height() - 2);
        raisedFace(p, cap, 6, look);
        if (look.checked()) {
            // A latched control key shows a lit strip, as on a physical panel.
            p.setPen(Qt::NoPen);
            p.setBrush(look.pal.ledLit);
            p.drawRoundedRect(QRectF(7, 6, 16, 4), 2, 2);
        }
    };
}

Paint led(bool lit)
{
    return [lit](QPainter &p, const QSizeF &size, const Look &look) {
        const QPointF c(size.width() / 2, size.height() / 2);
        const qreal r = qMin(size.width(), size.height()) / 2 - 1;
        QRadialGradient bezel(c - QPointF(r / 3, r / 3), r * 1.6);
        bezel.setColorAt(0.0, look.pal.bezel.lighter(150));
        bezel.setColorAt(1.0, look.pal.bezel.darker(140));
        p.setPen(Qt::NoPen);
        p.setBrush(bezel);
        p.drawEllipse(c, r, r);
        const qreal lens = r * 0.74;
        QRadialGradient glass(c - QPointF(lens / 4, lens / 4), lens * 1.3);
        if (lit) {
            glass.setColorAt(0.0, look.pal.ledLitCore);
            glass.setColorAt(0.45, look.pal.ledLit);
            glass.setColorAt(1.0, look.pal.ledLit.darker(160));
        } else {
            glass.setColorAt(0.0, look.pal.ledUnlit.lighter(170));
            glass.setColorAt(1.0, look.pal.ledUnlit.darker(130));
        }
        p.setBrush(glass);
        p.drawEllipse(c, lens, lens);
        QColor shine(255, 255, 255, lit ? 110 : 50);
        if (&look.pal == &night)
            shine.setAlpha(shine.alpha() / 3);
        p.setBrush(shine);
        p.drawEllipse(c - QPointF(lens * 0.3, lens * 0.38), lens * 0.34, lens * 0.22);
    };
}

QList<Image> catalogue()
{
    QList<Image> images;
    const auto add = [&images](const QString &name, int w, int h, const Paint &paint) { images.append({ name, QSize(w, h), paint }); };

    // Option icons, drawn beside or above the text of option buttons.
    add("kvgui_option_ok", 32, 32, onGrid([](QPainter &p, const Look &l) { check(p, l.pal.go, 15); }));
    add("kvgui_option_cancel", 32, 32, onGrid([](QPainter &p, const Look &l) { cross(p, l.pal.stop, 14, 26); }));
    add("kvgui_tools", 32, 32, onGrid([](QPainter &p, const Look &l) { gear(p, l.ink(), QPointF(50, 50), 38); }));
    add("kvgui_tools_close", 32, 32, onGrid([](QPainter &p, const Look &l) {
        gear(p, l.ink(), QPointF(58, 50), 30);
        p.setPen(roundPen(l.ink(), 9));
        p.drawPolyline(QPolygonF({ QPointF(24, 30), QPointF(8, 50), QPointF(24, 70) }));
    }));
    const char *arrows[] = { "up", "right", "down", "left" };
    for (int turn = 0; turn < 4; ++turn)
        add(QStringLiteral("kvgui_option_menu_arrow_") + arrows[turn], 20, 20,
            onGrid([turn](QPainter &p, const Look &l) { triangle(p, l.ink(), turn, 34, 54); }));

    // Message window signs.
    add("kvgui_message_info", 56, 56, onGrid([](QPainter &p, const Look &l) {
        signDisc(p, l.pal.inform);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.symbol);
        p.drawEllipse(QPointF(50, 28), 7.5, 7.5);
        p.drawRoundedRect(QRectF(43, 42, 14, 36), 4, 4);
    }));
    add("kvgui_message_question", 56, 56, onGrid([](QPainter &p, const Look &l) {
        signDisc(p, l.pal.inform);
        QPainterPath hook;
        hook.arcMoveTo(QRectF(34, 20, 32, 32), 160);
        hook.arcTo(QRectF(34, 20, 32, 32), 160, -230);
        hook.lineTo(50, 62);
        p.setPen(roundPen(l.pal.symbol, 10));
        p.setBrush(Qt::NoBrush);
        p.drawPath(hook);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.symbol);
        p.drawEllipse(QPointF(50, 77), 6.5, 6.5);
    }));
    add("kvgui_message_warning", 56, 56, onGrid([](QPainter &p, const Look &l) {
        QPainterPath sign;
        sign.moveTo(50, 8);
        sign.lineTo(94, 88);
        sign.lineTo(6, 88);
        sign.closeSubpath();
        p.setPen(QPen(l.pal.caution.darker(135), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(l.pal.caution);
        p.drawPath(sign);
        exclamation(p, QColor(0x1a, 0x14, 0x08), QPointF(50, 34), 26, 10);
    }));
    add("kvgui_message_error", 56, 56, onGrid([](QPainter &p, const Look &l) {
        signDisc(p, l.pal.stop);
        cross(p, l.pal.symbol, 12, 31);
    }));
    add("kvgui_message_new_message", 56, 56, onGrid([](QPainter &p, const Look &l) {
        envelope(p, l);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.attention);
        p.drawEllipse(QPointF(82, 24), 12, 12);
    }));
    add("kvgui_message_distress", 56, 56, onGrid([](QPainter &p, const Look &l) {
        // A lifebuoy: red ring with four light bands.
        QPainterPath ring;
        ring.addEllipse(QPointF(50, 50), 44, 44);
        ring.addEllipse(QPointF(50, 50), 20, 20);
        p.setPen(QPen(l.pal.stop.darker(140), 3));
        p.setBrush(l.pal.stop);
        p.drawPath(ring);
        p.setClipPath(ring);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.symbol);
        for (int band = 0; band < 4; ++band) {
            p.save();
            p.translate(50, 50);
            p.rotate(45 + 90 * band);
            p.drawRect(QRectF(-8, -46, 16, 28));
            p.restore();
        }
        p.setClipping(false);
    }));
    add("kvgui_message_new_distress_message", 56, 56, onGrid([](QPainter &p, const Look &l) {
        envelope(p, l);
        badge(p, l.pal.stop, l.pal.symbol, QPointF(78, 26), 19);
    }));

    // Storage devices.
    add("kvgui_device_msgterminal", 48, 48, onGrid([](QPainter &p, const Look &l) {
        housing(p, QRectF(10, 14, 80, 56), l);
        screen(p, QRectF(17, 20, 66, 44), l, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.bodyEdge);
        p.drawRect(QRectF(43, 70, 14, 10));
        p.drawRoundedRect(QRectF(28, 80, 44, 7), 3, 3);
    }));
    add("kvgui_device_usb", 48, 48, onGrid([](QPainter &p, const Look &l) {
        p.setPen(QPen(l.pal.bodyEdge, 3));
        p.setBrush(l.pal.disabledGrey.lighter(115));
        p.drawRect(QRectF(38, 8, 24, 24));
        p.setBrush(l.pal.bodyEdge);
        p.drawRect(QRectF(43, 15, 5, 5));
        p.drawRect(QRectF(52, 15, 5, 5));
        housing(p, QRectF(30, 32, 40, 60), l);
        p.setPen(roundPen(l.pal.inform, 4));
        p.drawLine(QPointF(50, 48), QPointF(50, 78));
        p.drawLine(QPointF(50, 58), QPointF(41, 52));
        p.drawLine(QPointF(50, 66), QPointF(59, 60));
    }));
    add("kvgui_device_sdcard", 48, 48, onGrid([](QPainter &p, const Look &l) {
        QPainterPath card;
        card.moveTo(26, 8);
        card.lineTo(62, 8);
        card.lineTo(76, 22);
        card.lineTo(76, 92);
        card.lineTo(26, 92);
        card.closeSubpath();
        QLinearGradient fill(QPointF(0, 8), QPointF(0, 92));
        fill.setColorAt(0.0, l.pal.inform.lighter(120));
        fill.setColorAt(1.0, l.pal.inform);
        p.setPen(QPen(l.pal.bodyEdge, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(fill);
        p.drawPath(card);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.caution);
        for (int pin = 0; pin < 4; ++pin)
            p.drawRect(QRectF(32 + pin * 10, 14, 6, 14));
        p.setBrush(l.pal.faceTop);
        p.drawRect(QRectF(32, 44, 38, 32));
    }));

    // Units of the installation.
    add("kvgui_sysdevice_1538", 64, 64, onGrid([](QPainter &p, const Look &l) {
        // Satellite terminal: radome above its transceiver.
        QRadialGradient dome(QPointF(40, 22), 46);
        dome.setColorAt(0.0, l.pal.faceTop);
        dome.setColorAt(1.0, l.pal.body.lighter(125));
        p.setPen(QPen(l.pal.bodyEdge, 2.5));
        p.setBrush(dome);
        p.drawChord(QRectF(22, 8, 56, 64), 0, 180 * 16);
        p.drawRect(QRectF(22, 40, 56, 6));
        housing(p, QRectF(12, 58, 76, 30), l);
        screen(p, QRectF(18, 63, 40, 20), l, 2);
        roundButton(p, QPointF(72, 73), 6, l.pal.go);
    }));
    add("kvgui_sysdevice_4417", 64, 64, onGrid([](QPainter &p, const Look &l) {
        // Message terminal: touch screen over its key panel.
        housing(p, QRectF(12, 8, 76, 58), l);
        screen(p, QRectF(18, 14, 64, 46), l, 4);
        housing(p, QRectF(6, 72, 88, 20), l);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.bodyEdge);
        for (int row = 0; row < 2; ++row)
            for (int key = 0; key < 9; ++key)
                p.drawRoundedRect(QRectF(12 + key * 9, 75 + row * 8, 6, 5), 1, 1);
    }));
    add("kvgui_sysdevice_4452", 64, 64, onGrid([](QPainter &p, const Look &l) {
        // Power supply and charger: a battery with a bolt.
        housing(p, QRectF(10, 16, 80, 70), l);
        p.setPen(QPen(l.pal.bodyEdge, 3));
        p.setBrush(l.pal.screen);
        p.drawRoundedRect(QRectF(24, 34, 46, 34), 4, 4);
        p.setBrush(l.pal.bodyEdge);
        p.drawRect(QRectF(70, 44, 6, 14));
        QPolygonF bolt({ QPointF(50, 37), QPointF(37, 53), QPointF(47, 53), QPointF(43, 66), QPointF(58, 48), QPointF(48, 48) });
        p.setPen(QPen(l.pal.caution.darker(130), 1.5));
        p.setBrush(l.pal.caution);
        p.drawPolygon(bolt);
    }));
    add("kvgui_sysdevice_4503", 64, 64, onGrid([](QPainter &p, const Look &l) {
        // Alarm panel: one distress push button and its status lamps.
        housing(p, QRectF(10, 10, 80, 80), l);
        roundButton(p, QPointF(50, 46), 22, l.pal.stop);
        roundButton(p, QPointF(30, 78), 4, l.pal.go);
        roundButton(p, QPointF(50, 78), 4, l.pal.caution);
        roundButton(p, QPointF(70, 78), 4, l.pal.stop);
    }));
    add("kvgui_sysdevice_4505", 64, 64, onGrid([](QPainter &p, const Look &l) {
        // Multi alarm panel: several push buttons.
        housing(p, QRectF(8, 10, 84, 80), l);
        const QColor colours[] = { l.pal.stop, l.pal.caution, l.pal.caution, l.pal.inform };
        for (int i = 0; i < 4; ++i)
            roundButton(p, QPointF(32 + (i % 2) * 36, 32 + (i / 2) * 34), 12, colours[i]);
    }));
    add("kvgui_sysdevice_4528", 64, 64, onGrid([](QPainter &p, const Look &l) {
        // Terminal control unit: small display over a key pad.
        housing(p, QRectF(16, 6, 68, 88), l);
        screen(p, QRectF(24, 14, 52, 24), l, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(l.pal.bodyEdge);
        for (int row = 0; row < 4; ++row)
            for (int key = 0; key < 3; ++key)
                p.drawRoundedRect(QRectF(27 + key * 17, 45 + row * 11, 12, 8), 2, 2);
    }));
    add("kvgui_sysdevice_4611", 64, 64, onGrid([](QPainter &p, const Look &l) {
        // MF/HF control unit: display, knob and handset.
        housing(p, QRectF(26, 16, 68, 70), l);
        screen(p, QRectF(34, 24, 52, 26), l, 2);
        roundButton(p, QPointF(60, 69), 10, l.pal.body.lighter(130));
        QPainterPath handset;
        handset.moveTo(14, 20);
        handset.cubicTo(2, 40, 2, 62, 14, 82);
        p.setPen(roundPen(l.pal.bodyEdge, 9));
        p.setBrush(Qt::NoBrush);
        p.drawPath(handset);
        p.setPen(roundPen(l.pal.bodyEdge, 14));
        p.drawPoint(QPointF(16, 20));
        p.drawPoint(QPointF(16, 82));
    }));
    const auto radio = [](int bars) {
        return onGrid([bars](QPainter &p, const Look &l) {
            // MF/HF transceiver with its whip; the bars tell the power classes apart.
            whip(p, QPointF(78, 36), 30, l);
            housing(p, QRectF(8, 36, 84, 52), l);
            screen(p, QRectF(16, 44, 40, 20), l, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(l.pal.caution);
            for (int bar = 0; bar < bars; ++bar)
                p.drawRect(QRectF(64 + bar * 7, 62 - bar * 6, 5, 14 + bar * 6));
            roundButton(p, QPointF(24, 77), 5, l.pal.go);
        });
    };
    add("kvgui_sysdevice_4640", 64, 64, radio(1));
    add("kvgui_sysdevice_4644", 64, 64, radio(3));

    // Icon buttons whose image is the whole button.
    add("kvgui_close_cross", 58, 58, faceButton([](QPainter &p, const Look &l) { cross(p, l.ink(), 9, 34); }));
    add("kvgui_selecter_arrow_up", 58, 58, faceButton([](QPainter &p, const Look &l) { triangle(p, l.ink(), 0, 20, 30); }));
    add("kvgui_selecter_arrow_down", 58, 58, faceButton([](QPainter &p, const Look &l) { triangle(p, l.ink(), 2, 20, 30); }));
    add("kvgui_keyboard", 58, 58, faceButton([](QPainter &p, const Look &l) {
        p.setPen(roundPen(l.ink(), 4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(18, 32, 64, 38), 5, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(l.ink());
        for (int row = 0; row < 2; ++row)
            for (int key = 0; key < 6; ++key)
                p.drawRect(QRectF(24 + key * 9, 38 + row * 9, 6, 6));
        p.drawRect(QRectF(33, 58, 34, 6));
    }));

    // On-screen keyboard: key caps of every width, and the glyphs drawn at a key's left edge.
    for (int width : { 58, 87, 117, 147, 294 })
        add(QStringLiteral("kvgui_key%1").arg(width), width, 58, keyCap());
    for (int turn = 0; turn < 4; ++turn)
        add(QStringLiteral("kvgui_key_arrow_") + arrows[turn], 58, 58, onGrid([turn](QPainter &p, const Look &l) {
            p.translate(50, 50);
            p.rotate(90.0 * turn);
            p.setPen(roundPen(l.ink(), 6));
            p.setBrush(l.ink());
            p.drawLine(QPointF(0, 18), QPointF(0, -6));
            p.drawPolygon(QPolygonF({ QPointF(0, -20), QPointF(12, -4), QPointF(-12, -4) }));
        }));
    // 26 x 58 so that the glyph sits left of the label, which the key moves 16 pixels right.
    const auto keyGlyph = [](const std::function<void(QPainter &, const QColor &)> &glyph) {
        return [glyph](QPainter &p, const QSizeF &, const Look &l) {
            p.translate(6, 29);
            glyph(p, l.ink());
        };
    };
    add("kvgui_key_backspace", 26, 58, keyGlyph([](QPainter &p, const QColor &ink) {
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF({ QPointF(0, 0), QPointF(5, -6), QPointF(15, -6), QPointF(15, 6), QPointF(5, 6) }));
        p.drawLine(QPointF(7.5, -2.5), QPointF(12.5, 2.5));
        p.drawLine(QPointF(12.5, -2.5), QPointF(7.5, 2.5));
    }));
    add("kvgui_key_enter", 26, 58, keyGlyph([](QPainter &p, const QColor &ink) {
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({ QPointF(15, -8), QPointF(15, 3), QPointF(2, 3) }));
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({ QPointF(0, 3), QPointF(5, -1), QPointF(5, 7) }));
    }));
    add("kvgui_key_shift", 26, 58, keyGlyph([](QPainter &p, const QColor &ink) {
        p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(QPolygonF(
            { QPointF(8, -9), QPointF(16, 0), QPointF(11.5, 0), QPointF(11.5, 8), QPointF(4.5, 8), QPointF(4.5, 0), QPointF(0, 0) }));
    }));

    // The LED face of LED boxes, used by the style sheets.
    add("kvgui_led_lit", 40, 40, led(true));
    add("kvgui_led_unlit", 40, 40, led(false));

    add("kvgui_no_image", 32, 32, onGrid([](QPainter &p, const Look &l) {
        p.setPen(QPen(l.pal.disabledGrey, 5, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(8, 8, 84, 84));
        cross(p, l.pal.disabledGrey, 5, 22);
    }));
    return images;
}

// ---- forms ---------------------------------------------------------------------------------------

QImage render(const Image &image, const Look &look)
{
    QImage out(image.size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    image.paint(p, QSizeF(image.size), look);
    p.end();
    return out;
}

// Disabled: the normal picture washed out to grey, so every image has a consistent inactive look.
QImage washOut(const QImage &normal, const QColor &grey)
{
    QImage out = normal.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const int level = qGray(line[x]);
            const auto mix = [level](int channel) { return (channel * 3 + level * 2) / 5; };
            line[x] = qRgba(mix(grey.red()), mix(grey.green()), mix(grey.blue()), qAlpha(line[x]) * 11 / 20);
        }
    }
    return out;
}

// Flash overlay: the picture tinted with the attention colour on a soft halo; controls blend it
// over the plain picture at a pulsing opacity.
QImage overlay(const QImage &base, const QColor &attention)
{
    QImage out(base.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(base.width() / 2.0, base.height() / 2.0);
    const qreal radius = qMax(base.width(), base.height()) / 2.0;
    QRadialGradient halo(centre, radius);
    QColor inner = attention;
    inner.setAlpha(150);
    QColor outer = attention;
    outer.setAlpha(0);
    halo.setColorAt(0.0, inner);
    halo.setColorAt(1.0, outer);
    p.fillRect(out.rect(), halo);
    QImage tinted = base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    {
        QPainter t(&tinted);
        t.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor wash = attention;
        wash.setAlpha(170);
        t.fillRect(tinted.rect(), wash);
    }
    p.drawImage(0, 0, tinted);
    p.end();
    return out;
}

bool save(const QImage &image, const QDir &dir, const QString &name, QTextStream &err)
{
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (image.save(path, "PNG"))
        return true;
    err << "paint-images: cannot write " << path << Qt::endl;
    return false;
}

bool paintMode(const Palette &pal, const QDir &dir, QTextStream &err)
{
    static const QString suffixes[] = { QStringLiteral("_normal"), QStringLiteral("_pressed"), QStringLiteral("_checked"),
        QStringLiteral("_pressed_checked"), QStringLiteral("_disabled") };
    static const State states[] = { Normal, Pressed, Checked, PressedChecked, Disabled };
    // Start clean, so that an image dropped from the catalogue does not linger in the build.
    QDir clean(dir);
    for (const QString &old : clean.entryList({ QStringLiteral("*.png") }, QDir::Files))
        clean.remove(old);
    bool ok = true;
    for (const Image &image : catalogue()) {
        const QImage normal = render(image, Look { pal, Normal });
        for (int i = 0; i < 5; ++i) {
            const QImage form = states[i] == Disabled ? washOut(normal, pal.disabledGrey) : render(image, Look { pal, states[i] });
            ok &= save(form, dir, image.name + suffixes[i], err);
            ok &= save(overlay(form, pal.attention), dir, image.name + QStringLiteral("_over") + suffixes[i], err);
        }
        ok &= save(normal, dir, image.name, err);
        ok &= save(overlay(normal, pal.attention), dir, image.name + QStringLiteral("_over"), err);
    }
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: paint-images <resource dir>" << Qt::endl;
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    bool ok = true;
    for (const auto &[mode, pal] : { std::pair<QString, const Palette *> { "day", &day }, { "night", &night } }) {
        if (!root.mkpath(mode)) {
            err << "paint-images: cannot create " << root.filePath(mode) << Qt::endl;
            return 1;
        }
        ok &= paintMode(*pal, QDir(root.filePath(mode)), err);
    }
    return ok ? 0 : 1;
}
