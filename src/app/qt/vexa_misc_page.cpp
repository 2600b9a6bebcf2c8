#include "app/qt/vexa_misc_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace vexa::app::qt {

CVexaMiscPage::CVexaMiscPage(QWidget* parent)
    : SetupPage(parent),
      m_wrap(integerField(QStringLiteral("wrap"))),
      m_largeScreen(new QCheckBox(QStringLiteral("&Large screen"), this)),
      m_boldFont(new QCheckBox(QStringLiteral("&Bold font"), this))
{
    m_largeScreen->setObjectName(QStringLiteral("largeScreen"));
    m_boldFont->setObjectName(QStringLiteral("boldFont"));
    auto* cwId = new QGroupBox(QStringLiteral("CW &ID"), this);
    m_cwId = radioGroup(cwId, {QStringLiteral("x1"), QStringLiteral("x2"), QStringLiteral("x3")}, true);
    m_wrap->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cwId, 0, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("Auto&Wrap"), m_wrap), 1, 0);
    grid->addWidget(m_wrap, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_largeScreen, 2, 0, 1, 2);
    grid->addWidget(m_boldFont, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

void CVexaMiscPage::load(const SetupValues& v)
{
    m_loadedCwId = v.cwIdIndex;
    checkButton(m_cwId, v.cwIdIndex);
    m_wrap->setText(QString::number(v.wrap));
    m_largeScreen->setChecked(v.largeScreen != 0);
    m_boldFont->setChecked(v.boldFont != 0);
}

void CVexaMiscPage::store(SetupValues& v) const
{
    v.cwIdIndex = checkedId(m_cwId, m_loadedCwId);
    v.wrap = intOf(m_wrap);
    v.largeScreen = m_largeScreen->isChecked() ? 1 : 0;
    v.boldFont = m_boldFont->isChecked() ? 1 : 0;
}

}  // namespace vexa::app::qt
