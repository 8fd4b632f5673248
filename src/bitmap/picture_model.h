// The picture model the image frame and the colour table window share: the colour table and its counts.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace quirlwerk::bitmap {

struct FarbEintrag {
    std::int16_t Rot = 0;
    std::int16_t Gruen = 0;
    std::int16_t Blau = 0;
    std::int32_t Anzahl = 0;   // pixels of this colour in the picture last loaded
};

// Colours handed to the front ends: 0xAARRGGBB, always opaque.
using Colour = std::uint32_t;

// For every entry the lowest index of its twin group (entries in use of one file colour), or -1.
using Twins = std::array<std::int16_t, 256>;

inline Twins noTwins()
{
    Twins twins;
    twins.fill(-1);
    return twins;
}

struct PictureModel {
    std::array<FarbEintrag, 256> FarbTabelle{};
    std::int32_t AnzahlFarben = 0;   // entries the last full load read from its file

    // Entries 0 to AnzahlFarben - 1 as the file gave them, before the transforms; and their twins. Both are
    // set by a full load only, so edits and redraws leave them as the file showed them.
    std::array<Colour, 256> fileColours{};
    Twins twins = noTwins();
};

// The drawing colour of an entry. An edited component outside 0..255 is drawn at the nearer limit.
inline Colour drawingColour(const FarbEintrag& entry)
{
    auto component = [](std::int16_t value) { return static_cast<Colour>(std::clamp<int>(value, 0, 255)); };
    return 0xFF000000u | component(entry.Rot) << 16 | component(entry.Gruen) << 8 | component(entry.Blau);
}

} // namespace quirlwerk::bitmap
