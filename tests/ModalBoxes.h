#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <optional>

// Answers the program's modal boxes as they open, recording what each one said. A box is
// answered from a timer, since exec() does not return until it is dismissed.
class ModalBoxes : public QObject {
public:
    struct Seen {
        QString Title;
        QString Text;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        QPoint Position;
    };

    ModalBoxes()
    {
        Poll.setInterval(5);
        connect(&Poll, &QTimer::timeout, this, &ModalBoxes::Answer);
        Poll.start();
    }

    // The answers to give the input boxes in turn; nothing means Cancel.
    QList<std::optional<QString>> InputAnswers;
    // Run while a message box is open, before it is dismissed.
    std::function<void()> WhileOpen;
    QList<Seen> Boxes;

private:
    void Answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            Boxes.append({box->windowTitle(), box->text(), box->icon(), box->pos()});
            if (WhileOpen)
                WhileOpen();
            box->accept();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            Boxes.append({input->windowTitle(), input->labelText(), QMessageBox::NoIcon, input->pos()});
            const std::optional<QString> answer =
                InputAnswers.isEmpty() ? std::nullopt : InputAnswers.takeFirst();
            if (answer) {
                input->setTextValue(*answer);
                input->accept();
            } else {
                input->reject();
            }
        }
    }

    QTimer Poll;
};
