#include "ui/frequency_readouts.h"

#include <QComboBox>
#include <QLineEdit>

#include "display/frequency_readout.h"

namespace vexa::ui {

void showFrequencyReadouts(QComboBox* dialField, QLineEdit* audioField, int signalHz, double carrierHz)
{
    if (dialField && signalHz != 0)
        dialField->setEditText(QString::fromStdString(display::formatDialFrequency(signalHz)));
    if (audioField) audioField->setText(QString::fromStdString(display::formatAudioFrequency(carrierHz)));
}

}  // namespace vexa::ui
