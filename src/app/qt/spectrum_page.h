// "Spectrum": the average curve's look, the receive frequency at start, where the spectrum
// starts and its zoom.
#pragma once

#include "app/qt/setup_page.h"

namespace vexa::app::qt {

class CSpectrumPage final : public SetupPage {
public:
    explicit CSpectrumPage(QWidget* parent = nullptr);
};

}  // namespace vexa::app::qt
