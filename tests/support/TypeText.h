#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

namespace qx::testing {

/// Types text into a widget key by key; characters outside ASCII arrive as the text of a key
/// without a key code, as an input method delivers them.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, static_cast<char>(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

/// Replaces a field's whole text as the operator does: select all, delete, type.
inline void replaceText(QWidget* widget, const QString& text) {
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
    typeText(widget, text);
}

} // namespace qx::testing
