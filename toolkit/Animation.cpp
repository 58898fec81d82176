#include "toolkit/Animation.h"

#include <algorithm>
#include <cmath>

Animation::Animation(HTEXTURE texture, int frames, float fps, float x, float y, float w, float h)
    : Sprite(texture, x, y, w, h) {
    // Frames continue on further rows only within the loaded image, which the
    // allocated texture may exceed.
    m_imageWidth = texture ? m_engine->Texture_GetWidth(texture, true) : 0;
    m_playing = false;
    m_secondsPerFrame = 1.0f / fps;
    m_sinceLastFrame = -1.0f;
    m_mode = kLoop;
    m_step = 1;
    // A strip has at least one frame; zero would make every frame number
    // meaningless (and the modulo below undefined).
    m_frames = frames > 0 ? frames : 1;
    SetFrame(0);
}

void Animation::SetFrame(int frame) {
    int frameWidth = static_cast<int>(std::lround(m_width));
    int columns = frameWidth > 0 ? m_imageWidth / frameWidth : 0;

    frame %= m_frames;
    if (frame < 0) {
        frame += m_frames;
    }
    m_frame = frame;

    float fx = m_width * static_cast<float>(frame) + m_tx;
    float fy = m_ty;
    // Past the right edge of the image: the frames that fit in the first row
    // are taken off and the rest run in rows below, from the left edge.
    if (columns > 0 && fx > static_cast<float>(m_imageWidth) - m_width) {
        // None fit when the strip starts past the edge, and never more than
        // the frame number, so a far-off rectangle cannot overflow it.
        long firstRow = std::max(0L, std::lround(static_cast<float>(m_imageWidth) - m_tx));
        frame -= static_cast<int>(std::min<long>(firstRow / frameWidth, frame));
        fx = m_width * static_cast<float>(frame % columns);
        fy = m_ty + static_cast<float>(frame / columns + 1) * m_height;
    }
    SetCoordinates(fx, fy, m_width, m_height);
    ReapplyFlips();
}

void Animation::SetMode(int mode) {
    m_mode = mode;
    if (mode & kReverse) {
        m_step = -1;
        SetFrame(m_frames - 1);
    } else {
        m_step = 1;
        SetFrame(0);
    }
}
