#include "app/qt/vexa_misc_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace vexa::app::qt {

CVexaMiscPage::CVexaMiscPage(QWidget* parent) : SetupPage(parent)
{
    auto* cwId = new QGroupBox(QStringLiteral("CW &ID"), this);
    radioGroup(cwId, {QStringLiteral("x1"), QStringLiteral("x2"), QStringLiteral("x3")}, true,
               &SetupValues::cwIdIndex);
    QLineEdit* wrap = integerField(QStringLiteral("wrap"), &SetupValues::wrap);
    wrap->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);

    auto* grid = new QGridLayout(this);
    grid->addWidget(cwId, 0, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("Auto&Wrap"), wrap), 1, 0);
    grid->addWidget(wrap, 1, 1, Qt::AlignLeft);
    grid->addWidget(
        checkBox(QStringLiteral("&Large screen"), QStringLiteral("largeScreen"), &SetupValues::largeScreen),
        2, 0, 1, 2);
    grid->addWidget(
        checkBox(QStringLiteral("&Bold font"), QStringLiteral("boldFont"), &SetupValues::boldFont), 3, 0, 1,
        2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

}  // namespace vexa::app::qt
