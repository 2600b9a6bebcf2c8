#include "app/qt/personal_data_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vexa::app::qt {

CPersonalDataPage::CPersonalDataPage(QWidget* parent) : SetupPage(parent)
{
    // A call sign or a name is short; the limits keep a pasted paragraph out of the macros
    // and the window title.
    QLineEdit* call = textField(QStringLiteral("call"), &StationData::call, 16);
    QLineEdit* latitude = numberField(QStringLiteral("latitude"), &StationData::latitude, -90.0, 90.0);
    QLineEdit* longitude = numberField(QStringLiteral("longitude"), &StationData::longitude, -180.0, 180.0);
    QLineEdit* name = textField(QStringLiteral("name"), &StationData::name, 32);
    QLineEdit* qth = textField(QStringLiteral("qth"), &StationData::qth, 64);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label(QStringLiteral("Call&sign"), call), 0, 0);
    grid->addWidget(call, 0, 1);
    grid->addWidget(label(QStringLiteral("L&atitude"), latitude), 1, 0);
    grid->addWidget(latitude, 1, 1);
    grid->addWidget(label(QStringLiteral("Lon&gitude"), longitude), 2, 0);
    grid->addWidget(longitude, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Use \"-\" for west longitude"), this), 3, 1);
    grid->addWidget(label(QStringLiteral("&Name"), name), 4, 0);
    grid->addWidget(name, 4, 1);
    grid->addWidget(label(QStringLiteral("&QTH"), qth), 5, 0);
    grid->addWidget(qth, 5, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
}

}  // namespace vexa::app::qt
