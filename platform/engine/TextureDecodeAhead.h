// Decodes image files on a second thread while start-up does other work
// (opening the window takes a quarter of a second on a software renderer),
// so that loading those textures afterwards finds their pixels ready.
#pragma once

#include "platform/engine/TextureStore.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TextureDecodeAhead {
public:
    // Files are read relative to the current folder, as the engine reads them.
    explicit TextureDecodeAhead(const std::vector<std::string>& files);
    // Stops after the file in hand and waits for the thread.
    ~TextureDecodeAhead();
    TextureDecodeAhead(const TextureDecodeAhead&) = delete;
    TextureDecodeAhead& operator=(const TextureDecodeAhead&) = delete;

    // The file's pixels, waiting for the thread to get to them; false when
    // the file was not asked for, was taken already, or did not decode (the
    // caller then loads it itself and reports why).
    bool Take(const std::string& file, TextureData& out);

private:
    struct Entry {
        std::string file;
        bool done = false;
        bool ok = false;
        TextureData data;
    };
    void Run();

    std::vector<Entry> m_entries;
    std::mutex m_mutex;
    std::condition_variable m_decoded;
    std::atomic<bool> m_stop{false};
    std::thread m_worker;
};
