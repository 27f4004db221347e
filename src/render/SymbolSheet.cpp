#include "SymbolSheet.h"

#include "PrintFont.h"
#include "SymbolPictures.h"
#include "SymbolTable.h"

#include <QPainter>

namespace qx::render {

namespace {

constexpr int Columns = 4;
constexpr int CellWidth = 330;
constexpr int CellHeight = 60;
constexpr int Header = 44;
constexpr int Large = 48;

const char* sourceText(SymbolSource source) {
    switch (source) {
    case SymbolSource::PrintFontGlyph: return "print-font glyph";
    case SymbolSource::FallbackGlyph: return "other font's glyph";
    case SymbolSource::Composed: return "composed";
    case SymbolSource::Drawn: return "drawn";
    case SymbolSource::None: break;
    }
    return "none";
}

} // namespace

QImage renderSymbolSheet(const SymbolPictures& pictures) {
    const auto table = symbolTable();
    const int rows = (static_cast<int>(table.size()) + Columns - 1) / Columns;
    QImage sheet(Columns * CellWidth, Header + rows * CellHeight, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(Qt::black);
    painter.setFont(printFont(pictures.printFamily(), 18));
    painter.drawText(QRect(8, 0, sheet.width() - 16, Header), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Printer symbols: %1 codes, print font %2")
                         .arg(table.size())
                         .arg(pictures.printFamily()));
    const QFont codeFont = printFont(pictures.printFamily(), 14);
    const QFont noteFont = printFont(pictures.printFamily(), 11);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const SymbolDefinition& d = table[i];
        const int x = static_cast<int>(i % Columns) * CellWidth;
        const int y = Header + static_cast<int>(i / Columns) * CellHeight;
        painter.setPen(QColor(200, 200, 200));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(x, y, CellWidth - 1, CellHeight - 1);
        // The grid picture at its own size, and a large one.
        const QImage small = pictures.image(d.code, QSize(16, 16), Qt::black, Qt::white);
        painter.drawImage(QPoint(x + 8, y + (CellHeight - 16) / 2), small);
        painter.setPen(QColor(220, 220, 255));
        painter.drawRect(x + 32, y + (CellHeight - Large) / 2, Large, Large);
        pictures.paint(painter, QRectF(x + 32, y + (CellHeight - Large) / 2.0, Large, Large), d.code, Qt::black);
        painter.setPen(Qt::black);
        painter.setFont(codeFont);
        painter.drawText(QRect(x + 88, y + 4, CellWidth - 92, 22), Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("0x%1").arg(d.code, 4, 16, QLatin1Char('0')).toUpper().replace(
                             QLatin1String("0X"), QLatin1String("0x")));
        painter.drawText(QRect(x + 88, y + 24, CellWidth - 92, 18), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromUtf8(d.name.data(), static_cast<qsizetype>(d.name.size())));
        painter.setFont(noteFont);
        painter.setPen(QColor(90, 90, 90));
        painter.drawText(QRect(x + 88, y + 42, CellWidth - 92, 15), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(sourceText(pictures.source(d.code))));
    }
    return sheet;
}

} // namespace qx::render
