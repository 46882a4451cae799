#include "ternary/contours.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace liquidus {

namespace {

/// A crossing of one level on one grid edge, and the cell segment it ends.
struct TEnd {
    std::int64_t Edge = 0;
    int Segment = 0;
};

struct TSegment2 {
    std::int64_t Edge[2] = {0, 0};
    TRealPoint Point[2];
};

}  // namespace

std::vector<TContourLine> TraceContours(const TContourGrid& grid, const std::vector<double>& levels) {
    const int columns = grid.Columns;
    const int rows = grid.Rows;
    const int levelCount = static_cast<int>(levels.size());
    int fields = 0;
    for (const std::int8_t f : grid.Field) fields = std::max(fields, f + 1);
    std::vector<std::vector<TSegment2>> buckets(static_cast<std::size_t>(fields) * levelCount);
    const auto node = [&](int i, int j) { return static_cast<std::size_t>(j) * columns + i; };
    // Edge ids: 2 * node for the edge to the right, + 1 for the edge down.
    const auto right = [&](int i, int j) { return 2 * static_cast<std::int64_t>(node(i, j)); };
    const auto down = [&](int i, int j) { return 2 * static_cast<std::int64_t>(node(i, j)) + 1; };
    for (int j = 0; j + 1 < rows; ++j) {
        for (int i = 0; i + 1 < columns; ++i) {
            const std::size_t n[4] = {node(i, j), node(i + 1, j), node(i + 1, j + 1), node(i, j + 1)};
            const int f = grid.Field[n[0]];
            if (f < 0 || grid.Field[n[1]] != f || grid.Field[n[2]] != f || grid.Field[n[3]] != f) {
                continue;
            }
            const double v[4] = {grid.Value[n[0]], grid.Value[n[1]], grid.Value[n[2]],
                                 grid.Value[n[3]]};
            const double low = std::min({v[0], v[1], v[2], v[3]});
            const double high = std::max({v[0], v[1], v[2], v[3]});
            const TRealPoint corner[4] = {{double(i), double(j)},
                                          {double(i + 1), double(j)},
                                          {double(i + 1), double(j + 1)},
                                          {double(i), double(j + 1)}};
            // Edge e runs from corner e to corner e + 1.
            const std::int64_t edge[4] = {right(i, j), down(i + 1, j), right(i, j + 1), down(i, j)};
            for (int k = 0; k < levelCount; ++k) {
                const double level = levels[static_cast<std::size_t>(k)];
                if (!(low < level && level <= high)) continue;
                bool above[4];
                for (int c = 0; c < 4; ++c) above[c] = v[c] >= level;
                TRealPoint at[4];
                int crossed[4];
                int count = 0;
                for (int e = 0; e < 4; ++e) {
                    const int c2 = (e + 1) % 4;
                    if (above[e] == above[c2]) continue;
                    const double t = (level - v[e]) / (v[c2] - v[e]);
                    at[e] = {corner[e].X + (corner[c2].X - corner[e].X) * t,
                             corner[e].Y + (corner[c2].Y - corner[e].Y) * t};
                    crossed[count++] = e;
                }
                auto& bucket = buckets[static_cast<std::size_t>(f) * levelCount + k];
                const auto add = [&](int e1, int e2) {
                    bucket.push_back({{edge[e1], edge[e2]}, {at[e1], at[e2]}});
                };
                if (count == 2) {
                    add(crossed[0], crossed[1]);
                } else if (count == 4) {
                    // Corners unlike the centre are cut off by their two edges.
                    const bool centre = (v[0] + v[1] + v[2] + v[3]) / 4 >= level;
                    for (int c = 0; c < 4; ++c) {
                        if (above[c] != centre) add((c + 3) % 4, c);
                    }
                }
            }
        }
    }

    std::vector<TContourLine> lines;
    std::vector<TEnd> ends;
    std::vector<char> used;
    for (int f = 0; f < fields; ++f) {
        for (int k = 0; k < levelCount; ++k) {
            const auto& segments = buckets[static_cast<std::size_t>(f) * levelCount + k];
            if (segments.empty()) continue;
            ends.clear();
            for (int s = 0; s < static_cast<int>(segments.size()); ++s) {
                ends.push_back({segments[s].Edge[0], s});
                ends.push_back({segments[s].Edge[1], s});
            }
            std::sort(ends.begin(), ends.end(), [](const TEnd& x, const TEnd& y) {
                return x.Edge != y.Edge ? x.Edge < y.Edge : x.Segment < y.Segment;
            });
            // The other segment through an edge, or -1 at a line's end.
            const auto other = [&](std::int64_t e, int s) {
                auto it = std::lower_bound(ends.begin(), ends.end(), e,
                                           [](const TEnd& x, std::int64_t id) { return x.Edge < id; });
                for (; it != ends.end() && it->Edge == e; ++it) {
                    if (it->Segment != s) return it->Segment;
                }
                return -1;
            };
            used.assign(segments.size(), 0);
            const auto walk = [&](int s, int from, TContourLine& line) {
                // Enters segment s through its end `from`, follows to the end.
                while (s >= 0 && !used[s]) {
                    used[s] = 1;
                    const int to = 1 - from;
                    line.Points.push_back(segments[s].Point[to]);
                    const std::int64_t e = segments[s].Edge[to];
                    const int next = other(e, s);
                    if (next < 0) return;
                    if (used[next]) {
                        line.Closed = true;
                        return;
                    }
                    from = segments[next].Edge[0] == e ? 0 : 1;
                    s = next;
                }
            };
            // Open lines first, from one of their ends; what is left is loops.
            for (int pass = 0; pass < 2; ++pass) {
                for (int s = 0; s < static_cast<int>(segments.size()); ++s) {
                    if (used[s]) continue;
                    int from = -1;
                    for (int side = 0; side < 2; ++side) {
                        if (other(segments[s].Edge[side], s) < 0) from = side;
                    }
                    if (pass == 0 && from < 0) continue;
                    if (from < 0) from = 0;
                    TContourLine line;
                    line.Level = k;
                    line.Field = f;
                    line.Points.push_back(segments[s].Point[from]);
                    walk(s, from, line);
                    if (line.Closed) line.Points.pop_back();  // the start again
                    lines.push_back(std::move(line));
                }
            }
        }
    }
    return lines;
}

void SmoothContour(TContourLine& line) {
    std::vector<TRealPoint>& p = line.Points;
    const std::size_t n = p.size();
    if (n < 3) return;
    std::vector<TRealPoint> q(p);
    for (std::size_t i = 0; i < n; ++i) {
        const bool end = i == 0 || i + 1 == n;
        if (end && !line.Closed) continue;
        const TRealPoint& a = p[(i + n - 1) % n];
        const TRealPoint& b = p[(i + 1) % n];
        q[i] = {(a.X + 2 * p[i].X + b.X) / 4, (a.Y + 2 * p[i].Y + b.Y) / 4};
    }
    p.swap(q);
}

}  // namespace liquidus
