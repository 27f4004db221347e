// Builds the operator's manual: its Markdown text and pictures laid out on A4 pages in a Japanese
// font and written as PDF with Qt's own writer, so the build needs no other tool.
//   qx_manual_pdf manual.md KorvintaPCEditor_Manual.pdf
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

/// Pictures wider than the text are shrunk to its width, keeping their proportions.
void fitPictures(QTextDocument& document, double textWidth) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid()) {
                continue;
            }
            // Printing works on a copy of the document that keeps neither the loaded pictures nor
            // the base folder: name each picture by its whole path.
            const QString path = document.baseUrl().resolved(QUrl(format.name())).toLocalFile();
            const QImage picture(path);
            if (picture.isNull()) {
                continue;
            }
            format.setName(path);
            if (picture.width() > textWidth) {
                format.setWidth(textWidth);
                format.setHeight(textWidth * picture.height() / picture.width());
            }
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: qx_manual_pdf MANUAL.md OUT.pdf\n", stderr);
        return 1;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qx_manual_pdf: cannot read %s\n", argv[1]);
        return 2;
    }
    QTextDocument document;
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPointSizeF(10.0);
    document.setDefaultFont(font);
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(source).absolutePath() + QLatin1Char('/')));
    document.setMarkdown(QString::fromUtf8(source.readAll()));

    QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
    writer.setTitle(QStringLiteral("コルビンタ PCエディタ 取扱説明書"));
    writer.setCreator(QStringLiteral("コルビンタ PCエディタ"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                     QPageLayout::Millimeter));
    writer.setResolution(300);
    // The text width the printed document will have, in the document's own units (points at 72 dpi
    // on a paged device, which QTextDocument::print sets up).
    const double textWidth = writer.pageLayout().paintRect(QPageLayout::Point).width();
    fitPictures(document, textWidth * 0.9);
    document.print(&writer);
    return 0;
}
