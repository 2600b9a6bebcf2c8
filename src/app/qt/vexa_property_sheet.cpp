#include "app/qt/vexa_property_sheet.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/qt/personal_data_page.h"
#include "app/qt/spectrum_page.h"
#include "app/qt/trcvr_connection_page.h"
#include "app/qt/vexa_misc_page.h"

namespace vexa::app::qt {

CVexaPropertySheet::CVexaPropertySheet(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("setupSheet"));
    setWindowTitle(QStringLiteral("Setup"));
    m_tabs->setObjectName(QStringLiteral("setupPages"));
    const std::pair<SetupPage*, QString> pages[] = {
        {new CPersonalDataPage, QStringLiteral("Personal data")},
        {new CTrcvrConnectionPage, QStringLiteral("Trcvr")},
        {new CSpectrumPage, QStringLiteral("Spectrum")},
        {new CVexaMiscPage, QStringLiteral("Misc")},
    };
    for (const auto& [page, title] : pages) {
        m_tabs->addTab(page, title);
        m_pages.push_back(page);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CVexaPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CVexaPropertySheet::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CVexaPropertySheet::onPageChanged);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    m_tabs->setCurrentIndex(0);
}

void CVexaPropertySheet::load(const SetupValues& values)
{
    m_values = values;
    for (SetupPage* page : m_pages) page->load(values);
}

SetupValues CVexaPropertySheet::values() const
{
    SetupValues v = m_values;
    for (const SetupPage* page : m_pages) page->store(v);
    return v;
}

void CVexaPropertySheet::addPage(QWidget* page, const QString& title, std::function<void()> afterOk)
{
    m_tabs->addTab(page, title);
    if (afterOk) m_afterOk.push_back(std::move(afterOk));
}

bool CVexaPropertySheet::pageValid(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size())) return true;
    const std::optional<SetupPage::Invalid> invalid = m_pages[index]->check();
    if (!invalid) return true;
    {
        const QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(index);
        m_current = index;
    }
    m_prompter.inform(invalid->message.toLatin1().toStdString(), "Vexa");
    invalid->field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(invalid->field)) edit->selectAll();
    return false;
}

void CVexaPropertySheet::onPageChanged(int index)
{
    const int left = m_current;
    m_current = index;
    (void)pageValid(left);
}

void CVexaPropertySheet::accept()
{
    // The page in view first, as the operator sees it; then the others.
    if (!pageValid(m_tabs->currentIndex())) return;
    for (int i = 0; i < static_cast<int>(m_pages.size()); ++i) {
        if (!pageValid(i)) return;
    }
    for (const auto& hook : m_afterOk) hook();
    QDialog::accept();
}

}  // namespace vexa::app::qt
