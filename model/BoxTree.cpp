#include "model/BoxTree.h"

void BoxTree::Insert(uint32_t id, const Box& box)
{
    if (Contains(id))
        Remove(id);
    if (id >= filed.size())
        filed.resize(id + 1);
    filed[id].box = box;
    File(id);
}

void BoxTree::InsertMany(std::vector<Item>& items)
{
    if (Size() != 0 || items.empty() ||
        !std::all_of(items.begin(), items.end(), [](const Item& item) { return Fits(item.second); })) {
        for (const auto& [id, box] : items)
            Insert(id, box);
        return;
    }
    uint32_t top = 0;
    for (const Item& item : items)
        top = std::max(top, item.first);
    if (top >= filed.size())
        filed.resize(std::size_t(top) + 1);
    // The last box given for an id counts, as with Insert: mark where each
    // id was seen last and keep only that one.
    for (std::size_t i = 0; i < items.size(); ++i)
        filed[items[i].first].place = static_cast<uint32_t>(i);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (filed[items[i].first].place == i)
            items[kept++] = items[i];
    items.resize(kept);
    for (const auto& [id, b] : items)
        filed[id].box = b;
    BasicBoxTree::Clear();
    FileMany(items.data(), items.data() + items.size());
}

void BoxTree::Remove(uint32_t id)
{
    if (!Contains(id))
        return;
    Drop(filed[id].node, id, filed[id].place);
    filed[id].node = -1;
}

void BoxTree::Clear()
{
    BasicBoxTree::Clear();
    filed.clear();
}
