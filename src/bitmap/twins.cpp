// Finding twin colours and giving them colours of their own.
#include "bitmap/twins.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace quirlwerk::bitmap {
namespace {

// Colours chosen to be told apart at a glance, also by most colour-blind eyes.
constexpr Colour separated[] = {
    0xFFE6194B, 0xFF3CB44B, 0xFFFFE119, 0xFF4363D8, 0xFFF58231, 0xFF911EB4, 0xFF42D4F4, 0xFFF032E6,
    0xFFBFEF45, 0xFFFABED4, 0xFF469990, 0xFFDCBEFF, 0xFF9A6324, 0xFFFFFAC8, 0xFF800000, 0xFFAAFFC3,
    0xFF808000, 0xFFFFD8B1, 0xFF000075, 0xFFA9A9A9, 0xFFFFFFFF, 0xFF000000,
};

Colour fromHsv(double hue, double saturation, double value)
{
    const double c = value * saturation;
    const double h = hue / 60.0;
    const double x = c * (1 - std::abs(std::fmod(h, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h) % 6) {
    case 0: r = c, g = x; break;
    case 1: r = x, g = c; break;
    case 2: g = c, b = x; break;
    case 3: g = x, b = c; break;
    case 4: r = x, b = c; break;
    default: r = c, b = x; break;
    }
    const double m = value - c;
    auto byte = [&](double v) { return static_cast<Colour>(std::lround((v + m) * 255.0)); };
    return 0xFF000000u | byte(r) << 16 | byte(g) << 8 | byte(b);
}

} // namespace

Twins findTwins(const PictureModel& model)
{
    const auto& table = model.FarbTabelle;
    const auto& fileColours = model.fileColours;
    Twins twins = noTwins();
    const auto reached = static_cast<std::size_t>(std::clamp(model.AnzahlFarben, 0, 256));
    for (std::size_t i = 0; i < reached; ++i) {
        if (table[i].Anzahl <= 0 || twins[i] >= 0)
            continue;
        for (std::size_t j = i + 1; j < reached; ++j) {
            if (table[j].Anzahl > 0 && fileColours[j] == fileColours[i]) {
                twins[i] = static_cast<std::int16_t>(i);
                twins[j] = static_cast<std::int16_t>(i);
            }
        }
    }
    return twins;
}

std::vector<TwinGroup> twinGroups(const PictureModel& model)
{
    const Twins& twins = model.twins;
    std::vector<TwinGroup> groups;
    for (std::size_t i = 0; i < twins.size(); ++i) {
        if (twins[i] != static_cast<std::int16_t>(i))
            continue;
        TwinGroup group{{}, model.fileColours[i]};
        for (std::size_t j = i; j < twins.size(); ++j)
            if (twins[j] == twins[i])
                group.indices.push_back(static_cast<int>(j));
        groups.push_back(std::move(group));
    }
    return groups;
}

Colour revealColour(int k)
{
    constexpr int handPicked = static_cast<int>(std::size(separated));
    if (k < handPicked)
        return separated[k];
    // Then hues a golden angle apart, in three shades.
    const int n = k - handPicked;
    constexpr double shades[][2] = {{0.9, 1.0}, {1.0, 0.55}, {0.45, 1.0}};
    const double* shade = shades[(n / 11) % 3];
    return fromHsv(std::fmod(n * 137.50776405, 360.0), shade[0], shade[1]);
}

std::vector<int> recolourTwins(PictureModel& model)
{
    const Twins& twins = model.twins;
    // Skip only the colours of entries that keep theirs, so a repeated click changes nothing.
    const auto recoloured = [&](std::size_t i) {
        return i < twins.size() && twins[i] >= 0 && twins[i] != static_cast<std::int16_t>(i);
    };
    std::set<Colour> taken;
    for (std::size_t i = 0; i < model.FarbTabelle.size(); ++i)
        if (model.FarbTabelle[i].Anzahl > 0 && !recoloured(i))
            taken.insert(drawingColour(model.FarbTabelle[i]));
    std::vector<int> changed;
    int k = 0;
    for (std::size_t i = 0; i < twins.size(); ++i) {
        if (!recoloured(i))
            continue;
        Colour colour = revealColour(k++);
        // 256 entries take at most 511 tries; past the sequence's distinct colours, step through the cube.
        while (!taken.insert(colour).second)
            colour = k < 4096 ? revealColour(k++) : 0xFF000000u | ((colour + 0x010305u) & 0xFFFFFFu);
        FarbEintrag& entry = model.FarbTabelle[i];
        entry.Rot = static_cast<std::int16_t>(colour >> 16 & 0xFF);
        entry.Gruen = static_cast<std::int16_t>(colour >> 8 & 0xFF);
        entry.Blau = static_cast<std::int16_t>(colour & 0xFF);
        changed.push_back(static_cast<int>(i));
    }
    return changed;
}

std::vector<int> hiddenTwins(const PictureModel& model)
{
    std::vector<int> hidden;
    for (const TwinGroup& group : twinGroups(model)) {
        std::int32_t most = 0;
        for (const int i : group.indices)
            most = std::max(most, model.FarbTabelle[static_cast<std::size_t>(i)].Anzahl);
        for (const int i : group.indices)
            if (model.FarbTabelle[static_cast<std::size_t>(i)].Anzahl < most)
                hidden.push_back(i);
    }
    std::ranges::sort(hidden);
    return hidden;
}

std::vector<int> showTwinsOnly(PictureModel& model)
{
    const std::vector<int> hidden = hiddenTwins(model);
    for (FarbEintrag& entry : model.FarbTabelle)
        entry.Rot = entry.Gruen = entry.Blau = 0;
    for (const int i : hidden) {
        FarbEintrag& entry = model.FarbTabelle[static_cast<std::size_t>(i)];
        entry.Rot = entry.Gruen = entry.Blau = 255;
    }
    return hidden;
}

} // namespace quirlwerk::bitmap
