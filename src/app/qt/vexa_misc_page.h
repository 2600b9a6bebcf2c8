// "Misc": the CW identification's speed, the receive window's wrap column, the large layout
// and the bold text.
#pragma once

#include "app/qt/setup_page.h"

namespace vexa::app::qt {

class CVexaMiscPage final : public SetupPage {
public:
    explicit CVexaMiscPage(QWidget* parent = nullptr);
};

}  // namespace vexa::app::qt
