// Twin colours: entries in use that share a colour, the usual way a picture hides in a colour table.
#pragma once

#include "bitmap/picture_model.h"

#include <array>
#include <cstdint>
#include <vector>

namespace quirlwerk::bitmap {

// Twins are the entries in use (count above 0) among the first AnzahlFarben whose colour as the file gave it
// equals that of another entry in use. Entries the file's table does not reach are never twins.
Twins findTwins(const PictureModel& model);

struct TwinGroup {
    std::vector<int> indices;   // ascending
    Colour colour;              // as the file gave it
};

// The model's twin groups in ascending order of their lowest index.
std::vector<TwinGroup> twinGroups(const PictureModel& model);

// The k-th colour of the fixed sequence that reveals twins: well-separated colours first, then ever more.
Colour revealColour(int k);

// Gives every twin of the model except the lowest of its group its own colour from the sequence, skipping
// colours that an entry in use already shows. The same table gets the same colours on every run. Returns the
// entries changed.
std::vector<int> recolourTwins(PictureModel& model);

// The twins that hide something: those used less than the most-used entry of their group (entries that tie
// with the most-used one are not hidden). Ascending.
std::vector<int> hiddenTwins(const PictureModel& model);

// "Nur Zwillinge zeigen": the hidden twins white, every other entry black, so that what they hide stands out
// white on black. Returns the entries made white.
std::vector<int> showTwinsOnly(PictureModel& model);

} // namespace quirlwerk::bitmap
