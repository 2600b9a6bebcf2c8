// The "Viewer": shows a longer text (the help file, log search results, statistics) modally,
// read-only, in a fixed-pitch font so that tables line up.
#pragma once

#include <string>

#include <QDialog>

class QPlainTextEdit;

namespace vexa::ui {

class TextViewer : public QDialog {
    Q_OBJECT

public:
    // `text` is single-byte; its lines may end in CR LF, LF or CR.
    explicit TextViewer(const std::string& text, QWidget* parent = nullptr);

    const std::string& text() const noexcept { return m_text; }
    QPlainTextEdit& edit() const noexcept { return *m_edit; }

private:
    std::string m_text;
    QPlainTextEdit* m_edit;
};

// Shows `text` in a viewer and returns when the operator closes it (OK and Cancel both do).
void showTextViewer(QWidget* parent, const std::string& text);

}  // namespace vexa::ui
