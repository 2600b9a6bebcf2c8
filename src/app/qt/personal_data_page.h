// "Personal data": the station's call sign, position, operator name and QTH.
#pragma once

#include "app/qt/setup_page.h"

namespace vexa::app::qt {

class CPersonalDataPage final : public SetupPage {
public:
    explicit CPersonalDataPage(QWidget* parent = nullptr);
};

}  // namespace vexa::app::qt
