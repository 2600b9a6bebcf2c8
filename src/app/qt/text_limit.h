// The character limit of a text window. A window that shows what arrives (received text,
// the log) drops its oldest text to make room, whole lines where it can, but never the
// text that has just arrived; the keyboard window, whose text is still to be sent, takes
// no more once it is full, as a text control with a limit does.
#pragma once

#include <QObject>

class QTextEdit;

namespace vexa::app::qt {

class TextLimit final : public QObject {
    Q_OBJECT

public:
    enum class Policy { DropOldest, RefuseInput };

    // Watches `edit` (and is owned by it) from now on.
    TextLimit(QTextEdit& edit, int limit, Policy policy);

    int limit() const noexcept { return m_limit; }
    Policy policy() const noexcept { return m_policy; }

private:
    void contentsChanged(int position, int added);

    QTextEdit& m_edit;
    int m_limit;
    Policy m_policy;
    bool m_trimming = false;
};

}  // namespace vexa::app::qt
