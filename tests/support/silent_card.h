// A sound card with nothing usable behind it (no device, no server, a missing file) must
// fail quietly: every open leaves it closed, blocks are refused, closing and opening again
// is harmless, and no event ever arrives.
#pragma once

#include <gtest/gtest.h>

#include "engine/audio/sound_card.h"

namespace vexa::test {

inline void expectCardStaysClosed(engine::WaveBackend& backend)
{
    int notifications = 0;
    {
        engine::SoundCard card(backend, [&](const engine::WaveEvent&) { ++notifications; });
        card.OpenWaveIn();
        card.OpenWaveOut();
        EXPECT_FALSE(card.inputOpen());
        EXPECT_FALSE(card.outputOpen());
        engine::WaveHeader h;
        EXPECT_FALSE(card.addInputBuffer(h));
        EXPECT_FALSE(card.writeOutput(h));
        card.CloseWaveIn();
        card.CloseWaveOut();
        card.OpenWaveIn();
        EXPECT_FALSE(card.inputOpen());
    }
    EXPECT_EQ(notifications, 0);
}

}  // namespace vexa::test
