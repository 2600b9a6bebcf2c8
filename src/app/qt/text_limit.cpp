#include "app/qt/text_limit.h"

#include <algorithm>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace vexa::app::qt {

TextLimit::TextLimit(QTextEdit& edit, int limit, Policy policy)
    : QObject(&edit), m_edit(edit), m_limit(limit), m_policy(policy)
{
    connect(edit.document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { contentsChanged(position, added); });
}

void TextLimit::contentsChanged(int position, int added)
{
    QTextDocument* doc = m_edit.document();
    const int length = doc->characterCount() - 1;
    if (m_trimming || added <= 0 || m_limit <= 0 || length <= m_limit) return;
    int from = 0;
    int to = 0;
    if (m_policy == Policy::RefuseInput) {
        // What does not fit of the text just put in is left out.
        to = std::min(position + added, length);
        from = std::max(position, to - (length - m_limit));
    } else {
        // Cut whole lines while that spares the new text; inside one long line (or when
        // the new text is longer than the limit) cut no further than where it begins.
        int cut = length - m_limit;
        const QTextBlock block = doc->findBlock(cut);
        const int lineEnd = block.isValid() ? block.position() + block.length() : cut;
        to = lineEnd <= position ? lineEnd : std::min(cut, position);
    }
    if (to <= from) return;
    m_trimming = true;
    QTextCursor cursor(doc);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    m_trimming = false;
}

}  // namespace vexa::app::qt
