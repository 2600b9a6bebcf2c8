#include "app/cw_speed.h"

namespace vexa::app {

bool CwSpeed::update() noexcept
{
    if (!m_speedChanged && m_elementLength == m_lastShownElementLength) return false;
    if (m_elementLength < kMinElementLength) m_elementLength = kMinElementLength;
    m_lastShownElementLength = m_elementLength;
    m_speed = 600 / m_elementLength;
    m_speedChanged = false;
    return true;
}

void CwSpeed::addToElementLength(int delta) noexcept
{
    m_elementLength += delta;
    m_speedChanged = true;
}

}  // namespace vexa::app
