// The editor's time: sampled at the end of each frame, so a frame's steps
// move by the previous frame's delta.
#pragma once

class Engine;
class Sprite;

struct EditorClock {
    void Refresh(Engine& engine);

    Sprite* cursor = nullptr; // owned by the resource manager
    float time = 0;
    float delta = 0;
    float fps = 0;
};

EditorClock& TheEditorClock();
