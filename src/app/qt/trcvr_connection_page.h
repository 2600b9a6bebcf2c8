// "Trcvr": the serial port (with the Linux device behind each COM number), its speed, the
// transceiver type (with the rigctld address for a Hamlib radio), the side band of the
// digital modes, the PTT line swap and the Icom address.
#pragma once

#include <array>

#include "app/qt/setup_page.h"

class QCheckBox;
class QComboBox;

namespace vexa::app::qt {

class CTrcvrConnectionPage final : public SetupPage {
public:
    explicit CTrcvrConnectionPage(QWidget* parent = nullptr);
    void load(const SetupValues& values) override;
    void store(SetupValues& values) const override;
    std::optional<Invalid> check() const override;

private:
    QButtonGroup* m_port;
    std::array<QComboBox*, 4> m_devices{};
    QButtonGroup* m_speed;
    QButtonGroup* m_type;
    QLineEdit* m_address;
    QLineEdit* m_rigctld;
    QButtonGroup* m_side;
    QCheckBox* m_swap;
    SetupValues m_loaded;  // what values without a button keep
};

}  // namespace vexa::app::qt
