#include "toolkit/fx/FX_FrameList.h"

#include "toolkit/fx/FX_Frame.h"

FX_FrameList::FX_FrameList(FX_Manager* manager, int textureNumber)
    : m_manager(manager), m_textureNumber(textureNumber) {}

FX_FrameList::~FX_FrameList() {
    for (FX_Frame* frame : m_frames) {
        delete frame;
    }
}
