#include "MsgBox.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon IconFor(int style)
{
    switch (style) {
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

void MsgBox(const QString& prompt, int style, const QString& title, QWidget* parent)
{
    // Prompts break lines with CR LF; a label shows a lone CR as a glyph of its own.
    QString shown = prompt;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(IconFor(style), title.isEmpty() ? AppTitle : title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
