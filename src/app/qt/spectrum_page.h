// "Spectrum": the average curve's look, the receive frequency at start, where the spectrum
// starts and its zoom.
#pragma once

#include "app/qt/setup_page.h"

class QCheckBox;

namespace vexa::app::qt {

class CSpectrumPage final : public SetupPage {
public:
    explicit CSpectrumPage(QWidget* parent = nullptr);
    void load(const SetupValues& values) override;
    void store(SetupValues& values) const override;

private:
    QCheckBox* m_inverted;
    QCheckBox* m_showAverage;
    QCheckBox* m_thickLine;
    QLineEdit* m_soundFq;
    QLineEdit* m_startFq;
    QButtonGroup* m_zoom;
    int m_loadedZoom = 1;
};

}  // namespace vexa::app::qt
