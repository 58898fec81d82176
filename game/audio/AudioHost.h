// What the sound manager needs from the rest of the game: the game clock's
// time, starting slow motion on it, and the engine's random numbers. The
// game's spine implements it over its GameClock; tests script it.
#pragma once

class AudioHost {
public:
    virtual ~AudioHost() = default;
    // The game clock's time of the current frame, in seconds.
    virtual float ClockTime() = 0;
    // Sets the game clock's slow-motion end and slow factor.
    virtual void StartSlowMotion(float endTime, float slowFactor) = 0;
    // Inclusive of both ends, as the engine's Random_Int.
    virtual int RandomInt(int min, int max) = 0;
};
