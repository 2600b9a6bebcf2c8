// Writes the two frequency readouts of the main window: the dial ("&Fq:" combo box, edit
// text) and the audio frequency ("Hz" edit). The dial text is left alone while no dial
// frequency is known (0).
#pragma once

class QComboBox;
class QLineEdit;

namespace vexa::ui {

void showFrequencyReadouts(QComboBox* dialField, QLineEdit* audioField, int signalHz, double carrierHz);

}  // namespace vexa::ui
