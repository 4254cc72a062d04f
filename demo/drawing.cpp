#include "drawing.h"

#include "treekey.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double smoothstep(double a, double b, double x)
{
    const double t = clamp01((x - a) / (b - a));
    return t * t * (3 - 2 * t);
}
double fracPart(double x) { return x - std::floor(x); }
double radians(double degrees) { return degrees * kPi / 180.0; }

// ---------------------------------------------------------------- styles

struct Rule {
    enum Kind { Choice, Number, Integer, Colour, List } kind;
    QStringList choices;
    double low = 0;
    double high = 0;
};
using Rules = std::map<QString, Rule>;
using Values = std::map<QString, QString>;

const QStringList &leafForms()
{
    static const QStringList v{"tojásdad", "visszás", "elliptikus", "kerekded", "rombusz", "lándzsás", "szív",
                               "karéjos", "tenyeres", "szárnyas", "tű-páros", "tű-lapos", "tű-örvös"};
    return v;
}
const QStringList &fruitKinds()
{
    static const QStringList v{"makk-kocsányos", "makk-ülő", "makk-cser", "bükkmakk", "gyertyán", "hárs",
                               "ikerlependék", "lependék", "szil", "nyírbarka", "tobozka", "toboz", "tok",
                               "cseresznye", "alma", "körte", "berkenye", "tobozbogyó", "magköpeny"};
    return v;
}
const QStringList &barkKinds()
{
    static const QStringList v{"sima", "bordás", "fehér", "barázdált", "kockás", "lemezes", "vörös", "gyűrűs",
                               "paraszemölcsös"};
    return v;
}
const QStringList &motifs()
{
    static const QStringList v{"átellenes", "szórt", "örvös", "páros", "ép-lemez", "tenyeresen-karéjos",
                               "szárnyasan-karéjos", "szárnyasan-összetett", "ép", "hullámos", "fűrészes",
                               "kétszeresen-fűrészes", "csipkés", "szíves", "ferde", "ék", "kerekített", "fülecskés",
                               "vízszintes", "tompaszög", "hegyesszög", "párhuzamos", "hosszú-kocsány", "ülő-makk",
                               "simuló-pikkelyek", "szálas-pikkelyek"};
    return v;
}

const Rules &photoRules()
{
    static const Rules rules{
        {"levél", {Rule::Choice, leafForms()}},
        {"körvonal", {Rule::Choice, {"tojásdad", "visszás", "elliptikus", "kerekded", "rombusz", "lándzsás"}}},
        {"karéj", {Rule::Integer, {}, 2, 9}},
        {"mélység", {Rule::Number, {}, 0, 0.9}},
        {"karéjvég", {Rule::Choice, {"kerek", "hegyes"}}},
        {"szél", {Rule::Choice, {"ép", "hullámos", "fűrészes", "kétszeres", "csipkés", "fogas"}}},
        {"alap", {Rule::Choice, {"kerek", "szíves", "ferde", "ék", "füles"}}},
        {"csúcs", {Rule::Choice, {"hegyes", "tompa", "kihegyezett", "kicsípett"}}},
        {"nyél", {Rule::Number, {}, 0, 1.5}},
        {"arány", {Rule::Number, {}, 0.1, 1.5}},
        {"levélkék", {Rule::Integer, {}, 3, 21}},
        {"erek", {Rule::Integer, {}, 2, 20}},
        {"szín", {Rule::Colour, {}}},
        {"fonák", {Rule::Colour, {}}},
        {"termés", {Rule::Choice, fruitKinds()}},
        {"termésszín", {Rule::Colour, {}}},
        {"szög", {Rule::Number, {}, 0, 180}},
        {"kéreg", {Rule::Choice, barkKinds()}},
        {"kéregszín", {Rule::Colour, {}}},
        {"háttér", {Rule::Colour, {}}},
    };
    return rules;
}

const Rules &hintRules()
{
    static const Rules rules{
        {"minták", {Rule::List, motifs()}},
        {"szín", {Rule::Colour, {}}},
        {"háttér", {Rule::Colour, {}}},
    };
    return rules;
}

double number(const QString &text, bool *ok)
{
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t.toDouble(ok);
}

QString parseStyle(const QString &style, const Rules &rules, Values &out)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    static const QRegularExpression colour(QStringLiteral("^#[0-9a-fA-F]{6}$"));
    const QStringList tokens = style.split(spaces, Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return QStringLiteral("üres stílus.");
    for (const QString &token : tokens) {
        const qsizetype eq = token.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return QStringLiteral("\"kulcs=érték\" alakot vártam, ezt kaptam: \"%1\".").arg(token);
        const QString key = token.left(eq);
        const QString value = token.mid(eq + 1);
        const auto rule = rules.find(key);
        if (rule == rules.end()) {
            QStringList known;
            for (const auto &[k, r] : rules)
                known << k;
            return QStringLiteral("ismeretlen kulcs: \"%1\"; lehet: %2.").arg(key, known.join(QStringLiteral(", ")));
        }
        if (out.count(key))
            return QStringLiteral("a(z) \"%1\" kulcs kétszer szerepel.").arg(key);
        bool ok = true;
        switch (rule->second.kind) {
        case Rule::Choice:
            if (!rule->second.choices.contains(value))
                return QStringLiteral("a(z) \"%1\" értéke \"%2\" nem lehet; lehet: %3.")
                    .arg(key, value, rule->second.choices.join(QStringLiteral(", ")));
            break;
        case Rule::List: {
            const QStringList items = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (items.isEmpty() || items.size() > 6)
                return QStringLiteral("a(z) \"%1\" egy-hat, vesszővel elválasztott elemet vár.").arg(key);
            for (const QString &item : items)
                if (!rule->second.choices.contains(item))
                    return QStringLiteral("ismeretlen minta: \"%1\"; lehet: %2.").arg(item, rule->second.choices.join(QStringLiteral(", ")));
            break;
        }
        case Rule::Number: {
            const double d = number(value, &ok);
            if (!ok || d < rule->second.low || d > rule->second.high)
                return QStringLiteral("a(z) \"%1\" értéke %2 és %3 közötti szám legyen, nem \"%4\".")
                    .arg(key).arg(rule->second.low).arg(rule->second.high).arg(value);
            break;
        }
        case Rule::Integer: {
            const int i = value.toInt(&ok);
            if (!ok || i < rule->second.low || i > rule->second.high)
                return QStringLiteral("a(z) \"%1\" értéke %2 és %3 közötti egész szám legyen, nem \"%4\".")
                    .arg(key).arg(rule->second.low).arg(rule->second.high).arg(value);
            break;
        }
        case Rule::Colour:
            if (!colour.match(value).hasMatch())
                return QStringLiteral("a(z) \"%1\" értéke #rrggbb alakú szín legyen, nem \"%2\".").arg(key, value);
            break;
        }
        out[key] = value;
    }
    return {};
}

QString get(const Values &v, const char *key, const QString &fallback)
{
    const auto it = v.find(QString::fromUtf8(key));
    return it == v.end() ? fallback : it->second;
}
double getNumber(const Values &v, const char *key, double fallback)
{
    const auto it = v.find(QString::fromUtf8(key));
    bool ok = false;
    const double d = it == v.end() ? fallback : number(it->second, &ok);
    return it == v.end() || !ok ? fallback : d;
}
QColor getColour(const Values &v, const char *key, const QColor &fallback)
{
    const auto it = v.find(QString::fromUtf8(key));
    return it == v.end() ? fallback : QColor(it->second);
}

// ---------------------------------------------------------------- figures

// A figure is drawn in its own units and fitted into a slot of the picture.
struct Item {
    QPainterPath path;
    QBrush brush = Qt::NoBrush;
    QPen pen = Qt::NoPen;
};
using Figure = std::vector<Item>;

QPen line(const QColor &c, double width)
{
    QPen p(c, width);
    p.setCosmetic(true);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void add(Figure &f, const QPainterPath &path, const QBrush &brush, const QPen &pen = Qt::NoPen)
{
    f.push_back({path, brush, pen});
}
void stroke(Figure &f, const QPainterPath &path, const QPen &pen) { f.push_back({path, Qt::NoBrush, pen}); }
void append(Figure &to, const Figure &from, const QTransform &t = QTransform())
{
    for (const Item &i : from) {
        Item copy = i;
        copy.path = t.map(i.path);
        if (copy.brush.gradient() || copy.brush.style() == Qt::TexturePattern)
            copy.brush.setTransform(copy.brush.transform() * t);
        to.push_back(copy);
    }
}

QTransform placed(QPointF at, double angleDegrees, double scale = 1.0)
{
    QTransform t;
    t.translate(at.x(), at.y());
    t.rotate(angleDegrees);
    t.scale(scale, scale);
    return t;
}

QPainterPath ellipse(QPointF centre, double rx, double ry, double angleDegrees = 0)
{
    QPainterPath p;
    p.addEllipse(QPointF(0, 0), rx, ry);
    return placed(centre, angleDegrees).map(p);
}

QPainterPath curve(QPointF a, QPointF c1, QPointF c2, QPointF b)
{
    QPainterPath p(a);
    p.cubicTo(c1, c2, b);
    return p;
}

QPointF cubicPoint(QPointF a, QPointF c1, QPointF c2, QPointF b, double t)
{
    const double u = 1 - t;
    return a * (u * u * u) + c1 * (3 * u * u * t) + c2 * (3 * u * t * t) + b * (t * t * t);
}

QBrush linearBrush(QPointF from, QPointF to, const QColor &a, const QColor &b)
{
    QLinearGradient g(from, to);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return QBrush(g);
}

QBrush roundBrush(QPointF centre, double radius, const QColor &base)
{
    QRadialGradient g(centre + QPointF(-radius * 0.35, -radius * 0.4), radius * 1.4);
    g.setColorAt(0, base.lighter(165));
    g.setColorAt(0.45, base);
    g.setColorAt(1, base.darker(160));
    return QBrush(g);
}

QRectF figureBounds(const Figure &fig, const QTransform &t)
{
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (const Item &i : fig) {
        const QRectF r = t.map(i.path).boundingRect();
        x0 = std::min(x0, r.left());
        y0 = std::min(y0, r.top());
        x1 = std::max(x1, r.right());
        y1 = std::max(y1, r.bottom());
    }
    if (x0 > x1)
        return {};
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

void paintFigure(QPainter &p, const Figure &fig, const QRectF &slot, double rotation, double fill = 0.9)
{
    QTransform rot;
    rot.rotate(rotation);
    const QRectF b = figureBounds(fig, rot);
    if (b.isNull())
        return;
    const double scale = std::min(slot.width() / std::max(b.width(), 1e-6), slot.height() / std::max(b.height(), 1e-6)) * fill;
    p.save();
    p.translate(slot.center());
    p.scale(scale, scale);
    p.translate(-b.center());
    p.rotate(rotation);
    for (const Item &i : fig) {
        p.setPen(i.pen);
        p.setBrush(i.brush);
        p.drawPath(i.path);
    }
    p.restore();
}

// ---------------------------------------------------------------- leaves

struct LeafSpec {
    QString form = QStringLiteral("elliptikus");
    QString outline;                 // envelope of lobed leaves and leaflets; empty = by form
    int lobes = 5;
    double depth = 0.4;
    bool pointedLobes = false;
    QString margin = QStringLiteral("ép");
    QString base = QStringLiteral("kerek");
    QString tip = QStringLiteral("hegyes");
    double petiole = 0.2;
    double ratio = 0.6;
    int leaflets = 9;
    int veins = 7;
    QColor colour{70, 125, 50};
    QColor underside;                // invalid = not shown
    double toothScale = 1.0;         // exaggeration for hint pictures
};

LeafSpec leafSpec(const Values &v)
{
    LeafSpec s;
    s.form = get(v, "levél", s.form);
    s.outline = get(v, "körvonal", {});
    s.lobes = int(getNumber(v, "karéj", 5));
    s.depth = getNumber(v, "mélység", 0.4);
    s.pointedLobes = get(v, "karéjvég", QStringLiteral("kerek")) == QLatin1String("hegyes");
    s.margin = get(v, "szél", s.margin);
    s.base = get(v, "alap", s.form == QStringLiteral("szív") ? QStringLiteral("szíves") : s.base);
    s.tip = get(v, "csúcs", s.tip);
    s.petiole = getNumber(v, "nyél", 0.2);
    s.ratio = getNumber(v, "arány", s.form == QLatin1String("tenyeres") ? 1.1 : 0.6);
    s.leaflets = int(getNumber(v, "levélkék", 9));
    s.veins = int(getNumber(v, "erek", 7));
    s.colour = getColour(v, "szín", s.colour);
    s.underside = getColour(v, "fonák", QColor());
    return s;
}

QString envelopeName(const LeafSpec &s)
{
    if (!s.outline.isEmpty())
        return s.outline;
    if (s.form == QStringLiteral("karéjos"))
        return QStringLiteral("visszás");
    return s.form;
}

// Half width of a blade at t (0 = base, 1 = tip) before lobes and teeth; blade length is 1.
double envelope(const QString &shape, const QString &tip, double ratio, double t)
{
    t = clamp01(t);
    double p = 1.0, q = 0.85;
    if (shape == QStringLiteral("tojásdad")) { p = 0.7; q = 0.85; }
    else if (shape == QStringLiteral("visszás")) { p = 1.6; q = 0.85; }
    else if (shape == QLatin1String("elliptikus")) { p = 1.0; q = 0.8; }
    else if (shape == QLatin1String("kerekded")) { p = 0.9; q = 0.55; }
    else if (shape == QStringLiteral("lándzsás")) { p = 0.85; q = 1.0; }
    else if (shape == QStringLiteral("szív")) { p = 0.62; q = 0.95; }
    double x;
    if (shape == QLatin1String("rombusz")) {
        x = t < 0.38 ? std::pow(t / 0.38, 0.8) : std::pow((1 - t) / 0.62, 1.05);
    } else {
        double qq = q;
        if (tip == QLatin1String("tompa") || tip == QStringLiteral("kicsípett"))
            qq = q * (1.0 - 0.5 * smoothstep(0.5, 1.0, t));
        x = std::pow(std::max(0.0, std::sin(kPi * std::pow(t, p))), qq);
    }
    if (tip == QLatin1String("kihegyezett"))
        x *= 1.0 - 0.55 * smoothstep(0.7, 0.97, t);
    return ratio / 2 * x;
}

// Forward-pointing saw tooth, 0..1.
double sawTooth(double s, double period)
{
    const double u = fracPart(s / period);
    return u < 0.8 ? u / 0.8 : (1 - u) / 0.2;
}

// Moves the points of an open outline (base to tip, outside on the right of the way) outwards
// by the margin's teeth.
void applyTeeth(QPolygonF &pts, const QString &margin, double scale)
{
    if (margin == QStringLiteral("ép") || pts.size() < 3)
        return;
    std::vector<double> s(size_t(pts.size()), 0.0);
    for (int i = 1; i < pts.size(); ++i)
        s[size_t(i)] = s[size_t(i - 1)] + std::hypot(pts[i].x() - pts[i - 1].x(), pts[i].y() - pts[i - 1].y());
    const double total = s.back();
    if (total <= 0)
        return;
    QPolygonF out = pts;
    for (int i = 1; i + 1 < pts.size(); ++i) {
        const QPointF tan = pts[i + 1] - pts[i - 1];
        const double len = std::hypot(tan.x(), tan.y());
        if (len < 1e-9)
            continue;
        const QPointF normal(tan.y() / len, -tan.x() / len);
        const double at = s[size_t(i)];
        const double rel = at / total;
        const double fade = smoothstep(0.0, 0.1, rel) * smoothstep(0.0, 0.05, 1.0 - rel);
        double f = 0;
        if (margin == QStringLiteral("fűrészes"))
            f = sawTooth(at, 0.035) * 0.02;
        else if (margin == QStringLiteral("kétszeres"))
            f = sawTooth(at, 0.1) * 0.032 + sawTooth(at, 0.033) * 0.013;
        else if (margin == QStringLiteral("csipkés"))
            f = std::sqrt(std::abs(std::sin(kPi * at / 0.05))) * 0.018;
        else if (margin == QStringLiteral("hullámos"))
            f = (0.5 - 0.5 * std::cos(2 * kPi * at / 0.17)) * 0.022;
        else if (margin == QLatin1String("fogas"))
            f = std::pow(fracPart(at / 0.13), 1.8) * 0.055;
        out[i] += normal * (f * fade * scale);
    }
    pts = out;
}

struct Half {
    QPolygonF plain;  // without teeth, for the veins
    QPolygonF toothed;
};

// Right half of a simple or pinnately lobed blade, in y-up units: base (0,0), tip (0,1).
Half bladeHalf(const LeafSpec &s, double lobePhase, double yOffset, double xScale)
{
    const QString shape = envelopeName(s);
    const bool lobed = s.form == QStringLiteral("karéjos");
    const bool cordate = s.base == QStringLiteral("szíves");
    const bool eared = s.base == QStringLiteral("füles");
    const int n = 240;
    Half h;
    for (int i = 0; i <= n; ++i) {
        const double t = double(i) / n;
        double x = envelope(shape, s.tip, s.ratio, t);
        if (s.base == QStringLiteral("ék"))
            x = std::min(x, s.ratio * 0.6 * t / 0.45);
        if (eared && t < 0.14)
            x = std::max(x, s.ratio * 0.16 * std::pow(std::sin(kPi * t / 0.14), 0.7));
        if (lobed) {
            const double start = 0.05, span = 0.9;
            double lobe = 0;
            if (t >= start) {
                const double phi = (t - start) / span * s.lobes + lobePhase;
                lobe = s.pointedLobes ? std::pow(1 - std::abs(2 * fracPart(phi) - 1), 0.8)
                                      : std::pow(std::abs(std::sin(kPi * phi)), 0.5);
            }
            x *= (1 - s.depth) + s.depth * lobe;
        }
        double y = t;
        // the lobes of a cordate or eared base hang below the joint of the petiole
        if (cordate && t < 0.3)
            y -= 0.36 * std::sin(kPi * t / 0.3) * (1 - t / 0.3);
        else if (eared && t < 0.12)
            y -= 0.16 * std::sin(kPi * t / 0.12) * (1 - t / 0.12);
        h.plain << QPointF(x * xScale, yOffset + y * (1 - yOffset));
    }
    if (s.tip == QStringLiteral("kicsípett"))
        h.plain.last().ry() -= 0.05;
    h.toothed = h.plain;
    applyTeeth(h.toothed, s.margin, s.toothScale);
    return h;
}

// Right half of a palmately lobed blade in y-up units, from the base sinus to the tip of the middle lobe.
Half palmateHalf(const LeafSpec &s, std::vector<std::pair<double, double>> *lobeTips)
{
    struct Lobe {
        double angle, length, width;
        bool pointed;
    };
    std::vector<Lobe> lobes;
    std::vector<std::pair<double, double>> main; // angle, length
    switch (s.lobes) {
    case 2:
    case 3:
        main = {{0, 1.0}, {0.95, 0.82}, {1.9, 0.4}};
        break;
    case 6:
    case 7:
    case 8:
    case 9:
        main = {{0, 1.0}, {0.7, 0.95}, {1.35, 0.8}, {2.0, 0.5}};
        break;
    default:
        main = {{0, 1.0}, {0.9, 0.92}, {1.8, 0.6}};
    }
    const double spacing = main.size() > 1 ? main[1].first : 1.0;
    for (const auto &[a, l] : main) {
        lobes.push_back({a, l, spacing * 0.58, s.pointedLobes});
        if (lobeTips)
            lobeTips->push_back({a, l});
        if (s.margin == QLatin1String("fogas") && l >= 0.55) {
            lobes.push_back({a + spacing * 0.33, l * 0.72, spacing * 0.2, true});
            if (a > 0)
                lobes.push_back({a - spacing * 0.33, l * 0.72, spacing * 0.2, true});
        }
    }
    const double sinus = (1 - s.depth) * 0.78;
    const int n = 480;
    Half h;
    for (int i = 0; i <= n; ++i) {
        const double theta = kPi * (1.0 - double(i) / n); // from the base (pi) to the tip (0)
        double r = sinus + (0.1 - sinus) * smoothstep(2.1, kPi, theta);
        for (const Lobe &l : lobes) {
            const double u = std::abs(theta - l.angle) / l.width;
            if (u >= 1)
                continue;
            const double shape = l.pointed ? std::pow(1 - u, 0.7) : std::sqrt(1 - u * u);
            r = std::max(r, l.length * shape);
        }
        h.plain << QPointF(r * std::sin(theta) * s.ratio / 1.1, r * std::cos(theta));
    }
    h.toothed = h.plain;
    LeafSpec teeth = s;
    if (teeth.margin == QLatin1String("fogas"))
        teeth.margin = QStringLiteral("ép");
    applyTeeth(h.toothed, teeth.margin, s.toothScale * 1.3);
    return h;
}

QPointF flip(QPointF p) { return {p.x(), -p.y()}; }

// Blade of a simple, lobed or palmate leaf in picture units: petiole joins at (0,0), tip at (0,-1).
Figure bladeFigure(const LeafSpec &s, bool withPetiole = true, const QColor *fillOverride = nullptr)
{
    const bool palmate = s.form == QLatin1String("tenyeres");
    Half right, left;
    std::vector<std::pair<double, double>> tips;
    if (palmate) {
        right = palmateHalf(s, &tips);
        left = right;
    } else {
        const bool lobed = s.form == QStringLiteral("karéjos");
        const bool oblique = s.base == QLatin1String("ferde");
        right = bladeHalf(s, 0.0, 0.0, 1.0);
        left = bladeHalf(s, lobed ? 0.3 : 0.0, oblique ? 0.1 : 0.0, oblique ? 0.88 : 1.0);
    }
    QPolygonF outline;
    for (const QPointF &p : right.toothed)
        outline << flip(p);
    for (int i = int(left.toothed.size()) - 1; i >= 0; --i)
        outline << flip(QPointF(-left.toothed[i].x(), left.toothed[i].y()));
    QPainterPath blade;
    blade.addPolygon(outline);
    blade.closeSubpath();

    const QColor fill = fillOverride ? *fillOverride : s.colour;
    Figure f;
    if (withPetiole && s.petiole > 0)
        stroke(f, curve({0, 0}, {0.01, s.petiole * 0.4}, {-0.02, s.petiole * 0.7}, {0.01, s.petiole}),
               line(fill.darker(135), 3.2));
    add(f, blade, linearBrush({-0.4, -1}, {0.4, 0.1}, fill.lighter(118), fill.darker(112)), line(fill.darker(170), 1.2));

    // veins
    QPainterPath veins;
    const QColor veinColour = fill.lighter(140);
    if (palmate) {
        for (const auto &[a, l] : tips) {
            for (int side : {1, -1}) {
                if (a == 0 && side < 0)
                    continue;
                const QPointF end(side * 0.9 * l * std::sin(a) * s.ratio / 1.1, -0.9 * l * std::cos(a));
                veins.moveTo(0, 0);
                veins.quadTo(end * 0.5 + QPointF(0, -0.03), end);
            }
        }
    } else {
        veins.moveTo(0, 0);
        veins.lineTo(0, -0.96);
        const bool lobed = s.form == QStringLiteral("karéjos");
        const int n = lobed ? s.lobes : s.veins;
        for (int side : {1, -1}) {
            const Half &h = side > 0 ? right : left;
            for (int k = 0; k < n; ++k) {
                double t;
                if (lobed)
                    t = 0.05 + 0.9 * (k + 0.5 - (side > 0 ? 0.0 : 0.3)) / s.lobes;
                else
                    t = 0.08 + 0.84 * (k + 0.5) / n;
                if (t <= 0.02 || t >= 0.97)
                    continue;
                const int idx = std::clamp(int(std::round((t + 0.06) * (h.plain.size() - 1))), 0, int(h.plain.size()) - 1);
                const QPointF edge = h.plain[idx];
                const QPointF end(side * edge.x() * 0.85, -(edge.y() - 0.01));
                const QPointF start(0, -std::max(0.0, t - 0.06));
                veins.moveTo(start);
                veins.quadTo(QPointF(end.x() * 0.5, start.y() - 0.03), end);
            }
        }
    }
    stroke(f, veins, line(veinColour, 1.1));
    return f;
}

Figure compoundFigure(const LeafSpec &s)
{
    Figure f;
    const int pairs = std::max(1, (s.leaflets - 1) / 2);
    const double rachisStart = 0.0, firstPair = 0.22, top = 1.0;
    stroke(f, curve({0, rachisStart}, {0.02, -0.4}, {-0.02, -0.7}, {0, -top}), line(s.colour.darker(140), 3));
    LeafSpec leaflet = s;
    leaflet.form = s.outline.isEmpty() ? QStringLiteral("lándzsás") : s.outline;
    leaflet.outline.clear();
    leaflet.base = QStringLiteral("ék");
    leaflet.tip = QStringLiteral("kihegyezett");
    leaflet.veins = 6;
    leaflet.toothScale = s.toothScale * 1.4;
    const Figure one = bladeFigure(leaflet, false);
    const double size = 0.36;
    for (int k = 0; k < pairs; ++k) {
        const double y = -(firstPair + (top - firstPair - 0.12) * k / std::max(1, pairs));
        for (int side : {1, -1}) {
            const double angle = side * (62 - 8.0 * k / pairs);
            append(f, one, placed({0, y}, angle, size));
        }
    }
    append(f, one, placed({0, -top}, 0, size * 1.05));
    return f;
}

Figure pineShoot(const QColor &c, int pairs)
{
    Figure f;
    const QPointF a(0, 0), c1(0.05, -0.35), c2(0.12, -0.7), b(0.08, -1.0);
    QPainterPath needles, sheaths;
    for (int i = 0; i < pairs; ++i) {
        const double u = 0.06 + 0.9 * i / std::max(1, pairs - 1);
        const QPointF p = cubicPoint(a, c1, c2, b, u);
        const QPointF q = cubicPoint(a, c1, c2, b, std::min(1.0, u + 0.01));
        const double up = std::atan2(q.x() - p.x(), -(q.y() - p.y()));
        const int side = i % 2 ? 1 : -1;
        const double pairAngle = up + side * radians(48 + 22 * std::sin(i * 1.7));
        const double len = 0.42 * (1 - 0.35 * u);
        for (int k : {-1, 1}) {
            const double ang = pairAngle + k * radians(9);
            const QPointF dir(std::sin(ang), -std::cos(ang));
            const QPointF bend(std::cos(ang) * 0.03 * k, std::sin(ang) * 0.03 * k);
            needles.moveTo(p);
            needles.quadTo(p + dir * (len * 0.5) + bend, p + dir * len);
        }
        sheaths.addEllipse(p, 0.012, 0.012);
    }
    stroke(f, curve(a, c1, c2, b), line(QColor(120, 82, 50), 5));
    stroke(f, needles, line(c, 2.2));
    stroke(f, needles, line(c.lighter(135), 0.8));
    add(f, sheaths, QColor(95, 65, 40));
    QPainterPath buds;
    buds.addEllipse(b + QPointF(0, -0.04), 0.025, 0.05);
    buds.addEllipse(b + QPointF(-0.035, -0.01), 0.018, 0.035);
    buds.addEllipse(b + QPointF(0.035, -0.01), 0.018, 0.035);
    add(f, buds, QColor(150, 95, 60), line(QColor(110, 70, 40), 1));
    return f;
}

QPainterPath needleShape(double length, double width)
{
    QPainterPath p;
    p.moveTo(0, 0);
    p.quadTo(width, -length * 0.3, width * 0.8, -length * 0.85);
    p.lineTo(0, -length);
    p.lineTo(-width * 0.8, -length * 0.85);
    p.quadTo(-width, -length * 0.3, 0, 0);
    return p;
}

Figure yewShoot(const QColor &c, int count)
{
    Figure f;
    stroke(f, curve({0, 0}, {0.02, -0.35}, {-0.02, -0.7}, {0.02, -1.0}), line(QColor(110, 90, 50), 4));
    QPainterPath needles, ribs;
    for (int i = 0; i < count; ++i) {
        const double u = 0.05 + 0.9 * i / std::max(1, count - 1);
        const double len = 0.24 * (1 - 0.35 * u);
        for (int side : {1, -1}) {
            const QTransform t = placed({0, -u}, side * (72 - 10 * u));
            needles.addPath(t.map(needleShape(len, 0.022)));
            ribs.moveTo(t.map(QPointF(0, -0.01)));
            ribs.lineTo(t.map(QPointF(0, -len * 0.9)));
        }
    }
    add(f, needles, linearBrush({0, 0}, {0.3, -1}, c.lighter(125), c), line(c.darker(150), 0.8));
    stroke(f, ribs, line(c.lighter(150), 0.8));
    return f;
}

Figure juniperShoot(const QColor &c, int whorls)
{
    Figure f;
    stroke(f, curve({0, 0}, {-0.03, -0.35}, {0.03, -0.7}, {0, -1.0}), line(QColor(125, 90, 60), 4));
    QPainterPath needles, stripes, front;
    for (int i = 0; i < whorls; ++i) {
        const double u = 0.06 + 0.88 * i / std::max(1, whorls - 1);
        const double len = 0.2;
        for (int side : {1, -1}) {
            const QTransform t = placed({0, -u}, side * 48);
            needles.addPath(t.map(needleShape(len, 0.011)));
            stripes.moveTo(t.map(QPointF(0, -0.015)));
            stripes.lineTo(t.map(QPointF(0, -len * 0.8)));
        }
        const QTransform t = placed({0, -u}, 8, 1.0);
        front.addPath(t.map(needleShape(len * 0.45, 0.011)));
    }
    add(f, front, c.lighter(115), line(c.darker(140), 0.8));
    add(f, needles, c, line(c.darker(150), 0.8));
    stroke(f, stripes, line(QColor(235, 240, 240), 1.0));
    return f;
}

Figure leafFigure(const LeafSpec &s)
{
    if (s.form == QStringLiteral("tű-páros"))
        return pineShoot(s.colour, 26);
    if (s.form == QStringLiteral("tű-lapos"))
        return yewShoot(s.colour, 22);
    if (s.form == QStringLiteral("tű-örvös"))
        return juniperShoot(s.colour, 8);
    if (s.form == QStringLiteral("szárnyas"))
        return compoundFigure(s);
    return bladeFigure(s);
}

// ---------------------------------------------------------------- fruits

enum class Cup { Smooth, Shaggy };

// An acorn hanging from (0,0) downwards: cup at the top, nut below.
Figure acorn(const QColor &nutColour, Cup cup, double length = 0.42, double width = 0.2)
{
    Figure f;
    const QColor cupColour = cup == Cup::Shaggy ? QColor(150, 130, 90) : QColor(160, 140, 100);
    add(f, ellipse({0, length * 0.58}, width / 2, length * 0.5), roundBrush({0, length * 0.58}, width / 2, nutColour),
        line(nutColour.darker(160), 1));
    QPainterPath tipMark;
    tipMark.moveTo(0, length * 1.06);
    tipMark.lineTo(0, length * 1.12);
    stroke(f, tipMark, line(nutColour.darker(200), 2));
    const QPainterPath cupPath = ellipse({0, length * 0.2}, width * 0.6, length * 0.24);
    add(f, cupPath, roundBrush({0, length * 0.2}, width * 0.6, cupColour), line(cupColour.darker(170), 1));
    QPainterPath texture;
    if (cup == Cup::Smooth) {
        for (int row = 0; row < 4; ++row) {
            const double y = length * (0.06 + row * 0.085);
            const int n = 6;
            for (int k = 0; k < n; ++k) {
                const double x = -width * 0.48 + width * 0.96 * (k + 0.5 * (row % 2)) / n;
                texture.moveTo(x - width * 0.05, y);
                texture.quadTo(x, y + length * 0.05, x + width * 0.05, y);
            }
        }
        stroke(f, texture, line(cupColour.darker(150), 0.9));
    } else {
        for (int k = 0; k < 30; ++k) {
            const double a = kPi * (0.05 + 0.9 * k / 29.0);
            const QPointF start(-std::cos(a) * width * 0.55, length * 0.2 + std::sin(a) * length * 0.2 - length * 0.05);
            const QPointF out(-std::cos(a), std::sin(a) * 0.4 - 0.6);
            const double l = width * (0.3 + 0.15 * std::sin(k * 2.3));
            texture.moveTo(start);
            texture.quadTo(start + out * l + QPointF(0, l * 0.4), start + out * (l * 1.2) + QPointF(out.y() * l * 0.5, l * 0.9));
        }
        stroke(f, texture, line(cupColour.darker(135), 1.6));
    }
    return f;
}

Figure fruitFigure(const QString &kind, const QColor &colourIn, double angle)
{
    Figure f;
    const QColor stalk(110, 85, 55);
    const auto colourOr = [&](const QColor &fallback) { return colourIn.isValid() ? colourIn : fallback; };

    if (kind == QStringLiteral("makk-kocsányos")) {
        const QColor c = colourOr(QColor(155, 110, 50));
        stroke(f, curve({0, -0.1}, {0.06, 0.15}, {-0.05, 0.35}, {0.02, 0.6}), line(stalk, 3));
        append(f, acorn(c, Cup::Smooth), placed({0.02, 0.6}, 28));
        append(f, acorn(c, Cup::Smooth), placed({0.02, 0.6}, -22));
    } else if (kind == QStringLiteral("makk-ülő")) {
        const QColor c = colourOr(QColor(150, 105, 50));
        stroke(f, curve({-0.32, 0.16}, {-0.15, 0.12}, {0.15, 0.06}, {0.34, 0.0}), line(stalk, 5));
        append(f, acorn(c, Cup::Smooth, 0.38, 0.19), placed({-0.1, 0.11}, 200));
        append(f, acorn(c, Cup::Smooth, 0.36, 0.19), placed({0.08, 0.08}, 162));
        append(f, acorn(c, Cup::Smooth, 0.3, 0.16), placed({0.22, 0.04}, 185));
    } else if (kind == QLatin1String("makk-cser")) {
        const QColor c = colourOr(QColor(150, 105, 55));
        stroke(f, curve({0, -0.1}, {0.02, 0.0}, {-0.02, 0.05}, {0, 0.1}), line(stalk, 3));
        append(f, acorn(c, Cup::Shaggy, 0.5, 0.24), placed({0, 0.1}, 24));
        append(f, acorn(c, Cup::Shaggy, 0.46, 0.22), placed({0, 0.1}, -26));
    } else if (kind == QStringLiteral("bükkmakk")) {
        const QColor c = colourOr(QColor(140, 90, 45));
        stroke(f, curve({0, 0.55}, {0.01, 0.45}, {-0.01, 0.35}, {0, 0.25}), line(stalk, 3));
        QPainterPath spines;
        for (double a : {-70.0, -25.0, 25.0, 70.0}) {
            const QTransform t = placed({0, 0.25}, a);
            add(f, t.map(ellipse({0, -0.2}, 0.07, 0.22)), QColor(170, 130, 80), line(QColor(120, 85, 50), 1));
            for (int k = 0; k < 9; ++k) {
                const double y = -0.04 - 0.36 * k / 8.0;
                for (int side : {1, -1}) {
                    spines.moveTo(t.map(QPointF(side * 0.055, y)));
                    spines.lineTo(t.map(QPointF(side * 0.1, y - 0.02)));
                }
            }
        }
        stroke(f, spines, line(QColor(120, 85, 50), 1));
        for (int side : {1, -1}) {
            QPainterPath nut;
            nut.moveTo(side * 0.07, -0.25);
            nut.quadTo(side * 0.16, 0.05, side * 0.12, 0.2);
            nut.quadTo(side * 0.07, 0.24, side * 0.01, 0.2);
            nut.quadTo(side * 0.0, 0.0, side * 0.07, -0.25);
            add(f, nut, roundBrush({side * 0.08, 0.0}, 0.15, c), line(c.darker(170), 1));
        }
    } else if (kind == QStringLiteral("gyertyán")) {
        const QColor c = colourOr(QColor(185, 176, 106));
        stroke(f, curve({0, -0.55}, {0.03, -0.4}, {-0.02, -0.25}, {0, -0.1}), line(stalk, 2.5));
        for (double a : {-32.0, 0.0, 30.0}) {
            const QTransform t = placed({0, -0.1}, a, 1.0);
            QPainterPath bract = ellipse({0, 0.34}, 0.07, 0.3);
            bract = bract.united(ellipse({0.09, 0.12}, 0.04, 0.1, -35));
            bract = bract.united(ellipse({-0.09, 0.12}, 0.04, 0.1, 35));
            add(f, t.map(bract), linearBrush({0, 0}, {0, 0.6}, c.lighter(112), c.darker(112)), line(c.darker(160), 1));
            QPainterPath veins;
            veins.moveTo(0, 0.05);
            veins.lineTo(0, 0.6);
            veins.moveTo(0, 0.06);
            veins.lineTo(0.09, 0.18);
            veins.moveTo(0, 0.06);
            veins.lineTo(-0.09, 0.18);
            stroke(f, t.map(veins), line(c.darker(130), 0.8));
            add(f, t.map(ellipse({0, 0.04}, 0.04, 0.055)), QColor(150, 130, 80), line(QColor(100, 85, 50), 1));
        }
    } else if (kind == QStringLiteral("hárs")) {
        const QColor c = colourOr(QColor(190, 185, 120));
        add(f, ellipse({0.02, -0.05}, 0.11, 0.48, -6), linearBrush({0, -0.5}, {0, 0.4}, QColor(215, 215, 150), QColor(190, 190, 120)),
            line(QColor(150, 150, 90), 1));
        QPainterPath vein;
        vein.moveTo(0.07, -0.5);
        vein.lineTo(-0.03, 0.4);
        stroke(f, vein, line(QColor(160, 160, 100), 0.8));
        stroke(f, curve({0.07, -0.6}, {0.06, -0.3}, {0.03, 0.0}, {0.02, 0.05}), line(stalk, 2.2));
        stroke(f, curve({0.02, 0.05}, {0.1, 0.15}, {0.15, 0.25}, {0.18, 0.32}), line(stalk, 2.2));
        for (const QPointF &p : {QPointF(0.1, 0.48), QPointF(0.2, 0.5), QPointF(0.29, 0.42), QPointF(0.19, 0.4)}) {
            stroke(f, curve({0.18, 0.32}, {0.18, 0.36}, p, p), line(stalk, 1.5));
            add(f, ellipse(p, 0.045, 0.045), roundBrush(p, 0.045, c.darker(115)), line(c.darker(170), 1));
        }
    } else if (kind == QStringLiteral("ikerlependék")) {
        const QColor c = colourOr(QColor(180, 175, 95));
        stroke(f, curve({0, -0.4}, {0.02, -0.25}, {-0.02, -0.1}, {0, 0}), line(stalk, 2.2));
        for (int side : {1, -1}) {
            QTransform t = placed({0, 0}, -side * angle / 2);
            t.scale(side, 1);
            QPainterPath wing;
            wing.moveTo(0.02, 0.1);
            wing.cubicTo(0.14, 0.25, 0.16, 0.55, 0.06, 0.72);
            wing.cubicTo(0.0, 0.78, -0.08, 0.7, -0.05, 0.55);
            wing.cubicTo(-0.04, 0.35, -0.05, 0.2, -0.04, 0.1);
            wing.closeSubpath();
            QColor wc = c;
            wc.setAlpha(225);
            add(f, t.map(wing), linearBrush({0, 0.1}, {0, 0.75}, wc.darker(110), wc.lighter(115)), line(c.darker(150), 1));
            QPainterPath veins;
            for (int k = 0; k < 5; ++k) {
                veins.moveTo(0.0, 0.14);
                veins.quadTo(0.02 + 0.02 * k, 0.4, -0.03 + 0.03 * k, 0.6 + 0.02 * k);
            }
            stroke(f, t.map(veins), line(c.darker(125), 0.7));
            add(f, t.map(ellipse({0.0, 0.08}, 0.07, 0.09)), roundBrush({0, 0.08}, 0.08, c.darker(115)), line(c.darker(170), 1));
        }
    } else if (kind == QStringLiteral("lependék")) {
        const QColor c = colourOr(QColor(176, 164, 102));
        stroke(f, curve({0, -0.55}, {0.02, -0.45}, {-0.02, -0.35}, {0, -0.3}), line(stalk, 2.5));
        for (int k = 0; k < 5; ++k) {
            const double a = -36 + 18 * k;
            const QPointF at(0.04 * (k - 2), -0.3 + 0.03 * std::abs(k - 2));
            QPainterPath pedicel(QPointF(0, -0.3));
            pedicel.lineTo(at);
            stroke(f, pedicel, line(stalk, 1.5));
            const QTransform t = placed(at, a);
            QPainterPath wing;
            wing.moveTo(0, 0.05);
            wing.cubicTo(0.06, 0.15, 0.05, 0.5, 0.02, 0.62);
            wing.lineTo(0, 0.6);
            wing.lineTo(-0.02, 0.62);
            wing.cubicTo(-0.05, 0.5, -0.06, 0.15, 0, 0.05);
            add(f, t.map(wing), linearBrush({0, 0}, {0, 0.6}, c.darker(105), c.lighter(112)), line(c.darker(150), 1));
            add(f, t.map(ellipse({0, 0.14}, 0.02, 0.1)), c.darker(125), line(c.darker(170), 0.8));
        }
    } else if (kind == QLatin1String("szil")) {
        const QColor c = colourOr(QColor(185, 180, 115));
        for (double a : {-40.0, 0.0, 38.0}) {
            const QTransform t = placed({0, -0.25}, a);
            QPainterPath pedicel(QPointF(0, 0));
            pedicel.lineTo(0, 0.08);
            stroke(f, t.map(pedicel), line(stalk, 1.5));
            QPainterPath wing = ellipse({0, 0.3}, 0.17, 0.22);
            QPainterPath notch;
            notch.moveTo(0, 0.44);
            notch.lineTo(-0.035, 0.53);
            notch.lineTo(0.035, 0.53);
            notch.closeSubpath();
            wing = wing.subtracted(notch);
            add(f, t.map(wing), linearBrush({0, 0.1}, {0, 0.5}, c.lighter(110), c.darker(105)), line(c.darker(150), 1));
            add(f, t.map(ellipse({0, 0.37}, 0.04, 0.055)), c.darker(135), line(c.darker(170), 0.8));
        }
    } else if (kind == QStringLiteral("nyírbarka")) {
        const QColor c = colourOr(QColor(143, 122, 74));
        stroke(f, curve({-0.05, -0.6}, {0.0, -0.5}, {0.04, -0.45}, {0.05, -0.38}), line(stalk, 2));
        const QTransform t = placed({0.05, -0.38}, -8);
        QPainterPath body;
        body.addRoundedRect(QRectF(-0.06, 0, 0.12, 0.62), 0.06, 0.06);
        add(f, t.map(body), linearBrush({-0.06, 0}, {0.06, 0}, c.lighter(120), c.darker(125)), line(c.darker(160), 1));
        QPainterPath scales;
        for (int row = 0; row < 14; ++row) {
            const double y = 0.04 + row * 0.042;
            for (int k = 0; k < 3; ++k) {
                const double x = -0.045 + 0.045 * k + (row % 2) * 0.02;
                scales.moveTo(x - 0.018, y);
                scales.quadTo(x, y + 0.025, x + 0.018, y);
            }
        }
        stroke(f, t.map(scales), line(c.darker(150), 0.8));
        for (const QPointF &p : {QPointF(0.3, 0.0), QPointF(0.36, 0.25)}) {
            add(f, ellipse(p + QPointF(-0.045, 0), 0.04, 0.03), QColor(220, 205, 160, 230), line(QColor(160, 140, 100), 0.8));
            add(f, ellipse(p + QPointF(0.045, 0), 0.04, 0.03), QColor(220, 205, 160, 230), line(QColor(160, 140, 100), 0.8));
            add(f, ellipse(p, 0.018, 0.03), QColor(130, 100, 60));
        }
    } else if (kind == QLatin1String("tobozka")) {
        const QColor c = colourOr(QColor(90, 63, 42));
        stroke(f, curve({-0.05, -0.6}, {0.0, -0.4}, {0.0, -0.25}, {0.0, -0.1}), line(stalk.darker(120), 3));
        const QPointF cones[] = {{-0.2, 0.08}, {0.0, 0.18}, {0.2, 0.06}, {0.05, -0.15}};
        for (const QPointF &p : cones) {
            QPainterPath st(QPointF(0, -0.1));
            st.lineTo(p + QPointF(0, -0.1));
            stroke(f, st, line(stalk.darker(120), 1.8));
            add(f, ellipse(p, 0.085, 0.12), roundBrush(p, 0.1, c), line(c.darker(170), 1));
            QPainterPath scales;
            for (int row = 0; row < 5; ++row) {
                const double y = p.y() - 0.08 + row * 0.04;
                for (int k = -1; k <= 1; ++k) {
                    const double x = p.x() + k * 0.04 + (row % 2) * 0.02 - 0.01;
                    if (std::pow((x - p.x()) / 0.08, 2) + std::pow((y - p.y()) / 0.11, 2) > 0.8)
                        continue;
                    scales.moveTo(x - 0.017, y);
                    scales.quadTo(x, y + 0.028, x + 0.017, y);
                }
            }
            stroke(f, scales, line(c.lighter(160), 0.9));
        }
    } else if (kind == QLatin1String("toboz")) {
        const QColor c = colourOr(QColor(138, 106, 69));
        stroke(f, curve({0.2, -0.62}, {0.12, -0.6}, {0.03, -0.55}, {0.0, -0.42}), line(stalk, 4));
        QPainterPath cone;
        cone.moveTo(0, -0.44);
        cone.cubicTo(0.22, -0.4, 0.25, 0.05, 0.03, 0.46);
        cone.cubicTo(-0.01, 0.5, -0.03, 0.48, -0.04, 0.45);
        cone.cubicTo(-0.26, 0.05, -0.2, -0.4, 0, -0.44);
        add(f, cone, roundBrush({0, 0}, 0.3, c), line(c.darker(170), 1.2));
        QPainterPath plates, umbos;
        for (int row = 0; row < 11; ++row) {
            const double y = -0.38 + row * 0.08;
            for (int k = -3; k <= 3; ++k) {
                const QPointF m(k * 0.07 + (row % 2) * 0.035, y);
                if (!cone.contains(m + QPointF(0.03, 0)) || !cone.contains(m - QPointF(0.03, 0)))
                    continue;
                QPolygonF d;
                d << m + QPointF(0, -0.035) << m + QPointF(0.034, 0) << m + QPointF(0, 0.035) << m + QPointF(-0.034, 0) << m + QPointF(0, -0.035);
                plates.addPolygon(d);
                umbos.addEllipse(m, 0.006, 0.006);
            }
        }
        add(f, plates, QColor(c.lighter(115).red(), c.lighter(115).green(), c.lighter(115).blue(), 150), line(c.darker(160), 0.8));
        add(f, umbos, c.darker(190));
    } else if (kind == QLatin1String("tok")) {
        const QColor c = colourOr(QColor(154, 160, 112));
        const QPointF a(0, -0.5), c1(0.06, -0.2), c2(-0.04, 0.2), b(0.04, 0.5);
        stroke(f, curve(a, c1, c2, b), line(stalk, 2));
        QPainterPath cotton;
        for (int k = 0; k < 13; ++k) {
            const double u = 0.08 + 0.9 * k / 12.0;
            const QPointF p = cubicPoint(a, c1, c2, b, u);
            const int side = k % 2 ? 1 : -1;
            const QPointF cap = p + QPointF(side * 0.035, 0.01);
            add(f, ellipse(cap, 0.03, 0.045, side * -25), roundBrush(cap, 0.04, c), line(c.darker(160), 0.8));
            if (k % 3 == 1) {
                for (int j = 0; j < 6; ++j) {
                    const double ang = j * kPi / 3 + k;
                    cotton.addEllipse(cap + QPointF(side * 0.07 + std::cos(ang) * 0.04, std::sin(ang) * 0.035), 0.045, 0.04);
                }
            }
        }
        for (const QPointF &p : {QPointF(0.32, -0.3), QPointF(0.38, 0.1), QPointF(-0.3, 0.25)}) {
            for (int j = 0; j < 6; ++j) {
                const double ang = j * kPi / 3;
                cotton.addEllipse(p + QPointF(std::cos(ang) * 0.035, std::sin(ang) * 0.03), 0.035, 0.03);
            }
        }
        cotton.setFillRule(Qt::WindingFill);
        add(f, cotton.translated(0.006, 0.008), QColor(185, 185, 178, 150));
        add(f, cotton, QColor(255, 255, 255, 240));
    } else if (kind == QLatin1String("cseresznye")) {
        const QColor c = colourOr(QColor(110, 15, 26));
        const QPointF top(0, -0.5);
        for (const QPointF &p : {QPointF(-0.22, 0.25), QPointF(0.04, 0.36), QPointF(0.26, 0.2)}) {
            stroke(f, curve(top, top + QPointF(p.x() * 0.2, 0.2), p + QPointF(0, -0.35), p + QPointF(0, -0.12)), line(QColor(90, 110, 50), 2));
            add(f, ellipse(p, 0.13, 0.125), roundBrush(p, 0.13, c), line(c.darker(170), 1));
            add(f, ellipse(p + QPointF(-0.045, -0.05), 0.03, 0.018, -30), QColor(255, 255, 255, 150));
        }
    } else if (kind == QLatin1String("alma")) {
        const QColor c = colourOr(QColor(200, 207, 90));
        for (const auto &[p, r] : {std::pair<QPointF, double>{QPointF(-0.25, -0.05), 0.2}, {QPointF(0.08, 0.08), 0.3}}) {
            stroke(f, curve(p + QPointF(0, -r * 0.8), p + QPointF(0.01, -r * 1.1), p + QPointF(0.04, -r * 1.3), p + QPointF(0.06, -r * 1.45)),
                   line(stalk, 2.2));
            add(f, ellipse(p, r * 1.06, r * 0.95), roundBrush(p, r, c), line(c.darker(160), 1));
            QRadialGradient flush(p + QPointF(r * 0.45, r * 0.1), r * 0.9);
            flush.setColorAt(0, QColor(200, 70, 40, 150));
            flush.setColorAt(1, QColor(200, 70, 40, 0));
            add(f, ellipse(p, r * 1.06, r * 0.95), QBrush(flush));
            QPainterPath calyx;
            for (int k = 0; k < 5; ++k) {
                const double ang = k * 2 * kPi / 5;
                calyx.moveTo(p + QPointF(0, r * 0.78));
                calyx.lineTo(p + QPointF(std::cos(ang) * r * 0.12, r * 0.78 + std::sin(ang) * r * 0.06));
            }
            stroke(f, calyx, line(QColor(90, 70, 40), 1.2));
            QPainterPath dimple;
            dimple.moveTo(p + QPointF(-r * 0.2, -r * 0.8));
            dimple.quadTo(p + QPointF(0, -r * 0.68), p + QPointF(r * 0.2, -r * 0.8));
            stroke(f, dimple, line(c.darker(150), 1));
        }
    } else if (kind == QStringLiteral("körte")) {
        const QColor c = colourOr(QColor(160, 138, 74));
        for (const auto &[p, s] : {std::pair<QPointF, double>{QPointF(-0.22, 0.0), 0.75}, {QPointF(0.12, 0.05), 1.0}}) {
            QPainterPath shape(QPointF(0, -0.28));
            shape.cubicTo(0.09, -0.28, 0.08, -0.1, 0.16, 0.0);
            shape.cubicTo(0.26, 0.1, 0.22, 0.32, 0, 0.32);
            shape.cubicTo(-0.22, 0.32, -0.26, 0.1, -0.16, 0.0);
            shape.cubicTo(-0.08, -0.1, -0.09, -0.28, 0, -0.28);
            const QPainterPath pear = placed(p, 0, s).map(shape);
            stroke(f, curve(p + QPointF(0, -0.25 * s), p + QPointF(0.0, -0.35 * s), p + QPointF(0.04, -0.45 * s), p + QPointF(0.08, -0.55 * s)),
                   line(stalk, 2));
            add(f, pear, roundBrush(p + QPointF(0, 0.05 * s), 0.22 * s, c), line(c.darker(160), 1));
            QPainterPath dots;
            for (int k = 0; k < 14; ++k)
                dots.addEllipse(p + QPointF(std::sin(k * 2.1) * 0.13 * s, 0.13 * s + std::cos(k * 1.3) * 0.12 * s - (k % 3) * 0.04 * s),
                                0.006 * s, 0.006 * s);
            add(f, dots, c.lighter(140));
        }
    } else if (kind == QLatin1String("berkenye")) {
        const QColor c = colourOr(QColor(138, 90, 48));
        const QPointF top(0, -0.55), fork(0, -0.25);
        stroke(f, curve(top, top + QPointF(0.02, 0.1), fork + QPointF(-0.02, -0.1), fork), line(stalk, 2.5));
        const QPointF fruits[] = {{-0.28, 0.1}, {-0.12, 0.22}, {0.05, 0.25}, {0.22, 0.16}, {0.32, 0.0}, {-0.05, 0.02}};
        for (const QPointF &p : fruits) {
            stroke(f, curve(fork, fork + (p - fork) * 0.3 + QPointF(0, -0.05), p + QPointF(0, -0.12), p + QPointF(0, -0.08)), line(stalk, 1.5));
            add(f, ellipse(p, 0.075, 0.09), roundBrush(p, 0.09, c), line(c.darker(170), 1));
            QPainterPath dots;
            for (int k = 0; k < 7; ++k)
                dots.addEllipse(p + QPointF(std::sin(k * 2.4 + p.x() * 9) * 0.045, std::cos(k * 1.7) * 0.055), 0.007, 0.007);
            add(f, dots, c.lighter(170));
            add(f, ellipse(p + QPointF(0, 0.085), 0.02, 0.01), c.darker(200));
        }
    } else if (kind == QStringLiteral("tobozbogyó")) {
        const QColor c = colourOr(QColor(59, 74, 110));
        append(f, juniperShoot(QColor(91, 127, 106), 6), placed({0, 0.55}, 0, 1.1));
        for (const QPointF &p : {QPointF(-0.12, -0.1), QPointF(0.12, -0.28), QPointF(0.1, 0.05), QPointF(-0.1, -0.42)}) {
            add(f, ellipse(p, 0.085, 0.085), roundBrush(p, 0.085, c), line(c.darker(170), 1));
            add(f, ellipse(p, 0.085, 0.085), QColor(190, 200, 225, 95));
            QPainterPath star;
            for (int k = 0; k < 3; ++k) {
                const double ang = k * 2 * kPi / 3 - kPi / 2;
                star.moveTo(p + QPointF(0, -0.03));
                star.lineTo(p + QPointF(std::cos(ang) * 0.025, -0.03 + std::sin(ang) * 0.02));
            }
            stroke(f, star, line(c.darker(200), 1));
        }
    } else if (kind == QStringLiteral("magköpeny")) {
        const QColor c = colourOr(QColor(208, 32, 42));
        append(f, yewShoot(QColor(31, 77, 42), 12), placed({-0.5, -0.05}, 80, 0.9));
        for (const QPointF &p : {QPointF(-0.12, 0.2), QPointF(0.18, 0.16)}) {
            stroke(f, curve(p + QPointF(0, -0.25), p + QPointF(0, -0.2), p + QPointF(0, -0.16), p + QPointF(0, -0.12)), line(QColor(90, 110, 50), 2));
            add(f, ellipse(p, 0.11, 0.12), roundBrush(p, 0.12, c), line(c.darker(160), 1));
            add(f, ellipse(p + QPointF(0, 0.06), 0.05, 0.04), QColor(40, 50, 30), line(QColor(20, 25, 15), 0.8));
        }
    }
    return f;
}

// ---------------------------------------------------------------- bark

void paintBark(QPainter &p, const QRectF &rect, const QString &kind, const QColor &base, quint32 seed)
{
    QRandomGenerator rng(seed);
    const auto rnd = [&](double lo, double hi) { return lo + (hi - lo) * rng.generateDouble(); };
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(rect, 10, 10);
    p.setClipPath(clip);
    p.fillRect(rect, base);
    p.setPen(Qt::NoPen);

    if (kind == QLatin1String("sima") || kind == QStringLiteral("bordás")) {
        if (kind == QStringLiteral("bordás")) {
            for (int i = 0; i < 9; ++i) {
                const double x0 = rect.left() + rect.width() * (i + 0.5) / 9;
                const double phase = rnd(0, 6.28);
                QPainterPath path;
                for (int k = 0; k <= 40; ++k) {
                    const double y = rect.top() + rect.height() * k / 40;
                    const QPointF pt(x0 + 7 * std::sin(y / 38 + phase), y);
                    k == 0 ? path.moveTo(pt) : path.lineTo(pt);
                }
                p.setBrush(Qt::NoBrush);
                p.setPen(QPen(QColor(255, 255, 255, 55), rect.width() / 14));
                p.drawPath(path);
                p.setPen(QPen(QColor(0, 0, 0, 55), 3));
                p.drawPath(path.translated(rect.width() / 24, 0));
            }
        }
        for (int i = 0; i < 14; ++i) {
            p.setPen(QPen(base.darker(125), rnd(1, 2.5)));
            const double x = rnd(rect.left(), rect.right()), y = rnd(rect.top(), rect.bottom());
            p.drawLine(QPointF(x, y), QPointF(x + rnd(4, 12), y));
        }
        for (int i = 0; i < 2; ++i) { // branch scars with their "moustache"
            const QPointF c(rnd(rect.left() + 20, rect.right() - 20), rnd(rect.top() + 30, rect.bottom() - 30));
            p.setPen(QPen(base.darker(170), 2.5));
            p.setBrush(base.darker(130));
            p.drawEllipse(c, 6, 4);
            p.setBrush(Qt::NoBrush);
            QPainterPath m;
            m.moveTo(c + QPointF(-4, 6));
            m.quadTo(c + QPointF(-16, 10), c + QPointF(-30, 24));
            m.moveTo(c + QPointF(4, 6));
            m.quadTo(c + QPointF(16, 10), c + QPointF(30, 24));
            p.drawPath(m);
        }
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 6; ++i) {
            p.setBrush(QColor(190, 200, 150, 60));
            p.drawEllipse(QPointF(rnd(rect.left(), rect.right()), rnd(rect.top(), rect.bottom())), rnd(5, 14), rnd(4, 10));
        }
    } else if (kind == QStringLiteral("fehér")) {
        for (int i = 0; i < 60; ++i) {
            const double x = rnd(rect.left(), rect.right()), y = rnd(rect.top(), rect.bottom() - rect.height() * 0.25);
            p.setPen(QPen(QColor(40, 40, 40, int(rnd(150, 240))), rnd(1.5, 3.5), Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(x, y), QPointF(x + rnd(6, 22), y + rnd(-1, 1)));
        }
        for (int i = 0; i < 8; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(200, 195, 185, 120));
            p.drawEllipse(QPointF(rnd(rect.left(), rect.right()), rnd(rect.top(), rect.bottom())), rnd(6, 16), rnd(3, 6));
        }
        // the dark, cracked foot of an old trunk
        const double foot = rect.bottom() - rect.height() * 0.22;
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 9; ++i) {
            const double x = rect.left() + rect.width() * (i + rnd(0.1, 0.9)) / 9;
            QPolygonF d;
            const double top = foot - rnd(0, 25);
            d << QPointF(x, top) << QPointF(x + rnd(5, 10), (top + rect.bottom()) / 2) << QPointF(x, rect.bottom() + 5)
              << QPointF(x - rnd(5, 10), (top + rect.bottom()) / 2);
            p.setBrush(QColor(35, 32, 30));
            p.drawPolygon(d);
        }
    } else if (kind == QStringLiteral("vörös")) {
        // thin, papery flakes
        p.fillRect(rect, base.darker(135));
        for (int i = 0; i < 240; ++i) {
            const QPointF c(rnd(rect.left() - 10, rect.right() + 10), rnd(rect.top() - 10, rect.bottom() + 10));
            const double r = rnd(6, 15);
            const int corners = 5 + int(rng.bounded(3));
            QPolygonF flake;
            for (int k = 0; k < corners; ++k) {
                const double a = 2 * kPi * k / corners + rnd(-0.3, 0.3);
                flake << c + QPointF(std::cos(a) * r * rnd(0.7, 1.3), std::sin(a) * r * rnd(0.4, 0.8));
            }
            const int shade = int(rnd(85, 125));
            QColor c2 = shade > 100 ? base.lighter(shade) : base.darker(200 - shade);
            if (rng.bounded(6) == 0)
                c2 = base.lighter(150);
            p.setBrush(c2);
            p.setPen(QPen(base.darker(170), 0.8));
            p.drawPolygon(flake);
        }
    } else if (kind == QStringLiteral("barázdált") || kind == QStringLiteral("kockás") || kind == QLatin1String("lemezes")) {
        const bool furrowed = kind == QStringLiteral("barázdált");
        const bool plates = kind == QLatin1String("lemezes");
        p.fillRect(rect, furrowed ? base.darker(200) : base.darker(160));
        double x = rect.left() - 4;
        while (x < rect.right()) {
            const double w = furrowed ? rnd(12, 24) : plates ? rnd(22, 40) : rnd(11, 20);
            double y = rect.top() - rnd(0, 30);
            while (y < rect.bottom()) {
                const double h = furrowed ? rnd(40, 110) : plates ? rnd(20, 45) : rnd(10, 20);
                const double gap = furrowed ? rnd(3, 6) : 2.5;
                QPolygonF plate;
                plate << QPointF(x + gap + rnd(0, 3), y + 2) << QPointF(x + w - gap - rnd(0, 3), y + rnd(0, 4))
                      << QPointF(x + w - gap + rnd(-2, 2), y + h * 0.5) << QPointF(x + w - gap - rnd(0, 3), y + h - 2)
                      << QPointF(x + gap + rnd(0, 3), y + h - rnd(0, 4)) << QPointF(x + gap + rnd(-2, 2), y + h * 0.5);
                QColor c = base;
                const int shade = int(rnd(88, 118));
                c = shade > 100 ? c.lighter(shade) : c.darker(200 - shade);
                if (plates && rng.bounded(4) == 0)
                    c = base.lighter(int(rnd(125, 150)));
                p.setBrush(c);
                p.setPen(Qt::NoPen);
                p.drawPolygon(plate);
                if (furrowed) {
                    p.setPen(QPen(c.lighter(115), 1));
                    p.drawLine(QPointF(x + w * 0.45, y + 6), QPointF(x + w * 0.5, y + h - 6));
                }
                y += h;
            }
            x += w;
        }
    } else if (kind == QStringLiteral("gyűrűs")) {
        for (int band = 0; band < 12; ++band) {
            const double y = rect.top() + rect.height() * (band + rnd(0.2, 0.8)) / 12;
            p.setPen(QPen(base.lighter(135), 1.2));
            p.drawLine(QPointF(rect.left(), y - 4), QPointF(rect.right(), y - 4 + rnd(-2, 2)));
            for (int k = 0; k < 9; ++k) {
                const double x = rnd(rect.left(), rect.right());
                p.setPen(QPen(QColor(205, 175, 140), rnd(2, 3.5), Qt::SolidLine, Qt::RoundCap));
                p.drawLine(QPointF(x, y), QPointF(x + rnd(8, 18), y));
            }
        }
    } else if (kind == QStringLiteral("paraszemölcsös")) {
        for (int i = 0; i < 26; ++i) {
            const QPointF c(rnd(rect.left(), rect.right()), rnd(rect.top(), rect.bottom()));
            const double w = rnd(6, 14), h = rnd(8, 16);
            QPolygonF d;
            d << c + QPointF(0, -h) << c + QPointF(w, 0) << c + QPointF(0, h) << c + QPointF(-w, 0);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 62, 58, 220));
            p.drawPolygon(d);
        }
        for (int i = 0; i < 30; ++i) {
            p.setPen(QPen(base.darker(140), 1.5));
            const double x = rnd(rect.left(), rect.right()), y = rnd(rect.top(), rect.bottom());
            p.drawLine(QPointF(x, y), QPointF(x + rnd(3, 8), y));
        }
    }

    // roundness of the trunk
    QLinearGradient shade(rect.topLeft(), rect.topRight());
    shade.setColorAt(0, QColor(0, 0, 0, 90));
    shade.setColorAt(0.35, QColor(255, 255, 255, kind == QStringLiteral("gyűrűs") ? 70 : 20));
    shade.setColorAt(0.7, QColor(0, 0, 0, 10));
    shade.setColorAt(1, QColor(0, 0, 0, 110));
    p.fillRect(rect, shade);
    p.restore();
    p.setPen(QPen(base.darker(220), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rect, 10, 10);
}

// ---------------------------------------------------------------- pictures

QImage canvas(const QColor &background)
{
    QImage img(kDemoPictureSize, QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    QRadialGradient g(QPointF(img.width() * 0.45, img.height() * 0.4), img.width() * 0.75);
    g.setColorAt(0, background.lighter(106));
    g.setColorAt(1, background.darker(108));
    p.fillRect(img.rect(), g);
    return img;
}

void drawCaption(QPainter &p, const QRectF &band, const QColor &background, const QString &hungarian, const QString &latin)
{
    p.fillRect(band, background.darker(115));
    p.setPen(QPen(background.darker(150), 1));
    p.drawLine(band.topLeft(), band.topRight());
    QFont name;
    name.setPixelSize(21);
    name.setBold(true);
    QFont lat;
    lat.setPixelSize(15);
    lat.setItalic(true);
    const QRectF top(band.left() + 8, band.top() + 4, band.width() - 16, band.height() * 0.55);
    const QRectF bottom(band.left() + 8, top.bottom() - 2, band.width() - 16, band.height() * 0.42);
    p.setPen(QColor(40, 45, 35));
    p.setFont(name);
    p.drawText(top, Qt::AlignCenter, QFontMetricsF(name).elidedText(hungarian, Qt::ElideRight, top.width()));
    p.setPen(QColor(70, 75, 65));
    p.setFont(lat);
    p.drawText(bottom, Qt::AlignCenter, QFontMetricsF(lat).elidedText(latin, Qt::ElideRight, bottom.width()));
}

double leafRotation(const QString &form)
{
    if (form == QLatin1String("tenyeres") || form.startsWith(QStringLiteral("tű")))
        return 0;
    if (form == QStringLiteral("szárnyas"))
        return -8;
    if (form == QStringLiteral("szív") || form == QStringLiteral("kerekded"))
        return -6;
    return -14;
}

Figure motifFigure(const QString &motif, const QColor &colour, double *rotation)
{
    *rotation = 0;
    LeafSpec leaf;
    leaf.colour = colour;
    leaf.petiole = 0.15;
    const auto simple = [&](const QString &form, double ratio) {
        leaf.form = form;
        leaf.ratio = ratio;
        return bladeFigure(leaf);
    };
    if (motif == QStringLiteral("átellenes") || motif == QStringLiteral("szórt") || motif == QStringLiteral("örvös")) {
        Figure f;
        stroke(f, curve({0, 0.1}, {0.01, -0.3}, {-0.01, -0.7}, {0, -1.05}), line(QColor(120, 90, 60), 3));
        LeafSpec small;
        small.colour = colour;
        small.ratio = 0.45;
        small.petiole = 0.08;
        const Figure one = bladeFigure(small);
        const int nodes = motif == QStringLiteral("szórt") ? 5 : 3;
        for (int i = 0; i < nodes; ++i) {
            const double y = -0.05 - 0.9 * i / nodes;
            if (motif == QStringLiteral("szórt")) {
                append(f, one, placed({0, y}, (i % 2 ? 58 : -58), 0.36));
            } else {
                append(f, one, placed({0, y}, 62, 0.36));
                append(f, one, placed({0, y}, -62, 0.36));
                if (motif == QStringLiteral("örvös"))
                    append(f, one, placed({0, y + 0.02}, 180, 0.22));
            }
            QPainterPath node;
            node.addEllipse(QPointF(0, y), 0.015, 0.015);
            add(f, node, QColor(90, 65, 40));
        }
        return f;
    }
    if (motif == QStringLiteral("páros"))
        return pineShoot(colour, 9);
    if (motif == QStringLiteral("ép-lemez"))
        return simple(QStringLiteral("elliptikus"), 0.55);
    if (motif == QStringLiteral("tenyeresen-karéjos")) {
        leaf.pointedLobes = true;
        leaf.depth = 0.45;
        leaf.petiole = 0.5;
        return simple(QStringLiteral("tenyeres"), 1.1);
    }
    if (motif == QStringLiteral("szárnyasan-karéjos")) {
        leaf.depth = 0.45;
        leaf.tip = QStringLiteral("tompa");
        return simple(QStringLiteral("karéjos"), 0.6);
    }
    if (motif == QStringLiteral("szárnyasan-összetett")) {
        leaf.form = QStringLiteral("szárnyas");
        leaf.ratio = 0.3;
        leaf.margin = QStringLiteral("fűrészes");
        return compoundFigure(leaf);
    }
    static const std::map<QString, QString> margins{{"ép", "ép"}, {"hullámos", "hullámos"}, {"fűrészes", "fűrészes"},
                                                      {"kétszeresen-fűrészes", "kétszeres"}, {"csipkés", "csipkés"}};
    if (const auto m = margins.find(motif); m != margins.end()) {
        leaf.margin = m->second;
        leaf.toothScale = 2.2;
        *rotation = -10;
        return simple(QStringLiteral("elliptikus"), 0.5);
    }
    static const std::map<QString, QString> bases{{"szíves", "szíves"}, {"ferde", "ferde"}, {"ék", "ék"},
                                                    {"kerekített", "kerek"}, {"fülecskés", "füles"}};
    if (const auto b = bases.find(motif); b != bases.end()) {
        leaf.base = b->second;
        if (motif == QStringLiteral("fülecskés")) {
            leaf.depth = 0.3;
            leaf.tip = QStringLiteral("tompa");
            return simple(QStringLiteral("karéjos"), 0.6);
        }
        return simple(motif == QStringLiteral("ék") ? QStringLiteral("visszás") : QStringLiteral("tojásdad"), 0.65);
    }
    static const std::map<QString, double> angles{{"vízszintes", 180}, {"tompaszög", 125}, {"hegyesszög", 70}, {"párhuzamos", 10}};
    if (const auto a = angles.find(motif); a != angles.end())
        return fruitFigure(QStringLiteral("ikerlependék"), colour, a->second);
    if (motif == QStringLiteral("hosszú-kocsány"))
        return fruitFigure(QStringLiteral("makk-kocsányos"), colour, 0);
    if (motif == QStringLiteral("ülő-makk"))
        return fruitFigure(QStringLiteral("makk-ülő"), colour, 0);
    if (motif == QStringLiteral("simuló-pikkelyek"))
        return acorn(colour, Cup::Smooth, 0.5, 0.26);
    if (motif == QStringLiteral("szálas-pikkelyek"))
        return acorn(colour, Cup::Shaggy, 0.5, 0.26);
    return {};
}

} // namespace

QString photoStyleError(const QString &style)
{
    Values v;
    QString error = parseStyle(style, photoRules(), v);
    if (error.isEmpty() && !v.count(QStringLiteral("levél")) && !v.count(QStringLiteral("termés")) && !v.count(QStringLiteral("kéreg")))
        error = QStringLiteral("a képen legalább a levél, a termés vagy a kéreg egyike szerepeljen.");
    return error;
}

QString hintStyleError(const QString &style)
{
    Values v;
    QString error = parseStyle(style, hintRules(), v);
    if (error.isEmpty() && !v.count(QStringLiteral("minták")))
        error = QStringLiteral("hiányzik a minták=... kulcs.");
    return error;
}

QImage drawPhoto(const DemoTaxon &taxon, int index)
{
    if (index < 0 || index >= taxon.photoStyles.size())
        throw std::out_of_range("drawPhoto: no such picture");
    const QString &style = taxon.photoStyles.at(index);
    Values v;
    const QString error = photoStyleError(style);
    if (!error.isEmpty())
        throw std::invalid_argument(error.toStdString());
    parseStyle(style, photoRules(), v);

    const QColor background = getColour(v, "háttér", QColor(244, 241, 230));
    QImage img = canvas(background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    const double W = img.width(), H = img.height(), captionH = 58;
    const QRectF area(12, 10, W - 24, H - captionH - 18);
    const bool hasLeaf = v.count(QStringLiteral("levél"));
    const bool hasFruit = v.count(QStringLiteral("termés"));
    const bool hasBark = v.count(QStringLiteral("kéreg"));
    QRectF leafSlot, fruitSlot, barkSlot;
    if (hasLeaf) {
        if (hasFruit || hasBark) {
            leafSlot = QRectF(area.left(), area.top(), area.width() * 0.6, area.height());
            const QRectF side(leafSlot.right(), area.top(), area.width() * 0.4, area.height());
            if (hasFruit && hasBark) {
                barkSlot = QRectF(side.left() + 20, side.top(), side.width() - 40, side.height() * 0.42);
                fruitSlot = QRectF(side.left(), side.top() + side.height() * 0.45, side.width(), side.height() * 0.55);
            } else if (hasFruit) {
                fruitSlot = side;
            } else {
                barkSlot = side.adjusted(20, 0, -20, 0);
            }
        } else {
            leafSlot = area;
        }
    } else if (hasBark && hasFruit) {
        barkSlot = QRectF(area.left() + 20, area.top(), area.width() * 0.38, area.height());
        fruitSlot = QRectF(barkSlot.right() + 10, area.top(), area.right() - barkSlot.right() - 10, area.height());
    } else if (hasBark) {
        barkSlot = QRectF(area.center().x() - area.width() * 0.25, area.top(), area.width() * 0.5, area.height());
    } else {
        fruitSlot = area;
    }

    const quint32 seed = quint32(qHash(taxon.latin)) ^ quint32(index * 7919 + 17);
    if (hasBark)
        paintBark(p, barkSlot, get(v, "kéreg", {}), getColour(v, "kéregszín", QColor(120, 110, 100)), seed);
    if (hasLeaf) {
        const LeafSpec leaf = leafSpec(v);
        const double rotation = leafRotation(leaf.form);
        QRectF main = leafSlot;
        if (leaf.underside.isValid() && !leaf.form.startsWith(QStringLiteral("tű")) && leaf.form != QStringLiteral("szárnyas")) {
            // a second, smaller leaf turned over shows the colour of the underside
            const QRectF under(leafSlot.left(), leafSlot.top() + leafSlot.height() * 0.5, leafSlot.width() * 0.45, leafSlot.height() * 0.5);
            const Figure back = bladeFigure(leaf, true, &leaf.underside);
            paintFigure(p, back, under, 40, 0.95);
            main = leafSlot.adjusted(leafSlot.width() * 0.18, 0, 0, 0);
        }
        paintFigure(p, leafFigure(leaf), main, rotation, 0.92);
    }
    if (hasFruit) {
        const Figure fruit = fruitFigure(get(v, "termés", {}), getColour(v, "termésszín", QColor()), getNumber(v, "szög", 120));
        paintFigure(p, fruit, fruitSlot, 0, 0.82);
    }
    drawCaption(p, QRectF(0, H - captionH, W, captionH), background, taxon.hungarian, taxon.latin);
    p.end();
    return img;
}

QImage drawHintPicture(const QString &style)
{
    const QString error = hintStyleError(style);
    if (!error.isEmpty())
        throw std::invalid_argument(error.toStdString());
    Values v;
    parseStyle(style, hintRules(), v);
    const QStringList items = get(v, "minták", {}).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QColor colour = getColour(v, "szín", QColor(61, 122, 52));
    const QColor background = getColour(v, "háttér", QColor(246, 243, 232));

    QImage img = canvas(background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const int n = int(items.size());
    const int rows = n <= 3 ? 1 : 2;
    const int cols = (n + rows - 1) / rows;
    const double gap = 8;
    const double pw = (img.width() - gap * (cols + 1)) / cols;
    const double ph = (img.height() - gap * (rows + 1)) / rows;
    QFont font;
    font.setPixelSize(14);
    font.setBold(true);
    for (int i = 0; i < n; ++i) {
        const int row = i / cols;
        const int inRow = row == rows - 1 ? n - row * cols : cols;
        const double offset = (cols - inRow) * (pw + gap) / 2;
        const QRectF panel(gap + offset + (i % cols) * (pw + gap), gap + row * (ph + gap), pw, ph);
        p.setPen(QPen(background.darker(135), 1.2));
        p.setBrush(background.lighter(106));
        p.drawRoundedRect(panel, 8, 8);
        const QRectF captionRect(panel.left() + 4, panel.bottom() - 38, panel.width() - 8, 36);
        const QRectF drawingRect(panel.left() + 6, panel.top() + 6, panel.width() - 12, panel.height() - 46);
        double rotation = 0;
        const Figure f = motifFigure(items.at(i), colour, &rotation);
        paintFigure(p, f, drawingRect, rotation, 0.9);
        p.setFont(font);
        p.setPen(QColor(45, 50, 40));
        QString caption = items.at(i);
        caption.replace(QLatin1Char('-'), QLatin1Char(' '));
        p.drawText(captionRect, Qt::AlignCenter | Qt::TextWordWrap, caption);
    }
    p.end();
    return img;
}
