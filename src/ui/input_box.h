// The "Input box": asks the operator for one value (a search string, a mark label, a QSO
// field, a macro text) under a prompt, proposing the current value all selected so that
// typing replaces it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QDialog>

class QLabel;
class QPlainTextEdit;

namespace vexa::ui {

class InputBox : public QDialog {
    Q_OBJECT

public:
    // `prompt` and `text` are single-byte; line breaks come back as "\n".
    InputBox(std::string_view prompt, std::string_view text, QWidget* parent = nullptr);

    std::string text() const;
    QPlainTextEdit& edit() const noexcept { return *m_edit; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_prompt;
    QPlainTextEdit* m_edit;
};

// The typed text when the operator presses OK; nullopt on Cancel (the caller keeps its value).
std::optional<std::string> askInputBox(QWidget* parent, std::string_view prompt, std::string_view text);

}  // namespace vexa::ui
