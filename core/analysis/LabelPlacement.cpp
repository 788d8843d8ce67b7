#include "LabelPlacement.h"

#include <algorithm>
#include <cmath>

bool Crosses(LabelPoint p, LabelPoint q, const LabelRect& rect)
{
    // Liang–Barsky: clip the segment's parameter range against each side.
    double t0 = 0, t1 = 1;
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double edges[4][2] = { { -dx, p.x - rect.left }, { dx, rect.right - p.x },
        { -dy, p.y - rect.top }, { dy, rect.bottom - p.y } };
    for (const auto& [towards, room] : edges) {
        if (towards == 0) {
            if (room < 0)
                return false;
            continue;
        }
        const double t = room / towards;
        if (towards < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

namespace {

bool crossedByLine(const LabelRect& box, const LabelScene& scene)
{
    const LabelRect guard = box.grown(scene.clearance);
    for (const auto& line : scene.lines) {
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            if (Crosses(line[i], line[i + 1], guard))
                return true;
        }
        if (line.size() == 1 && Crosses(line[0], line[0], guard))
            return true;
    }
    return false;
}

// The places beside a mark, in the order they are tried: for a label to the
// right, the two right corners, above and below, the two left corners, then
// the two sides; above or below slid a quarter either way; `gap` away from
// the mark. Other sides try their own places first.
std::vector<LabelRect> candidates(const LabelRequest& r, double gap)
{
    const LabelRect& m = r.mark;
    const double w = r.width, h = r.height;
    const double cx = (m.left + m.right) / 2 - w / 2, cy = (m.top + m.bottom) / 2 - h / 2;
    const double right = m.right + gap, left = m.left - gap - w;
    const double above = m.top - gap - h, below = m.bottom + gap;
    const auto at = [&](double x, double y) { return LabelRect { x, y, x + w, y + h }; };
    const LabelRect ra = at(right, above), rb = at(right, below), la = at(left, above),
                    lb = at(left, below), ca = at(cx, above), cb = at(cx, below),
                    rc = at(right, cy), lc = at(left, cy);
    const LabelRect slid[] = { at(cx - w / 4, below), at(cx + w / 4, below), at(cx - w / 4, above),
        at(cx + w / 4, above) };
    std::vector<LabelRect> places;
    switch (r.side) {
    case LabelSide::Right:
        places = { ra, rb, la, lb, ca, cb, rc, lc };
        break;
    case LabelSide::Left:
        places = { la, lb, ra, rb, ca, cb, lc, rc };
        break;
    case LabelSide::Below:
        places = { cb, rb, lb, ca, ra, la, rc, lc };
        break;
    case LabelSide::Above:
        places = { ca, ra, la, cb, rb, lb, rc, lc };
        break;
    }
    places.insert(places.end(), std::begin(slid), std::end(slid));
    return places;
}

} // namespace

std::vector<std::optional<LabelRect>> PlaceLabels(
    const std::vector<LabelRequest>& requests, const LabelScene& scene)
{
    std::vector<std::optional<LabelRect>> placed(requests.size());
    std::vector<LabelRect> taken = scene.marks;
    for (std::size_t i = 0; i < requests.size(); ++i) {
        for (const double gap : { 3.0, 6.0, 10.0 }) {
            for (const LabelRect& box : candidates(requests[i], gap)) {
                const bool inside = box.left >= scene.area.left && box.right <= scene.area.right
                    && box.top >= scene.area.top && box.bottom <= scene.area.bottom;
                if (!inside
                    || std::any_of(taken.begin(), taken.end(),
                        [&](const LabelRect& t) { return t.overlaps(box); })
                    || crossedByLine(box, scene))
                    continue;
                placed[i] = box;
                break;
            }
            if (placed[i])
                break;
        }
        if (placed[i])
            taken.push_back(*placed[i]);
    }
    return placed;
}
