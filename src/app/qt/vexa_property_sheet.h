// The "Setup" sheet: the pages Personal data, Trcvr, Spectrum and Misc (and any page added
// with addPage) as tabs, with OK and Cancel. A page with an invalid field cannot be left and
// the sheet cannot be confirmed: the operator is told why and the focus goes to the field.
#pragma once

#include <functional>
#include <vector>

#include <QDialog>

#include "app/setup_commands.h"
#include "common/ports.h"

class QTabWidget;

namespace vexa::app::qt {

class SetupPage;

class CVexaPropertySheet final : public QDialog {
public:
    // prompter: tells the operator about an invalid field.
    explicit CVexaPropertySheet(Prompter& prompter, QWidget* parent = nullptr);

    void load(const SetupValues& values);
    // The loaded values with every page's fields read back.
    SetupValues values() const;

    // One more page after the built-in ones. afterOk runs once the sheet is confirmed,
    // before it closes (the page is still there); the Setup command applies the built-in
    // pages afterwards.
    void addPage(QWidget* page, const QString& title, std::function<void()> afterOk = {});

    QTabWidget* tabs() const noexcept { return m_tabs; }

    // OK: checks every page first.
    void accept() override;

private:
    // False (and the operator told, the field focused) when the page at `index` is invalid.
    bool pageValid(int index);
    void onPageChanged(int index);

    Prompter& m_prompter;
    QTabWidget* m_tabs;
    std::vector<SetupPage*> m_pages;
    std::vector<std::function<void()>> m_afterOk;
    SetupValues m_values;
    int m_current = 0;
};

}  // namespace vexa::app::qt
