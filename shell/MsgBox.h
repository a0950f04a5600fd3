#pragma once

#include <QString>

class QWidget;

// The program's message box: an OK button only, the icon of the style value (0 none,
// 32 question, 48 exclamation, 64 information), and the application title "Vantrel" when no
// title is given. Modal; returns when dismissed.
void MsgBox(const QString& prompt, int style, const QString& title = {}, QWidget* parent = nullptr);

inline const QString AppTitle = QStringLiteral("Vantrel");
