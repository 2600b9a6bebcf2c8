#include "app/qt/qt_scheduler.h"

#include <QMetaObject>
#include <QTimer>

namespace vexa::app::qt {

void QtScheduler::callAfter(int ms, std::function<void()> call)
{
    QTimer::singleShot(ms, &m_context, std::move(call));
}

void QtScheduler::post(std::function<void()> call)
{
    QMetaObject::invokeMethod(&m_context, std::move(call), Qt::QueuedConnection);
}

}  // namespace vexa::app::qt
