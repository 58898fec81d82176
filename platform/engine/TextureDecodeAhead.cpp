#include "platform/engine/TextureDecodeAhead.h"

#include <SDL.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

bool ReadAndDecode(const std::string& file, TextureData& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string error;
    return !bytes.empty() && bytes.size() <= 0x7FFFFFFF &&
           DecodeImage(bytes.data(), static_cast<std::uint32_t>(bytes.size()), out, error);
}

} // namespace

TextureDecodeAhead::TextureDecodeAhead(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        const bool seen = std::any_of(m_entries.begin(), m_entries.end(),
                                      [&](const Entry& entry) { return entry.file == file; });
        if (!seen && !file.empty()) {
            m_entries.emplace_back().file = file;
        }
    }
    if (!m_entries.empty()) {
        m_worker = std::thread([this] { Run(); });
    }
}

TextureDecodeAhead::~TextureDecodeAhead() {
    m_stop = true;
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

void TextureDecodeAhead::Run() {
    for (Entry& entry : m_entries) {
        if (m_stop) {
            break;
        }
        TextureData data;
        const bool ok = ReadAndDecode(entry.file, data);
        {
            std::lock_guard lock(m_mutex);
            entry.data = std::move(data);
            entry.ok = ok;
            entry.done = true;
        }
        m_decoded.notify_all();
    }
    {
        // Whatever was not reached counts as not decoded: no one waits for it.
        std::lock_guard lock(m_mutex);
        for (Entry& entry : m_entries) {
            entry.done = true;
        }
    }
    m_decoded.notify_all();
    // The image library keeps its error text per thread; this thread is not
    // one of its own, so that text is let go here.
    SDL_TLSCleanup();
}

bool TextureDecodeAhead::Take(const std::string& file, TextureData& out) {
    auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                              [&](const Entry& candidate) { return candidate.file == file; });
    if (entry == m_entries.end()) {
        return false;
    }
    std::unique_lock lock(m_mutex);
    m_decoded.wait(lock, [&] { return entry->done; });
    if (!entry->ok) {
        return false;
    }
    out = std::move(entry->data);
    entry->ok = false;
    return true;
}
