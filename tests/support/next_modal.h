// Acts on the next modal dialog or popup menu of type T that opens: the action runs inside
// the event loop of its exec(), so a test can read the real dialog and close it. Gives up
// after about ten seconds, so a dialog that never opens fails the test instead of hanging it.
#pragma once

#include <functional>
#include <memory>

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace vexa::test {

template <class T>
void onNextModal(std::function<void(T&)> act)
{
    auto* poll = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, act] {
        QWidget* top = QApplication::activePopupWidget();
        if (top == nullptr) top = QApplication::activeModalWidget();
        T* found = qobject_cast<T*>(top);
        if (found == nullptr && ++*tries < 2000) return;
        poll->stop();
        poll->deleteLater();
        if (found != nullptr) act(*found);
    });
    poll->start(5);
}

}  // namespace vexa::test
