// The Qt side of the partner window: the modeless "Partner" dialog with its five fields,
// opened and closed by PartnerCommands, and the entry line it rewrites.
#pragma once

#include <memory>

#include <QDialog>
#include <QPointer>

#include "app/partner_commands.h"

class QLineEdit;
class QTextCharFormat;
class QTextEdit;

namespace vexa::app::qt {

class PartnerDialog final : public QDialog {
    Q_OBJECT

public:
    PartnerDialog(QWidget* parent, PartnerCommands& commands);
    void showTexts(const PartnerTexts& texts);
    QLineEdit* field(PartnerField field) const;

protected:
    void done(int result) override;  // OK, Cancel and Escape: the window goes

private:
    PartnerCommands& m_commands;
    std::array<QLineEdit*, kPartnerFields> m_fields{};
};

class QtPartnerWindow final {
public:
    // owner: the main window, which the dialog stays above; entry: the entry line and its
    // normal character format.
    QtPartnerWindow(QWidget* owner, QTextEdit* entry, const QTextCharFormat& normal, log::QsoFields& fields,
                    log::EntryLineState& state);
    ~QtPartnerWindow();

    PartnerCommands& commands() noexcept { return *m_commands; }
    PartnerDialog* dialog() const noexcept { return m_dialog; }

private:
    PartnerWindow lend();

    QWidget* m_owner;
    QTextEdit* m_entry;
    const QTextCharFormat& m_normal;
    QPointer<PartnerDialog> m_dialog;
    std::unique_ptr<PartnerCommands> m_commands;
};

}  // namespace vexa::app::qt
