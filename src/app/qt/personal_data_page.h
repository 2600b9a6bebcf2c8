// "Personal data": the station's call sign, position, operator name and QTH.
#pragma once

#include "app/qt/setup_page.h"

namespace vexa::app::qt {

class CPersonalDataPage final : public SetupPage {
public:
    explicit CPersonalDataPage(QWidget* parent = nullptr);
    void load(const SetupValues& values) override;
    void store(SetupValues& values) const override;

private:
    QLineEdit* m_call;
    QLineEdit* m_latitude;
    QLineEdit* m_longitude;
    QLineEdit* m_name;
    QLineEdit* m_qth;
};

}  // namespace vexa::app::qt
