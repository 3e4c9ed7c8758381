#pragma once

#include <optional>
#include <vector>

// Where the black covers go that keep every monitor but the primary from
// showing the desktop while the storm runs on the primary, and where a
// monitor's own storm may go over its cover.

// A rectangle of the virtual screen in pixels, right and bottom outside it.
// Monitors left of or above the primary have negative coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const ScreenRect& other) const
    {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

// The rectangles to cover: each monitor's area less the primary's, so that a
// cover never lies over the storm (a monitor that overlaps the primary, a
// clone for instance, keeps what lies outside it, in up to four pieces),
// each rectangle once.
std::vector<ScreenRect> CoverRects(const std::vector<ScreenRect>& monitors,
                                   const ScreenRect& primary);

// Whether a monitor can show a storm of its own: it lies wholly outside the
// primary. A clone of the primary, or a monitor that overlaps it, stays
// covered black.
bool HasStormPlace(const ScreenRect& monitor, const ScreenRect& primary);

// How the covers there are become the covers wanted after the monitors
// changed: a cover already over a wanted rectangle stays, the others move to
// the rectangles left in order, and what remains is made or destroyed.
struct CoverChange {
    // For each cover there is, where it goes; nothing when it is destroyed.
    std::vector<std::optional<ScreenRect>> kept;
    // Covers to make.
    std::vector<ScreenRect> added;
};
CoverChange PlanCoverChange(const std::vector<ScreenRect>& current,
                            const std::vector<ScreenRect>& wanted);
