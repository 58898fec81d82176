// Counts the plays started on each channel so stale handles can be told
// apart from the current play on a reused channel.
#pragma once

#include "platform/sound/SoundBackend.h"

#include <vector>

class ChannelBook {
public:
    void Resize(int channels) { m_generations.assign(static_cast<std::size_t>(channels), 0); }
    int Size() const { return static_cast<int>(m_generations.size()); }

    ChannelGrant Grant(int index) {
        return ChannelGrant{index, ++m_generations[static_cast<std::size_t>(index)]};
    }
    bool IsCurrent(const ChannelGrant& grant) const {
        return grant.index >= 0 && grant.index < Size() &&
               m_generations[static_cast<std::size_t>(grant.index)] == grant.generation;
    }

private:
    std::vector<std::uint32_t> m_generations;
};
