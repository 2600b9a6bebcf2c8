// "Misc": the CW identification's speed, the receive window's wrap column, the large layout
// and the bold text.
#pragma once

#include "app/qt/setup_page.h"

class QCheckBox;

namespace vexa::app::qt {

class CVexaMiscPage final : public SetupPage {
public:
    explicit CVexaMiscPage(QWidget* parent = nullptr);
    void load(const SetupValues& values) override;
    void store(SetupValues& values) const override;

private:
    QButtonGroup* m_cwId;
    QLineEdit* m_wrap;
    QCheckBox* m_largeScreen;
    QCheckBox* m_boldFont;
    int m_loadedCwId = 1;
};

}  // namespace vexa::app::qt
