// A sprite whose rectangle is picked by a frame number from a strip of
// equally sized frames that may continue on further rows of the texture.
#pragma once

#include "toolkit/Sprite.h"

class Animation : public Sprite {
public:
    // Mode bits, as the resource script names them.
    static constexpr int kReverse = 1;
    static constexpr int kPingPong = 2;
    static constexpr int kLoop = 4;

    Animation(HTEXTURE texture, int frames, float fps, float x, float y, float w, float h);

    void SetFrame(int frame);
    void SetMode(int mode);

    int GetFrame() const { return m_frame; }
    int GetFrames() const { return m_frames; }
    int GetMode() const { return m_mode; }
    float GetSpeed() const { return m_secondsPerFrame > 0.0f ? 1.0f / m_secondsPerFrame : 0.0f; }
    bool IsPlaying() const { return m_playing; }

private:
    int m_imageWidth = 0;
    bool m_playing = false;
    float m_secondsPerFrame = 0.0f;
    float m_sinceLastFrame = -1.0f;
    int m_mode = kLoop;
    int m_step = 1;
    int m_frames = 1;
    int m_frame = 0;
};
