// The active and inactive lists of one kind of placed thing (map entities
// or items). Inactive ones become active when their box touches the view;
// active ones go back when it leaves them, unless they are dynamic. Moving
// keeps the order of the others and appends to the end of the other list.
//
// Placed things never move, so each is filed once, by its box, in a grid of
// 512-pixel cells: a frame looks only at the cells under the view, and a map
// of thousands of entities costs no more than the few near the camera. The
// lists and their order are exactly those of walking every inactive entry
// each frame (tests/game/ActivationListsTest.cpp drives both).
#pragma once

#include "toolkit/CollisionBox.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

template <typename T> class ActivationLists {
public:
    void AddInactive(std::unique_ptr<T> object) {
        const auto id = static_cast<std::uint32_t>(m_records.size());
        Record record;
        record.edges = EdgesOf(object->Box());
        record.object = std::move(object);
        record.order = ++m_order;
        m_records.push_back(std::move(record));
        ++m_inactiveCount;
        File(id);
    }

    // Every object goes (a map reloaded).
    void Clear() { *this = ActivationLists(); }

    // The world's update steps 1 and 2 for this kind.
    template <typename IsDynamic> void Update(const CollisionBox& view, IsDynamic&& isDynamic) {
        ActivateInView(EdgesOf(view));
        std::size_t kept = 0;
        for (std::size_t i = 0; i < m_active.size(); ++i) {
            Record& record = m_records[m_active[i]];
            if (!isDynamic(*record.object) && !CollisionBox::Overlap(record.object->Box(), view)) {
                record.active = false;
                record.order = ++m_order; // to the end of the inactive list
                ++m_inactiveCount;
            } else {
                m_active[kept] = m_active[i];
                m_activeObjects[kept] = m_activeObjects[i];
                ++kept;
            }
        }
        m_active.resize(kept);
        m_activeObjects.resize(kept);
    }

    // Takes an active one out of the lists (an item picked up).
    std::unique_ptr<T> ReleaseActive(std::size_t index) {
        Record& record = m_records[m_active[index]];
        record.active = false;
        record.gone = true;
        m_active.erase(m_active.begin() + static_cast<std::ptrdiff_t>(index));
        m_activeObjects.erase(m_activeObjects.begin() + static_cast<std::ptrdiff_t>(index));
        return std::move(record.object);
    }

    const std::vector<T*>& Active() const { return m_activeObjects; }
    std::size_t InactiveCount() const { return m_inactiveCount; }
    // The inactive list in its order (built on demand: for traces and tests).
    std::vector<T*> Inactive() const {
        std::vector<const Record*> records;
        for (const Record& record : m_records) {
            if (!record.active && !record.gone) {
                records.push_back(&record);
            }
        }
        std::sort(records.begin(), records.end(),
                  [](const Record* a, const Record* b) { return a->order < b->order; });
        std::vector<T*> objects;
        for (const Record* record : records) {
            objects.push_back(record->object.get());
        }
        return objects;
    }

private:
    static constexpr float kCell = 512.0f;
    // A box over more cells than this is checked every frame instead.
    static constexpr std::int64_t kMaxCells = 64;
    // Cell numbers are held here so that any float position has one.
    static constexpr double kMaxCellNumber = 1e12;

    struct Edges {
        float left, top, right, bottom;
    };
    struct Record {
        std::unique_ptr<T> object;
        Edges edges{};
        std::uint64_t order = 0; // place in the inactive list
        std::uint64_t seen = 0;  // the last activation pass that looked at it
        bool active = false;
        bool gone = false;
    };

    static Edges EdgesOf(const CollisionBox& box) {
        return {box.Left(), box.Top(), box.Right(), box.Bottom()};
    }
    // The box overlap test, inclusive on every side.
    static bool Touch(const Edges& a, const Edges& b) {
        return b.top <= a.bottom && b.bottom >= a.top && b.left <= a.right && b.right >= a.left;
    }
    static std::int64_t CellOf(float coordinate) {
        double cell = std::floor(static_cast<double>(coordinate) / kCell);
        cell = std::isnan(cell) ? 0.0 : std::clamp(cell, -kMaxCellNumber, kMaxCellNumber);
        return static_cast<std::int64_t>(cell);
    }
    static std::uint64_t Key(std::int64_t column, std::int64_t row) {
        return static_cast<std::uint64_t>(column) * 0x9E3779B97F4A7C15ull ^
               static_cast<std::uint64_t>(row);
    }
    struct CellRange {
        std::int64_t left, top, right, bottom;
        std::int64_t Count() const { return (right - left + 1) * (bottom - top + 1); }
    };
    static CellRange RangeOf(const Edges& edges) {
        return {CellOf(edges.left), CellOf(edges.top), CellOf(edges.right), CellOf(edges.bottom)};
    }

    void File(std::uint32_t id) {
        const CellRange range = RangeOf(m_records[id].edges);
        if (range.right - range.left >= kMaxCells || range.bottom - range.top >= kMaxCells ||
            range.Count() > kMaxCells) {
            m_oversized.push_back(id);
            return;
        }
        for (std::int64_t row = range.top; row <= range.bottom; ++row) {
            for (std::int64_t column = range.left; column <= range.right; ++column) {
                m_cells[Key(column, row)].push_back(id);
            }
        }
    }

    void Consider(std::uint32_t id, const Edges& view) {
        Record& record = m_records[id];
        if (record.seen == m_pass || record.active || record.gone) {
            return;
        }
        record.seen = m_pass;
        if (Touch(record.edges, view)) {
            m_found.push_back(id);
        }
    }

    void ActivateInView(const Edges& view) {
        ++m_pass;
        m_found.clear();
        const CellRange range = RangeOf(view);
        if (range.right - range.left < kMaxCells && range.bottom - range.top < kMaxCells) {
            for (std::int64_t row = range.top; row <= range.bottom; ++row) {
                for (std::int64_t column = range.left; column <= range.right; ++column) {
                    auto cell = m_cells.find(Key(column, row));
                    if (cell != m_cells.end()) {
                        for (std::uint32_t id : cell->second) {
                            Consider(id, view);
                        }
                    }
                }
            }
        } else {
            // A view wider than the grid is worth walking: look at everything.
            for (std::uint32_t id = 0; id < m_records.size(); ++id) {
                Consider(id, view);
            }
        }
        for (std::uint32_t id : m_oversized) {
            Consider(id, view);
        }
        // In the inactive list's order, as a walk along it would move them.
        std::sort(m_found.begin(), m_found.end(), [this](std::uint32_t a, std::uint32_t b) {
            return m_records[a].order < m_records[b].order;
        });
        for (std::uint32_t id : m_found) {
            m_records[id].active = true;
            m_active.push_back(id);
            m_activeObjects.push_back(m_records[id].object.get());
            --m_inactiveCount;
        }
    }

    std::vector<Record> m_records; // every object ever added, by id
    std::vector<std::uint32_t> m_active;
    std::vector<T*> m_activeObjects; // parallel to m_active
    std::size_t m_inactiveCount = 0;
    std::uint64_t m_order = 0;
    std::uint64_t m_pass = 0;
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> m_cells;
    std::vector<std::uint32_t> m_oversized;
    std::vector<std::uint32_t> m_found;
};
