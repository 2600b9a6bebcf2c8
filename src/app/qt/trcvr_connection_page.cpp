#include "app/qt/trcvr_connection_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "rig/rigctld_channel.h"
#include "rig/serial_device.h"
#include "rig/transceiver_type.h"

namespace vexa::app::qt {

namespace {

// Device paths are file names: the local 8-bit encoding.
QString local8(const std::string& s)
{
    return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}

QRadioButton* addRadio(QButtonGroup* group, QGroupBox* box, const QString& caption, int id)
{
    auto* button = new QRadioButton(caption, box);
    group->addButton(button, id);
    return button;
}

}  // namespace

CTrcvrConnectionPage::CTrcvrConnectionPage(QWidget* parent) : SetupPage(parent)
{
    // COM n with the device it stands for: the /dev/serial/by-id names offered, any path typed.
    auto* com = new QGroupBox(QStringLiteral("Co&m"), this);
    auto* port = new QButtonGroup(com);
    auto* comGrid = new QGridLayout(com);
    comGrid->addWidget(addRadio(port, com, QStringLiteral("None"), 0), 0, 0);
    const std::vector<std::string> byId = rig::serialDevicesById();
    for (int n = 1; n <= 4; ++n) {
        comGrid->addWidget(addRadio(port, com, QString::number(n), n), n, 0);
        auto* device = new QComboBox(com);
        device->setObjectName(QStringLiteral("com%1Device").arg(n));
        device->setEditable(true);
        device->setInsertPolicy(QComboBox::NoInsert);
        device->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        device->setMinimumContentsLength(18);
        device->setToolTip(QStringLiteral("Serial device of COM%1").arg(n));
        for (const std::string& path : byId) device->addItem(local8(path));
        comGrid->addWidget(device, n, 1);
        bind([device, n](const SetupValues& v) { device->setEditText(local8(v.comDevices[n - 1])); },
             [device, n](SetupValues& v) {
                 v.comDevices[n - 1] = device->currentText().trimmed().toLocal8Bit().toStdString();
             });
    }
    comGrid->setColumnStretch(1, 1);
    bindGroup(port, &SetupValues::port);

    auto* speed = new QGroupBox(QStringLiteral("&Speed"), this);
    radioGroup(speed,
               {QStringLiteral("1200"), QStringLiteral("2400"), QStringLiteral("4800"),
                QStringLiteral("9600"), QStringLiteral("19200")},
               false, &SetupValues::speedIndex);

    auto* cat = new QGroupBox(QStringLiteral("CAT/&RCP"), this);
    m_type = new QButtonGroup(cat);
    auto* catGrid = new QGridLayout(cat);
    using T = rig::TransceiverType;
    catGrid->addWidget(addRadio(m_type, cat, QStringLiteral("None"), int(T::None)), 0, 0);
    catGrid->addWidget(addRadio(m_type, cat, QStringLiteral("IC735"), int(T::Ic735)), 1, 0);
    QRadioButton* icxxx = addRadio(m_type, cat, QStringLiteral("ICxxx"), int(T::Icxxx));
    QLineEdit* address = integerField(QStringLiteral("icomAddr"), &SetupValues::icomAddr);
    icxxx->setEnabled(false);  // no commands for it yet
    address->setEnabled(false);
    address->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    catGrid->addWidget(icxxx, 2, 0);
    catGrid->addWidget(address, 2, 1, Qt::AlignLeft);
    catGrid->addWidget(addRadio(m_type, cat, QStringLiteral("FT990"), int(T::Ft990)), 3, 0);
    catGrid->addWidget(addRadio(m_type, cat, QStringLiteral("TS850"), int(T::Ts850)), 4, 0);
    catGrid->addWidget(addRadio(m_type, cat, QStringLiteral("&Hamlib"), int(T::Hamlib)), 5, 0);
    m_rigctld = new QLineEdit(cat);
    m_rigctld->setObjectName(QStringLiteral("rigctld"));
    m_rigctld->setPlaceholderText(QStringLiteral("rigctld host:port"));
    m_rigctld->setToolTip(QStringLiteral("Where Hamlib's rigctld listens, host:port"));
    bind([this](const SetupValues& v) { m_rigctld->setText(QString::fromStdString(v.rigctld)); },
         [this](SetupValues& v) { v.rigctld = m_rigctld->text().trimmed().toStdString(); });
    catGrid->addWidget(m_rigctld, 5, 1);
    catGrid->setColumnStretch(1, 1);
    bindGroup(m_type, &SetupValues::type);

    auto* side = new QGroupBox(QStringLiteral("&Digital modes use"), this);
    radioGroup(side, {QStringLiteral("USB"), QStringLiteral("LSB")}, false, &SetupValues::side);

    auto* grid = new QGridLayout(this);
    grid->addWidget(com, 0, 0);
    grid->addWidget(speed, 0, 1);
    grid->addWidget(cat, 1, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(side);
    right->addWidget(checkBox(QStringLiteral("S&wap CW/PTT"), QStringLiteral("swap"), &SetupValues::swap));
    right->addStretch(1);
    grid->addLayout(right, 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);
}

std::optional<SetupPage::Invalid> CTrcvrConnectionPage::check() const
{
    if (auto invalid = SetupPage::check()) return invalid;
    if (m_type->checkedId() == int(rig::TransceiverType::Hamlib) &&
        !rig::parseRigctldAddress(m_rigctld->text().trimmed().toStdString())) {
        return Invalid{m_rigctld, QStringLiteral("Please enter the address of rigctld as host:port.")};
    }
    return std::nullopt;
}

}  // namespace vexa::app::qt
