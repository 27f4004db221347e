// The drawn marks: electrical circuit elements, wiring-plan marks, arrows and connection marks,
// in a 16 × 16 design square (x to the right, y downward), lines 1.25 units wide.

#include "SymbolPictures.h"

#include <QPainterPathStroker>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace qx::render {

namespace {

constexpr qreal LineWidth = 1.25;

class Sketch final {
public:
    explicit Sketch(const QString& family) : m_family(family) {}

    Sketch& line(qreal x1, qreal y1, qreal x2, qreal y2) {
        m_strokes.moveTo(x1, y1);
        m_strokes.lineTo(x2, y2);
        return *this;
    }
    Sketch& polyline(std::initializer_list<QPointF> points) {
        bool first = true;
        for (const QPointF& p : points) {
            if (first)
                m_strokes.moveTo(p);
            else
                m_strokes.lineTo(p);
            first = false;
        }
        return *this;
    }
    Sketch& rect(qreal x, qreal y, qreal w, qreal h) {
        m_strokes.addRect(x, y, w, h);
        return *this;
    }
    Sketch& circle(qreal cx, qreal cy, qreal r) {
        m_strokes.addEllipse(QPointF(cx, cy), r, r);
        return *this;
    }
    /// An arc of the circle (cx, cy, r) from `start` degrees through `sweep` degrees
    /// (counter-clockwise positive, 0 at three o'clock).
    Sketch& arc(qreal cx, qreal cy, qreal r, qreal start, qreal sweep) {
        const QRectF box(cx - r, cy - r, 2 * r, 2 * r);
        m_strokes.arcMoveTo(box, start);
        m_strokes.arcTo(box, start, sweep);
        return *this;
    }
    Sketch& disc(qreal cx, qreal cy, qreal r) {
        QPainterPath p;
        p.addEllipse(QPointF(cx, cy), r, r);
        m_fills.push_back(p);
        return *this;
    }
    Sketch& fillPolygon(std::initializer_list<QPointF> points) {
        m_fills.push_back(polygonPath(points));
        return *this;
    }
    Sketch& fillRect(qreal x, qreal y, qreal w, qreal h) {
        QPainterPath p;
        p.addRect(x, y, w, h);
        m_fills.push_back(p);
        return *this;
    }
    /// A filled head pointing at `tip`, coming from `from`.
    Sketch& head(QPointF tip, QPointF from, qreal length = 4.0, qreal halfWidth = 2.3) {
        const qreal dx = tip.x() - from.x();
        const qreal dy = tip.y() - from.y();
        const qreal d = std::hypot(dx, dy);
        if (d <= 0)
            return *this;
        const qreal ux = dx / d;
        const qreal uy = dy / d;
        const QPointF base(tip.x() - ux * length, tip.y() - uy * length);
        return fillPolygon({tip, QPointF(base.x() - uy * halfWidth, base.y() + ux * halfWidth),
                            QPointF(base.x() + uy * halfWidth, base.y() - ux * halfWidth)});
    }
    /// A shaft from (x1, y1) with a head at (x2, y2); the shaft stops inside the head.
    Sketch& arrow(qreal x1, qreal y1, qreal x2, qreal y2, qreal length = 4.0, qreal halfWidth = 2.3) {
        const qreal d = std::hypot(x2 - x1, y2 - y1);
        const qreal k = d > 0 ? (d - length * 0.6) / d : 0;
        line(x1, y1, x1 + (x2 - x1) * k, y1 + (y2 - y1) * k);
        return head(QPointF(x2, y2), QPointF(x1, y1), length, halfWidth);
    }
    Sketch& dashed(qreal x1, qreal y1, qreal x2, qreal y2, int dashes) {
        const int pieces = dashes * 2 - 1;
        for (int i = 0; i < pieces; i += 2) {
            const qreal a = static_cast<qreal>(i) / pieces;
            const qreal b = static_cast<qreal>(i + 1) / pieces;
            line(x1 + (x2 - x1) * a, y1 + (y2 - y1) * a, x1 + (x2 - x1) * b, y1 + (y2 - y1) * b);
        }
        return *this;
    }
    /// `periods` full sine periods from x0 to x1 around the line y = cy.
    Sketch& sine(qreal x0, qreal x1, qreal cy, qreal amplitude, qreal periods = 1.0) {
        constexpr int Steps = 24;
        for (int i = 0; i <= Steps; ++i) {
            const qreal t = static_cast<qreal>(i) / Steps;
            const QPointF p(x0 + (x1 - x0) * t, cy - amplitude * std::sin(2 * std::numbers::pi * periods * t));
            if (i == 0)
                m_strokes.moveTo(p);
            else
                m_strokes.lineTo(p);
        }
        return *this;
    }
    Sketch& label(const QString& text, const QRectF& box) {
        m_fills.push_back(fittedText(text, m_family, box));
        return *this;
    }

    std::vector<QPainterPath> outlines() const {
        std::vector<QPainterPath> out;
        if (!m_strokes.isEmpty()) {
            QPainterPathStroker stroker;
            stroker.setWidth(LineWidth);
            stroker.setCapStyle(Qt::FlatCap);
            stroker.setJoinStyle(Qt::MiterJoin);
            out.push_back(stroker.createStroke(m_strokes));
        }
        out.insert(out.end(), m_fills.begin(), m_fills.end());
        return out;
    }

private:
    static QPainterPath polygonPath(std::initializer_list<QPointF> points) {
        QPainterPath p;
        bool first = true;
        for (const QPointF& pt : points) {
            if (first)
                p.moveTo(pt);
            else
                p.lineTo(pt);
            first = false;
        }
        p.closeSubpath();
        return p;
    }

    QString m_family;
    QPainterPath m_strokes;
    std::vector<QPainterPath> m_fills;
};

/// A diode along y = 8: triangle pointing right from x = 5 to 11, bar at 11.
void diode(Sketch& s, bool leads = true) {
    if (leads)
        s.line(0, 8, 5, 8).line(11, 8, 16, 8);
    s.fillPolygon({{5, 3.5}, {5, 12.5}, {11, 8}}).line(11, 3.5, 11, 12.5);
}

void makeContact(Sketch& s) {
    s.line(0, 11, 4, 11).line(4, 11, 12.5, 5.5).line(12, 11, 16, 11).line(12, 11, 12, 8.5);
}

void transistor(Sketch& s, bool npn) {
    s.circle(8.5, 8, 7).line(0, 8, 5.5, 8).line(5.5, 3.5, 5.5, 12.5);
    s.line(5.5, 6, 11, 2.5).line(11, 2.5, 11, 0);
    if (npn) {
        s.line(5.5, 10, 11, 13.5).line(11, 13.5, 11, 16).head({11, 13.5}, {5.5, 10}, 3.5, 1.8);
    } else {
        s.line(5.5, 10, 11, 13.5).line(11, 13.5, 11, 16).head({6.2, 10.4}, {11, 13.5}, 3.5, 1.8);
    }
}

void outletBody(Sketch& s, qreal cx) {
    s.circle(cx, 8, 4.8).line(cx - 1.6, 5.6, cx - 1.6, 10.4).line(cx + 1.6, 5.6, cx + 1.6, 10.4);
}

} // namespace

std::vector<QPainterPath> symbolMarkOutlines(SymbolMark mark, const QString& family) {
    Sketch s(family);
    using M = SymbolMark;
    switch (mark) {
    case M::None: return {};
    // ---- circuit elements --------------------------------------------------------------------
    case M::Resistor: s.line(0, 8, 3, 8).rect(3, 5.5, 10, 5).line(13, 8, 16, 8); break;
    case M::VariableResistor:
        s.line(0, 8, 3, 8).rect(3, 5.5, 10, 5).line(13, 8, 16, 8).arrow(3, 14.5, 13.5, 1.5, 3.5, 1.8);
        break;
    case M::Capacitor: s.line(0, 8, 6.5, 8).line(6.5, 2.5, 6.5, 13.5).line(9.5, 2.5, 9.5, 13.5).line(9.5, 8, 16, 8); break;
    case M::PolarisedCapacitor:
        s.line(0, 8, 6.5, 8).line(6.5, 2.5, 6.5, 13.5).arc(15, 8, 5.5, 145, 70).line(9.9, 8, 16, 8);
        s.line(2, 3, 5, 3).line(3.5, 1.5, 3.5, 4.5);
        break;
    case M::Inductor:
        s.line(0, 9, 2, 9);
        for (int i = 0; i < 4; ++i)
            s.arc(3.5 + 3 * i, 9, 1.5, 180, -180);
        s.line(14, 9, 16, 9);
        break;
    case M::Diode: diode(s); break;
    case M::ZenerDiode:
        s.line(0, 8, 5, 8).line(11, 8, 16, 8).fillPolygon({{5, 3.5}, {5, 12.5}, {11, 8}});
        s.polyline({{9, 3.5}, {11, 3.5}, {11, 12.5}, {13, 12.5}});
        break;
    case M::Led:
        s.line(0, 10, 4, 10).line(10, 10, 16, 10).fillPolygon({{4, 6}, {4, 14}, {10, 10}}).line(10, 6, 10, 14);
        s.arrow(8, 5, 11.5, 1.5, 2.8, 1.5).arrow(11, 6.5, 14.5, 3, 2.8, 1.5);
        break;
    case M::Fuse: s.rect(2, 5.5, 12, 5).line(0, 8, 16, 8); break;
    case M::Earth: s.line(8, 1, 8, 7).line(2, 7, 14, 7).line(4.5, 10, 11.5, 10).line(6.8, 13, 9.2, 13); break;
    case M::FrameEarth:
        s.line(8, 1, 8, 8).line(2, 8, 14, 8);
        for (qreal x : {2.6, 6.4, 10.2, 14.0})
            s.line(x, 8, x - 2.6, 12.5);
        break;
    case M::ProtectiveEarth:
        s.circle(8, 8, 7.2).line(8, 2.5, 8, 7).line(4, 7, 12, 7).line(5.5, 9.5, 10.5, 9.5).line(7, 12, 9, 12);
        break;
    case M::Battery:
        s.line(0, 8, 6.5, 8).line(6.5, 2, 6.5, 14).line(9.5, 8, 16, 8).fillRect(8.8, 5, 1.6, 6);
        s.line(1.5, 3.5, 4.5, 3.5).line(3, 2, 3, 5);
        break;
    case M::AcSource: s.line(0, 8, 2, 8).circle(8, 8, 6).line(14, 8, 16, 8).sine(4.5, 11.5, 8, 2.2); break;
    case M::DirectCurrent: s.line(1, 6, 15, 6).dashed(1, 10, 15, 10, 3); break;
    case M::AlternatingCurrent: s.sine(1, 15, 8, 3.5); break;
    case M::AcDc: s.sine(2, 14, 4.5, 2.5).line(2, 10, 14, 10).dashed(2, 13.5, 14, 13.5, 3); break;
    case M::MakeContact: makeContact(s); break;
    case M::BreakContact:
        s.line(0, 11, 4, 11).line(4, 11, 13.5, 7).polyline({{16, 11}, {12, 11}, {12, 6}});
        break;
    case M::ChangeoverContact:
        s.line(0, 8, 4, 8).line(4, 8, 13, 3.8).line(12, 3, 16, 3).polyline({{16, 13}, {12, 13}, {12, 10}});
        break;
    case M::PushButton: makeContact(s); s.dashed(8.3, 7.7, 8.3, 2.2, 2).line(5.5, 1.6, 11, 1.6); break;
    case M::RelayCoil: s.line(8, 0, 8, 4).rect(3, 4, 10, 8).line(8, 12, 8, 16); break;
    case M::Lamp:
        s.line(0, 8, 2.5, 8).circle(8, 8, 5.5).line(13.5, 8, 16, 8);
        s.line(4.1, 4.1, 11.9, 11.9).line(4.1, 11.9, 11.9, 4.1);
        break;
    case M::Motor: s.circle(8, 8, 7).label(QStringLiteral("M"), QRectF(4.3, 4.5, 7.4, 7)); break;
    case M::Generator: s.circle(8, 8, 7).label(QStringLiteral("G"), QRectF(4.3, 4.5, 7.4, 7)); break;
    case M::Transformer: s.circle(5.8, 8, 4.6).circle(10.2, 8, 4.6); break;
    case M::Terminal: s.line(0, 8, 5.5, 8).circle(8, 8, 2.5); break;
    case M::Junction: s.line(0, 8, 16, 8).line(8, 8, 8, 16).disc(8, 8, 1.9); break;
    case M::NpnTransistor: transistor(s, true); break;
    case M::PnpTransistor: transistor(s, false); break;
    case M::Thyristor: diode(s); s.line(11, 10.5, 14, 14.5); break;
    case M::Triac:
        s.line(0, 8, 3, 8).line(13, 8, 16, 8).line(3, 2, 3, 14).line(13, 2, 13, 14);
        s.fillPolygon({{3, 2.5}, {3, 7.5}, {13, 5}}).fillPolygon({{13, 8.5}, {13, 13.5}, {3, 11}});
        s.line(3, 13, 0.5, 15.5);
        break;
    case M::Photodiode:
        s.line(0, 10, 4, 10).line(10, 10, 16, 10).fillPolygon({{4, 6}, {4, 14}, {10, 10}}).line(10, 6, 10, 14);
        s.arrow(13, 1, 9.5, 4.5, 2.8, 1.5).arrow(15.5, 3, 12, 6.5, 2.8, 1.5);
        break;
    case M::Antenna: s.line(8, 16, 8, 3).polyline({{2, 1.5}, {8, 8.5}, {14, 1.5}}).line(2, 1.5, 14, 1.5); break;
    case M::Loudspeaker:
        s.rect(2, 5.5, 4, 5).polyline({{6, 5.5}, {11.5, 1.5}, {11.5, 14.5}, {6, 10.5}});
        s.line(0, 7, 2, 7).line(0, 9, 2, 9);
        break;
    case M::Buzzer:
        s.arc(8, 9.5, 5.5, 0, 180).line(2.5, 9.5, 13.5, 9.5).line(5.5, 9.5, 5.5, 15).line(10.5, 9.5, 10.5, 15);
        break;
    case M::Bell: s.arc(8, 10, 6, 0, 180).line(2, 10, 14, 10).line(5, 10, 5, 15).line(11, 10, 11, 15).disc(8, 2.5, 1.2); break;
    case M::Thermistor:
        s.line(0, 8, 3, 8).rect(3, 5.5, 10, 5).line(13, 8, 16, 8).polyline({{1.5, 14}, {4, 14}, {13.5, 2}});
        break;
    // ---- wiring-plan marks -------------------------------------------------------------------
    case M::Outlet: outletBody(s, 8); break;
    case M::EarthedOutlet: outletBody(s, 6.3); s.label(QStringLiteral("E"), QRectF(11.6, 9.5, 4, 5.5)); break;
    case M::WallSwitch: s.disc(8, 8, 3.2); break;
    case M::ThreeWaySwitch: s.disc(6.5, 9.5, 3.2).label(QStringLiteral("3"), QRectF(10.5, 1, 4.5, 6)); break;
    case M::PilotLampSwitch: s.disc(6.5, 9.5, 3.2).label(QStringLiteral("L"), QRectF(10.5, 1, 4.5, 6)); break;
    case M::Luminaire: s.circle(8, 8, 6).disc(8, 8, 1.4); break;
    case M::FluorescentLuminaire: s.rect(1, 6, 14, 4).circle(8, 8, 2.2); break;
    case M::DistributionBoard: s.rect(2, 4, 12, 8).fillPolygon({{14, 4}, {14, 12}, {2, 12}}); break;
    case M::ControlPanel: s.rect(2, 4, 12, 8).line(2, 12, 14, 4); break;
    case M::JunctionBox: s.rect(3, 3, 10, 10).line(3, 3, 13, 13).line(3, 13, 13, 3); break;
    case M::VentilationFan:
        s.circle(8, 8, 7).circle(5.6, 8, 2.4).circle(10.4, 8, 2.4);
        break;
    case M::TelephoneOutlet: s.circle(8, 8, 6).label(QStringLiteral("T"), QRectF(5, 4.8, 6, 6.4)); break;
    case M::TvOutlet: s.circle(8, 8, 6.5).circle(8, 8, 3); break;
    case M::PushButtonStation: s.circle(8, 8, 6.5).disc(8, 8, 2.8); break;
    case M::WattHourMeter: s.rect(1.5, 3.5, 13, 9).label(QStringLiteral("Wh"), QRectF(3, 5.5, 10, 5)); break;
    // ---- arrows and connection marks ---------------------------------------------------------
    case M::ArrowRight: s.arrow(1, 8, 15, 8); break;
    case M::ArrowLeft: s.arrow(15, 8, 1, 8); break;
    case M::ArrowUp: s.arrow(8, 15, 8, 1); break;
    case M::ArrowDown: s.arrow(8, 1, 8, 15); break;
    case M::ArrowUpRight: s.arrow(2, 14, 14, 2); break;
    case M::ArrowDownRight: s.arrow(2, 2, 14, 14); break;
    case M::ArrowDownLeft: s.arrow(14, 2, 2, 14); break;
    case M::ArrowUpLeft: s.arrow(14, 14, 2, 2); break;
    case M::ArrowLeftRight: s.line(4, 8, 12, 8).head({1, 8}, {8, 8}).head({15, 8}, {8, 8}); break;
    case M::ArrowUpDown: s.line(8, 4, 8, 12).head({8, 1}, {8, 8}).head({8, 15}, {8, 8}); break;
    case M::RotationClockwise: s.arc(8, 8.5, 5.5, 150, -270).head({13.3, 9.9}, {13.6, 5.5}, 3.5, 2.2); break;
    case M::RotationCounterClockwise: s.arc(8, 8.5, 5.5, 30, 270).head({2.7, 9.9}, {2.4, 5.5}, 3.5, 2.2); break;
    case M::StarConnection: s.line(8, 8.5, 8, 15.5).line(8, 8.5, 1.8, 2.5).line(8, 8.5, 14.2, 2.5); break;
    case M::DeltaConnection: s.polyline({{8, 1.5}, {15, 14}, {1, 14}, {8, 1.5}}); break;
    case M::HighVoltage: s.fillPolygon({{10, 0.5}, {3.5, 9}, {7.5, 9}, {5, 15.5}, {12.5, 6.5}, {8.5, 6.5}}); break;
    case M::Warning:
        s.polyline({{8, 1}, {15.3, 14.5}, {0.7, 14.5}, {8, 1}}).fillRect(7.2, 5.5, 1.6, 5).disc(8, 12.3, 0.9);
        break;
    case M::CrossingWires: s.line(0, 8, 6, 8).arc(8, 8, 2, 180, -180).line(10, 8, 16, 8).line(8, 0, 8, 16); break;
    case M::ShieldedWire: {
        s.line(0, 8, 16, 8);
        s.dashed(4.5, 2.5, 11.5, 2.5, 3).dashed(4.5, 13.5, 11.5, 13.5, 3).arc(4.5, 8, 5.5, 90, 180);
        s.arc(11.5, 8, 5.5, 90, -180);
        break;
    }
    case M::TwistedPair: s.sine(0, 16, 8, 3.5, 1.5).sine(0, 16, 8, -3.5, 1.5); break;
    case M::PositiveTerminal: s.circle(8, 8, 6.5).line(4, 8, 12, 8).line(8, 4, 8, 12); break;
    case M::NegativeTerminal: s.circle(8, 8, 6.5).line(4, 8, 12, 8); break;
    case M::Connector:
        s.line(0, 8, 5, 8).fillPolygon({{5, 4.5}, {8.5, 8}, {5, 11.5}}).arc(9, 8, 4, 60, -120).line(13, 8, 16, 8);
        break;
    // ---- the sequence-number marker ----------------------------------------------------------
    case M::SequenceNumber: s.rect(1, 1, 14, 14).label(QStringLiteral("#"), QRectF(4, 3.5, 8, 9)); break;
    }
    return s.outlines();
}

} // namespace qx::render
