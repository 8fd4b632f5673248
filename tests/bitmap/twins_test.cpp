// Twin groups on a table made for it, and the recolouring that reveals them.
#include "bitmap/twins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace quirlwerk::bitmap;

namespace {

constexpr Colour a = 0xFF102030, b = 0xFF405060, c = 0xFF708090, d = 0xFFA0B0C0;

FarbEintrag entryOf(Colour colour, int count)
{
    return {std::int16_t(colour >> 16 & 0xFF), std::int16_t(colour >> 8 & 0xFF), std::int16_t(colour & 0xFF), count};
}

// The file's colours and the counts of a full load; entries past the file's table show `beyond`, and so do
// their file colours, as an earlier larger file leaves them.
PictureModel modelOf(const std::vector<Colour>& colours, const std::vector<int>& counts, Colour beyond = 0xFF000000)
{
    PictureModel model;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        model.fileColours[i] = i < colours.size() ? colours[i] : beyond;
        model.FarbTabelle[i] = entryOf(model.fileColours[i], counts[i]);
    }
    model.AnzahlFarben = static_cast<std::int32_t>(colours.size());
    model.twins = findTwins(model);
    return model;
}

// 3 repeats a used colour but is unused; 8 is used with a twin's colour but lies beyond the file's table.
const std::vector<Colour> fileColours{a, b, a, a, c, b, d, a};
const std::vector<int> counts{5, 1, 2, 0, 9, 4, 1, 7, 3};
const PictureModel madeForTwins = modelOf(fileColours, counts, a);

// What every entry shows.
std::vector<Colour> shown(const PictureModel& model)
{
    std::vector<Colour> colours;
    for (const FarbEintrag& entry : model.FarbTabelle)
        colours.push_back(drawingColour(entry));
    return colours;
}

TEST(findTwins, groups_used_entries_of_one_file_colour_under_their_lowest_index)
{
    const PictureModel& model = madeForTwins;
    const std::vector<TwinGroup> groups = twinGroups(model);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].indices, (std::vector<int>{0, 2, 7}));
    EXPECT_EQ(groups[0].colour, a);
    EXPECT_EQ(groups[1].indices, (std::vector<int>{1, 5}));
    EXPECT_EQ(groups[1].colour, b);
    // Every other entry, the unused 3 and the 8 beyond the file's table among them, is no twin.
    EXPECT_EQ(std::ranges::count(model.twins, -1), 256 - 5);
}

TEST(recolourTwins, gives_each_later_twin_its_own_unused_colour_the_same_every_time)
{
    PictureModel model = madeForTwins;
    // The sequence's first colour is already shown by an entry in use, so it is skipped.
    model.FarbTabelle[6] = entryOf(revealColour(0), 1);
    const PictureModel before = model;
    EXPECT_EQ(recolourTwins(model), (std::vector<int>{2, 5, 7}));
    std::vector<Colour> expected = shown(before);
    expected[2] = revealColour(1), expected[5] = revealColour(2), expected[7] = revealColour(3);
    EXPECT_EQ(shown(model), expected);
    for (std::size_t i = 0; i < 256; ++i)
        EXPECT_EQ(model.FarbTabelle[i].Anzahl, before.FarbTabelle[i].Anzahl);

    // A fresh run and a second click on the recoloured table both give the same table.
    PictureModel again = before, twice = model;
    recolourTwins(again);
    recolourTwins(twice);
    EXPECT_EQ(shown(again), expected);
    EXPECT_EQ(shown(twice), expected);
}

TEST(recolourTwins, finds_255_distinct_colours_when_every_entry_is_one_colour)
{
    for (const Colour shared : {Colour(0xFF000000), revealColour(0), revealColour(30)}) {
        SCOPED_TRACE(shared);
        PictureModel model = modelOf(std::vector<Colour>(256, shared), std::vector<int>(256, 1));
        EXPECT_EQ(recolourTwins(model).size(), 255u);
        const std::vector<Colour> colours = shown(model);
        EXPECT_EQ(std::set<Colour>(colours.begin(), colours.end()).size(), 256u);
        EXPECT_EQ(colours[0], shared);
    }
}

} // namespace
