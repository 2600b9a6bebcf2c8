// "Trcvr": the serial port (with the Linux device behind each COM number), its speed, the
// transceiver type (with the rigctld address for a Hamlib radio), the side band of the
// digital modes, the PTT line swap and the Icom address.
#pragma once

#include "app/qt/setup_page.h"

namespace vexa::app::qt {

class CTrcvrConnectionPage final : public SetupPage {
public:
    explicit CTrcvrConnectionPage(QWidget* parent = nullptr);
    // Also: a Hamlib radio needs a rigctld address that reads as host:port.
    std::optional<Invalid> check() const override;

private:
    QButtonGroup* m_type = nullptr;
    QLineEdit* m_rigctld = nullptr;
};

}  // namespace vexa::app::qt
