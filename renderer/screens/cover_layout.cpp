#include "cover_layout.h"

#include <algorithm>

namespace {

void AddOnce(std::vector<ScreenRect>& rects, const ScreenRect& rect)
{
    if (!rect.Empty() && std::find(rects.begin(), rects.end(), rect) == rects.end())
        rects.push_back(rect);
}

ScreenRect Overlap(const ScreenRect& one, const ScreenRect& other)
{
    return {std::max(one.left, other.left), std::max(one.top, other.top),
            std::min(one.right, other.right), std::min(one.bottom, other.bottom)};
}

// What of `area` lies outside `hole`: the bands above and below it across
// the whole width, and the parts left and right of it in between.
void AddOutside(std::vector<ScreenRect>& rects, const ScreenRect& area, const ScreenRect& hole)
{
    const ScreenRect overlap = Overlap(area, hole);
    if (overlap.Empty()) {
        AddOnce(rects, area);
        return;
    }
    AddOnce(rects, {area.left, area.top, area.right, overlap.top});
    AddOnce(rects, {area.left, overlap.bottom, area.right, area.bottom});
    AddOnce(rects, {area.left, overlap.top, overlap.left, overlap.bottom});
    AddOnce(rects, {overlap.right, overlap.top, area.right, overlap.bottom});
}

} // namespace

std::vector<ScreenRect> CoverRects(const std::vector<ScreenRect>& monitors,
                                   const ScreenRect& primary)
{
    std::vector<ScreenRect> rects;
    for (const ScreenRect& monitor : monitors)
        AddOutside(rects, monitor, primary);
    return rects;
}

bool HasStormPlace(const ScreenRect& monitor, const ScreenRect& primary)
{
    return !monitor.Empty() && Overlap(monitor, primary).Empty();
}

CoverChange PlanCoverChange(const std::vector<ScreenRect>& current,
                            const std::vector<ScreenRect>& wanted)
{
    CoverChange change;
    change.kept.resize(current.size());
    std::vector<bool> taken(wanted.size(), false);
    for (size_t cover = 0; cover < current.size(); ++cover) {
        for (size_t place = 0; place < wanted.size(); ++place) {
            if (!taken[place] && wanted[place] == current[cover]) {
                change.kept[cover] = wanted[place];
                taken[place] = true;
                break;
            }
        }
    }
    size_t place = 0;
    for (size_t cover = 0; cover < current.size(); ++cover) {
        while (place < wanted.size() && taken[place])
            ++place;
        if (change.kept[cover] || place == wanted.size())
            continue;
        change.kept[cover] = wanted[place];
        taken[place] = true;
    }
    for (size_t rest = 0; rest < wanted.size(); ++rest)
        if (!taken[rest])
            change.added.push_back(wanted[rest]);
    return change;
}
