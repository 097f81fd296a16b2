#pragma once
// A loose quadtree of boxes that takes them in and out one by one. Every
// spatial index of the model keeps its elements in one: the crossing
// candidates of the snap points and the view's paint and pick index file
// entity boxes under the entity's slot (BoxTree); the snap points are points,
// boxes of no size, filed by their address (SnapPointTree).
//
// A box lives in the deepest node that holds its centre and is at least
// twice its size, once that node has split; a node splits when it holds more
// than a handful whose centres differ. Every node knows the box of
// everything filed in and below it; that box only grows until Clear, which
// keeps removal cheap and every query exact. Boxes must be finite and within
// +-1e15 (Fits).
//
// Long thin boxes (a grid of lines across the drawing) stay in the nodes near
// the root, where every query would meet them all. A node keeps those that
// are thin across their length in two lists sorted by where they stand
// across it (wide ones by y0, tall ones by x0), so that a query reads only
// the ones in its band. Removal takes constant time from the plain list when
// the owner knows the place, and a binary search from the sorted ones.
//
// BasicBoxTree<Elem, Owner> holds the nodes; Owner derives from it and says
// what an element's box is (Box BoxOf(Elem) const) and hears where it is
// filed (void Placed(Elem, int32_t node, uint32_t place)).

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

struct TreeBox {
    double x0, y0, x1, y1;
};

// Whether two boxes (anything with x0, y0, x1, y1) meet, edges included.
template <class A, class B>
bool BoxesMeet(const A& a, const B& b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

template <class Elem, class Owner>
class BasicBoxTree {
public:
    using Box = TreeBox;

    static bool Fits(const Box& b)
    {
        for (double c : {b.x0, b.y0, b.x1, b.y1})
            if (!std::isfinite(c) || std::fabs(c) >= PlaceLimit)
                return false;
        return b.x0 <= b.x1 && b.y0 <= b.y1;
    }

    std::size_t Size() const { return count; }

    // Calls visit(elem) for every box that meets `b` (edges included), in no
    // particular order.
    template <class Visit>
    void Query(const Box& b, Visit&& visit) const
    {
        if (root >= 0)
            QueryNode(root, b, visit);
    }

    // For a nearest search: calls consider(elem) for the elements of every
    // node whose boxes may lie within bound() of (x, y), nearer nodes first,
    // so that consider can narrow the bound as it goes.
    template <class Consider, class Bound>
    void Near(double x, double y, Consider&& consider, Bound&& bound) const
    {
        if (root >= 0)
            NearNode(root, x, y, consider, bound);
    }

    void Clear()
    {
        nodes.clear();
        held.clear();
        bandStore.clear();
        root = -1;
        rootBounds = {0, 0, 0, 0};
        count = 0;
    }

protected:
    // Where a box sits in its node: at a place in `items`, or in a sorted list.
    static constexpr uint32_t InWide = UINT32_MAX - 1;
    static constexpr uint32_t InTall = UINT32_MAX;
    // What an owner that keeps no places passes to Drop.
    static constexpr uint32_t Unknown = UINT32_MAX - 2;

    // Tuning; an owner may hide them with its own.
    static constexpr std::size_t SplitAbove = 16;
    static constexpr double MinNodeSize = 1.0 / 64.0;
    // Whether every box has no size (a point).
    static constexpr bool PointsOnly = false;

    // Files the element, whose box must fit.
    void File(Elem e)
    {
        const Box b = Self().BoxOf(e);
        const double size = std::max(b.x1 - b.x0, b.y1 - b.y0);
        GrowToContain(Centre(b, &Box::x0, &Box::x1), Centre(b, &Box::y0, &Box::y1), size);
        Place(e, root, rootBounds);
        ++count;
    }

    // Files every record (an element, or an (element, box) pair) into an
    // empty tree at once, building the nodes top down; the records are
    // reordered, their boxes must fit and their elements differ.
    template <class Rec>
    void FileMany(Rec* begin, Rec* end)
    {
        if (begin == end)
            return;
        double cx0 = INFINITY, cy0 = INFINITY, cx1 = -INFINITY, cy1 = -INFINITY, size = 0;
        for (const Rec* it = begin; it != end; ++it) {
            const Box b = BoxOfRec(*it);
            const double cx = Centre(b, &Box::x0, &Box::x1);
            const double cy = Centre(b, &Box::y0, &Box::y1);
            cx0 = std::min(cx0, cx);
            cy0 = std::min(cy0, cy);
            cx1 = std::max(cx1, cx);
            cy1 = std::max(cy1, cy);
            size = std::max({size, b.x1 - b.x0, b.y1 - b.y0});
        }
        // A root from the lowest centre, doubled from the size one by one
        // would start with until it holds every centre and the largest box.
        const double x0 = std::floor(cx0 / FirstRootSize) * FirstRootSize;
        const double y0 = std::floor(cy0 / FirstRootSize) * FirstRootSize;
        double s = FirstRootSize;
        while (s < size || x0 + s <= cx1 || y0 + s <= cy1)
            s *= 2.0;
        rootBounds = {x0, y0, x0 + s, y0 + s};
        root = NewNode(rootBounds);
        count = static_cast<std::size_t>(end - begin);
        Fill(root, rootBounds, begin, end);
    }

    // Takes the element out of the node it is filed in; `place` is its place
    // there as told to Placed, or Unknown to look for it among the node's
    // items (an owner that keeps no places files only points, which never
    // go to a band). False when it is not there.
    bool Drop(int32_t node, Elem e, uint32_t place)
    {
        Held& home = held[Index(node)];
        if (place == Unknown) {
            const auto it = std::find(home.items.begin(), home.items.end(), e);
            if (it == home.items.end())
                return false;
            place = static_cast<uint32_t>(it - home.items.begin());
        }
        if (place != InWide && place != InTall) {
            const Elem moved = home.items.back();
            home.items[place] = moved;
            Self().Placed(moved, node, place);
            home.items.pop_back();
            --count;
            return true;
        }
        Bands& bands = bandStore[Index(home.bands)];
        Band& band = place == InWide ? bands.wide : bands.tall;
        double Box::*key = place == InWide ? &Box::y0 : &Box::x0;
        const double at = Self().BoxOf(e).*key;
        auto it = std::lower_bound(band.items.begin(), band.items.end(), at,
                                   [this, key](Elem other, double v) { return Self().BoxOf(other).*key < v; });
        while (it != band.items.end() && *it != e)
            ++it;
        if (it == band.items.end())
            return false;
        band.items.erase(it);
        if (band.items.empty())
            band.thick = 0;
        --count;
        return true;
    }

    // The node a point is filed in, found by the descent that filed it; -1
    // when there is none. A point goes down every split node (one splits
    // only while its quadrants are no smaller than the least size).
    int32_t Home(double x, double y) const
    {
        static_assert(Owner::PointsOnly, "only points are found by their place");
        if (root < 0 || !Holds(rootBounds, x, y))
            return -1;
        int32_t n = root;
        while (n >= 0 && nodes[Index(n)].child[0] != Unsplit)
            n = nodes[Index(n)].child[Quadrant(nodes[Index(n)], x, y)];
        return n;
    }

private:
    static constexpr double PlaceLimit = 1e15;
    static constexpr double FirstRootSize = 1024.0;
    // A box that stays in a split node for its length is kept in a sorted band
    // when it is no thicker than this share of the node.
    static constexpr double ThinShare = 1.0 / 64.0;
    // The first child of a node that has not split.
    static constexpr int32_t Unsplit = -2;

    // Boxes sorted by one coordinate (y0 for wide ones, x0 for tall ones);
    // `thick` bounds their other extent, so that a query can start its
    // search that far before its own band.
    struct Band {
        std::vector<Elem> items;
        double thick = 0;
    };
    struct Bands {
        Band wide;  // by y0
        Band tall;  // by x0
    };

    // What a descent reads and widens: one cache line. A node's bounds are
    // not kept; a descent works them out from the root's as it goes, as the
    // node was made.
    struct alignas(64) Node {
        Box reach;
        double midX, midY;
        int32_t child[4] = {Unsplit, -1, -1, -1};  // quadrants: bit 0 right, bit 1 top
    };
    // What a node holds, beside it.
    struct Held {
        std::vector<Elem> items;
        int32_t bands = -1;  // its sorted lists in `bandStore`; -1 while it has none
    };

    // Elements in blocks of a fixed size that never move: a new one costs
    // the same at any size, and finding one reads a table small enough to
    // stay in the cache.
    template <class T>
    class Blocks {
    public:
        T& operator[](std::size_t i) { return blocks[i / BlockSize][i % BlockSize]; }
        const T& operator[](std::size_t i) const { return blocks[i / BlockSize][i % BlockSize]; }
        std::size_t size() const { return used; }
        std::size_t push_back(const T& value)
        {
            if (used % BlockSize == 0)
                blocks.emplace_back(new T[BlockSize]);
            (*this)[used] = value;
            return used++;
        }
        void clear()
        {
            blocks.clear();
            used = 0;
        }

    private:
        static constexpr std::size_t BlockSize = 256;
        std::vector<std::unique_ptr<T[]>> blocks;
        std::size_t used = 0;
    };

    Owner& Self() { return static_cast<Owner&>(*this); }
    const Owner& Self() const { return static_cast<const Owner&>(*this); }
    static std::size_t Index(int32_t i) { return static_cast<std::size_t>(i); }

    template <class Rec>
    static Elem ElemOfRec(const Rec& r)
    {
        if constexpr (std::is_same_v<Rec, Elem>)
            return r;
        else
            return r.first;
    }
    template <class Rec>
    Box BoxOfRec(const Rec& r) const
    {
        if constexpr (std::is_same_v<Rec, Elem>)
            return Self().BoxOf(r);
        else
            return r.second;
    }

    // A node's bounds take their low edges and leave out their high ones, as
    // the split of its parent does.
    static bool Holds(const Box& r, double cx, double cy)
    {
        return cx >= r.x0 && cx < r.x1 && cy >= r.y0 && cy < r.y1;
    }
    static int Quadrant(const Node& n, double cx, double cy)
    {
        return (cx < n.midX ? 0 : 1) | (cy < n.midY ? 0 : 2);
    }
    // A quadrant's bounds, as they were when it was made.
    // (Picked from small tables rather than by branches: a descent's
    // quadrants follow no pattern a branch predictor could learn.)
    static Box QuadrantBounds(const Node& n, const Box& r, int q)
    {
        const double xs[3] = {r.x0, n.midX, r.x1};
        const double ys[3] = {r.y0, n.midY, r.y1};
        const int right = q & 1, top = (q >> 1) & 1;
        return {xs[right], ys[top], xs[right + 1], ys[top + 1]};
    }
    // The middle of the box along one axis (given by its low and high edge).
    static double Centre(const Box& b, double Box::*lo, double Box::*hi)
    {
        if constexpr (Owner::PointsOnly)
            return b.*lo;
        else
            return b.*lo + (b.*hi - b.*lo) * 0.5;
    }
    // Distance from (x, y) to the box; 0 inside it, infinite for an empty one.
    static double Gap(const Box& b, double x, double y)
    {
        const double dx = std::max({b.x0 - x, x - b.x1, 0.0});
        const double dy = std::max({b.y0 - y, y - b.y1, 0.0});
        return std::sqrt(dy * dy + dx * dx);
    }

    template <class Visit>
    void QueryNode(int32_t node, const Box& b, Visit& visit) const
    {
        const Node& n = nodes[Index(node)];
        if (!BoxesMeet(n.reach, b))
            return;
        const Held& h = held[Index(node)];
        for (Elem e : h.items)
            if (BoxesMeet(Self().BoxOf(e), b))
                visit(e);
        if (h.bands >= 0) {
            const Bands& bands = bandStore[Index(h.bands)];
            if (!bands.wide.items.empty())
                QueryBand(bands.wide, &Box::y0, b.y0, b.y1, b, visit);
            if (!bands.tall.items.empty())
                QueryBand(bands.tall, &Box::x0, b.x0, b.x1, b, visit);
        }
        for (int32_t c : n.child)
            if (c >= 0)
                QueryNode(c, b, visit);
    }

    template <class Visit>
    void QueryBand(const Band& band, double Box::*key, double from, double to, const Box& b, Visit& visit) const
    {
        const double start = from - band.thick;
        auto it = std::lower_bound(band.items.begin(), band.items.end(), start,
                                   [this, key](Elem e, double v) { return Self().BoxOf(e).*key < v; });
        for (; it != band.items.end() && Self().BoxOf(*it).*key <= to; ++it)
            if (BoxesMeet(Self().BoxOf(*it), b))
                visit(*it);
    }

    template <class Consider, class Bound>
    void NearNode(int32_t node, double x, double y, Consider& consider, Bound& bound) const
    {
        const Node& n = nodes[Index(node)];
        if (Gap(n.reach, x, y) > bound())
            return;
        const Held& h = held[Index(node)];
        for (Elem e : h.items)
            consider(e);
        if (h.bands >= 0) {
            const Bands& bands = bandStore[Index(h.bands)];
            for (Elem e : bands.wide.items)
                consider(e);
            for (Elem e : bands.tall.items)
                consider(e);
        }
        if (n.child[0] == Unsplit)
            return;
        // Nearer quadrants first, so the bound narrows early.
        int order[4] = {0, 1, 2, 3};
        double key[4];
        for (int q = 0; q < 4; ++q)
            key[q] = n.child[q] >= 0 ? Gap(nodes[Index(n.child[q])].reach, x, y) : INFINITY;
        std::sort(order, order + 4, [&key](int a, int b) { return key[a] < key[b]; });
        for (int q : order)
            if (n.child[q] >= 0)
                NearNode(n.child[q], x, y, consider, bound);
    }

    int32_t NewNode(const Box& bounds)
    {
        Node n;
        n.midX = bounds.x0 + (bounds.x1 - bounds.x0) * 0.5;
        n.midY = bounds.y0 + (bounds.y1 - bounds.y0) * 0.5;
        n.reach = {INFINITY, INFINITY, -INFINITY, -INFINITY};
        held.push_back({});
        return static_cast<int32_t>(nodes.push_back(n));
    }

    void GrowToContain(double cx, double cy, double size)
    {
        if (root < 0) {
            double s = FirstRootSize;
            while (s < size)
                s *= 2.0;
            const double x0 = std::floor(cx / s) * s;
            const double y0 = std::floor(cy / s) * s;
            rootBounds = {x0, y0, x0 + s, y0 + s};
            root = NewNode(rootBounds);
            return;
        }
        for (;;) {
            const Box& r = rootBounds;
            if (Holds(r, cx, cy) && size <= r.x1 - r.x0 && size <= r.y1 - r.y0)
                return;
            const double w = r.x1 - r.x0;
            const double h = r.y1 - r.y0;
            const bool left = cx < r.x0;
            const bool below = cy < r.y0;
            // The old root becomes one quadrant of a root twice its size,
            // which splits along the old root's edges.
            const Box grown{left ? r.x0 - w : r.x0, below ? r.y0 - h : r.y0, left ? r.x1 : r.x1 + w,
                            below ? r.y1 : r.y1 + h};
            Node n;
            n.midX = left ? r.x0 : r.x1;
            n.midY = below ? r.y0 : r.y1;
            n.reach = nodes[Index(root)].reach;
            n.child[0] = -1;
            n.child[(left ? 1 : 0) | (below ? 2 : 0)] = root;
            held.push_back({});
            root = static_cast<int32_t>(nodes.push_back(n));
            rootBounds = grown;
        }
    }

    // Files the element from `from` (with those bounds) down.
    void Place(Elem e, int32_t from, Box r)
    {
        const Box b = Self().BoxOf(e);
        const double cx = Centre(b, &Box::x0, &Box::x1);
        const double cy = Centre(b, &Box::y0, &Box::y1);
        const double size = std::max(b.x1 - b.x0, b.y1 - b.y0);
        int32_t n = from;
        for (;;) {
            Node& node = nodes[Index(n)];
            // Written only when it grows: a box filed again where one was
            // (an undo) leaves the upper nodes' cache lines clean.
            if (b.x0 < node.reach.x0 || b.y0 < node.reach.y0 || b.x1 > node.reach.x1 || b.y1 > node.reach.y1)
                node.reach = {std::min(node.reach.x0, b.x0), std::min(node.reach.y0, b.y0),
                              std::max(node.reach.x1, b.x1), std::max(node.reach.y1, b.y1)};
            const double half = std::min(r.x1 - r.x0, r.y1 - r.y0) * 0.5;
            if (node.child[0] == Unsplit || size > half || half < Owner::MinNodeSize)
                break;
            const int quadrant = Quadrant(node, cx, cy);
            const Box c = QuadrantBounds(node, r, quadrant);
            int32_t next = node.child[quadrant];
            if (next < 0) {
                next = NewNode(c);
                nodes[Index(n)].child[quadrant] = next;
            }
            n = next;
            r = c;
        }
        Keep(n, r, e, b);
        // A leaf that would not split because its boxes share one centre is
        // looked at again only as it doubles, so that a pile of copies on
        // one spot does not cost a scan of the pile for every copy added.
        const std::vector<Elem>& items = held[Index(n)].items;
        const std::size_t kept = items.size();
        if (nodes[Index(n)].child[0] == Unsplit && kept > Owner::SplitAbove &&
            (kept == Owner::SplitAbove + 1 || std::has_single_bit(kept)) &&
            Splits(r, items.data(), items.data() + kept))
            Split(n, r);
    }

    // Whether a node of these bounds holding these records splits: when
    // there are more than a handful, it is not too small and their centres
    // differ (else they would all go to one quadrant again).
    template <class Rec>
    bool Splits(const Box& r, const Rec* begin, const Rec* end) const
    {
        if (std::size_t(end - begin) <= Owner::SplitAbove ||
            std::min(r.x1 - r.x0, r.y1 - r.y0) * 0.5 < Owner::MinNodeSize)
            return false;
        const Box f = BoxOfRec(*begin);
        return !std::all_of(begin, end, [this, &f](const Rec& rec) {
            const Box b = BoxOfRec(rec);
            return b.x0 + b.x1 == f.x0 + f.x1 && b.y0 + b.y1 == f.y0 + f.y1;
        });
    }

    // Files the element in the node, in its sorted list if it is a long thin
    // one; `inOrder` false appends it there, for a caller that sorts after.
    void Keep(int32_t node, const Box& r, Elem e, const Box& b, bool inOrder = true)
    {
        Held& home = held[Index(node)];
        const double w = b.x1 - b.x0;
        const double h = b.y1 - b.y0;
        const double thin = std::min(r.x1 - r.x0, r.y1 - r.y0) * ThinShare;
        // Only a split node keeps bands: a leaf is read whole anyway.
        const bool split = nodes[Index(node)].child[0] != Unsplit;
        const bool wide = split && h <= w && h <= thin;
        const bool tall = split && w < h && w <= thin;
        if (!wide && !tall) {
            Self().Placed(e, node, static_cast<uint32_t>(home.items.size()));
            home.items.push_back(e);
            return;
        }
        Self().Placed(e, node, wide ? InWide : InTall);
        if (home.bands < 0)
            home.bands = static_cast<int32_t>(bandStore.push_back({}));
        Bands& bands = bandStore[Index(home.bands)];
        Band& band = wide ? bands.wide : bands.tall;
        double Box::*key = wide ? &Box::y0 : &Box::x0;
        band.thick = std::max(band.thick, wide ? h : w);
        if (!inOrder) {
            band.items.push_back(e);
            return;
        }
        auto it = std::upper_bound(band.items.begin(), band.items.end(), b.*key,
                                   [this, key](double v, Elem other) { return v < Self().BoxOf(other).*key; });
        band.items.insert(it, e);
    }

    void Split(int32_t node, const Box& bounds)
    {
        std::vector<Elem> moving = std::move(held[Index(node)].items);
        held[Index(node)].items.clear();
        nodes[Index(node)].child[0] = -1;
        for (Elem e : moving)
            Place(e, node, bounds);
    }

    // Files the records [begin, end) into the node (new, empty; with those
    // bounds) and below it, splitting as filing them one by one would.
    template <class Rec>
    void Fill(int32_t node, const Box& r, Rec* begin, Rec* end)
    {
        // Blocks never move: `n` stays good while nodes are added.
        Node& n = nodes[Index(node)];
        // What it reaches is made up from below, as the records are filed.
        Box reach = n.reach;
        auto widen = [&reach](const Box& b) {
            reach = {std::min(reach.x0, b.x0), std::min(reach.y0, b.y0), std::max(reach.x1, b.x1),
                     std::max(reach.y1, b.y1)};
        };
        if (!Splits(r, begin, end)) {
            // A leaf keeps no bands: every box goes to its items.
            std::vector<Elem>& items = held[Index(node)].items;
            items.reserve(std::size_t(end - begin));
            for (const Rec* it = begin; it != end; ++it) {
                widen(BoxOfRec(*it));
                Self().Placed(ElemOfRec(*it), node, static_cast<uint32_t>(items.size()));
                items.push_back(ElemOfRec(*it));
            }
            n.reach = reach;
            return;
        }
        n.child[0] = -1;
        // Boxes larger than a quadrant stay here; the others go to the
        // quadrant of their centre. Points all go down.
        Rec* down = begin;
        if constexpr (!Owner::PointsOnly) {
            const double half = std::min(r.x1 - r.x0, r.y1 - r.y0) * 0.5;
            down = std::partition(begin, end, [this, half](const Rec& rec) {
                const Box b = BoxOfRec(rec);
                return std::max(b.x1 - b.x0, b.y1 - b.y0) > half;
            });
        }
        // Straight into their lists; the bands are sorted once below.
        for (const Rec* it = begin; it != down; ++it) {
            const Box b = BoxOfRec(*it);
            widen(b);
            Keep(node, r, ElemOfRec(*it), b, false);
        }
        const Held& home = held[Index(node)];
        if (home.bands >= 0) {
            Bands& bands = bandStore[Index(home.bands)];
            std::stable_sort(bands.wide.items.begin(), bands.wide.items.end(),
                             [this](Elem a, Elem b) { return Self().BoxOf(a).y0 < Self().BoxOf(b).y0; });
            std::stable_sort(bands.tall.items.begin(), bands.tall.items.end(),
                             [this](Elem a, Elem b) { return Self().BoxOf(a).x0 < Self().BoxOf(b).x0; });
        }
        const double midX = n.midX, midY = n.midY;
        auto below = [this, midY](const Rec& rec) { return Centre(BoxOfRec(rec), &Box::y0, &Box::y1) < midY; };
        Rec* right = std::partition(
            down, end, [this, midX](const Rec& rec) { return Centre(BoxOfRec(rec), &Box::x0, &Box::x1) < midX; });
        Rec* leftTop = std::partition(down, right, below);
        Rec* rightTop = std::partition(right, end, below);
        Rec* const parts[5] = {down, leftTop, right, rightTop, end};
        const int quadrants[4] = {0, 2, 1, 3};
        for (int i = 0; i < 4; ++i) {
            if (parts[i] == parts[i + 1])
                continue;
            const int q = quadrants[i];
            const Box c = QuadrantBounds(n, r, q);
            const int32_t child = NewNode(c);
            n.child[q] = child;
            Fill(child, c, parts[i], parts[i + 1]);
            widen(nodes[Index(child)].reach);
        }
        n.reach = reach;
    }

    Blocks<Node> nodes;
    Blocks<Held> held;  // by node
    Blocks<Bands> bandStore;
    int32_t root = -1;
    Box rootBounds{0, 0, 0, 0};
    std::size_t count = 0;
};

// Entity boxes (or any boxes) filed under a small number the owner chooses,
// such as the slot of an entity in its list.
class BoxTree : public BasicBoxTree<uint32_t, BoxTree> {
public:
    void Insert(uint32_t id, const Box& box);
    using Item = std::pair<uint32_t, Box>;
    // Files many boxes at once (id and box; the vector is reordered and
    // loses repeated ids, the last box of an id counting). Into an empty
    // tree it builds the nodes top down in one pass, which costs a fraction
    // of filing them one by one; else they are filed one by one.
    void InsertMany(std::vector<Item>& items);
    // Takes out the box filed under id (nothing when there is none).
    void Remove(uint32_t id);
    void Clear();
    bool Contains(uint32_t id) const { return id < filed.size() && filed[id].node >= 0; }
    const Box& BoxOf(uint32_t id) const { return filed[id].box; }

private:
    friend class BasicBoxTree<uint32_t, BoxTree>;
    void Placed(uint32_t id, int32_t node, uint32_t place)
    {
        filed[id].node = node;
        filed[id].place = place;
    }

    // Where a box is filed (by id): its box, its node (-1 when none) and its
    // place in the node's items (or InWide/InTall), read together.
    struct Filed {
        Box box;
        int32_t node = -1;
        uint32_t place = 0;
    };
    std::vector<Filed> filed;  // by id
};

// Takes `slot` out of a list of slots kept beside the tree (entities too
// large for it), where `at` gives each slot's place in the list or
// UINT32_MAX; the last one takes its place. False when it is not there.
inline bool RemoveSlot(std::vector<uint32_t>& list, std::vector<uint32_t>& at, uint32_t slot)
{
    if (slot >= at.size() || at[slot] == UINT32_MAX)
        return false;
    const uint32_t place = at[slot];
    const uint32_t moved = list.back();
    list[place] = moved;
    at[moved] = place;
    list.pop_back();
    at[slot] = UINT32_MAX;
    return true;
}
