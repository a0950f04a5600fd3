#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>

// Answers the program's boxes as they open, from a timer since exec() does not return until a box is
// dismissed: a message box with OK, an input box with the next of InputAnswers, or Cancel when none.
class ModalBoxes : public QObject {
public:
    QStringList InputAnswers;
    QList<QMessageBox::Icon> Icons; // NoIcon for an input box

    ModalBoxes() { m_poll.callOnTimeout(this, &ModalBoxes::Answer), m_poll.start(5); }

private:
    void Answer()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        auto* box = qobject_cast<QMessageBox*>(dialog);
        auto* input = qobject_cast<QInputDialog*>(dialog);
        Icons.append(box ? box->icon() : QMessageBox::NoIcon);
        if (input && InputAnswers.isEmpty())
            return dialog->reject();
        if (input)
            input->setTextValue(InputAnswers.takeFirst());
        dialog->accept();
    }

    QTimer m_poll;
};
