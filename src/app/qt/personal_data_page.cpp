#include "app/qt/personal_data_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace vexa::app::qt {

namespace {

QString latin1(const std::string& s)
{
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

QLineEdit* textField(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

}  // namespace

CPersonalDataPage::CPersonalDataPage(QWidget* parent)
    : SetupPage(parent),
      m_call(textField(this, QStringLiteral("call"))),
      m_latitude(numberField(QStringLiteral("latitude"), -90.0, 90.0)),
      m_longitude(numberField(QStringLiteral("longitude"), -180.0, 180.0)),
      m_name(textField(this, QStringLiteral("name"))),
      m_qth(textField(this, QStringLiteral("qth")))
{
    // Text is single-byte and a call sign or a name is short; the limits keep a pasted
    // paragraph out of the macros and the window title.
    m_call->setMaxLength(16);
    m_name->setMaxLength(32);
    m_qth->setMaxLength(64);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label(QStringLiteral("Call&sign"), m_call), 0, 0);
    grid->addWidget(m_call, 0, 1);
    grid->addWidget(label(QStringLiteral("L&atitude"), m_latitude), 1, 0);
    grid->addWidget(m_latitude, 1, 1);
    grid->addWidget(label(QStringLiteral("Lon&gitude"), m_longitude), 2, 0);
    grid->addWidget(m_longitude, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Use \"-\" for west longitude"), this), 3, 1);
    grid->addWidget(label(QStringLiteral("&Name"), m_name), 4, 0);
    grid->addWidget(m_name, 4, 1);
    grid->addWidget(label(QStringLiteral("&QTH"), m_qth), 5, 0);
    grid->addWidget(m_qth, 5, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(6, 1);
}

void CPersonalDataPage::load(const SetupValues& v)
{
    m_call->setText(latin1(v.station.call));
    setNumber(m_latitude, v.station.latitude);
    setNumber(m_longitude, v.station.longitude);
    m_name->setText(latin1(v.station.name));
    m_qth->setText(latin1(v.station.qth));
}

void CPersonalDataPage::store(SetupValues& v) const
{
    v.station.call = m_call->text().trimmed().toLatin1().toStdString();
    v.station.latitude = numberOf(m_latitude);
    v.station.longitude = numberOf(m_longitude);
    v.station.name = m_name->text().trimmed().toLatin1().toStdString();
    v.station.qth = m_qth->text().trimmed().toLatin1().toStdString();
}

}  // namespace vexa::app::qt
