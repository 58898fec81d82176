// The frames of one particle type, found by the number the effects library
// keeps for the type.
#pragma once

#include <vector>

class FX_Frame;
class FX_Manager;

class FX_FrameList {
public:
    FX_FrameList(FX_Manager* manager, int textureNumber);
    virtual ~FX_FrameList();
    FX_FrameList(const FX_FrameList&) = delete;
    FX_FrameList& operator=(const FX_FrameList&) = delete;

    void Add(FX_Frame* frame) { m_frames.push_back(frame); }
    int GetCount() const { return static_cast<int>(m_frames.size()); }
    FX_Frame* GetFrame(int index) const { return m_frames[static_cast<std::size_t>(index)]; }
    FX_Manager* GetManager() const { return m_manager; }
    // The library's atlas number of this type.
    int GetTextureNumber() const { return m_textureNumber; }

private:
    FX_Manager* m_manager;
    std::vector<FX_Frame*> m_frames;
    int m_textureNumber = -1;
};
