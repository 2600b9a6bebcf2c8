#include "app/qt/spectrum_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vexa::app::qt {

CSpectrumPage::CSpectrumPage(QWidget* parent) : SetupPage(parent)
{
    auto* average = new QGroupBox(QStringLiteral("Average spectrum"), this);
    auto* column = new QVBoxLayout(average);
    column->addWidget(
        checkBox(QStringLiteral("Show &average"), QStringLiteral("showAverage"), &SetupValues::showAverage));
    column->addWidget(
        checkBox(QStringLiteral("&Inverted"), QStringLiteral("inverted"), &SetupValues::inverted));
    column->addWidget(
        checkBox(QStringLiteral("T&hick line"), QStringLiteral("thickLine"), &SetupValues::thickLine));

    QLineEdit* soundFq = integerField(QStringLiteral("soundFq"), &SetupValues::soundFq, std::pair{300, 3000});
    QLineEdit* startFq = integerField(QStringLiteral("startFq"), &SetupValues::startFq, std::pair{0, 2000});
    const int fieldWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12;
    soundFq->setMaximumWidth(fieldWidth);
    startFq->setMaximumWidth(fieldWidth);

    auto* zoom = new QGroupBox(QStringLiteral("&Zoom"), this);
    radioGroup(zoom, {QStringLiteral("x1"), QStringLiteral("x2"), QStringLiteral("x3")}, true,
               &SetupValues::zoom);

    auto* grid = new QGridLayout(this);
    grid->addWidget(average, 0, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("Initial sound &fq:"), soundFq), 1, 0);
    grid->addWidget(soundFq, 1, 1, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("Spectrum s&tart"), startFq), 2, 0);
    grid->addWidget(startFq, 2, 1, Qt::AlignLeft);
    grid->addWidget(zoom, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

}  // namespace vexa::app::qt
