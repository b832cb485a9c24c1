#pragma once
#include <QApplication>
#include <QDialog>
#include <QTimer>

// Runs `look` on the modal dialog once it is up, then closes it, also when
// a check in `look` failed.
template <class Look>
void whenOpen(Look look)
{
    QTimer::singleShot(0, [look] {
        QWidget *modal = QApplication::activeModalWidget();
        struct Close
        {
            QWidget *w;
            ~Close()
            {
                if (auto *d = qobject_cast<QDialog *>(w))
                    d->reject();
            }
        } close { modal };
        if (modal)
            look(modal);
    });
}
