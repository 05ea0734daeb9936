// Helpers for driving the real windows: modal dialogs are handled from a timer while exec() runs.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace vorlin {

// Runs `act` on the next modal dialog of type T once it is open.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

}  // namespace vorlin
