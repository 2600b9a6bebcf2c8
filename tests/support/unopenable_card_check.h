// The check every backend without a usable device must pass: a sound card over it opens
// nothing, refuses buffers, closes and opens again without harm, and sends no notification.
#pragma once

#include <gtest/gtest.h>

#include "engine/audio/sound_card.h"

namespace vexa::test {

inline void expectOpensNothingSilently(engine::WaveBackend& backend)
{
    int notifications = 0;
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
    card.OpenWaveIn();  // and again: still closed
    EXPECT_FALSE(card.inputOpen());
    card.CloseWaveIn();
    EXPECT_EQ(notifications, 0);
}

}  // namespace vexa::test
