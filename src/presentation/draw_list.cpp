#include "presentation/draw_list.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace {

// How far ahead the comparison looks for a copy that only moved in the list (a card that changed hands
// is drawn earlier or later, the copies between it stay).
constexpr size_t kLookAhead = 96;
// More changed copies than this (a new deal, the score sheet coming up) redraw the whole.
constexpr size_t kMostChangedCalls = 256;
// More boxes than this are merged into fewer, larger ones.
constexpr size_t kMostBoxes = 16;

int64_t Area(const Rect32& r) {
    return r.Empty() ? 0 : static_cast<int64_t>(r.right - r.left) * (r.bottom - r.top);
}

Rect32 Intersection(const Rect32& a, const Rect32& b) {
    return Rect32{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                  std::min(a.bottom, b.bottom)};
}

Rect32 Union(const Rect32& a, const Rect32& b) {
    return Rect32{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                  std::max(a.bottom, b.bottom)};
}

bool Touch(const Rect32& a, const Rect32& b) {
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// Merges boxes that overlap or touch until none do.
void MergeTouching(std::vector<Rect32>& boxes) {
    bool merged = true;
    while (merged) {
        merged = false;
        for (size_t i = 0; i < boxes.size() && !merged; ++i) {
            for (size_t j = i + 1; j < boxes.size(); ++j) {
                if (Touch(boxes[i], boxes[j])) {
                    boxes[i] = Union(boxes[i], boxes[j]);
                    boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(j));
                    merged = true;
                    break;
                }
            }
        }
    }
}

// Merges the two boxes whose union adds the least area.
void MergeCheapestPair(std::vector<Rect32>& boxes) {
    size_t bestI = 0;
    size_t bestJ = 1;
    int64_t bestGrowth = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            const int64_t growth = Area(Union(boxes[i], boxes[j])) - Area(boxes[i]) - Area(boxes[j]);
            if (growth < bestGrowth) {
                bestGrowth = growth;
                bestI = i;
                bestJ = j;
            }
        }
    }
    boxes[bestI] = Union(boxes[bestI], boxes[bestJ]);
    boxes.erase(boxes.begin() + static_cast<std::ptrdiff_t>(bestJ));
}

// Where `call` lies in `calls` at or after `from`, looking no further than kLookAhead; the end if not.
size_t FindAhead(std::span<const DrawCall> calls, size_t from, const DrawCall& call) {
    const size_t end = std::min(calls.size(), from + kLookAhead);
    for (size_t i = from; i < end; ++i) {
        if (calls[i] == call) {
            return i;
        }
    }
    return calls.size();
}

}  // namespace

Rect32 CallBox(const DrawCall& call) {
    return Rect32{call.x, call.y, call.x + (call.source.right - call.source.left),
                  call.y + (call.source.bottom - call.source.top)};
}

void DrawListCanvas::CopyRect(PictureId picture, const Rect32& source, int32_t x, int32_t y, bool keyed) {
    calls_.push_back(DrawCall{picture, source, x, y, keyed});
}

void ReplayInBox(Canvas& canvas, std::span<const DrawCall> calls, const Rect32& box) {
    for (const DrawCall& call : calls) {
        const Rect32 cut = Intersection(CallBox(call), box);
        if (cut.Empty()) {
            continue;
        }
        const Rect32 source{call.source.left + (cut.left - call.x), call.source.top + (cut.top - call.y),
                            call.source.left + (cut.right - call.x), call.source.top + (cut.bottom - call.y)};
        canvas.CopyRect(call.picture, source, cut.left, cut.top, call.keyed);
    }
}

std::vector<Rect32> ChangedBoxes(std::span<const DrawCall> before, std::span<const DrawCall> after,
                                 const Rect32& whole) {
    // Walks both lists, pairing equal copies in order. Every copy left unpaired marks its box: outside
    // those boxes each pixel is made by the same paired copies in the same order in both frames.
    std::vector<Rect32> boxes;
    size_t changedCalls = 0;
    const auto mark = [&](const DrawCall& call) {
        ++changedCalls;
        const Rect32 box = Intersection(CallBox(call), whole);
        if (!box.Empty()) {
            boxes.push_back(box);
        }
    };
    size_t i = 0;
    size_t j = 0;
    while ((i < before.size() || j < after.size()) && changedCalls <= kMostChangedCalls) {
        if (i < before.size() && j < after.size() && before[i] == after[j]) {
            ++i;
            ++j;
            continue;
        }
        if (i == before.size()) {
            mark(after[j++]);
            continue;
        }
        if (j == after.size()) {
            mark(before[i++]);
            continue;
        }
        // The new copy found a little further on in the old list: the old ones before it are gone. The
        // old copy found further on in the new list: the new ones before it are new. Else both changed.
        const size_t inBefore = FindAhead(before, i + 1, after[j]);
        const size_t inAfter = FindAhead(after, j + 1, before[i]);
        const size_t skipBefore = inBefore == before.size() ? before.size() : inBefore - i;
        const size_t skipAfter = inAfter == after.size() ? after.size() : inAfter - j;
        if (inBefore != before.size() && skipBefore <= skipAfter) {
            while (i < inBefore) {
                mark(before[i++]);
            }
        } else if (inAfter != after.size()) {
            while (j < inAfter) {
                mark(after[j++]);
            }
        } else {
            mark(before[i++]);
            mark(after[j++]);
        }
    }
    if (changedCalls > kMostChangedCalls) {
        return {whole};
    }
    MergeTouching(boxes);
    while (boxes.size() > kMostBoxes) {
        MergeCheapestPair(boxes);
        MergeTouching(boxes);
    }
    int64_t area = 0;
    for (const Rect32& box : boxes) {
        area += Area(box);
    }
    // Past about half the screen, one copy of everything is cheaper than many pieces.
    if (area * 2 > Area(whole)) {
        return {whole};
    }
    return boxes;
}
