#include "app/qt/spectrum_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vexa::app::qt {

CSpectrumPage::CSpectrumPage(QWidget* parent)
    : SetupPage(parent),
      m_soundFq(integerField(QStringLiteral("soundFq"), std::pair{300, 3000})),
      m_startFq(integerField(QStringLiteral("startFq"), std::pair{0, 2000}))
{
    auto* average = new QGroupBox(QStringLiteral("Average spectrum"), this);
    m_inverted = new QCheckBox(QStringLiteral("&Inverted"), average);
    m_showAverage = new QCheckBox(QStringLiteral("Show &average"), average);
    m_thickLine = new QCheckBox(QStringLiteral("T&hick line"), average);
    m_inverted->setObjectName(QStringLiteral("inverted"));
    m_showAverage->setObjectName(QStringLiteral("showAverage"));
    m_thickLine->setObjectName(QStringLiteral("thickLine"));
    auto* column = new QVBoxLayout(average);
    column->addWidget(m_showAverage);
    column->addWidget(m_inverted);
    column->addWidget(m_thickLine);

    auto* zoom = new QGroupBox(QStringLiteral("&Zoom"), this);
    m_zoom = radioGroup(zoom, {QStringLiteral("x1"), QStringLiteral("x2"), QStringLiteral("x3")}, true);

    const int fieldWidth = fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12;
    m_soundFq->setMaximumWidth(fieldWidth);
    m_startFq->setMaximumWidth(fieldWidth);
    auto* grid = new QGridLayout(this);
    grid->addWidget(average, 0, 0, 1, 2);
    grid->addWidget(label(QStringLiteral("Initial sound &fq:"), m_soundFq), 1, 0);
    grid->addWidget(m_soundFq, 1, 1, Qt::AlignLeft);
    grid->addWidget(label(QStringLiteral("Spectrum s&tart"), m_startFq), 2, 0);
    grid->addWidget(m_startFq, 2, 1, Qt::AlignLeft);
    grid->addWidget(zoom, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
}

void CSpectrumPage::load(const SetupValues& v)
{
    m_inverted->setChecked(v.inverted != 0);
    m_showAverage->setChecked(v.showAverage != 0);
    m_thickLine->setChecked(v.thickLine != 0);
    m_soundFq->setText(QString::number(v.soundFq));
    m_startFq->setText(QString::number(v.startFq));
    m_loadedZoom = v.zoom;
    checkButton(m_zoom, v.zoom);
}

void CSpectrumPage::store(SetupValues& v) const
{
    v.inverted = m_inverted->isChecked() ? 1 : 0;
    v.showAverage = m_showAverage->isChecked() ? 1 : 0;
    v.thickLine = m_thickLine->isChecked() ? 1 : 0;
    v.soundFq = intOf(m_soundFq);
    v.startFq = intOf(m_startFq);
    v.zoom = checkedId(m_zoom, m_loadedZoom);
}

}  // namespace vexa::app::qt
