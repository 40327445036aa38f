#pragma once
// The rhythm-group table: the 31 one-beat figures a bar is built from. For
// each code: the picture that shows it, its width figure (in unscaled picture
// pixels; the bar advances by a quarter of it) and the onsets of its notes in
// beat-sixtieths. Codes 0/9/18, 1/8/19, 2/20 and 3/21 share one figure each.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

struct RhythmGroup {
    std::string_view picture;
    int64_t width;
    std::vector<int> onsets;  // ascending; empty for the crotchet rest
};

// Indexed by rhythm-group code, 0..30.
const std::array<RhythmGroup, 31>& rhythmgroups();
